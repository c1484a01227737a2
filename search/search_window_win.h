#pragma once
// The search window: a tool bar that starts a custom or preset file search, the list of found
// files, a details panel for the selected one, and the commands that open a file, open its
// folder or copy it elsewhere. Created once at start, shown and hidden, never destroyed before
// the end; closing it only hides it, so the results stay until the next search.
#include <memory>
#include <optional>
#include <string>

#include "core/services.h"
#include "search/copy_dialog_win.h"
#include "search/folder_search_win.h"
#include "search/progress_dialog_win.h"
#include "search/search_details_win.h"
#include "search/search_engine.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

// The system calls of the window that tests stand in for; null members are the real system.
struct SearchWindowSystem {
    ui::FolderBrowser* browser = nullptr;
    DirectoryLister* lister = nullptr;
    // The standard message box with the application title; tests record instead.
    std::function<void(const std::string&)> message;
    // The unlimited flag; nullopt: from the system's major version (exactly 5).
    std::optional<bool> unlimited;
};

class SearchWindow final : public ui::Form, public CopyOwner {
public:
    // The class name and caption come from the window catalogue.
    SearchWindow(ui::FormName name, SystemServices services, SearchWindowSystem system = {});
    ~SearchWindow() override;

    // The dialogs are made after the window, in catalogue order, and plug in here.
    void SetProgressDialog(ProgressDialog* dialog);
    void SetCopyDialog(CopyDialog* dialog);

    // The commands, as the tool bar and the preset menu run them.
    void CustomSearch();
    void PresetSearch(const std::string& maskList);
    void OpenFile();
    void OpenContainingFolder();
    void CopyTo();

    // What the user sees, for tests.
    ui::ListBox& Results() { return results_; }
    ui::Edit& PatternBox() { return pattern_; }
    ui::CheckBox& SubfoldersBox() { return subfolders_; }
    std::string StatusText(int panel) const { return status_.PanelText(panel); }
    const DetailsPanel& Details() const { return details_; }
    bool FileButtonsEnabled() const;
    HWND ToolBarHandle() const { return toolBar_.Hwnd(); }

    // CopyOwner
    std::optional<std::string> SelectedPath() override;
    void CopyDialogClosed(bool afterCopy) override;

protected:
    void OnCreate() override;
    void OnResize(int width, int height) override;

private:
    void Run(SearchRequest request);
    void Reset();
    void Complete(const SearchOutcome& outcome);
    void SetFileButtons(bool enabled);
    void ShowPresetMenu();
    void ShowSelectedDetails();
    void ShowMessage(const std::string& text);
    void Layout();

    SystemServices services_;
    SearchWindowSystem system_;
    CopyDialog* copy_ = nullptr;
    ui::UniqueIcon icon_;
    int listWidth_ = 0;  // device pixels

    ui::CoolBar coolBar_;
    ui::ToolBar toolBar_;
    ui::Label patternCaption_;
    ui::Edit pattern_;
    ui::Label spacers_[2];
    ui::CheckBox subfolders_;
    ui::ListBox results_;
    FolderSearch search_{results_, system_.browser, system_.lister, system_.unlimited};  // fills the list
    ui::Splitter splitter_;
    DetailsPanel details_;
    ui::StatusBar status_;
};

}  // namespace tikora
