// GetOpenFileName and SHBrowseForFolder.
#include "ui/file_dialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

namespace tikora::ui {

std::string FileDialogFilter(std::string_view filter) {
    std::string result(filter);
    for (char& c : result)
        if (c == '|') c = '\0';
    result.push_back('\0');  // the string's own NUL ends the list
    return result;
}

std::optional<std::string> SystemFileOpenDialog::Choose(HWND owner, std::string_view filter,
                                                        const std::string& initialFolder) {
    const std::string pairs = FileDialogFilter(filter);
    char file[MAX_PATH] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = pairs.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(file);
}

namespace {

int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

std::optional<std::string> SystemFolderBrowser::Browse(HWND owner, const std::string& title,
                                                       const std::string& initialFolder) {
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &PreselectFolder;
    info.lParam = initialFolder.empty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!ok) return std::nullopt;
    return std::string(path);
}

}  // namespace tikora::ui
