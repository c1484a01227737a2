#include "ui/controls_win.h"

#include <string>

#include "core/errors.h"
#include "ui/dpi_win.h"
#include "ui/handles_win.h"

namespace tikora::ui {

HFONT DialogFont() {
    static UniqueFont font([] {
        LOGFONTA lf{};
        lf.lfHeight = -Scale(11);
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        return CreateFontIndirectA(&lf);
    }());
    return font.get();
}

HWND CreateControl(HWND parent, const ControlSpec& spec) {
    RECT r = ScaleRect(spec.x, spec.y, spec.width, spec.height);
    HWND control = CreateWindowExA(spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (!control) throw AppError(std::string("Cannot create control ") + spec.className);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font ? spec.font : DialogFont()), FALSE);
    return control;
}

}  // namespace tikora::ui
