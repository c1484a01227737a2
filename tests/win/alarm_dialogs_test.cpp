// The alarm and shutdown timer dialogs in-process: their layout and start values, the ring count's
// range, the file chooser, and the main tick firing them from their real controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "alarms/alarm_dialogs_win.h"
#include "clock/clock_window_win.h"
#include "support/fakes.h"
#include "ui/dpi_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

std::string Text(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

HWND FindChild(HWND root, const std::string& text, const char* className) {
    struct Search {
        const std::string& text;
        const char* className;
        HWND found = nullptr;
    } search{text, className};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpiA(cls, s->className) != 0 || (!s->text.empty() && Text(hwnd) != s->text)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Left, top, width and height in the form's client area, 96-DPI pixels.
struct Place {
    const char* text;
    const char* className;
    int x, y, width, height;
};

void ExpectPlaces(HWND form, const std::vector<Place>& places) {
    for (const Place& p : places) {
        HWND control = FindChild(form, p.text, p.className);
        ASSERT_TRUE(control) << p.text;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, ui::Scale(p.x)) << p.text;
        EXPECT_EQ(r.top, ui::Scale(p.y)) << p.text;
        EXPECT_EQ(r.right - r.left, ui::Scale(p.width)) << p.text;
        EXPECT_EQ(r.bottom - r.top, ui::Scale(p.height)) << p.text;
    }
}

void ExpectClientSize(HWND form, int width, int height) {
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, ui::Scale(width));
    EXPECT_EQ(client.bottom, ui::Scale(height));
    EXPECT_TRUE(SendMessageA(form, WM_GETICON, ICON_SMALL, 0));
}

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class FakeFileDialog final : public ui::FileOpenDialog {
public:
    std::optional<std::string> Choose(HWND, std::string_view filter, const std::string&) override {
        filters.push_back(std::string(filter));
        SetCurrentDirectoryA("C:\\");  // the real dialog may leave the directory elsewhere
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> filters;
};

struct FakeView final : ClockView {
    void DrawFace() override {}
    bool HideClockEnabled() override { return false; }
    Point CursorPos() override { return {}; }
    Rect WindowRect() override { return {}; }
    void Hide() override {}
    void Show() override {}
};

class AlarmDialogTest : public ::testing::Test {
protected:
    AlarmDialogTest() { EnsureApplication(); }
    void Make() {
        dialog = std::make_unique<AlarmDialog>(ui::FormName{"TForm12", "Alarm clock"}, fakes.Services(), &fileDialog);
        dialog->CreateForm();
    }
    HWND Control(const char* text, const char* className = "Button") { return FindChild(dialog->Hwnd(), text, className); }
    HWND RingCountBox() {
        HWND group = FindWindowExA(dialog->Hwnd(), nullptr, "TikoraGroupBox", nullptr);
        return reinterpret_cast<HWND>(SendMessageA(FindWindowExA(group, nullptr, UPDOWN_CLASSA, nullptr), UDM_GETBUDDY, 0, 0));
    }

    FakeServices fakes;
    FakeFileDialog fileDialog;
    std::unique_ptr<AlarmDialog> dialog;
};

TEST_F(AlarmDialogTest, StartsFromItsDesignAndTheStoredFile) {
    fakes.settings.Set("EditTexts", "edit3", "C:\\music\\wake up.mp3");
    Make();
    EXPECT_EQ(Text(dialog->Hwnd()), "Alarm clock");
    ExpectClientSize(dialog->Hwnd(), 272, 126);
    ExpectPlaces(dialog->Hwnd(), {{"Time:", "Static", 8, 10, 31, 13},
                                  {"", DATETIMEPICK_CLASSA, 39, 5, 77, 21},
                                  {" Activate alarm clock ", "Button", 125, 9, 137, 17},
                                  {"Action", "TikoraGroupBox", 8, 37, 255, 79},
                                  {" The bell rings ", "Button", 16, 56, 95, 17},
                                  {"once", "Static", 153, 57, 24, 13},
                                  {"Test sound", "Button", 185, 53, 67, 23},
                                  {" Open file ... ", "Button", 16, 83, 81, 17},
                                  {"...", "Button", 229, 81, 23, 23}});
    EXPECT_EQ(dialog->Time().hour, 17);
    EXPECT_EQ(dialog->Time().minute, 0);
    EXPECT_EQ(dialog->Time().second, 0);
    EXPECT_FALSE(dialog->Armed());
    EXPECT_TRUE(dialog->BellSelected());
    EXPECT_EQ(dialog->RingCount(), 5);
    EXPECT_EQ(Text(RingCountBox()), "5");
    EXPECT_TRUE(GetWindowLongPtrA(RingCountBox(), GWL_STYLE) & ES_READONLY);  // no typing
    EXPECT_EQ(dialog->File(), "C:\\music\\wake up.mp3");

    dialog->Show();
    ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    EXPECT_EQ(dialog->FileHint(), dialog->File());
    EXPECT_EQ(GetFocus(), FindChild(dialog->Hwnd(), "", DATETIMEPICK_CLASSA));
}

TEST_F(AlarmDialogTest, TheRingCountStaysWithinOneToTwentyFiveUnderUpAndDown) {
    Make();
    struct Step {
        WPARAM key;
        int presses;
        int expected;
    };
    for (const Step& step : {Step{VK_UP, 1, 6}, Step{VK_UP, 30, 25}, Step{VK_DOWN, 2, 23}, Step{VK_DOWN, 40, 1}}) {
        for (int i = 0; i < step.presses; ++i) {
            SendMessageA(RingCountBox(), WM_KEYDOWN, step.key, 0);
            SendMessageA(RingCountBox(), WM_KEYUP, step.key, 0);
        }
        EXPECT_EQ(dialog->RingCount(), step.expected);
        EXPECT_EQ(Text(RingCountBox()), std::to_string(step.expected));
    }
}

TEST_F(AlarmDialogTest, AnArmedAlarmSurvivesClosingTheDialog) {
    Make();
    dialog->Show();
    ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    SendMessageA(Control(" Activate alarm clock "), BM_CLICK, 0, 0);
    SendMessageA(Control(" Open file ... "), BM_CLICK, 0, 0);
    SendMessageA(dialog->Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !dialog->Visible(); }));
    EXPECT_TRUE(IsWindow(dialog->Hwnd()));
    EXPECT_TRUE(dialog->Armed());
    EXPECT_FALSE(dialog->BellSelected());
}

