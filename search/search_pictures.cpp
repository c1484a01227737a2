// The search window's pictures as character grids, one character per pixel.
#include "search/search_pictures.h"

#include <cstring>

namespace tikora {

namespace {

// ' ' is the background; the other characters name colours.
uint32_t ColourOf(char c, uint32_t background) {
    switch (c) {
        case 'k': return Rgb(0, 0, 0);
        case 'g': return Rgb(128, 128, 128);
        case 'w': return Rgb(255, 255, 255);
        case 'b': return Rgb(40, 90, 200);
        case 'c': return Rgb(150, 200, 255);
        case 'y': return Rgb(240, 200, 60);
        case 'o': return Rgb(180, 130, 20);
        case 'G': return Rgb(0, 160, 0);
        default: return background;
    }
}

Image FromRows(const char* const* rows, int size, uint32_t background) {
    Image image(size, size, background);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size && rows[y][x]; ++x) image.At(x, y) = ColourOf(rows[y][x], background);
    return image;
}

constexpr const char* kSearch[16] = {
    "                ", "   kkkk         ", "  kccwck        ", " kcwcccck       ", " kcccccck       ",
    " kcccccck       ", " kcccccck       ", "  kcccck        ", "   kkkkgk       ", "       kgk      ",
    "        kgk     ", "         kgk    ", "          kgk   ", "           kk   ", "                ",
    "                ",
};
constexpr const char* kCopy[16] = {
    "                ", " kkkkkkk        ", " kwwwwwkk       ", " kwgggwkwk      ", " kwwwwwkkkk     ",
    " kwgggkkkkkkk   ", " kwwwwkwwwwwkk  ", " kwgggkwgggwkwk ", " kwwwwkwwwwwkkkk", " kkkkkkwggggggwk",
    "      kwwwwwwwwk", "      kwggggggwk", "      kwwwwwwwwk", "      kwggggggwk", "      kwwwwwwwwk",
    "      kkkkkkkkkk",
};
constexpr const char* kFolder[16] = {
    "                ", "                ", "  kkkk          ", " kyyyyk         ", " kyyyyykkkkkk   ",
    " kyyyyyyyyyyyk  ", " kykkkkkkkkkkkkk", " kykoooooooooook", " kyko oooooooook", " kkooooooooooook",
    " kkooooooooooook", " kooooooooooooko", " kkkkkkkkkkkkkk ", "                ", "                ",
    "                ",
};
constexpr const char* kPresets[16] = {
    "                ", " kkkkkkkkk      ", " kwwwwwwwk      ", " kwbbbbbwk      ", " kwwwwwwwk      ",
    " kwbbbbbwk  GG  ", " kwwwwwwwk  GG  ", " kwbbbbbwkGGGGGG", " kwwwwwwwkGGGGGG", " kwbbbbbwk  GG  ",
    " kwwwwwwwk  GG  ", " kkkkkkkkk      ", "                ", "                ", "                ",
    "                ",
};
constexpr const char* kOpenFile[16] = {
    "                ", "  kkkkkkk       ", "  kwwwwwkk      ", "  kwwwwwkwk     ", "  kwgggwkkkk    ",
    "  kwwwwwwwwk    ", "  kwggggggwk    ", "  kwwwwwwwwk    ", "  kwgggbwwwk    ", "  kwwwwbbwwk    ",
    "  kwbbbbbbbk    ", "  kwbbbbbbbbk   ", "  kwbbbbbbbk    ", "  kwwwwbbwwk    ", "  kkkkkbkkkk    ",
    "                ",
};
constexpr const char* kBox[13] = {
    "ggggggggggggg", "gkkkkkkkkkkkw", "gkwwwwwwwwwww", "gkwwwwwwwwwww", "gkwwwwwwwwwww",
    "gkwwwwwwwwwww", "gkwwwwwwwwwww", "gkwwwwwwwwwww", "gkwwwwwwwwwww", "gkwwwwwwwwwww",
    "gkwwwwwwwwwww", "gkwwwwwwwwwww", "wwwwwwwwwwwww",
};
constexpr const char* kTick[13] = {
    "             ", "             ", "             ", "         G   ", "        GG   ",
    "   G   GGG   ", "   GG GGG    ", "   GGGGG     ", "    GGG      ", "     G       ",
    "             ", "             ", "             ",
};

}  // namespace

std::vector<Image> SearchToolPictures() {
    return {FromRows(kSearch, 16, kSearchPictureKey), FromRows(kCopy, 16, kSearchPictureKey),
            FromRows(kFolder, 16, kSearchPictureKey), FromRows(kPresets, 16, kSearchPictureKey),
            FromRows(kOpenFile, 16, kSearchPictureKey)};
}

Image SearchIconPicture() { return FromRows(kSearch, 16, kSearchPictureKey); }

Image AttributeBoxPicture(bool ticked, uint32_t background) {
    Image image = FromRows(kBox, 13, background);
    if (ticked)
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                if (kTick[y][x] == 'G') image.At(x, y) = ColourOf('G', background);
    return image;
}

}  // namespace tikora
