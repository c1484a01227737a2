#include <gtest/gtest.h>

#include "clock/builtin_skin.h"
#include "clock/glyphs.h"
#include "core/errors.h"

using namespace tikora;

namespace {

// A strip whose every column carries its own index, so cells can be told apart.
Image NumberedStrip(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = static_cast<uint32_t>(x * 1000 + y);
    return image;
}

TEST(GlyphSetsTest, SizeCheck) {
    struct Case {
        int width;
        int height;
        bool accepted;
        int digitCells;
        int separatorCells;
    };
    const Case cases[] = {
        {286, 37, true, 11, 22}, {285, 37, false, 0, 0}, {286, 36, false, 0, 0},
        {1, 1, false, 0, 0},     {300, 40, true, 11, 23}, {572, 37, true, 22, 44},
    };
    for (const Case& c : cases) {
        GlyphSets sets;
        sets.Load(RenderBuiltinSkin());
        ASSERT_EQ(sets.digits.Count(), 11);
        if (c.accepted) {
            sets.Load(NumberedStrip(c.width, c.height));
        } else {
            try {
                sets.Load(NumberedStrip(c.width, c.height));
                ADD_FAILURE() << c.width << "x" << c.height << " was accepted";
            } catch (const AppError& e) {
                EXPECT_STREQ(e.what(), "Invalid image size");
            }
        }
        // A refused strip leaves the face without glyphs: both sets were emptied first.
        EXPECT_EQ(sets.digits.Count(), c.digitCells) << c.width << "x" << c.height;
        EXPECT_EQ(sets.separators.Count(), c.separatorCells) << c.width << "x" << c.height;
        EXPECT_EQ(sets.digits.Has(1), c.accepted);
    }
}

TEST(GlyphSetsTest, CellsAreCutFromTheLeftAndTopRowsKept) {
    GlyphSets sets;
    sets.Load(NumberedStrip(286, 50));
    const Image& digits = *sets.digits.Strip();
    const Image& separators = *sets.separators.Strip();
    ASSERT_EQ(digits.height, 37);
    // Digit d sits in strip cell d+1: its first column is 26(d+1).
    for (int d = 0; d <= 9; ++d) EXPECT_EQ(digits.At(26 * (d + 1), 0), static_cast<uint32_t>(26 * (d + 1) * 1000));
    // Separator cells 0 and 1 are the two halves of strip cell 0.
    EXPECT_EQ(separators.At(0, 5), 5u);
    EXPECT_EQ(separators.At(13, 36), 13u * 1000 + 36);
}

TEST(GlyphSetsTest, RefusedStripDoesNotLeaveOldCells) {
    GlyphSets sets;
    sets.Load(RenderBuiltinSkin());
    EXPECT_THROW(sets.Load(NumberedStrip(200, 37)), AppError);
    EXPECT_FALSE(sets.digits.Strip().has_value());
    EXPECT_FALSE(sets.separators.Has(0));
}

}  // namespace