TEST_F(AlarmDialogTest, TheChooserTakesOnlyAnExistingFileStoresItAndPutsTheDirectoryBack) {
    fakes.settings.Set("EditTexts", "edit3", "C:\\old.wav");
    Make();
    char start[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof start, start);
    struct Case {
        std::optional<std::string> answer;
        bool exists;
        std::string field;
    };
    const Case cases[] = {{std::nullopt, false, "C:\\old.wav"},
                          {"C:\\gone.wav", false, "C:\\old.wav"},
                          {"C:\\there.wav", true, "C:\\there.wav"}};
    for (const Case& c : cases) {
        fileDialog.answer = c.answer;
        if (c.exists) fakes.files.present.insert(*c.answer);
        SendMessageA(Control("..."), BM_CLICK, 0, 0);
        EXPECT_EQ(dialog->File(), c.field);
        EXPECT_EQ(fakes.settings.ReadString("EditTexts", "edit3", ""), c.field);
        char now[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof now, now);
        EXPECT_STREQ(now, start);
    }
    EXPECT_EQ(dialog->FileHint(), "C:\\there.wav");
    EXPECT_EQ(fileDialog.filters.front(), "All files|*.*");
    EXPECT_TRUE(dialog->BellSelected());  // choosing a file does not choose the action
}

TEST_F(AlarmDialogTest, TheTestSoundPlaysTheRingSynchronously) {
    Make();
    SendMessageA(Control("Test sound"), BM_CLICK, 0, 0);
    ASSERT_EQ(fakes.sound.played.size(), 1u);
    EXPECT_EQ(fakes.sound.played[0].file, "Sounds\\Ring.wav");
    EXPECT_EQ(fakes.sound.played[0].flags, 0x20000u);
}

