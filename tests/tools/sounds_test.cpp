#include "tools/sounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tools/wav_writer.h"

namespace tikora {
namespace {

struct SoundCase {
    const char* name;
    std::vector<int16_t> (*synthesize)();
    double maxSeconds;
};

class SoundTest : public ::testing::TestWithParam<SoundCase> {};

int Peak(const std::vector<int16_t>& samples, size_t from, size_t to) {
    int peak = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i) peak = std::max(peak, std::abs(int{samples[i]}));
    return peak;
}

TEST_P(SoundTest, IsShortLoudWithoutClippingAndEndsInSilence) {
    std::vector<int16_t> samples = GetParam().synthesize();
    double seconds = static_cast<double>(samples.size()) / kWavSampleRate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, GetParam().maxSeconds);
    int peak = Peak(samples, 0, samples.size());
    EXPECT_GT(peak, 16000) << "audible";
    EXPECT_LT(peak, 32767) << "not clipped";
    // No click at either end: a soft start and a fade to nothing.
    EXPECT_LT(std::abs(int{samples.front()}), 500);
    EXPECT_LT(Peak(samples, samples.size() - kWavSampleRate / 200, samples.size()), 500);
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundTest,
                         ::testing::Values(SoundCase{"Chime", SynthesizeChime, 1.5},
                                           SoundCase{"Ring", SynthesizeRing, 1.0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tikora
