// The full-screen views as the program makes them: from the window catalogue, finding the viewer,
// the live viewer settings and each other through the clock's window directory, and hiding the
// real clock window while they show.
#include "support/picture_samples.h"
#include "viewer/full_screen_views_win.h"
#include "win/support/form_probe.h"
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

// The viewer's side of the contract, as a window of the directory.
class StandInViewer final : public ui::Form, public PictureListHost {
public:
    StandInViewer() : ui::Form(ui::FormSpec{.className = "TikoraStandInViewer", .clientWidth = 100, .clientHeight = 100}) {}
    int PictureCount() override { return static_cast<int>(paths.size()); }
    std::string PicturePath(int index) override { return paths.at(static_cast<size_t>(index)); }
    int SelectedIndex() override { return 1; }
    void ShowForReturn() override {}
    void ReturnFromBrowsing(int index) override { returnedAt.push_back(index); }
    void ReturnFromActualSize() override {}
    std::vector<std::string> paths;
    std::vector<int> returnedAt;
};

TEST(FullScreenWiring, TheViewsFindTheViewerTheLiveSettingsAndTheClock) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    std::vector<std::unique_ptr<ui::Form>> windows(kWindowCount);
    clock.SetWindowDirectory([&windows](WindowId id) { return windows[static_cast<size_t>(id)].get(); });
    AppContext app{SystemServices{rig.time, rig.sound, rig.shell, rig.power, rig.files, rig.settings}, clock};
    auto viewer = std::make_unique<StandInViewer>();
    viewer->CreateForm();
    for (const char* name : {"a.png", "b.png"}) {
        const testing::Bytes png = testing::EncodePng(testing::Gradient(60, 40));
        rig.folder.Write(name, std::string(png.begin(), png.end()));
        viewer->paths.push_back(rig.folder.File(name));
    }
    StandInViewer& host = *viewer;
    windows[static_cast<size_t>(WindowId::PictureViewer)] = std::move(viewer);
    for (WindowId id : {WindowId::ActualSizeView, WindowId::BrowsingView, WindowId::ViewerSettings})
        windows[static_cast<size_t>(id)] = CatalogueEntry(id).make(CatalogueEntry(id), app);

    auto* views = dynamic_cast<FullScreenViews*>(clock.WindowFor(WindowId::ActualSizeView));
    auto* browsing = dynamic_cast<BrowsingView*>(clock.WindowFor(WindowId::BrowsingView));
    ASSERT_TRUE(views && browsing);
    // The settings dialog's controls are the live settings, stored or not.
    HWND settings = clock.WindowFor(WindowId::ViewerSettings)->Hwnd();
    SendMessageA(testing::FindControl(settings, "Button", " Actual size "), BM_CLICK, 0, 0);
    SendMessageA(testing::FindControl(settings, "Button", " Show file name "), BM_CLICK, 0, 0);
    views->OpenBrowsing();
    EXPECT_TRUE(browsing->Visible());
    EXPECT_FALSE(browsing->BestFitMode());
    EXPECT_EQ(testing::WindowText(browsing->CaptionLine()), " " + host.paths[1] + "  60 x 40 ");
    EXPECT_FALSE(IsWindowVisible(clock.Hwnd())) << "the clock hides while a view shows";
    EXPECT_FALSE(FindRow(clock.MainMenu(), "Show clock")->Disabled());
    SendMessageA(browsing->Hwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(browsing->Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(host.returnedAt, std::vector<int>{0});
    EXPECT_TRUE(IsWindowVisible(clock.Hwnd()));
    EXPECT_TRUE(FindRow(clock.MainMenu(), "Show clock")->Disabled());
    EXPECT_TRUE(rig.ErrorBoxes().empty());
}

}  // namespace
}  // namespace tikora::traytest
