// The main tick as a state machine over a simulated clock: 20 ms steps, sounds that block by
// moving the clock on, and recording stand-ins for the dialogs it reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/main_tick.h"
#include "support/fakes.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

struct Log {
    std::vector<std::string> events;
};

struct FakeView final : ClockView {
    explicit FakeView(Log& log) : log(log) {}
    void DrawFace() override { ++draws; }
    bool HideClockEnabled() override { return hideEnabled; }
    Point CursorPos() override { return cursor; }
    Rect WindowRect() override { return rect; }
    void Hide() override {
        shown = false;
        log.events.push_back("hide");
    }
    void Show() override {
        shown = true;
        log.events.push_back("show");
    }
    Log& log;
    int draws = 0;
    bool hideEnabled = true;
    bool shown = true;
    Point cursor{500, 500};
    Rect rect{10, 10, 144, 63};
};

struct FakeChime final : ChimeSource {
    std::string ChimeFile() override { return file; }
    std::string file = "Sounds\\Chimes.wav";
};

struct FakeShutdown final : ShutdownControls {
    explicit FakeShutdown(Log& log) : log(log) {}
    DateTime Time() override { return at; }
    bool Armed() override { return isArmed; }
    void Disarm() override {
        isArmed = false;
        log.events.push_back("shutdown disarmed");
    }
    bool TurnOffSelected() override { return turnOff; }
    bool RestartSelected() override { return restart; }
    Log& log;
    DateTime at{2026, 1, 1, 3, 0, 0, 0};
    bool isArmed = false;
    bool turnOff = true;
    bool restart = false;
};

struct FakeAlarm final : AlarmControls {
    explicit FakeAlarm(Log& log) : log(log) {}
    DateTime Time() override { return at; }
    bool Armed() override { return isArmed; }
    void Disarm() override {
        isArmed = false;
        log.events.push_back("alarm disarmed");
    }
    bool BellSelected() override { return bell; }
    int RingCount() override { return rings; }
    std::string File() override { return path; }
    void ClearFile() override {
        path.clear();
        log.events.push_back("file cleared");
    }
    Log& log;
    DateTime at{2026, 1, 1, 4, 0, 0, 0};
    bool isArmed = false;
    bool bell = true;
    int rings = 1;
    std::string path;
};

class MainTickTest : public ::testing::Test {
protected:
    MainTickTest() {
        GetFormatSettings().longTimeFormat = "hh:mm:ss";
        GetFormatSettings().timeSeparator = ':';
        power.onRequest = [this](unsigned flags) { log.events.push_back("power " + std::to_string(flags)); };
    }

    // Runs ticks every 20 ms (plus whatever a sound blocks) until the clock reaches the end time.
    void RunUntil(int hour, int minute, int second, int millisecond = 0) {
        auto key = [](const DateTime& t) {
            return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
        };
        DateTime end{2026, 12, 9, hour, minute, second, millisecond};
        while (key(clock.current) < key(end)) {
            tick.Run(options);
            clock.Advance(20);
        }
    }

    int CountPlayed(const std::string& file) const {
        int n = 0;
        for (const auto& p : sound.played) n += p.file == file;
        return n;
    }

    FormatSettingsGuard guard;
    Log log;
    FakeClock clock{13, 59, 59, 0};
    RecordingSound sound{clock};
    RecordingShell shell;
    RecordingPower power;
    FakeFiles files;
    MemorySettings settings;
    FakeView view{log};
    FakeChime chime;
    FakeShutdown shutdown{log};
    FakeAlarm alarm{log};
    TickOptions options;
    MainTick tick{TickServices{{clock, sound, shell, power, files, settings}, view},
                  TickControls{&chime, &shutdown, &alarm}};
};

TEST_F(MainTickTest, ChimesOnceOnTheHour) {
    struct Case {
        const char* name;
        bool everyHour;
        char separator;
        int expectedChimes;
    };
    const Case cases[] = {
        {"everyhour on", true, ':', 1},
        {"everyhour off", false, ':', 0},
        {"time separator is not a colon", true, '.', 0},
    };
    for (const Case& c : cases) {
        clock.Set(13, 59, 59, 0);
        sound.played.clear();
        tick.State() = TickState{};
        options.everyHour = c.everyHour;
        GetFormatSettings().timeSeparator = c.separator;
        RunUntil(14, 0, 2);
        EXPECT_EQ(CountPlayed("Sounds\\Chimes.wav"), c.expectedChimes) << c.name;
        if (c.expectedChimes) {
            EXPECT_EQ(sound.played[0].at.second, 0) << c.name;
            EXPECT_EQ(sound.played[0].flags, 0x20000u) << c.name;
        }
        EXPECT_FALSE(tick.State().chimeLatch) << c.name << ": latch cleared once past hh:00:00";
    }
}