TEST_F(AlarmDialogTest, TheTickReadingTheRealDialogRingsTheCountAndUnticksTheBox) {
    Make();
    for (int i = 0; i < 2; ++i) SendMessageA(RingCountBox(), WM_KEYDOWN, VK_DOWN, 0);  // 5 -> 3
    SendMessageA(Control(" Activate alarm clock "), BM_CLICK, 0, 0);
    FakeView view;
    DisarmedShutdown noShutdown;
    MainTick tick(TickServices{fakes.Services(), view}, TickControls{nullptr, &noShutdown, dialog.get()});
    fakes.time.Set(16, 59, 59);
    for (int step = 0; step < 300; ++step) {  // six seconds of 20 ms ticks
        tick.Run(TickOptions{.everyHour = false});
        fakes.time.Advance(20);
    }
    EXPECT_FALSE(dialog->Armed());
    EXPECT_FALSE(Checked(Control(" Activate alarm clock ")));
    ASSERT_EQ(fakes.sound.played.size(), 3u);
    for (const PlayedSound& ring : fakes.sound.played) EXPECT_EQ(ring.file, "Sounds\\Ring.wav");
    EXPECT_EQ(fakes.sound.played[0].at.second, 1);
    EXPECT_EQ(tick.State().ringCounter, 0);
}

TEST_F(AlarmDialogTest, AnAlarmFileThatIsGoneEmptiesTheFieldAndItsHint) {
    fakes.settings.Set("EditTexts", "edit3", "C:\\gone.mp3");
    Make();
    dialog->Show();
    ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    SendMessageA(Control(" Open file ... "), BM_CLICK, 0, 0);
    SendMessageA(Control(" Activate alarm clock "), BM_CLICK, 0, 0);
    FakeView view;
    DisarmedShutdown noShutdown;
    MainTick tick(TickServices{fakes.Services(), view}, TickControls{nullptr, &noShutdown, dialog.get()});
    fakes.time.Set(17, 0, 0);
    tick.Run(TickOptions{.everyHour = false});
    EXPECT_EQ(dialog->File(), "");
    EXPECT_EQ(dialog->FileHint(), "");
    EXPECT_EQ(fakes.settings.ReadString("EditTexts", "edit3", "x"), "");
    EXPECT_TRUE(fakes.shell.calls.empty());
}

TEST(ShutdownDialogTest, StartsFromItsDesignAndFiresThePowerRequestOfItsAction) {
    EnsureApplication();
    struct Case {
        const char* action;
        unsigned flags;
    };
    for (const Case& c : {Case{nullptr, 5}, Case{" Restart computer ", 6}}) {
        ShutdownDialog dialog(ui::FormName{"TForm7", "Timer (turn off)"});
        dialog.CreateForm();
        HWND form = dialog.Hwnd();
        EXPECT_EQ(Text(form), "Timer (turn off)");
        ExpectClientSize(form, 263, 93);
        ExpectPlaces(form, {{"", DATETIMEPICK_CLASSA, 45, 6, 77, 21},
                            {" Activate timer ", "Button", 136, 8, 103, 17},
                            {"Action", "TikoraGroupBox", 8, 37, 247, 48},
                            {" Turn off computer ", "Button", 15, 56, 115, 17},
                            {" Restart computer ", "Button", 135, 56, 112, 17}});
        EXPECT_FALSE(dialog.Armed());
        EXPECT_TRUE(dialog.TurnOffSelected());
        EXPECT_EQ(dialog.Time().hour, 15);
        EXPECT_EQ(dialog.Time().minute, 0);

        if (c.action) SendMessageA(FindChild(form, c.action, "Button"), BM_CLICK, 0, 0);
        SendMessageA(FindChild(form, " Activate timer ", "Button"), BM_CLICK, 0, 0);
        SendMessageA(form, WM_CLOSE, 0, 0);  // only hides: the timer stays armed
        FakeServices fakes(14, 59, 59);
        FakeView view;
        DisarmedAlarm noAlarm;
        MainTick tick(TickServices{fakes.Services(), view}, TickControls{nullptr, &dialog, &noAlarm});
        for (int step = 0; step < 100; ++step) {
            tick.Run(TickOptions{.everyHour = false});
            fakes.time.Advance(20);
        }
        EXPECT_EQ(fakes.power.requests, std::vector<unsigned>{c.flags});
        EXPECT_FALSE(dialog.Armed());
    }
}

}  // namespace
