#include "calculator/calc_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace tikora {
namespace {

TEST(CalcGlyphsTest, StripHoldsSixGlyphsInTheirInk) {
    const Image strip = MakeCalcGlyphStrip();
    ASSERT_EQ(strip.width, 84);
    ASSERT_EQ(strip.height, 13);
    const uint32_t inks[kCalcGlyphCount] = {kCalcGlyphBlack,  kCalcGlyphBlack, kCalcGlyphBlack,
                                            kCalcGlyphPurple, kCalcGlyphPurple, kCalcGlyphPurple};
    std::set<std::vector<bool>> shapes;
    for (int g = 0; g < kCalcGlyphCount; ++g) {
        std::vector<bool> shape;
        for (int y = 0; y < kCalcGlyphHeight; ++y) {
            for (int x = 0; x < kCalcGlyphWidth; ++x) {
                const uint32_t pixel = strip.At(g * kCalcGlyphWidth + x, y);
                EXPECT_TRUE(pixel == kCalcGlyphTransparent || pixel == inks[g]) << g << " at " << x << "," << y;
                shape.push_back(pixel != kCalcGlyphTransparent);
            }
        }
        EXPECT_GT(std::count(shape.begin(), shape.end(), true), 8) << g;
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), static_cast<size_t>(kCalcGlyphCount));  // no two glyphs alike
}

}  // namespace
}  // namespace tikora
