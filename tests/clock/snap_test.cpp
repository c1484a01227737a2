#include "clock/snap.h"

#include <gtest/gtest.h>

namespace tikora {
namespace {

constexpr int kCx = 1024;
constexpr int kCy = 768;
constexpr Rect kBottomBar{-2, 738, 1026, 770};
constexpr Rect kTopBar{-2, -2, 1026, 30};
constexpr Rect kLeftBar{-2, -2, 60, 770};
constexpr Rect kRightBar{964, -2, 1026, 770};

struct WorkAreaCase {
    const char* name;
    Rect taskbar;
    Rect expected;
};

TEST(SnapWorkArea, TakesOffOnlyATaskbarThatOverhangsByTwoPixels) {
    const WorkAreaCase cases[] = {
        {"bottom", kBottomBar, {0, 0, kCx, 738}},
        {"top", kTopBar, {0, 30, kCx, kCy}},
        {"left", kLeftBar, {60, 0, kCx, kCy}},
        {"right", kRightBar, {0, 0, 964, kCy}},
        {"inside the screen", {0, 738, 1024, 768}, {0, 0, kCx, kCy}},
        {"overhang of one pixel", {-1, 738, 1025, 769}, {0, 0, kCx, kCy}},
        {"bottom, one side short", {-2, 738, 1000, 770}, {0, 0, kCx, kCy}},
        {"no taskbar", {0, 0, 0, 0}, {0, 0, kCx, kCy}},
        // Overhanging on all four sides satisfies the bottom test first.
        {"whole screen", {-2, -2, 1026, 770}, {0, 0, kCx, -2}},
    };
    for (const auto& c : cases) EXPECT_EQ(WorkArea(c.taskbar, kCx, kCy), c.expected) << c.name;
}

struct SnapCase {
    const char* name;
    Rect taskbar;
    WindowFrame window;
    int threshold;
    Point expected;
};

TEST(Snap, MovesTheWindowToTheNearEdgesInOrder) {
    const SnapCase cases[] = {
        {"released near the bottom-left corner", kBottomBar, {5, 700, 199, 53}, 15, {0, 685}},
        {"exactly the threshold from the left", kBottomBar, {15, 300, 199, 53}, 15, {15, 300}},
        {"one inside the threshold", kBottomBar, {14, 300, 199, 53}, 15, {0, 300}},
        {"exactly the threshold from the taskbar", kBottomBar, {300, 670, 199, 53}, 15, {300, 670}},
        {"one inside the threshold of the taskbar", kBottomBar, {300, 671, 199, 53}, 15, {300, 685}},
        {"far from every edge", kBottomBar, {400, 300, 199, 53}, 15, {400, 300}},
        {"half off the right edge", kBottomBar, {925, 300, 199, 53}, 15, {825, 300}},
        {"off the left and top edges", kBottomBar, {-50, -20, 199, 53}, 15, {0, 0}},
        {"exactly the threshold from the right", kBottomBar, {810, 300, 199, 53}, 15, {810, 300}},
        {"taskbar inside the screen: bottom is the screen", {0, 738, 1024, 768}, {5, 700, 199, 53}, 15, {0, 700}},
        {"near the screen bottom with such a taskbar", {0, 738, 1024, 768}, {5, 710, 199, 53}, 15, {0, 715}},
        {"taskbar at the top", kTopBar, {500, 40, 199, 53}, 15, {500, 30}},
        {"taskbar at the top, window under it", kTopBar, {500, 10, 199, 53}, 15, {500, 30}},
        {"taskbar at the left", kLeftBar, {70, 300, 199, 53}, 15, {60, 300}},
        {"taskbar at the right", kRightBar, {760, 300, 199, 53}, 15, {765, 300}},
        {"default threshold", kBottomBar, {29, 29, 199, 53}, kDefaultSnapThreshold, {0, 0}},
        {"default threshold, exactly at it", kBottomBar, {30, 30, 199, 53}, kDefaultSnapThreshold, {30, 30}},
        // Wider than the work area: the left test moves it to 0, then the right test wins.
        {"wider than the work area", kBottomBar, {5, 300, 1100, 53}, 15, {-76, 300}},
        {"too wide for both margins", kBottomBar, {5, 300, 1010, 53}, 15, {14, 300}},
        {"just narrow enough for the left edge", kBottomBar, {5, 300, 1009, 53}, 15, {0, 300}},
        {"higher than the work area", kBottomBar, {300, 100, 199, 800}, 15, {300, -62}},
    };
    for (const auto& c : cases) {
        Point p = Snap(c.taskbar, kCx, kCy, c.window, c.threshold);
        EXPECT_EQ(p.x, c.expected.x) << c.name;
        EXPECT_EQ(p.y, c.expected.y) << c.name;
    }
}

TEST(SnapSettings, StartsActiveWithThresholdThirty) {
    SnapSettings settings;
    EXPECT_TRUE(settings.Active());
    EXPECT_EQ(settings.Threshold(), 30);
}

}  // namespace
}  // namespace tikora