TEST_F(MainTickTest, ChimePlaysTheFileOfTheChimeField) {
    chime.file = "C:\\Sounds\\Gong.wav";
    RunUntil(14, 0, 1);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].file, "C:\\Sounds\\Gong.wav");
}

TEST_F(MainTickTest, TwinkleTogglesOncePerSecond) {
    clock.Set(10, 0, 5, 0);
    options.everyHour = false;
    tick.Run(options);  // the first tick sees a new second
    bool first = tick.State().twinklePhase;
    int toggles = 0;
    bool previous = first;
    for (int i = 0; i < 250; ++i) {  // five seconds of ticks
        clock.Advance(20);
        tick.Run(options);
        if (tick.State().twinklePhase != previous) ++toggles;
        previous = tick.State().twinklePhase;
    }
    EXPECT_EQ(toggles, 5);
    EXPECT_EQ(view.draws, 251);
}

TEST_F(MainTickTest, AlarmBellRingsTheCountFromTheNextSecond) {
    clock.Set(7, 29, 59, 0);
    alarm.at = DateTime{2000, 1, 1, 7, 30, 0, 0};  // only the time of day counts
    alarm.isArmed = true;
    alarm.rings = 3;
    sound.durationsMs["Sounds\\Ring.wav"] = 400;
    RunUntil(7, 30, 0, 40);
    EXPECT_FALSE(alarm.isArmed) << "the box is unticked at 07:30:00";
    EXPECT_EQ(tick.State().ringCounter, 3);
    EXPECT_EQ(CountPlayed("Sounds\\Ring.wav"), 0);
    RunUntil(7, 30, 10);
    ASSERT_EQ(CountPlayed("Sounds\\Ring.wav"), 3);
    EXPECT_EQ(sound.played[0].at.second, 1);
    EXPECT_EQ(sound.played[1].at.second, 2);
    EXPECT_EQ(sound.played[2].at.second, 3);
    EXPECT_EQ(tick.State().ringCounter, 0);
}

TEST_F(MainTickTest, LongRingsFollowBackToBack) {
    clock.Set(7, 29, 59, 900);
    alarm.at = DateTime{2026, 1, 1, 7, 30, 0, 0};
    alarm.isArmed = true;
    alarm.rings = 3;
    sound.durationsMs["Sounds\\Ring.wav"] = 1500;
    RunUntil(7, 30, 20);
    EXPECT_EQ(CountPlayed("Sounds\\Ring.wav"), 3);
    EXPECT_EQ(tick.State().ringCounter, 0);
}

TEST_F(MainTickTest, FiveSecondChimeMakesAnAlarmAtTwoSecondsMiss) {
    clock.Set(14, 59, 59, 900);
    sound.durationsMs["Sounds\\Chimes.wav"] = 5000;
    alarm.at = DateTime{2026, 1, 1, 15, 0, 2, 0};
    alarm.isArmed = true;
    RunUntil(15, 0, 10);
    EXPECT_EQ(CountPlayed("Sounds\\Chimes.wav"), 1);
    EXPECT_TRUE(alarm.isArmed) << "the alarm's second passed while the chime played";
    EXPECT_EQ(tick.State().ringCounter, 0);
}

TEST_F(MainTickTest, ShutdownComesBeforeTheAlarmInTheSameTick) {
    clock.Set(6, 0, 0, 0);
    options.everyHour = false;
    shutdown.at = alarm.at = DateTime{2026, 1, 1, 6, 0, 0, 0};
    shutdown.isArmed = alarm.isArmed = true;
    tick.Run(options);
    EXPECT_EQ(log.events, (std::vector<std::string>{"shutdown disarmed", "power 5", "alarm disarmed"}));
}

