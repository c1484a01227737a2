// The two full-screen views in-process, over real picture files and a recording stand-in for the
// picture viewer: browsing with its wrap and caption line, the mode switch, leaving with Esc, the
// clock hiding, actual size with and without scroll bars, and pictures that fail.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/window_catalogue_win.h"
#include "support/picture_samples.h"
#include "viewer/full_screen_views_win.h"
#include "win/support/form_probe.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

struct FakeViewer final : PictureListHost {
    int PictureCount() override { return static_cast<int>(paths.size()); }
    std::string PicturePath(int index) override { return paths.at(static_cast<size_t>(index)); }
    int SelectedIndex() override { return selected; }
    // The order of Esc's steps: the viewer shows while the view still does, and takes the
    // index once the view is gone.
    void ShowForReturn() override { steps.push_back(ViewShows() ? "viewer shown over the view" : "viewer shown late"); }
    void ReturnFromBrowsing(int index) override {
        returnedAt.push_back(index);
        steps.push_back(ViewShows() ? "index taken under the view" : "index taken");
    }
    void ReturnFromActualSize() override { ++returnsFromActualSize; }
    bool ViewShows() const { return view && view() && IsWindowVisible(view()); }
    std::function<HWND()> view;
    std::vector<std::string> steps;
    std::vector<std::string> paths;
    int selected = 0;
    std::vector<int> returnedAt;
    int returnsFromActualSize = 0;
};

// The clock's own decision model behind the views' calls.
struct ModelClock final : FullScreenClock {
    void Act(WindowAction action) { shown = action == WindowAction::Show ? true : action == WindowAction::Hide ? false : shown; }
    void ViewOpened(FullScreenView view) override { Act(model.Apply(ClockEvent::FullScreenOpens, view)); }
    void ViewClosed(FullScreenView view) override { Act(model.Apply(ClockEvent::FullScreenCloses, view)); }
    ClockVisibility model;
    bool shown = true;
};

void WritePicture(const TempFolder& folder, const std::string& name, int width, int height) {
    const Bytes png = EncodePng(Gradient(width, height));
    folder.Write(name, std::string(png.begin(), png.end()));
}

struct Rig {
    Rig() {
        EnsureApplication();
        TakeErrorBoxes();
        FullScreenLinks links{[this] { return &viewer; }, [this] { return bestFit; }, [this] { return showName; }, clock};
        const WindowEntry& b = CatalogueEntry(WindowId::BrowsingView);
        browsing = std::make_unique<BrowsingView>(ui::FormName{b.className, b.caption}, links);
        browsing->CreateForm();
        const WindowEntry& a = CatalogueEntry(WindowId::ActualSizeView);
        actual = std::make_unique<ActualSizeView>(ui::FormName{a.className, a.caption}, links, [this] { return browsing.get(); });
        actual->CreateForm();
        viewer.view = [this] { return browsing->Hwnd(); };
    }
    // Pictures named p0.png, p1.png, ... of 40 + 10 * i by 30 pixels.
    void AddPictures(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "p" + std::to_string(i) + ".png";
            WritePicture(folder, name, 40 + 10 * i, 30);
            viewer.paths.push_back(folder.File(name));
        }
    }
    void Key(FullScreenForm& view, int key) { SendMessageA(view.Hwnd(), WM_KEYDOWN, key, 0); }
    void Click(FullScreenForm& view) { SendMessageA(view.Image().Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }
    std::string Caption() { return WindowText(browsing->CaptionLine()); }
    static bool HasBars(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0; }

    TempFolder folder;
    FakeViewer viewer;
    bool bestFit = true;
    bool showName = true;
    std::shared_ptr<ModelClock> clock = std::make_shared<ModelClock>();
    std::unique_ptr<BrowsingView> browsing;
    std::unique_ptr<ActualSizeView> actual;
};

constexpr int kEsc = VK_ESCAPE, kLeft = VK_LEFT, kUp = VK_UP, kRight = VK_RIGHT, kDown = VK_DOWN;

TEST(BrowsingViewTest, ArrowKeysStepThroughTheListWrappingAtBothEnds) {
    Rig rig;
    rig.AddPictures(3);
    rig.viewer.selected = 2;
    rig.actual->OpenBrowsing();  // the viewer's "View" reaches the browsing view through TForm10
    ASSERT_TRUE(rig.browsing->Visible());
    EXPECT_TRUE(IsZoomed(rig.browsing->Hwnd()));
    const struct { int key; int index; } steps[] = {
        {0, 2}, {kRight, 0}, {kLeft, 2}, {kDown, 0}, {kUp, 2}, {kLeft, 1}, {VK_HOME, 1}, {VK_SPACE, 1}, {kRight, 2},
    };
    for (const auto& step : steps) {
        if (step.key) rig.Key(*rig.browsing, step.key);
        const std::string path = rig.viewer.paths[static_cast<size_t>(step.index)];
        EXPECT_EQ(rig.browsing->BrowsingIndex(), step.index) << "key " << step.key;
        // The picture shown is that one: its path and its own size in the caption line.
        EXPECT_EQ(rig.Caption(), " " + path + "  " + std::to_string(40 + 10 * step.index) + " x 30 ") << "key " << step.key;
        EXPECT_TRUE(rig.browsing->Image().Visible());
    }
    EXPECT_TRUE(IsWindowVisible(rig.browsing->CaptionLine()));
    EXPECT_TRUE(rig.viewer.returnedAt.empty()) << "no arrow key leaves";
}

