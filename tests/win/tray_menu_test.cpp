// The two tray menus as the system holds them, how the tray callback opens them, and what their
// items do.
#include <algorithm>

#include "clock/web_links.h"
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

using Captions_ = std::vector<std::string>;

TEST(TrayMenuStructure, MainMenuItemByItem) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    HMENU main = clock.MainMenu();
    EXPECT_EQ(Captions(main), (Captions_{"Options>", "-", "Advanced>", "-", "Show clock", "Hide clock", "-",
                                         "About...", "-", "Close"}));
    const std::pair<std::string, Captions_> submenus[] = {
        {"Options", {"Settings", "-", "Change skin", "-", "Change icon in tray"}},
        {"Advanced",
         {"Mp3 tag editor", "-", "Timer ( turn off )", "-", "Information", "-", "Calendar", "-", "Picture viewer",
          "-", "Search files", "-", "Calculator", "-", "Alarm clock", "-", "Reminder", "-", "Internet links>"}},
    };
    for (const auto& [caption, expected] : submenus) {
        std::optional<MenuRow> row = FindRow(main, caption);
        ASSERT_TRUE(row && row->submenu) << caption;
        EXPECT_EQ(Captions(row->submenu), expected) << caption;
    }
}

TEST(TrayMenuStructure, PowerMenuItemByItemWithTheChooserEmptyBeforeTheFirstShow) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    HMENU power = clock.PowerMenu();
    EXPECT_EQ(Captions(power), (Captions_{"Turn off", "-", "Restart", "-", "Start Menu>", "-", "Hot keys", "-",
                                          " Choose...>", "-", "Open CD", "-", "Close CD"}));
    EXPECT_EQ(Captions(FindRow(power, "Start Menu")->submenu),
              Captions_{"Remove records of recently accessed documents"});
    EXPECT_EQ(GetMenuItemCount(FindRow(power, " Choose...")->submenu), 0) << "all eight items start hidden";
}

TEST(TrayMenuStructure, CloseIsTheDefaultItemAndShowClockStartsDisabled) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    UINT defaultId = GetMenuDefaultItem(clock.MainMenu(), FALSE, 0);
    EXPECT_EQ(defaultId, FindRow(clock.MainMenu(), "Close")->id);
    EXPECT_TRUE(FindRow(clock.MainMenu(), "Close")->IsDefault());
    EXPECT_EQ(GetMenuDefaultItem(clock.PowerMenu(), FALSE, 0), static_cast<UINT>(-1));

    std::vector<std::string> disabled;
    std::function<void(HMENU)> collect = [&](HMENU menu) {
        for (const MenuRow& row : ReadMenu(menu)) {
            if (row.Disabled()) disabled.push_back(row.caption);
            if (row.submenu) collect(row.submenu);
        }
    };
    collect(clock.MainMenu());
    collect(clock.PowerMenu());
    EXPECT_EQ(disabled, Captions_{"Show clock"});
}

TEST(TrayMenuStructure, InternetLinksAreFourGroupsOf36LinksThatOpenMaximisedWithoutOwner) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    std::vector<MenuRow> rows = ReadMenu(FindRow(clock.MainMenu(), "Internet links")->submenu);

    const std::pair<std::string, size_t> groups[] = {{"Search", 7}, {"Programs", 16}, {"Music MP3", 7},
                                                     {"Wallpapers", 6}};
    size_t pos = 0;
    size_t link = 0;
    for (size_t g = 0; g < 4; ++g) {
        if (g > 0) {
            EXPECT_TRUE(rows.at(pos++).separator) << "before " << groups[g].first;
        }
        EXPECT_EQ(rows.at(pos).caption, groups[g].first);
        EXPECT_EQ(rows.at(pos++).id, 0u) << "a header does nothing";
        EXPECT_TRUE(rows.at(pos++).separator) << "after " << groups[g].first;
        for (size_t i = 0; i < groups[g].second; ++i, ++pos, ++link) {
            const MenuRow& row = rows.at(pos);
            EXPECT_EQ(row.caption, WebLinks()[link].caption);
            SendMessageA(clock.Hwnd(), WM_COMMAND, MAKEWPARAM(row.id, 0), 0);
            ASSERT_EQ(rig.shell.calls.size(), link + 1) << row.caption;
            const ShellCall& call = rig.shell.calls.back();
            EXPECT_EQ(call.file, WebLinks()[link].address);
            EXPECT_FALSE(call.ownerIsApplication) << row.caption;
            EXPECT_EQ(call.verb, "") << row.caption;
            EXPECT_EQ(call.showCommand, SW_SHOWMAXIMIZED) << row.caption;
        }
    }
    EXPECT_EQ(pos, rows.size());
    EXPECT_EQ(link, 36u);

    SendMessageA(clock.Hwnd(), WM_COMMAND, MAKEWPARAM(0, 0), 0);  // a header's click
    EXPECT_EQ(rig.shell.calls.size(), 36u);
}

