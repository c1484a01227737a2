// The ID3v1 block and the tag component on any file: the first input byte picks which file
// operations fail (size unknown, seek refused, short reads and writes, truncate refused), the rest
// is the file. Never a crash; what is read is what the last 128 bytes hold; a save, a load and a
// delete leave the file as the block rules say.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/errors.h"
#include "tags/genre_table.h"
#include "tags/id3v1_tag.h"
#include "tags/tag_block.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum Fault : uint8_t {
    kNoSize = 1,
    kNoSeek = 2,
    kShortRead = 4,
    kShortWrite = 8,
    kNoTruncate = 16,
    kNoOpen = 32,
};

class MemoryFile final : public tikora::TagFile {
public:
    MemoryFile(Bytes& bytes, uint8_t faults) : bytes_(bytes), faults_(faults) {}
    std::optional<uint64_t> Size() override {
        if (faults_ & kNoSize) return std::nullopt;
        return bytes_.size();
    }
    bool Seek(uint64_t offset) override {
        if (faults_ & kNoSeek) return false;
        at_ = offset;
        return true;
    }
    size_t Read(void* buffer, size_t count) override {
        if (at_ >= bytes_.size()) return 0;
        size_t n = std::min<uint64_t>(count, bytes_.size() - at_);
        if ((faults_ & kShortRead) && n > 0) --n;
        std::memcpy(buffer, bytes_.data() + at_, n);
        at_ += n;
        return n;
    }
    size_t Write(const void* buffer, size_t count) override {
        if ((faults_ & kShortWrite) && count > 0) --count;
        if (at_ + count > bytes_.size()) bytes_.resize(at_ + count);
        std::memcpy(bytes_.data() + at_, buffer, count);
        at_ += count;
        return count;
    }
    bool Truncate(uint64_t size) override {
        if (faults_ & kNoTruncate) return false;
        bytes_.resize(size);
        return true;
    }

private:
    Bytes& bytes_;
    uint8_t faults_;
    uint64_t at_ = 0;
};

class MemoryFiles final : public tikora::TagFileSystem {
public:
    MemoryFiles(Bytes bytes, uint8_t faults) : bytes(std::move(bytes)), faults_(faults) {}
    bool Exists(const std::string& path) override { return path == kPath; }
    tikora::TagFileOpen Open(const std::string& path, tikora::TagFileAccess) override {
        if (path != kPath || (faults_ & kNoOpen)) return {nullptr, "The file is in use."};
        return {std::make_unique<MemoryFile>(bytes, faults_), ""};
    }
    static constexpr const char* kPath = "C:\\Music\\a.mp3";
    Bytes bytes;

private:
    uint8_t faults_;
};

bool HasBlock(const Bytes& bytes) {
    return bytes.size() >= tikora::kTagBlockSize &&
           std::memcmp(bytes.data() + bytes.size() - tikora::kTagBlockSize, "TAG", 3) == 0;
}

tikora::TagBlock LastBlock(const Bytes& bytes) {
    tikora::TagBlock block{};
    std::memcpy(block.data(), bytes.data() + bytes.size() - tikora::kTagBlockSize, tikora::kTagBlockSize);
    return block;
}

void CheckText(const std::string& text, size_t width) {
    if (text.size() > width || text.find('\0') != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t faults = data[0];
    const bool clean = (faults & (kNoSize | kNoSeek | kShortRead | kNoOpen)) == 0;
    MemoryFiles files(Bytes(data + 1, data + size), faults);
    const Bytes original = files.bytes;

    // The raw block: read exactly when the last 128 bytes start with "TAG" and nothing failed.
    tikora::TagBlock block{};
    const bool read = tikora::ReadTagBlock(files, MemoryFiles::kPath, block);
    if (clean && read != HasBlock(original)) std::abort();
    if (read && (!HasBlock(original) || block != LastBlock(original))) std::abort();
    if (files.bytes != original) std::abort();  // reading writes nothing

    // The component bound to the file: the fields are the block's, within their widths.
    tikora::Id3v1Tag tag(files);
    tag.SetFileName(MemoryFiles::kPath);
    tag.SetActive(true);
    const tikora::TagFields loaded = tag.Fields();
    if (read ? loaded != tikora::DecodeTagBlock(block) : loaded != tikora::TagFields{}) std::abort();
    CheckText(loaded.songName, 30);
    CheckText(loaded.artist, 30);
    CheckText(loaded.album, 30);
    CheckText(loaded.year, 4);
    CheckText(loaded.comment, 30);
    // Encoding what was decoded decodes to the same fields.
    if (tikora::DecodeTagBlock(tikora::EncodeTagBlock(loaded)) != loaded) std::abort();
    // The genre by name: a known number round-trips, any other becomes "none".
    const std::string genreName = tag.GenreAsString();
    tag.SetGenreAsString(genreName);
    if (tag.genre != (loaded.genre < tikora::kGenreCount ? loaded.genre : tikora::kNoGenre)) std::abort();
    tag.genre = loaded.genre;

    // A save writes the block over the old one or after the file's bytes.
    tag.songName = "Fuzzed title that is longer than thirty bytes";
    const bool saved = tag.SaveTag();
    if (saved) {
        const size_t expected = original.size() + (HasBlock(original) && clean ? 0 : tikora::kTagBlockSize);
        if (clean && files.bytes.size() != expected) std::abort();
        if (LastBlock(files.bytes) != tikora::EncodeTagBlock(tag.Fields())) std::abort();
    } else if (clean && !(faults & kShortWrite)) {
        std::abort();
    }

    // Deleting cuts a block off and reads whatever is below it; a refusal is an error.
    const Bytes beforeDelete = files.bytes;
    try {
        tag.DeleteTag();
        if (clean && !(faults & kNoTruncate) && HasBlock(beforeDelete) &&
            files.bytes.size() != beforeDelete.size() - tikora::kTagBlockSize)
            std::abort();
    } catch (const tikora::AppError&) {
        if (clean && !(faults & kNoTruncate)) std::abort();
    }
    if (!tag.Active()) std::abort();
    tag.SetActive(false);
    if (tag.Fields() != tikora::TagFields{}) std::abort();
    return 0;
}
