#pragma once
// Bitmap and icon files made to order for the reader tests: well-formed ones in every depth the
// reader takes, and the corpus of broken skins and icons that the program must survive.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/image.h"

namespace tikora::testing {

struct BmpSpec {
    int width = 286;
    int height = 37;        // written as given: negative means rows stored top-down
    int bits = 24;          // 1, 4, 8, 16, 24 or 32
    int headerSize = 40;    // 12, 40, 108 or 124
    uint32_t compression = 0;
    uint32_t masks[3] = {0, 0, 0};  // written for compression 3
    uint32_t colorsUsed = 0;        // palette entries written; 0: 2^bits for up to 8 bits
    // Pixel value at (x, y) as shown, y from the top: a palette index for up to 8 bits, the raw
    // little-endian value for 16 and 32, 0x00RRGGBB for 24. Unset: all zero.
    std::function<uint32_t(int x, int y)> pixel = {};
    // Palette entry i as 0x00RRGGBB. Unset: grey levels.
    std::function<uint32_t(int i)> palette = {};
};

std::string EncodeTestBmp(const BmpSpec& spec);

// A run-length bitmap (BI_RLE8 for 8 bits, BI_RLE4 for 4) of the given size with the data as given
// and a grey palette (entry i is i * 0x010101). declaredSize: the header's size of the data;
// -1 writes the data's true size, 0 leaves it to the file's end.
std::string RleTestBmp(int width, int height, int bits, const std::vector<uint8_t>& data, int64_t declaredSize = -1);

// The RLE8 data of rows of palette indices (rows as shown, from the top): runs of equal indices,
// an end of line after each row, an end of bitmap after the last.
std::vector<uint8_t> EncodeRle8(int width, int height, const std::function<uint8_t(int x, int y)>& index);

// A little-endian 32-bit value put into bytes at an offset.
void Put32(std::string& bytes, size_t at, uint32_t value);

struct BadFile {
    std::string name;     // also the file name in the Numbers or Icons folder
    std::string bytes;
    bool folder = false;  // a folder of that name instead of a file
};

// The broken skins: cut pixel data, offsets and sizes past the file, sizes out of the budget,
// zero and negative sizes, empty, random, a folder. None of them may be shown.
std::vector<BadFile> BadSkinCorpus();

// The broken icons in the same spirit.
std::vector<BadFile> BadIconCorpus();

// A valid icon with one 32 x 32, 32-bit picture and its mask.
std::string GoodTestIcon();

// The 16000 x 16000 1-bit bitmap of 32 MB: valid, but far larger than any skin.
std::string HugeOneBitBmp();

}  // namespace tikora::testing
