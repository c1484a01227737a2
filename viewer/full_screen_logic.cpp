// The full-screen views' keys, browsing steps, caption line and scroll arithmetic.
#include "viewer/full_screen_logic.h"

#include <algorithm>
#include <cstdio>

namespace tikora {

namespace {

constexpr int kEscape = 0x1B;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;

ScrollAxis Axis(bool bar, int client, int extent, int position) {
    ScrollAxis axis;
    axis.bar = bar;
    axis.client = std::max(0, client);
    axis.maxPosition = std::max(0, extent - axis.client);
    axis.position = std::clamp(position, 0, axis.maxPosition);
    axis.boxOffset = -axis.position;
    axis.boxLength = std::max(axis.client, extent);
    return axis;
}

}  // namespace

BrowseKey BrowseKeyFor(int virtualKey) {
    switch (virtualKey) {
        case kEscape: return BrowseKey::Leave;
        case kRight:
        case kDown: return BrowseKey::Next;
        case kLeft:
        case kUp: return BrowseKey::Previous;
        default: return BrowseKey::None;
    }
}

int StepBrowsingIndex(int index, int count, int step) {
    if (count <= 0) return 0;
    if (index < 0 || index >= count) return 0;
    const int next = index + step;
    if (next > count - 1) return 0;
    if (next < 0) return count - 1;
    return next;
}

std::string LoadingCaption(const std::string& path) { return " " + path + " "; }

std::string PictureCaption(const std::string& path, int width, int height) {
    char size[32];
    std::snprintf(size, sizeof size, "%d x %d", width, height);
    return " " + path + "  " + size + " ";
}

ScrollLayout LayOutScrolling(int areaWidth, int areaHeight, int extentWidth, int extentHeight, int barWidth,
                             int barHeight, int positionX, int positionY) {
    // A bar shows when the picture is longer than the room left; the first bar may take enough
    // room from the other axis to need the second.
    bool horizontal = extentWidth > areaWidth;
    bool vertical = extentHeight > areaHeight;
    if (horizontal && !vertical) vertical = extentHeight > areaHeight - barHeight;
    if (vertical && !horizontal) horizontal = extentWidth > areaWidth - barWidth;
    ScrollLayout layout;
    layout.horizontal = Axis(horizontal, areaWidth - (vertical ? barWidth : 0), extentWidth, positionX);
    layout.vertical = Axis(vertical, areaHeight - (horizontal ? barHeight : 0), extentHeight, positionY);
    return layout;
}

}  // namespace tikora
