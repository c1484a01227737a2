// Test bitmaps and icons, and the corpus of broken ones; see bad_pictures.h.
#include "support/bad_pictures.h"

#include <algorithm>
#include <climits>
#include <tuple>

namespace tikora::testing {

namespace {

void Put16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

std::string Random(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    return bytes;
}

std::string Cut(std::string bytes, size_t size) {
    bytes.resize(std::min(size, bytes.size()));
    return bytes;
}

// An icon directory of one entry followed by the picture bytes.
std::string IconFile(const std::string& picture, uint32_t declaredSize, uint32_t offset) {
    std::string file(22, '\0');
    Put16(file, 2, 1);
    Put16(file, 4, 1);
    file[6] = 32;
    file[7] = 32;
    Put16(file, 10, 1);
    Put16(file, 12, 32);
    Put32(file, 14, declaredSize);
    Put32(file, 18, offset);
    return file + picture;
}

// The 40-byte header and pixels of an icon picture of the given size and depth.
std::string IconPicture(int width, int doubleHeight, int bits, size_t pixelBytes) {
    std::string picture(40, '\0');
    Put32(picture, 0, 40);
    Put32(picture, 4, static_cast<uint32_t>(width));
    Put32(picture, 8, static_cast<uint32_t>(doubleHeight));
    Put16(picture, 12, 1);
    Put16(picture, 14, static_cast<uint32_t>(bits));
    return picture + std::string(pixelBytes, '\x40');
}

}  // namespace

void Put32(std::string& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string EncodeTestBmp(const BmpSpec& spec) {
    const bool core = spec.headerSize == 12;
    const int height = spec.height < 0 ? -spec.height : spec.height;
    const uint32_t paletteCount = spec.bits <= 8 ? (spec.colorsUsed ? spec.colorsUsed : 1u << spec.bits) : 0;
    const size_t entrySize = core ? 3 : 4;
    const size_t masksSize = (spec.compression == 3 && spec.headerSize == 40) ? 12 : 0;
    const size_t offBits = 14 + spec.headerSize + masksSize + paletteCount * entrySize;
    const size_t stride = (static_cast<size_t>(spec.width) * spec.bits + 31) / 32 * 4;
    std::string bmp(offBits + stride * height, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 10, static_cast<uint32_t>(offBits));
    Put32(bmp, 14, static_cast<uint32_t>(spec.headerSize));
    if (core) {
        Put16(bmp, 18, static_cast<uint32_t>(spec.width));
        Put16(bmp, 20, static_cast<uint32_t>(spec.height));
        Put16(bmp, 22, 1);
        Put16(bmp, 24, static_cast<uint32_t>(spec.bits));
    } else {
        Put32(bmp, 18, static_cast<uint32_t>(spec.width));
        Put32(bmp, 22, static_cast<uint32_t>(spec.height));
        Put16(bmp, 26, 1);
        Put16(bmp, 28, static_cast<uint32_t>(spec.bits));
        Put32(bmp, 30, spec.compression);
        Put32(bmp, 46, spec.colorsUsed);
        if (spec.compression == 3)
            for (int i = 0; i < 3; ++i) Put32(bmp, 54 + 4 * i, spec.masks[i]);
    }
    for (uint32_t i = 0; i < paletteCount; ++i) {
        const uint32_t colour = spec.palette ? spec.palette(static_cast<int>(i)) : (i * 0x010101u) & 0xFFFFFF;
        const size_t at = 14 + spec.headerSize + masksSize + i * entrySize;
        bmp[at] = static_cast<char>(colour & 0xFF);
        bmp[at + 1] = static_cast<char>((colour >> 8) & 0xFF);
        bmp[at + 2] = static_cast<char>((colour >> 16) & 0xFF);
    }
    if (!spec.pixel) return bmp;
    for (int y = 0; y < height; ++y) {
        const int fileRow = spec.height < 0 ? y : height - 1 - y;
        const size_t row = offBits + static_cast<size_t>(fileRow) * stride;
        for (int x = 0; x < spec.width; ++x) {
            const uint32_t v = spec.pixel(x, y);
            if (spec.bits <= 8) {
                const size_t bit = static_cast<size_t>(x) * spec.bits;
                const int shift = 8 - spec.bits - static_cast<int>(bit % 8);
                bmp[row + bit / 8] = static_cast<char>(static_cast<uint8_t>(bmp[row + bit / 8]) | (v << shift));
            } else {
                for (int b = 0; b < spec.bits / 8; ++b)
                    bmp[row + static_cast<size_t>(x) * (spec.bits / 8) + b] = static_cast<char>((v >> (8 * b)) & 0xFF);
            }
        }
    }
    return bmp;
}

std::string RleTestBmp(int width, int height, int bits, const std::vector<uint8_t>& data, int64_t declaredSize) {
    std::string bmp = EncodeTestBmp({.width = width, .height = 1, .bits = bits, .compression = bits == 8 ? 1u : 2u});
    const uint32_t offBits = static_cast<uint32_t>(bmp[10] & 0xFF) | (static_cast<uint32_t>(bmp[11] & 0xFF) << 8);
    bmp.resize(offBits);
    bmp.append(data.begin(), data.end());
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 22, static_cast<uint32_t>(height));
    Put32(bmp, 34, static_cast<uint32_t>(declaredSize < 0 ? static_cast<int64_t>(data.size()) : declaredSize));
    return bmp;
}

std::vector<uint8_t> EncodeRle8(int width, int height, const std::function<uint8_t(int x, int y)>& index) {
    std::vector<uint8_t> data;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width;) {
            const uint8_t value = index(x, y);
            int count = 1;
            while (x + count < width && count < 255 && index(x + count, y) == value) ++count;
            data.push_back(static_cast<uint8_t>(count));
            data.push_back(value);
            x += count;
        }
        data.push_back(0);
        data.push_back(0);
    }
    data.push_back(0);
    data.push_back(1);
    return data;
}

