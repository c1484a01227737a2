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
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

bool KnownHeaderSize(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == kLargestHeaderSize;
}

bool SupportedBitCount(int bits, uint32_t compression, bool core) {
    if (core) return bits == 1 || bits == 4 || bits == 8 || bits == 24;
    if (compression == kBiRgb) return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (compression == kBiBitfields) return bits == 16 || bits == 32;
    if (compression == kBiRle8) return bits == 8;
    if (compression == kBiRle4) return bits == 4;
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
    if (compression == kBiRle8 || compression == kBiRle4) {
        if (layout.topDown) return fail(BmpProblem::UnsupportedFormat);  // run-length rows go bottom-up only
        layout.compression = compression == kBiRle8 ? BmpCompression::Rle8 : BmpCompression::Rle4;
    }
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
    if (layout.dataOffset > fileSize) return fail(BmpProblem::DataOutsideFile);
    if (layout.compression != BmpCompression::None) {
        // The declared size of the run-length data, or when it is 0 (allowed) the rest of the file.
        const uint64_t declared = Le32(head + 34);
        layout.dataSize = declared == 0 ? fileSize - layout.dataOffset : declared;
    } else {
        layout.rowStride = (static_cast<uint64_t>(width) * static_cast<uint64_t>(layout.bitCount) + 31) / 32 * 4;
        // Both factors are bounded by the budget check, so the product cannot wrap.
        layout.dataSize = layout.rowStride * static_cast<uint64_t>(height);
    }
    if (layout.dataSize > fileSize - layout.dataOffset) return fail(BmpProblem::DataOutsideFile);
    return result;
}

namespace {

uint32_t PaletteColour(const BmpLayout& layout, uint32_t index) {
    return index < layout.palette.size() ? layout.palette[index] : 0;
}

bool ReadPlainRows(ByteSource& source, const BmpLayout& layout, int columns, int rows, const BmpRowSink& sink) {
    Channel channels[3];
    for (int i = 0; i < 3; ++i) Channel::From(layout.masks[i], channels[i]);
    const int bits = layout.bitCount;
    const size_t rowBytes = (static_cast<size_t>(columns) * static_cast<size_t>(bits) + 7) / 8;
    std::vector<uint8_t> raw(rowBytes);
    std::vector<uint32_t> out(static_cast<size_t>(columns));
    // A palette of all 256 entries, so that no index needs a bounds check.
    std::vector<uint32_t> palette(256, 0);
    for (size_t i = 0; i < layout.palette.size() && i < palette.size(); ++i) palette[i] = layout.palette[i];
    for (int y = 0; y < rows; ++y) {
        const uint64_t fileRow = layout.topDown ? static_cast<uint64_t>(y) : static_cast<uint64_t>(layout.height - 1 - y);
        if (!source.Read(layout.dataOffset + fileRow * layout.rowStride, raw)) return false;
        const uint8_t* in = raw.data();
        uint32_t* pixel = out.data();
        if (bits == 8) {
            for (int x = 0; x < columns; ++x) pixel[x] = palette[in[x]];
        } else if (bits < 8) {
            const uint32_t mask = (1u << bits) - 1;
            for (int x = 0; x < columns; ++x) {
                const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                pixel[x] = palette[(in[bit / 8] >> shift) & mask];
            }
        } else if (bits == 24) {
            for (int x = 0; x < columns; ++x, in += 3) pixel[x] = Rgb(in[2], in[1], in[0]);
        } else {
            const size_t step = static_cast<size_t>(bits / 8);
            for (int x = 0; x < columns; ++x, in += step) {
                const uint32_t value = bits == 16 ? Le16(in) : Le32(in);
                pixel[x] = Rgb(channels[0].Value(value), channels[1].Value(value), channels[2].Value(value));
            }
        }
        sink(y, out.data());
    }
    return true;
}

// Run-length data: pairs of bytes. A count with a colour byte is a run (in BI_RLE4 the byte's two
// halves alternate); a 0 then starts an escape: 0 ends the line, 1 the bitmap, 2 moves on by the
// next two bytes (right, up), and 3 to 255 is that many pixels given one by one, padded to an
// even number of bytes. Rows go from the bottom up; only the first `columns` pixels of a row and
// the top `rows` rows are kept, but every run is checked against the whole picture. A row may be
// filled up to the width an uncompressed row would be stored in (its 32-bit padding), as common
// writers encode the padding too; those pixels are dropped. Past that a run is refused.
class RleDecoder {
public:
    RleDecoder(ByteSource& source, const BmpLayout& layout, int columns, int rows, const BmpRowSink& sink)
        : in_(source, layout.dataOffset, layout.dataSize),
          layout_(layout),
          four_(layout.compression == BmpCompression::Rle4),
          columns_(columns),
          firstKept_(layout.height - rows),
          sink_(sink),
          indices_(static_cast<size_t>(columns), 0),
          out_(static_cast<size_t>(columns)) {}

