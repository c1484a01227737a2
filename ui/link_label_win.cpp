// The link label: an owner-drawn button with the link's look and a hand cursor.
#include "ui/link_label_win.h"

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

void LinkLabel::Create(HWND parent, const Args& args) {
    Bounds at = args.at;
    if (at.width == 0 || at.height == 0) {
        const SIZE size = TextSize96(args.common.font, args.text);
        if (at.width == 0) at.width = size.cx;
        if (at.height == 0) at.height = size.cy;
    }
    CreateWindowed(parent, "BUTTON", args.text, BS_OWNERDRAW | WS_TABSTOP, 0, at, args.common);
    subclass_.Install(Hwnd(), [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return Handle(hwnd, message, wParam, lParam);
    });
}

LRESULT LinkLabel::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        case WM_GETDLGCODE:
            // Enter opens the focused link instead of pressing the dialog's default button.
            if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
                return DLGC_WANTMESSAGE | DLGC_BUTTON;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                if (onClick) onClick();
                return 0;
            }
            break;
        default: break;
    }
    return subclass_.Previous(hwnd, message, wParam, lParam);
}

void LinkLabel::OnCommand(int code, int) {
    if (code == BN_CLICKED && onClick) onClick();
}

bool LinkLabel::OnDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kColour);
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &r);
    return true;
}

}  // namespace tikora::ui
