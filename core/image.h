#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

namespace tikora {

// A plain 32-bit picture, pixels row by row from the top, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(PixelCount(w, h), fill) {}
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }

    // width x height computed in 64 bits: in a 32-bit build the product of two ints can pass
    // 2^32 and wrap to a small buffer. Throws std::length_error for what no vector can hold.
    static size_t PixelCount(int w, int h) {
        if (w < 0 || h < 0) throw std::length_error("negative picture size");
        const uint64_t count = static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
        if (count > std::numeric_limits<size_t>::max() / sizeof(uint32_t)) throw std::length_error("picture too large");
        return static_cast<size_t>(count);
    }
};

constexpr uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return (r << 16) | (g << 8) | b; }

}  // namespace tikora