    bool Run() {
        // The stored row: 4 pixels for BI_RLE8, 8 for BI_RLE4.
        const int64_t width = four_ ? (int64_t{layout_.width} + 7) / 8 * 8 : (int64_t{layout_.width} + 3) / 4 * 4;
        const int64_t height = layout_.height;
        uint8_t pair[2];
        for (;;) {
            if (!in_.Read(pair)) return false;
            if (pair[0] != 0) {  // a run of one colour (two alternating colours in BI_RLE4)
                const int count = pair[0];
                if (y_ >= height || count > width - x_) return false;
                const uint8_t colours[2] = {four_ ? static_cast<uint8_t>(pair[1] >> 4) : pair[1],
                                            four_ ? static_cast<uint8_t>(pair[1] & 15) : pair[1]};
                for (int i = 0; i < count; ++i) Put(x_ + i, colours[i & 1]);
                x_ += count;
                continue;
            }
            switch (pair[1]) {
                case 0:  // end of line
                    if (y_ >= height) return false;
                    EndRow();
                    ++y_;
                    x_ = 0;
                    break;
                case 1:  // end of bitmap: the rows not reached keep colour 0
                    if (y_ < height) {
                        EndRow();
                        for (int64_t y = y_ + 1; y < height; ++y) BlankRow(y);
                    }
                    return true;
                case 2: {  // delta
                    uint8_t move[2];
                    if (!in_.Read(move)) return false;
                    if (y_ >= height || move[0] > width - x_ || move[1] >= height - y_) return false;
                    if (move[1] > 0) {
                        EndRow();
                        for (int64_t y = y_ + 1; y < y_ + move[1]; ++y) BlankRow(y);
                        y_ += move[1];
                    }
                    x_ += move[0];
                    break;
                }
                default: {  // pixels given one by one
                    const int count = pair[1];
                    if (y_ >= height || count > width - x_) return false;
                    const size_t bytes = four_ ? (static_cast<size_t>(count) + 1) / 2 : static_cast<size_t>(count);
                    uint8_t data[256];
                    if (!in_.Read(std::span(data, (bytes + 1) & ~size_t{1}))) return false;
                    for (int i = 0; i < count; ++i)
                        Put(x_ + i, four_ ? static_cast<uint8_t>(i & 1 ? data[i / 2] & 15 : data[i / 2] >> 4) : data[i]);
                    x_ += count;
                    break;
                }
            }
        }
    }

private:
    void Put(int64_t x, uint8_t index) {
        if (x < columns_) indices_[static_cast<size_t>(x)] = index;
    }
    bool Kept(int64_t y) const { return y >= firstKept_; }
    int ShownRow(int64_t y) const { return static_cast<int>(layout_.height - 1 - y); }

    void EndRow() {
        if (Kept(y_)) {
            for (int x = 0; x < columns_; ++x) out_[static_cast<size_t>(x)] = PaletteColour(layout_, indices_[static_cast<size_t>(x)]);
            sink_(ShownRow(y_), out_.data());
        }
        std::fill(indices_.begin(), indices_.end(), 0);
    }
    void BlankRow(int64_t y) {
        if (!Kept(y)) return;
        std::fill(out_.begin(), out_.end(), PaletteColour(layout_, 0));
        sink_(ShownRow(y), out_.data());
    }

    SequentialReader in_;
    const BmpLayout& layout_;
    bool four_;
    int columns_;
    int64_t firstKept_;  // the lowest file row (from the bottom) that is delivered
    const BmpRowSink& sink_;
    std::vector<uint8_t> indices_;
    std::vector<uint32_t> out_;
    int64_t x_ = 0;
    int64_t y_ = 0;  // file row, from the bottom
};

}  // namespace

bool ReadBmpRows(ByteSource& source, const BmpLayout& layout, int columns, int rows, const BmpRowSink& sink) {
    columns = std::clamp(columns, 0, layout.width);
    rows = std::clamp(rows, 0, layout.height);
    if (layout.compression != BmpCompression::None) return RleDecoder(source, layout, columns, rows, sink).Run();
    return ReadPlainRows(source, layout, columns, rows, sink);
}

Image ReadBmp(ByteSource& source, int maxWidth, int maxHeight) {
    const BmpCheck check = CheckBmp(source);
    if (check.problem != BmpProblem::None) Refuse();
    const BmpLayout& layout = check.layout;
    const int width = std::clamp(maxWidth, 0, layout.width);
    const int height = std::clamp(maxHeight, 0, layout.height);
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kBmpMaxConvertedPixels) Refuse();
    Image image(width, height);
    const bool read = ReadBmpRows(source, layout, width, height, [&](int y, const uint32_t* pixels) {
        std::copy(pixels, pixels + width, &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)]);
    });
    if (!read) Refuse();
    return image;
}

Image ReadBmpFile(const std::string& path, int maxWidth, int maxHeight) {
    FileSource source(path);
    if (!source.Opened()) Refuse();
    return ReadBmp(source, maxWidth, maxHeight);
}

}  // namespace tikora
