// The picture viewer in-process over real temporary folders, with the folder browser replaced:
// what "Add folder" adds and selects, what a picture shows (dimensions, status, placeholder),
// the list's width and focus rules, and the full-screen buttons through a stand-in for the views.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/memory_lister.h"
#include "search/progress_dialog_win.h"
#include "support/fakes.h"
#include "support/picture_samples.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "viewer/picture_viewer_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

class FakeBrowser final : public ui::FolderBrowser {
public:
    std::optional<std::string> Browse(HWND, const std::string&, const std::string& initialFolder) override {
        initialFolders.push_back(initialFolder);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> initialFolders;
};

// The full-screen views as the viewer sees them: what was asked of them.
class FakeViews final : public ui::Form, public FullScreenViews {
public:
    FakeViews() : ui::Form(ui::FormSpec{.className = "FakeViews", .caption = ""}) {}
    ~FakeViews() override { Destroy(); }
    void OpenActualSize(const std::string& path) override { actualSize.push_back(path); }
    void OpenBrowsing() override { ++browsing; }
    std::vector<std::string> actualSize;
    int browsing = 0;
};

ui::FormName NameOf(WindowId id) {
    const WindowEntry& entry = CatalogueEntry(id);
    return {entry.className, entry.caption};
}

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

class PictureViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        views.CreateForm();
        PictureViewerSystem system{.browser = &browser,
                                   .message = [this](const std::string& text) { messages.push_back(text); },
                                   .unlimited = false,
                                   .windows = [this](WindowId id) -> ui::Form* {
                                       if (id == WindowId::ViewerSettings) return settings.get();
                                       return id == WindowId::ActualSizeView ? &views : nullptr;
                                   }};
        viewer = std::make_unique<PictureViewer>(NameOf(WindowId::PictureViewer), services.Services(), std::move(system));
        viewer->CreateForm();
        ui::Application::Instance().SetPictureErrorHook([this] { viewer->RevealPlaceholder(); });
        viewer->Show();
        browser.answer = tree.Path();
    }
    void TearDown() override {
        ui::Application::Instance().SetPictureErrorHook(nullptr);
        viewer.reset();
        settings.reset();
        EXPECT_TRUE(TakeErrorBoxes().empty());
    }
    std::vector<std::string> Items() {
        std::vector<std::string> items;
        for (int i = 0; i < viewer->List().Count(); ++i) items.push_back(viewer->List().Item(i));
        return items;
    }
    // A click on a list item: the selection changes and the list tells its window, whose
    // handler's errors end in the application error handler.
    void Click(int index) {
        viewer->List().SetSelectedIndex(index);
        SendMessageA(viewer->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(viewer->List().Hwnd()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(viewer->List().Hwnd()));
    }

    FakeServices services;
    FakeBrowser browser;
    FakeViews views;
    std::vector<std::string> messages;
    std::unique_ptr<ViewerSettingsDialog> settings;
    TempFolder tree;
    std::unique_ptr<PictureViewer> viewer;
};

}  // namespace

TEST_F(PictureViewerTest, AddFolderSelectsThePictureAndShowsItsDimensions) {
    tree.Write("photo.png", AsString(EncodePng(Gradient(800, 600))));
    viewer->AddFolder();
    ASSERT_EQ(Items(), std::vector<std::string>{tree.File("photo.png")});
    EXPECT_EQ(viewer->List().SelectedIndex(), 0);
    EXPECT_EQ(viewer->DimensionsShown(), "800 x 600");
    EXPECT_EQ(viewer->StatusText(), " " + tree.File("photo.png"));
    EXPECT_EQ(viewer->TotalText(), " Total files - 1");
    EXPECT_TRUE(viewer->Preview().Visible());
    EXPECT_TRUE(viewer->PictureButtonsEnabled());

    viewer->OpenContainingFolder();
    ASSERT_EQ(services.shell.calls.size(), 1u);
    EXPECT_EQ(services.shell.calls[0].verb, "open");
    EXPECT_EQ(services.shell.calls[0].file, tree.Path());
    EXPECT_EQ(services.shell.calls[0].showCommand, SW_SHOWNORMAL);

    // A larger pane gets the picture decoded again to fill it (the pane never enlarges).
    const RECT small = viewer->Preview().PictureRect();
    SetWindowPos(viewer->Hwnd(), nullptr, 0, 0, 1100, 900, SWP_NOMOVE | SWP_NOZORDER);
    const RECT large = viewer->Preview().PictureRect();
    EXPECT_GT(large.right - large.left, small.right - small.left);
    EXPECT_LE(large.right - large.left, 800);

    // The second run jumps to item 0 of the whole list and starts its browse at the last folder.
    Click(0);
    viewer->AddFolder();
    EXPECT_EQ(Items(), (std::vector<std::string>{tree.File("photo.png"), tree.File("photo.png")}));
    EXPECT_EQ(viewer->TotalText(), " Total files - 2");
    EXPECT_EQ(browser.initialFolders.back(), tree.Path());

    viewer->ClearList();
    EXPECT_EQ(viewer->List().Count(), 0);
    EXPECT_EQ(viewer->TotalText(), " Total files - 0");
    EXPECT_EQ(viewer->DimensionsShown(), "");
    EXPECT_EQ(viewer->StatusText(), "");
    EXPECT_FALSE(viewer->Preview().Visible());
    EXPECT_FALSE(viewer->PictureButtonsEnabled());
}

