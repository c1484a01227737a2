// Checked loading of icon files: see icon_file_win.h.
#include "clock/icon_file_win.h"

#include "core/byte_source.h"
#include "core/ico_check.h"

namespace tikora {

HICON LoadCheckedIcon(const std::string& path) {
    {
        // The file is closed again before the system opens it.
        FileSource source(path);
        if (!source.Opened() || CheckIco(source).problem != IcoProblem::None) return nullptr;
    }
    return static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

}  // namespace tikora
