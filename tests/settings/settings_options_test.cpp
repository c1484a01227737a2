// The settings dialog's logic over a recording clock, an in-memory settings file and a fake
// Run key: what each box does at once, "Apply" and "Cancel".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"
#include "settings/settings_options.h"
#include "support/fakes.h"

namespace tikora {
namespace {

using testing::MemorySettings;

// The live clock as a record of its values and of the visible effects asked for.
class RecordingClock final : public LiveClock {
public:
    ClockOptions LiveOptions() const override { return live; }
    void SetLiveOption(bool ClockOptions::*option, bool value) override { live.*option = value; }
    void ApplySeconds(bool showSecond) override {
        live.showsecond = showSecond;
        calls.push_back(std::string("seconds ") + (showSecond ? "on" : "off"));
    }
    bool TransparencyAvailable() const override { return transparency; }
    void SetTranslucent(bool translucent) override {
        calls.push_back(std::string("alpha ") + (translucent ? "128" : "255"));
    }
    ClockOptions live;
    bool transparency = true;
    std::vector<std::string> calls;
};

class FakeRunKey final : public AutostartRegistry {
public:
    bool SetRunValue(std::string_view name) override {
        calls.push_back("set " + std::string(name));
        return writable;
    }
    void DeleteRunValue(std::string_view name) override { calls.push_back("delete " + std::string(name)); }
    bool writable = true;
    std::vector<std::string> calls;
};

TEST(OptionBox, EachBoxSetsItsLiveFlagWithItsVisibleEffect) {
    struct Case {
        bool ClockOptions::*option;
        bool transparency;
        std::vector<std::string> effects;
    };
    const Case cases[] = {
        {&ClockOptions::hideonstart, true, {}},
        {&ClockOptions::scotch, true, {}},
        {&ClockOptions::ghost, true, {"alpha 128"}},
        {&ClockOptions::ghost, false, {}},
        {&ClockOptions::showsecond, true, {"seconds on"}},
        {&ClockOptions::flash, true, {}},
        {&ClockOptions::hideunder, true, {}},
        {&ClockOptions::everyhour, true, {}},
    };
    for (const Case& c : cases) {
        RecordingClock clock;
        clock.transparency = c.transparency;
        clock.live.*c.option = false;
        ApplyOptionBox(clock, c.option, true);
        EXPECT_TRUE(clock.live.*c.option);
        EXPECT_EQ(clock.calls, c.effects);
    }
}

TEST(OptionBox, TheAutostartBoxActsOnlyThroughApply) {
    RecordingClock clock;
    ApplyOptionBox(clock, &ClockOptions::autostart, true);
    EXPECT_FALSE(clock.live.autostart);
}

TEST(ApplyAutostart, WritesOrDeletesTheRunValueOnlyWhenTheBoxDiffersFromTheLiveFlag) {
    struct Case {
        bool live;
        bool box;
        std::vector<std::string> registry;
    };
    const Case cases[] = {
        {false, false, {}},
        {true, true, {}},
        {false, true, {"set Tikora 1.5-e"}},
        {true, false, {"delete Tikora 1.5-e"}},
    };
    for (const Case& c : cases) {
        RecordingClock clock;
        clock.live.autostart = c.live;
        FakeRunKey registry;
        ApplyAutostart(clock, registry, c.box);
        EXPECT_EQ(registry.calls, c.registry) << c.live << " " << c.box;
        EXPECT_EQ(clock.live.autostart, c.box);
    }
}

TEST(ApplyAutostart, AFailedWriteRaisesTheErrorAndEveryApplyTriesAgain) {
    RecordingClock clock;
    FakeRunKey registry;
    registry.writable = false;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        try {
            ApplyAutostart(clock, registry, true);
            ADD_FAILURE() << "no error on attempt " << attempt;
        } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "Failed to set data for 'Tikora 1.5-e'");
        }
        // The flag stays off: a start-up that was never written is never stored as on.
        EXPECT_FALSE(clock.live.autostart);
        EXPECT_EQ(registry.calls.size(), static_cast<size_t>(attempt));
    }
    registry.writable = true;
    ApplyAutostart(clock, registry, true);
    EXPECT_TRUE(clock.live.autostart);
}

