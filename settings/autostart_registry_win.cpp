// The autostart value in the machine-wide Run key.
#include "settings/autostart_registry_win.h"

#include <cstring>
#include <string>

namespace tikora {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY OpenRunKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

bool SystemAutostartRegistry::SetRunValue(std::string_view name) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    // The short form goes into a buffer of 256 characters; the data is the text up to its first NUL.
    char shortPath[256] = {};
    GetShortPathNameA(program, shortPath, sizeof shortPath);
    shortPath[sizeof shortPath - 1] = '\0';
    HKEY key = OpenRunKey();
    if (!key) return false;
    const std::string valueName(name);
    const LONG written = RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(shortPath),
                                        static_cast<DWORD>(std::strlen(shortPath) + 1));
    RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

void SystemAutostartRegistry::DeleteRunValue(std::string_view name) {
    HKEY key = OpenRunKey();
    if (!key) return;
    RegDeleteValueA(key, std::string(name).c_str());
    RegCloseKey(key);
}

}  // namespace tikora
