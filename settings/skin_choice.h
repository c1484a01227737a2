#pragma once
// The skin chooser's rules, apart from any window: which names of the `Numbers` folder are listed,
// the path a name stands for, the preview picture, and "Apply" with what it stores.
#include <cstdint>
#include <string>
#include <vector>

#include "clock/skin_and_hot_keys.h"
#include "core/image.h"
#include "core/settings_store.h"

namespace tikora {

// What the chooser enumerates, relative to the current directory (the program folder).
inline constexpr const char* kSkinPattern = "Numbers\\*.bmp";
inline constexpr const char* kSkinFolderPrefix = "Numbers\\";

// One entry of a directory search, as the system returned it.
struct FolderEntry {
    std::string name;
    bool directory = false;
};

// The folder listing behind the chooser; the Win32 shell searches kSkinPattern, tests hand a list.
class SkinFolder {
public:
    virtual ~SkinFolder() = default;
    // The entries in the order the file system enumerates them; empty when the folder is missing.
    virtual std::vector<FolderEntry> List() = 0;
};

// The names to list, in the enumeration's order (never sorted). Folders are left out, and so are
// names the system matched through their short alias ("a.bmpx" as "A~1.BMP"): neither is a strip.
std::vector<std::string> SkinNames(const std::vector<FolderEntry>& found);

// "Numbers\" + the name: the path the clock loads and the settings file keeps.
std::string SkinPath(const std::string& name);

// The preview as the panel shows it: the strip's top-left 286 x 37 pixels, unscaled, on the
// background colour where the strip is smaller.
Image SkinPreview(const Image& strip, uint32_t background);

// The chooser's small decorative picture, 79 x 15: "12:34" in the built-in skin, shrunk.
Image DecorativePicture();

// "Apply": loads the skin into the clock, then writes "Numbers"/"Name". A load that throws (not a
// bitmap, "Invalid image size") propagates before anything is written.
void ApplySkinChoice(SkinTarget& clock, SettingsStore& settings, const std::string& name);

}  // namespace tikora
