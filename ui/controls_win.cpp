#include "ui/controls_win.h"

#include <string>

#include "core/errors.h"
#include "ui/dpi_win.h"
#include "ui/handles_win.h"

namespace tikora::ui {

HFONT dialogFont() {
    static UniqueFont font([] {
        LOGFONTA lf{};
        lf.lfHeight = -scale(11);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        return CreateFontIndirectA(&lf);
    }());
    return font.get();
}

HWND createControl(HWND parent, const ControlSpec& spec) {
    RECT r = scaleRect(spec.x, spec.y, spec.width, spec.height);
    HWND control = CreateWindowExA(spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) throw AppError(std::string("Cannot create control ") + spec.className);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font ? spec.font : dialogFont()), FALSE);
    return control;
}

}  // namespace tikora::ui
