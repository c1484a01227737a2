#include "tools/bmp_writer.h"

#include <gtest/gtest.h>

#include "byte_reader.h"

namespace tikora {
namespace {

using test::I32At;
using test::TagAt;
using test::U16At;
using test::U32At;

struct BmpSize {
    int width;
    int height;
    uint32_t rowSize;  // bytes per row including padding
};

class BmpWriterTest : public ::testing::TestWithParam<BmpSize> {};

Image Pattern(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = Rgb(x * 7 % 256, y * 13 % 256, (x + y * 31) % 256);
    return image;
}

TEST_P(BmpWriterTest, Writes24BitBottomUpRowsThatReadBack) {
    const BmpSize& size = GetParam();
    Image image = Pattern(size.width, size.height);
    std::vector<uint8_t> bmp = EncodeBmp(image);
    uint32_t pixelsSize = size.rowSize * size.height;
    ASSERT_EQ(bmp.size(), 54 + pixelsSize);
    EXPECT_EQ(TagAt(bmp, 0, 2), "BM");
    EXPECT_EQ(U32At(bmp, 2), bmp.size());
    EXPECT_EQ(U32At(bmp, 10), 54u);
    EXPECT_EQ(U32At(bmp, 14), 40u);
    EXPECT_EQ(I32At(bmp, 18), size.width);
    EXPECT_EQ(I32At(bmp, 22), size.height) << "positive height: bottom-up rows";
    EXPECT_EQ(U16At(bmp, 26), 1u);
    EXPECT_EQ(U16At(bmp, 28), 24u);
    EXPECT_EQ(U32At(bmp, 30), 0u);
    EXPECT_EQ(U32At(bmp, 34), pixelsSize);
    for (int row = 0; row < size.height; ++row) {
        size_t start = 54 + static_cast<size_t>(row) * size.rowSize;
        int y = size.height - 1 - row;
        for (int x = 0; x < size.width; ++x) {
            size_t at = start + static_cast<size_t>(x) * 3;
            uint32_t read = Rgb(bmp[at + 2], bmp[at + 1], bmp[at]);
            ASSERT_EQ(read, image.At(x, y)) << x << "," << y;
        }
        for (size_t pad = static_cast<size_t>(size.width) * 3; pad < size.rowSize; ++pad)
            EXPECT_EQ(bmp[start + pad], 0) << "padding of row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpWriterTest,
                         ::testing::Values(BmpSize{1, 1, 4}, BmpSize{2, 3, 8}, BmpSize{3, 2, 12}, BmpSize{4, 1, 12},
                                           BmpSize{5, 2, 16}, BmpSize{286, 37, 860}, BmpSize{199, 53, 600}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
}  // namespace tikora
