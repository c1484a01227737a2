#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tikora {

// A plain 32-bit picture, pixels row by row from the top, each 0x00RRGGBB.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    Image() = default;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return (r << 16) | (g << 8) | b; }

}  // namespace tikora
