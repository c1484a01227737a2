#pragma once
// The picture viewer's decoding layer for JPEG, PNG, GIF and bitmap files, on libjpeg, libpng,
// giflib and our own bitmap reader (core/bmp_reader).
// It decodes straight to the size the viewer shows: at actual size, or shrunk proportionally into
// a box. A shrunk JPEG is decoded at a reduced scale first (1/2, 1/4 or 1/8, never below the box),
// and every shrink ends in an area average, so that fine detail does not shimmer. The file's bytes
// are read in pieces as the library asks for them and rows stream into the shrinker, so memory
// follows the shown size, not the file's.
//
// Nothing here throws or ends the program on a bad file: truncated, corrupt, empty, the wrong kind
// or too large, each comes back as a problem with an empty image.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/byte_source.h"
#include "core/image.h"

namespace tikora {

// How much a file may ask of us. A file may declare at most 2^28 pixels (16384 x 16384); more is
// refused before a row is decoded, which bounds the time. The shown picture may hold as many in a
// 64-bit program (1 GB of 32-bit pixels). A 32-bit program has 2 GB of address space, shared with
// its code, its libraries and the file being read, and needs the picture in one piece: there the
// shown picture may hold at most 2^26 pixels (256 MB, 8192 x 8192, which still takes a 50
// megapixel photograph at actual size); a larger one shows only shrunk. Interlaced PNGs and GIFs
// are decoded whole before they are shrunk, so their full size must fit 2^25 pixels (128 MB).
inline constexpr uint64_t kMaxDeclaredPixels = uint64_t{1} << 28;
inline constexpr uint64_t kMaxShownPixels = sizeof(void*) >= 8 ? kMaxDeclaredPixels : uint64_t{1} << 26;
inline constexpr uint64_t kMaxWholePixels = uint64_t{1} << 25;

enum class PictureFormat { Jpeg, Png, Gif, Bmp, System, Unknown };

// Chosen from the extension, without regard to case: .jpg and .jpeg, .png, .gif, .bmp; .ico, .emf
// and .wmf are the system's own pictures.
PictureFormat PictureFormatOf(std::string_view path);

enum class DecodeProblem {
    None,
    Empty,       // no bytes at all
    NotPicture,  // the signature is not the one of the format
    Corrupt,     // the library stopped on the data, or the data ended early
    NoFrames,    // a GIF without a picture in it
    OverBudget,  // more pixels than the limits above allow
};

const char* DecodeProblemName(DecodeProblem problem);

struct DecodeRequest {
    // The box to fit into, shrinking only; 0 x 0 shows the picture at its actual size.
    int fitWidth = 0;
    int fitHeight = 0;
    // What shows through transparent and half-transparent pixels (0x00RRGGBB).
    uint32_t background = 0;
};

struct DecodedPicture {
    DecodeProblem problem = DecodeProblem::None;
    int width = 0;   // the picture's own size, as the file declares it
    int height = 0;
    Image image;     // the pixels as shown; empty when there is a problem
};

// The size a width x height picture shows at in a box, proportional and never enlarged; each side
// at least 1. A box with a side of 0 or less means actual size.
struct ShownSize {
    int width;
    int height;
};
ShownSize FitInto(int width, int height, int boxWidth, int boxHeight);

// Where the shown pixels go, asked for once the shown size is known: a buffer of width x height
// pixels, rows from the top (a DIB section, say, so that a large picture is written once and never
// copied). With a target the result's image stays empty; on a problem the buffer may hold a part.
using PixelTarget = std::function<uint32_t*(int width, int height)>;

DecodedPicture DecodePicture(PictureFormat format, ByteSource& source, const DecodeRequest& request,
                             const PixelTarget& target = {});
// The same over bytes in memory.
DecodedPicture DecodePicture(PictureFormat format, const uint8_t* data, size_t size, const DecodeRequest& request,
                             const PixelTarget& target = {});

}  // namespace tikora
