#include "tools/wav_writer.h"

#include <gtest/gtest.h>

#include "byte_reader.h"

namespace tikora {
namespace {

using test::I16At;
using test::TagAt;
using test::U16At;
using test::U32At;

class WavWriterTest : public ::testing::TestWithParam<std::vector<int16_t>> {};

TEST_P(WavWriterTest, WritesMono16BitPcmAt22050Hz) {
    const std::vector<int16_t>& samples = GetParam();
    std::vector<uint8_t> wav = EncodeWav(samples);
    uint32_t dataSize = static_cast<uint32_t>(samples.size()) * 2;
    ASSERT_EQ(wav.size(), 44 + dataSize);
    EXPECT_EQ(TagAt(wav, 0, 4), "RIFF");
    EXPECT_EQ(U32At(wav, 4), wav.size() - 8);
    EXPECT_EQ(TagAt(wav, 8, 4), "WAVE");
    EXPECT_EQ(TagAt(wav, 12, 4), "fmt ");
    EXPECT_EQ(U32At(wav, 16), 16u);
    EXPECT_EQ(U16At(wav, 20), 1u) << "PCM";
    EXPECT_EQ(U16At(wav, 22), 1u) << "mono";
    EXPECT_EQ(U32At(wav, 24), 22050u);
    EXPECT_EQ(U32At(wav, 28), 44100u) << "bytes per second";
    EXPECT_EQ(U16At(wav, 32), 2u) << "block align";
    EXPECT_EQ(U16At(wav, 34), 16u);
    EXPECT_EQ(TagAt(wav, 36, 4), "data");
    EXPECT_EQ(U32At(wav, 40), dataSize);
    for (size_t i = 0; i < samples.size(); ++i) EXPECT_EQ(I16At(wav, 44 + 2 * i), samples[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Samples, WavWriterTest,
                         ::testing::Values(std::vector<int16_t>{}, std::vector<int16_t>{0},
                                           std::vector<int16_t>{-32768, 32767, -1, 1, 256, -257},
                                           std::vector<int16_t>(1001, 1234)));

}  // namespace
}  // namespace tikora
