// Measuring captions in the font in use, and growing designed bounds to fit them.
#include "ui/text_fit_win.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/dpi_win.h"
#include "ui/font_win.h"

namespace tikora::ui {

SIZE TextSize96(HFONT font, const char* text) {
    SIZE size{};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font ? font : DialogFont());
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int dpi = SystemDpi();
    return SIZE{MulDiv(size.cx, 96, dpi) + 1, MulDiv(size.cy, 96, dpi)};
}

Bounds GrowToText(Bounds at, HFONT font, const char* text, int extra) {
    int width = 0;
    int height = 0;
    const std::string all = text;
    for (size_t start = 0; start <= all.size();) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const SIZE size = TextSize96(font, line.empty() ? " " : line.c_str());
        width = std::max(width, static_cast<int>(size.cx));
        height += size.cy;
        start = end + 1;
    }
    at.width = std::max(at.width, width + extra);
    at.height = std::max(at.height, height);
    return at;
}

}  // namespace tikora::ui