TEST(BrowsingViewTest, WithOnePictureEveryArrowKeyLoadsItAgain) {
    Rig rig;
    rig.AddPictures(1);
    rig.browsing->Open();
    int width = 40;
    for (int key : {kRight, kLeft, kUp, kDown}) {
        width += 20;
        WritePicture(rig.folder, "p0.png", width, 30);  // changed on disk: only a reload shows it
        rig.Key(*rig.browsing, key);
        EXPECT_EQ(rig.Caption(), " " + rig.viewer.paths[0] + "  " + std::to_string(width) + " x 30 ") << key;
    }
}

TEST(BrowsingViewTest, EscReturnsToTheViewerWithTheBrowsedIndex) {
    Rig rig;
    rig.AddPictures(7);
    rig.viewer.selected = 3;
    rig.showName = false;
    rig.browsing->Open();
    EXPECT_FALSE(IsWindowVisible(rig.browsing->CaptionLine())) << "no caption line without \"Show file name\"";
    rig.Key(*rig.browsing, kRight);
    rig.Key(*rig.browsing, kRight);
    rig.Key(*rig.browsing, kEsc);
    EXPECT_FALSE(rig.browsing->Visible());
    EXPECT_EQ(rig.viewer.returnedAt, std::vector<int>{5});
    EXPECT_EQ(rig.viewer.steps, (std::vector<std::string>{"viewer shown over the view", "index taken"}));
}

TEST(BrowsingViewTest, AClickSwitchesModeAndTheNextOpeningStartsFromTheSetting) {
    Rig rig;
    const SIZE screen = rig.browsing->ScreenSize();
    WritePicture(rig.folder, "big.png", screen.cx + 300, screen.cy + 200);
    rig.viewer.paths = {rig.folder.File("big.png")};
    rig.browsing->Open();
    const HWND hwnd = rig.browsing->Hwnd();
    const auto shownWidth = [&] { const RECT r = rig.browsing->Image().PictureRect(); return r.right - r.left; };
    // Best fit: no ranges, shrunk to the screen; actual size: the picture's size, scrollable.
    const struct { bool bestFit; bool bars; LONG width; } after[] = {
        {true, false, screen.cx}, {false, true, screen.cx + 300}, {true, false, screen.cx}};
    for (size_t i = 0; i < std::size(after); ++i) {
        if (i) rig.Click(*rig.browsing);
        EXPECT_EQ(rig.browsing->BestFitMode(), after[i].bestFit) << i;
        EXPECT_EQ(Rig::HasBars(hwnd), after[i].bars) << i;
        EXPECT_LE(shownWidth(), after[i].width) << i;
        EXPECT_GE(shownWidth(), after[i].width - 2) << i;
        EXPECT_EQ(rig.browsing->ScrollRanges().cx, after[i].bestFit ? 0 : screen.cx + 300) << i;
    }
    rig.Click(*rig.browsing);  // actual size when it is left...
    rig.Key(*rig.browsing, kEsc);
    rig.browsing->Open();  // ...and best fit again, as the setting says
    EXPECT_TRUE(rig.browsing->BestFitMode());
    rig.Key(*rig.browsing, kEsc);
    rig.bestFit = false;
    rig.browsing->Open();
    EXPECT_FALSE(rig.browsing->BestFitMode());
    EXPECT_EQ(rig.browsing->ScrollPositions().x, 0);
    EXPECT_EQ(rig.browsing->ScrollPositions().y, 0);
}

