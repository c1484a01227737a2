// Bitmaps and icons from an Image.
#include "ui/bitmap_win.h"

#include <algorithm>
#include <vector>

#include "core/errors.h"

namespace tikora::ui {

UniqueBitmap MakeEmptyBitmap(int width, int height, uint32_t** pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) throw AppError("Out of system resources");
    *pixels = static_cast<uint32_t*>(bits);
    return bitmap;
}

UniqueBitmap MakeBitmap(const Image& image) {
    uint32_t* pixels = nullptr;
    UniqueBitmap bitmap = MakeEmptyBitmap(image.width, image.height, &pixels);
    // 0x00RRGGBB is exactly the byte order of a 32-bit DIB pixel.
    std::copy(image.pixels.begin(), image.pixels.end(), pixels);
    return bitmap;
}

UniqueIcon MakeIcon(const Image& image, uint32_t transparent) {
    Image colour = image;
    // The mask is a 1-bit bitmap, rows padded to 16 bits: a set bit lets the background through.
    const int stride = ((image.width + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(stride) * image.height, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) != transparent) continue;
            mask[static_cast<size_t>(y) * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            colour.At(x, y) = 0;
        }
    }
    UniqueBitmap colourBitmap = MakeBitmap(colour);
    UniqueBitmap maskBitmap(CreateBitmap(image.width, image.height, 1, 1, mask.data()));
    if (!maskBitmap) throw AppError("Out of system resources");
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colourBitmap.get();
    info.hbmMask = maskBitmap.get();
    UniqueIcon icon(CreateIconIndirect(&info));
    if (!icon) throw AppError("Out of system resources");
    return icon;
}

}  // namespace tikora::ui
