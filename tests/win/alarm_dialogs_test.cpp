// The alarm and shutdown timer dialogs in-process: layout and start values, the ring count's
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
#include "win/support/form_probe.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

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

// Runs the main tick every 20 ms of simulated time for that many seconds.
void RunTicks(MainTick& tick, FakeClock& clock, int seconds) {
    for (int step = 0; step < seconds * 50; ++step) {
        tick.Run(TickOptions{.everyHour = false});
        clock.Advance(20);
    }
}

void Click(HWND form, const char* caption) { SendMessageA(FindControl(form, "Button", caption), BM_CLICK, 0, 0); }

class AlarmDialogTest : public ::testing::Test {
protected:
    AlarmDialogTest() { EnsureApplication(); }
    void Make() {
        dialog = std::make_unique<AlarmDialog>(ui::FormName{"TForm12", "Alarm clock"}, fakes.Services(), &fileDialog);
        dialog->CreateForm();
    }
    // The ring count's box, as its arrows know it (the time picker has arrows of its own).
    HWND RingCountBox() {
        HWND group = FindControl(dialog->Hwnd(), "TikoraGroupBox");
        return reinterpret_cast<HWND>(SendMessageA(FindWindowExA(group, nullptr, UPDOWN_CLASSA, nullptr), UDM_GETBUDDY, 0, 0));
    }
    void Press(WPARAM key, int times) {
        for (int i = 0; i < times; ++i) SendMessageA(RingCountBox(), WM_KEYDOWN, key, 0);
    }

    FakeServices fakes;
    FakeFileDialog fileDialog;
    std::unique_ptr<AlarmDialog> dialog;
};

TEST_F(AlarmDialogTest, StartsFromItsDesignAndTheStoredFile) {
    fakes.settings.Set("EditTexts", "edit3", "C:\\music\\wake up.mp3");
    Make();
    EXPECT_EQ(WindowText(dialog->Hwnd()), "Alarm clock");
    EXPECT_TRUE(SendMessageA(dialog->Hwnd(), WM_GETICON, ICON_SMALL, 0));
    ExpectLayout(dialog->Hwnd(), 272, 126,
                 {{"Static", "Time:", 8, 10, 31, 13},
                  {DATETIMEPICK_CLASSA, nullptr, 39, 5, 77, 21},
                  {"Button", " Activate alarm clock ", 125, 9, 137, 17},
                  {"TikoraGroupBox", "Action", 8, 37, 255, 79},
                  {"Button", " The bell rings ", 16, 56, 95, 17},
                  {"Static", "once", 153, 57, 24, 13},
                  {"Button", "Test sound", 185, 53, 67, 23},
                  {"Button", " Open file ... ", 16, 83, 81, 17},
                  {"Button", "...", 229, 81, 23, 23}});
    const DateTime time = dialog->Time();
    EXPECT_EQ(std::vector<int>({time.hour, time.minute, time.second}), std::vector<int>({17, 0, 0}));
    EXPECT_FALSE(dialog->Armed());
    EXPECT_TRUE(dialog->BellSelected());
    EXPECT_EQ(WindowText(RingCountBox()), "5");
    EXPECT_TRUE(GetWindowLongPtrA(RingCountBox(), GWL_STYLE) & ES_READONLY);  // no typing
    EXPECT_EQ(dialog->File(), "C:\\music\\wake up.mp3");

    dialog->Show();
    ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    EXPECT_EQ(dialog->FileHint(), dialog->File());
    EXPECT_EQ(GetFocus(), FindControl(dialog->Hwnd(), DATETIMEPICK_CLASSA));
}

TEST_F(AlarmDialogTest, TheRingCountStaysWithinOneToTwentyFiveUnderUpAndDown) {
    Make();
    struct Step {
        WPARAM key;
        int presses;
        int expected;
    };
    for (const Step& step : {Step{VK_UP, 1, 6}, Step{VK_UP, 30, 25}, Step{VK_DOWN, 2, 23}, Step{VK_DOWN, 40, 1}}) {
        Press(step.key, step.presses);
        EXPECT_EQ(dialog->RingCount(), step.expected);
        EXPECT_EQ(WindowText(RingCountBox()), std::to_string(step.expected));
    }
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
        Click(dialog->Hwnd(), "...");
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

TEST_F(AlarmDialogTest, AnAlarmArmedAndClosedRingsItsCountFromTheTickAndIsUnticked) {
    Make();
    dialog->Show();
    ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
    Press(VK_DOWN, 2);  // 5 -> 3
    Click(dialog->Hwnd(), " Activate alarm clock ");
    SendMessageA(dialog->Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !dialog->Visible(); }));
    EXPECT_TRUE(dialog->Armed());  // closing only hid it

    FakeView view;
    DisarmedShutdown noShutdown;
    MainTick tick(TickServices{fakes.Services(), view}, TickControls{nullptr, &noShutdown, dialog.get()});
    fakes.time.Set(16, 59, 59);
    RunTicks(tick, fakes.time, 6);
    EXPECT_FALSE(SendMessageA(FindControl(dialog->Hwnd(), "Button", " Activate alarm clock "), BM_GETCHECK, 0, 0));
    ASSERT_EQ(fakes.sound.played.size(), 3u);
    for (const PlayedSound& ring : fakes.sound.played) EXPECT_EQ(ring.file, "Sounds\\Ring.wav");
    EXPECT_EQ(fakes.sound.played[0].at.second, 1);
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
        EXPECT_EQ(WindowText(form), "Timer (turn off)");
        ExpectLayout(form, 263, 93,
                     {{DATETIMEPICK_CLASSA, nullptr, 45, 6, 77, 21},
                      {"Button", " Activate timer ", 136, 8, 103, 17},
                      {"TikoraGroupBox", "Action", 8, 37, 247, 48},
                      {"Button", " Turn off computer ", 15, 56, 115, 17},
                      {"Button", " Restart computer ", 135, 56, 112, 17}});
        EXPECT_FALSE(dialog.Armed());
        EXPECT_TRUE(dialog.TurnOffSelected());

        if (c.action) Click(form, c.action);
        Click(form, " Activate timer ");
        SendMessageA(form, WM_CLOSE, 0, 0);  // only hides: the timer stays armed
        FakeServices fakes(14, 59, 59);
        FakeView view;
        DisarmedAlarm noAlarm;
        MainTick tick(TickServices{fakes.Services(), view}, TickControls{nullptr, &dialog, &noAlarm});
        RunTicks(tick, fakes.time, 2);  // 15:00:00, the start value, comes once
        EXPECT_EQ(fakes.power.requests, std::vector<unsigned>{c.flags});
        EXPECT_FALSE(dialog.Armed());
    }
}

}  // namespace
