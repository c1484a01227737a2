// Checks and decodes Windows bitmap files with portable code; see bmp_reader.h for what is read.
#include "core/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "core/errors.h"

namespace tikora {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kLargestHeaderSize = 124;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

bool KnownHeaderSize(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == kLargestHeaderSize;
}

bool SupportedBitCount(int bits, uint32_t compression, bool core) {
    if (core) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
    if (compression == kBiRgb) return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (compression == kBiBitfields) return bits == 16 || bits == 32;
    return false;
}

// One colour channel of a BI_BITFIELDS pixel, scaled to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    static bool From(uint32_t mask, Channel& out) {
        out.mask = mask;
        if (mask == 0) return true;  // the channel is simply dark
        out.shift = std::countr_zero(mask);
        const uint32_t field = mask >> out.shift;
        if ((field & (field + 1)) != 0) return false;  // holes in the mask
        out.bits = std::popcount(field);
        return true;
    }
    uint32_t Value(uint32_t pixel) const {
        if (bits == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        const uint32_t top = (uint32_t{1} << bits) - 1;
        return (v * 255 + top / 2) / top;
    }
};

[[noreturn]] void Refuse() { throw PictureError("Bitmap image is not valid"); }

}  // namespace

const char* BmpProblemName(BmpProblem problem) {
    switch (problem) {
        case BmpProblem::None: return "none";
        case BmpProblem::NotBitmap: return "not a bitmap";
        case BmpProblem::UnsupportedHeader: return "unsupported header";
        case BmpProblem::BadDimensions: return "bad dimensions";
        case BmpProblem::UnsupportedFormat: return "unsupported format";
        case BmpProblem::BadMasks: return "bad masks";
        case BmpProblem::OverBudget: return "over the pixel budget";
        case BmpProblem::PaletteOutsideFile: return "palette outside the file";
        case BmpProblem::DataOutsideFile: return "pixel data outside the file";
        case BmpProblem::ReadFailed: return "read failed";
    }
    return "?";
}

