// The two tray menus as the system holds them, how the tray callback opens them, and what their
// items do.
#include "clock/web_links.h"
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

// Walks the model and the HMENU side by side: every visible item of the model is there, in
// order, with its caption, identifier, submenu, states, radio type and picture.
void ExpectMenuMatchesModel(HMENU menu, const Menu& model, const std::string& path) {
    std::vector<MenuRow> rows = ReadMenu(menu);
    size_t pos = 0;
    for (const MenuItem& item : model) {
        if (!item.visible) continue;
        ASSERT_LT(pos, rows.size()) << path << ": missing " << item.caption;
        const MenuRow& row = rows[pos++];
        const std::string where = path + item.caption;
        EXPECT_EQ(row.caption, item.kind == MenuItemKind::Separator ? "-" : item.caption) << where;
        if (row.separator) continue;
        EXPECT_EQ(row.id, static_cast<UINT>(MenuCommandId(item.command, item.index))) << where;
        EXPECT_EQ((row.state & MFS_DEFAULT) != 0, item.isDefault) << where;
        EXPECT_EQ(row.Disabled(), !item.enabled) << where;
        EXPECT_EQ((row.state & MFS_CHECKED) != 0, item.checked) << where;
        EXPECT_EQ((row.type & MFT_RADIOCHECK) != 0, item.radio) << where;
        EXPECT_EQ(row.picture, item.picture == MenuPicture::None ? nullptr : HBMMENU_CALLBACK) << where;
        EXPECT_EQ(row.data, static_cast<ULONG_PTR>(item.picture)) << where;
        ASSERT_EQ(row.submenu != nullptr, item.kind == MenuItemKind::Submenu) << where;
        if (row.submenu) ExpectMenuMatchesModel(row.submenu, item.children, where + ">");
    }
    EXPECT_EQ(pos, rows.size()) << path << ": items the model does not have";
}

TEST(TrayMenuStructure, TheSystemMenusAreTheModelWithCloseDrawnAsDefault) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ExpectMenuMatchesModel(clock.MainMenu(), BuildMainMenu(), "main>");
    ExpectMenuMatchesModel(clock.PowerMenu(), BuildPowerMenu(), "power>");
    EXPECT_EQ(GetMenuDefaultItem(clock.MainMenu(), FALSE, 0), FindRow(clock.MainMenu(), "Close")->id);
    EXPECT_EQ(GetMenuDefaultItem(clock.PowerMenu(), FALSE, 0), static_cast<UINT>(-1));
    ASSERT_GT(GetMenuItemCount(FindRow(clock.MainMenu(), "Options")->submenu), 0) << "the walk compared something";
}

TEST(TrayMenuStructure, The36LinksInFourGroupsOpenTheirAddress) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    size_t headers = 0;
    for (const MenuRow& row : ReadMenu(FindRow(clock.MainMenu(), "Internet links")->submenu)) {
        if (row.separator) continue;
        headers += row.id == 0 ? 1 : 0;
        const size_t before = rig.shell.calls.size();
        SendMessageA(clock.Hwnd(), WM_COMMAND, MAKEWPARAM(row.id, 0), 0);
        if (row.id == 0) {
            EXPECT_EQ(rig.shell.calls.size(), before) << "a header does nothing: " << row.caption;
            continue;
        }
        ASSERT_EQ(rig.shell.calls.size(), before + 1) << row.caption;
        const testing::ShellCall& call = rig.shell.calls.back();
        EXPECT_EQ(call.file, WebLinks()[before].address) << row.caption;
        EXPECT_EQ(row.caption, WebLinks()[before].caption);
        EXPECT_FALSE(call.ownerIsApplication) << row.caption;
        EXPECT_EQ(call.verb, "") << row.caption;
        EXPECT_EQ(call.showCommand, SW_SHOWMAXIMIZED) << row.caption;
    }
    EXPECT_EQ(headers, 4u);
    EXPECT_EQ(rig.shell.calls.size(), 36u);
}

