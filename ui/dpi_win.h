#pragma once
// Layout values are written in pixels at 96 DPI and go through Scale() on their way to the system.
#include <windows.h>

namespace tikora::ui {

// The system DPI, read once. The manifest declares the program DPI-aware.
int SystemDpi();
int Scale(int value96);
RECT ScaleRect(int x, int y, int width, int height);

}  // namespace tikora::ui
