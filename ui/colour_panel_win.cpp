// The coloured panel: its window class, painting, colours for the labels inside it, presses.
#include "ui/colour_panel_win.h"

#include "core/errors.h"
#include "ui/application_win.h"

namespace tikora::ui {

void ColourPanel::Create(HWND parent, const Args& args) {
    EnsureControlClass("TikoraColourPanel", &ColourPanel::Proc);
    bevel_ = args.bevel;
    border_ = args.border;
    background_ = args.background;
    textColour_ = args.textColour;
    brush_.reset(CreateSolidBrush(background_));
    CreateWindowed(parent, "TikoraColourPanel", args.text, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, args.at,
                   args.common);
}

void ColourPanel::SetColours(COLORREF background, COLORREF textColour) {
    if (background == background_ && textColour == textColour_) return;
    if (background != background_) brush_.reset(CreateSolidBrush(background));
    background_ = background;
    textColour_ = textColour;
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ColourPanel::SetBevel(Panel::Bevel bevel) {
    if (bevel == bevel_) return;
    bevel_ = bevel;
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void ColourPanel::SetFont(HFONT font) {
    if (font != font_) SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

RECT ColourPanel::Inner() const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    const int inset = (bevel_ == Panel::Bevel::None ? 0 : 1) + border_;
    InflateRect(&r, -inset, -inset);
    return r;
}

LRESULT CALLBACK ColourPanel::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = static_cast<ColourPanel*>(FromHandle(hwnd));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        if (Route(message, wParam, lParam, result)) return result;
        switch (message) {
            case WM_ERASEBKGND: return 1;  // WM_PAINT fills everything
            case WM_PAINT:
                if (self->onPaint) self->onPaint();
                self->Paint();
                return 0;
            case WM_SIZE:
                ApplyAnchors(hwnd, LOWORD(lParam), HIWORD(lParam));
                if (self->onResize) self->onResize(LOWORD(lParam), HIWORD(lParam));
                return 0;
            case WM_SETTEXT: InvalidateRect(hwnd, nullptr, TRUE); break;
            case WM_SETFONT:
                // The default procedure keeps no font for a class of our own.
                self->font_ = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            case WM_GETFONT: return reinterpret_cast<LRESULT>(self->font_);
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLORBTN: {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, self->background_);
                SetTextColor(dc, self->textColour_);
                return reinterpret_cast<LRESULT>(self->brush_.get());
            }
            case WM_LBUTTONDOWN:  // the class has no CS_DBLCLKS: a quick second press is a press too
                if (self->onLeftPress) self->onLeftPress();
                return 0;
        }
    } catch (...) {
        Application::Instance().HandleError(std::current_exception());
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ColourPanel::Paint() {
    PaintDc paint(Hwnd());
    RECT r{};
    GetClientRect(Hwnd(), &r);
    FillRect(paint.get(), &r, brush_.get());
    if (bevel_ != Panel::Bevel::None)
        DrawEdge(paint.get(), &r, bevel_ == Panel::Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    const std::string caption = Text();
    if (caption.empty()) return;
    r = Inner();
    SelectedObject selected(paint.get(), font_ ? font_ : static_cast<HGDIOBJ>(GetStockObject(DEFAULT_GUI_FONT)));
    SetBkMode(paint.get(), TRANSPARENT);
    SetTextColor(paint.get(), textColour_);
    DrawTextA(paint.get(), caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace tikora::ui