// Items with a picture ask the menu's owner to draw it, and every picture is a drawing on the
// menu's own ground, not a filled square.
TEST(TrayMenuStructure, ItemPicturesAreDrawnOnTheMenusGround) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    std::vector<std::pair<std::string, MenuPicture>> pictures;
    std::function<void(HMENU)> collect = [&](HMENU menu) {
        for (const MenuRow& row : ReadMenu(menu)) {
            if (row.submenu) collect(row.submenu);
            if (!row.picture) continue;
            EXPECT_EQ(row.picture, HBMMENU_CALLBACK) << row.caption;
            pictures.emplace_back(row.caption, static_cast<MenuPicture>(row.data));
        }
    };
    collect(clock.MainMenu());
    collect(clock.PowerMenu());
    ASSERT_FALSE(pictures.empty());
    for (const char* caption : {"Settings", "Calculator", "Close", "Turn off", "Open CD", "Close CD"})
        EXPECT_TRUE(std::any_of(pictures.begin(), pictures.end(), [&](const auto& p) { return p.first == caption; }))
            << caption;

    const int size = 24;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    const uint32_t ground = 0x00123456;
    for (const auto& [caption, picture] : pictures) {
        for (bool selected : {false, true}) {
            std::fill_n(static_cast<uint32_t*>(bits), size * size, ground);
            DrawMenuPicture(dc, RECT{4, 4, 20, 20}, picture, selected);
            GdiFlush();
            const auto* pixels = static_cast<const uint32_t*>(bits);
            int drawn = 0;
            for (int i = 0; i < size * size; ++i) drawn += (pixels[i] & 0xFFFFFF) != ground ? 1 : 0;
            EXPECT_GT(drawn, 20) << caption;
            EXPECT_EQ(pixels[0] & 0xFFFFFF, ground) << caption << ": drawn outside its box";
            EXPECT_EQ(pixels[4 * size + 4] & 0xFFFFFF, ground) << caption << ": the corner of the box is painted";
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
}

// Watches for an open pop-up menu from a thread timer, which the menu's own loop dispatches,
// notes what it sees and closes the menu.
struct MenuWatch {
    enum class Closing { EndMenu, ClickElsewhere };
    Closing closing = Closing::EndMenu;
    POINT clickAt{900, 120};
    bool seen = false;
    HMENU menu = nullptr;
    RECT rect{};
    HWND foreground = nullptr;
    bool clicked = false;
    bool closedByClick = false;
    int ticksSinceClick = 0;
    bool done = false;
};

MenuWatch* watch = nullptr;

HWND VisibleMenuWindow() {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w; w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

void ClickAt(POINT p) {
    INPUT input[2] = {};
    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(p.x, 65535, cx - 1);
        i.mi.dy = MulDiv(p.y, 65535, cy - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void CALLBACK WatchMenus(HWND, UINT, UINT_PTR, DWORD) {
    if (!watch || watch->done) return;
    HWND popup = VisibleMenuWindow();
    if (!watch->seen) {
        if (!popup) return;
        watch->seen = true;
        watch->menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        GetWindowRect(popup, &watch->rect);
        watch->foreground = GetForegroundWindow();
        if (watch->closing == MenuWatch::Closing::EndMenu) {
            EndMenu();
            watch->done = true;
        } else {
            ClickAt(watch->clickAt);
            watch->clicked = true;
        }
        return;
    }
    if (!popup) {
        watch->closedByClick = watch->clicked;
        watch->done = true;
    } else if (++watch->ticksSinceClick > 100) {
        EndMenu();  // it lingered: close it so the test can go on and fail
        watch->done = true;
    }
}

class MenuWatcher {
public:
    explicit MenuWatcher(MenuWatch& w) {
        watch = &w;
        timer_ = SetTimer(nullptr, 0, 15, &WatchMenus);
    }
    ~MenuWatcher() {
        KillTimer(nullptr, timer_);
        if (VisibleMenuWindow()) EndMenu();
        watch = nullptr;
    }

private:
    UINT_PTR timer_;
};

TEST(TrayCallback, ButtonPressesOpenTheirMenuAtThePointer) {
    struct Case {
        const char* name;
        UINT mouseMessage;
        bool main;
    };
    const Case cases[] = {{"right button", WM_RBUTTONDOWN, true}, {"left button", WM_LBUTTONDOWN, false}};
    for (const Case& c : cases) {
        ClockRig rig;
        ClockWindow& clock = rig.Start();
        rig.ShowAtStart();
        SetCursorPos(300, 250);
        POINT pointer{};
        GetCursorPos(&pointer);

        MenuWatch seen;
        MenuWatcher watcher(seen);
        PostMessageA(clock.Hwnd(), ClockWindow::kTrayMessage, 1, c.mouseMessage);
        ASSERT_TRUE(WaitFor([&] { return seen.done; })) << c.name << ": no menu opened";
        EXPECT_EQ(seen.menu, c.main ? clock.MainMenu() : clock.PowerMenu()) << c.name;
        EXPECT_EQ(seen.rect.left, pointer.x) << c.name;
        EXPECT_EQ(seen.rect.top, pointer.y) << c.name;
        EXPECT_EQ(seen.foreground, ui::Application::Instance().Handle()) << c.name;
        EXPECT_TRUE(WaitFor([] { return VisibleMenuWindow() == nullptr; })) << c.name;
        EXPECT_GT(clock.GetTrayMenus().PicturesDrawn(), 0) << c.name << ": the owner drew the item pictures";
    }
}

TEST(TrayCallback, OtherMouseMessagesOpenNothing) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN}) {
        MenuWatch seen;
        MenuWatcher watcher(seen);
        // Sent, not posted: the call returns only after the callback has run, menu or not.
        SendMessageA(clock.Hwnd(), ClockWindow::kTrayMessage, 1, mouse);
        EXPECT_FALSE(seen.seen) << std::hex << mouse;
    }
}

TEST(TrayCallback, AClickElsewhereClosesTheMenu) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    SetCursorPos(300, 250);
    MenuWatch seen;
    seen.closing = MenuWatch::Closing::ClickElsewhere;
    MenuWatcher watcher(seen);
    PostMessageA(clock.Hwnd(), ClockWindow::kTrayMessage, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return seen.done; }, 8000));
    EXPECT_TRUE(seen.seen);
    EXPECT_TRUE(seen.closedByClick) << "the menu stayed open after a click outside it";
    EXPECT_TRUE(rig.ErrorBoxes().empty());
}

