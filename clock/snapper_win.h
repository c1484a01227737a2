#pragma once
// The snapping component: hooks its owner window's procedure and, at the end of every move
// loop, pulls the window to the edges of the screen's work area when it is `Active`.
#include <windows.h>

#include "ui/subclass_win.h"

#include "clock/snap.h"

namespace tikora {

// SHAppBarMessage(ABM_GETTASKBARPOS) and the screen size from GetSystemMetrics.
class SystemDesktopGeometry final : public DesktopGeometry {
public:
    Rect TaskbarRect() override;
    int ScreenWidth() override;
    int ScreenHeight() override;
};

class Snapper {
public:
    // Installs the hook on the owner's window procedure, keeping the previous one. A window
    // holds at most one snapping component: a second one throws AppError.
    Snapper(HWND owner, DesktopGeometry& desktop);
    ~Snapper();
    Snapper(const Snapper&) = delete;
    Snapper& operator=(const Snapper&) = delete;

    // `Active` and `Threshold`; the settings dialog switches `Active`.
    SnapSettings& Settings() { return settings_; }
    const SnapSettings& Settings() const { return settings_; }

    // Moves the window to the position the snap rule gives for its current frame.
    void Snap();

private:
    void Unhook();

    HWND owner_;
    DesktopGeometry& desktop_;
    ui::Subclass hook_;
    SnapSettings settings_;
};

}  // namespace tikora
