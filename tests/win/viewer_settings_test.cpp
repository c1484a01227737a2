// The viewer settings dialog in-process: its layout, the settings read at creation with their
// defaults, the live controls, "OK" storing the three keys and giving the viewer back, and a close
// that stores nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/window_catalogue_win.h"
#include "support/fakes.h"
#include "viewer/viewer_settings_win.h"
#include "win/support/form_probe.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

struct RecordingViewer final : ViewerSettingsOwner {
    void EnableViewer() override { ++enabled; }
    void FocusList() override { ++focused; }
    int enabled = 0;
    int focused = 0;
};

std::unique_ptr<ViewerSettingsDialog> MakeDialog(SettingsStore& settings) {
    EnsureApplication();
    const WindowEntry& entry = CatalogueEntry(WindowId::ViewerSettings);
    auto dialog = std::make_unique<ViewerSettingsDialog>(ui::FormName{entry.className, entry.caption}, settings);
    dialog->CreateForm();
    return dialog;
}

void Click(HWND form, const char* className, const char* text) {
    HWND control = FindControl(form, className, text);
    ASSERT_TRUE(control) << text;
    SendMessageA(control, BM_CLICK, 0, 0);
}

TEST(ViewerSettingsTest, LaysOutItsControlsAsDesigned) {
    MemorySettings settings;
    auto dialog = MakeDialog(settings);
    EXPECT_EQ(WindowText(dialog->Hwnd()), " Settings");
    EXPECT_FALSE(GetWindowLongA(dialog->Hwnd(), GWL_STYLE) & WS_SYSMENU);  // no close box
    ExpectLayout(dialog->Hwnd(), 186, 223,
                 {{"TikoraGroupBox", "Add folder", 8, 8, 170, 50},
                  {"Button", " Include subdirectories ", 17, 30, 136, 17},
                  {"TikoraGroupBox", "View settings", 8, 74, 170, 105},
                  {"Button", " Best fit ", 17, 95, 72, 17},
                  {"Button", " Actual size ", 17, 118, 89, 17},
                  {"Button", " Show file name ", 17, 148, 107, 17},
                  {"Button", "OK", 103, 188, 75, 25}});
}

TEST(ViewerSettingsTest, ReadsTheStoredSettingsOnceWithTheirDefaults) {
    struct Case { const char* include; const char* showname; const char* autosize; bool wantInclude, wantShowName, wantBestFit; };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, true, false, true},  // a first start
        {"0", "1", "0", false, true, false},
        {"7", "-1", "2", true, true, true},              // any non-zero number is true
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        if (c.include) settings.Set("Viewer", "include", c.include);
        if (c.showname) settings.Set("Viewer", "showname", c.showname);
        if (c.autosize) settings.Set("Viewer", "autosize", c.autosize);
        auto dialog = MakeDialog(settings);
        EXPECT_EQ(dialog->IncludeSubfolders(), c.wantInclude);
        EXPECT_EQ(dialog->ShowFileName(), c.wantShowName);
        EXPECT_EQ(dialog->BestFit(), c.wantBestFit);
        const bool actualSize = SendMessageA(FindControl(dialog->Hwnd(), "Button", " Actual size "), BM_GETCHECK, 0, 0) == BST_CHECKED;
        EXPECT_EQ(actualSize, !c.wantBestFit) << "one of the two is always selected";
    }
}

TEST(ViewerSettingsTest, ChangesActAtOnceAndOnlyOkStoresThem) {
    MemorySettings settings;
    RecordingViewer viewer;
    auto dialog = MakeDialog(settings);
    dialog->SetOwner(&viewer);
    dialog->Show();
    Click(dialog->Hwnd(), "Button", " Include subdirectories ");
    Click(dialog->Hwnd(), "Button", " Actual size ");
    Click(dialog->Hwnd(), "Button", " Show file name ");
    EXPECT_FALSE(dialog->IncludeSubfolders());  // live before any "OK"
    EXPECT_FALSE(dialog->BestFit());
    EXPECT_TRUE(dialog->ShowFileName());

    SendMessageA(dialog->Hwnd(), WM_CLOSE, 0, 0);  // Alt+F4: the viewer comes back, nothing stored
    EXPECT_EQ(settings.writes, 0);
    EXPECT_EQ(viewer.enabled, 1);
    EXPECT_EQ(viewer.focused, 0);
    EXPECT_FALSE(dialog->Visible());

    dialog->Show();
    Click(dialog->Hwnd(), "Button", "OK");
    EXPECT_EQ(settings.ReadString("Viewer", "include", ""), "0");
    EXPECT_EQ(settings.ReadString("Viewer", "showname", ""), "1");
    EXPECT_EQ(settings.ReadString("Viewer", "autosize", ""), "0");
    EXPECT_EQ(viewer.enabled, 2);
    EXPECT_EQ(viewer.focused, 1);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(TakeErrorBoxes().empty());
}

}  // namespace
