// The group box container: its window class, painting and the routing to its controls.
#include "ui/group_box_win.h"

#include <string>

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/handles_win.h"

namespace tikora::ui {

void GroupBox::Create(HWND parent, const Args& args) {
    EnsureControlClass("TikoraGroupBox", &GroupBox::Proc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowed(parent, "TikoraGroupBox", args.text, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, args.at,
                   args.common);
}

LRESULT CALLBACK GroupBox::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = static_cast<GroupBox*>(FromHandle(hwnd));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        if (Route(message, wParam, lParam, result)) return result;
        switch (message) {
            case WM_PAINT: self->Paint(); return 0;
            case WM_SETTEXT: InvalidateRect(hwnd, nullptr, TRUE); break;
            // A window class of our own keeps its font itself.
            case WM_SETFONT:
                self->font_ = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            case WM_GETFONT: return reinterpret_cast<LRESULT>(self->font_);
            // Keys for the form (Esc, Enter) go on to it.
            case WM_COMMAND: return SendMessageA(GetParent(hwnd), message, wParam, lParam);
        }
    } catch (...) {
        Application::Instance().HandleError(std::current_exception());
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void GroupBox::Paint() {
    PaintDc paint(Hwnd());
    HDC dc = paint.get();
    RECT r{};
    GetClientRect(Hwnd(), &r);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
    SelectedObject selected(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    // The frame runs through the middle of the caption's line.
    RECT frame = r;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::string caption = Text();
    if (caption.empty()) return;
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    RECT text{r.left + 8, r.top, r.left + 8 + size.cx + 2, r.top + metrics.tmHeight};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tikora::ui
