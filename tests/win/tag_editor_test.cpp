// The tag editor in-process with a stand-in folder chooser over real files: the sharing modes of
// the tag routines, listing a folder, showing a tag, "  Update", "  Delete tag", re-selecting, a
// cancelled chooser, and files another process holds.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"
#include "tags/genre_table.h"
#include "tags/tag_editor_win.h"
#include "ui/dpi_win.h"
#include "win/support/form_probe.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

std::string Block(const TagFields& fields) {
    const TagBlock block = EncodeTagBlock(fields);
    return std::string(block.begin(), block.end());
}

const std::string kAudio(300, 'a');

// Holds a file open as another program would, until destroyed.
class Holder {
public:
    Holder(const std::string& path, DWORD access, DWORD sharing)
        : file_(CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Holder() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;
    bool Held() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE file_;
};

TEST(TagFileSharing, EachRoutineOpensWithItsSharingMode) {
    struct Case {
        const char* what;
        DWORD access;
        DWORD sharing;
        bool read, write, truncate;
    };
    const Case cases[] = {
        {"held exclusively", GENERIC_READ | GENERIC_WRITE, 0, false, false, false},
        {"held for reading, others may read", GENERIC_READ, FILE_SHARE_READ, true, false, false},
        {"held for reading, others may write", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true, false, true},
        {"held for writing, others may read and write", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false,
         false, false},
    };
    WinTagFileSystem files;
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string before = kAudio + Block({.songName = "Held"});
        folder.Write("a.mp3", before);
        const std::string path = folder.File("a.mp3");
        {
            Holder holder(path, c.access, c.sharing);
            ASSERT_TRUE(holder.Held()) << c.what;
            TagBlock block{};
            EXPECT_EQ(ReadTagBlock(files, path, block), c.read) << c.what;
            EXPECT_EQ(WriteTagBlock(files, path, EncodeTagBlock({.songName = "New"})), c.write) << c.what;
            bool truncated = true;
            try {
                TruncateTagBlock(files, path);
            } catch (const AppError& error) {
                truncated = false;
                EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u) << error.what();
            }
            EXPECT_EQ(truncated, c.truncate) << c.what;
        }
        EXPECT_EQ(folder.Read("a.mp3"), c.truncate ? kAudio : before) << c.what;
    }
}

class FakeFolderBrowser final : public ui::FolderBrowser {
public:
    std::optional<std::string> Browse(HWND, const std::string& title, const std::string&) override {
        titles.push_back(title);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> titles;
};

std::string Text(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

class TagEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        TakeErrorBoxes();
        const WindowEntry& entry = CatalogueEntry(WindowId::TagEditor);
        editor_ = std::make_unique<TagEditor>(ui::FormName{entry.className, entry.caption},
                                              TagEditorSystem{.folderBrowser = &browser_});
        editor_->CreateForm();
        editor_->Show();
        browser_.answer = folder_.Path();
    }
    void TearDown() override {
        editor_.reset();
        TakeErrorBoxes();
    }

