// The settings dialog in-process over a real clock window on a settings file of its own: the
// boxes act on the clock at once, "Apply" stores, "Cancel" and the close box restore, the
// Twinkle interlock, the chime chooser and the Run value in the prefix's registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings_dialog_win.h"
#include "ui/dpi_win.h"
#include "win/support/tray_harness.h"

using namespace tikora;
using namespace tikora::testing;
using tikora::traytest::ClockRig;

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValue = "Tikora 1.5-e";

class FakeRunKey final : public AutostartRegistry {
public:
    bool SetRunValue(std::string_view name) override {
        calls.push_back("set " + std::string(name));
        return true;
    }
    void DeleteRunValue(std::string_view name) override { calls.push_back("delete " + std::string(name)); }
    std::vector<std::string> calls;
};

class FakeFileDialog final : public ui::FileOpenDialog {
public:
    std::optional<std::string> Choose(HWND, std::string_view filter, const std::string& initialFolder) override {
        filters.push_back(std::string(filter));
        folders.push_back(initialFolder);
        SetCurrentDirectoryA(moveTo.c_str());  // the real dialog may leave the directory elsewhere
        return answer;
    }
    std::optional<std::string> answer;
    std::string moveTo = "C:\\";
    std::vector<std::string> filters;
    std::vector<std::string> folders;
};

