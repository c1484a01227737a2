#include "clock/translucency_win.h"

#include "ui/application_win.h"

namespace tikora {

SetLayeredWindowAttributesFn FindSetLayeredWindowAttributes() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

void SetWindowAlpha(HWND window, BYTE alpha, SetLayeredWindowAttributesFn setAttributes,
                    const std::function<void(const std::string&)>& report) {
    LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    // 0 is also the answer of a success on a window without extended styles; only the cleared
    // last error tells the two apart.
    SetLastError(0);
    if (SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED) == 0 && GetLastError() != 0)
        report(ui::SystemErrorText(GetLastError()));
    if (!setAttributes) return;
    if (!setAttributes(window, 0, alpha, LWA_ALPHA)) report(ui::SystemErrorText(GetLastError()));
}

}  // namespace tikora
