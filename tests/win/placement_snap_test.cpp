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
        rig.Option("scotch", true);
        rig.Option("showsecond", true);
        rig.desktop.taskbar = c.taskbar;
        ClockWindow& clock = rig.Start();
        ASSERT_TRUE(clock.GetSnapper().Settings().Active());
        ASSERT_EQ(clock.GetSnapper().Settings().Threshold(), 15);
        MoveTo(clock.Hwnd(), c.from.x, c.from.y);
        EndMoveLoop(clock.Hwnd());
        POINT at = TopLeft(clock.Hwnd());
        EXPECT_EQ(at.x, c.to.x) << c.name;
        EXPECT_EQ(at.y, c.to.y) << c.name;
    }
}

TEST(Snapping, OnlyTheEndOfAMoveLoopSnapsAndOnlyWhileActive) {
    ClockRig rig;
    rig.Option("scotch", false);
    ClockWindow& clock = rig.Start();
    EXPECT_FALSE(clock.GetSnapper().Settings().Active()) << "scotch off";
    MoveTo(clock.Hwnd(), 5, 700);
    EndMoveLoop(clock.Hwnd());
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, 5);

    clock.GetSnapper().Settings().SetActive(true);  // as the settings dialog does
    MoveTo(clock.Hwnd(), 5, 700);
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, 5) << "a move by the program does not snap";
    SendMessageA(clock.Hwnd(), WM_MOVE, 0, MAKELPARAM(5, 700));
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, 5) << "nor does any other message";
    EndMoveLoop(clock.Hwnd());
    EXPECT_EQ(TopLeft(clock.Hwnd()).x, 0);
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

TEST(Snapping, AWindowHoldsOneSnappingComponent) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    FakeDesktop desktop;
    EXPECT_THROW(Snapper second(clock.Hwnd(), desktop), AppError);
    // The first one still works after the refused second.
    clock.GetSnapper().Settings().SetActive(true);
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
        EXPECT_EQ(TopLeft(clock.Hwnd()).x, c.stored.x) << c.name;
        EXPECT_EQ(TopLeft(clock.Hwnd()).y, c.stored.y) << c.name;
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
        rig.Option("ghost", c.ghost);
        ClockWindow& clock = rig.Start();
        EXPECT_EQ(clock.TransparencyAvailable(), c.major == 5) << c.name;
        EXPECT_FALSE(Layered(clock.Hwnd())) << c.name << ": nothing before the first show";
        rig.ShowAtStart();
        EXPECT_EQ(Layered(clock.Hwnd()), c.layered) << c.name;
        if (c.layered) {
            EXPECT_EQ(Alpha(clock.Hwnd()), 128) << c.name;
        }
        EXPECT_TRUE(rig.plainMessages.empty()) << c.name;
    }
}

TEST(Translucency, MakeOpaqueKeepsTheLayeredStyle) {
    ClockRig rig;
    rig.version.major = 5;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    clock.SetTranslucent(true);
    EXPECT_EQ(Alpha(clock.Hwnd()), 128);
    clock.SetTranslucent(false);
    EXPECT_TRUE(Layered(clock.Hwnd()));
    EXPECT_EQ(Alpha(clock.Hwnd()), 255);
}

TEST(Translucency, WithoutTransparencyTheWindowIsNotTouched) {
    ClockRig rig;
    rig.version.major = 6;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    clock.SetTranslucent(true);
    EXPECT_FALSE(Layered(clock.Hwnd()));
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
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], ui::SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(shown[0].empty());
    EXPECT_TRUE(Layered(clock.Hwnd())) << "the style step before it went through";
}

TEST(Translucency, TheAlphaFunctionIsFoundByName) {
    SetLayeredWindowAttributesFn found = FindSetLayeredWindowAttributes();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(found),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
}

}  // namespace
}  // namespace tikora::traytest
