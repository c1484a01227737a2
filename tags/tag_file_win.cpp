// CreateFile with the sharing mode of each access; FindFirstFile for existence.
#include "tags/tag_file_win.h"

#include <windows.h>

#include "ui/application_win.h"

namespace tikora {

namespace {

class WinTagFile final : public TagFile {
public:
    explicit WinTagFile(HANDLE file) : file_(file) {}
    ~WinTagFile() override { CloseHandle(file_); }
    WinTagFile(const WinTagFile&) = delete;
    WinTagFile& operator=(const WinTagFile&) = delete;

    std::optional<uint64_t> Size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file_, &size)) return std::nullopt;
        return static_cast<uint64_t>(size.QuadPart);
    }
    bool Seek(uint64_t offset) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(file_, to, nullptr, FILE_BEGIN) != FALSE;
    }
    size_t Read(void* buffer, size_t count) override {
        DWORD read = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(count), &read, nullptr)) return 0;
        return read;
    }
    size_t Write(const void* buffer, size_t count) override {
        DWORD written = 0;
        if (!WriteFile(file_, buffer, static_cast<DWORD>(count), &written, nullptr)) return 0;
        return written;
    }
    bool Truncate(uint64_t size) override { return Seek(size) && SetEndOfFile(file_) != FALSE; }

private:
    HANDLE file_;
};

}  // namespace

bool WinTagFileSystem::Exists(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

TagFileOpen WinTagFileSystem::Open(const std::string& path, TagFileAccess access) {
    DWORD rights = GENERIC_READ | GENERIC_WRITE;
    DWORD sharing = FILE_SHARE_READ;
    switch (access) {
        case TagFileAccess::ReadSharedRead:
            rights = GENERIC_READ;
            break;
        case TagFileAccess::ReadWriteExclusive:
            sharing = 0;
            break;
        case TagFileAccess::ReadWriteSharedRead:
            break;
    }
    HANDLE file = CreateFileA(path.c_str(), rights, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {nullptr, ui::SystemErrorText(GetLastError())};
    return {std::make_unique<WinTagFile>(file), ""};
}

}  // namespace tikora
