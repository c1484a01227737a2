// The link label: an owner-drawn button with the link's look and a hand cursor.
#include "ui/link_label_win.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/dpi_win.h"
#include "ui/font_win.h"
#include "ui/text_fit_win.h"

namespace tikora::ui {

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
