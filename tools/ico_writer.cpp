#include "tools/ico_writer.h"

#include <stdexcept>

#include "tools/byte_writer.h"

namespace tikora {
namespace {

uint32_t MaskRowSize(int width) { return ((static_cast<uint32_t>(width) + 31) / 32) * 4; }

uint32_t ImageSize(const ArgbImage& picture) {
    uint32_t h = static_cast<uint32_t>(picture.height);
    return 40 + static_cast<uint32_t>(picture.width) * 4 * h + MaskRowSize(picture.width) * h;
}

void WriteImage(ByteWriter& w, const ArgbImage& picture) {
    // BITMAPINFOHEADER; the height counts the colour bitmap and the mask together.
    w.U32(40);
    w.I32(picture.width);
    w.I32(picture.height * 2);
    w.U16(1);
    w.U16(32);
    w.U32(0);  // BI_RGB
    w.U32(ImageSize(picture) - 40);
    w.U32(0);
    w.U32(0);
    w.U32(0);
    w.U32(0);
    // Both bitmaps bottom-up. Fully transparent pixels are stored as zero so no stray colour
    // shows through on systems that ignore alpha.
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            uint32_t pixel = picture.At(x, y);
            w.U32((pixel >> 24) == 0 ? 0 : pixel);
        }
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        uint32_t written = 0;
        for (int x0 = 0; x0 < picture.width; x0 += 8) {
            uint32_t bits = 0;
            for (int bit = 0; bit < 8 && x0 + bit < picture.width; ++bit) {
                if ((picture.At(x0 + bit, y) >> 24) < kMaskAlphaThreshold) bits |= 0x80u >> bit;
            }
            w.U8(bits);
            ++written;
        }
        w.Zeros(MaskRowSize(picture.width) - written);
    }
}

}  // namespace

std::vector<uint8_t> EncodeIco(std::span<const ArgbImage> pictures) {
    for (const ArgbImage& picture : pictures) {
        if (picture.width < 1 || picture.width > 256 || picture.height < 1 || picture.height > 256)
            throw std::invalid_argument("icon pictures must be 1 to 256 pixels wide and high");
    }
    std::vector<uint8_t> out;
    ByteWriter w(out);
    // ICONDIR
    w.U16(0);
    w.U16(1);  // icon, not cursor
    w.U16(static_cast<uint32_t>(pictures.size()));
    // ICONDIRENTRY per picture; a size of 256 is written as 0.
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(pictures.size());
    for (const ArgbImage& picture : pictures) {
        w.U8(picture.width & 0xFF);
        w.U8(picture.height & 0xFF);
        w.U8(0);  // no palette
        w.U8(0);
        w.U16(1);  // planes
        w.U16(32);
        w.U32(ImageSize(picture));
        w.U32(offset);
        offset += ImageSize(picture);
    }
    for (const ArgbImage& picture : pictures) WriteImage(w, picture);
    return out;
}

}  // namespace tikora
