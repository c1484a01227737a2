#include "clock/snap.h"

namespace tikora {

namespace {
// A docked taskbar reaches 2 pixels beyond the screen on each of its outer sides.
constexpr int kTaskbarOverhang = 2;
}  // namespace

Rect WorkArea(const Rect& taskbar, int screenWidth, int screenHeight) {
    Rect area{0, 0, screenWidth, screenHeight};
    const int outerLeft = -kTaskbarOverhang;
    const int outerTop = -kTaskbarOverhang;
    const int outerRight = screenWidth + kTaskbarOverhang;
    const int outerBottom = screenHeight + kTaskbarOverhang;
    const Rect& t = taskbar;
    if (t.left == outerLeft && t.bottom == outerBottom && t.right == outerRight) {
        area.bottom = t.top;
    } else if (t.top == outerTop && t.left == outerLeft && t.right == outerRight) {
        area.top = t.bottom;
    } else if (t.left == outerLeft && t.top == outerTop && t.bottom == outerBottom) {
        area.left = t.right;
    } else if (t.right == outerRight && t.top == outerTop && t.bottom == outerBottom) {
        area.right = t.left;
    }
    return area;
}

Point SnapToWorkArea(const Rect& workArea, const WindowFrame& window, int threshold) {
    Point p{window.left, window.top};
    if (p.x < workArea.left + threshold) p.x = workArea.left;
    if (p.y < workArea.top + threshold) p.y = workArea.top;
    if (p.x + window.width > workArea.right - threshold) p.x = workArea.right - window.width;
    if (p.y + window.height > workArea.bottom - threshold) p.y = workArea.bottom - window.height;
    return p;
}

Point Snap(const Rect& taskbar, int screenWidth, int screenHeight, const WindowFrame& window, int threshold) {
    return SnapToWorkArea(WorkArea(taskbar, screenWidth, screenHeight), window, threshold);
}

}  // namespace tikora
