#pragma once
// Small system services of the clock window behind interfaces, so that tests never empty the
// real recent-documents list, sound a beep or depend on the system's version.
#include <windows.h>

namespace tikora {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // SHAddToRecentDocs with SHARD_PATHA and no path: empties the list.
    virtual void ClearRecentDocuments() = 0;
    // MessageBeep.
    virtual void Beep(UINT type) = 0;
};

class SystemDesktopShell final : public DesktopShell {
public:
    void ClearRecentDocuments() override;
    void Beep(UINT type) override;
};

// "Remove records of recently accessed documents": the beep is the only confirmation.
void ClearRecentDocuments(DesktopShell& shell);

// GetVersionEx with the structure size 148.
class VersionQuery {
public:
    virtual ~VersionQuery() = default;
    virtual bool Query(OSVERSIONINFOA& info) = 0;
};

class SystemVersionQuery final : public VersionQuery {
public:
    bool Query(OSVERSIONINFOA& info) override;
};

// True exactly for major version 5, the systems the settings dialog's " Transparent (W2K-XP) "
// box names; a failed query counts as not available.
bool TransparencyAvailable(VersionQuery& version);

}  // namespace tikora
