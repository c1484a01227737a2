#pragma once
// Controls sized to their text. The forms were laid out with a font that may not be on the system
// (Wine substitutes a wider one): a caption laid out to fit exactly would be cut. A text must never
// be cut, so text controls grow from their designed bounds when the font in use needs more.
#include <windows.h>

#include "ui/control_win.h"

namespace tikora::ui {

// Room a check box or radio button needs beside its caption for the box or the circle.
inline constexpr int kCheckMarkRoom = 20;

// The size of one line of text in a font (null: the dialog font), in 96-DPI pixels.
SIZE TextSize96(HFONT font, const char* text);

// The designer's bounds, widened and heightened where the text (lines split at "\n") in this
// font needs more, plus `extra` pixels beside it (kCheckMarkRoom for a check box).
Bounds GrowToText(Bounds at, HFONT font, const char* text, int extra = 0);

}  // namespace tikora::ui
