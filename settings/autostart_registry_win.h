#pragma once
// The machine-wide Run key: HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run.
#include <windows.h>

#include "settings/settings_options.h"

namespace tikora {

class SystemAutostartRegistry final : public AutostartRegistry {
public:
    // The key opened with full access and created if missing; the value is REG_SZ holding the
    // 8.3 short form of the executable's path.
    bool SetRunValue(std::string_view name) override;
    void DeleteRunValue(std::string_view name) override;
};

}  // namespace tikora
