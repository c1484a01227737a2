#include "tools/bmp_writer.h"

#include "tools/byte_writer.h"

namespace tikora {

std::vector<uint8_t> EncodeBmp(const Image& image) {
    constexpr uint32_t kHeadersSize = 14 + 40;
    constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
    // Each row is padded to a multiple of four bytes.
    uint32_t rowSize = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    uint32_t pixelsSize = rowSize * static_cast<uint32_t>(image.height);

    std::vector<uint8_t> out;
    out.reserve(kHeadersSize + pixelsSize);
    ByteWriter w(out);
    // BITMAPFILEHEADER
    w.Tag("BM");
    w.U32(kHeadersSize + pixelsSize);
    w.U32(0);
    w.U32(kHeadersSize);
    // BITMAPINFOHEADER; a positive height means bottom-up rows.
    w.U32(40);
    w.I32(image.width);
    w.I32(image.height);
    w.U16(1);
    w.U16(24);
    w.U32(0);  // BI_RGB
    w.U32(pixelsSize);
    w.I32(kPixelsPerMetre);
    w.I32(kPixelsPerMetre);
    w.U32(0);
    w.U32(0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            uint32_t pixel = image.At(x, y);
            w.U8(pixel);
            w.U8(pixel >> 8);
            w.U8(pixel >> 16);
        }
        w.Zeros(rowSize - static_cast<uint32_t>(image.width) * 3);
    }
    return out;
}

}  // namespace tikora
