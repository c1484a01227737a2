#include "tools/wav_writer.h"

#include "tools/byte_writer.h"

namespace tikora {

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples) {
    constexpr uint32_t kChannels = 1;
    constexpr uint32_t kBytesPerSample = 2;
    uint32_t dataSize = static_cast<uint32_t>(samples.size()) * kBytesPerSample;

    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    ByteWriter w(out);
    w.Tag("RIFF");
    w.U32(36 + dataSize);
    w.Tag("WAVE");
    w.Tag("fmt ");
    w.U32(16);
    w.U16(1);  // WAVE_FORMAT_PCM
    w.U16(kChannels);
    w.U32(kWavSampleRate);
    w.U32(kWavSampleRate * kChannels * kBytesPerSample);
    w.U16(kChannels * kBytesPerSample);
    w.U16(kBytesPerSample * 8);
    w.Tag("data");
    w.U32(dataSize);
    for (int16_t sample : samples) w.U16(static_cast<uint16_t>(sample));
    return out;
}

}  // namespace tikora
