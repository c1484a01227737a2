#include "clock/clock_visibility.h"

#include <cstddef>

namespace tikora {

WindowAction ClockVisibility::Apply(ClockEvent event, FullScreenView view) {
    bool& viewHid = hiddenByView[static_cast<std::size_t>(view)];
    switch (event) {
    case ClockEvent::Creation:
        *this = ClockVisibility{};
        return WindowAction::None;
    case ClockEvent::ShowClock:
        // An explicit choice of the user settles the matter for any view still open: closing it
        // later must not show a clock the user hid after it opened. So every user action drops
        // the views' claims to restore the clock.
        hiddenByUser = false;
        hiddenByView.fill(false);
        return WindowAction::Show;
    case ClockEvent::HideClock:
    case ClockEvent::DoubleClickFace:
    case ClockEvent::IdleHideOnStart:
        hiddenByUser = true;
        hiddenByView.fill(false);
        return WindowAction::Hide;
    case ClockEvent::FullScreenOpens:
        // An enabled "Hide clock" is the sign that the clock is visible; a clock the user hid
        // before the view opened stays hidden when it closes.
        viewHid = HideClockEnabled();
        if (!viewHid) return WindowAction::None;
        hiddenByUser = true;
        return WindowAction::Hide;
    case ClockEvent::FullScreenCloses:
        if (!viewHid) return WindowAction::None;
        viewHid = false;
        hiddenByUser = false;
        return WindowAction::Show;
    }
    return WindowAction::None;
}

}  // namespace tikora
