#pragma once
// The pictures the clock window carries from the start: the cyan seven-segment skin strip and
// the bevelled frame. The strip renderer takes a style so the asset generator can draw further
// skins with the same figures in other colours.
#include <cstdint>

#include "core/image.h"

namespace tikora {

inline constexpr int kFrameWidth = 199;
inline constexpr int kFrameHeight = 53;

// How segments that are off are shown.
enum class UnlitPattern {
    None,          // not at all: plain background
    Checkerboard,  // every other pixel, a one-pixel checkerboard
    Solid,         // filled, for faint "ghost" segments on light backgrounds
};

struct SkinStyle {
    uint32_t background = 0;
    uint32_t lit = 0;    // body of a lit segment or separator dot
    uint32_t edge = 0;   // pixels only partly covered by a lit segment
    uint32_t unlit = 0;  // segments and dots that are off
    UnlitPattern unlitPattern = UnlitPattern::Checkerboard;
    // Rows per one-pixel shift to the left going down; 0 keeps the figures upright.
    int leanRows = 0;
};

inline constexpr SkinStyle kBuiltinSkinStyle{
    .background = Rgb(0, 0, 0),
    .lit = Rgb(0, 255, 255),
    .edge = Rgb(0, 128, 128),
    .unlit = Rgb(0, 102, 102),
    .unlitPattern = UnlitPattern::Checkerboard,
    .leanRows = 8,
};

// Segments in the usual lettering: a top, b upper right, c lower right, d bottom, e lower left,
// f upper left, g middle; bit i of a digit's mask is segment 'a' + i.
inline constexpr uint8_t kDigitSegments[10] = {
    0b0111111,  // 0: a b c d e f
    0b0000110,  // 1: b c
    0b1011011,  // 2: a b d e g
    0b1001111,  // 3: a b c d g
    0b1100110,  // 4: b c f g
    0b1101101,  // 5: a c d f g
    0b1111101,  // 6: a c d e f g
    0b0000111,  // 7: a b c
    0b1111111,  // 8: all
    0b1101111,  // 9: a b c d f g
};

// A 286 x 37 strip in the skin file layout: separator off (columns 0-12) and on (13-25), then
// digit d in columns 26(d+1) to 26(d+1)+25.
Image RenderSkinStrip(const SkinStyle& style);

// The built-in skin, the strip drawn in kBuiltinSkinStyle.
Image RenderBuiltinSkin();

// The 199 x 53 frame: black inside a bevel of three one-pixel lines.
Image RenderFrame();

}  // namespace tikora
