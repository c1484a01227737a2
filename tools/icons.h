#pragma once
// The generated icon pictures, drawn at any size from the same outlines.
#include "tools/canvas.h"
#include "tools/ico_writer.h"

namespace tikora {

struct ClockIconColours {
    Rgba rimTop;
    Rgba rimBottom;
    Rgba face;
    Rgba marks;
    Rgba centre;
};

// Steel rim, for the tray icon chooser.
inline constexpr ClockIconColours kPlainClockColours{Colour(120, 132, 146), Colour(44, 52, 64), Colour(250, 251, 252),
                                                     Colour(30, 36, 48), Colour(208, 48, 32)};
// Cyan rim matching the built-in skin, for the program's own icon.
inline constexpr ClockIconColours kProgramClockColours{Colour(40, 200, 220), Colour(8, 86, 104), Colour(252, 253, 253),
                                                       Colour(16, 40, 52), Colour(0, 150, 175)};

// A round analogue clock showing ten past ten.
ArgbImage DrawClockIcon(int size, const ClockIconColours& colours);
// A small black display with two cyan seven-segment eights.
ArgbImage DrawDigitalIcon(int size);
// A golden alarm bell with its clapper.
ArgbImage DrawBellIcon(int size);

}  // namespace tikora
