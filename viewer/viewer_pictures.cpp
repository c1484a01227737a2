// The viewer's pictures, built from a few filled shapes so each reads at 16 x 16.
#include "viewer/viewer_pictures.h"

namespace tikora {

namespace {

constexpr uint32_t kBlack = Rgb(0, 0, 0);
constexpr uint32_t kGrey = Rgb(128, 128, 128);
constexpr uint32_t kWhite = Rgb(255, 255, 255);
constexpr uint32_t kYellow = Rgb(240, 200, 60);
constexpr uint32_t kOchre = Rgb(180, 130, 20);
constexpr uint32_t kBlue = Rgb(40, 90, 200);
constexpr uint32_t kSky = Rgb(150, 200, 255);
constexpr uint32_t kGreen = Rgb(0, 150, 0);
constexpr uint32_t kRed = Rgb(200, 30, 30);

Image Blank() { return Image(16, 16, kViewerPictureKey); }

void Fill(Image& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (x >= 0 && y >= 0 && x < image.width && y < image.height) image.At(x, y) = colour;
}

// A filled box with a one-pixel frame.
void Box(Image& image, int x0, int y0, int x1, int y1, uint32_t frame, uint32_t inside) {
    Fill(image, x0, y0, x1, y1, frame);
    Fill(image, x0 + 1, y0 + 1, x1 - 1, y1 - 1, inside);
}

void Folder(Image& image, bool open) {
    Box(image, 1, 3, 6, 5, kBlack, kYellow);
    Box(image, 1, 4, 14, 13, kBlack, kYellow);
    if (open) {
        Fill(image, 3, 8, 15, 8, kBlack);
        Fill(image, 3, 9, 14, 12, kOchre);
        Fill(image, 2, 13, 14, 13, kBlack);
    }
}

void Page(Image& image, int x0, int y0, int x1, int y1) {
    Box(image, x0, y0, x1, y1, kBlack, kWhite);
    for (int y = y0 + 2; y < y1 - 1; y += 2) Fill(image, x0 + 2, y, x1 - 2, y, kGrey);
}

void Plus(Image& image, int cx, int cy, uint32_t colour) {
    Fill(image, cx - 3, cy - 1, cx + 3, cy, colour);
    Fill(image, cx - 1, cy - 3, cx, cy + 3, colour);
}

Image Landscape() {
    Image image = Blank();
    Box(image, 0, 2, 15, 13, kBlack, kSky);
    Fill(image, 11, 4, 12, 5, kYellow);
    for (int x = 1; x < 15; ++x) {
        const int hill = x < 8 ? 12 - x : x - 3;  // a peak near the middle
        Fill(image, x, hill < 6 ? 6 : hill, x, 12, kGreen);
    }
    return image;
}

Image AddFolder() {
    Image image = Blank();
    Folder(image, false);
    Plus(image, 11, 11, kGreen);
    return image;
}

Image ClearList() {
    Image image = Blank();
    for (int i = 2; i <= 13; ++i) {
        Fill(image, i, i, i + 1, i, kRed);
        Fill(image, 15 - i - 1, i, 15 - i, i, kRed);
    }
    return image;
}

Image CopyTo() {
    Image image = Blank();
    Page(image, 1, 1, 9, 11);
    Page(image, 6, 4, 14, 14);
    return image;
}

Image View() {
    Image image = Blank();
    Box(image, 0, 1, 15, 11, kBlack, kBlue);
    Fill(image, 2, 3, 13, 9, kSky);
    Fill(image, 6, 12, 9, 13, kGrey);
    Fill(image, 3, 14, 12, 14, kBlack);
    return image;
}

Image ShowHideList() {
    Image image = Blank();
    Box(image, 1, 1, 14, 14, kBlack, kWhite);
    Fill(image, 6, 2, 6, 13, kGrey);
    for (int y = 3; y <= 12; y += 3) Fill(image, 2, y, 4, y, kBlue);
    return image;
}

Image ActualSize() {
    Image image = Blank();
    Box(image, 0, 0, 15, 15, kBlack, kSky);
    // "1:1"
    Fill(image, 4, 4, 4, 11, kBlack);
    Fill(image, 3, 5, 3, 5, kBlack);
    Fill(image, 7, 6, 8, 6, kBlack);
    Fill(image, 7, 10, 8, 10, kBlack);
    Fill(image, 11, 4, 11, 11, kBlack);
    Fill(image, 10, 5, 10, 5, kBlack);
    return image;
}

Image Settings() {
    Image image = Blank();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15;
            const int dy = 2 * y - 15;
            const int d = dx * dx + dy * dy;
            const bool tooth = (x >= 7 && x <= 8) || (y >= 7 && y <= 8) || dx == dy || dx == -dy ||
                               dx == dy + 2 || dx == -dy + 2;
            if (d <= 100 || (tooth && d <= 225)) image.At(x, y) = kGrey;
            if (d <= 64 && d > 16) image.At(x, y) = Rgb(90, 90, 90);
            if (d <= 16) image.At(x, y) = kViewerPictureKey;
        }
    return image;
}

Image OpenFolder() {
    Image image = Blank();
    Folder(image, true);
    return image;
}

}  // namespace

std::vector<Image> ViewerToolPictures() {
    return {AddFolder(), ClearList(), CopyTo(), View(), ShowHideList(), ActualSize(), Settings(), OpenFolder()};
}

Image ViewerIconPicture() { return Landscape(); }

}  // namespace tikora
