// The folder search shared by the search window and the picture viewer.
#include "search/folder_search_win.h"

#include "search/search_texts.h"

namespace tikora {

FolderSearch::FolderSearch(ui::ListBox& list, ui::FolderBrowser* browser, DirectoryLister* lister,
                           std::optional<bool> unlimited)
    : list_(list),
      browser_(browser ? *browser : systemBrowser_),
      engine_(lister ? *lister : systemLister_),
      hooks_(list),
      unlimited_(unlimited ? *unlimited : SystemVersionIsFive()) {}

void FolderSearch::SetProgressDialog(ProgressDialog* dialog, HWND owner) {
    progress_ = dialog;
    hooks_.SetProgress(dialog);
    if (progress_)
        progress_->onStop = [this, owner] {
            engine_.RequestStop();
            EnableWindow(owner, TRUE);
        };
}

std::optional<SearchOutcome> FolderSearch::BrowseAndRun(HWND owner, SearchRequest request,
                                                        const std::function<void()>& shown) {
    const std::optional<std::string> folder = browser_.Browse(owner, "Select folder", lastFolder_);
    if (!folder) return std::nullopt;
    EnableWindow(owner, FALSE);
    if (progress_) {
        progress_->Show();
        if (shown) shown();
    }
    lastFolder_ = *folder;
    request.folder = *folder;
    request.unlimited = unlimited_;
    // The list is not drawn while it grows: a repaint per result is what made long runs crawl
    // under Wine (hundreds of results a second). It shows everything at the end.
    SendMessageA(list_.Hwnd(), WM_SETREDRAW, FALSE, 0);
    const SearchOutcome outcome = engine_.Run(request, hooks_);
    SendMessageA(list_.Hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_.Hwnd(), nullptr, TRUE);
    return outcome;
}

void FolderSearch::Finish(HWND owner) {
    EnableWindow(owner, TRUE);
    if (progress_) progress_->CloseDialog();
}

bool SystemVersionIsFive() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool ok = GetVersionExA(&version) != FALSE;
#pragma GCC diagnostic pop
    return ok && version.dwMajorVersion == 5;
}

void OpenContainingFolderOf(ShellLauncher& shell, const std::optional<std::string>& path) {
    if (path) shell.Open(true, "open", ContainingFolder(*path), SW_SHOWNORMAL);
}

}  // namespace tikora
