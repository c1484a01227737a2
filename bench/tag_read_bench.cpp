// Listing a folder of MP3 files and reading every tag through the tag component, next to bare
// 128-byte reads of the same files in the same run.
//   tag_read_bench [FILES] [ROUNDS]   (default 10,000 files of 4 KiB, half of them tagged, 3 rounds)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tags/id3v1_tag.h"
#include "tags/tag_file_std.h"

using namespace tikora;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::vector<std::string> ListMp3(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".mp3") names.push_back(entry.path().filename().string());
    return names;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const fs::path folder = fs::temp_directory_path() / ("tikora-tag-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);

    const std::string audio(4096 - 128, 'a');
    const TagBlock block = EncodeTagBlock({"Title", "Artist", "Album", "2001", "Comment", 17, 3});
    for (int i = 0; i < count; ++i) {
        std::ofstream out(folder / ("song" + std::to_string(i) + ".mp3"), std::ios::binary);
        out << audio;
        if (i % 2 == 0) out.write(reinterpret_cast<const char*>(block.data()), block.size());
    }

    std::printf("%d files of about 4 KiB in %s, half tagged\n", count, folder.c_str());
    std::printf("round  list+tags (ms)  per file (us)  tagged  | list+bare reads (ms)  per file (us)\n");
    StdTagFileSystem files;
    for (int round = 1; round <= rounds; ++round) {
        auto start = Clock::now();
        int tagged = 0;
        {
            Id3v1Tag tag(files);
            for (const std::string& name : ListMp3(folder)) {
                tag.SetFileName((folder / name).string());
                tag.SetActive(true);
                if (!tag.songName.empty()) ++tagged;
            }
        }
        const double tags = Seconds(start);

        start = Clock::now();
        int bare = 0;
        for (const std::string& name : ListMp3(folder)) {
            char bytes[128];
            std::FILE* file = std::fopen((folder / name).c_str(), "rb");
            if (!file) continue;
            if (std::fseek(file, -128, SEEK_END) == 0 && std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes &&
                bytes[0] == 'T')
                ++bare;
            std::fclose(file);
        }
        const double reads = Seconds(start);
        std::printf("%5d  %14.1f  %13.2f  %6d  | %20.1f  %13.2f  (%d)\n", round, tags * 1e3, tags * 1e6 / count,
                    tagged, reads * 1e3, reads * 1e6 / count, bare);
    }
    fs::remove_all(folder);
    return 0;
}
