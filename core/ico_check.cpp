// The icon file check; see ico_check.h.
#include "core/ico_check.h"

#include <algorithm>
#include <vector>

namespace tikora {

namespace {

constexpr uint64_t kDirectorySize = 6;
constexpr uint64_t kEntrySize = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t Be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

bool SideInRange(int64_t side) { return side >= 1 && side <= kIcoMaxSide; }

// One picture of the directory, its bytes already known to lie inside the file.
IcoProblem CheckPicture(ByteSource& source, uint64_t offset, uint64_t size) {
    uint8_t head[40] = {};
    if (size < 8) return IcoProblem::BadImage;
    const uint64_t headSize = size < sizeof head ? size : sizeof head;
    if (!source.Read(offset, std::span(head, headSize))) return IcoProblem::ReadFailed;
    if (std::equal(kPngSignature, kPngSignature + 8, head)) {
        // Signature, then the IHDR chunk: length 13, type, width, height (big-endian).
        if (size < 8 + 8 + 13 + 4 || Be32(head + 8) != 13 || head[12] != 'I' || head[13] != 'H' || head[14] != 'D' ||
            head[15] != 'R')
            return IcoProblem::BadImage;
        if (!SideInRange(Be32(head + 16)) || !SideInRange(Be32(head + 20))) return IcoProblem::BadImage;
        return IcoProblem::None;
    }
    if (size < sizeof head) return IcoProblem::BadImage;
    const uint32_t headerSize = Le32(head);
    const int64_t width = static_cast<int32_t>(Le32(head + 4));
    const int64_t doubleHeight = static_cast<int32_t>(Le32(head + 8));
    const int bits = Le16(head + 14);
    const uint32_t compression = Le32(head + 16);
    const uint32_t colorsUsed = Le32(head + 32);
    if (headerSize != 40 && headerSize != 108 && headerSize != 124) return IcoProblem::BadImage;
    // The height counts the colour picture and the mask below it.
    if (!SideInRange(width) || doubleHeight % 2 != 0 || !SideInRange(doubleHeight / 2)) return IcoProblem::BadImage;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return IcoProblem::BadImage;
    if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32))) return IcoProblem::BadImage;
    const uint64_t height = static_cast<uint64_t>(doubleHeight / 2);
    uint64_t palette = 0;
    if (bits <= 8) {
        const uint64_t most = uint64_t{1} << bits;
        palette = (colorsUsed == 0 || colorsUsed > most ? most : colorsUsed) * 4;
    }
    const uint64_t masks = (compression == 3 && headerSize == 40) ? 12 : 0;
    const uint64_t colourStride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t maskStride = (static_cast<uint64_t>(width) + 31) / 32 * 4;
    const uint64_t needed = headerSize + masks + palette + (colourStride + maskStride) * height;
    return needed <= size ? IcoProblem::None : IcoProblem::EntryOutsideFile;
}

}  // namespace

const char* IcoProblemName(IcoProblem problem) {
    switch (problem) {
        case IcoProblem::None: return "none";
        case IcoProblem::NotIcon: return "not an icon";
        case IcoProblem::NoImages: return "no pictures";
        case IcoProblem::TooManyImages: return "too many pictures";
        case IcoProblem::EntryOutsideFile: return "picture outside the file";
        case IcoProblem::BadImage: return "bad picture";
        case IcoProblem::ReadFailed: return "read failed";
    }
    return "?";
}

IcoCheck CheckIco(ByteSource& source) {
    IcoCheck result;
    const uint64_t fileSize = source.Size();
    uint8_t directory[kDirectorySize];
    if (fileSize < kDirectorySize) return {IcoProblem::NotIcon, 0};
    if (!source.Read(0, directory)) return {IcoProblem::ReadFailed, 0};
    if (Le16(directory) != 0 || Le16(directory + 2) != 1) return {IcoProblem::NotIcon, 0};
    const int count = Le16(directory + 4);
    if (count == 0) return {IcoProblem::NoImages, 0};
    if (count > kIcoMaxImages) return {IcoProblem::TooManyImages, 0};
    const uint64_t entriesEnd = kDirectorySize + kEntrySize * static_cast<uint64_t>(count);
    if (entriesEnd > fileSize) return {IcoProblem::EntryOutsideFile, 0};
    std::vector<uint8_t> entries(entriesEnd - kDirectorySize);
    if (!source.Read(kDirectorySize, entries)) return {IcoProblem::ReadFailed, 0};
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = entries.data() + kEntrySize * static_cast<uint64_t>(i);
        const uint64_t size = Le32(entry + 8);
        const uint64_t offset = Le32(entry + 12);
        // Sums of two 32-bit values cannot wrap in 64 bits.
        if (offset < entriesEnd || offset + size > fileSize) return {IcoProblem::EntryOutsideFile, 0};
        if (const IcoProblem p = CheckPicture(source, offset, size); p != IcoProblem::None) return {p, 0};
    }
    result.images = count;
    return result;
}

}  // namespace tikora
