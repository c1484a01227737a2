#include "clock/builtin_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "clock/glyphs.h"

namespace tikora {
namespace {

constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kLit = rgb(0, 255, 255);
constexpr uint32_t kEdge = rgb(0, 128, 128);
constexpr uint32_t kUnlit = rgb(0, 102, 102);

struct Pixel {
    int x;
    int y;
};

// The pixels of the strip between columns [left, left + width) whose colour is `colour`.
std::vector<Pixel> PixelsOf(const Image& strip, int left, int width, uint32_t colour) {
    std::vector<Pixel> found;
    for (int y = 0; y < strip.height; ++y)
        for (int x = left; x < left + width; ++x)
            if (strip.at(x, y) == colour) found.push_back({x, y});
    return found;
}

int DigitLeft(int digit) { return kDigitCellWidth * (digit + 1); }

// 4-connected groups of the given pixels.
std::vector<std::vector<Pixel>> Components(const std::vector<Pixel>& pixels) {
    std::set<std::pair<int, int>> remaining;
    for (const Pixel& p : pixels) remaining.insert({p.x, p.y});
    std::vector<std::vector<Pixel>> groups;
    while (!remaining.empty()) {
        std::vector<Pixel> group;
        std::vector<std::pair<int, int>> stack{*remaining.begin()};
        remaining.erase(remaining.begin());
        while (!stack.empty()) {
            auto [x, y] = stack.back();
            stack.pop_back();
            group.push_back({x, y});
            for (auto next : {std::pair{x + 1, y}, std::pair{x - 1, y}, std::pair{x, y + 1}, std::pair{x, y - 1}}) {
                if (remaining.erase(next)) stack.push_back(next);
            }
        }
        groups.push_back(group);
    }
    return groups;
}

double MeanX(const std::vector<Pixel>& g) {
    double sum = 0;
    for (const Pixel& p : g) sum += p.x;
    return sum / g.size();
}

double MeanY(const std::vector<Pixel>& g) {
    double sum = 0;
    for (const Pixel& p : g) sum += p.y;
    return sum / g.size();
}

bool IsHorizontal(const std::vector<Pixel>& g) {
    auto [minX, maxX] = std::minmax_element(g.begin(), g.end(), [](Pixel a, Pixel b) { return a.x < b.x; });
    auto [minY, maxY] = std::minmax_element(g.begin(), g.end(), [](Pixel a, Pixel b) { return a.y < b.y; });
    return maxX->x - minX->x > maxY->y - minY->y;
}

// The seven lit segments of the 8, in the order a to g, found from the picture alone.
std::array<std::vector<Pixel>, 7> SegmentsOfEight(const Image& strip) {
    std::vector<std::vector<Pixel>> groups = Components(PixelsOf(strip, DigitLeft(8), kDigitCellWidth, kLit));
    EXPECT_EQ(groups.size(), 7u) << "the segments of an 8 must not touch";
    std::vector<std::vector<Pixel>> horizontal;
    std::vector<std::vector<Pixel>> vertical;
    for (auto& g : groups) (IsHorizontal(g) ? horizontal : vertical).push_back(g);
    std::array<std::vector<Pixel>, 7> segments;
    if (horizontal.size() != 3 || vertical.size() != 4) {
        ADD_FAILURE() << "expected three horizontal and four vertical segments";
        return segments;
    }
    auto byY = [](const auto& a, const auto& b) { return MeanY(a) < MeanY(b); };
    auto byX = [](const auto& a, const auto& b) { return MeanX(a) < MeanX(b); };
    std::sort(horizontal.begin(), horizontal.end(), byY);
    std::sort(vertical.begin(), vertical.end(), byY);
    std::sort(vertical.begin(), vertical.begin() + 2, byX);
    std::sort(vertical.begin() + 2, vertical.end(), byX);
    segments[0] = horizontal[0];  // a
    segments[6] = horizontal[1];  // g
    segments[3] = horizontal[2];  // d
    segments[5] = vertical[0];    // f
    segments[1] = vertical[1];    // b
    segments[4] = vertical[2];    // e
    segments[2] = vertical[3];    // c
    return segments;
}

TEST(BuiltinSkinTest, StripHasTheSkinFileSizeAndOnlyTheFourColours) {
    Image strip = RenderBuiltinSkin();
    ASSERT_EQ(strip.width, kStripWidth);
    ASSERT_EQ(strip.height, kStripHeight);
    std::set<uint32_t> colours(strip.pixels.begin(), strip.pixels.end());
    EXPECT_EQ(colours, (std::set<uint32_t>{kBlack, kLit, kEdge, kUnlit}));
}

// Expected segments a to g per digit, written out as on a display.
struct DigitCase {
    int digit;
    const char* segments;
};

class DigitSegmentsTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitSegmentsTest, LightsExactlyItsSegmentsOfTheEight) {
    Image strip = RenderBuiltinSkin();
    std::array<std::vector<Pixel>, 7> segments = SegmentsOfEight(strip);
    const DigitCase& c = GetParam();
    int shift = DigitLeft(c.digit) - DigitLeft(8);
    for (int s = 0; s < 7; ++s) {
        bool expected = std::string_view(c.segments).find(static_cast<char>('a' + s)) != std::string_view::npos;
        int lit = 0;
        for (const Pixel& p : segments[s]) lit += strip.at(p.x + shift, p.y) == kLit;
        if (expected) {
            EXPECT_EQ(lit, static_cast<int>(segments[s].size())) << "segment " << static_cast<char>('a' + s);
        } else {
            EXPECT_EQ(lit, 0) << "segment " << static_cast<char>('a' + s);
        }
    }
    // Nothing lit outside the segments of the 8 either.
    int litTotal = static_cast<int>(PixelsOf(strip, DigitLeft(c.digit), kDigitCellWidth, kLit).size());
    int litInSegments = 0;
    for (const auto& segment : segments)
        for (const Pixel& p : segment) litInSegments += strip.at(p.x + shift, p.y) == kLit;
    EXPECT_EQ(litTotal, litInSegments);
}

INSTANTIATE_TEST_SUITE_P(AllDigits, DigitSegmentsTest,
                         ::testing::Values(DigitCase{0, "abcdef"}, DigitCase{1, "bc"}, DigitCase{2, "abdeg"},
                                           DigitCase{3, "abcdg"}, DigitCase{4, "bcfg"}, DigitCase{5, "acdfg"},
                                           DigitCase{6, "acdefg"}, DigitCase{7, "abc"}, DigitCase{8, "abcdefg"},
                                           DigitCase{9, "abcdfg"}),
                         [](const auto& info) { return "Digit" + std::to_string(info.param.digit); });

TEST(BuiltinSkinTest, SegmentsAreAboutThreePixelsThick) {
    Image strip = RenderBuiltinSkin();
    for (const auto& segment : SegmentsOfEight(strip)) {
        // Thickness across the middle of the segment: rows of a horizontal one, columns of a vertical one.
        std::set<int> across;
        int midX = static_cast<int>(MeanX(segment));
        int midY = static_cast<int>(MeanY(segment));
        for (const Pixel& p : segment) {
            if (IsHorizontal(segment) && p.x == midX) across.insert(p.y);
            if (!IsHorizontal(segment) && p.y == midY) across.insert(p.x);
        }
        EXPECT_GE(across.size(), 3u);
        EXPECT_LE(across.size(), 4u);
    }
}

TEST(BuiltinSkinTest, UnlitSegmentsAreAOnePixelCheckerboard) {
    Image strip = RenderBuiltinSkin();
    std::vector<Pixel> unlit = PixelsOf(strip, 0, kStripWidth, kUnlit);
    ASSERT_FALSE(unlit.empty());
    int parity = (unlit[0].x + unlit[0].y) % 2;
    for (const Pixel& p : unlit) ASSERT_EQ((p.x + p.y) % 2, parity) << p.x << "," << p.y;
    // Within an unlit segment the dots alternate with black: the other parity is background.
    std::set<std::pair<int, int>> dots;
    for (const Pixel& p : unlit) dots.insert({p.x, p.y});
    int blackBetween = 0;
    for (const Pixel& p : unlit)
        if (dots.count({p.x + 2, p.y}) && strip.at(p.x + 1, p.y) == kBlack) ++blackBetween;
    EXPECT_GT(blackBetween, 0);
    EXPECT_TRUE(PixelsOf(strip, DigitLeft(8), kDigitCellWidth, kUnlit).empty());
    EXPECT_GT(PixelsOf(strip, DigitLeft(1), kDigitCellWidth, kUnlit).size(), 50u);
}

// Left edge of the 8's left strokes, row by row, over the straight parts of the strokes
// (the pointed ends at the joints are narrower).
std::vector<int> LeftEdgesOfEight(const Image& strip, uint32_t background) {
    std::vector<int> edges;
    for (int y = 7; y <= 30; ++y) {
        if (y >= 16 && y <= 21) continue;
        for (int x = DigitLeft(8); x < DigitLeft(9); ++x) {
            if (strip.at(x, y) != background) {
                edges.push_back(x);
                break;
            }
        }
    }
    return edges;
}

TEST(BuiltinSkinTest, DigitsLeanRightInOnePixelSteps) {
    std::vector<int> edges = LeftEdgesOfEight(RenderBuiltinSkin(), kBlack);
    ASSERT_EQ(edges.size(), 18u);
    EXPECT_TRUE(std::is_sorted(edges.rbegin(), edges.rend())) << "the left edge never moves right going down";
    EXPECT_GE(edges.front() - edges.back(), 2);
    for (size_t i = 1; i < edges.size(); ++i) EXPECT_LE(edges[i - 1] - edges[i], 1) << "a step of one pixel";
}

TEST(BuiltinSkinTest, UprightStyleKeepsTheLeftEdgeStraight) {
    SkinStyle upright = kBuiltinSkinStyle;
    upright.leanRows = 0;
    std::vector<int> edges = LeftEdgesOfEight(RenderSkinStrip(upright), kBlack);
    ASSERT_FALSE(edges.empty());
    EXPECT_EQ(std::set<int>(edges.begin(), edges.end()).size(), 1u);
}

struct SeparatorCase {
    const char* name;
    int left;
    uint32_t shown;   // colour of the dots
    uint32_t absent;  // colour that must not appear
};

class SeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, ShowsTwoDotsOneAboveTheOther) {
    Image strip = RenderBuiltinSkin();
    const SeparatorCase& c = GetParam();
    EXPECT_TRUE(PixelsOf(strip, c.left, kSeparatorCellWidth, c.absent).empty());
    std::vector<Pixel> dots = PixelsOf(strip, c.left, kSeparatorCellWidth, c.shown);
    ASSERT_FALSE(dots.empty());
    int above = 0;
    int below = 0;
    for (const Pixel& p : dots) (p.y < kCellHeight / 2 ? above : below)++;
    EXPECT_GT(above, 0);
    EXPECT_GT(below, 0);
    if (c.shown == kLit) {
        EXPECT_EQ(above, below) << "both dots are the same size";
        EXPECT_EQ(Components(dots).size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(BothStates, SeparatorTest,
                         ::testing::Values(SeparatorCase{"Off", 0, kUnlit, kLit},
                                           SeparatorCase{"On", kSeparatorCellWidth, kLit, kUnlit}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StyleCase {
    const char* name;
    SkinStyle style;
};

class SkinStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(SkinStyleTest, DrawsTheSameFiguresInTheStyleColours) {
    const SkinStyle& style = GetParam().style;
    Image strip = RenderSkinStrip(style);
    ASSERT_EQ(strip.width, kStripWidth);
    ASSERT_EQ(strip.height, kStripHeight);
    std::set<uint32_t> allowed{style.background, style.lit, style.edge};
    if (style.unlitPattern != UnlitPattern::None) allowed.insert(style.unlit);
    for (uint32_t pixel : strip.pixels) ASSERT_TRUE(allowed.count(pixel)) << std::hex << pixel;
    EXPECT_EQ(strip.at(0, 0), style.background);

    // With the built-in lean the lit pixels are where the built-in skin has them.
    if (style.leanRows == kBuiltinSkinStyle.leanRows) {
        Image builtin = RenderBuiltinSkin();
        for (size_t i = 0; i < strip.pixels.size(); ++i)
            ASSERT_EQ(strip.pixels[i] == style.lit, builtin.pixels[i] == kLit) << i;
    }
    size_t unlit = PixelsOf(strip, DigitLeft(1), kDigitCellWidth, style.unlit).size();
    size_t builtinUnlit = PixelsOf(RenderBuiltinSkin(), DigitLeft(1), kDigitCellWidth, kUnlit).size();
    switch (style.unlitPattern) {
        case UnlitPattern::None:
            EXPECT_EQ(unlit, 0u);
            break;
        case UnlitPattern::Checkerboard:
            EXPECT_NEAR(unlit, builtinUnlit, 4.0);
            break;
        case UnlitPattern::Solid:
            EXPECT_GT(unlit, builtinUnlit * 3 / 2);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SkinStyleTest,
    ::testing::Values(
        StyleCase{"Builtin", kBuiltinSkinStyle},
        StyleCase{"RedCheckerboard",
                  {rgb(0, 0, 0), rgb(255, 0, 0), rgb(128, 0, 0), rgb(90, 0, 0), UnlitPattern::Checkerboard, 8}},
        StyleCase{"LightSolid",
                  {rgb(200, 210, 180), rgb(20, 30, 20), rgb(100, 110, 90), rgb(180, 190, 160), UnlitPattern::Solid, 8}},
        StyleCase{"UprightWithoutUnlit",
                  {rgb(0, 0, 0), rgb(255, 255, 255), rgb(128, 128, 128), rgb(50, 50, 50), UnlitPattern::None, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FrameLine {
    const char* name;
    int x0, y0, x1, y1;  // inclusive
    uint32_t colour;
};

class FrameTest : public ::testing::TestWithParam<FrameLine> {};

TEST_P(FrameTest, LineHasItsColour) {
    Image frame = RenderFrame();
    ASSERT_EQ(frame.width, kFrameWidth);
    ASSERT_EQ(frame.height, kFrameHeight);
    const FrameLine& line = GetParam();
    for (int y = line.y0; y <= line.y1; ++y)
        for (int x = line.x0; x <= line.x1; ++x) ASSERT_EQ(frame.at(x, y), line.colour) << x << "," << y;
}

constexpr uint32_t kDarkGrey = rgb(49, 49, 49);
constexpr uint32_t kGrey = rgb(128, 128, 128);
constexpr uint32_t kLightGrey = rgb(212, 208, 200);

INSTANTIATE_TEST_SUITE_P(
    Bevel, FrameTest,
    ::testing::Values(FrameLine{"OuterTop", 0, 0, 197, 0, kDarkGrey}, FrameLine{"OuterLeft", 0, 0, 0, 51, kDarkGrey},
                      FrameLine{"OuterBottom", 0, 52, 198, 52, kBlack},
                      FrameLine{"OuterRight", 198, 0, 198, 52, kBlack}, FrameLine{"SecondTop", 1, 1, 197, 1, kGrey},
                      FrameLine{"SecondBottom", 1, 51, 197, 51, kGrey}, FrameLine{"SecondLeft", 1, 1, 1, 51, kGrey},
                      FrameLine{"SecondRight", 197, 1, 197, 51, kGrey}, FrameLine{"ThirdTop", 2, 2, 196, 2, kLightGrey},
                      FrameLine{"ThirdBottom", 2, 50, 196, 50, kLightGrey},
                      FrameLine{"ThirdLeft", 2, 2, 2, 50, kLightGrey},
                      FrameLine{"ThirdRight", 196, 2, 196, 50, kLightGrey}, FrameLine{"Inside", 3, 3, 195, 49, kBlack}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tikora
