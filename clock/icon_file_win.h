#pragma once
// Tray icon files reach the system's icon loader only after the portable check passed.
#include <windows.h>

#include <string>

namespace tikora {

// The icon in the file, or nullptr when the file is missing, a folder, unreadable, fails the
// check, or the system cannot load it.
HICON LoadCheckedIcon(const std::string& path);

}  // namespace tikora
