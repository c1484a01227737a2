#pragma once
// Snapping the clock window to the edges of the screen's work area at the end of a drag.
// Only the arithmetic lives here; the Win32 shell asks the system for the taskbar rectangle and
// the screen size at WM_EXITSIZEMOVE and moves the window to the position computed.
#include "core/platform.h"

namespace tikora {

inline constexpr int kDefaultSnapThreshold = 30;
// The clock window overrides the component's default once it is constructed.
inline constexpr int kClockSnapThreshold = 15;

// The window's frame as it is when the move loop ends.
struct WindowFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The state of the snapping component. `Active` is the program's only record of the `scotch`
// option while it runs, so the settings dialog reads and writes it here.
class SnapSettings {
public:
    bool Active() const { return active; }
    void SetActive(bool value) { active = value; }
    int Threshold() const { return threshold; }
    void SetThreshold(int value) { threshold = value; }

private:
    bool active = true;
    int threshold = kDefaultSnapThreshold;
};

// The screen less the taskbar. The taskbar is recognised only when it overhangs the screen by
// exactly 2 pixels on its three outer sides (the classic docked taskbar); any other rectangle,
// for instance one lying wholly inside the screen, leaves the whole screen as the work area.
Rect WorkArea(const Rect& taskbar, int screenWidth, int screenHeight);

// New top-left corner of the window. The four edge tests run in the order left, top, right,
// bottom, each on the result of the previous one, with strict comparisons: a window exactly
// `threshold` pixels from an edge stays put, and when the window is too wide (or too high) for
// both edges the right (or bottom) edge wins.
Point SnapToWorkArea(const Rect& workArea, const WindowFrame& window, int threshold);

// Where a snap learns the taskbar's rectangle and the screen size; asked afresh at every snap,
// since the user may have moved the taskbar meanwhile.
class DesktopGeometry {
public:
    virtual ~DesktopGeometry() = default;
    virtual Rect TaskbarRect() = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
};

Point Snap(const Rect& taskbar, int screenWidth, int screenHeight, const WindowFrame& window, int threshold);

}  // namespace tikora
