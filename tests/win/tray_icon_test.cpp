// The tray icon: its record, its life from creation to destruction, a new taskbar, and the tray
// icon chooser.
#include <cstring>

#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

TEST(TrayIcon, RecordCarriesTheTitleAsTipWithinItsSixtyFourCharacters) {
    const HWND window = reinterpret_cast<HWND>(0x1234);
    const HICON icon = reinterpret_cast<HICON>(0x5678);
    const std::string longTitle(80, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"Tikora 1.5-e", "Tikora 1.5-e"},
        {longTitle, std::string(63, 'x')},
        {"", ""},
    };
    for (const auto& [title, tip] : cases) {
        NOTIFYICONDATAA record = TrayIconRecord(window, icon, title);
        EXPECT_EQ(record.szTip, tip);
        EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
        EXPECT_EQ(record.hWnd, window);
        EXPECT_EQ(record.hIcon, icon);
    }
}

TEST(TrayIcon, AddedAtCreationWithTheFirstFormOfTheRecord) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ASSERT_EQ(rig.tray.calls.size(), 1u);
    const auto& [message, record] = rig.tray.calls[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, clock.Hwnd());
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x47Bu);
    EXPECT_EQ(record.hIcon, clock.Icon());
    EXPECT_EQ(record.szTip, ui::Application::Instance().Title()) << "the tip is the application title";
    EXPECT_TRUE(ShellHasIcon(clock.Hwnd())) << "the notification area holds the icon";
}

TEST(TrayIcon, RemovedWhenTheWindowIsDestroyed) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    HWND window = clock.Hwnd();
    rig.clock.reset();
    ASSERT_EQ(rig.tray.calls.size(), 2u);
    const auto& [message, record] = rig.tray.calls[1];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_DELETE));
    NOTIFYICONDATAA key{};
    key.cbSize = NOTIFYICONDATAA_V1_SIZE;
    key.hWnd = window;
    key.uID = 1;
    EXPECT_EQ(std::memcmp(&record, &key, sizeof key), 0) << "only size, window and identifier are given";
    EXPECT_FALSE(ShellHasIcon(window));
}

// After the shell restarts, the new taskbar knows no icons and announces itself to every
// top-level window.
TEST(TrayIcon, ComesBackWhenTheTaskbarIsCreatedAnew) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ASSERT_TRUE(ShellHasIcon(clock.Hwnd()));
    NOTIFYICONDATAA key = TrayIconKey(clock.Hwnd());
    Shell_NotifyIconA(NIM_DELETE, &key);  // what the old shell's end did to it
    ASSERT_FALSE(ShellHasIcon(clock.Hwnd()));

    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([&] { return ShellHasIcon(clock.Hwnd()); }));
    ASSERT_EQ(rig.tray.calls.size(), 2u);
    EXPECT_EQ(rig.tray.calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(rig.tray.calls[1].record.szTip, ui::Application::Instance().Title());
    EXPECT_EQ(rig.tray.calls[1].record.hIcon, clock.Icon());
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

TEST(TrayIconChooser, FilterIsOnePairEndedByTwoNuls) {
    // What the dialog reads through c_str(), the string's own terminator included.
    std::string filter = DialogFilter("Icons (*.ico)|*.ico");
    EXPECT_EQ(std::string(filter.c_str(), filter.size() + 1), std::string("Icons (*.ico)\0*.ico\0\0", 21));
}

TEST(TrayIconChooser, StartsInIconsWhenThatFolderExistsAndPutsTheDirectoryBack) {
    struct Case {
        const char* name;
        bool iconsFolder;
    };
    for (const Case& c : {Case{"with Icons", true}, Case{"without Icons", false}}) {
        ClockRig rig;
        ClockWindow& clock = rig.Start();
        std::string program = MakeFolder(rig.folder, "program");
        if (c.iconsFolder) MakeFolder(rig.folder, "program\\Icons");
        rig.chooser.moveTo = MakeFolder(rig.folder, "elsewhere");
        ASSERT_TRUE(SetCurrentDirectoryA(program.c_str()));
        std::string current = CurrentDirectory();

        ClickItem(clock, clock.MainMenu(), "Change icon in tray");  // the user cancels
        ASSERT_EQ(rig.chooser.startFolders.size(), 1u) << c.name;
        EXPECT_EQ(rig.chooser.startFolders[0], c.iconsFolder ? current + "\\Icons" : current) << c.name;
        EXPECT_EQ(CurrentDirectory(), current) << c.name;
        EXPECT_EQ(rig.tray.calls.size(), 1u) << c.name << ": a cancelled choice leaves the icon alone";
    }
}

// What each kind of chosen file does to the tray icon, the window icon, the settings and the
// error handler.
TEST(TrayIconChooser, ChosenFileReplacesTheIconOrLeavesTheOldOne) {
    struct Case {
        const char* name;
        std::string file;    // written into the folder; empty: the path does not exist
        std::string bytes;
        bool replaced;       // the new icon is in use and stored
        bool reported;       // the error handler was told
        size_t trayCalls;    // after the one of creation
    };
    const Case cases[] = {
        {"a readable icon", "good.ico", IconFileBytes(), true, false, 2},
        {"a file that is not an icon", "bad.ico", "this is not an icon", false, true, 2},
        {"a path that does not exist", "", "", false, false, 0},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.settings.WriteString("Icon in Tray", "Path", "");
        ClockWindow& clock = rig.Start();
        HICON before = clock.Icon();
        std::string path = c.file.empty() ? rig.folder.File("missing.ico") : WriteFile(rig.folder, c.file, c.bytes);
        rig.chooser.answer = path;
        rig.chooser.moveTo = rig.folder.Path();
        std::string current = CurrentDirectory();

        ClickItem(clock, clock.MainMenu(), "Change icon in tray");

        EXPECT_EQ(CurrentDirectory(), current) << c.name;
        ASSERT_EQ(rig.tray.calls.size(), 1 + c.trayCalls) << c.name;
        if (c.trayCalls == 2) {
            EXPECT_EQ(rig.tray.calls[1].message, static_cast<DWORD>(NIM_DELETE)) << c.name;
            EXPECT_EQ(rig.tray.calls[2].message, static_cast<DWORD>(NIM_ADD)) << c.name;
            EXPECT_EQ(rig.tray.calls[2].record.hIcon, clock.Icon()) << c.name;
            EXPECT_EQ(rig.tray.calls[2].record.szTip, ui::Application::Instance().Title()) << c.name;
        }
        EXPECT_TRUE(ShellHasIcon(clock.Hwnd())) << c.name << ": the tray icon is there afterwards";
        EXPECT_EQ(clock.Icon() != before, c.replaced) << c.name;
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(clock.Hwnd(), WM_GETICON, ICON_SMALL, 0)), clock.Icon())
            << c.name;
        EXPECT_EQ(rig.settings.ReadString("Icon in Tray", "Path", ""), c.replaced ? path : "") << c.name;
        if (c.reported) {
            ASSERT_EQ(rig.ErrorBoxes().size(), 1u) << c.name;
            EXPECT_EQ(rig.ErrorBoxes()[0], "Cannot use " + path + " as the tray icon: the file is not a readable icon.");
        } else {
            EXPECT_TRUE(rig.ErrorBoxes().empty()) << c.name;
        }
    }
}

}  // namespace
}  // namespace tikora::traytest
