// GetOpenFileName and SHBrowseForFolder.
#include "ui/file_dialogs_win.h"

#include <algorithm>

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

struct BrowseStart {
    const char* folder = nullptr;  // preselected when set
    HWND centreOn = nullptr;       // the window to centre on, when set
};

void CentreOn(HWND dialog, HWND window) {
    RECT outer{}, own{}, area{};
    GetWindowRect(window, &outer);
    GetWindowRect(dialog, &own);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    area = monitor.rcWork;
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    // Centred, but never pushed off the screen's work area.
    int x = outer.left + (outer.right - outer.left - width) / 2;
    int y = outer.top + (outer.bottom - outer.top - height) / 2;
    x = std::max<int>(area.left, std::min<int>(x, area.right - width));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height));
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK StartBrowsing(HWND dialog, UINT message, LPARAM, LPARAM data) {
    const auto* start = reinterpret_cast<const BrowseStart*>(data);
    if (message != BFFM_INITIALIZED || !start) return 0;
    if (start->centreOn) CentreOn(dialog, start->centreOn);
    if (start->folder)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->folder));
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
    BrowseStart start{initialFolder.empty() ? nullptr : initialFolder.c_str(), centreOnOwner_ ? owner : nullptr};
    info.lpfn = &StartBrowsing;
    info.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!ok) return std::nullopt;
    return std::string(path);
}

}  // namespace tikora::ui
