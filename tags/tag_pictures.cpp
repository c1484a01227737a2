// Pixel art of the tag editor's pictures: one character a pixel, '.' the background.
#include "tags/tag_pictures.h"

#include <map>

namespace tikora {

namespace {

using Rows = const char* [16];

Image Draw(const Rows& rows, uint32_t background, const std::map<char, uint32_t>& colours) {
    Image image(16, 16, background);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16 && rows[y][x]; ++x) {
            auto colour = colours.find(rows[y][x]);
            if (colour != colours.end()) image.At(x, y) = colour->second;
        }
    return image;
}

}  // namespace

Image TagEditorIconPicture() {
    static constexpr Rows kRows = {
        "................", "......kkkkkk....", "......kkkkkk....", "......k....k....",
        "......k....k....", "......k....k....", "......k....k....", "....kkk..kkk....",
        "...kkkk.kkkk....", "...kkkk.kkkk....", "....kk...kk.....", "................",
        "yyyyyyyyyyyyyyy.", "ybbbbbbbbbbbbby.", "yyyyyyyyyyyyyyy.", "................",
    };
    return Draw(kRows, kTagPictureBackground,
                {{'k', Rgb(16, 32, 96)}, {'y', Rgb(200, 160, 40)}, {'b', Rgb(255, 230, 140)}});
}

Image FolderPicture(uint32_t background) {
    static constexpr Rows kRows = {
        "................", "................", "..kkkkk.........", ".kyyyyyk........",
        ".kyyyyyykkkkkkk.", ".kyyyyyyyyyyyyk.", ".kykkkkkkkkkkkkk", ".kykyyyyyyyyyyyk",
        ".kkyyyyyyyyyyyk.", ".kkyyyyyyyyyyyk.", ".kyyyyyyyyyyyk..", ".kyyyyyyyyyyyk..",
        ".kkkkkkkkkkkkk..", "................", "................", "................",
    };
    return Draw(kRows, background, {{'k', Rgb(96, 72, 0)}, {'y', Rgb(240, 200, 80)}});
}

Image DeletePicture(uint32_t background) {
    static constexpr Rows kRows = {
        "................", "................", "...rr......rr...", "...rrr....rrr...",
        "....rrr..rrr....", ".....rrrrrr.....", "......rrrr......", "......rrrr......",
        ".....rrrrrr.....", "....rrr..rrr....", "...rrr....rrr...", "...rr......rr...",
        "................", "................", "................", "................",
    };
    return Draw(kRows, background, {{'r', Rgb(192, 0, 0)}});
}

Image UpdatePicture(uint32_t background) {
    static constexpr Rows kRows = {
        "................", "................", "............gg..", "...........ggg..",
        "..........ggg...", ".........ggg....", "..gg....ggg.....", "..ggg..ggg......",
        "...ggggggg......", "....ggggg.......", ".....ggg........", "......g.........",
        "................", "................", "................", "................",
    };
    return Draw(kRows, background, {{'g', Rgb(0, 128, 0)}});
}

}  // namespace tikora
