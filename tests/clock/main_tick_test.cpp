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
    void drawFace() override { ++draws; }
    bool hideClockEnabled() override { return hideEnabled; }
    Point cursorPos() override { return cursor; }
    Rect windowRect() override { return rect; }
    void hide() override {
        shown = false;
        log.events.push_back("hide");
    }
    void show() override {
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
    std::string chimeFile() override { return file; }
    std::string file = "Sounds\\Chimes.wav";
};

struct FakeShutdown final : ShutdownControls {
    explicit FakeShutdown(Log& log) : log(log) {}
    DateTime time() override { return at; }
    bool armed() override { return isArmed; }
    void disarm() override {
        isArmed = false;
        log.events.push_back("shutdown disarmed");
    }
    bool turnOffSelected() override { return turnOff; }
    bool restartSelected() override { return restart; }
    Log& log;
    DateTime at{2026, 1, 1, 3, 0, 0, 0};
    bool isArmed = false;
    bool turnOff = true;
    bool restart = false;
};

struct FakeAlarm final : AlarmControls {
    explicit FakeAlarm(Log& log) : log(log) {}
    DateTime time() override { return at; }
    bool armed() override { return isArmed; }
    void disarm() override {
        isArmed = false;
        log.events.push_back("alarm disarmed");
    }
    bool bellSelected() override { return bell; }
    int ringCount() override { return rings; }
    std::string file() override { return path; }
    void clearFile() override {
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
        formatSettings().longTimeFormat = "hh:mm:ss";
        formatSettings().timeSeparator = ':';
        power.onRequest = [this](unsigned flags) { log.events.push_back("power " + std::to_string(flags)); };
    }

    // Runs ticks every 20 ms (plus whatever a sound blocks) until the clock reaches the end time.
    void runUntil(int hour, int minute, int second, int millisecond = 0) {
        auto key = [](const DateTime& t) {
            return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
        };
        DateTime end{2026, 12, 9, hour, minute, second, millisecond};
        while (key(clock.current) < key(end)) {
            tick.run(options);
            clock.advance(20);
        }
    }

    int countPlayed(const std::string& file) const {
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
        clock.set(13, 59, 59, 0);
        sound.played.clear();
        tick.state() = TickState{};
        options.everyHour = c.everyHour;
        formatSettings().timeSeparator = c.separator;
        runUntil(14, 0, 2);
        EXPECT_EQ(countPlayed("Sounds\\Chimes.wav"), c.expectedChimes) << c.name;
        if (c.expectedChimes) {
            EXPECT_EQ(sound.played[0].at.second, 0) << c.name;
            EXPECT_EQ(sound.played[0].flags, 0x20000u) << c.name;
        }
        EXPECT_FALSE(tick.state().chimeLatch) << c.name << ": latch cleared once past hh:00:00";
    }
}

TEST_F(MainTickTest, ChimePlaysTheFileOfTheChimeField) {
    chime.file = "C:\\Sounds\\Gong.wav";
    runUntil(14, 0, 1);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].file, "C:\\Sounds\\Gong.wav");
}

TEST_F(MainTickTest, TwinkleTogglesOncePerSecond) {
    clock.set(10, 0, 5, 0);
    options.everyHour = false;
    tick.run(options);  // the first tick sees a new second
    bool first = tick.state().twinklePhase;
    int toggles = 0;
    bool previous = first;
    for (int i = 0; i < 250; ++i) {  // five seconds of ticks
        clock.advance(20);
        tick.run(options);
        if (tick.state().twinklePhase != previous) ++toggles;
        previous = tick.state().twinklePhase;
    }
    EXPECT_EQ(toggles, 5);
    EXPECT_EQ(view.draws, 251);
}

TEST_F(MainTickTest, AlarmBellRingsTheCountFromTheNextSecond) {
    clock.set(7, 29, 59, 0);
    alarm.at = DateTime{2000, 1, 1, 7, 30, 0, 0};  // only the time of day counts
    alarm.isArmed = true;
    alarm.rings = 3;
    sound.durationsMs["Sounds\\Ring.wav"] = 400;
    runUntil(7, 30, 0, 40);
    EXPECT_FALSE(alarm.isArmed) << "the box is unticked at 07:30:00";
    EXPECT_EQ(tick.state().ringCounter, 3);
    EXPECT_EQ(countPlayed("Sounds\\Ring.wav"), 0);
    runUntil(7, 30, 10);
    ASSERT_EQ(countPlayed("Sounds\\Ring.wav"), 3);
    EXPECT_EQ(sound.played[0].at.second, 1);
    EXPECT_EQ(sound.played[1].at.second, 2);
    EXPECT_EQ(sound.played[2].at.second, 3);
    EXPECT_EQ(tick.state().ringCounter, 0);
}

