#pragma once
// Layout values are written in pixels at 96 DPI and go through scale() on their way to the system.
#include <windows.h>

namespace tikora::ui {

// The system DPI, read once. The manifest declares the program DPI-aware.
int systemDpi();
int scale(int value96);
RECT scaleRect(int x, int y, int width, int height);

}  // namespace tikora::ui
