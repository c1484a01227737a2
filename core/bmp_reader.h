#pragma once
// Our own reader of Windows bitmap files, so that no system loader ever sees a broken skin. It
// checks every declared size and offset against the file and the pixel budget below before it
// reads a pixel, and converts only the top-left part that the caller asks for.
//
// Read: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, BI_BITFIELDS (contiguous masks) for 16
// and 32 bits, rows stored bottom-up or top-down, the 12-byte core header and the 40, 52, 56, 108
// and 124-byte info headers, and the run-length kinds BI_RLE8 and BI_RLE4 (bottom-up only, as the
// format has them). Refused: embedded JPEG/PNG compression, and anything whose declared pixel data
// does not lie whole inside the file. Run-length data is checked as it is decoded: a run past its
// row, a delta past the picture, or data that ends before its end-of-bitmap mark is refused.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/byte_source.h"
#include "core/image.h"

namespace tikora {

// Pixel budget. A file may declare at most 2^30 pixels (32768 x 32768), and a single read
// converts at most 2^22 pixels (16 MB of 32-bit pixels); the clock asks for 286 x 37.
inline constexpr uint64_t kBmpMaxDeclaredPixels = uint64_t{1} << 30;
inline constexpr uint64_t kBmpMaxConvertedPixels = uint64_t{1} << 22;

enum class BmpProblem {
    None,
    NotBitmap,          // too short for the headers, or no "BM" signature
    UnsupportedHeader,  // an info header size we do not know
    BadDimensions,      // width or height zero, negative where not allowed, or unrepresentable
    UnsupportedFormat,  // bit count or compression we do not read, or a top-down run-length file
    BadMasks,           // BI_BITFIELDS masks that are empty or not contiguous
    OverBudget,         // more pixels than the budget allows
    PaletteOutsideFile,
    DataOutsideFile,    // the pixel data, as declared, does not lie whole inside the file
    ReadFailed,         // the file could not be opened or read (a folder, locked, shrunk)
};

const char* BmpProblemName(BmpProblem problem);

enum class BmpCompression { None, Rle8, Rle4 };

// Where and how the pixels of a checked file lie.
struct BmpLayout {
    int width = 0;
    int height = 0;  // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    bool bitfields = false;
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue, for 16 and 32 bits
    BmpCompression compression = BmpCompression::None;
    uint64_t dataOffset = 0;
    uint64_t dataSize = 0;   // the bytes of pixel data, all inside the file
    uint64_t rowStride = 0;  // uncompressed files only
    std::vector<uint32_t> palette;  // 0x00RRGGBB, for 1, 4 and 8 bits
};

struct BmpCheck {
    BmpProblem problem = BmpProblem::None;
    BmpLayout layout;
};

// Reads and checks the headers and the palette; touches no pixel data.
BmpCheck CheckBmp(ByteSource& source);

// Delivers the rows of a checked file as 0x00RRGGBB pixels, the first `columns` of each (at most the
// width), for the top `rows` rows as shown (row 0 is the top). Uncompressed rows come from the top
// down; run-length rows come as the file stores them, from the bottom up, and pixels the data skips
// take palette colour 0. False when the data is broken or a read fails, after the rows delivered so
// far; the pixels handed to `row` are valid during the call only.
using BmpRowSink = std::function<void(int row, const uint32_t* pixels)>;
bool ReadBmpRows(ByteSource& source, const BmpLayout& layout, int columns, int rows, const BmpRowSink& row);
inline bool BmpRowsFromBottom(const BmpLayout& layout) { return layout.compression != BmpCompression::None; }

// The top-left min(width, maxWidth) x min(height, maxHeight) pixels as shown (the first rows of a
// bottom-up file are its last). Throws PictureError "Bitmap image is not valid" for any problem.
Image ReadBmp(ByteSource& source, int maxWidth, int maxHeight);
Image ReadBmpFile(const std::string& path, int maxWidth, int maxHeight);

}  // namespace tikora
