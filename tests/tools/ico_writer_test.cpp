#include "tools/ico_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "byte_reader.h"

namespace tikora {
namespace {

using test::I32At;
using test::U16At;
using test::U32At;

// A picture whose alpha runs through every value and whose colours identify the position.
ArgbImage Pattern(int size) {
    ArgbImage picture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.pixels[static_cast<size_t>(y) * size + x] = static_cast<uint32_t>((x * 37 + y * 11) % 256) << 24 |
                                                                static_cast<uint32_t>(x) << 16 |
                                                                static_cast<uint32_t>(y) << 8 | 0x5A;
    return picture;
}

size_t MaskRowBytes(int size) { return ((size + 31) / 32) * 4; }

struct IconCase {
    const char* name;
    std::vector<int> sizes;
};

class IcoWriterTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IcoWriterTest, DirectoryPixelsAndMaskReadBack) {
    std::vector<ArgbImage> pictures;
    for (int size : GetParam().sizes) pictures.push_back(Pattern(size));
    std::vector<uint8_t> ico = EncodeIco(pictures);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(U16At(ico, 0), 0u);
    EXPECT_EQ(U16At(ico, 2), 1u) << "icon";
    ASSERT_EQ(U16At(ico, 4), pictures.size());
    size_t expectedOffset = 6 + 16 * pictures.size();
    for (size_t i = 0; i < pictures.size(); ++i) {
        int size = pictures[i].width;
        size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], size == 256 ? 0 : size);
        EXPECT_EQ(ico[entry + 1], size == 256 ? 0 : size);
        EXPECT_EQ(ico[entry + 2], 0) << "no palette";
        EXPECT_EQ(U16At(ico, entry + 4), 1u) << "planes";
        EXPECT_EQ(U16At(ico, entry + 6), 32u);
        size_t expectedBytes = 40 + static_cast<size_t>(size) * size * 4 + MaskRowBytes(size) * size;
        EXPECT_EQ(U32At(ico, entry + 8), expectedBytes);
        EXPECT_EQ(U32At(ico, entry + 12), expectedOffset);
        expectedOffset += expectedBytes;
    }
    EXPECT_EQ(ico.size(), expectedOffset);

    for (size_t i = 0; i < pictures.size(); ++i) {
        const ArgbImage& picture = pictures[i];
        int size = picture.width;
        size_t image = U32At(ico, 6 + 16 * i + 12);
        EXPECT_EQ(U32At(ico, image), 40u);
        EXPECT_EQ(I32At(ico, image + 4), size);
        EXPECT_EQ(I32At(ico, image + 8), 2 * size) << "colour bitmap and mask";
        EXPECT_EQ(U16At(ico, image + 14), 32u);
        size_t colour = image + 40;
        size_t mask = colour + static_cast<size_t>(size) * size * 4;
        for (int row = 0; row < size; ++row) {
            int y = size - 1 - row;
            for (int x = 0; x < size; ++x) {
                uint32_t expected = picture.At(x, y);
                uint32_t alpha = expected >> 24;
                if (alpha == 0) expected = 0;
                ASSERT_EQ(U32At(ico, colour + (static_cast<size_t>(row) * size + x) * 4), expected) << x << "," << y;
                bool transparent = ico[mask + row * MaskRowBytes(size) + x / 8] >> (7 - x % 8) & 1;
                ASSERT_EQ(transparent, alpha < kMaskAlphaThreshold) << x << "," << y;
            }
            for (size_t pad = (size + 7) / 8; pad < MaskRowBytes(size); ++pad)
                EXPECT_EQ(ico[mask + row * MaskRowBytes(size) + pad], 0) << "mask padding";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sets, IcoWriterTest,
                         ::testing::Values(IconCase{"Single16", {16}}, IconCase{"Tray", {16, 32}},
                                           IconCase{"Program", {16, 32, 48}}, IconCase{"OddWidth", {5}},
                                           IconCase{"Largest", {256}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IcoWriterLimitsTest, RefusesPicturesAnIconCannotHold) {
    for (int size : {0, 257}) {
        std::vector<ArgbImage> pictures{ArgbImage(size, size)};
        EXPECT_THROW(EncodeIco(pictures), std::invalid_argument) << size;
    }
}

}  // namespace
}  // namespace tikora