    // The control of this class whose rectangle holds the point, in 96-DPI pixels of the form.
    HWND At(int x, int y, const char* className) const {
        struct Search {
            HWND form;
            POINT point;
            const char* className;
            HWND found = nullptr;
        } search{editor_->Hwnd(), {ui::Scale(x), ui::Scale(y)}, className};
        EnumChildWindows(
            editor_->Hwnd(),
            [](HWND hwnd, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                char cls[64] = {};
                GetClassNameA(hwnd, cls, sizeof cls);
                RECT r{};
                GetWindowRect(hwnd, &r);
                MapWindowPoints(nullptr, s->form, reinterpret_cast<POINT*>(&r), 2);
                if (lstrcmpiA(cls, s->className) == 0 && IsWindowVisible(hwnd) && PtInRect(&r, s->point)) {
                    s->found = hwnd;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    HWND Title() const { return At(20, 80, "Edit"); }
    HWND Artist() const { return At(20, 130, "Edit"); }
    HWND Comment() const { return At(20, 280, "Edit"); }
    HWND Track() const { return At(82, 230, "Edit"); }
    HWND Genre() const { return At(140, 230, "ComboBox"); }
    HWND Path() const { return At(20, 360, "Edit"); }
    HWND Files() const { return At(300, 20, "ListBox"); }

    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        const int count = static_cast<int>(SendMessageA(Files(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[MAX_PATH] = {};
            SendMessageA(Files(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
        return names;
    }
    std::string GenreShown() const {
        const int selected = static_cast<int>(SendMessageA(Genre(), CB_GETCURSEL, 0, 0));
        if (selected < 0) return "(none)";
        char name[64] = {};
        SendMessageA(Genre(), CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name));
        return name;
    }
    // As a click or an arrow key in the list does.
    void Select(const std::string& name) {
        const LRESULT index = SendMessageA(Files(), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_GE(index, 0) << name;
        SendMessageA(Files(), LB_SETCURSEL, index, 0);
        SendMessageA(editor_->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Files()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Files()));
    }

    TempFolder folder_;
    FakeFolderBrowser browser_;
    std::unique_ptr<TagEditor> editor_;
};

TEST_F(TagEditorTest, ListsTheMp3FilesSortedAndShowsTheFirst) {
    for (const char* name : {"b.mp3", "D.mp3", "\xC4pfel.mp3", "A.mp3", "c.MP3", "notes.txt"})
        folder_.Write(name, kAudio + Block({.songName = std::string("Song ") + name, .genre = 12, .albumTrack = 4}));
    editor_->ChooseFolder();
    EXPECT_EQ(browser_.titles, std::vector<std::string>{"Open folder with MP3 files (*.mp3)"});
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"A.mp3", "\xC4pfel.mp3", "b.mp3", "c.MP3", "D.mp3"}));
    EXPECT_EQ(Text(Path()), folder_.File("A.mp3"));
    EXPECT_EQ(Text(Title()), "Song A.mp3");
    EXPECT_EQ(Text(Track()), "4");
    EXPECT_EQ(GenreShown(), "Other");
    EXPECT_EQ(GetFocus(), Files());

    // A folder that comes with its "\" gives the same paths.
    browser_.answer = folder_.Path() + "\\";
    editor_->ChooseFolder();
    Select("b.mp3");
    EXPECT_EQ(Text(Path()), folder_.File("b.mp3"));
    EXPECT_EQ(editor_->Tag().FileName(), folder_.File("b.mp3"));
}

TEST_F(TagEditorTest, GenreListIsTheEmptyEntryThenTheSortedNames) {
    const auto expected = GenreTable::Shared().FillGenreList();
    ASSERT_EQ(SendMessageA(Genre(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        char name[64] = {};
        SendMessageA(Genre(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(name, expected[i].first) << i;
        EXPECT_EQ(SendMessageA(Genre(), CB_GETITEMDATA, i, 0), expected[i].second) << name;
    }
}

TEST_F(TagEditorTest, TabOrderAndLengthLimitsOfTheFields) {
    // Tab walks the panel in its designed order: artist, title, track, comment, year, genre, album.
    const std::vector<HWND> order = {Artist(), Title(), Track(), Comment(), At(20, 230, "Edit"), Genre(),
                                     At(20, 180, "Edit")};
    for (size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_EQ(GetNextDlgTabItem(editor_->Hwnd(), order[i], FALSE), order[i + 1]) << i;
    const std::pair<HWND, LRESULT> limits[] = {{Title(), 30}, {Artist(), 30}, {At(20, 180, "Edit"), 30},
                                               {At(20, 230, "Edit"), 4}, {Comment(), 30}};
    for (const auto& [box, limit] : limits) EXPECT_EQ(SendMessageA(box, EM_GETLIMITTEXT, 0, 0), limit);
    EXPECT_TRUE(GetWindowLongA(Path(), GWL_STYLE) & ES_READONLY);

    // The track is a number: typed letters do not come in.
    SetWindowTextA(Track(), "");
    for (char c : std::string("12x")) SendMessageA(Track(), WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(Text(Track()), "12");

    // The three buttons are flat.
    for (const char* caption : {"  Open folder with MP3 files ( *.mp3 )", "  Delete tag", "  Update"}) {
        HWND button = FindControl(editor_->Hwnd(), "Button", caption);
        ASSERT_TRUE(button) << caption;
        EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & BS_FLAT) << caption;
    }
}

TEST_F(TagEditorTest, UpdateAndDeleteTag) {
    const std::string own = kAudio + Block({"Title", "Artist", "Album", "1999", "Comment", 12, 7});
    struct Case {
        const char* what;
        std::string before;
        void (TagEditor::*action)();
        std::string after;
        const char* genreShown;
    };
    const Case cases[] = {
        {"update rewrites our own block byte for byte", own, &TagEditor::UpdateTag, own, "Other"},
        {"genre 200 shows none and is stored as 255", kAudio + Block({.songName = "X", .genre = 200}),
         &TagEditor::UpdateTag, kAudio + Block({.songName = "X", .genre = 255}), "(none)"},
        {"delete keeps the size of a tagged file", own, &TagEditor::DeleteTag, kAudio + Block({}), ""},
        {"delete grows an untagged file by 128", kAudio, &TagEditor::DeleteTag, kAudio + Block({}), ""},
    };
    int folders = 0;
    for (const Case& c : cases) {
        // A folder of its own: a path the component holds already is not read again.
        const std::string name = "case" + std::to_string(++folders);
        CreateDirectoryA(folder_.File(name).c_str(), nullptr);
        browser_.answer = folder_.File(name);
        folder_.Write(name + "\\a.mp3", c.before);
        editor_->ChooseFolder();
        (editor_.get()->*c.action)();
        EXPECT_EQ(folder_.Read(name + "\\a.mp3"), c.after) << c.what;
        if (c.action == &TagEditor::DeleteTag) {
            EXPECT_EQ(Text(Title()), "") << c.what;
            EXPECT_EQ(Text(Track()), "0") << c.what;
        }
        EXPECT_EQ(GenreShown(), c.genreShown) << c.what;
    }
}

TEST_F(TagEditorTest, FieldsReachTheFileOnlyThroughUpdate) {
    folder_.Write("a.mp3", kAudio + Block({.songName = "Loaded", .albumTrack = 2}));
    folder_.Write("b.mp3", kAudio);
    editor_->ChooseFolder();
    SetWindowTextA(Title(), "Edited");
    SetWindowTextA(Track(), "999");
    Select("a.mp3");  // the same file again: the values of the last load come back
    EXPECT_EQ(Text(Title()), "Loaded");
    EXPECT_EQ(Text(Track()), "2");

    SetWindowTextA(Title(), "Saved");
    SetWindowTextA(Artist(), std::string(30, 'r').c_str());
    SetWindowTextA(Track(), "999");  // typed past the spin's range
    SendMessageA(Genre(), CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>("Rock"));
    editor_->UpdateTag();
    EXPECT_EQ(folder_.Read("a.mp3"),
              kAudio + Block({.songName = "Saved", .artist = std::string(30, 'r'), .genre = 17, .albumTrack = 255}));
    Select("b.mp3");
    EXPECT_EQ(Text(Title()), "");
    EXPECT_EQ(folder_.Read("b.mp3"), kAudio);
}

TEST_F(TagEditorTest, ACancelledChooserLeavesNothingToWrite) {
    folder_.Write("a.mp3", kAudio);
    editor_->ChooseFolder();
    browser_.answer.reset();
    editor_->ChooseFolder();
    EXPECT_TRUE(FileNames().empty());
    EXPECT_EQ(Text(Path()), "");
    editor_->UpdateTag();
    editor_->DeleteTag();
    EXPECT_EQ(folder_.Read("a.mp3"), kAudio);
}

TEST_F(TagEditorTest, AFileHeldByAnotherProgram) {
    const std::string before = kAudio + Block({.songName = "Locked"});
    folder_.Write("a.mp3", before);
    {
        Holder holder(folder_.File("a.mp3"), GENERIC_READ | GENERIC_WRITE, 0);
        ASSERT_TRUE(holder.Held());
        editor_->ChooseFolder();
        EXPECT_EQ(Text(Title()), "");  // reads as untagged
        SetWindowTextA(Title(), "Lost");
        editor_->UpdateTag();
        EXPECT_TRUE(TakeErrorBoxes().empty());  // says nothing
        // "  Delete tag" ends with the open error in the error box; the fields keep their values.
        HWND deleteButton = At(70, 320, "Button");
        ASSERT_EQ(Text(deleteButton), "  Delete tag");
        SendMessageA(deleteButton, BM_CLICK, 0, 0);
        const std::vector<std::string> boxes = TakeErrorBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rfind("Cannot open file \"" + folder_.File("a.mp3") + "\". ", 0), 0u) << boxes[0];
        EXPECT_EQ(Text(Title()), "Lost");
    }
    EXPECT_EQ(folder_.Read("a.mp3"), before);
}

}  // namespace
