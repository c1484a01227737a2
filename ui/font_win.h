#pragma once
// The one dialog font of the program and the fonts derived from it.
#include <windows.h>

#include "ui/handles_win.h"

namespace tikora::ui {

enum class FontBase {
    Designer,       // "MS Sans Serif", 11 pixels at 96 DPI: what the forms were laid out with
    SystemMessage,  // the system's message font (non-client metrics); the designer font without one
};

// Makes a font of the dialog family; `weight` is FW_NORMAL, FW_BOLD...
UniqueFont MakeDialogFont(FontBase base = FontBase::Designer, LONG weight = FW_NORMAL);

// A font of a named face, `pixels96` high at 96 DPI (character height, as the designer gives it).
UniqueFont MakeFont(const char* face, int pixels96, LONG weight = FW_NORMAL, bool underline = false);

// The shared designer font every control gets unless its form asks for another. Lives for the run.
HFONT DialogFont();

}  // namespace tikora::ui
