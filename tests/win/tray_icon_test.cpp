// The tray icon: its record, its life from creation to destruction, a new taskbar, and the tray
// icon chooser.
#include <cstring>

#include "ui/file_dialogs_win.h"
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

TEST(TrayIcon, RecordCarriesTheTitleAsTipWithinItsSixtyFourCharacters) {
    const std::pair<std::string, std::string> cases[] = {
        {"Tikora 1.5-e", "Tikora 1.5-e"},
        {std::string(80, 'x'), std::string(63, 'x')},
        {std::string(63, 'y'), std::string(63, 'y')},
    };
    for (const auto& [title, tip] : cases)
        EXPECT_EQ(TrayIconRecord(nullptr, nullptr, title).szTip, tip) << title.size() << " characters";
}

// Added at creation with the first form of the record, removed at destruction by its key alone.
TEST(TrayIcon, AddedAtCreationAndRemovedAtDestruction) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    HWND window = clock.Hwnd();
    ASSERT_EQ(rig.tray.calls.size(), 1u);
    const auto& [message, record] = rig.tray.calls[0];
    EXPECT_EQ(message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, window);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x47Bu);
    EXPECT_EQ(record.hIcon, clock.Icon());
    EXPECT_EQ(record.szTip, ui::Application::Instance().Title()) << "the tip is the application title";
    EXPECT_TRUE(ShellHasIcon(window)) << "the notification area holds the icon";

    rig.clock.reset();
    ASSERT_EQ(rig.tray.calls.size(), 2u);
    EXPECT_EQ(rig.tray.calls[1].message, static_cast<DWORD>(NIM_DELETE));
    NOTIFYICONDATAA key{};
    key.cbSize = NOTIFYICONDATAA_V1_SIZE;
    key.hWnd = window;
    key.uID = 1;
    EXPECT_EQ(std::memcmp(&rig.tray.calls[1].record, &key, sizeof key), 0) << "only size, window and identifier";
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
    std::string filter = ui::FileDialogFilter("Icons (*.ico)|*.ico");
    EXPECT_EQ(std::string(filter.c_str(), filter.size() + 1), std::string("Icons (*.ico)\0*.ico\0\0", 21));
}

// The chooser starts in the Icons folder; afterwards the current directory is put back and
// the tray keeps an icon, the new one when the file was a readable icon, otherwise the old.
TEST(TrayIconChooser, ChosenFileReplacesTheIconOrLeavesTheOldOne) {
    struct Case {
        const char* name;
        std::optional<std::string> file;  // nullopt: the user cancels
        bool replaced;                    // the new icon is in use and stored
        bool reported;                    // the error handler was told
        bool readded;                     // the tray icon was deleted and added again
    };
    testing::TempFolder files;
    files.Write("bad.ico", "this is not an icon");
    const Case cases[] = {
        {"a readable icon", testing::RuntimeFolder() + "\\Icons\\Bell.ico", true, false, true},
        {"a file that is not an icon", files.File("bad.ico"), false, true, true},
        {"a path that does not exist", files.File("missing.ico"), false, false, false},
        {"cancelled", std::nullopt, false, false, false},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.settings.WriteString("Icon in Tray", "Path", "");
        ClockWindow& clock = rig.Start();
        HICON before = clock.Icon();
        const std::string program = rig.folder.File("program");
        CreateDirectoryA(program.c_str(), nullptr);
        CreateDirectoryA((program + "\\Icons").c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(program.c_str()));
        const std::string current = CurrentDirectory();
        rig.chooser.answer = c.file;
        rig.chooser.moveTo = rig.folder.Path();

        ClickItem(clock, clock.MainMenu(), "Change icon in tray");

        EXPECT_EQ(rig.chooser.startFolders, std::vector<std::string>{current + "\\Icons"}) << c.name;
        EXPECT_EQ(CurrentDirectory(), current) << c.name;
        ASSERT_EQ(rig.tray.calls.size(), c.readded ? 3u : 1u) << c.name;
        if (c.readded) {
            EXPECT_EQ(rig.tray.calls[1].message, static_cast<DWORD>(NIM_DELETE)) << c.name;
            EXPECT_EQ(rig.tray.calls[2].message, static_cast<DWORD>(NIM_ADD)) << c.name;
            EXPECT_EQ(rig.tray.calls[2].record.hIcon, clock.Icon()) << c.name;
            EXPECT_EQ(rig.tray.calls[2].record.szTip, ui::Application::Instance().Title()) << c.name;
        }
        EXPECT_TRUE(ShellHasIcon(clock.Hwnd())) << c.name << ": the tray icon is there afterwards";
        EXPECT_EQ(clock.Icon() != before, c.replaced) << c.name;
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(clock.Hwnd(), WM_GETICON, ICON_SMALL, 0)), clock.Icon())
            << c.name;
        EXPECT_EQ(rig.settings.ReadString("Icon in Tray", "Path", ""), c.replaced ? *c.file : "") << c.name;
        if (c.reported) {
            const std::string text = "Cannot use " + *c.file + " as the tray icon: the file is not a readable icon.";
            EXPECT_EQ(rig.ErrorBoxes(), std::vector<std::string>{text});
        } else {
            EXPECT_TRUE(rig.ErrorBoxes().empty()) << c.name;
        }
    }
}

}  // namespace
}  // namespace tikora::traytest