BmpCheck CheckBmp(ByteSource& source) {
    BmpCheck result;
    auto fail = [&](BmpProblem p) {
        result.problem = p;
        result.layout = BmpLayout{};
        return result;
    };
    const uint64_t fileSize = source.Size();
    uint8_t head[kFileHeaderSize + kLargestHeaderSize + 12] = {};
    if (fileSize < kFileHeaderSize + 4) return fail(BmpProblem::NotBitmap);
    if (!source.Read(0, std::span(head, kFileHeaderSize + 4))) return fail(BmpProblem::ReadFailed);
    if (head[0] != 'B' || head[1] != 'M') return fail(BmpProblem::NotBitmap);
    const uint32_t headerSize = Le32(head + 14);
    if (!KnownHeaderSize(headerSize)) return fail(BmpProblem::UnsupportedHeader);
    const bool core = headerSize == kCoreHeaderSize;
    if (fileSize < kFileHeaderSize + headerSize) return fail(BmpProblem::NotBitmap);
    if (!source.Read(kFileHeaderSize + 4, std::span(head + kFileHeaderSize + 4, headerSize - 4)))
        return fail(BmpProblem::ReadFailed);

    BmpLayout& layout = result.layout;
    int64_t width = 0;
    int64_t height = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    if (core) {
        width = Le16(head + 18);
        height = Le16(head + 20);
        layout.bitCount = Le16(head + 24);
    } else {
        width = static_cast<int32_t>(Le32(head + 18));
        height = static_cast<int32_t>(Le32(head + 22));
        layout.bitCount = Le16(head + 28);
        compression = Le32(head + 30);
        colorsUsed = Le32(head + 46);
    }
    if (height < 0) {
        layout.topDown = true;
        height = -height;  // INT_MIN stays representable in 64 bits and fails the budget below
    }
    if (width <= 0 || height <= 0) return fail(BmpProblem::BadDimensions);
    if (!SupportedBitCount(layout.bitCount, compression, core)) return fail(BmpProblem::UnsupportedFormat);
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kBmpMaxDeclaredPixels ||
        height > std::numeric_limits<int>::max())
        return fail(BmpProblem::OverBudget);
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);

    uint64_t paletteOffset = kFileHeaderSize + headerSize;
    if (compression == kBiBitfields) {
        // The masks follow a 40-byte header and are part of every larger one; either way at 54.
        if (headerSize == kInfoHeaderSize) {
            if (fileSize < paletteOffset + 12) return fail(BmpProblem::NotBitmap);
            if (!source.Read(paletteOffset, std::span(head + paletteOffset, 12))) return fail(BmpProblem::ReadFailed);
            paletteOffset += 12;
        }
        layout.bitfields = true;
        for (int i = 0; i < 3; ++i) layout.masks[i] = Le32(head + 54 + 4 * i);
    } else if (layout.bitCount == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (layout.bitCount == 32) {
        layout.masks[0] = 0xFF0000;
        layout.masks[1] = 0x00FF00;
        layout.masks[2] = 0x0000FF;
    }
    Channel unused;
    for (uint32_t mask : layout.masks)
        if (!Channel::From(mask, unused)) return fail(BmpProblem::BadMasks);

    if (layout.bitCount <= 8) {
        const uint32_t most = uint32_t{1} << layout.bitCount;
        const uint32_t count = (colorsUsed == 0 || colorsUsed > most) ? most : colorsUsed;
        const uint32_t entrySize = core ? 3 : 4;
        const uint64_t bytes = uint64_t{count} * entrySize;
        if (paletteOffset + bytes > fileSize) return fail(BmpProblem::PaletteOutsideFile);
        std::vector<uint8_t> raw(bytes);
        if (!source.Read(paletteOffset, raw)) return fail(BmpProblem::ReadFailed);
        layout.palette.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = raw.data() + uint64_t{i} * entrySize;
            layout.palette[i] = Rgb(e[2], e[1], e[0]);
        }
        paletteOffset += bytes;
    }

    const uint64_t offBits = Le32(head + 10);
    // Some writers leave the offset 0: the pixels then follow the palette.
    layout.dataOffset = offBits == 0 ? paletteOffset : offBits;
    layout.rowStride = (static_cast<uint64_t>(width) * static_cast<uint64_t>(layout.bitCount) + 31) / 32 * 4;
    // Both factors are bounded by the budget check, so the product cannot wrap.
    const uint64_t dataSize = layout.rowStride * static_cast<uint64_t>(height);
    if (layout.dataOffset > fileSize || dataSize > fileSize - layout.dataOffset)
        return fail(BmpProblem::DataOutsideFile);
    return result;
}

Image ReadBmp(ByteSource& source, int maxWidth, int maxHeight) {
    const BmpCheck check = CheckBmp(source);
    if (check.problem != BmpProblem::None) Refuse();
    const BmpLayout& layout = check.layout;
    const int width = std::clamp(maxWidth, 0, layout.width);
    const int height = std::clamp(maxHeight, 0, layout.height);
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kBmpMaxConvertedPixels) Refuse();

    Channel channels[3];
    for (int i = 0; i < 3; ++i) Channel::From(layout.masks[i], channels[i]);
    const int bits = layout.bitCount;
    const size_t rowBytes = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 7) / 8;
    std::vector<uint8_t> row(rowBytes);
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const uint64_t fileRow = layout.topDown ? static_cast<uint64_t>(y) : static_cast<uint64_t>(layout.height - 1 - y);
        if (!source.Read(layout.dataOffset + fileRow * layout.rowStride, row)) Refuse();
        uint32_t* out = &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)];
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = 0;
            if (bits <= 8) {
                const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const uint32_t index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
                pixel = index < layout.palette.size() ? layout.palette[index] : 0;
            } else if (bits == 24) {
                const uint8_t* p = &row[static_cast<size_t>(x) * 3];
                pixel = Rgb(p[2], p[1], p[0]);
            } else {
                const uint8_t* p = &row[static_cast<size_t>(x) * static_cast<size_t>(bits / 8)];
                const uint32_t raw = bits == 16 ? Le16(p) : Le32(p);
                pixel = Rgb(channels[0].Value(raw), channels[1].Value(raw), channels[2].Value(raw));
            }
            out[x] = pixel;
        }
    }
    return image;
}

Image ReadBmpFile(const std::string& path, int maxWidth, int maxHeight) {
    FileSource source(path);
    if (!source.Opened()) Refuse();
    return ReadBmp(source, maxWidth, maxHeight);
}

}  // namespace tikora
