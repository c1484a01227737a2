#include "clock/system_actions_win.h"

#include <shlobj.h>

namespace tikora {

void SystemDesktopShell::ClearRecentDocuments() { SHAddToRecentDocs(SHARD_PATHA, nullptr); }

void SystemDesktopShell::Beep(UINT type) { MessageBeep(type); }

void ClearRecentDocuments(DesktopShell& shell) {
    shell.ClearRecentDocuments();
    shell.Beep(0);
}

bool SystemVersionQuery::Query(OSVERSIONINFOA& info) { return GetVersionExA(&info) != FALSE; }

bool TransparencyAvailable(VersionQuery& version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = 148;
    return version.Query(info) && info.dwMajorVersion == 5;
}

}  // namespace tikora