std::vector<BadFile> BadSkinCorpus() {
    BmpSpec strip;
    strip.pixel = [](int x, int y) { return static_cast<uint32_t>(x * 7 + y * 131); };
    const std::string good = EncodeTestBmp(strip);  // 286 x 37, 24 bits: 31,874 bytes
    std::vector<BadFile> corpus;
    for (size_t size : {54, 55, 154, 1000, 20000}) corpus.push_back({"cut" + std::to_string(size) + ".bmp", Cut(good, size)});
    std::string far = good;
    Put32(far, 10, 0x7FFFFFF0);
    corpus.push_back({"far-offset.bmp", far});
    std::string hugeHeader = EncodeTestBmp({.width = 1, .height = 1, .bits = 1});
    Put32(hugeHeader, 18, 30000);
    Put32(hugeHeader, 22, 30000);
    corpus.push_back({"30000x30000.bmp", hugeHeader + std::string(1000, '\xAA')});
    corpus.push_back({"empty.bmp", ""});
    corpus.push_back({"1x1.bmp", EncodeTestBmp({.width = 1, .height = 1})});
    corpus.push_back({"285x37.bmp", EncodeTestBmp({.width = 285, .height = 37})});
    for (auto [name, width, height] : {std::tuple{"zero-width.bmp", 0, 37}, {"zero-height.bmp", 286, 0},
                                       {"negative-width.bmp", -286, 37}, {"lowest-height.bmp", 286, INT_MIN}}) {
        std::string bmp = good;
        Put32(bmp, 18, static_cast<uint32_t>(width));
        Put32(bmp, 22, static_cast<uint32_t>(height));
        corpus.push_back({name, bmp});
    }
    std::string rle = good;
    Put32(rle, 30, 1);
    corpus.push_back({"rle.bmp", rle});
    std::string cutPalette = EncodeTestBmp({.bits = 8});
    corpus.push_back({"cut-palette.bmp", Cut(cutPalette, 54 + 100)});
    std::string odd = good;
    Put32(odd, 14, 64);
    corpus.push_back({"unknown-header.bmp", odd});
    corpus.push_back({"holey-masks.bmp", EncodeTestBmp({.bits = 32, .compression = 3, .masks = {0xF0F000, 0xFF00, 0xFF}})});
    corpus.push_back({"random.bmp", Random(4096, 7)});
    corpus.push_back({"random-after-BM.bmp", "BM" + Random(4096, 8)});
    corpus.push_back({"folder.bmp", "", true});
    return corpus;
}

std::string GoodTestIcon() {
    return IconFile(IconPicture(32, 64, 32, 32 * 32 * 4 + 4 * 32), 40 + 32 * 32 * 4 + 4 * 32, 22);
}

std::vector<BadFile> BadIconCorpus() {
    const std::string good = GoodTestIcon();
    std::vector<BadFile> corpus;
    for (size_t size : {6, 21, 22, 61, 2000}) corpus.push_back({"cut" + std::to_string(size) + ".ico", Cut(good, size)});
    std::string far = good;
    Put32(far, 18, 0x7FFFFFF0);
    corpus.push_back({"far-offset.ico", far});
    std::string oversized = good;
    Put32(oversized, 14, 0xFFFFFFF0);
    corpus.push_back({"oversized-entry.ico", oversized});
    std::string intoDirectory = good;
    Put32(intoDirectory, 18, 2);
    corpus.push_back({"offset-into-directory.ico", intoDirectory});
    std::string cursor = good;
    Put16(cursor, 2, 2);
    corpus.push_back({"cursor-type.ico", cursor});
    std::string none = good;
    Put16(none, 4, 0);
    corpus.push_back({"no-pictures.ico", none});
    std::string many = good;
    Put16(many, 4, 0xFFFF);
    corpus.push_back({"65535-pictures.ico", many});
    const uint32_t bigDeclared = 40 + 1000;
    corpus.push_back({"30000-wide.ico", IconFile(IconPicture(30000, 60000, 32, 1000), bigDeclared, 22)});
    corpus.push_back({"odd-height.ico", IconFile(IconPicture(32, 63, 32, 4224), 40 + 4224, 22)});
    corpus.push_back({"7-bits.ico", IconFile(IconPicture(32, 64, 7, 4224), 40 + 4224, 22)});
    corpus.push_back({"256-declared-short.ico", IconFile(IconPicture(256, 512, 32, 1000), 40 + 1000, 22)});
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    png += std::string("\x00\x01\x86\xA0\x00\x01\x86\xA0", 8) + std::string(40, '\0');
    corpus.push_back({"png-100000.ico", IconFile(png, static_cast<uint32_t>(png.size()), 22)});
    corpus.push_back({"empty.ico", ""});
    corpus.push_back({"random.ico", Random(4096, 9)});
    corpus.push_back({"random-after-directory.ico", std::string("\0\0\1\0\1\0", 6) + Random(4096, 10)});
    corpus.push_back({"folder.ico", "", true});
    return corpus;
}

std::string HugeOneBitBmp() {
    // All zero pixels: colour 0 of the grey palette, black.
    return EncodeTestBmp({.width = 16000, .height = 16000, .bits = 1});
}

}  // namespace tikora::testing
