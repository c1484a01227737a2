// Making the file search's windows in catalogue order and joining them.
#include "search/search_catalogue_win.h"

#include "search/copy_dialog_win.h"
#include "search/progress_dialog_win.h"
#include "search/search_window_win.h"

namespace tikora {

namespace {

// The one search window of the run, for the dialogs made after it.
SearchWindow* searchWindow = nullptr;

}  // namespace

std::unique_ptr<ui::Form> MakeSearchWindow(const WindowEntry& entry, AppContext& app) {
    auto window = std::make_unique<SearchWindow>(ui::FormName{entry.className, entry.caption}, app.services);
    window->CreateForm();
    searchWindow = window.get();
    return window;
}

std::unique_ptr<ui::Form> MakeSearchCopyDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<CopyDialog>(ui::FormName{entry.className, entry.caption}, kSearchCopyText,
                                               app.services.settings);
    dialog->CreateForm();
    if (searchWindow) searchWindow->SetCopyDialog(dialog.get());
    return dialog;
}

std::unique_ptr<ui::Form> MakeSearchProgressDialog(const WindowEntry& entry, AppContext&) {
    auto dialog = std::make_unique<ProgressDialog>(ui::FormName{entry.className, entry.caption}, ProgressDialog::Layout{});
    dialog->CreateForm();
    if (searchWindow) searchWindow->SetProgressDialog(dialog.get());
    return dialog;
}

std::unique_ptr<ui::Form> MakeViewerCopyDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<CopyDialog>(ui::FormName{entry.className, entry.caption}, kViewerCopyText,
                                               app.services.settings);
    dialog->CreateForm();
    return dialog;
}

}  // namespace tikora
