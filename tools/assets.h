#pragma once
// Every data file that ships beside the executable, and the program's own icon, built in memory.
#include <cstdint>
#include <string>
#include <vector>

#include "clock/builtin_skin.h"

namespace tikora {

struct NamedSkin {
    const char* fileName;  // in the Numbers folder
    SkinStyle style;
};

// The skin strips; the first is the built-in skin.
std::vector<NamedSkin> SkinCatalogue();

struct AssetFile {
    std::string path;  // relative to the output folder, '/' between folders
    std::vector<uint8_t> bytes;
};

// Numbers/*.bmp, Sounds/Chimes.wav, Sounds/Ring.wav, Icons/*.ico and tikora.ico, always the
// same bytes.
std::vector<AssetFile> BuildAssets();

}  // namespace tikora
