// Pixel drawing of the alarm windows' icons.
#include "alarms/alarm_pictures.h"

#include <cmath>

namespace tikora {

namespace {

double Distance(int x, int y, double cx, double cy) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy); }

Image Blank() { return Image(kAlarmPictureSize, kAlarmPictureSize, kAlarmIconBackground); }

}  // namespace

Image BellPicture() {
    Image image = Blank();
    const uint32_t gold = Rgb(224, 176, 32);
    const uint32_t edge = Rgb(128, 88, 0);
    for (int y = 2; y <= 12; ++y) {
        // The bell widens from a round top to a flared rim.
        const int half = y < 5 ? 2 + (y - 2) / 2 : 3 + (y - 5) / 2;
        for (int x = 8 - half; x < 8 + half; ++x) image.At(x, y) = (x == 8 - half || x == 7 + half) ? edge : gold;
    }
    for (int x = 2; x < 14; ++x) image.At(x, 12) = edge;
    for (int y = 13; y <= 14; ++y)
        for (int x = 7; x <= 8; ++x) image.At(x, y) = edge;  // the clapper
    image.At(7, 1) = edge;
    image.At(8, 1) = edge;
    return image;
}

Image PowerPicture() {
    Image image = Blank();
    const uint32_t red = Rgb(200, 24, 24);
    for (int y = 0; y < kAlarmPictureSize; ++y) {
        for (int x = 0; x < kAlarmPictureSize; ++x) {
            const double r = Distance(x, y, 8.0, 8.5);
            const bool gap = y < 7 && x >= 6 && x <= 9;
            if (r > 4.6 && r < 6.6 && !gap) image.At(x, y) = red;
        }
    }
    for (int y = 1; y <= 8; ++y) {
        image.At(7, y) = red;
        image.At(8, y) = red;
    }
    return image;
}

Image NotePicture() {
    Image image = Blank();
    const uint32_t paper = Rgb(255, 236, 120);
    const uint32_t edge = Rgb(150, 120, 20);
    const uint32_t ink = Rgb(40, 40, 120);
    for (int y = 1; y <= 14; ++y)
        for (int x = 2; x <= 13; ++x)
            image.At(x, y) = (x == 2 || x == 13 || y == 1 || y == 14) ? edge : paper;
    for (int line : {4, 7, 10})
        for (int x = 4; x <= (line == 10 ? 8 : 11); ++x) image.At(x, line) = ink;
    return image;
}

}  // namespace tikora