// What the window and the two items look like after each event, in order.
TEST(ShowAndHideClock, ItemsRecordWhetherTheUserHidTheClock) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    struct Step {
        const char* event;
        std::function<void()> run;
        bool shown;
    };
    auto click = [&](const char* caption) { return [&clock, caption] { ClickItem(clock, clock.MainMenu(), caption); }; };
    const Step steps[] = {
        {"creation", [] {}, true},
        {"Hide clock", click("Hide clock"), false},
        {"Show clock", click("Show clock"), true},
        {"double click on the face", [&] { SendMessageA(clock.FaceHandle(), WM_LBUTTONDBLCLK, 0, 0); }, false},
        {"Show clock again", click("Show clock"), true},
        {"full-screen view opens", [&] { clock.FullScreenViewOpened(FullScreenView::Browsing); }, false},
        {"full-screen view closes", [&] { clock.FullScreenViewClosed(FullScreenView::Browsing); }, true},
        {"Hide clock before a view opens", click("Hide clock"), false},
        {"the view opens", [&] { clock.FullScreenViewOpened(FullScreenView::ActualSize); }, false},
        {"the view closes: the user's choice stands", [&] { clock.FullScreenViewClosed(FullScreenView::ActualSize); },
         false},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(IsWindowVisible(clock.Hwnd()) != FALSE, step.shown) << step.event;
        EXPECT_EQ(FindRow(clock.MainMenu(), "Show clock")->Disabled(), step.shown) << step.event;
        EXPECT_EQ(FindRow(clock.MainMenu(), "Hide clock")->Disabled(), !step.shown) << step.event;
        EXPECT_EQ(clock.HideClockEnabled(), step.shown) << step.event;
    }
}

