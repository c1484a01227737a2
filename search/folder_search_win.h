#pragma once
// A folder search that fills a list box, as the search window and the picture viewer run it: the
// folder asked of the user (the browser starts at the one chosen last), the owner disabled under
// the progress dialog while the engine walks, the list drawn once at the end, and "Stop".
#include <functional>
#include <optional>
#include <string>

#include "core/platform.h"
#include "search/find_lister_win.h"
#include "search/list_search_hooks_win.h"
#include "search/progress_dialog_win.h"
#include "search/search_engine.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"

namespace tikora {

class FolderSearch {
public:
    // browser, lister: null for the system's. unlimited: nullopt for the system's version rule.
    FolderSearch(ui::ListBox& list, ui::FolderBrowser* browser, DirectoryLister* lister, std::optional<bool> unlimited);

    // The dialog whose counters follow the runs; its "Stop" and close box stop the run and enable
    // the owner again. Null: none.
    void SetProgressDialog(ProgressDialog* dialog, HWND owner);
    ProgressDialog* Progress() const { return progress_; }

    // Asks for the folder; nullopt when the user cancelled. Otherwise the owner is disabled, the
    // progress dialog shows (then `shown` runs) and the search runs, the request's folder and
    // unlimited flag filled in. The owner stays disabled and the dialog open until Finish.
    std::optional<SearchOutcome> BrowseAndRun(HWND owner, SearchRequest request,
                                              const std::function<void()>& shown = nullptr);
    // The completion step's start: the owner enabled, the progress dialog closed.
    void Finish(HWND owner);

private:
    ui::ListBox& list_;
    ui::SystemFolderBrowser systemBrowser_;
    FindFileLister systemLister_;
    ui::FolderBrowser& browser_;
    SearchEngine engine_;
    ListSearchHooks hooks_;
    ProgressDialog* progress_ = nullptr;
    bool unlimited_;
    std::string lastFolder_;
};

// True when the system's major version is exactly 5: the result limit does not apply then.
bool SystemVersionIsFive();

// "Open containing folder" of the search window and the picture viewer: the path cut after its
// last backslash, that backslash removed (a file in C:\ opens "C:"), opened with the shell.
// Nothing without a path.
void OpenContainingFolderOf(ShellLauncher& shell, const std::optional<std::string>& path);

}  // namespace tikora
