#include "clock/snapper_win.h"

#include <shellapi.h>

#include "core/errors.h"

namespace tikora {

namespace {
// The component is found from its window through this property.
constexpr const char* kSnapperProperty = "TikoraSnapper";
}  // namespace

Rect SystemDesktopGeometry::TaskbarRect() {
    APPBARDATA data{};
    data.cbSize = sizeof data;  // 36 bytes in the 32-bit build
    SHAppBarMessage(ABM_GETTASKBARPOS, &data);
    return {data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
}

int SystemDesktopGeometry::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int SystemDesktopGeometry::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

Snapper::Snapper(HWND owner, DesktopGeometry& desktop) : owner_(owner), desktop_(desktop) {
    if (!owner_ || GetPropA(owner_, kSnapperProperty))
        throw AppError("A window can hold only one snapping component");
    SetPropA(owner_, kSnapperProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Snapper::Hook)));
}

Snapper::~Snapper() { Unhook(); }

void Snapper::Unhook() {
    if (!owner_) return;
    if (IsWindow(owner_)) {
        // Someone who hooked the window after us keeps our procedure as theirs; only when we are
        // still the window's procedure can the previous one be put back.
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(owner_, GWLP_WNDPROC)) == &Snapper::Hook)
            SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(owner_, kSnapperProperty);
    }
    owner_ = nullptr;
}

void Snapper::Snap() {
    RECT r;
    if (!GetWindowRect(owner_, &r)) return;
    WindowFrame frame{r.left, r.top, r.right - r.left, r.bottom - r.top};
    Point to = tikora::Snap(desktop_.TaskbarRect(), desktop_.ScreenWidth(), desktop_.ScreenHeight(), frame,
                            settings_.Threshold());
    if (to.x != r.left || to.y != r.top)
        SetWindowPos(owner_, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Snapper::Hook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Snapper*>(GetPropA(window, kSnapperProperty));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    WNDPROC previous = self->previous_;
    if (message == WM_EXITSIZEMOVE && self->settings_.Active()) self->Snap();
    if (message == WM_NCDESTROY) self->Unhook();
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace tikora