TEST(BrowsingViewTest, AnUndecodablePictureShowsThePlaceholderAndBrowsingGoesOn) {
    Rig rig;
    rig.AddPictures(2);
    rig.folder.Write("broken.png", "\x89PNG\r\n\x1a\n garbage");
    rig.viewer.paths.insert(rig.viewer.paths.begin() + 1, rig.folder.File("broken.png"));
    rig.viewer.paths.push_back(rig.folder.File("missing.png"));
    rig.bestFit = false;  // the scroll bars of the first picture must not stay
    WritePicture(rig.folder, "p0.png", 3000, 2000);
    rig.browsing->Open();
    ASSERT_TRUE(Rig::HasBars(rig.browsing->Hwnd()));
    rig.Key(*rig.browsing, kRight);
    EXPECT_TRUE(IsWindowVisible(rig.browsing->Placeholder()));
    EXPECT_FALSE(rig.browsing->Image().Visible());
    EXPECT_FALSE(Rig::HasBars(rig.browsing->Hwnd()));
    EXPECT_EQ(rig.Caption(), " " + rig.folder.File("broken.png") + " ") << "only the path";
    EXPECT_TRUE(TakeErrorBoxes().empty()) << "a picture error shows no box";
    rig.Key(*rig.browsing, kRight);
    EXPECT_FALSE(IsWindowVisible(rig.browsing->Placeholder()));
    EXPECT_TRUE(rig.browsing->Image().Visible());
    EXPECT_EQ(rig.Caption(), " " + rig.viewer.paths[2] + "  50 x 30 ");
    rig.Key(*rig.browsing, kRight);  // a file that cannot be opened: the error box, no placeholder
    const std::vector<std::string> boxes = TakeErrorBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("missing.png"), std::string::npos) << boxes[0];
    EXPECT_FALSE(IsWindowVisible(rig.browsing->Placeholder()));
    rig.Key(*rig.browsing, kRight);
    EXPECT_EQ(rig.browsing->BrowsingIndex(), 0);
    EXPECT_TRUE(rig.browsing->Image().Visible());
}

TEST(ActualSizeViewTest, APictureSmallerThanTheScreenIsCentredWithoutScrollBars) {
    Rig rig;
    const SIZE screen = rig.actual->ScreenSize();
    const struct { int width, height; bool bars; } cases[] = {
        {300, 200, false}, {screen.cx + 500, screen.cy + 400, true}, {screen.cx + 500, 100, true}};
    for (const auto& c : cases) {
        WritePicture(rig.folder, "a.png", c.width, c.height);
        rig.actual->OpenActualSize(rig.folder.File("a.png"));
        ASSERT_TRUE(rig.actual->Visible());
        EXPECT_EQ(Rig::HasBars(rig.actual->Hwnd()), c.bars) << c.width;
        RECT at = rig.actual->Image().PictureRect();
        MapWindowPoints(rig.actual->Image().Hwnd(), rig.actual->Hwnd(), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at.right - at.left, c.width) << "pixel for pixel";
        EXPECT_EQ(at.bottom - at.top, c.height);
        RECT client;
        GetClientRect(rig.actual->Hwnd(), &client);
        // Centred where smaller than the screen, at the top-left corner where larger.
        EXPECT_EQ(at.left, c.width < client.right ? (client.right - c.width) / 2 : 0) << c.width;
        EXPECT_EQ(at.top, c.height < client.bottom ? (client.bottom - c.height) / 2 : 0) << c.width;
        for (int key : {kRight, kDown, VK_NEXT}) rig.Key(*rig.actual, key);  // no key scrolls or leaves
        EXPECT_EQ(rig.actual->ScrollPositions().y, 0);
        EXPECT_TRUE(rig.actual->Visible());
        rig.Key(*rig.actual, kEsc);
        EXPECT_FALSE(rig.actual->Visible());
    }
    EXPECT_EQ(rig.viewer.returnsFromActualSize, 3);
}

TEST(ActualSizeViewTest, APictureThatFailsLeavesTheViewClosed) {
    Rig rig;
    rig.folder.Write("broken.jpg", "\xFF\xD8\xFF garbage");
    EXPECT_ANY_THROW(rig.actual->OpenActualSize(rig.folder.File("broken.jpg")));
    EXPECT_FALSE(rig.actual->Visible());
    EXPECT_TRUE(rig.clock->shown);
}

TEST(FullScreenViewsTest, TheClockHiddenByTheUserStaysHiddenAfterAViewCloses) {
    for (bool browsingView : {false, true}) {
        for (bool hiddenByUser : {false, true}) {
            Rig rig;
            rig.AddPictures(1);
            if (hiddenByUser) rig.clock->Act(rig.clock->model.Apply(ClockEvent::HideClock));
            FullScreenForm& view = browsingView ? static_cast<FullScreenForm&>(*rig.browsing) : *rig.actual;
            if (browsingView)
                rig.browsing->Open();
            else
                rig.actual->OpenActualSize(rig.viewer.paths[0]);
            const std::string what =
                std::string(browsingView ? "browsing" : "actual size") + (hiddenByUser ? ", hidden by the user" : "");
            EXPECT_FALSE(rig.clock->shown) << what;
            if (browsingView)
                rig.Key(view, kEsc);
            else
                rig.Click(view);  // a click on the picture leaves the actual-size view
            EXPECT_FALSE(view.Visible()) << what;
            EXPECT_EQ(rig.clock->shown, !hiddenByUser) << what;
        }
    }
}

}  // namespace
