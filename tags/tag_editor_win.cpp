// The tag editor's layout, choosing a folder, loading the selected file, "  Update" and
// "  Delete tag".
#include "tags/tag_editor_win.h"

#include <algorithm>
#include <cstdlib>

#include "tags/genre_table.h"
#include "tags/tag_pictures.h"
#include "ui/bitmap_win.h"
#include "ui/text_fit_win.h"

namespace tikora {

namespace {

// The panel's top left corner; the tag fields are laid out relative to it.
constexpr int kPanelX = 5;
constexpr int kPanelY = 43;

constexpr ui::Bounds InPanel(int x, int y, int width, int height) {
    return {kPanelX + x, kPanelY + y, width, height};
}

// Labels are as wide as their text may need in any dialog font; nothing lies to their right.
constexpr int kLabelHeight = 13;

ui::FormSpec TagEditorSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Single, 514, 376);
}

// The folder browser may move the current directory, against which the program resolves its
// relative paths.
class CurrentDirectoryKept {
public:
    CurrentDirectoryKept() {
        char buffer[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        if (length > 0 && length < sizeof buffer) path_.assign(buffer, length);
    }
    ~CurrentDirectoryKept() {
        if (!path_.empty()) SetCurrentDirectoryA(path_.c_str());
    }
    CurrentDirectoryKept(const CurrentDirectoryKept&) = delete;
    CurrentDirectoryKept& operator=(const CurrentDirectoryKept&) = delete;

private:
    std::string path_;
};

uint32_t ButtonFaceColour() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return Rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

}  // namespace

std::vector<std::string> FindMp3Names(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*.mp3").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

TagEditor::TagEditor(ui::FormName name, TagEditorSystem system)
    : ui::Form(TagEditorSpec(name)),
      system_(system),
      tag_(system_.files ? *system_.files : systemFiles_),
      icon_(ui::MakeIcon(TagEditorIconPicture(), kTagPictureBackground)),
      folderPicture_(ui::MakeBitmap(FolderPicture(ButtonFaceColour()))),
      deletePicture_(ui::MakeBitmap(DeletePicture(ButtonFaceColour()))),
      updatePicture_(ui::MakeBitmap(UpdatePicture(ButtonFaceColour()))) {
    if (!system_.folderBrowser) system_.folderBrowser = &systemFolderBrowser_;
}

TagEditor::~TagEditor() { Destroy(); }

void TagEditor::OnCreate() {
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));

    openButton_.Create(Hwnd(), {.at = {5, 9, 266, 25}, .text = "  Open folder with MP3 files ( *.mp3 )",
                                 .pictureBesideText = folderPicture_.get(), .flat = true});
    panel_.Create(Hwnd(), {.at = {kPanelX, kPanelY, 267, 300}, .outer = ui::Panel::Bevel::Lowered,
                           .inner = ui::Panel::Bevel::Raised});
    HWND panel = panel_.Hwnd();
    titleLabel_.Create(panel, {.at = ui::GrowToText(InPanel(10, 10, 26, kLabelHeight), nullptr, "Title:"), .text = "Title:"});
    titleBox_.Create(panel, {.at = InPanel(10, 28, 245, 21), .maxLength = 30});
    artistLabel_.Create(panel, {.at = ui::GrowToText(InPanel(11, 60, 33, kLabelHeight), nullptr, "Artist:"), .text = "Artist:"});
    artistBox_.Create(panel, {.at = InPanel(10, 78, 245, 21), .maxLength = 30});
    albumLabel_.Create(panel, {.at = ui::GrowToText(InPanel(10, 110, 32, kLabelHeight), nullptr, "Album:"), .text = "Album:"});
    albumBox_.Create(panel, {.at = InPanel(10, 128, 245, 21), .maxLength = 30});
    yearLabel_.Create(panel, {.at = ui::GrowToText(InPanel(10, 160, 25, kLabelHeight), nullptr, "Year:"), .text = "Year:"});
    yearBox_.Create(panel, {.at = InPanel(10, 178, 49, 21), .maxLength = 4});
    trackLabel_.Create(panel, {.at = ui::GrowToText(InPanel(76, 160, 31, kLabelHeight), nullptr, "Track:"), .text = "Track:"});
    trackBox_.Create(panel, {.at = InPanel(75, 178, 41, 21), .text = "0", .maxLength = 3, .digitsOnly = true});
    trackSpin_.Create(panel, {.at = InPanel(100, 178, 16, 21), .minimum = 0, .maximum = 255,
                              .buddy = trackBox_.Hwnd()});
    genreLabel_.Create(panel, {.at = ui::GrowToText(InPanel(130, 160, 33, kLabelHeight), nullptr, "Genre:"), .text = "Genre:"});
    genreBox_.Create(panel, {.at = InPanel(131, 178, 125, 300), .sorted = true});
    commentLabel_.Create(panel, {.at = ui::GrowToText(InPanel(10, 210, 47, kLabelHeight), nullptr, "Comment:"), .text = "Comment:"});
    commentBox_.Create(panel, {.at = InPanel(10, 228, 245, 21), .maxLength = 30});
    deleteButton_.Create(panel, {.at = InPanel(55, 265, 100, 25), .text = "  Delete tag",
                                    .pictureBesideText = deletePicture_.get(), .flat = true});
    updateButton_.Create(panel, {.at = InPanel(165, 265, 90, 25), .text = "  Update",
                                    .pictureBesideText = updatePicture_.get(), .flat = true});
    folderBox_.Create(Hwnd(), {.at = {0, 0, 0, 0}, .common = {.visible = false}});
    pathBox_.Create(Hwnd(), {.at = {5, 349, 505, 21}, .readOnly = true});
    fileList_.Create(Hwnd(), {.at = {277, 1, 233, 342}, .sorted = true});

    // The keyboard order inside the panel; each label goes just before its field so that screen
    // readers name the field after it.
    ui::SetTabOrder({&artistLabel_, &artistBox_, &titleLabel_, &titleBox_, &trackLabel_, &trackBox_, &trackSpin_,
                     &commentLabel_, &commentBox_, &yearLabel_, &yearBox_, &genreLabel_, &genreBox_, &albumLabel_,
                     &albumBox_, &deleteButton_, &updateButton_});
    ui::SetTabOrder({&openButton_, &panel_, &pathBox_, &fileList_, &folderBox_});

    for (const auto& [name, number] : GenreTable::Shared().FillGenreList()) genreBox_.AddItem(name, number);
    genreBox_.SetSelectedIndex(0);

    openButton_.onClick = [this] { ChooseFolder(); };
    updateButton_.onClick = [this] { UpdateTag(); };
    deleteButton_.onClick = [this] { DeleteTag(); };
    fileList_.onSelectionChanged = [this] { OnFileSelected(); };
}

