// Pixel drawing of the settings dialog's pictures.
#include "settings/settings_pictures.h"

#include <cmath>

namespace tikora {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Distance of the pixel centre (x, y) from the picture's centre.
double Radius(int x, int y) {
    const double dx = x + 0.5 - kSettingsPictureSize / 2.0;
    const double dy = y + 0.5 - kSettingsPictureSize / 2.0;
    return std::sqrt(dx * dx + dy * dy);
}

double Angle(int x, int y) {
    return std::atan2(y + 0.5 - kSettingsPictureSize / 2.0, x + 0.5 - kSettingsPictureSize / 2.0);
}

}  // namespace

Image SettingsIconPicture() {
    Image image(kSettingsPictureSize, kSettingsPictureSize, kSettingsIconBackground);
    const uint32_t steel = Rgb(96, 104, 120);
    const uint32_t face = Rgb(255, 255, 255);
    const uint32_t hand = Rgb(0, 0, 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double r = Radius(x, y);
            // Eight teeth: the rim reaches further out where the angle is near a tooth.
            const double tooth = std::cos(Angle(x, y) * 8) > 0.3 ? 8.0 : 6.2;
            if (r < 4.2) image.At(x, y) = face;
            else if (r < tooth) image.At(x, y) = steel;
        }
    }
    for (int i = 0; i < 3; ++i) image.At(7, 5 + i) = hand;  // hour hand to twelve
    for (int i = 0; i < 3; ++i) image.At(8 + i, 8) = hand;  // minute hand to three
    return image;
}

Image LoudspeakerPicture(uint32_t background) {
    Image image(kSettingsPictureSize, kSettingsPictureSize, background);
    const uint32_t body = Rgb(0, 0, 0);
    const uint32_t wave = Rgb(0, 0, 128);
    // The magnet: a small block on the left; the cone widens to the right.
    for (int y = 6; y <= 9; ++y)
        for (int x = 1; x <= 3; ++x) image.At(x, y) = body;
    for (int x = 4; x <= 7; ++x) {
        const int spread = x - 2;
        for (int y = 8 - spread; y <= 7 + spread; ++y) image.At(x, y) = body;
    }
    // Two waves: arcs around the cone's mouth.
    for (int y = 0; y < image.height; ++y) {
        for (int x = 9; x < image.width; ++x) {
            const double dx = x + 0.5 - 7.0;
            const double dy = y + 0.5 - 8.0;
            const double r = std::sqrt(dx * dx + dy * dy);
            if (std::fabs(dy) > dx * 1.2) continue;
            if ((r > 3.4 && r < 4.6) || (r > 6.4 && r < 7.6)) image.At(x, y) = wave;
        }
    }
    return image;
}

}  // namespace tikora
