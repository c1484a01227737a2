// Under Wine or Windows: the editor's own path, listing a folder of MP3 files with FindFirstFile
// and reading every tag through the tag component with the sharing modes, next to bare 128-byte
// reads (CreateFile, seek, ReadFile, close) of the same files in the same run.
//   tag_read_bench_win [FILES] [ROUNDS]   (default 10,000 files of 4 KiB, half tagged, 3 rounds)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tags/id3v1_tag.h"
#include "tags/tag_editor_win.h"
#include "tags/tag_file_win.h"

using namespace tikora;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "tikora-tag-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    const TagBlock block = EncodeTagBlock({"Title", "Artist", "Album", "2001", "Comment", 17, 3});
    const std::string audio(4096 - 128, 'a');
    const std::string tagged = audio + std::string(block.begin(), block.end());
    for (int i = 0; i < count; ++i) WriteFile(folder + "song" + std::to_string(i) + ".mp3", i % 2 ? audio : tagged);

    std::printf("%d files of about 4 KiB in %s, half tagged\n", count, folder.c_str());
    std::printf("round  list+tags (ms)  per file (us)  tagged  | list+bare reads (ms)  per file (us)\n");
    WinTagFileSystem files;
    for (int round = 1; round <= rounds; ++round) {
        auto start = Clock::now();
        int withTag = 0;
        {
            Id3v1Tag tag(files);
            for (const std::string& name : FindMp3Names(folder)) {
                tag.SetFileName(folder + name);
                tag.SetActive(true);
                if (!tag.songName.empty()) ++withTag;
            }
        }
        const double tags = Seconds(start);

        start = Clock::now();
        int bare = 0;
        for (const std::string& name : FindMp3Names(folder)) {
            HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      0, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            char bytes[128];
            DWORD read = 0;
            LARGE_INTEGER back{};
            back.QuadPart = -128;
            if (SetFilePointerEx(file, back, nullptr, FILE_END) && ReadFile(file, bytes, sizeof bytes, &read, nullptr) &&
                read == sizeof bytes && bytes[0] == 'T')
                ++bare;
            CloseHandle(file);
        }
        const double reads = Seconds(start);
        std::printf("%5d  %14.1f  %13.2f  %6d  | %20.1f  %13.2f  (%d)\n", round, tags * 1e3, tags * 1e6 / count,
                    withTag, reads * 1e3, reads * 1e6 / count, bare);
    }
    for (const std::string& name : FindMp3Names(folder)) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