TEST_F(PictureViewerTest, APictureThatFailsKeepsThePreviousPath) {
    Bytes broken = EncodeJpeg(Gradient(64, 48));
    broken.resize(broken.size() / 3);
    std::fill(broken.begin() + 200, broken.end(), uint8_t{0x5A});
    tree.Write("a.png", AsString(EncodePng(Gradient(30, 20))));
    tree.Write("b.jpg", AsString(broken));
    tree.Write("c.jpg", AsString(EncodeJpeg(Gradient(10, 10))));
    viewer->AddFolder();
    ASSERT_EQ(viewer->List().Count(), 3);
    ASSERT_EQ(viewer->List().Item(2), tree.File("c.jpg"));
    DeleteFileA(tree.File("c.jpg").c_str());

    struct Case {
        int index;
        bool placeholder;
        bool errorBox;
    };
    const Case cases[] = {
        {1, true, false},   // undecodable: the placeholder, no box
        {2, false, true},   // unreadable: the error box, no placeholder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Click(0);
        ASSERT_EQ(viewer->DimensionsShown(), "30 x 20");
        Click(c.index);
        EXPECT_EQ(viewer->PlaceholderVisible(), c.placeholder);
        EXPECT_EQ(viewer->DimensionsShown(), "");
        EXPECT_FALSE(viewer->Preview().Visible());
        EXPECT_EQ(viewer->StatusText(), " " + tree.File("a.png"));
        EXPECT_EQ(viewer->CurrentIndex(), c.index);
        const std::vector<std::string> boxes = TakeErrorBoxes();
        ASSERT_EQ(boxes.size(), c.errorBox ? 1u : 0u);
        if (c.errorBox) {
            EXPECT_NE(boxes[0].find("Cannot open file"), std::string::npos) << boxes[0];
        }
    }

    // "Actual size" is blocked by the placeholder, "View" is not.
    Click(1);
    ASSERT_TRUE(viewer->PlaceholderVisible());
    viewer->ActualSize();
    EXPECT_TRUE(views.actualSize.empty());
    viewer->View();
    EXPECT_EQ(views.browsing, 1);
    EXPECT_FALSE(IsWindowVisible(viewer->Hwnd()));

    // Back from browsing at a good picture: the viewer shows it, placeholder gone.
    viewer->ShowForReturn();
    viewer->ReturnFromBrowsing(0);
    EXPECT_TRUE(IsWindowVisible(viewer->Hwnd()));
    EXPECT_FALSE(viewer->PlaceholderVisible());
    EXPECT_EQ(viewer->DimensionsShown(), "30 x 20");
    viewer->ActualSize();
    EXPECT_EQ(views.actualSize, std::vector<std::string>{tree.File("a.png")});
}