std::string Text(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

struct Found {
    const char* text;
    const char* className;
    HWND hwnd = nullptr;
};

// The first child, at any depth, with this text and class.
HWND FindControl(HWND root, const char* text, const char* className = "Button") {
    Found found{text, className};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Found*>(data);
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (Text(hwnd) == f->text && lstrcmpiA(cls, f->className) == 0) {
                f->hwnd = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

const char* const kCaptions[] = {" Run at Windows startup ", " Hide the clock at start ",
                                 " Snap to the edges of the screen ", " Transparent (W2K-XP) ", " Show seconds ",
                                 " Twinkle ", " Hide the clock under cursor ", " Strike the hour "};

class SettingsDialogTest : public ::testing::Test {
protected:
    // Starts the clock (as the program entry does) and makes the dialog in its place.
    void Start(bool useRealRegistry = false) {
        clock = &rig.Start();
        rig.ShowAtStart();
        const WindowEntry& entry = CatalogueEntry(WindowId::Settings);
        dialog = std::make_unique<SettingsDialog>(
            ui::FormName{entry.className, entry.caption}, *clock, SystemServices{rig.time, rig.sound, rig.shell, rig.power, rig.files, rig.settings},
            SettingsDialogSystem{useRealRegistry ? nullptr : &registry, &fileDialog});
        dialog->CreateForm();
        clock->SetChimeSource(dialog.get());
    }
    void ShowDialog() {
        dialog->Show();
        ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    }
    HWND Box(const char* caption) {
        HWND box = FindControl(dialog->Hwnd(), caption);
        EXPECT_TRUE(box) << caption;
        return box;
    }
    void Click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }
    void Click(const char* caption) { Click(Box(caption)); }
    int ClockClientWidth() {
        RECT r{};
        GetClientRect(clock->Hwnd(), &r);
        return r.right;
    }
    BYTE ClockAlpha() {
        BYTE alpha = 255;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(clock->Hwnd(), nullptr, &alpha, &flags)) return 255;
        return alpha;
    }
    HWND ChimeBox() { return FindWindowExA(FindWindowExA(dialog->Hwnd(), nullptr, "TikoraPanel", nullptr), nullptr, "Edit", nullptr); }
    // What the chime box's tooltip shows: the dialog owns the tooltip window.
    std::string ChimeHint() {
        struct Search {
            HWND owner;
            HWND tip = nullptr;
        } search{dialog->Hwnd()};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                char cls[64] = {};
                GetClassNameA(hwnd, cls, sizeof cls);
                if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || GetWindow(hwnd, GW_OWNER) != s->owner) return TRUE;
                s->tip = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        char text[512] = {};
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetParent(ChimeBox());
        tool.uId = reinterpret_cast<UINT_PTR>(ChimeBox());
        tool.lpszText = text;
        SendMessageA(search.tip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    // The keys of a section as the file holds them: "key=value".
    std::vector<std::string> Section(const char* name) {
        char buffer[4096] = {};
        const DWORD length = GetPrivateProfileSectionA(name, buffer, sizeof buffer, rig.settings.Path().c_str());
        std::vector<std::string> lines;
        for (const char* p = buffer; p < buffer + length && *p; p += lstrlenA(p) + 1) lines.emplace_back(p);
        return lines;
    }

    void ExpectRestoredAfter(const std::function<void()>& leave);

    ClockRig rig;
    ClockWindow* clock = nullptr;
    FakeRunKey registry;
    FakeFileDialog fileDialog;
    std::unique_ptr<SettingsDialog> dialog;
};

TEST_F(SettingsDialogTest, LayoutCaptionsAndTabOrderAreThoseOfTheDesign) {
    rig.version.major = 5;  // the transparency box enabled, so Tab reaches it
    Start();
    EXPECT_EQ(Text(dialog->Hwnd()), "Tikora: Settings");
    RECT client{};
    GetClientRect(dialog->Hwnd(), &client);
    EXPECT_EQ(client.right, ui::Scale(364));
    EXPECT_EQ(client.bottom, ui::Scale(217));
    const LONG_PTR style = GetWindowLongPtrA(dialog->Hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_SMALL, 0));

    // The panel's controls are placed relative to the panel, the buttons below it to the form.
    struct Place {
        const char* text;
        bool inPanel;
        int x, y, width, height;
    };
    const Place places[] = {{" Run at Windows startup ", true, 10, 10, 149, 17}, {" Show seconds ", true, 205, 70, 99, 17},
                            {" Strike the hour ", true, 10, 100, 103, 17},       {"...", true, 191, 130, 21, 21},
                            {"Cancel", false, 195, 181, 75, 25},                  {"Apply", false, 279, 181, 75, 25}};
    HWND panel = FindWindowExA(dialog->Hwnd(), nullptr, "TikoraPanel", nullptr);
    RECT panelBox{};
    GetWindowRect(panel, &panelBox);
    MapWindowPoints(nullptr, dialog->Hwnd(), reinterpret_cast<POINT*>(&panelBox), 2);
    EXPECT_EQ(panelBox.left, ui::Scale(8));
    EXPECT_EQ(panelBox.top, ui::Scale(8));
    for (const Place& p : places) {
        HWND control = Box(p.text);
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, p.inPanel ? panel : dialog->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, ui::Scale(p.x)) << p.text;
        EXPECT_EQ(r.top, ui::Scale(p.y)) << p.text;
        EXPECT_EQ(r.right - r.left, ui::Scale(p.width)) << p.text;
        EXPECT_EQ(r.bottom - r.top, ui::Scale(p.height)) << p.text;
    }

    // Tab from the first box walks the design's order and never reaches a tool button.
    const char* const tabOrder[] = {" Hide the clock under cursor ", " Twinkle ", " Show seconds ",
                                    " Transparent (W2K-XP) ", " Snap to the edges of the screen ", " Hide the clock at start ",
                                    " Run at Windows startup ", " Strike the hour "};
    HWND control = Box(tabOrder[0]);
    for (size_t i = 1; i < std::size(tabOrder); ++i) {
        control = GetNextDlgTabItem(dialog->Hwnd(), control, FALSE);
        EXPECT_EQ(Text(control), tabOrder[i]);
    }
    EXPECT_EQ(GetNextDlgTabItem(dialog->Hwnd(), control, FALSE), ChimeBox());
}

TEST_F(SettingsDialogTest, AMissingSettingsFileShowsOnlyTwinkleAndStrikeChecked) {
    Start();
    ShowDialog();
    for (const char* caption : kCaptions) {
        const bool expected = std::string(caption) == " Twinkle " || std::string(caption) == " Strike the hour ";
        EXPECT_EQ(Checked(Box(caption)), expected) << caption;
    }
    EXPECT_EQ(Text(ChimeBox()), "Sounds\\Chimes.wav");
    EXPECT_EQ(ChimeHint(), "Sounds\\Chimes.wav");
    EXPECT_EQ(GetFocus(), Box(" Run at Windows startup "));
    EXPECT_FALSE(IsWindowEnabled(Box(" Transparent (W2K-XP) ")));  // not available on version 6
}

