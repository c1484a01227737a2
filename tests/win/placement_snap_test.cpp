// Window placement: the drag by the face with the position stored, the snapping component on
// the window procedure, and translucency.
#include "core/errors.h"
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

POINT TopLeft(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

void MoveTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The end of a move loop as the system reports it.
void EndMoveLoop(HWND window) { SendMessageA(window, WM_EXITSIZEMOVE, 0, 0); }

TEST(Snapping, EndOfAMoveLoopSnapsToTheWorkArea) {
    struct Case {
        const char* name;
        Rect taskbar;
        POINT from;
        POINT to;
    };
    const Rect bottom{-2, 738, 1026, 770};
    const Case cases[] = {
        // The window is 199 x 53 (seconds shown) on a 1024 x 768 screen.
        {"near the bottom taskbar", bottom, {5, 700}, {0, 685}},
        {"exactly the threshold from the left edge", bottom, {15, 300}, {15, 300}},
        {"one pixel closer", bottom, {14, 300}, {0, 300}},
        {"half off the right edge", bottom, {924, 300}, {825, 300}},
        {"taskbar at the top", {-2, -2, 1026, 30}, {400, 40}, {400, 30}},
        {"taskbar at the left", {-2, -2, 60, 770}, {70, 300}, {60, 300}},
        {"taskbar at the right", {960, -2, 1026, 770}, {750, 300}, {761, 300}},
        {"taskbar within the screen: whole screen", {0, 738, 1024, 768}, {5, 700}, {0, 700}},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.option("scotch", true);
        rig.option("showsecond", true);
        rig.desktop.taskbar = c.taskbar;
        ClockWindow& clock = rig.start();
        ASSERT_TRUE(clock.snapper().settings().Active());
        ASSERT_EQ(clock.snapper().settings().Threshold(), 15);
        MoveTo(clock.hwnd(), c.from.x, c.from.y);
        EndMoveLoop(clock.hwnd());
        POINT at = TopLeft(clock.hwnd());
        EXPECT_EQ(at.x, c.to.x) << c.name;
        EXPECT_EQ(at.y, c.to.y) << c.name;
    }
}

TEST(Snapping, OnlyTheEndOfAMoveLoopSnapsAndOnlyWhileActive) {
    ClockRig rig;
    rig.option("scotch", false);
    ClockWindow& clock = rig.start();
    EXPECT_FALSE(clock.snapper().settings().Active()) << "scotch off";
    MoveTo(clock.hwnd(), 5, 700);
    EndMoveLoop(clock.hwnd());
    EXPECT_EQ(TopLeft(clock.hwnd()).x, 5);

    clock.snapper().settings().SetActive(true);  // as the settings dialog does
    MoveTo(clock.hwnd(), 5, 700);
    EXPECT_EQ(TopLeft(clock.hwnd()).x, 5) << "a move by the program does not snap";
    SendMessageA(clock.hwnd(), WM_MOVE, 0, MAKELPARAM(5, 700));
    EXPECT_EQ(TopLeft(clock.hwnd()).x, 5) << "nor does any other message";
    EndMoveLoop(clock.hwnd());
    EXPECT_EQ(TopLeft(clock.hwnd()).x, 0);
}

TEST(Snapping, AskTheRealTaskbarAndScreenAtEachSnap) {
    ClockRig rig;
    rig.option("scotch", true);
    ClockWindow& clock = rig.start(true);
    MoveTo(clock.hwnd(), 7, 9);
    RECT r;
    GetWindowRect(clock.hwnd(), &r);
    APPBARDATA data{};
    data.cbSize = sizeof data;
    SHAppBarMessage(ABM_GETTASKBARPOS, &data);
    Point expected = Snap({data.rc.left, data.rc.top, data.rc.right, data.rc.bottom}, GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN), {r.left, r.top, r.right - r.left, r.bottom - r.top}, 15);
    ASSERT_EQ(expected.x, 0) << "7 pixels from the left edge is within the threshold";
    EndMoveLoop(clock.hwnd());
    EXPECT_EQ(TopLeft(clock.hwnd()).x, expected.x);
    EXPECT_EQ(TopLeft(clock.hwnd()).y, expected.y);
}

