#pragma once
// What the full-screen views decide without a window: the keys of the browsing view and the
// browsing index they move, the caption line, and the arithmetic of a picture scrolled with the
// window's own scroll bars.
#include <string>

namespace tikora {

enum class BrowseKey { None, Leave, Next, Previous };

// Esc leaves; Right and Down go on; Left and Up go back; every other key does nothing.
BrowseKey BrowseKeyFor(int virtualKey);

// The index after a step of +1 or -1 through a list of `count` pictures, wrapping at both ends.
// An index outside the list (the list shrank meanwhile) restarts at 0.
int StepBrowsingIndex(int index, int count, int step);

// The caption line while a picture loads (" " + path + " ") and once it is shown
// (" " + path + "  " + "W x H" + " ").
std::string LoadingCaption(const std::string& path);
std::string PictureCaption(const std::string& path, int width, int height);

// One axis of a scrolled view. The view's area is the whole window; a scroll bar takes room from
// the other axis. The picture box spans the visible client or the picture, whichever is larger, so
// a larger picture is drawn pixel for pixel and a smaller one centred.
struct ScrollAxis {
    bool bar = false;     // the scroll bar shows
    int client = 0;       // the visible length left by the other axis' bar
    int position = 0;     // clamped to 0 .. maxPosition
    int maxPosition = 0;  // extent - client, or 0
    int boxOffset = 0;    // where the picture box starts (-position)
    int boxLength = 0;    // max(client, extent)
};

struct ScrollLayout {
    ScrollAxis horizontal;
    ScrollAxis vertical;
};

// area: the window's size; extent: the scroll ranges (0 x 0 in best fit: no bars, the box is the
// area); barWidth, barHeight: the vertical bar's width and the horizontal bar's height.
ScrollLayout LayOutScrolling(int areaWidth, int areaHeight, int extentWidth, int extentHeight, int barWidth,
                             int barHeight, int positionX, int positionY);

}  // namespace tikora
