#pragma once
// Pictures made in memory for the decoding tests, written by the same libraries the program reads
// them with, and the header surgery that makes bad ones from good ones.
#include <cstdint>
#include <vector>

#include "core/image.h"

namespace tikora::testing {

using Bytes = std::vector<uint8_t>;

Bytes EncodeJpeg(const Image& image, bool progressive = false, int quality = 95);
// alpha: one byte per pixel, or empty for an opaque picture.
Bytes EncodePng(const Image& image, const std::vector<uint8_t>& alpha = {}, bool interlaced = false);

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> indices;  // width x height
    bool interlaced = false;
    int transparent = -1;
};
// A palette of up to 256 colours (0x00RRGGBB); no frames gives a file with none.
Bytes EncodeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& palette, const std::vector<GifFrame>& frames);

// Rewrite the declared size of a file made above (PNG keeps a valid header checksum).
void SetPngSize(Bytes& png, uint32_t width, uint32_t height);
void SetJpegSize(Bytes& jpeg, uint16_t width, uint16_t height);
void SetGifScreen(Bytes& gif, uint16_t width, uint16_t height);

// A picture with something to see: a colour ramp across, a different one down.
Image Gradient(int width, int height);

}  // namespace tikora::testing