void TagEditor::OnShow() { SetFocusControl(fileList_.Hwnd()); }

void TagEditor::ClearFields() {
    for (ui::Edit* box : {&pathBox_, &titleBox_, &albumBox_, &artistBox_, &yearBox_, &commentBox_}) box->SetText("");
    trackSpin_.SetPosition(0);
    genreBox_.SetSelectedIndex(0);
}

void TagEditor::ChooseFolder() {
    ClearFields();
    fileList_.Clear();
    std::optional<std::string> chosen;
    {
        CurrentDirectoryKept directory;
        chosen = system_.folderBrowser->Browse(Hwnd(), kTagFolderTitle, "");
    }
    // Cancelled: the list stays empty, and the component keeps a file no button can reach.
    if (!chosen) return;
    std::string folder = *chosen;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    // The list sorts itself; the names come in whatever order the search returns them.
    SendMessageA(fileList_.Hwnd(), WM_SETREDRAW, FALSE, 0);
    for (const std::string& name : FindMp3Names(folder)) fileList_.AddItem(name);
    SendMessageA(fileList_.Hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(fileList_.Hwnd(), nullptr, TRUE);
    fileList_.SetSelectedIndex(0);
    folderBox_.SetText(folder);
    if (fileList_.Count() > 0 && fileList_.SelectedIndex() >= 0) {
        pathBox_.SetText(folder + fileList_.Item(fileList_.SelectedIndex()));
        LoadFile();
        SetFocusControl(fileList_.Hwnd());
    }
}

void TagEditor::OnFileSelected() {
    if (fileList_.Count() == 0 || fileList_.SelectedIndex() < 0) return;
    pathBox_.SetText(folderBox_.Text() + fileList_.Item(fileList_.SelectedIndex()));
    LoadFile();
}

void TagEditor::LoadFile() {
    // A new path rebinds and clears the component; the same path keeps the values of the last
    // load or save, which the fields then show again.
    tag_.SetFileName(pathBox_.Text());
    tag_.SetActive(true);
    ShowTag();
}

void TagEditor::ShowTag() {
    titleBox_.SetText(tag_.songName);
    albumBox_.SetText(tag_.album);
    artistBox_.SetText(tag_.artist);
    yearBox_.SetText(tag_.year);
    commentBox_.SetText(tag_.comment);
    trackSpin_.SetPosition(tag_.albumTrack);
    int selected = -1;  // genres 148..254 have no entry: none is selected
    for (int i = 0; i < genreBox_.Count(); ++i) {
        if (genreBox_.ItemData(i) == tag_.genre) {
            selected = i;
            break;
        }
    }
    genreBox_.SetSelectedIndex(selected);
}

int TagEditor::TrackField() const {
    // The spin edit keeps 0..255 whatever is typed into it.
    const std::string text = trackBox_.Text();
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp(value, 0L, 255L));
}

void TagEditor::UpdateTag() {
    if (tag_.FileName().empty() || fileList_.Count() == 0) return;
    tag_.songName = titleBox_.Text();
    tag_.artist = artistBox_.Text();
    tag_.album = albumBox_.Text();
    tag_.year = yearBox_.Text();
    const int genre = genreBox_.SelectedIndex();
    tag_.SetGenreAsString(genre >= 0 ? genreBox_.Item(genre) : "");
    tag_.comment = commentBox_.Text();
    tag_.albumTrack = static_cast<uint8_t>(TrackField());
    // A file that cannot be written stays as it was, without a message.
    tag_.SaveTag();
}

void TagEditor::DeleteTag() {
    if (tag_.FileName().empty() || fileList_.Count() == 0) return;
    // A file that cannot be opened ends the action here with its error; nothing is written.
    tag_.DeleteTag();
    tag_.albumTrack = 0;
    tag_.SaveTag();
    ShowTag();
}

}  // namespace tikora
