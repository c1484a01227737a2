#pragma once
// The six button pictures of the calculator dialog, drawn by code into one strip so the program
// carries no picture files for them.
#include "core/image.h"

namespace tikora {

inline constexpr const char* kCalcGlyphStripName = "CalculatorPanelBUTTONS";
inline constexpr int kCalcGlyphWidth = 14;
inline constexpr int kCalcGlyphHeight = 13;
inline constexpr int kCalcGlyphCount = 6;
// The strip's background colour, left out when a glyph is drawn.
inline constexpr uint32_t kCalcGlyphTransparent = Rgb(255, 0, 255);
inline constexpr uint32_t kCalcGlyphBlack = Rgb(0, 0, 0);
inline constexpr uint32_t kCalcGlyphPurple = Rgb(128, 0, 128);

// Positions in the strip.
enum class CalcGlyph { Cancel, Ok, PlusMinus, Multiply, Minus, Plus };

// 84 x 13 pixels: X, check mark, plus-minus (black), multiplication cross, minus, plus (purple).
Image MakeCalcGlyphStrip();

}  // namespace tikora
