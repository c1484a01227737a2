#pragma once
// The generated sounds, as 16-bit samples at kWavSampleRate.
#include <cstdint>
#include <vector>

namespace tikora {

// The hourly chime: two soft bell strokes, falling a third, about 1.4 s.
std::vector<int16_t> SynthesizeChime();

// One ring of a twin-bell alarm clock, under a second, so the alarm can ring once a second.
std::vector<int16_t> SynthesizeRing();

}  // namespace tikora