TEST(Snapping, AWindowHoldsOneSnappingComponent) {
    ClockRig rig;
    ClockWindow& clock = rig.start();
    FakeDesktop desktop;
    EXPECT_THROW(Snapper second(clock.hwnd(), desktop), AppError);
    // The first one still works after the refused second.
    clock.snapper().settings().SetActive(true);
    MoveTo(clock.hwnd(), 3, 300);
    EndMoveLoop(clock.hwnd());
    EXPECT_EQ(TopLeft(clock.hwnd()).x, 0);
}

// A press on the face runs the system's move loop; the thread timer below ends it as the user
// letting go would, with the Enter key.
void CALLBACK EndTheMoveLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND clock = FindWindowA("TForm1", " Clock")) PostMessageA(clock, WM_KEYDOWN, VK_RETURN, 0);
}

TEST(DragByTheFace, EveryPressStoresThePositionSnappedOrNot) {
    struct Case {
        const char* name;
        bool scotch;
        POINT stored;
    };
    for (const Case& c : {Case{"snapping on", true, {0, 685}}, Case{"snapping off", false, {5, 700}}}) {
        ClockRig rig;
        rig.option("scotch", c.scotch);
        rig.option("showsecond", true);
        ClockWindow& clock = rig.start();
        rig.showAtStart();
        MoveTo(clock.hwnd(), 5, 700);
        SetTimer(nullptr, 0, 30, &EndTheMoveLoop);
        SendMessageA(clock.faceHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_EQ(rig.settings.readInteger("Position", "X", -1), c.stored.x) << c.name;
        EXPECT_EQ(rig.settings.readInteger("Position", "Y", -1), c.stored.y) << c.name;
        EXPECT_EQ(TopLeft(clock.hwnd()).x, c.stored.x) << c.name;
        EXPECT_EQ(TopLeft(clock.hwnd()).y, c.stored.y) << c.name;
    }
}

BYTE Alpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return 0;
    return (flags & LWA_ALPHA) ? alpha : 0;
}

bool Layered(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

TEST(Translucency, FirstShowAppliesGhostOnlyWhereTransparencyIsAvailable) {
    struct Case {
        const char* name;
        DWORD major;
        bool ghost;
        bool layered;
    };
    const Case cases[] = {
        {"version 5, ghost on", 5, true, true},
        {"version 5, ghost off", 5, false, false},
        {"version 6, ghost on", 6, true, false},
        {"version 4, ghost on", 4, true, false},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.version.major = c.major;
        rig.option("ghost", c.ghost);
        ClockWindow& clock = rig.start();
        EXPECT_EQ(clock.transparencyAvailable(), c.major == 5) << c.name;
        EXPECT_FALSE(Layered(clock.hwnd())) << c.name << ": nothing before the first show";
        rig.showAtStart();
        EXPECT_EQ(Layered(clock.hwnd()), c.layered) << c.name;
        if (c.layered) {
            EXPECT_EQ(Alpha(clock.hwnd()), 128) << c.name;
        }
        EXPECT_TRUE(rig.plainMessages.empty()) << c.name;
    }
}

TEST(Translucency, MakeOpaqueKeepsTheLayeredStyle) {
    ClockRig rig;
    rig.version.major = 5;
    ClockWindow& clock = rig.start();
    rig.showAtStart();
    clock.setTranslucent(true);
    EXPECT_EQ(Alpha(clock.hwnd()), 128);
    clock.setTranslucent(false);
    EXPECT_TRUE(Layered(clock.hwnd()));
    EXPECT_EQ(Alpha(clock.hwnd()), 255);
}

TEST(Translucency, WithoutTransparencyTheWindowIsNotTouched) {
    ClockRig rig;
    rig.version.major = 6;
    ClockWindow& clock = rig.start();
    rig.showAtStart();
    clock.setTranslucent(true);
    EXPECT_FALSE(Layered(clock.hwnd()));
}

BOOL WINAPI RefuseAlpha(HWND, COLORREF, BYTE, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(Translucency, ARefusalShowsTheSystemsTextAndGoesOn) {
    ClockRig rig;
    ClockWindow& clock = rig.start();
    std::vector<std::string> shown;
    SetWindowAlpha(clock.hwnd(), kTranslucentAlpha, &RefuseAlpha, [&](const std::string& text) { shown.push_back(text); });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], ui::systemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(shown[0].empty());
    EXPECT_TRUE(Layered(clock.hwnd())) << "the style step before it went through";
}

TEST(Translucency, TheAlphaFunctionIsFoundByName) {
    SetLayeredWindowAttributesFn found = FindSetLayeredWindowAttributes();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(found),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
}

}  // namespace
}  // namespace tikora::traytest
