#pragma once
// The 128-byte ID3v1.1 block at the end of an MP3 file: the three file-level routines on the raw
// block, and the conversion between the block and the tag's fields.
#include <array>
#include <cstdint>
#include <string>

#include "tags/tag_file.h"

namespace tikora {

inline constexpr size_t kTagBlockSize = 128;
using TagBlock = std::array<uint8_t, kTagBlockSize>;

// The fields of one tag. Texts may be longer than their field; only their first bytes are stored.
struct TagFields {
    std::string songName;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    uint8_t genre = 255;      // 255: none
    uint8_t albumTrack = 0;   // 0: none
    friend bool operator==(const TagFields&, const TagFields&) = default;
};

// True and the block when the file's last 128 bytes start with "TAG" (case-sensitive). Never throws.
bool ReadTagBlock(TagFileSystem& files, const std::string& path, TagBlock& block);
// Overwrites the file's tag block in place, or appends the block when there is none. True when
// all 128 bytes were written; false for a missing file and on any error. Never throws.
bool WriteTagBlock(TagFileSystem& files, const std::string& path, const TagBlock& block);
// Cuts the tag block off the end of the file when there is one. A file that cannot be opened
// throws AppError "Cannot open file "<path>". <reason>".
void TruncateTagBlock(TagFileSystem& files, const std::string& path);

// The block for these fields: "TAG", the texts cut to their widths and followed by zero bytes,
// the track only where the comment left byte 125 zero, the genre.
TagBlock EncodeTagBlock(const TagFields& fields);
// The fields of a block that starts with "TAG": each text up to its first zero byte.
TagFields DecodeTagBlock(const TagBlock& block);

}  // namespace tikora
