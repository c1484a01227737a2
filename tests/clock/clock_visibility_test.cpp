#include "clock/clock_visibility.h"

#include <gtest/gtest.h>

#include <vector>

namespace tikora {
namespace {

using E = ClockEvent;
using V = FullScreenView;
using A = WindowAction;

struct Step {
    ClockEvent event;
    FullScreenView view;
    WindowAction action;
    bool shown;  // the clock as the user left it; the items follow: "Show clock" enabled iff hidden
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

TEST(ClockVisibility, FollowsTheEventTable) {
    const V a = V::ActualSize;
    const V b = V::Browsing;
    const Case cases[] = {
        {"hide then show", {{E::HideClock, a, A::Hide, false}, {E::ShowClock, a, A::Show, true}}},
        {"double click hides", {{E::DoubleClickFace, a, A::Hide, false}}},
        {"hide at start", {{E::IdleHideOnStart, a, A::Hide, false}}},
        {"view hides and restores a visible clock",
         {{E::FullScreenOpens, b, A::Hide, false}, {E::FullScreenCloses, b, A::Show, true}}},
        {"view leaves a clock hidden by the user hidden",
         {{E::HideClock, a, A::Hide, false}, {E::FullScreenOpens, a, A::None, false},
          {E::FullScreenCloses, a, A::None, false}}},
        {"closing a view that never opened changes nothing", {{E::FullScreenCloses, b, A::None, true}}},
        {"each view restores only what it hid",
         {{E::FullScreenOpens, a, A::Hide, false}, {E::FullScreenOpens, b, A::None, false},
          {E::FullScreenCloses, b, A::None, false}, {E::FullScreenCloses, a, A::Show, true}}},
        {"a restore happens once",
         {{E::FullScreenOpens, b, A::Hide, false}, {E::FullScreenCloses, b, A::Show, true},
          {E::FullScreenCloses, b, A::None, true}}},
        {"the user hides the clock again while a view is open",
         {{E::FullScreenOpens, b, A::Hide, false}, {E::ShowClock, a, A::Show, true},
          {E::DoubleClickFace, a, A::Hide, false}, {E::FullScreenCloses, b, A::None, false}}},
        {"the user shows the clock while a view is open",
         {{E::FullScreenOpens, a, A::Hide, false}, {E::ShowClock, a, A::Show, true},
          {E::FullScreenCloses, a, A::None, true}}},
        {"a view opened again decides afresh",
         {{E::FullScreenOpens, a, A::Hide, false}, {E::FullScreenCloses, a, A::Show, true},
          {E::HideClock, a, A::Hide, false}, {E::FullScreenOpens, a, A::None, false},
          {E::FullScreenCloses, a, A::None, false}}},
        {"creation starts over",
         {{E::HideClock, a, A::Hide, false}, {E::FullScreenOpens, b, A::None, false},
          {E::Creation, a, A::None, true}}},
    };
    for (const auto& c : cases) {
        ClockVisibility state;
        EXPECT_EQ(state.Apply(E::Creation, a), A::None) << c.name << ": every case starts at creation";
        EXPECT_TRUE(state.ClockShown() && state.HideClockEnabled() && !state.ShowClockEnabled()) << c.name;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            EXPECT_EQ(state.Apply(s.event, s.view), s.action) << c.name << ", step " << i;
            EXPECT_EQ(state.ClockShown(), s.shown) << c.name << ", step " << i;
            EXPECT_EQ(state.ShowClockEnabled(), !s.shown) << c.name << ", step " << i;
            EXPECT_EQ(state.HideClockEnabled(), s.shown) << c.name << ", step " << i;
            EXPECT_EQ(state.HideUnderCursorAllowed(), s.shown) << c.name << ", step " << i;
        }
    }
}

}  // namespace
}  // namespace tikora
