// The search window in-process over a real temporary tree, with the folder browser replaced:
// the run from reset to completion, the status panels, the details of files of known size,
// attributes and times, the file commands through the fake shell, and the copy dialog.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "search/copy_dialog_win.h"
#include "search/find_lister_win.h"
#include "search/memory_lister.h"
#include "search/progress_dialog_win.h"
#include "search/search_window_win.h"
#include "support/fakes.h"
#include "ui/dpi_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

class FakeBrowser final : public ui::FolderBrowser {
public:
    std::optional<std::string> Browse(HWND, const std::string& title, const std::string& initialFolder) override {
        titles.push_back(title);
        initialFolders.push_back(initialFolder);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> titles;
    std::vector<std::string> initialFolders;
};

ui::FormName NameOf(WindowId id) {
    const WindowEntry& entry = CatalogueEntry(id);
    return {entry.className, entry.caption};
}

void WriteSized(const std::string& path, size_t bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    const std::string content(bytes, 'x');
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

// 9 Dec 2026 14:07:59 local time: the DOS step shows 14:07:58.
void SetTimes(const std::string& path) {
    SYSTEMTIME local{2026, 12, 3, 9, 14, 7, 59, 0};
    FILETIME localTime{};
    FILETIME utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, &utc, nullptr, &utc);
    CloseHandle(file);
}

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        GetFormatSettings().shortDateFormat = "dd.MM.yyyy";
        GetFormatSettings().longTimeFormat = "hh:mm:ss";
        window = std::make_unique<SearchWindow>(NameOf(WindowId::SearchFiles), services.Services(),
                                                SearchWindowSystem{.browser = &browser,
                                                                   .message = [this](const std::string& text) { messages.push_back(text); },
                                                                   .unlimited = false});
        window->CreateForm();
        progress = std::make_unique<ProgressDialog>(NameOf(WindowId::SearchProgress), ProgressDialog::Layout{});
        progress->CreateForm();
        window->SetProgressDialog(progress.get());
        copy = std::make_unique<CopyDialog>(NameOf(WindowId::SearchCopy), kSearchCopyText, services.settings,
                                            CopyDialogSystem{.browser = &browser,
                                                             .message = [this](const std::string& text) { messages.push_back(text); }});
        copy->CreateForm();
        window->SetCopyDialog(copy.get());
        window->Show();
    }
    void TearDown() override {
        copy.reset();
        progress.reset();
        window.reset();
        EXPECT_TRUE(TakeErrorBoxes().empty());
    }
    std::vector<std::string> Results() {
        std::vector<std::string> items;
        for (int i = 0; i < window->Results().Count(); ++i) items.push_back(window->Results().Item(i));
        return items;
    }
    std::vector<std::string> Status() { return {window->StatusText(0), window->StatusText(1), window->StatusText(2)}; }

    FormatSettingsGuard formats;
    FakeServices services;
    FakeBrowser browser;
    std::vector<std::string> messages;
    std::unique_ptr<SearchWindow> window;
    std::unique_ptr<ProgressDialog> progress;
    std::unique_ptr<CopyDialog> copy;
    TempFolder tree;
};

}  // namespace

