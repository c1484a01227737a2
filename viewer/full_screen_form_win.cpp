// The full-screen views' common part: maximised borderless window, scrolled picture box, clock hiding.
#include "viewer/full_screen_form_win.h"

#include "viewer/full_screen_logic.h"

namespace tikora {

namespace {

constexpr int kLineStep = 16;  // pixels per click on a scroll arrow

ui::FormSpec ViewSpec(ui::FormName name, COLORREF background) {
    ui::FormSpec spec;
    spec.className = name.className;
    spec.caption = name.caption;
    spec.border = ui::BorderStyle::None;
    spec.clientWidth = GetSystemMetrics(SM_CXSCREEN);
    spec.clientHeight = GetSystemMetrics(SM_CYSCREEN);
    spec.outerSize = true;
    spec.dialogKeys = false;  // the arrow keys browse, Esc leaves: no dialog navigation
    spec.background = static_cast<HBRUSH>(GetStockObject(background == RGB(0, 0, 0) ? BLACK_BRUSH : GRAY_BRUSH));
    return spec;
}

}  // namespace

FullScreenForm::FullScreenForm(ui::FormName name, COLORREF background, HCURSOR imageCursor, FullScreenView view,
                               std::shared_ptr<FullScreenClock> clock)
    : ui::Form(ViewSpec(name, background)),
      background_(background),
      imageCursor_(imageCursor),
      view_(view),
      clock_(std::move(clock)) {}

FullScreenForm::~FullScreenForm() { Destroy(); }

void FullScreenForm::OnCreate() {
    image_.Create(Hwnd(), {.at = {0, 0, 1, 1}, .background = background_, .text = "", .cursor = imageCursor_});
    image_.onClick = [this] { OnImageClick(); };
    CreateControls();
    LayOut();
}

SIZE FullScreenForm::ScreenSize() const {
    RECT r{};
    GetWindowRect(Hwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void FullScreenForm::SetScrollRanges(int width, int height) {
    rangeWidth_ = std::max(0, width);
    rangeHeight_ = std::max(0, height);
    LayOut();
}

void FullScreenForm::SetScrollPositions(int position) {
    positionX_ = position;
    positionY_ = position;
    LayOut();
}

void FullScreenForm::ScrollToCorner() {
    for (int position : {0, 1, 0}) SetScrollPositions(position);
}

void FullScreenForm::ShowMaximised() {
    // Not through WM_SHOWWINDOW, which a maximising show does not always send.
    if (!Visible()) {
        OnShowing();
        if (clock_) clock_->ViewOpened(view_);
    }
    ShowWindow(Hwnd(), SW_SHOWMAXIMIZED);
    SetForegroundWindow(Hwnd());
    SetFocus(Hwnd());
    LayOut();
}

void FullScreenForm::LayOut() {
    if (layingOut_ || !Hwnd() || !image_.Hwnd()) return;
    layingOut_ = true;
    const SIZE area = ScreenSize();
    const ScrollLayout layout = LayOutScrolling(area.cx, area.cy, rangeWidth_, rangeHeight_, GetSystemMetrics(SM_CXVSCROLL),
                                                GetSystemMetrics(SM_CYHSCROLL), positionX_, positionY_);
    positionX_ = layout.horizontal.position;
    positionY_ = layout.vertical.position;
    const auto apply = [this](int bar, const ScrollAxis& axis, int range) {
        ShowScrollBar(Hwnd(), bar, axis.bar);
        if (!axis.bar) return;
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, range - 1, static_cast<UINT>(axis.client),
                        axis.position, 0};
        SetScrollInfo(Hwnd(), bar, &info, TRUE);
    };
    apply(SB_HORZ, layout.horizontal, rangeWidth_);
    apply(SB_VERT, layout.vertical, rangeHeight_);
    MoveWindow(image_.Hwnd(), layout.horizontal.boxOffset, layout.vertical.boxOffset, layout.horizontal.boxLength,
               layout.vertical.boxLength, TRUE);
    OnLaidOut(layout.horizontal.client, layout.vertical.client);
    layingOut_ = false;
}

void FullScreenForm::OnScrollBar(int bar, int code) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(Hwnd(), bar, &info);
    int& position = bar == SB_HORZ ? positionX_ : positionY_;
    const int page = static_cast<int>(info.nPage);
    switch (code) {
        case SB_LINEUP: position -= kLineStep; break;
        case SB_LINEDOWN: position += kLineStep; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = info.nMax; break;
        default: return;
    }
    LayOut();
}

LRESULT FullScreenForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN: OnKey(static_cast<int>(wParam)); return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            // The window's own bars (a control's would name itself in lParam).
            if (lParam == 0) {
                OnScrollBar(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            // Hidden by the program (lParam 0): the clock comes back if this view hid it.
            if (!wParam && lParam == 0 && clock_) clock_->ViewClosed(view_);
            break;
        case WM_SIZE: {
            const LRESULT result = ui::Form::OnMessage(message, wParam, lParam);
            LayOut();
            return result;
        }
    }
    return ui::Form::OnMessage(message, wParam, lParam);
}

}  // namespace tikora
