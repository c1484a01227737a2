#pragma once
// Random access to the bytes of a file that may be truncated, huge or hostile. Readers ask for
// exactly the ranges they need, so a picture of gigabytes costs no more memory than the rows used.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace tikora {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Fills the whole span from the offset; false when the range is not inside the source or the
    // read fails (the file may have shrunk since Size()).
    virtual bool Read(uint64_t offset, std::span<uint8_t> into) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    bool Read(uint64_t offset, std::span<uint8_t> into) override;

private:
    std::span<const uint8_t> bytes_;
};

// A file opened for reading only. Opened() is false for a missing file, a folder, or a file
// that cannot be read; such a source is empty.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& path);
    bool Opened() const { return opened_; }
    uint64_t Size() const override { return size_; }
    bool Read(uint64_t offset, std::span<uint8_t> into) override;

private:
    std::ifstream in_;
    uint64_t size_ = 0;
    bool opened_ = false;
};

// Reads a range of a source in order through a buffer, so that a reader taking a few bytes at a
// time costs one read of the source per buffer. Nothing past the range is ever read.
class SequentialReader {
public:
    SequentialReader(ByteSource& source, uint64_t start, uint64_t length, size_t bufferSize = 64 * 1024);
    // Exactly into.size() bytes; false when the range ends before or the source fails.
    bool Read(std::span<uint8_t> into);
    // The next bytes as they lie in the buffer, at most `most`; empty at the end or on a failure.
    std::span<const uint8_t> Next(size_t most = SIZE_MAX);
    // Passes over bytes; false when the range ends before.
    bool Skip(uint64_t count);
    // Bytes of the range not handed out yet.
    uint64_t Left() const { return rangeEnd_ - next_ + (end_ - begin_); }
    bool Failed() const { return failed_; }

private:
    bool Fill();

    ByteSource& source_;
    uint64_t next_;      // source offset of the first byte not in the buffer yet
    uint64_t rangeEnd_;
    std::vector<uint8_t> buffer_;
    size_t begin_ = 0;   // first unread byte in the buffer
    size_t end_ = 0;
    bool failed_ = false;
};

// Little-endian fields of file headers.
inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace tikora
