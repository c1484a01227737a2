#pragma once
// Wave files as the system's sound player takes them: 16-bit PCM, one channel, 22050 Hz.
#include <cstdint>
#include <span>
#include <vector>

namespace tikora {

inline constexpr int kWavSampleRate = 22050;

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples);

}  // namespace tikora
