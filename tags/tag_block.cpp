// ReadTagBlock, WriteTagBlock, TruncateTagBlock and the field layout of the block.
#include "tags/tag_block.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/errors.h"

namespace tikora {

namespace {

constexpr char kMarker[3] = {'T', 'A', 'G'};

constexpr size_t kTitleAt = 3;
constexpr size_t kArtistAt = 33;
constexpr size_t kAlbumAt = 63;
constexpr size_t kYearAt = 93;
constexpr size_t kCommentAt = 97;
constexpr size_t kTrackFlagAt = 125;
constexpr size_t kTrackAt = 126;
constexpr size_t kGenreAt = 127;
constexpr size_t kTextWidth = 30;
constexpr size_t kYearWidth = 4;

bool IsMarker(const uint8_t* bytes) { return std::memcmp(bytes, kMarker, sizeof kMarker) == 0; }

void Put(TagBlock& block, size_t at, size_t width, const std::string& text) {
    std::memcpy(block.data() + at, text.data(), std::min(width, text.size()));
}

// The bytes up to the first zero byte: no trimming, blanks stay.
std::string Take(const TagBlock& block, size_t at, size_t width) {
    const auto* begin = reinterpret_cast<const char*>(block.data() + at);
    return std::string(begin, strnlen(begin, width));
}

}  // namespace

bool ReadTagBlock(TagFileSystem& files, const std::string& path, TagBlock& block) {
    try {
        TagFileOpen open = files.Open(path, TagFileAccess::ReadSharedRead);
        if (!open.file) return false;
        const std::optional<uint64_t> size = open.file->Size();
        if (!size || *size < kTagBlockSize || !open.file->Seek(*size - kTagBlockSize)) return false;
        TagBlock read{};
        if (open.file->Read(read.data(), read.size()) != read.size() || !IsMarker(read.data())) return false;
        block = read;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool WriteTagBlock(TagFileSystem& files, const std::string& path, const TagBlock& block) {
    try {
        if (!files.Exists(path)) return false;
        TagFileOpen open = files.Open(path, TagFileAccess::ReadWriteExclusive);
        if (!open.file) return false;
        TagFile& file = *open.file;
        const std::optional<uint64_t> size = file.Size();
        if (!size) return false;
        uint64_t at = *size;  // appended unless a block is there to overwrite
        if (*size >= kTagBlockSize && file.Seek(*size - kTagBlockSize)) {
            uint8_t marker[3] = {};
            if (file.Read(marker, sizeof marker) == sizeof marker && IsMarker(marker)) at = *size - kTagBlockSize;
        }
        if (!file.Seek(at)) return false;
        return file.Write(block.data(), block.size()) == block.size();
    } catch (const std::exception&) {
        return false;
    }
}

void TruncateTagBlock(TagFileSystem& files, const std::string& path) {
    TagFileOpen open = files.Open(path, TagFileAccess::ReadWriteSharedRead);
    if (!open.file) throw AppError("Cannot open file \"" + path + "\". " + open.reason);
    TagFile& file = *open.file;
    const std::optional<uint64_t> size = file.Size();
    if (!size || *size < kTagBlockSize || !file.Seek(*size - kTagBlockSize)) return;
    uint8_t marker[3] = {};
    if (file.Read(marker, sizeof marker) == sizeof marker && IsMarker(marker)) {
        if (!file.Truncate(*size - kTagBlockSize)) throw AppError("Cannot truncate file \"" + path + "\".");
    }
}

TagBlock EncodeTagBlock(const TagFields& fields) {
    TagBlock block{};
    std::memcpy(block.data(), kMarker, sizeof kMarker);
    Put(block, kTitleAt, kTextWidth, fields.songName);
    Put(block, kArtistAt, kTextWidth, fields.artist);
    Put(block, kAlbumAt, kTextWidth, fields.album);
    Put(block, kYearAt, kYearWidth, fields.year);
    Put(block, kCommentAt, kTextWidth, fields.comment);
    block[kGenreAt] = fields.genre;
    // A comment of 29 or 30 bytes owns byte 125 (and 126): no room for the track then.
    if (block[kTrackFlagAt] == 0) block[kTrackAt] = fields.albumTrack;
    return block;
}

TagFields DecodeTagBlock(const TagBlock& block) {
    TagFields fields;
    fields.songName = Take(block, kTitleAt, kTextWidth);
    fields.artist = Take(block, kArtistAt, kTextWidth);
    fields.album = Take(block, kAlbumAt, kTextWidth);
    fields.year = Take(block, kYearAt, kYearWidth);
    fields.comment = Take(block, kCommentAt, kTextWidth);
    fields.genre = block[kGenreAt];
    fields.albumTrack = block[kTrackFlagAt] == 0 ? block[kTrackAt] : 0;
    return fields;
}

}  // namespace tikora
