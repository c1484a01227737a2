#pragma once
// In-process harness for the tray, placement and CD tests: a ClockWindow on a settings file of
// its own, with recording stand-ins for every system call that must not really happen in a test.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "clock/clock_window_win.h"
#include "core/system_win.h"
#include "support/fakes.h"
#include "ui/application_win.h"
#include "win/support/test_app.h"

namespace tikora::traytest {

using testing::WaitFor;

class CountingTime final : public TimeSource {
public:
    DateTime Now() override { return ++calls, DateTime{2026, 5, 12, 10, 30, 0, 0}; }
    int calls = 0;
};

// Records every record and passes it on to the real notification area.
class RecordingNotifyArea final : public NotifyArea {
public:
    struct Call {
        DWORD message;
        NOTIFYICONDATAA record;
    };
    bool Notify(DWORD message, const NOTIFYICONDATAA& record) override {
        calls.push_back({message, record});
        return real.Notify(message, record);
    }
    std::vector<Call> calls;
    SystemNotifyArea real;
};

// Whether the shell holds our icon: modifying an icon that is not there fails.
inline bool ShellHasIcon(HWND window) {
    NOTIFYICONDATAA record = TrayIconKey(window);
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

class FakeIconChooser final : public IconFileChooser {
public:
    std::optional<std::string> Choose(HWND, const std::string& startFolder) override {
        startFolders.push_back(startFolder);
        SetCurrentDirectoryA(moveTo.c_str());  // the real dialog may leave the directory elsewhere
        return answer;
    }
    std::optional<std::string> answer;
    std::string moveTo;
    std::vector<std::string> startFolders;
};

class RecordingMci final : public MciPort {
public:
    struct Call {
        MCIDEVICEID device;
        UINT message;
        DWORD_PTR flags;
        DWORD_PTR params;
        std::string element;  // MCI_OPEN only
    };
    MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) override {
        calls.push_back({device, message, flags, params, {}});
        if (message != MCI_OPEN) return 0;
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(params);
        EXPECT_STREQ(open->lpstrDeviceType, "CDAudio");
        calls.back().element = open->lpstrElementName ? open->lpstrElementName : "";
        if (!cdDrives.count(calls.back().element)) return MCIERR_INVALID_DEVICE_NAME;
        open->wDeviceID = kDevice;
        return 0;
    }
    static constexpr MCIDEVICEID kDevice = 42;
    std::set<std::string> cdDrives;  // elements that open
    std::vector<Call> calls;
};

class FakeDrives final : public DriveTypes {
public:
    DWORD LogicalDrives() override { return mask; }
    UINT DriveType(const std::string& name) override {
        asked.push_back(name);
        return types.count(name) ? types[name] : DRIVE_NO_ROOT_DIR;
    }
    void Add(char letter, UINT type) {
        mask |= 1u << (letter - 'A');
        types[std::string{letter, ':'}] = type;
    }
    DWORD mask = 0;
    std::map<std::string, UINT> types;
    std::vector<std::string> asked;
};

class RecordingDesktopShell final : public DesktopShell {
public:
    void ClearRecentDocuments() override { calls.push_back("clear recent documents"); }
    void Beep(UINT type) override { calls.push_back("beep " + std::to_string(type)); }
    std::vector<std::string> calls;
};

class FakeDesktop final : public DesktopGeometry {
public:
    Rect TaskbarRect() override { return taskbar; }
    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    Rect taskbar{-2, 738, 1026, 770};
};

class FakeVersion final : public VersionQuery {
public:
    bool Query(OSVERSIONINFOA& info) override {
        if (info.dwOSVersionInfoSize != 148) return false;
        info.dwMajorVersion = major;
        return true;
    }
    DWORD major = 6;
};

// One clock window with its own settings file and recording stand-ins.
class ClockRig {
public:
    ClockRig() : settings(folder.File("MyIni.ini")) {
        testing::EnsureApplication();
        testing::TakeErrorBoxes();
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        savedDirectory_ = cwd;
    }
    ~ClockRig() {
        clock.reset();
        testing::PumpMessages();  // nothing posted for this test may reach the next one
        SetCurrentDirectoryA(savedDirectory_.c_str());
    }

