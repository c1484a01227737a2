#pragma once
// Whether the user has hidden the clock, as recorded by the enabled states of the tray items
// "Show clock" and "Hide clock". Hiding under the cursor is not an event here: it hides and
// shows the window without touching the items, and works only while "Hide clock" is enabled.
#include <array>

namespace tikora {

enum class ClockEvent {
    Creation,          // the message loop shows the window
    ShowClock,         // tray item "Show clock"
    HideClock,         // tray item "Hide clock"
    DoubleClickFace,
    IdleHideOnStart,   // first idle moment with `hideonstart` on
    FullScreenOpens,
    FullScreenCloses,
};

// The two full-screen views of the picture viewer; each remembers on its own whether its
// opening hid the clock.
enum class FullScreenView { ActualSize, Browsing };

// What the shell does to the clock window in answer to an event.
enum class WindowAction { None, Show, Hide };

class ClockVisibility {
public:
    // Full-screen events name their view; other events ignore it.
    WindowAction Apply(ClockEvent event, FullScreenView view = FullScreenView::ActualSize);

    // Shown as far as the user is concerned; hiding under the cursor may still have the
    // window off screen.
    bool ClockShown() const { return !hiddenByUser; }
    bool ShowClockEnabled() const { return hiddenByUser; }
    bool HideClockEnabled() const { return !hiddenByUser; }
    bool HideUnderCursorAllowed() const { return HideClockEnabled(); }

private:
    bool hiddenByUser = false;
    std::array<bool, 2> hiddenByView{};  // indexed by FullScreenView
};

}  // namespace tikora
