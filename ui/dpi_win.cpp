// DPI scaling of the 96-DPI layout values.
#include "ui/dpi_win.h"

namespace tikora::ui {

int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Scale(int value96) { return MulDiv(value96, SystemDpi(), 96); }

RECT ScaleRect(int x, int y, int width, int height) {
    return RECT{Scale(x), Scale(y), Scale(x) + Scale(width), Scale(y) + Scale(height)};
}

}  // namespace tikora::ui