TEST(ShowAndHideClock, HideOnStartHidesAtTheFirstIdleMomentOnly) {
    ClockRig rig;
    rig.Option("hideonstart", true);
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    EXPECT_TRUE(IsWindowVisible(clock.Hwnd()));
    clock.IdleStep();
    EXPECT_FALSE(IsWindowVisible(clock.Hwnd()));
    EXPECT_FALSE(FindRow(clock.MainMenu(), "Show clock")->Disabled());
    EXPECT_TRUE(FindRow(clock.MainMenu(), "Hide clock")->Disabled());
    ClickItem(clock, clock.MainMenu(), "Show clock");
    clock.IdleStep();
    EXPECT_TRUE(IsWindowVisible(clock.Hwnd())) << "later idle moments do nothing";
}

// Hiding under the cursor asks the "Hide clock" item: once the user hid the clock, the pointer
// leaving it must not bring it back.
TEST(ShowAndHideClock, HidingUnderTheCursorWorksOnlyWhileHideClockIsEnabled) {
    ClockRig rig;
    rig.Option("hideunder", true);
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    RECT r;
    GetWindowRect(clock.Hwnd(), &r);
    const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const POINT away{r.right + 300, r.bottom + 300};
    auto visible = [&] { return IsWindowVisible(clock.Hwnd()) != FALSE; };
    auto ticksLater = [&](int ticks) {
        int target = rig.time.calls + ticks;
        return WaitFor([&] { return rig.time.calls >= target; });
    };

    SetCursorPos(over.x, over.y);
    ASSERT_TRUE(WaitFor([&] { return !visible(); })) << "the pointer over the clock hides it";
    SetCursorPos(away.x, away.y);
    ASSERT_TRUE(WaitFor(visible)) << "the pointer leaving shows it again";

    SetCursorPos(over.x, over.y);
    ASSERT_TRUE(WaitFor([&] { return !visible(); }));
    ClickItem(clock, clock.MainMenu(), "Hide clock");
    SetCursorPos(away.x, away.y);
    ASSERT_TRUE(ticksLater(10));
    EXPECT_FALSE(visible()) << "hidden by the user, the clock must stay hidden";

    ClickItem(clock, clock.MainMenu(), "Show clock");
    EXPECT_TRUE(visible());
}

TEST(MenuActions, WindowsAreShownOnlyWhenHiddenButTheReminderListComesToTheFront) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    auto makeForm = [](const char* className, const char* caption) {
        ui::FormSpec spec;
        spec.className = className;
        spec.caption = caption;
        spec.clientWidth = 200;
        spec.clientHeight = 100;
        auto form = std::make_unique<ui::Form>(spec);
        form->CreateForm();
        return form;
    };
    auto settings = makeForm("TForm2", "Tikora: Settings");
    auto reminder = makeForm("TForm18", "Reminder");
    auto other = makeForm("TForm5", " Calendar");
    clock.AttachForm(*settings);
    clock.AttachForm(*reminder);
    // The calendar is not attached: the test brings it forward itself.

    // z-order position among the top-level windows; smaller is nearer the front.
    auto depth = [](HWND target) {
        int i = 0;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++i)
            if (w == target) return i;
        return -1;
    };

    ClickItem(clock, clock.MainMenu(), "Settings");
    EXPECT_TRUE(settings->Visible());
    other->BringToFront();
    ASSERT_LT(depth(other->Hwnd()), depth(settings->Hwnd()));
    ClickItem(clock, clock.MainMenu(), "Settings");
    EXPECT_LT(depth(other->Hwnd()), depth(settings->Hwnd())) << "an open window is left where it is";

    ClickItem(clock, clock.MainMenu(), "Reminder");
    EXPECT_TRUE(reminder->Visible());
    other->BringToFront();
    ASSERT_LT(depth(other->Hwnd()), depth(reminder->Hwnd()));
    ClickItem(clock, clock.MainMenu(), "Reminder");
    EXPECT_LT(depth(reminder->Hwnd()), depth(other->Hwnd())) << "the reminder list comes to the front";

    settings->Destroy();
    reminder->Destroy();
    other->Destroy();
}

TEST(MenuActions, CalculatorRunsThroughItsHook) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ClickItem(clock, clock.MainMenu(), "Calculator");  // no calculator yet: nothing happens
    int runs = 0;
    clock.SetCalculatorRunner([&] { ++runs; });
    ClickItem(clock, clock.MainMenu(), "Calculator");
    EXPECT_EQ(runs, 1);
}

TEST(MenuActions, CloseEndsTheMessageLoop) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ClickItem(clock, clock.MainMenu(), "Close");
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(clock.Hwnd())) << "the window goes only when the program ends";
}

}  // namespace
}  // namespace tikora::traytest
