#include "calculator/calc_glyphs.h"

#include <cstddef>

namespace tikora {

namespace {

using GlyphRows = const char* const[kCalcGlyphHeight];

// '#' is ink, anything else the transparent background.
const GlyphRows kCross = {
    "..............", "..............", "..##......##..", "...##....##...", "....##..##....",
    ".....####.....", "......##......", ".....####.....", "....##..##....", "...##....##...",
    "..##......##..", "..............", "..............",
};
const GlyphRows kCheck = {
    "..............", "..............", "..............", "...........##.", "..........##..",
    ".........##...", "..##....##....", "..###..##.....", "...#####......", "....###.......",
    ".....#........", "..............", "..............",
};
const GlyphRows kPlusMinus = {
    "..............", "..............", "......##......", "......##......", "....######....",
    "....######....", "......##......", "......##......", "..............", "....######....",
    "....######....", "..............", "..............",
};
const GlyphRows kTimes = {
    "..............", "..............", "..............", "...##....##...", "....##..##....",
    ".....####.....", "......##......", ".....####.....", "....##..##....", "...##....##...",
    "..............", "..............", "..............",
};
const GlyphRows kMinus = {
    "..............", "..............", "..............", "..............", "..............",
    "...########...", "...########...", "..............", "..............", "..............",
    "..............", "..............", "..............",
};
const GlyphRows kPlus = {
    "..............", "..............", "......##......", "......##......", "......##......",
    "...########...", "...########...", "......##......", "......##......", "......##......",
    "..............", "..............", "..............",
};

struct GlyphDef {
    const GlyphRows* rows;
    uint32_t ink;
};

// In strip order, as CalcGlyph numbers them.
const GlyphDef kGlyphs[kCalcGlyphCount] = {
    {&kCross, kCalcGlyphBlack},  {&kCheck, kCalcGlyphBlack}, {&kPlusMinus, kCalcGlyphBlack},
    {&kTimes, kCalcGlyphPurple}, {&kMinus, kCalcGlyphPurple}, {&kPlus, kCalcGlyphPurple},
};

}  // namespace

Image MakeCalcGlyphStrip() {
    Image strip(kCalcGlyphWidth * kCalcGlyphCount, kCalcGlyphHeight, kCalcGlyphTransparent);
    for (int g = 0; g < kCalcGlyphCount; ++g) {
        for (int y = 0; y < kCalcGlyphHeight; ++y) {
            const char* row = (*kGlyphs[g].rows)[y];
            for (int x = 0; x < kCalcGlyphWidth && row[x] != '\0'; ++x) {
                if (row[x] == '#') strip.At(g * kCalcGlyphWidth + x, y) = kGlyphs[g].ink;
            }
        }
    }
    return strip;
}

}  // namespace tikora
