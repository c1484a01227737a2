// The About dialog's addresses and banner background.
#include "settings/about_content.h"

namespace tikora {

namespace {

constexpr unsigned kOrange[3] = {240, 120, 16};
constexpr unsigned kYellow[3] = {255, 222, 64};
constexpr uint32_t kFrame = Rgb(176, 80, 0);

unsigned Mix(unsigned from, unsigned to, int step, int steps) {
    return from + (static_cast<int>(to) - static_cast<int>(from)) * step / steps;
}

}  // namespace

std::string LinkAddress(const std::string& shown) { return "https://" + shown; }

Image BannerBackground(int width, int height) {
    Image banner(width, height);
    const int steps = width > 1 ? width - 1 : 1;
    for (int x = 0; x < width; ++x) {
        const uint32_t colour = Rgb(Mix(kOrange[0], kYellow[0], x, steps), Mix(kOrange[1], kYellow[1], x, steps),
                                    Mix(kOrange[2], kYellow[2], x, steps));
        for (int y = 0; y < height; ++y) {
            const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            banner.At(x, y) = edge ? kFrame : colour;
        }
    }
    return banner;
}

}  // namespace tikora