TEST_F(MainTickTest, LongRingsFollowBackToBack) {
    clock.set(7, 29, 59, 900);
    alarm.at = DateTime{2026, 1, 1, 7, 30, 0, 0};
    alarm.isArmed = true;
    alarm.rings = 3;
    sound.durationsMs["Sounds\\Ring.wav"] = 1500;
    runUntil(7, 30, 20);
    EXPECT_EQ(countPlayed("Sounds\\Ring.wav"), 3);
    EXPECT_EQ(tick.state().ringCounter, 0);
}

TEST_F(MainTickTest, FiveSecondChimeMakesAnAlarmAtTwoSecondsMiss) {
    clock.set(14, 59, 59, 900);
    sound.durationsMs["Sounds\\Chimes.wav"] = 5000;
    alarm.at = DateTime{2026, 1, 1, 15, 0, 2, 0};
    alarm.isArmed = true;
    runUntil(15, 0, 10);
    EXPECT_EQ(countPlayed("Sounds\\Chimes.wav"), 1);
    EXPECT_TRUE(alarm.isArmed) << "the alarm's second passed while the chime played";
    EXPECT_EQ(tick.state().ringCounter, 0);
}

TEST_F(MainTickTest, ShutdownComesBeforeTheAlarmInTheSameTick) {
    clock.set(6, 0, 0, 0);
    options.everyHour = false;
    shutdown.at = alarm.at = DateTime{2026, 1, 1, 6, 0, 0, 0};
    shutdown.isArmed = alarm.isArmed = true;
    tick.run(options);
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
        clock.set(22, 15, 0, 0);
        shutdown.at = DateTime{2026, 1, 1, 22, 15, 0, 0};
        shutdown.isArmed = true;
        shutdown.turnOff = c.turnOff;
        shutdown.restart = c.restart;
        runUntil(22, 15, 1);  // fifty ticks in the second: it fires once
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
        clock.set(8, 0, 0, 0);
        alarm.at = DateTime{2026, 1, 1, 8, 0, 0, 0};
        alarm.isArmed = true;
        alarm.bell = false;
        alarm.path = c.path;
        runUntil(8, 0, 1);
        EXPECT_FALSE(alarm.isArmed) << c.name;
        ASSERT_EQ(shell.calls.size(), c.shellCalls) << c.name;
        if (c.shellCalls) {
            EXPECT_TRUE(shell.calls[0].ownerIsApplication);
            EXPECT_EQ(shell.calls[0].verb, "open");
            EXPECT_EQ(shell.calls[0].file, c.path);
            EXPECT_EQ(shell.calls[0].showCommand, 1);
        }
        EXPECT_EQ(settings.has("EditTexts", "edit3"), c.edit3Written) << c.name;
        EXPECT_EQ(settings.readString("EditTexts", "edit3", "unset"), c.edit3Written ? "" : "unset") << c.name;
        EXPECT_EQ(alarm.path, c.pathAfter) << c.name;
        EXPECT_EQ(tick.state().ringCounter, 0) << c.name;
    }
}

TEST_F(MainTickTest, NewAlarmReplacesPendingRings) {
    clock.set(9, 0, 0, 0);
    options.everyHour = false;
    tick.state().ringCounter = 7;
    alarm.at = DateTime{2026, 1, 1, 9, 0, 1, 0};
    alarm.isArmed = true;
    alarm.rings = 2;
    sound.durationsMs["Sounds\\Ring.wav"] = 10;
    runUntil(9, 0, 1, 500);
    EXPECT_EQ(tick.state().ringCounter, 2);
}

TEST_F(MainTickTest, HidesUnderTheCursorOnlyWhileHideClockIsEnabled) {
    clock.set(12, 0, 30, 0);
    options.hideUnder = true;
    view.cursor = {10, 10};  // top-left corner is inside
    tick.run(options);
    EXPECT_FALSE(view.shown);
    EXPECT_TRUE(tick.state().hiddenUnderCursor);
    tick.run(options);
    EXPECT_EQ(log.events, std::vector<std::string>{"hide"}) << "hidden once, not again";

    view.cursor = {144, 20};  // the right edge is outside
    int drawsBefore = view.draws;
    tick.run(options);
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(tick.state().hiddenUnderCursor);
    EXPECT_EQ(view.draws, drawsBefore + 2) << "drawn at once after showing again";

    // After "Hide clock" the test is skipped and the latch keeps its value.
    view.hideEnabled = false;
    view.cursor = {20, 20};
    tick.run(options);
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(tick.state().hiddenUnderCursor);

    options.hideUnder = false;
    view.hideEnabled = true;
    tick.run(options);
    EXPECT_TRUE(view.shown) << "hideunder off";
}

TEST_F(MainTickTest, ShortSystemTimeTextStillChimes) {
    // Before the first draw the system's own format may give "9:00:00".
    formatSettings().longTimeFormat = "h:mm:ss";
    clock.set(9, 0, 0, 0);
    tick.run(options);
    EXPECT_EQ(countPlayed("Sounds\\Chimes.wav"), 1);
}

}  // namespace
