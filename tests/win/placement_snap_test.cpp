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

// The window is 199 x 53 (seconds shown) on a 1024 x 768 screen; only the end of a move loop
// snaps, and only while snapping is active.
TEST(Snapping, EndOfAMoveLoopSnapsToTheWorkArea) {
    struct Case {
        const char* name;
        Rect taskbar;
        POINT from;
        POINT to;
        bool active = true;
    };
    const Rect bottom{-2, 738, 1026, 770};
    const Case cases[] = {
        {"near the bottom taskbar", bottom, {5, 700}, {0, 685}},
        {"snapping off", bottom, {5, 700}, {5, 700}, false},
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
        rig.Option("scotch", c.active);
        rig.Option("showsecond", true);
        rig.desktop.taskbar = c.taskbar;
        ClockWindow& clock = rig.Start();
        MoveTo(clock.Hwnd(), c.from.x, c.from.y);
        SendMessageA(clock.Hwnd(), WM_MOVE, 0, MAKELPARAM(c.from.x, c.from.y));
        EXPECT_EQ(TopLeft(clock.Hwnd()).x, c.from.x) << c.name << ": a move by the program or WM_MOVE snaps";
        EndMoveLoop(clock.Hwnd());
        EXPECT_EQ(TopLeft(clock.Hwnd()).x, c.to.x) << c.name;
        EXPECT_EQ(TopLeft(clock.Hwnd()).y, c.to.y) << c.name;
    }
}

TEST(Snapping, AskTheRealTaskbarAndScreenAtEachSnap) {
    ClockRig rig;
    rig.Option("scotch", true);
    ClockWindow& clock = rig.Start(true);
    MoveTo(clock.Hwnd(), 7, 9);
    RECT r;
    GetWindowRect(clock.Hwnd(), &r);
    APPBARDATA data{};
    data.cbSize = sizeof data;
    SHAppBarMessage(ABM_GETTASKBARPOS, &data);
    Point expected = Snap({data.rc.left, data.rc.top, data.rc.right, data.rc.bottom}, GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN), {r.left, r.top, r.right - r.left, r.bottom - r.top}, 15);
    ASSERT_EQ(expected.x, 0) << "7 pixels from the left edge is within the threshold";
    EndMoveLoop(clock.Hwnd());
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, expected.x);
    EXPECT_EQ(TopLeft(clock.Hwnd()).y, expected.y);
}

TEST(Snapping, AWindowHoldsOneSnappingComponentThatTheSettingsDialogSwitches) {
    ClockRig rig;
    rig.Option("scotch", false);
    ClockWindow& clock = rig.Start();
    FakeDesktop desktop;
    EXPECT_THROW(Snapper second(clock.Hwnd(), desktop), AppError);
    clock.GetSnapper().Settings().SetActive(true);  // as the settings dialog does
    MoveTo(clock.Hwnd(), 3, 300);
    EndMoveLoop(clock.Hwnd());
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, 0);
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
        rig.Option("scotch", c.scotch);
        rig.Option("showsecond", true);
        ClockWindow& clock = rig.Start();
        rig.ShowAtStart();
        MoveTo(clock.Hwnd(), 5, 700);
        SetTimer(nullptr, 0, 30, &EndTheMoveLoop);
        SendMessageA(clock.FaceHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_EQ(rig.settings.ReadInteger("Position", "X", -1), c.stored.x) << c.name;
        EXPECT_EQ(rig.settings.ReadInteger("Position", "Y", -1), c.stored.y) << c.name;
    }
}

// The face's class asks for double clicks, so a quick second press of the right or the middle
// button arrives as a double click; it used to start no drag and store nothing.
TEST(DragByTheFace, AQuickSecondPressOfAnyButtonIsAPressToo) {
    const std::pair<UINT, const char*> presses[] = {
        {WM_RBUTTONDOWN, "right"}, {WM_RBUTTONDBLCLK, "right, second quick press"},
        {WM_MBUTTONDOWN, "middle"}, {WM_MBUTTONDBLCLK, "middle, second quick press"}};
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    int x = 40;
    for (const auto& [message, name] : presses) {
        x += 10;
        MoveTo(clock.Hwnd(), x, 300);
        SetTimer(nullptr, 0, 30, &EndTheMoveLoop);
        SendMessageA(clock.FaceHandle(), message, 0, MAKELPARAM(10, 10));
        EXPECT_EQ(rig.settings.ReadInteger("Position", "X", -1), x) << name;
        EXPECT_EQ(rig.settings.ReadInteger("Position", "Y", -1), 300) << name;
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

// Ghost applies at the first show; the settings dialog switches translucency later, and a
// window made opaque again keeps its layered style.
TEST(Translucency, AppliedOnlyWhereTransparencyIsAvailable) {
    struct Case {
        const char* name;
        DWORD major;
        bool ghost;
        bool layeredAtShow;
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
        rig.Option("ghost", c.ghost);
        ClockWindow& clock = rig.Start();
        EXPECT_FALSE(Layered(clock.Hwnd())) << c.name << ": nothing before the first show";
        rig.ShowAtStart();
        EXPECT_EQ(Layered(clock.Hwnd()), c.layeredAtShow) << c.name;
        EXPECT_EQ(Alpha(clock.Hwnd()), c.layeredAtShow ? 128 : 0) << c.name;
        clock.SetTranslucent(true);
        EXPECT_EQ(Alpha(clock.Hwnd()), c.major == 5 ? 128 : 0) << c.name;
        clock.SetTranslucent(false);
        EXPECT_EQ(Layered(clock.Hwnd()), c.major == 5) << c.name;
        EXPECT_EQ(Alpha(clock.Hwnd()), c.major == 5 ? 255 : 0) << c.name;
        EXPECT_TRUE(rig.plainMessages.empty()) << c.name;
    }
}

BOOL WINAPI RefuseAlpha(HWND, COLORREF, BYTE, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(Translucency, ARefusalShowsTheSystemsTextAndGoesOn) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    std::vector<std::string> shown;
    SetWindowAlpha(clock.Hwnd(), kTranslucentAlpha, &RefuseAlpha, [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(shown, std::vector<std::string>{ui::SystemErrorText(ERROR_ACCESS_DENIED)});
    EXPECT_TRUE(Layered(clock.Hwnd())) << "the style step before it went through";
}

}  // namespace
}  // namespace tikora::traytest
