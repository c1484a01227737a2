// The clock window in-process, with a fixed clock and recording stand-ins for the system.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "clock/builtin_skin.h"
#include "clock/clock_window_win.h"
#include "clock/face.h"
#include "clock/glyphs.h"
#include "core/errors.h"
#include "support/fakes.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

class ClockWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        TakeErrorBoxes();
    }
    void TearDown() override {
        if (clock) clock->Destroy();
        TakeErrorBoxes();
    }

    ClockWindow& Start() {
        clock = std::make_unique<ClockWindow>(tikora::testing::ClockName(), fakes.Services());
        clock->CreateForm();
        clock->Initialize();
        clock->ShowAtStart();
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(clock->Hwnd()) != 0; }));
        return *clock;
    }

    // The face's pixels, read back from the window, as 0x00RRGGBB.
    uint32_t FacePixel(int x, int y) {
        HDC dc = GetDC(clock->FaceHandle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(clock->FaceHandle(), dc);
        return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }

    // Counts the pixels of a glyph cell drawn at (x, 8) that differ from the strip's cell.
    int CellMismatches(const Image& strip, int stripX, int width, int x) {
        int wrong = 0;
        for (int dy = 0; dy < kCellHeight; ++dy)
            for (int dx = 0; dx < width; ++dx)
                if (FacePixel(x + dx, kGlyphTop + dy) != strip.At(stripX + dx, dy)) ++wrong;
        return wrong;
    }

    FakeServices fakes{9, 5, 7};
    MemorySettings& settings = fakes.settings;
    FakeFiles& files = fakes.files;
    std::unique_ptr<ClockWindow> clock;
};

TEST_F(ClockWindowTest, FaceShowsTheGlyphCellsOfTheTime) {
    settings.Set("Options", "showsecond", "1");
    ClockWindow& window = Start();
    window.DrawFace();
    const Image strip = RenderBuiltinSkin();
    struct Cell {
        int stripX;
        int width;
        int x;
    };
    // 09:05:07: digit d comes from strip cell d+1; the separators are on (columns 13-25).
    const Cell cells[] = {{26 * 1, 26, 8},   {26 * 10, 26, 34}, {26 * 1, 26, 73}, {26 * 6, 26, 99},
                          {26 * 1, 26, 138}, {26 * 8, 26, 164}, {13, 13, 60},     {13, 13, 125}};
    for (const Cell& c : cells) EXPECT_EQ(CellMismatches(strip, c.stripX, c.width, c.x), 0) << "cell at x " << c.x;
    char text[32] = {};
    GetWindowTextA(window.FaceHandle(), text, sizeof text);
    EXPECT_STREQ(text, "09:05:07") << "the face carries what it shows";
}

TEST_F(ClockWindowTest, ShownAgainTheFaceKeepsTheDigitsDrawnAtOnce) {
    ClockWindow& window = Start();
    window.DrawFace();
    window.HideClock();
    window.ShowClock();
    window.DrawFace();  // as the tick does when the pointer leaves the clock
    PumpMessages();     // no paint queued behind the draw may wipe the digits
    const Image strip = RenderBuiltinSkin();
    EXPECT_EQ(CellMismatches(strip, 26 * 1, 26, 8), 0) << "the 0 of 09:05";
    EXPECT_EQ(CellMismatches(strip, 26 * 6, 26, 99), 0) << "the 5 of 09:05";
}

TEST_F(ClockWindowTest, FrameAndEdgePieceWithoutSeconds) {
    ClockWindow& window = Start();
    window.DrawFace();
    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, 134);
    const Image frame = RenderFrame();
    // The bevel at the top-left corner, and the edge piece (the frame's last 8 columns) at x 126.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(FacePixel(i, 20), frame.At(i, 20)) << "left bevel line " << i;
    for (int dx = 0; dx < 8; ++dx)
        for (int y : {0, 1, 2, 26, 50, 51, 52})
            EXPECT_EQ(FacePixel(126 + dx, y), frame.At(191 + dx, y)) << "edge piece " << dx << "," << y;

    window.ApplySeconds(true);
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, 199);
    window.ApplySeconds(false);
    GetClientRect(window.Hwnd(), &client);
    EXPECT_EQ(client.right, 134);
}

TEST_F(ClockWindowTest, LoadSkinRefusesBadFiles) {
    ClockWindow& window = Start();
    TempFolder folder;
    folder.Write("garbage.bmp", "not a bitmap at all");
    EXPECT_THROW(window.LoadSkin(folder.File("garbage.bmp")), PictureError);
    EXPECT_EQ(window.Glyphs().digits.Count(), 11) << "a file that is not a bitmap leaves the glyphs";

    EXPECT_THROW(window.LoadSkin(folder.File("missing.bmp")), PictureError);
    EXPECT_EQ(window.Glyphs().digits.Count(), 11);

    // A real bitmap below the strip size empties the sets and says so.
    std::string generated = RuntimeFolder() + "\\Numbers\\Cyan.bmp";
    ASSERT_NE(GetFileAttributesA(generated.c_str()), INVALID_FILE_ATTRIBUTES);
    window.LoadSkin(generated);
    EXPECT_EQ(window.Glyphs().digits.Count(), 11);
    EXPECT_EQ(window.Glyphs().separators.Count(), 22);
}

TEST_F(ClockWindowTest, UnreadableSkinAtStartIsReportedOnceTheLoopRuns) {
    TempFolder folder;
    folder.Write("broken.bmp", "BM garbage");
    files.present.insert(folder.File("broken.bmp"));
    settings.Set("Numbers", "Name", folder.File("broken.bmp"));
    ClockWindow& window = Start();
    EXPECT_EQ(window.Glyphs().digits.Count(), 11) << "the built-in skin stays";
    std::vector<std::string> boxes;
    EXPECT_TRUE(WaitFor([&] {
        auto taken = TakeErrorBoxes();
        boxes.insert(boxes.end(), taken.begin(), taken.end());
        return !boxes.empty();
    }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("broken.bmp"), std::string::npos) << boxes[0];
}

}  // namespace
