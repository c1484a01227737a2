#include "clock/system_actions_win.h"

#include <shlobj.h>

namespace tikora {

void SystemDesktopShell::clearRecentDocuments() { SHAddToRecentDocs(SHARD_PATHA, nullptr); }

void SystemDesktopShell::beep(UINT type) { MessageBeep(type); }

void ClearRecentDocuments(DesktopShell& shell) {
    shell.clearRecentDocuments();
    shell.beep(0);
}

bool SystemVersionQuery::query(OSVERSIONINFOA& info) { return GetVersionExA(&info) != FALSE; }

bool TransparencyAvailable(VersionQuery& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 148;
    return version.query(info) && info.dwMajorVersion == 5;
}

}  // namespace tikora
