#include "tools/icons.h"

#include <gtest/gtest.h>

namespace tikora {
namespace {

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }

struct IconCase {
    const char* name;
    ArgbImage (*draw)(int size);
};

class IconTest : public ::testing::TestWithParam<std::tuple<IconCase, int>> {};

TEST_P(IconTest, IsAnAntiAliasedShapeOnATransparentBackground) {
    auto [icon, size] = GetParam();
    ArgbImage image = icon.draw(size);
    ASSERT_EQ(image.width, size);
    ASSERT_EQ(image.height, size);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{size - 1, 0}, std::pair{0, size - 1}, std::pair{size - 1, size - 1}})
        EXPECT_EQ(Alpha(image.At(x, y)), 0u) << "corner " << x << "," << y;
    EXPECT_EQ(Alpha(image.At(size / 2, size / 2)), 255u);
    int opaque = 0;
    int partial = 0;
    for (uint32_t pixel : image.pixels) {
        opaque += Alpha(pixel) == 255;
        partial += Alpha(pixel) > 0 && Alpha(pixel) < 255;
    }
    EXPECT_GT(opaque, size * size / 4);
    EXPECT_GT(partial, size / 2);
}

ArgbImage PlainClock(int size) { return DrawClockIcon(size, kPlainClockColours); }
ArgbImage ProgramClock(int size) { return DrawClockIcon(size, kProgramClockColours); }

INSTANTIATE_TEST_SUITE_P(
    AllIcons, IconTest,
    ::testing::Combine(::testing::Values(IconCase{"PlainClock", PlainClock}, IconCase{"ProgramClock", ProgramClock},
                                         IconCase{"Digital", DrawDigitalIcon}, IconCase{"Bell", DrawBellIcon}),
                       ::testing::Values(16, 32, 48)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + std::to_string(std::get<1>(info.param));
    });

}  // namespace
}  // namespace tikora
