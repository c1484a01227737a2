// The layout follows the system DPI: run in the ordinary prefix (96) and in one at 192 (200 %).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "clock/builtin_skin.h"
#include "clock/clock_window_win.h"
#include "clock/face.h"
#include "support/fakes.h"
#include "ui/dpi_win.h"
#include "ui/form_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

TEST(DpiTest, RunsAtTheSystemDpiTheTestAsksFor) {
    EnsureApplication();
    const char* expected = std::getenv("TIKORA_EXPECTED_DPI");
    if (!expected) GTEST_SKIP() << "no DPI expected by the test run";
    EXPECT_EQ(ui::SystemDpi(), std::atoi(expected));
}

TEST(DpiTest, ClockFaceScalesSharply) {
    EnsureApplication();
    FakeServices fakes{9, 5, 7};
    fakes.settings.Set("Options", "showsecond", "1");
    auto clock = std::make_unique<ClockWindow>(tikora::testing::ClockName(), fakes.Services());
    clock->CreateForm();
    clock->Initialize();
    clock->ShowAtStart();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(clock->Hwnd()) != 0; }));

    SIZE client = ClientSize(clock->Hwnd());
    EXPECT_EQ(client.cx, ui::Scale(199));
    EXPECT_EQ(client.cy, ui::Scale(53));
    clock->ApplySeconds(false);
    EXPECT_EQ(ClientSize(clock->Hwnd()).cx, ui::Scale(134));
    clock->ApplySeconds(true);

    // Every pixel of the hour's tens digit (a 0 at x 8) is its strip pixel, enlarged without blur.
    clock->DrawFace();
    const Image strip = RenderBuiltinSkin();
    HDC dc = GetDC(clock->FaceHandle());
    int wrong = 0;
    for (int y = ui::Scale(kGlyphTop); y < ui::Scale(kGlyphTop + kCellHeight); ++y)
        for (int x = ui::Scale(8); x < ui::Scale(8 + kDigitCellWidth); ++x) {
            int sx = 26 + (x - ui::Scale(8)) * 96 / ui::SystemDpi();
            int sy = (y - ui::Scale(kGlyphTop)) * 96 / ui::SystemDpi();
            COLORREF c = GetPixel(dc, x, y);
            if (Rgb(GetRValue(c), GetGValue(c), GetBValue(c)) != strip.At(sx, sy)) ++wrong;
        }
    ReleaseDC(clock->FaceHandle(), dc);
    EXPECT_EQ(wrong, 0);
    clock->Destroy();
}

TEST(DpiTest, FormsGetTheirDesignSizeScaled) {
    EnsureApplication();
    struct Case {
        ui::BorderStyle border;
        int width;
        int height;
    };
    const Case cases[] = {{ui::BorderStyle::Single, 263, 93},
                          {ui::BorderStyle::Dialog, 364, 217},
                          {ui::BorderStyle::DialogNoMenu, 194, 124}};
    for (const Case& c : cases) {
        ui::FormSpec spec;
        spec.className = "TikoraDpiForm";
        spec.caption = " Sized";
        spec.border = c.border;
        spec.clientWidth = c.width;
        spec.clientHeight = c.height;
        ui::Form form(spec);
        form.CreateForm();
        SIZE client = ClientSize(form.Hwnd());
        EXPECT_EQ(client.cx, ui::Scale(c.width));
        EXPECT_EQ(client.cy, ui::Scale(c.height));
        RECT window{};
        GetWindowRect(form.Hwnd(), &window);
        EXPECT_NEAR(window.left + (window.right - window.left) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1)
            << "centred";
        form.Destroy();
    }
}

}  // namespace