// Regression: "Apply" must stop before the settings file when the registry refuses.
TEST(ApplyAutostart, TheSettingsFileIsNotWrittenAfterAFailedWrite) {
    RecordingClock clock;
    FakeRunKey registry;
    registry.writable = false;
    MemorySettings store;
    auto apply = [&] {
        ApplyAutostart(clock, registry, true);
        SaveOptions(store, clock, "x.wav");
    };
    EXPECT_THROW(apply(), AppError);
    EXPECT_EQ(store.writes, 0);
}

// The settings file as a list of writes in order.
class OrderedSettings final : public SettingsStore {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) override { return std::string(def); }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        writes.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
    }
    std::vector<std::string> writes;
};

TEST(SaveOptions, WritesTheLiveValuesInOrderThenTheChimePath) {
    RecordingClock clock;
    clock.live = ClockOptions{.autostart = true, .hideonstart = false, .scotch = true, .ghost = false,
                              .showsecond = true, .flash = false, .hideunder = true, .everyhour = false,
                              .hotkey = true};
    OrderedSettings store;
    SaveOptions(store, clock, "C:\\Bells\\Big Ben.wav");
    const std::vector<std::string> expected = {
        "Options/autostart=1", "Options/hideonstart=0", "Options/scotch=1",    "Options/ghost=0",
        "Options/showsecond=1", "Options/flash=0",      "Options/hideunder=1", "Options/everyhour=0",
        "EditTexts/edit4=C:\\Bells\\Big Ben.wav"};
    EXPECT_EQ(store.writes, expected);
}

TEST(RestoreOptions, ReloadsTheLiveValuesAndTheirEffectsAndGivesTheStoredChime) {
    MemorySettings store;
    for (const char* key : {"autostart", "scotch", "ghost", "showsecond", "hideunder"}) store.Set("Options", key, "1");
    store.Set("Options", "flash", "0");
    store.Set("Options", "everyhour", "0");
    store.Set("EditTexts", "edit4", "Sounds\\Gong.wav");
    RecordingClock clock;
    clock.live.hideonstart = true;
    clock.live.hotkey = true;  // not the dialog's: stays as it is

    EXPECT_EQ(RestoreOptions(store, clock), "Sounds\\Gong.wav");
    const ClockOptions expected{.autostart = true, .hideonstart = false, .scotch = true, .ghost = true,
                                .showsecond = true, .flash = false, .hideunder = true, .everyhour = false,
                                .hotkey = true};
    EXPECT_EQ(clock.live, expected);
    EXPECT_EQ(clock.calls, (std::vector<std::string>{"seconds on", "alpha 128"}));
}

TEST(RestoreOptions, AMissingFileGivesTheDefaultsAndTranslucencyOnlyWhereAvailable) {
    MemorySettings store;
    RecordingClock clock;
    clock.live = ClockOptions{.autostart = true, .hideonstart = true, .scotch = true, .ghost = true,
                              .showsecond = true, .flash = false, .hideunder = true, .everyhour = false};
    clock.transparency = false;
    EXPECT_EQ(RestoreOptions(store, clock), "Sounds\\Chimes.wav");
    EXPECT_EQ(clock.live, ClockOptions{});
    EXPECT_EQ(clock.calls, (std::vector<std::string>{"seconds off"}));
}

TEST(ChimeStartFolder, SoundsWhenItExistsElseTheCurrentDirectory) {
    testing::FakeFiles files;
    EXPECT_EQ(ChimeStartFolder("C:\\Tikora", files), "C:\\Tikora");
    files.present.insert("C:\\Tikora\\Sounds");
    EXPECT_EQ(ChimeStartFolder("C:\\Tikora", files), "C:\\Tikora\\Sounds");
}

}  // namespace
}  // namespace tikora
