#pragma once
// A web link drawn as text: blue and underlined in its own font, a hand cursor over it. It is a
// button underneath, so the keyboard reaches it (Tab, then Enter or Space) and screen readers read
// its text; a click runs onClick.
#include <windows.h>

#include "ui/controls_win.h"
#include "ui/subclass_win.h"
#include "ui/text_fit_win.h"

namespace tikora::ui {

class LinkLabel final : public Control {
public:
    struct Args {
        Bounds at;  // width or height 0: the size of the text in the font
        const char* text = "";
        CommonArgs common;  // common.font: the link's font, underlined by the caller's choice
    };
    void Create(HWND parent, const Args& args);
    Callback onClick;

    static constexpr COLORREF kColour = RGB(0, 0, 255);

protected:
    void OnCommand(int code, int id) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    Subclass subclass_;
};

}  // namespace tikora::ui
