#pragma once
// The picture viewer: a list of pictures collected from folders by a file-type filter, a preview
// pane showing the selected one fitted (never enlarged), and the commands that copy a picture,
// open its folder, open it full screen or browse the list full screen. Created once at start;
// closing it only hides it, so the list stays until the program ends.
#include <functional>
#include <optional>
#include <string>

#include "core/services.h"
#include "core/window_id.h"
#include "search/copy_dialog_win.h"
#include "search/folder_search_win.h"
#include "search/progress_dialog_win.h"
#include "search/search_engine.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"
#include "viewer/picture_box_win.h"
#include "viewer/picture_views_win.h"
#include "viewer/viewer_settings_win.h"

namespace tikora {

// What the viewer reaches outside itself; null members are the real system.
struct PictureViewerSystem {
    ui::FolderBrowser* browser = nullptr;
    DirectoryLister* lister = nullptr;
    // The standard message box with the application title; tests record instead.
    std::function<void(const std::string&)> message;
    // The unlimited flag; nullopt: from the system's major version (exactly 5).
    std::optional<bool> unlimited;
    // The program's windows by identifier (settings, copy dialog, full-screen views); they are
    // made after the viewer, so they are looked up when used. A window not given is not used.
    std::function<ui::Form*(WindowId)> windows;
    // The clock window, re-raised over the dialogs the viewer opens; null: none.
    HWND clock = nullptr;
};

class PictureViewer final : public ui::Form,
                            public PictureListHost,
                            public CopyOwner,
                            public ViewerSettingsOwner {
public:
    // The class name and caption come from the window catalogue.
    PictureViewer(ui::FormName name, SystemServices services, PictureViewerSystem system = {});
    ~PictureViewer() override;

    // The twin progress dialog is made after the viewer and plugs in here.
    void SetProgressDialog(ProgressDialog* dialog);

    // The tool bar's commands, as a click runs them.
    void AddFolder();
    void ClearList();
    void ShowHideList();
    void OpenContainingFolder();
    void CopyTo();
    void View();
    void ActualSize();
    void OpenSettings();

    // The error handler's picture path: a picture that could not be decoded shows the placeholder.
    void RevealPlaceholder();

    // What the user sees, for tests.
    ui::ListBox& List() { return list_; }
    ui::ComboBox& Filter() { return filter_; }
    std::string TotalText() const { return total_.Text(); }
    std::string DimensionsShown() const { return dimensions_.Text(); }
    std::string StatusText() const { return status_.PanelText(0); }
    bool PlaceholderVisible() const { return placeholder_.Visible(); }
    const PictureBox& Preview() const { return preview_; }
    int CurrentIndex() const { return currentIndex_; }
    int ListWidth() const;  // device pixels
    HWND ToolBarHandle() const { return toolBar_.Hwnd(); }
    HWND SplitterHandle() const { return splitter_.Hwnd(); }
    bool PictureButtonsEnabled() const;
    // The splitter's drag, ended at `position` (device pixels).
    void MoveSplitter(int position);

    // PictureListHost
    int PictureCount() override { return list_.Count(); }
    std::string PicturePath(int index) override { return list_.Item(index); }
    int SelectedIndex() override { return list_.SelectedIndex(); }
    void ShowForReturn() override;
    void ReturnFromBrowsing(int index) override;
    void ReturnFromActualSize() override;

    // CopyOwner
    std::optional<std::string> SelectedPath() override;
    void CopyDialogClosed(bool afterCopy) override;

    // ViewerSettingsOwner
    void EnableViewer() override;
    void FocusList() override;

protected:
    void OnCreate() override;
    void OnShow() override;
    void OnResize(int width, int height) override;

private:
    void SelectionChanged();
    void ShowPicture();
    void RefitPicture();
    void DrawIcon();
    void PaintIcon(HICON icon);
    void Reset();
    void SetPictureButtons(bool enabled);
    void ReRaiseClock();
    void ShowMessage(const std::string& text);
    std::string SelectedMaskList() const;
    bool IncludeSubfolders() const;
    FullScreenViews* Views() const;
    ui::Form* WindowFor(WindowId id) const { return system_.windows ? system_.windows(id) : nullptr; }
    void Layout();

    SystemServices services_;
    PictureViewerSystem system_;
    int currentIndex_ = -1;
    int listWidth_ = 0;  // device pixels
    ui::UniqueIcon windowIcon_;
    ui::UniqueFont dimensionsFont_;
    ui::UniqueBitmap iconPicture_;

    ui::Panel toolPanel_;
    ui::ToolBar toolBar_;
    ui::ListBox list_;
    FolderSearch search_{list_, system_.browser, system_.lister, system_.unlimited};  // fills the list
    ui::Splitter splitter_;
    PictureBox preview_;
    PictureBox placeholder_;
    ui::Panel bottomPanel_;
    ui::ComboBox filter_;
    ui::Panel total_;
    ui::Panel dimensions_;
    ui::Label iconBox_;
    ui::StatusBar status_;
};

}  // namespace tikora
