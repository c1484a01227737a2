#include "ui/dpi_win.h"

namespace tikora::ui {

int systemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int scale(int value96) { return MulDiv(value96, systemDpi(), 96); }

RECT scaleRect(int x, int y, int width, int height) {
    return RECT{scale(x), scale(y), scale(x) + scale(width), scale(y) + scale(height)};
}

}  // namespace tikora::ui
