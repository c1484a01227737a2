#pragma once
// The MP3 tag editor: the MP3 files of one folder in a sorted list, the ID3v1 tag of the selected
// one in edit fields, "  Update" to write them and "  Delete tag" to replace the tag with an empty
// one. Created once at start, shown and hidden; nothing of it is stored in the settings file.
#include <windows.h>

#include <string>
#include <vector>

#include "tags/id3v1_tag.h"
#include "tags/tag_file_win.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

// The system calls of the editor that tests stand in for; null members are the real system.
struct TagEditorSystem {
    TagFileSystem* files = nullptr;
    ui::FolderBrowser* folderBrowser = nullptr;
};

inline constexpr const char* kTagFolderTitle = "Open folder with MP3 files (*.mp3)";

class TagEditor final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    explicit TagEditor(ui::FormName name, TagEditorSystem system = {});
    ~TagEditor() override;

    // The buttons' actions, as a click runs them.
    void ChooseFolder();
    void UpdateTag();
    void DeleteTag();

    const Id3v1Tag& Tag() const { return tag_; }

protected:
    void OnCreate() override;
    void OnShow() override;

private:
    void ClearFields();
    void OnFileSelected();
    void LoadFile();
    void ShowTag();
    int TrackField() const;

    TagEditorSystem system_;
    WinTagFileSystem systemFiles_;
    ui::SystemFolderBrowser systemFolderBrowser_{true};  // centred on the editor
    Id3v1Tag tag_;
    ui::UniqueIcon icon_;
    ui::UniqueBitmap folderPicture_;
    ui::UniqueBitmap deletePicture_;
    ui::UniqueBitmap updatePicture_;

    ui::ToolButton openButton_;
    ui::Panel panel_;
    ui::Label titleLabel_, artistLabel_, albumLabel_, yearLabel_, trackLabel_, genreLabel_, commentLabel_;
    ui::Edit titleBox_, artistBox_, albumBox_, yearBox_, trackBox_, commentBox_;
    ui::UpDown trackSpin_;
    ui::ComboBox genreBox_;
    ui::ToolButton deleteButton_;
    ui::ToolButton updateButton_;
    ui::Edit folderBox_;  // never visible: the current folder, ending in "\"
    ui::Edit pathBox_;
    ui::ListBox fileList_;
};

// The names the search for "*.mp3" returns in this folder (which ends in "\"), in its order.
std::vector<std::string> FindMp3Names(const std::string& folder);

}  // namespace tikora
