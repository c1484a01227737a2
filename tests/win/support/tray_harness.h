#pragma once
// In-process harness for the tray, placement and CD tests: a ClockWindow on a settings file of
// its own, with recording stand-ins for every system call that must not really happen in a test
// (power, recent documents, CD doors, message boxes), and helpers that wait on conditions while
// pumping messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "clock/clock_window_win.h"
#include "core/system_win.h"
#include "ui/application_win.h"
#include "support/fakes.h"
#include "win/support/test_app.h"

namespace tikora::traytest {

using testing::RecordingPower;
using testing::RecordingShell;
using testing::ShellCall;
using testing::TempFolder;

// Waits while dispatching messages, as every GUI test here must.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    return testing::WaitFor(condition, std::chrono::milliseconds(timeoutMs));
}

inline std::string MakeFolder(const TempFolder& folder, const std::string& name) {
    std::string full = folder.File(name);
    CreateDirectoryA(full.c_str(), nullptr);
    return full;
}

inline std::string WriteFile(const TempFolder& folder, const std::string& name, const std::string& bytes) {
    folder.Write(name, bytes);
    return folder.File(name);
}

// A 16 x 16, 32-bit icon file: a blue square on a transparent ground.
inline std::string IconFileBytes() {
    auto put16 = [](std::string& s, unsigned v) {
        s.push_back(static_cast<char>(v & 0xFF));
        s.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&](std::string& s, unsigned v) {
        put16(s, v & 0xFFFF);
        put16(s, v >> 16);
    };
    const unsigned size = 16;
    const unsigned pixels = size * size * 4;
    const unsigned mask = size * 4;  // 1-bit AND mask, rows padded to 4 bytes
    const unsigned image = 40 + pixels + mask;
    std::string s;
    put16(s, 0);
    put16(s, 1);  // icon
    put16(s, 1);  // one image
    s.push_back(static_cast<char>(size));
    s.push_back(static_cast<char>(size));
    s.push_back(0);
    s.push_back(0);
    put16(s, 1);
    put16(s, 32);
    put32(s, image);
    put32(s, 22);
    put32(s, 40);
    put32(s, size);
    put32(s, size * 2);  // colour and mask halves
    put16(s, 1);
    put16(s, 32);
    put32(s, 0);
    put32(s, pixels + mask);
    put32(s, 0);
    put32(s, 0);
    put32(s, 0);
    put32(s, 0);
    for (unsigned y = 0; y < size; ++y)
        for (unsigned x = 0; x < size; ++x) put32(s, (x > 2 && x < 13 && y > 2 && y < 13) ? 0xFF2050E0u : 0u);
    s.append(mask, '\0');
    return s;
}

class FixedTime final : public TimeSource {
public:
    DateTime Now() override {
        ++calls;
        return value;
    }
    DateTime value{2026, 5, 12, 10, 30, 0, 0};
    int calls = 0;
};

class SilentSound final : public SoundPlayer {
public:
    void Play(std::string_view file, unsigned) override { played.emplace_back(file); }
    std::vector<std::string> played;
};

// Records every record and passes it on to the real notification area, so the icon is really
// there (or not) for the tests that ask the shell.
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
        // The real dialog may leave the current directory where the user browsed to.
        if (!moveTo.empty()) SetCurrentDirectoryA(moveTo.c_str());
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
        std::string type;     // MCI_OPEN only
        std::string element;  // MCI_OPEN only
    };
    MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) override {
        Call call{device, message, flags, params, {}, {}};
        if (message == MCI_OPEN) {
            auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(params);
            call.type = open->lpstrDeviceType ? open->lpstrDeviceType : "";
            call.element = open->lpstrElementName ? open->lpstrElementName : "";
            calls.push_back(call);
            if (!cdDrives.count(call.element)) return MCIERR_INVALID_DEVICE_NAME;
            open->wDeviceID = kDevice;
            return 0;
        }
        calls.push_back(call);
        return 0;
    }
    static constexpr MCIDEVICEID kDevice = 42;
    std::set<std::string> cdDrives;  // elements that open
    std::vector<Call> calls;
};

class FakeDrives final : public DriveTypes {
public:
    DWORD LogicalDrives() override { return mask; }
    UINT DriveType(const std::string& driveName) override {
        asked.push_back(driveName);
        auto it = types.find(driveName);
        return it == types.end() ? DRIVE_NO_ROOT_DIR : it->second;
    }
    // A drive of the given type, also set in the mask.
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
    int ScreenWidth() override { return width; }
    int ScreenHeight() override { return height; }
    Rect taskbar{-2, 738, 1026, 770};
    int width = 1024;
    int height = 768;
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
        // Nothing posted for the windows of this test may reach the next one.
        testing::PumpMessages();
        SetCurrentDirectoryA(savedDirectory_.c_str());
    }
    ClockRig(const ClockRig&) = delete;
    ClockRig& operator=(const ClockRig&) = delete;

    void Option(const char* key, bool on) { settings.WriteBool("Options", key, on); }

    // Creation as the program entry runs it. useRealDesktop: the real taskbar and screen.
    ClockWindow& Start(bool useRealDesktop = false) {
        ClockSystem system;
        system.notifyArea = &tray;
        system.iconChooser = &chooser;
        system.mci = &mci;
        system.drives = &drives;
        system.desktopShell = &desktopShell;
        system.desktop = useRealDesktop ? nullptr : &desktop;
        system.version = &version;
        system.plainMessage = [this](const std::string& text) { plainMessages.push_back(text); };
        clock = std::make_unique<ClockWindow>(ClockServices{time, sound, shell, power, files, settings}, system);
        clock->CreateForm();
        clock->Initialize();
        return *clock;
    }
    // The message loop's start: the window is shown and the first-show steps run.
    void ShowAtStart() { clock->ShowAtStart(); }

    TempFolder folder;
    IniFile settings;
    FixedTime time;
    SilentSound sound;
    RecordingShell shell;
    RecordingPower power;
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

    // What reached the application error handler since the rig was made.
    const std::vector<std::string>& ErrorBoxes() {
        for (std::string& text : testing::TakeErrorBoxes()) errorBoxes_.push_back(std::move(text));
        return errorBoxes_;
    }

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
    bool IsDefault() const { return (state & MFS_DEFAULT) != 0; }
    bool Checked() const { return (state & MFS_CHECKED) != 0; }
};

inline std::vector<MenuRow> ReadMenu(HMENU menu) {
    std::vector<MenuRow> rows;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        info.dwTypeData = text;
        info.cch = sizeof text;
        EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) << "item " << i;
        MenuRow row;
        row.separator = (info.fType & MFT_SEPARATOR) != 0;
        row.caption = row.separator ? "-" : text;
        row.submenu = info.hSubMenu;
        row.id = info.wID;
        row.state = info.fState;
        row.type = info.fType;
        row.picture = info.hbmpItem;
        row.data = info.dwItemData;
        rows.push_back(row);
    }
    return rows;
}

// Captions of the menu's items, a submenu's caption followed by ">".
inline std::vector<std::string> Captions(HMENU menu) {
    std::vector<std::string> captions;
    for (const MenuRow& row : ReadMenu(menu)) captions.push_back(row.submenu ? row.caption + ">" : row.caption);
    return captions;
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
