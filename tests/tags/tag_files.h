#pragma once
// Scoped temporary MP3-like files for the tag tests, and a file system that refuses chosen kinds
// of access (as a file locked by another process does).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "tags/tag_file_std.h"

namespace tikora::tagtest {

using Bytes = std::vector<unsigned char>;

class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("tikora-tags-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = (path_ / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Audio-like bytes without a zero, so no stray byte looks like an empty field.
inline Bytes Audio(size_t size) {
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(0x41 + i % 26);
    return bytes;
}

class RefusingFiles final : public TagFileSystem {
public:
    explicit RefusingFiles(std::set<TagFileAccess> refused) : refused_(std::move(refused)) {}
    bool Exists(const std::string& path) override { return real_.Exists(path); }
    TagFileOpen Open(const std::string& path, TagFileAccess access) override {
        if (refused_.count(access)) return {nullptr, "The file is in use."};
        return real_.Open(path, access);
    }

private:
    StdTagFileSystem real_;
    std::set<TagFileAccess> refused_;
};

}  // namespace tikora::tagtest
