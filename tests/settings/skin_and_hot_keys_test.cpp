// The skin chooser's listing and preview rules, and `ApplyHotKeyOption` over a recording clock and
// an in-memory settings file. "Apply" of a skin runs through the real clock in the Win32 tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/glyphs.h"
#include "settings/hot_key_option.h"
#include "settings/skin_choice.h"
#include "support/fakes.h"

namespace tikora {
namespace {

using testing::MemorySettings;

Image Numbered(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = static_cast<uint32_t>(x * 1000 + y + 1);
    return image;
}

TEST(SkinList, KeepsTheFolderOrderAndOnlyStripFiles) {
    struct Case {
        std::vector<FolderEntry> found;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {{}, {}},
        {{{"Zebra.bmp"}, {"amber.BMP"}, {"Cyan.bmp"}}, {"Zebra.bmp", "amber.BMP", "Cyan.bmp"}},
        // A folder named like a strip, and a name the system matched through its short alias.
        {{{"old.bmp", true}, {"wide.bmpx"}, {"Red.bmp"}, {".bmp"}}, {"Red.bmp"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SkinNames(c.found), c.listed);
}

TEST(SkinPreview, ShowsTheTopLeftStripUnscaled) {
    constexpr uint32_t kFace = 0xC0C0C0;
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{286, 37}, Case{400, 60}, Case{100, 20}}) {
        const Image preview = SkinPreview(Numbered(c.width, c.height), kFace);
        ASSERT_EQ(preview.width, kStripWidth);
        ASSERT_EQ(preview.height, kStripHeight);
        for (Point p : {Point{0, 0}, Point{99, 19}, Point{100, 19}, Point{99, 20}, Point{285, 36}}) {
            const bool inside = p.x < c.width && p.y < c.height;
            EXPECT_EQ(preview.At(p.x, p.y), inside ? static_cast<uint32_t>(p.x * 1000 + p.y + 1) : kFace)
                << c.width << "x" << c.height << " at " << p.x << "," << p.y;
        }
    }
}

class RecordingHotKeys final : public LiveClock, public HotKeySwitch {
public:
    ClockOptions LiveOptions() const override { return live; }
    void SetLiveOption(bool ClockOptions::*option, bool value) override { live.*option = value; }
    void ApplySeconds(bool) override {}
    bool TransparencyAvailable() const override { return false; }
    void SetTranslucent(bool) override {}
    void RegisterHotKeys() override { calls.push_back("register"); }
    void UnregisterHotKeys() override { calls.push_back("unregister"); }
    ClockOptions live;
    std::vector<std::string> calls;
};

TEST(HotKeyOption, ActsAndWritesOnlyWhenTheBoxDiffersFromTheLiveFlag) {
    struct Case {
        bool live, box;
        std::vector<std::string> calls;
        const char* stored;  // nullptr: nothing written
    };
    const Case cases[] = {
        {false, false, {}, nullptr},
        {true, true, {}, nullptr},
        {false, true, {"register"}, "1"},
        {true, false, {"unregister"}, "0"},
    };
    for (const Case& c : cases) {
        RecordingHotKeys clock;
        clock.live.hotkey = c.live;
        MemorySettings settings;
        EXPECT_EQ(LoadHotKeyBox(clock), c.live);
        ApplyHotKeyOption(clock, clock, settings, c.box);
        EXPECT_EQ(clock.live.hotkey, c.box);
        EXPECT_EQ(clock.calls, c.calls) << c.live << c.box;
        EXPECT_EQ(settings.writes, c.stored ? 1 : 0);
        EXPECT_EQ(settings.ReadString("Options", "hotkey", "(none)"), c.stored ? c.stored : "(none)");
    }
}

}  // namespace
}  // namespace tikora
