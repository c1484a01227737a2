// make_assets <outdir>: writes the skins, sounds and icons that ship beside the executable,
// and the program icon that the resource script embeds.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tools/assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <outdir>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::path outDir = argv[1];
    for (const tikora::AssetFile& file : tikora::BuildAssets()) {
        fs::path path = outDir / fs::path(file.path);
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
