#pragma once
// Icon files holding one or more square 32-bit pictures with alpha. Each picture also carries
// the one-bit AND mask that systems without alpha blending use for transparency.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tikora {

// Pixels row by row from the top, each 0xAARRGGBB with straight (not premultiplied) alpha.
struct ArgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    ArgbImage() = default;
    ArgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A pixel with less alpha than this is transparent in the AND mask.
inline constexpr uint32_t kMaskAlphaThreshold = 128;

// Pictures must be 1 to 256 pixels wide and high.
std::vector<uint8_t> EncodeIco(std::span<const ArgbImage> pictures);

}  // namespace tikora