TEST_F(SettingsDialogTest, ApplyWritesExactlyTheEightOptionsAndTheChimeFromTheLiveValues) {
    Start();
    ShowDialog();
    Click(" Hide the clock at start ");
    Click(" Snap to the edges of the screen ");
    Click(" Show seconds ");  // also unticks Twinkle
    Click(" Strike the hour ");
    EXPECT_EQ(ClockClientWidth(), ui::Scale(199));
    Click("Apply");

    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(registry.calls.empty());  // the autostart box was left as it was
    EXPECT_EQ(Section("Options"),
              (std::vector<std::string>{"autostart=0", "hideonstart=1", "scotch=1", "ghost=0", "showsecond=1",
                                        "flash=0", "hideunder=0", "everyhour=0"}));
    EXPECT_EQ(Section("EditTexts"), (std::vector<std::string>{"edit4=Sounds\\Chimes.wav"}));
    EXPECT_EQ(rig.ErrorBoxes(), std::vector<std::string>{});
}

// Toggles three boxes with visible effects, leaves by `leave` and checks everything came back.
void SettingsDialogTest::ExpectRestoredAfter(const std::function<void()>& leave) {
    rig.version.major = 5;  // transparency available
    Start();
    ShowDialog();
    Click(" Show seconds ");
    Click(" Snap to the edges of the screen ");
    Click(" Transparent (W2K-XP) ");
    EXPECT_EQ(ClockClientWidth(), ui::Scale(199));
    EXPECT_TRUE(clock->GetSnapper().Settings().Active());
    EXPECT_EQ(ClockAlpha(), 128);

    leave();
    ASSERT_TRUE(WaitFor([&] { return !dialog->Visible(); }));
    EXPECT_EQ(ClockClientWidth(), ui::Scale(134));
    EXPECT_FALSE(clock->GetSnapper().Settings().Active());
    EXPECT_EQ(ClockAlpha(), 255);
    EXPECT_EQ(clock->LiveOptions(), ClockOptions{});
    EXPECT_TRUE(Section("Options").empty());  // nothing written
    EXPECT_EQ(rig.plainMessages, std::vector<std::string>{});
}

TEST_F(SettingsDialogTest, CancelRestoresTheStoredStateAndItsEffects) {
    ExpectRestoredAfter([&] { Click("Cancel"); });
}

