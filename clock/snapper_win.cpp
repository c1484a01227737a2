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
    // The hook finds this object through its own procedure, not through the property: reading a
    // property is a server round trip under Wine, and the clock's window sees fifty timer
    // messages a second.
    hook_.Install(owner_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_EXITSIZEMOVE && settings_.Active()) Snap();
        return hook_.Previous(window, message, wParam, lParam);
    });
}

Snapper::~Snapper() { Unhook(); }

void Snapper::Unhook() {
    if (!owner_) return;
    hook_.Remove();
    if (IsWindow(owner_)) RemovePropA(owner_, kSnapperProperty);
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

}  // namespace tikora
