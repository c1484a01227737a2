#pragma once
// Child controls from small argument structs, at 96-DPI positions.
#include <windows.h>

namespace tikora::ui {

struct ControlSpec {
    const char* className = "STATIC";
    const char* text = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int id = 0;
    HFONT font = nullptr;  // nullptr: the dialog font
};

// WS_CHILD | WS_VISIBLE are added. Throws AppError when the control cannot be created.
HWND CreateControl(HWND parent, const ControlSpec& spec);

// "MS Sans Serif" 8 pt (11 pixels at 96 DPI), the font of the program's dialogs.
HFONT DialogFont();

}  // namespace tikora::ui
