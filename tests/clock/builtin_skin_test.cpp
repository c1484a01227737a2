#include "clock/builtin_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <vector>

#include "clock/glyphs.h"

namespace tikora {
namespace {

constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kLit = Rgb(0, 255, 255);
constexpr uint32_t kEdge = Rgb(0, 128, 128);
constexpr uint32_t kUnlit = Rgb(0, 102, 102);

struct Pixel {
    int x;
    int y;
};
using Pixels = std::vector<Pixel>;

// The pixels of colour `colour` between columns [left, left + width).
Pixels PixelsOf(const Image& strip, int left, int width, uint32_t colour) {
    Pixels found;
    for (int y = 0; y < strip.height; ++y)
        for (int x = left; x < left + width; ++x)
            if (strip.At(x, y) == colour) found.push_back({x, y});
    return found;
}

int DigitLeft(int digit) { return kDigitCellWidth * (digit + 1); }

// 4-connected groups of the given pixels.
std::vector<Pixels> Components(const Pixels& pixels) {
    std::set<std::pair<int, int>> left;
    for (const Pixel& p : pixels) left.insert({p.x, p.y});
    std::vector<Pixels> groups;
    while (!left.empty()) {
        Pixels group;
        std::vector<std::pair<int, int>> stack{*left.begin()};
        left.erase(left.begin());
        while (!stack.empty()) {
            auto [x, y] = stack.back();
            stack.pop_back();
            group.push_back({x, y});
            for (auto next : {std::pair{x + 1, y}, std::pair{x - 1, y}, std::pair{x, y + 1}, std::pair{x, y - 1}})
                if (left.erase(next)) stack.push_back(next);
        }
        groups.push_back(group);
    }
    return groups;
}

double Mean(const Pixels& g, int Pixel::*axis) {
    double sum = 0;
    for (const Pixel& p : g) sum += p.*axis;
    return sum / g.size();
}

int Extent(const Pixels& g, int Pixel::*axis) {
    auto [lo, hi] = std::minmax_element(g.begin(), g.end(), [axis](Pixel a, Pixel b) { return a.*axis < b.*axis; });
    return (*hi).*axis - (*lo).*axis;
}

bool IsHorizontal(const Pixels& g) { return Extent(g, &Pixel::x) > Extent(g, &Pixel::y); }

// The seven lit segments of the 8, in the order a to g, found from the picture alone: they must
// be separate, three horizontal ones (a, g, d from the top) and four vertical ones.
std::array<Pixels, 7> SegmentsOfEight(const Image& strip) {
    std::vector<Pixels> across;
    std::vector<Pixels> upright;
    for (auto& g : Components(PixelsOf(strip, DigitLeft(8), kDigitCellWidth, kLit)))
        (IsHorizontal(g) ? across : upright).push_back(g);
    std::array<Pixels, 7> s;
    if (across.size() != 3 || upright.size() != 4) {
        ADD_FAILURE() << "the 8 shows " << across.size() << " horizontal and " << upright.size() << " vertical strokes";
        return s;
    }
    auto byY = [](const Pixels& a, const Pixels& b) { return Mean(a, &Pixel::y) < Mean(b, &Pixel::y); };
    auto byX = [](const Pixels& a, const Pixels& b) { return Mean(a, &Pixel::x) < Mean(b, &Pixel::x); };
    std::sort(across.begin(), across.end(), byY);
    std::sort(upright.begin(), upright.end(), byY);
    std::sort(upright.begin(), upright.begin() + 2, byX);
    std::sort(upright.begin() + 2, upright.end(), byX);
    return {across[0], upright[1], upright[3], across[2], upright[2], upright[0], across[1]};
}

TEST(BuiltinSkinTest, StripHasTheSkinFileSizeAndOnlyTheFourColours) {
    Image strip = RenderBuiltinSkin();
    ASSERT_EQ(strip.width, kStripWidth);
    ASSERT_EQ(strip.height, kStripHeight);
    EXPECT_EQ(std::set<uint32_t>(strip.pixels.begin(), strip.pixels.end()),
              (std::set<uint32_t>{kBlack, kLit, kEdge, kUnlit}));
}

struct DigitCase {
    int digit;
    std::string_view segments;  // lit segments, a to g
};

class DigitSegmentsTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitSegmentsTest, LightsExactlyItsSegmentsOfTheEight) {
    Image strip = RenderBuiltinSkin();
    std::array<Pixels, 7> segments = SegmentsOfEight(strip);
    const DigitCase& c = GetParam();
    int shift = DigitLeft(c.digit) - DigitLeft(8);
    size_t litInSegments = 0;
    for (int s = 0; s < 7; ++s) {
        size_t lit = 0;
        for (const Pixel& p : segments[s]) lit += strip.At(p.x + shift, p.y) == kLit;
        bool expected = c.segments.find(static_cast<char>('a' + s)) != std::string_view::npos;
        EXPECT_EQ(lit, expected ? segments[s].size() : 0) << "segment " << static_cast<char>('a' + s);
        litInSegments += lit;
    }
    EXPECT_EQ(PixelsOf(strip, DigitLeft(c.digit), kDigitCellWidth, kLit).size(), litInSegments)
        << "nothing lit outside the segments";
}

INSTANTIATE_TEST_SUITE_P(AllDigits, DigitSegmentsTest,
                         ::testing::Values(DigitCase{0, "abcdef"}, DigitCase{1, "bc"}, DigitCase{2, "abdeg"},
                                           DigitCase{3, "abcdg"}, DigitCase{4, "bcfg"}, DigitCase{5, "acdfg"},
                                           DigitCase{6, "acdefg"}, DigitCase{7, "abc"}, DigitCase{8, "abcdefg"},
                                           DigitCase{9, "abcdfg"}),
                         [](const auto& info) { return "Digit" + std::to_string(info.param.digit); });

TEST(BuiltinSkinTest, SegmentsAreAboutThreePixelsThick) {
    for (const Pixels& segment : SegmentsOfEight(RenderBuiltinSkin())) {
        ASSERT_FALSE(segment.empty());
        // Count across the middle: rows of a horizontal segment, columns of a vertical one.
        bool horizontal = IsHorizontal(segment);
        int middle = static_cast<int>(Mean(segment, horizontal ? &Pixel::x : &Pixel::y));
        size_t across =
            std::count_if(segment.begin(), segment.end(), [&](Pixel p) { return (horizontal ? p.x : p.y) == middle; });
        EXPECT_GE(across, 3u);
        EXPECT_LE(across, 4u);
    }
}

TEST(BuiltinSkinTest, UnlitSegmentsAreAOnePixelCheckerboard) {
    Image strip = RenderBuiltinSkin();
    Pixels unlit = PixelsOf(strip, 0, kStripWidth, kUnlit);
    ASSERT_FALSE(unlit.empty());
    std::set<int> parities;
    std::set<std::pair<int, int>> dots;
    for (const Pixel& p : unlit) {
        parities.insert((p.x + p.y) % 2);
        dots.insert({p.x, p.y});
    }
    EXPECT_EQ(parities.size(), 1u);
    // Two dots apart in a row have black between them.
    int gaps = 0;
    for (const Pixel& p : unlit) gaps += dots.count({p.x + 2, p.y}) && strip.At(p.x + 1, p.y) == kBlack;
    EXPECT_GT(gaps, 20);
    EXPECT_TRUE(PixelsOf(strip, DigitLeft(8), kDigitCellWidth, kUnlit).empty());
    EXPECT_GT(PixelsOf(strip, DigitLeft(1), kDigitCellWidth, kUnlit).size(), 50u);
}

struct LeanCase {
    const char* name;
    int leanRows;
    int minDrift;  // how far the left edge moves left from the top stroke rows to the bottom ones
    int maxDrift;
};

class LeanTest : public ::testing::TestWithParam<LeanCase> {};

TEST_P(LeanTest, LeftEdgeMovesLeftInOnePixelStepsGoingDown) {
    SkinStyle style = kBuiltinSkinStyle;
    style.leanRows = GetParam().leanRows;
    Image strip = RenderSkinStrip(style);
    // The 8's left strokes, away from the pointed ends at the joints.
    std::vector<Pixel> edges;
    for (int y = 7; y <= 30; ++y) {
        if (y >= 16 && y <= 21) continue;
        for (int x = DigitLeft(8); x < DigitLeft(9); ++x) {
            if (strip.At(x, y) != kBlack) {
                edges.push_back({x, y});
                break;
            }
        }
    }
    ASSERT_EQ(edges.size(), 18u);
    for (size_t i = 1; i < edges.size(); ++i) {
        if (edges[i].y != edges[i - 1].y + 1) continue;
        EXPECT_GE(edges[i - 1].x - edges[i].x, 0) << "row " << edges[i].y;
        EXPECT_LE(edges[i - 1].x - edges[i].x, 1) << "row " << edges[i].y;
    }
    EXPECT_GE(edges.front().x - edges.back().x, GetParam().minDrift);
    EXPECT_LE(edges.front().x - edges.back().x, GetParam().maxDrift);
}

INSTANTIATE_TEST_SUITE_P(Leans, LeanTest,
                         ::testing::Values(LeanCase{"Builtin", kBuiltinSkinStyle.leanRows, 2, 3},
                                           LeanCase{"Upright", 0, 0, 0}, LeanCase{"Steep", 5, 4, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

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
    Pixels dots = PixelsOf(strip, c.left, kSeparatorCellWidth, c.shown);
    auto above = std::count_if(dots.begin(), dots.end(), [](Pixel p) { return p.y < kCellHeight / 2; });
    EXPECT_GT(above, 0);
    EXPECT_GT(static_cast<long>(dots.size()) - above, 0);
    if (c.shown == kLit) {
        EXPECT_EQ(above * 2, static_cast<long>(dots.size())) << "both dots are the same size";
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

TEST_P(SkinStyleTest, DrawsTheBuiltinFiguresInTheStyleColours) {
    const SkinStyle& style = GetParam().style;
    Image strip = RenderSkinStrip(style);
    Image builtin = RenderBuiltinSkin();
    ASSERT_EQ(strip.pixels.size(), builtin.pixels.size());
    std::set<uint32_t> allowed{style.background, style.lit, style.edge};
    if (style.unlitPattern != UnlitPattern::None) allowed.insert(style.unlit);
    for (size_t i = 0; i < strip.pixels.size(); ++i) {
        ASSERT_TRUE(allowed.count(strip.pixels[i])) << i;
        ASSERT_EQ(strip.pixels[i] == style.lit, builtin.pixels[i] == kLit) << i;
    }
    size_t unlit = PixelsOf(strip, DigitLeft(1), kDigitCellWidth, style.unlit).size();
    size_t builtinUnlit = PixelsOf(builtin, DigitLeft(1), kDigitCellWidth, kUnlit).size();
    switch (style.unlitPattern) {
        case UnlitPattern::None: EXPECT_EQ(unlit, 0u); break;
        case UnlitPattern::Checkerboard: EXPECT_EQ(unlit, builtinUnlit); break;
        case UnlitPattern::Solid: EXPECT_GT(unlit, builtinUnlit * 3 / 2); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SkinStyleTest,
    ::testing::Values(StyleCase{"Red", {0, 0xFF0000, 0x800000, 0x5A0000, UnlitPattern::Checkerboard, 8}},
                      StyleCase{"Light", {0xC8D2B4, 0x141E14, 0x646E5A, 0xB4BEA0, UnlitPattern::Solid, 8}},
                      StyleCase{"Plain", {0, 0xFFFFFF, 0x808080, 0x323232, UnlitPattern::None, 8}}),
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
        for (int x = line.x0; x <= line.x1; ++x) ASSERT_EQ(frame.At(x, y), line.colour) << x << "," << y;
}

constexpr uint32_t kDarkGrey = Rgb(49, 49, 49);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kLightGrey = Rgb(212, 208, 200);

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
