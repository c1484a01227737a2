// Tag files through std::FILE and std::filesystem.
#include "tags/tag_file_std.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tikora {

namespace {

class StdTagFile final : public TagFile {
public:
    StdTagFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
    ~StdTagFile() override { std::fclose(file_); }
    StdTagFile(const StdTagFile&) = delete;
    StdTagFile& operator=(const StdTagFile&) = delete;

    std::optional<uint64_t> Size() override {
        std::error_code error;
        std::fflush(file_);
        const auto size = std::filesystem::file_size(path_, error);
        if (error) return std::nullopt;
        return size;
    }
    bool Seek(uint64_t offset) override {
        return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
    }
    size_t Read(void* buffer, size_t count) override { return std::fread(buffer, 1, count, file_); }
    size_t Write(const void* buffer, size_t count) override {
        const size_t written = std::fwrite(buffer, 1, count, file_);
        return std::fflush(file_) == 0 ? written : 0;
    }
    bool Truncate(uint64_t size) override {
        std::fflush(file_);
        std::error_code error;
        std::filesystem::resize_file(path_, size, error);
        return !error;
    }

private:
    std::FILE* file_;
    std::string path_;
};

}  // namespace

bool StdTagFileSystem::Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

TagFileOpen StdTagFileSystem::Open(const std::string& path, TagFileAccess access) {
    const char* mode = access == TagFileAccess::ReadSharedRead ? "rb" : "r+b";
    std::error_code error;
    // fopen opens a folder on some systems; the tag routines want regular files only.
    if (std::filesystem::is_directory(path, error)) return {nullptr, "Is a directory"};
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) return {nullptr, std::strerror(errno)};
    return {std::make_unique<StdTagFile>(file, path), ""};
}

}  // namespace tikora