// Every picture is a drawing on the menu's own ground, not a filled square, inside its box.
TEST(TrayMenuStructure, ItemPicturesAreDrawnOnTheMenusGround) {
    const int size = 24;
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    auto* pixels = static_cast<uint32_t*>(bits);
    const uint32_t ground = 0x00123456;
    for (int p = 1; p <= static_cast<int>(kLastMenuPicture); ++p) {
        for (bool selected : {false, true}) {
            std::fill_n(pixels, size * size, ground);
            DrawMenuPicture(dc, RECT{4, 4, 20, 20}, static_cast<MenuPicture>(p), selected);
            GdiFlush();
            int drawn = 0;
            for (int i = 0; i < size * size; ++i) drawn += (pixels[i] & 0xFFFFFF) != ground ? 1 : 0;
            EXPECT_GT(drawn, 20) << "picture " << p;
            EXPECT_EQ(pixels[0] & 0xFFFFFF, ground) << "picture " << p << ": drawn outside its box";
            EXPECT_EQ(pixels[4 * size + 4] & 0xFFFFFF, ground) << "picture " << p << ": the box is filled";
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
}

// Watches for an open pop-up menu from a thread timer, which the menu's own loop dispatches,
// notes what it sees and closes it: with EndMenu, or with a click elsewhere that must close it.
struct MenuWatch {
    bool clickElsewhere = false;
    bool seen = false;
    HMENU menu = nullptr;
    RECT rect{};
    HWND foreground = nullptr;
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

void ClickElsewhere() {
    INPUT input[2] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(900, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = MulDiv(120, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
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
        if (watch->clickElsewhere) return ClickElsewhere();
        EndMenu();
        watch->done = true;
    } else if (!popup) {
        watch->closedByClick = true;
        watch->done = true;
    } else if (++watch->ticksSinceClick > 100) {
        EndMenu();  // it lingered: close it so the test can go on and fail
        watch->done = true;
    }
}

class MenuWatcher {
public:
    explicit MenuWatcher(MenuWatch& w) : timer_((watch = &w, SetTimer(nullptr, 0, 15, &WatchMenus))) {}
    ~MenuWatcher() {
        KillTimer(nullptr, timer_);
        if (VisibleMenuWindow()) EndMenu();
        watch = nullptr;
    }

private:
    UINT_PTR timer_;
};

TEST(TrayCallback, ButtonPressesOpenTheirMenuAtThePointer) {
    for (const auto& [mouse, main] : {std::pair{WM_RBUTTONDOWN, true}, std::pair{WM_LBUTTONDOWN, false}}) {
        ClockRig rig;
        ClockWindow& clock = rig.Start();
        rig.ShowAtStart();
        SetCursorPos(300, 250);
        POINT pointer{};
        GetCursorPos(&pointer);
        MenuWatch seen;
        MenuWatcher watcher(seen);
        PostMessageA(clock.Hwnd(), ClockWindow::kTrayMessage, 1, mouse);
        ASSERT_TRUE(WaitFor([&] { return seen.done; })) << mouse << ": no menu opened";
        EXPECT_EQ(seen.menu, main ? clock.MainMenu() : clock.PowerMenu()) << mouse;
        EXPECT_EQ(seen.rect.left, pointer.x) << mouse;
        EXPECT_EQ(seen.rect.top, pointer.y) << mouse;
        // The foreground is the menu's own shown window, owned by the application window (Wine gives
        // the keyboard only to a shown window); the clock is never activated.
        const HWND app = ui::Application::Instance().Handle();
        EXPECT_EQ(seen.foreground, clock.GetTrayMenus().MenuWindow()) << mouse;
        EXPECT_EQ(GetWindow(seen.foreground, GW_OWNER), app) << mouse;
        EXPECT_TRUE(WaitFor([] { return VisibleMenuWindow() == nullptr; })) << mouse;
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == app; })) << mouse << ": the owner has it back";
        EXPECT_FALSE(IsWindowVisible(clock.GetTrayMenus().MenuWindow())) << mouse;
        EXPECT_GT(clock.GetTrayMenus().PicturesDrawn(), 0) << mouse << ": the owner drew the item pictures";
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
    seen.clickElsewhere = true;
    MenuWatcher watcher(seen);
    PostMessageA(clock.Hwnd(), ClockWindow::kTrayMessage, 1, WM_RBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return seen.done; }, std::chrono::seconds(8)));
    EXPECT_TRUE(seen.closedByClick) << "the menu stayed open after a click outside it";
    EXPECT_TRUE(rig.ErrorBoxes().empty());
}

// The window and the two items after each event, in order.
TEST(ShowAndHideClock, ItemsFollowWhetherTheUserHidTheClock) {
    ClockRig rig;
    rig.Option("hideonstart", true);
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    auto click = [&](const char* item) { return [&clock, item] { ClickItem(clock, clock.MainMenu(), item); }; };
    auto opens = [&](FullScreenView v) { return [&clock, v] { clock.FullScreenViewOpened(v); }; };
    auto closes = [&](FullScreenView v) { return [&clock, v] { clock.FullScreenViewClosed(v); }; };
    const std::tuple<const char*, std::function<void()>, bool> steps[] = {
        {"creation", [] {}, true},
        {"first idle moment with hideonstart", [&] { clock.IdleStep(); }, false},
        {"Show clock", click("Show clock"), true},
        {"a later idle moment does nothing", [&] { clock.IdleStep(); }, true},
        {"Hide clock", click("Hide clock"), false},
        {"Show clock again", click("Show clock"), true},
        {"double click on the face", [&] { SendMessageA(clock.FaceHandle(), WM_LBUTTONDBLCLK, 0, 0); }, false},
        {"Show clock once more", click("Show clock"), true},
        {"full-screen view opens", opens(FullScreenView::Browsing), false},
        {"full-screen view closes", closes(FullScreenView::Browsing), true},
        {"Hide clock before a view opens", click("Hide clock"), false},
        {"the view opens", opens(FullScreenView::ActualSize), false},
        {"the view closes: the user's choice stands", closes(FullScreenView::ActualSize), false},
    };
    for (const auto& [event, run, shown] : steps) {
        run();
        EXPECT_EQ(IsWindowVisible(clock.Hwnd()) != FALSE, shown) << event;
        EXPECT_EQ(FindRow(clock.MainMenu(), "Show clock")->Disabled(), shown) << event;
        EXPECT_EQ(FindRow(clock.MainMenu(), "Hide clock")->Disabled(), !shown) << event;
    }
}

