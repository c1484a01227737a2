#pragma once
// The small file interface the tag routines work through: open with a sharing mode, size, seek,
// read, write, truncate. The Win32 shell opens files with the system's sharing modes
// (tag_file_win.h); the standard-library one (tag_file_std.h) serves native tests and tools.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tikora {

enum class TagFileAccess {
    ReadSharedRead,          // reading; others may read but not write
    ReadWriteExclusive,      // reading and writing; no other access while open
    ReadWriteSharedRead,     // reading and writing; others may read but not write
};

class TagFile {
public:
    virtual ~TagFile() = default;
    virtual std::optional<uint64_t> Size() = 0;
    virtual bool Seek(uint64_t offset) = 0;
    // The number of bytes actually read or written.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    // Sets the end of the file to `size`.
    virtual bool Truncate(uint64_t size) = 0;
};

struct TagFileOpen {
    std::unique_ptr<TagFile> file;  // null when the file could not be opened
    std::string reason;             // then the system's text for why
};

class TagFileSystem {
public:
    virtual ~TagFileSystem() = default;
    // Existence as the program tests it everywhere: a directory search for exactly that path.
    virtual bool Exists(const std::string& path) = 0;
    virtual TagFileOpen Open(const std::string& path, TagFileAccess access) = 0;
};

}  // namespace tikora