TEST_F(SearchWindowTest, CustomSearchOfARealTreeFillsListStatusAndDetails) {
    CreateDirectoryA(tree.File("Beta").c_str(), nullptr);
    CreateDirectoryA(tree.File("alpha").c_str(), nullptr);
    CreateDirectoryA(tree.File("alpha\\deep").c_str(), nullptr);
    WriteSized(tree.File("song.mp3"), 1536);
    WriteSized(tree.File("Beta\\b.mp3"), 0);
    WriteSized(tree.File("alpha\\deep\\c.mp3"), 1048575);
    WriteSized(tree.File("alpha\\skip.txt"), 5);
    SetTimes(tree.File("song.mp3"));
    SetFileAttributesA(tree.File("song.mp3").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    browser.answer = tree.Path();

    window->CustomSearch();

    EXPECT_EQ(Results(), (std::vector<std::string>{tree.File("song.mp3"), tree.File("alpha\\deep\\c.mp3"),
                                                   tree.File("Beta\\b.mp3")}));
    EXPECT_EQ(Status(), (std::vector<std::string>{" Folders found - 3", " Files found - 3", "   Search is complete"}));
    EXPECT_EQ(browser.titles, std::vector<std::string>{"Select folder"});
    EXPECT_FALSE(progress->Visible());
    EXPECT_TRUE(IsWindowEnabled(window->Hwnd()));
    EXPECT_TRUE(window->FileButtonsEnabled());
    EXPECT_EQ(window->Results().SelectedIndex(), 0);
    std::array<std::string, 6> texts = window->Details().Texts();
    EXPECT_EQ(texts[1], "Location:  " + tree.Path());
    EXPECT_EQ(texts[2].rfind("Type of file:  ", 0), 0u) << texts[2];
    EXPECT_EQ(texts[3], "Size:  1.5  KB  (1536 bytes)");
    EXPECT_EQ(texts[4], "Created:  09.12.2026,  14:07:58");
    EXPECT_EQ(texts[5], "Modified:  09.12.2026,  14:07:58");
    EXPECT_EQ(texts[0].rfind("File name:  song", 0), 0u) << texts[0];
    const DWORD attributes = GetFileAttributesA(tree.File("song.mp3").c_str());
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(window->Details().Marks(), (std::array<bool, 4>{true, true, false, (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0}));
    EXPECT_EQ(progress->FilesText(), "3");

    // Selecting another item fills the details again; a file that has gone leaves them cleared.
    window->Results().SetSelectedIndex(1);
    SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window->Results().Hwnd()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->Results().Hwnd()));
    EXPECT_EQ(window->Details().Texts()[3], "Size:  1024  KB  (1048575 bytes)");
    DeleteFileA(tree.File("alpha\\deep\\c.mp3").c_str());
    SendMessageA(window->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window->Results().Hwnd()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->Results().Hwnd()));
    EXPECT_EQ(window->Details().Texts(), (std::array<std::string, 6>{"File name: ", "Location: ", "Type of file: ",
                                                                     "Size: ", "Created: ", "Modified: "}));
    SetFileAttributesA(tree.File("song.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);

    // The next browse preselects the folder chosen last.
    browser.answer.reset();
    window->CustomSearch();
    EXPECT_EQ(browser.initialFolders.back(), tree.Path());
    EXPECT_TRUE(Results().empty());
    EXPECT_EQ(Status(), (std::vector<std::string>{"", "", ""}));
    EXPECT_FALSE(window->FileButtonsEnabled());
}

TEST_F(SearchWindowTest, PresetsWithoutSubfoldersAndAnEmptyPattern) {
    CreateDirectoryA(tree.File("sub").c_str(), nullptr);
    WriteSized(tree.File("a.txt"), 1);
    WriteSized(tree.File("b.rtf"), 1);
    WriteSized(tree.File("sub\\c.txt"), 1);
    browser.answer = tree.Path();
    window->SubfoldersBox().SetChecked(false);
    window->PresetSearch("*.txt;*.doc;*.rtf");
    EXPECT_EQ(Results(), (std::vector<std::string>{tree.File("a.txt"), tree.File("b.rtf")}));
    EXPECT_EQ(window->StatusText(0), " Folders found - 0");
    EXPECT_TRUE(messages.empty());

    // An empty pattern lists nothing.
    window->PatternBox().SetText("");
    window->CustomSearch();
    EXPECT_EQ(Status(), (std::vector<std::string>{" Folders found - 0", " Files found - 0", "   Search is complete"}));
    EXPECT_FALSE(window->FileButtonsEnabled());
}

TEST_F(SearchWindowTest, StopFromTheProgressDialogEndsTheRunWithCompletion) {
    for (int i = 0; i < 30; ++i) CreateDirectoryA(tree.File("f" + std::to_string(i)).c_str(), nullptr);
    WriteSized(tree.File("f0\\a.mp3"), 1);
    browser.answer = tree.Path();
    // The first message pumped while the walk runs is a click on "Stop".
    PostMessageA(progress->StopButton(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(progress->StopButton(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    window->CustomSearch();
    EXPECT_TRUE(Results().empty());
    EXPECT_NE(window->StatusText(0), " Folders found - 30");
    EXPECT_EQ(window->StatusText(1), " Files found - 0");
    EXPECT_EQ(window->StatusText(2), "   Search is complete");
    EXPECT_FALSE(progress->Visible());
    EXPECT_FALSE(window->FileButtonsEnabled());
}

TEST_F(SearchWindowTest, OpenCommandsPassTheSelectedPathAndItsFolderToTheShell) {
    WriteSized(tree.File("a.mp3"), 1);
    browser.answer = tree.Path();
    window->CustomSearch();
    window->OpenFile();
    window->OpenContainingFolder();
    ASSERT_EQ(services.shell.calls.size(), 2u);
    EXPECT_EQ(services.shell.calls[0].file, tree.File("a.mp3"));
    EXPECT_EQ(services.shell.calls[1].file, tree.Path());
    for (const ShellCall& call : services.shell.calls) {
        EXPECT_EQ(call.verb, "open");
        EXPECT_TRUE(call.ownerIsApplication);
        EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
    }
}

TEST_F(SearchWindowTest, CopyDialogCopiesOnceRefusesAnExistingNameAndStoresTheFolder) {
    WriteSized(tree.File("a.mp3"), 7);
    CreateDirectoryA(tree.File("target").c_str(), nullptr);
    browser.answer = tree.Path();
    window->SubfoldersBox().SetChecked(false);
    window->CustomSearch();
    EXPECT_EQ(copy->TargetFolder(), "C:\\");

    window->CopyTo();
    EXPECT_FALSE(IsWindowEnabled(window->Hwnd()));
    EXPECT_TRUE(copy->Visible());
    EXPECT_EQ(copy->TargetHint(), "C:\\");
    browser.answer = tree.File("target");
    copy->SelectFolder();
    EXPECT_EQ(services.settings.ReadString("EditTexts", "edit1", ""), tree.File("target"));
    EXPECT_EQ(copy->TargetHint(), tree.File("target"));
    copy->CopySelected();
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(tree.File("target\\a.mp3").c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_FALSE(copy->Visible());
    EXPECT_TRUE(IsWindowEnabled(window->Hwnd()));
    EXPECT_TRUE(messages.empty());

    // The same name again, and a folder of that name: the message, no copy, the dialog stays.
    for (const char* blocker : {"", "folder"}) {
        if (*blocker) {
            DeleteFileA(tree.File("target\\a.mp3").c_str());
            CreateDirectoryA(tree.File("target\\a.mp3").c_str(), nullptr);
        }
        window->CopyTo();
        copy->CopySelected();
        EXPECT_EQ(messages, std::vector<std::string>{"This folder already contains a file named \"a.mp3\""}) << blocker;
        EXPECT_TRUE(copy->Visible());
        EXPECT_FALSE(IsWindowEnabled(window->Hwnd()));
        messages.clear();
        // The close box, and Esc (IDCANCEL from the dialog keys), close it and enable the owner.
        SendMessageA(copy->Hwnd(), *blocker ? WM_CLOSE : WM_COMMAND, *blocker ? 0 : IDCANCEL, 0);
        EXPECT_FALSE(copy->Visible());
        EXPECT_TRUE(IsWindowEnabled(window->Hwnd()));
    }
    RemoveDirectoryA(tree.File("target\\a.mp3").c_str());
}

TEST_F(SearchWindowTest, LayoutOfTheWindowAndItsDialogs) {
    RECT outer{};
    GetWindowRect(window->Hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, ui::Scale(629));
    EXPECT_EQ(outer.bottom - outer.top, ui::Scale(440));
    const LONG_PTR style = GetWindowLongPtrA(window->Hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_EQ(window->PatternBox().Text(), "*.mp3");
    EXPECT_TRUE(window->SubfoldersBox().Checked());
    EXPECT_EQ(window->SubfoldersBox().Text(), " Include subdirectories ");
    EXPECT_FALSE(window->FileButtonsEnabled());
    RECT client{};
    GetClientRect(progress->Hwnd(), &client);
    EXPECT_EQ(client.right, ui::Scale(219));
    EXPECT_EQ(client.bottom, ui::Scale(98));
    GetClientRect(copy->Hwnd(), &client);
    EXPECT_EQ(client.right, ui::Scale(247));
    EXPECT_EQ(client.bottom, ui::Scale(70));
}

TEST_F(SearchWindowTest, NamesOutsideTheCodePageNeitherStopNorCrashTheRun) {
    CreateDirectoryA(tree.File("a").c_str(), nullptr);
    std::wstring wide(tree.Path().begin(), tree.Path().end());
    CreateDirectoryW((wide + L"\\\x4e2d\x6587").c_str(), nullptr);
    HANDLE file = CreateFileW((wide + L"\\\x4e2d\x6587\\\x97f3.mp3").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    WriteSized(tree.File("a\\z.mp3"), 3);
    browser.answer = tree.Path();
    window->CustomSearch();
    // The later folder is still searched; the unspellable name is listed as the code page spells it.
    const std::vector<std::string> found = Results();
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), tree.File("a\\z.mp3"));
    EXPECT_EQ(window->StatusText(0), " Folders found - 2");
    EXPECT_TRUE(messages.empty());
    DeleteFileW((wide + L"\\\x4e2d\x6587\\\x97f3.mp3").c_str());
    RemoveDirectoryW((wide + L"\\\x4e2d\x6587").c_str());
}

TEST(FindFileLister, TellsFoldersApartAndKnowsOneFolderByAnyPath) {
    TempFolder tree;
    CreateDirectoryA(tree.File("one").c_str(), nullptr);
    CreateDirectoryA(tree.File("two").c_str(), nullptr);
    FindFileLister lister;
    const std::optional<FolderIdentity> one = lister.Identify(tree.File("one"));
    ASSERT_TRUE(one.has_value());
    EXPECT_NE(one, lister.Identify(tree.File("two")));
    EXPECT_EQ(one, lister.Identify(tree.File("ONE")));
    EXPECT_EQ(one, lister.Identify(tree.File("two\\..\\one")));
    EXPECT_FALSE(lister.Identify(tree.File("gone")).has_value());
    EXPECT_TRUE(lister.Less(tree.File("Alpha"), tree.File("beta")));
    EXPECT_FALSE(lister.Less(tree.File("beta"), tree.File("Alpha")));
}

TEST_F(SearchWindowTest, ALinkBackToTheChosenFolderDoesNotMakeTheWalkGoRound) {
    CreateDirectoryA(tree.File("a").c_str(), nullptr);
    WriteSized(tree.File("a\\x.mp3"), 1);
    if (!CreateSymbolicLinkA(tree.File("a\\loop").c_str(), tree.Path().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no symbolic links to folders here";
    browser.answer = tree.Path();
    window->CustomSearch();
    EXPECT_EQ(Results(), std::vector<std::string>{tree.File("a\\x.mp3")});
    EXPECT_EQ(window->StatusText(0), " Folders found - 1");
    RemoveDirectoryA(tree.File("a\\loop").c_str());
}

TEST(SearchWindowLimit, OverflowStopsAtTheLimitAndSaysSoOnceCompleted) {
    EnsureApplication();
    MemoryTree many("C:\\Many");
    for (int i = 0; i < kSearchResultLimit + 5; ++i) many.AddFile(MemoryTree::kRoot, std::to_string(i) + ".mp3");
    FakeServices services;
    FakeBrowser browser;
    browser.answer = "C:\\Many";
    std::vector<std::string> messages;
    SearchWindow window(NameOf(WindowId::SearchFiles), services.Services(),
                        SearchWindowSystem{.browser = &browser, .lister = &many,
                                           .message = [&](const std::string& text) {
                                               messages.push_back(text);
                                               // The message comes after completion.
                                               EXPECT_EQ(window.StatusText(2), "   Search is complete");
                                           },
                                           .unlimited = false});
    window.CreateForm();
    ProgressDialog progress(NameOf(WindowId::SearchProgress), ProgressDialog::Layout{});
    progress.CreateForm();
    window.SetProgressDialog(&progress);
    window.CustomSearch();
    EXPECT_EQ(window.Results().Count(), kSearchResultLimit);
    EXPECT_EQ(progress.FilesText(), "32736");
    EXPECT_EQ(window.StatusText(1), " Files found - 32736");
    EXPECT_EQ(messages, std::vector<std::string>{"over 32736"});
    EXPECT_TRUE(TakeErrorBoxes().empty());
}

TEST_F(SearchWindowTest, SplitterDragAndResizeKeepListSplitterAndDetailsSideBySide) {
    auto boxOf = [&](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window->Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    HWND list = window->Results().Hwnd();
    HWND details = window->Details().Hwnd();
    EXPECT_EQ(boxOf(list).right - boxOf(list).left, ui::Scale(403));
    HWND splitter = FindWindowExA(window->Hwnd(), nullptr, "TikoraSplitter", nullptr);
    ASSERT_TRUE(splitter);
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(1 - ui::Scale(100), 10));
    EXPECT_EQ(boxOf(list).right, ui::Scale(303));
    EXPECT_EQ(boxOf(splitter).left, ui::Scale(303));
    EXPECT_EQ(boxOf(details).left, ui::Scale(307));

    SetWindowPos(window->Hwnd(), nullptr, 0, 0, ui::Scale(800), ui::Scale(600), SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window->Hwnd(), &client);
    RECT status{};
    GetWindowRect(FindWindowExA(window->Hwnd(), nullptr, STATUSCLASSNAMEA, nullptr), &status);
    EXPECT_EQ(boxOf(details).right, client.right);
    EXPECT_EQ(boxOf(list).bottom, client.bottom - (status.bottom - status.top));
    EXPECT_EQ(boxOf(list).right, ui::Scale(303));
}
