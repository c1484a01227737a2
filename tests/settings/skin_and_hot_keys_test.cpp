// The skin chooser's listing, preview and "Apply" rules, and `ApplyHotKeyOption`, over recording
// stand-ins for the clock and an in-memory settings file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clock/builtin_skin.h"
#include "clock/glyphs.h"
#include "core/errors.h"
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

// The clock's glyph sets behind the skin interface, fed with pictures by path.
class GlyphClock final : public SkinTarget {
public:
    void ApplySkin(const std::string& path) override {
        loaded.push_back(path);
        if (path.ends_with("text.bmp")) throw PictureError("Bitmap image is not valid");
        glyphs.Replace(path.ends_with("small.bmp") ? Numbered(285, 37) : Numbered(286, 37));
    }
    GlyphSets glyphs;
    std::vector<std::string> loaded;
};

TEST(SkinApply, StoresTheChoiceOnlyWhenTheClockTookIt) {
    struct Case {
        const char* name;
        const char* error;  // nullptr: taken
    };
    const Case cases[] = {{"Blue.bmp", nullptr}, {"small.bmp", "Invalid image size"}, {"text.bmp", "Bitmap image is not valid"}};
    for (const Case& c : cases) {
        GlyphClock clock;
        clock.glyphs.Load(RenderBuiltinSkin());
        const Image before = *clock.glyphs.digits.Strip();
        MemorySettings settings;
        settings.Set("Numbers", "Name", "Numbers\\Old.bmp");
        try {
            ApplySkinChoice(clock, settings, c.name);
            EXPECT_EQ(c.error, nullptr) << c.name;
        } catch (const AppError& e) {
            ASSERT_NE(c.error, nullptr) << c.name;
            EXPECT_STREQ(e.what(), c.error);
        }
        EXPECT_EQ(clock.loaded, std::vector<std::string>{std::string("Numbers\\") + c.name});
        EXPECT_EQ(settings.ReadString("Numbers", "Name", ""), c.error ? "Numbers\\Old.bmp" : std::string("Numbers\\") + c.name);
        // A refused strip leaves the skin in use whole, digits and separators.
        ASSERT_TRUE(clock.glyphs.digits.Strip().has_value()) << c.name;
        EXPECT_EQ(clock.glyphs.separators.Count(), 22) << c.name;
        EXPECT_EQ(clock.glyphs.digits.Strip()->pixels == before.pixels, c.error != nullptr) << c.name;
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
        if (c.stored) EXPECT_EQ(settings.ReadString("Options", "hotkey", ""), c.stored);
    }
}

}  // namespace
}  // namespace tikora