TEST_F(SettingsDialogTest, TheCloseBoxRestoresTheStoredStateAndItsEffects) {
    ExpectRestoredAfter([&] { SendMessageA(dialog->Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(SettingsDialogTest, TwinkleInterlockAtTheFirstShowWithSecondsAndTwinkleStored) {
    rig.Option("showsecond", true);
    rig.Option("flash", true);
    Start();
    ShowDialog();
    HWND seconds = Box(" Show seconds ");
    HWND twinkle = Box(" Twinkle ");
    EXPECT_TRUE(Checked(seconds));
    EXPECT_TRUE(Checked(twinkle));  // set from the live flag after the interlock ran
    EXPECT_FALSE(IsWindowEnabled(twinkle));
    EXPECT_TRUE(clock->LiveOptions().flash);

    Click(seconds);  // unticked: Twinkle enabled again, keeps its state
    EXPECT_TRUE(IsWindowEnabled(twinkle));
    EXPECT_TRUE(Checked(twinkle));
    EXPECT_EQ(ClockClientWidth(), ui::Scale(134));

    Click(seconds);  // ticked: Twinkle unticked, greyed, the live flag cleared
    EXPECT_FALSE(Checked(twinkle));
    EXPECT_FALSE(IsWindowEnabled(twinkle));
    EXPECT_FALSE(clock->LiveOptions().flash);
    Click("Apply");
    EXPECT_EQ(GetPrivateProfileIntA("Options", "flash", 9, rig.settings.Path().c_str()), 0);
}

TEST_F(SettingsDialogTest, EnterAndEscapeNeitherApplyNorCancel) {
    Start();
    ShowDialog();
    Click(" Show seconds ");
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        ui::Application::Instance().TranslateDialogKeys(msg);
        PumpMessages();
    }
    EXPECT_TRUE(dialog->Visible());
    EXPECT_TRUE(clock->LiveOptions().showsecond);
    EXPECT_TRUE(Section("Options").empty());
}

TEST_F(SettingsDialogTest, TheChimeChooserTakesOnlyAnExistingFileAndPutsTheDirectoryBack) {
    Start();
    ShowDialog();
    const std::string folder = rig.folder.Path();
    CreateDirectoryA((folder + "\\Sounds").c_str(), nullptr);
    rig.folder.Write("Bell.wav", "RIFF");
    SetCurrentDirectoryA(folder.c_str());
    HWND focused = GetFocus();

    fileDialog.answer = folder + "\\Missing.wav";
    Click("...");
    EXPECT_EQ(Text(ChimeBox()), "Sounds\\Chimes.wav");
    fileDialog.answer = std::nullopt;  // cancelled
    Click("...");
    EXPECT_EQ(Text(ChimeBox()), "Sounds\\Chimes.wav");
    fileDialog.answer = folder + "\\Bell.wav";
    Click("...");
    EXPECT_EQ(Text(ChimeBox()), folder + "\\Bell.wav");
    EXPECT_EQ(ChimeHint(), folder + "\\Bell.wav");
    EXPECT_EQ(clock->Tick().State().ringCounter, 0);
    EXPECT_EQ(dynamic_cast<ChimeSource&>(*dialog).ChimeFile(), folder + "\\Bell.wav");  // what the tick reads

    EXPECT_EQ(fileDialog.filters, std::vector<std::string>(3, "Wave (*.wav)|*.wav"));
    EXPECT_EQ(fileDialog.folders, std::vector<std::string>(3, folder + "\\Sounds"));
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof cwd, cwd);
    EXPECT_EQ(std::string(cwd), folder);
    EXPECT_EQ(GetFocus(), focused);  // tool buttons take no focus
    EXPECT_TRUE(Section("EditTexts").empty());  // stored only by "Apply"
}

TEST_F(SettingsDialogTest, ThePlayButtonPlaysTheChimeBoxSynchronously) {
    Start();
    ShowDialog();
    HWND play = FindControl(dialog->Hwnd(), "Test sound", "Button");  // a picture, named for screen readers
    ASSERT_TRUE(play);
    EXPECT_TRUE(GetWindowLongPtrA(play, GWL_STYLE) & BS_BITMAP);
    Click(play);
    ASSERT_EQ(rig.sound.played.size(), 1u);
    EXPECT_EQ(rig.sound.played[0].file, "Sounds\\Chimes.wav");
    EXPECT_EQ(rig.sound.played[0].flags, 0x20000u);
}

TEST_F(SettingsDialogTest, TheRunValueHoldsTheShortPathAfterApplyAndGoesAfterUnticking) {
    Start(/*useRealRegistry=*/true);
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    char shortPath[256] = {};
    GetShortPathNameA(program, shortPath, sizeof shortPath);
    auto readValue = [&]() -> std::optional<std::string> {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
        char data[512] = {};
        DWORD size = sizeof data;
        DWORD type = 0;
        const LONG read = RegQueryValueExA(key, kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (read != ERROR_SUCCESS) return std::nullopt;
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, lstrlenA(shortPath) + 1u);  // written with its NUL
        return std::string(data);
    };

    ShowDialog();
    Click(" Run at Windows startup ");
    Click("Apply");
    EXPECT_EQ(readValue(), std::optional<std::string>(shortPath));
    EXPECT_EQ(GetPrivateProfileIntA("Options", "autostart", 9, rig.settings.Path().c_str()), 1);

    ShowDialog();
    EXPECT_TRUE(Checked(Box(" Run at Windows startup ")));
    Click(" Run at Windows startup ");
    Click("Apply");
    EXPECT_EQ(readValue(), std::nullopt);
    EXPECT_EQ(rig.ErrorBoxes(), std::vector<std::string>{});
}

}  // namespace