TEST_F(PictureViewerTest, TheFilterChoosesThePatternsInItsOrder) {
    for (const char* name : {"e.ico", "g.wmf", "f.emf", "d.bmp", "c.jpg", "b.gif", "a.png", "h.txt"})
        tree.Write(name, "not a picture");
    struct Case {
        int filter;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {0, {"a.png", "b.gif", "c.jpg", "d.bmp", "f.emf", "g.wmf"}},  // "All": never the icon
        {5, {"e.ico"}},
        {7, {"g.wmf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        viewer->ClearList();
        viewer->Filter().SetSelectedIndex(c.filter);
        viewer->AddFolder();
        std::vector<std::string> expected;
        for (const std::string& name : c.names) expected.push_back(tree.File(name));
        EXPECT_EQ(Items(), expected);
    }
    EXPECT_EQ(viewer->Filter().Count(), 8);
    EXPECT_EQ(viewer->Filter().Item(6), " Enhanced Metsfiles (*.emf)");
}

TEST_F(PictureViewerTest, ARunThatAddsNothingChangesNothing) {
    tree.Write("a.png", AsString(EncodePng(Gradient(30, 20))));
    viewer->AddFolder();
    CreateDirectoryA(tree.File("empty").c_str(), nullptr);
    browser.answer = tree.File("empty");
    viewer->AddFolder();
    browser.answer.reset();
    viewer->AddFolder();
    EXPECT_EQ(viewer->List().Count(), 1);
    EXPECT_EQ(viewer->DimensionsShown(), "30 x 20");
    EXPECT_EQ(viewer->TotalText(), " Total files - 1");
    EXPECT_TRUE(viewer->PictureButtonsEnabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(PictureViewerTest, ShowHideListTwiceGivesTheDesignWidth) {
    EXPECT_EQ(viewer->ListWidth(), ui::Scale(218));
    viewer->MoveSplitter(ui::Scale(300));
    EXPECT_EQ(viewer->ListWidth(), ui::Scale(300));
    viewer->ShowHideList();
    EXPECT_EQ(viewer->ListWidth(), 0);
    viewer->ShowHideList();
    EXPECT_EQ(viewer->ListWidth(), ui::Scale(218));
}

TEST_F(PictureViewerTest, TheToolBarsPanelHasARaisedOuterBevel) {
    HWND panel = GetParent(viewer->ToolBarHandle());
    UpdateWindow(panel);
    RECT r{};
    GetClientRect(panel, &r);
    HDC dc = GetDC(panel);
    const COLORREF bottom = GetPixel(dc, r.right / 2, r.bottom - 1);
    const COLORREF right = GetPixel(dc, r.right - 1, r.bottom / 2);
    ReleaseDC(panel, dc);
    // The raised edge's shadow along the bottom and the right, not the panel's face.
    EXPECT_NE(bottom, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(right, bottom);
    RECT bar{};
    GetWindowRect(viewer->ToolBarHandle(), &bar);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, ui::Scale(1)) << "the tool bar inside the bevel";
    EXPECT_EQ(bar.top, ui::Scale(1));
}

TEST_F(PictureViewerTest, OnlyTwoOrMorePicturesTakeTheFocus) {
    struct Case {
        int pictures;
        bool listFocused;
    };
    for (const Case c : {Case{1, false}, Case{2, true}}) {
        SCOPED_TRACE(c.pictures);
        TempFolder folder;
        for (int i = 0; i < c.pictures; ++i) folder.Write("p" + std::to_string(i) + ".png", AsString(EncodePng(Gradient(8, 8))));
        browser.answer = folder.Path();
        viewer->ClearList();
        SetForegroundWindow(viewer->Hwnd());
        viewer->SetFocusControl(viewer->Filter().Hwnd());
        ASSERT_TRUE(WaitFor([&] { return GetFocus() == viewer->Filter().Hwnd(); }));
        viewer->AddFolder();
        PumpMessages();
        EXPECT_EQ(GetFocus() == viewer->List().Hwnd(), c.listFocused);
    }
}

TEST_F(PictureViewerTest, SubfoldersFollowTheSettingsDialogsLiveBox) {
    CreateDirectoryA(tree.File("inner").c_str(), nullptr);
    tree.Write("top.png", "x");
    tree.Write("inner\\deep.png", "x");
    viewer->AddFolder();  // no settings dialog: subfolders included
    EXPECT_EQ(viewer->List().Count(), 2);

    settings = std::make_unique<ViewerSettingsDialog>(NameOf(WindowId::ViewerSettings), services.settings);
    settings->CreateForm();
    viewer->OpenSettings();
    EXPECT_TRUE(settings->Visible());
    EXPECT_FALSE(IsWindowEnabled(viewer->Hwnd()));
    HWND include = FindWindowExA(settings->Hwnd(), nullptr, "Button", " Include subdirectories ");
    for (HWND group = GetWindow(settings->Hwnd(), GW_CHILD); group && !include; group = GetWindow(group, GW_HWNDNEXT))
        include = FindWindowExA(group, nullptr, "Button", " Include subdirectories ");
    ASSERT_NE(include, nullptr);
    SendMessageA(include, BM_CLICK, 0, 0);  // unticked: acts at once, before "OK"
    SendMessageA(settings->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(viewer->Hwnd()));

    viewer->ClearList();
    viewer->AddFolder();
    EXPECT_EQ(Items(), std::vector<std::string>{tree.File("top.png")});
}

TEST(PictureViewerLimit, TheLimitCountsPicturesAddedBefore) {
    EnsureApplication();
    MemoryTree many("C:\\Many");
    const int half = kSearchResultLimit / 2 + 10;
    for (int i = 0; i < half; ++i) many.AddFile(MemoryTree::kRoot, std::to_string(i) + ".png");
    FakeServices services;
    FakeBrowser browser;
    browser.answer = "C:\\Many";
    std::vector<std::string> messages;
    PictureViewer viewer(NameOf(WindowId::PictureViewer), services.Services(),
                         {.browser = &browser,
                          .lister = &many,
                          .message = [&](const std::string& text) { messages.push_back(text); },
                          .unlimited = false});
    viewer.CreateForm();
    ProgressDialog progress(NameOf(WindowId::ViewerProgress), ProgressDialog::Layout{116, 105});
    progress.CreateForm();
    viewer.SetProgressDialog(&progress);
    viewer.AddFolder();
    EXPECT_EQ(viewer.List().Count(), half);
    EXPECT_TRUE(messages.empty());
    viewer.AddFolder();
    EXPECT_EQ(viewer.List().Count(), kSearchResultLimit);
    EXPECT_EQ(progress.FilesText(), "32736");
    EXPECT_EQ(viewer.TotalText(), " Total files - 32736");
    EXPECT_EQ(messages, std::vector<std::string>{"Over 32736"});
    EXPECT_FALSE(progress.Visible());
    // The files exist only in memory: each run's first picture cannot be opened, and the error
    // box does not keep the run from its last steps.
    const std::vector<std::string> boxes = TakeErrorBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].find("Cannot open file"), std::string::npos) << boxes[1];
    EXPECT_EQ(viewer.List().SelectedIndex(), 0);
}