    void Option(const char* key, bool on) { settings.WriteBool("Options", key, on); }

    // Creation as the program entry runs it. useRealDesktop: the real taskbar and screen.
    ClockWindow& Start(bool useRealDesktop = false) {
        ClockSystem system{&tray, &chooser, &mci, &drives, &desktopShell, useRealDesktop ? nullptr : &desktop,
                           &version, [this](const std::string& text) { plainMessages.push_back(text); }};
        clock = std::make_unique<ClockWindow>(tikora::testing::ClockName(), ClockServices{time, sound, shell, power, files, settings}, system);
        clock->CreateForm();
        clock->Initialize();
        return *clock;
    }
    void ShowAtStart() { clock->ShowAtStart(); }  // the message loop's start

    // What reached the application error handler since the rig was made.
    const std::vector<std::string>& ErrorBoxes() {
        for (std::string& text : testing::TakeErrorBoxes()) errorBoxes_.push_back(std::move(text));
        return errorBoxes_;
    }

    testing::TempFolder folder;
    IniFile settings;
    CountingTime time;
    testing::FakeClock soundClock;
    testing::RecordingSound sound{soundClock};
    testing::RecordingShell shell;
    testing::RecordingPower power;
    SystemFileSystem files;
    RecordingNotifyArea tray;
    FakeIconChooser chooser;
    RecordingMci mci;
    FakeDrives drives;
    RecordingDesktopShell desktopShell;
    FakeDesktop desktop;
    FakeVersion version;
    std::vector<std::string> plainMessages;
    std::unique_ptr<ClockWindow> clock;

private:
    std::string savedDirectory_;
    std::vector<std::string> errorBoxes_;
};

// One item of an HMENU as the system reports it.
struct MenuRow {
    std::string caption;
    bool separator = false;
    HMENU submenu = nullptr;
    UINT id = 0;
    UINT state = 0;
    UINT type = 0;
    HBITMAP picture = nullptr;
    ULONG_PTR data = 0;
    bool Disabled() const { return (state & MFS_DISABLED) != 0; }
};

inline std::vector<MenuRow> ReadMenu(HMENU menu) {
    std::vector<MenuRow> rows;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) << "item " << i;
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        rows.push_back({separator ? "-" : text, separator, info.hSubMenu, info.wID, info.fState, info.fType,
                        info.hbmpItem, info.dwItemData});
    }
    return rows;
}

// The item with this caption, searched depth-first.
inline std::optional<MenuRow> FindRow(HMENU menu, const std::string& caption) {
    for (const MenuRow& row : ReadMenu(menu)) {
        if (row.caption == caption) return row;
        if (row.submenu)
            if (auto found = FindRow(row.submenu, caption)) return found;
    }
    return std::nullopt;
}

// Sends the WM_COMMAND of the item with this caption, as a click on it does.
inline void ClickItem(ClockWindow& clock, HMENU menu, const std::string& caption) {
    std::optional<MenuRow> row = FindRow(menu, caption);
    ASSERT_TRUE(row.has_value()) << caption;
    ASSERT_FALSE(row->Disabled()) << caption;
    SendMessageA(clock.Hwnd(), WM_COMMAND, MAKEWPARAM(row->id, 0), 0);
}

// Whether another thread can register the combination: false while someone holds it.
inline bool HotKeyFree(UINT modifiers, UINT key) {
    bool free = false;
    std::thread probe([&] {
        free = RegisterHotKey(nullptr, 0xB000, modifiers, key) != FALSE;
        if (free) UnregisterHotKey(nullptr, 0xB000);
    });
    probe.join();
    return free;
}

}  // namespace tikora::traytest