TEST_F(MainTickTest, ShutdownActions) {
    struct Case {
        bool turnOff;
        bool restart;
        std::vector<unsigned> requests;
    };
    const Case cases[] = {{true, false, {5}}, {false, true, {6}}, {false, false, {}}, {true, true, {5, 6}}};
    for (const Case& c : cases) {
        power.requests.clear();
        clock.Set(22, 15, 0, 0);
        shutdown.at = DateTime{2026, 1, 1, 22, 15, 0, 0};
        shutdown.isArmed = true;
        shutdown.turnOff = c.turnOff;
        shutdown.restart = c.restart;
        RunUntil(22, 15, 1);  // fifty ticks in the second: it fires once
        EXPECT_EQ(power.requests, c.requests);
        EXPECT_FALSE(shutdown.isArmed);
    }
}

TEST_F(MainTickTest, OpenFileAlarm) {
    struct Case {
        const char* name;
        std::string path;
        bool exists;
        size_t shellCalls;
        bool edit3Written;
        std::string pathAfter;
    };
    const Case cases[] = {
        {"file present is opened", "C:\\Music\\wake.mp3", true, 1, false, "C:\\Music\\wake.mp3"},
        {"vanished file is forgotten", "C:\\Music\\gone.mp3", false, 0, true, ""},
        {"empty field only unticks", "", false, 0, false, ""},
    };
    for (const Case& c : cases) {
        shell.calls.clear();
        settings = MemorySettings{};
        files.present.clear();
        if (c.exists) files.present.insert(c.path);
        clock.Set(8, 0, 0, 0);
        alarm.at = DateTime{2026, 1, 1, 8, 0, 0, 0};
        alarm.isArmed = true;
        alarm.bell = false;
        alarm.path = c.path;
        RunUntil(8, 0, 1);
        EXPECT_FALSE(alarm.isArmed) << c.name;
        ASSERT_EQ(shell.calls.size(), c.shellCalls) << c.name;
        if (c.shellCalls) {
            EXPECT_TRUE(shell.calls[0].ownerIsApplication);
            EXPECT_EQ(shell.calls[0].verb, "open");
            EXPECT_EQ(shell.calls[0].file, c.path);
            EXPECT_EQ(shell.calls[0].showCommand, 1);
        }
        EXPECT_EQ(settings.Has("EditTexts", "edit3"), c.edit3Written) << c.name;
        EXPECT_EQ(settings.ReadString("EditTexts", "edit3", "unset"), c.edit3Written ? "" : "unset") << c.name;
        EXPECT_EQ(alarm.path, c.pathAfter) << c.name;
        EXPECT_EQ(tick.State().ringCounter, 0) << c.name;
    }
}

TEST_F(MainTickTest, NewAlarmReplacesPendingRings) {
    clock.Set(9, 0, 0, 0);
    options.everyHour = false;
    tick.State().ringCounter = 7;
    alarm.at = DateTime{2026, 1, 1, 9, 0, 1, 0};
    alarm.isArmed = true;
    alarm.rings = 2;
    sound.durationsMs["Sounds\\Ring.wav"] = 10;
    RunUntil(9, 0, 1, 500);
    EXPECT_EQ(tick.State().ringCounter, 2);
}

TEST_F(MainTickTest, HidesUnderTheCursorOnlyWhileHideClockIsEnabled) {
    clock.Set(12, 0, 30, 0);
    options.hideUnder = true;
    view.cursor = {10, 10};  // top-left corner is inside
    tick.Run(options);
    EXPECT_FALSE(view.shown);
    EXPECT_TRUE(tick.State().hiddenUnderCursor);
    tick.Run(options);
    EXPECT_EQ(log.events, std::vector<std::string>{"hide"}) << "hidden once, not again";

    view.cursor = {144, 20};  // the right edge is outside
    int drawsBefore = view.draws;
    tick.Run(options);
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(tick.State().hiddenUnderCursor);
    EXPECT_EQ(view.draws, drawsBefore + 2) << "drawn at once after showing again";

    // After "Hide clock" the test is skipped and the latch keeps its value.
    view.hideEnabled = false;
    view.cursor = {20, 20};
    tick.Run(options);
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(tick.State().hiddenUnderCursor);

    options.hideUnder = false;
    view.hideEnabled = true;
    tick.Run(options);
    EXPECT_TRUE(view.shown) << "hideunder off";
}

TEST_F(MainTickTest, ShortSystemTimeTextStillChimes) {
    // Before the first draw the system's own format may give "9:00:00".
    GetFormatSettings().longTimeFormat = "h:mm:ss";
    clock.Set(9, 0, 0, 0);
    tick.Run(options);
    EXPECT_EQ(CountPlayed("Sounds\\Chimes.wav"), 1);
}

}  // namespace