// Once the user hid the clock, the pointer leaving it must not bring it back.
TEST(ShowAndHideClock, HidingUnderTheCursorWorksOnlyWhileHideClockIsEnabled) {
    ClockRig rig;
    rig.Option("hideunder", true);
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    RECT r;
    GetWindowRect(clock.Hwnd(), &r);
    auto visible = [&] { return IsWindowVisible(clock.Hwnd()) != FALSE; };
    auto over = [&] { SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
    auto away = [&] { SetCursorPos(r.right + 300, r.bottom + 300); };

    over();
    ASSERT_TRUE(WaitFor([&] { return !visible(); })) << "the pointer over the clock hides it";
    away();
    ASSERT_TRUE(WaitFor(visible)) << "the pointer leaving shows it again";
    over();
    ASSERT_TRUE(WaitFor([&] { return !visible(); }));
    ClickItem(clock, clock.MainMenu(), "Hide clock");
    away();
    const int target = rig.time.calls + 10;
    ASSERT_TRUE(WaitFor([&] { return rig.time.calls >= target; }));
    EXPECT_FALSE(visible()) << "hidden by the user, the clock must stay hidden";
}

TEST(MenuActions, WindowsAreShownOnlyWhenHiddenButTheReminderListComesToTheFront) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    auto makeForm = [](const char* className, const char* caption) {
        auto form = std::make_unique<ui::Form>(ui::FormSpec{.className = className, .caption = caption,
                                                            .clientWidth = 200, .clientHeight = 100});
        form->CreateForm();
        return form;
    };
    auto other = makeForm("TForm5", " Calendar");  // not attached: the test brings it forward itself
    // z-order position among the top-level windows; smaller is nearer the front.
    auto depth = [](HWND target) {
        int i = 0;
        for (HWND w = GetTopWindow(nullptr); w && w != target; w = GetWindow(w, GW_HWNDNEXT)) ++i;
        return i;
    };
    const std::tuple<const char*, const char*, const char*, bool> forms[] = {
        {"TForm2", "Tikora: Settings", "Settings", false}, {"TForm18", "Reminder", "Reminder", true}};
    for (const auto& [className, title, caption, toFront] : forms) {
        auto form = makeForm(className, title);
        const WindowId shown = toFront ? WindowId::ReminderList : WindowId::Settings;
        clock.SetWindowDirectory([&, shown](WindowId id) { return id == shown ? form.get() : nullptr; });
        ClickItem(clock, clock.MainMenu(), caption);
        EXPECT_TRUE(form->Visible()) << caption;
        other->BringToFront();
        ASSERT_LT(depth(other->Hwnd()), depth(form->Hwnd())) << caption;
        ClickItem(clock, clock.MainMenu(), caption);
        EXPECT_EQ(depth(form->Hwnd()) < depth(other->Hwnd()), toFront) << caption;
        form->Destroy();
    }
    other->Destroy();
}

TEST(MenuActions, CalculatorRunsThroughItsHookAndCloseEndsTheMessageLoop) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ClickItem(clock, clock.MainMenu(), "Calculator");  // no calculator yet: nothing happens
    int runs = 0;
    clock.SetCalculatorRunner([&] { ++runs; });
    ClickItem(clock, clock.MainMenu(), "Calculator");
    EXPECT_EQ(runs, 1);

    ClickItem(clock, clock.MainMenu(), "Close");
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(clock.Hwnd())) << "the window goes only when the program ends";
}

// Alt+F4 on the clock window ends the program by the path of "Close": the loop ends, the window
// stays until the program destroys it, and the settings file is not written.
TEST(MenuActions, ClosingTheClockWindowEndsTheMessageLoopAsCloseDoes) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    SendMessageA(clock.Hwnd(), WM_CLOSE, 0, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(clock.Hwnd()));
    EXPECT_EQ(GetFileAttributesA(rig.settings.Path().c_str()), INVALID_FILE_ATTRIBUTES) << "nothing is written";
}

}  // namespace
}  // namespace tikora::traytest
