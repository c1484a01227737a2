#pragma once
// A panel of any background and text colour: a container (the labels inside it are drawn on its
// colour) and a cell that carries a centred text, with an optional 1-pixel bevel and a border
// inside it. It reports a press of the left button, and its size changes.
#include <windows.h>

#include <functional>

#include "ui/control_win.h"
#include "ui/controls_win.h"
#include "ui/handles_win.h"

namespace tikora::ui {

class ColourPanel final : public Control {
public:
    struct Args {
        Bounds at;  // as for every control: the form's client area, 96-DPI pixels
        Panel::Bevel bevel = Panel::Bevel::Raised;
        int border = 0;  // device pixels left free inside the bevel
        COLORREF background = GetSysColor(COLOR_BTNFACE);
        COLORREF textColour = GetSysColor(COLOR_WINDOWTEXT);
        const char* text = "";
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);

    // Each repaints only when something changed, so a refresh that changes nothing costs nothing.
    void SetColours(COLORREF background, COLORREF textColour);
    void SetBevel(Panel::Bevel bevel);
    void SetFont(HFONT font);
    COLORREF Background() const { return background_; }
    COLORREF TextColour() const { return textColour_; }
    // The area inside the bevel and the border, in the panel's client coordinates.
    RECT Inner() const;

    std::function<void()> onLeftPress;
    // Runs before every paint (a widget that recomputes itself whenever it is drawn).
    std::function<void()> onPaint;
    std::function<void(int width, int height)> onResize;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Paint();

    Panel::Bevel bevel_ = Panel::Bevel::Raised;
    int border_ = 0;
    COLORREF background_ = 0;
    COLORREF textColour_ = 0;
    HFONT font_ = nullptr;
    UniqueBrush brush_;
};

}  // namespace tikora::ui
