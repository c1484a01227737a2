#include "core/bmp_reader.h"

#include <gtest/gtest.h>

#include <map>

#include "clock/builtin_skin.h"
#include "core/errors.h"
#include "support/bad_pictures.h"
#include "tools/assets.h"
#include "tools/bmp_writer.h"

namespace tikora {
namespace {

using testing::BadSkinCorpus;
using testing::BmpSpec;
using testing::EncodeTestBmp;

std::span<const uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// Every depth and row order the reader takes decodes to the pixels that were written.
TEST(BmpReader, DecodesEveryDepthAndRowOrder) {
    auto indexed = [](int bits) {
        return [bits](int x, int y) { return static_cast<uint32_t>((x * 3 + y * 5) % (1 << bits)); };
    };
    auto colourOf = [](uint32_t i) { return Rgb(i * 37 % 256, i * 91 % 256, i * 13 % 256); };
    auto truecolour = [](int x, int y) { return Rgb(x % 256, y * 7 % 256, (x + y) % 256); };
    struct Case {
        const char* name;
        BmpSpec spec;
        std::function<uint32_t(int, int)> expected;
    };
    std::vector<Case> cases;
    for (int bits : {1, 4, 8})
        for (int header : {12, 40, 124})
            for (int sign : {1, -1}) {
                if (header == 12 && sign < 0) continue;  // the core header has no top-down form
                BmpSpec spec{.width = 29, .height = 11 * sign, .bits = bits, .headerSize = header};
                spec.pixel = indexed(bits);
                spec.palette = [&](int i) { return colourOf(static_cast<uint32_t>(i)); };
                auto index = indexed(bits);
                cases.push_back({"indexed", spec, [=](int x, int y) { return colourOf(index(x, y)); }});
            }
    for (int sign : {1, -1}) {
        cases.push_back({"24 bits", {.width = 29, .height = 11 * sign, .bits = 24, .pixel = truecolour}, truecolour});
        cases.push_back({"32 bits", {.width = 29, .height = 11 * sign, .bits = 32, .pixel = truecolour}, truecolour});
        cases.push_back({"32-bit fields",
                         {.width = 29, .height = 11 * sign, .bits = 32, .compression = 3,
                          .masks = {0xFF, 0xFF00, 0xFF0000},
                          .pixel = [](int x, int y) { return static_cast<uint32_t>(x | (y << 8) | (9 << 16)); }},
                         [](int x, int y) { return Rgb(static_cast<unsigned>(x), static_cast<unsigned>(y), 9); }});
        cases.push_back({"16 bits 555", {.width = 29, .height = 11 * sign, .bits = 16,
                                         .pixel = [](int x, int) { return x % 2 ? 0x7FFFu : 0x7C00u; }},
                         [](int x, int) { return x % 2 ? Rgb(255, 255, 255) : Rgb(255, 0, 0); }});
        cases.push_back({"16-bit fields 565", {.width = 29, .height = 11 * sign, .bits = 16, .compression = 3,
                                               .masks = {0xF800, 0x07E0, 0x001F},
                                               .pixel = [](int x, int) { return x % 2 ? 0x07E0u : 0x001Fu; }},
                         [](int x, int) { return x % 2 ? Rgb(0, 255, 0) : Rgb(0, 0, 255); }});
    }
    for (const Case& c : cases) {
        const std::string file = EncodeTestBmp(c.spec);
        SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(c.spec.bits) + " bits, header " +
                     std::to_string(c.spec.headerSize) + (c.spec.height < 0 ? ", top-down" : ", bottom-up"));
        MemorySource source(Bytes(file));
        ASSERT_EQ(CheckBmp(source).problem, BmpProblem::None);
        // The whole picture, then only its top-left part.
        for (auto [w, h] : {std::pair{100, 100}, std::pair{17, 4}}) {
            const Image image = ReadBmp(source, w, h);
            ASSERT_EQ(image.width, std::min(w, 29));
            ASSERT_EQ(image.height, std::min(h, 11));
            int wrong = 0;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) wrong += image.At(x, y) != c.expected(x, y);
            EXPECT_EQ(wrong, 0);
        }
    }
}

// Run-length data decoded by hand: each kind of run and escape, and each way data can be wrong.
// Expected rows are shown from the top, one hex digit per palette index (the palette is grey,
// entry i being i * 0x010101); no rows means refused.
TEST(BmpReader, DecodesRunLengthDataAndRefusesWhatLeavesThePicture) {
    using testing::RleTestBmp;
    struct Case {
        const char* name;
        int width, height, bits;
        std::vector<uint8_t> data;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"runs and ends of line", 4, 2, 8, {2, 5, 2, 6, 0, 0, 4, 7, 0, 1}, {"7777", "5566"}},
        {"pixels one by one, padded", 5, 1, 8, {0, 3, 1, 2, 3, 0, 2, 9, 0, 1}, {"12399"}},
        {"delta skips pixels and rows", 4, 3, 8, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, {"0000", "0002", "1000"}},
        {"end of bitmap early", 3, 3, 8, {3, 4, 0, 1}, {"000", "000", "444"}},
        {"end of line after the last row", 2, 1, 8, {2, 1, 0, 0, 0, 1}, {"11"}},
        {"delta to the row's end", 3, 2, 8, {1, 3, 0, 2, 2, 0, 0, 0, 1, 5, 0, 1}, {"500", "300"}},
        {"4-bit runs alternate", 5, 1, 4, {5, 0x12, 0, 1}, {"12121"}},
        {"4-bit pixels one by one", 5, 1, 4, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, {"12345"}},
        {"4-bit odd count, padded", 4, 1, 4, {0, 3, 0x12, 0x30, 1, 0xF0, 0, 1}, {"123f"}},
        {"run into the row's padding", 3, 1, 8, {4, 7, 0, 1}, {"777"}},
        {"4-bit pixels into the padding", 3, 1, 4, {0, 8, 0x12, 0x34, 0x56, 0x78, 0, 1}, {"123"}},
        {"run past the row", 4, 1, 8, {5, 1, 0, 1}, {}},
        {"pixels past the row", 2, 1, 8, {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, {}},
        {"run after a full row", 2, 1, 8, {2, 1, 3, 1, 0, 1}, {}},
        {"delta past the right", 4, 2, 8, {0, 2, 5, 0, 0, 1}, {}},
        {"delta past the top", 4, 2, 8, {0, 2, 0, 2, 0, 1}, {}},
        {"pixels above the top", 2, 1, 8, {0, 0, 2, 1, 0, 1}, {}},
        {"end of line above the top", 1, 1, 8, {0, 0, 0, 0, 0, 1}, {}},
        {"no end of bitmap", 2, 1, 8, {2, 1}, {}},
        {"pixels one by one cut", 5, 1, 8, {0, 4, 1, 2}, {}},
        {"delta cut", 5, 2, 8, {0, 2, 1}, {}},
        {"4-bit run past the row", 3, 1, 4, {9, 0x12, 0, 1}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = RleTestBmp(c.width, c.height, c.bits, c.data);
        MemorySource source(Bytes(file));
        ASSERT_EQ(CheckBmp(source).problem, BmpProblem::None);
        if (c.rows.empty()) {
            EXPECT_THROW(ReadBmp(source, 100, 100), PictureError);
            continue;
        }
        const Image image = ReadBmp(source, 100, 100);
        ASSERT_EQ(image.width, c.width);
        ASSERT_EQ(image.height, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const uint32_t index = static_cast<uint32_t>(std::stoi(std::string(1, c.rows[y][x]), nullptr, 16));
                EXPECT_EQ(image.At(x, y), index * 0x010101u) << x << ", " << y;
            }
        // The top-left part alone: the same pixels.
        const Image part = ReadBmp(source, 2, 1);
        ASSERT_EQ(part.width, std::min(2, c.width));
        EXPECT_EQ(part.At(0, 0), image.At(0, 0));
    }

    // Headers a run-length file cannot have, and data declared past the file.
    std::string topDown = RleTestBmp(2, 1, 8, {2, 1, 0, 1});
    testing::Put32(topDown, 22, static_cast<uint32_t>(-1));
    std::string wrongDepth = RleTestBmp(2, 1, 8, {2, 1, 0, 1});
    testing::Put32(wrongDepth, 30, 2);  // BI_RLE4 with 8 bits
    const std::pair<std::string, BmpProblem> headers[] = {
        {topDown, BmpProblem::UnsupportedFormat},
        {wrongDepth, BmpProblem::UnsupportedFormat},
        {RleTestBmp(2, 1, 8, {2, 1, 0, 1}, 5), BmpProblem::DataOutsideFile},
    };
    for (const auto& [bytes, problem] : headers) {
        MemorySource source(Bytes(bytes));
        EXPECT_EQ(BmpProblemName(CheckBmp(source).problem), std::string(BmpProblemName(problem)));
    }
}

// Every prefix of a good run-length bitmap is refused, whether its header declares the data's
// size (the check sees the cut) or leaves it to the end of the file (the decoder does).
TEST(BmpReader, EveryTruncationOfARunLengthBitmapIsRefused) {
    const std::vector<uint8_t> rle8 = testing::EncodeRle8(37, 9, [](int x, int y) { return static_cast<uint8_t>(x / 5 + y * 3); });
    const std::vector<uint8_t> rle4 = {0, 5, 0x12, 0x34, 0x50, 0, 3, 0x77, 0, 0, 0, 2, 1, 1, 4, 0x9A, 0, 1};
    for (const auto& [bits, data] : {std::pair{8, rle8}, std::pair{4, rle4}})
        for (int64_t declared : {-1, 0}) {
            const std::string file = testing::RleTestBmp(37, 9, bits, data, declared);
            MemorySource whole(Bytes(file));
            ASSERT_NO_THROW(ReadBmp(whole, 100, 100)) << bits << " bits";
            for (size_t keep = 0; keep < file.size(); ++keep) {
                MemorySource cut(Bytes(file.substr(0, keep)));
                EXPECT_THROW(ReadBmp(cut, 100, 100), PictureError) << bits << " bits, kept " << keep;
            }
        }
}

// The skins the program ships read back as the strips they were drawn from.
TEST(BmpReader, ReadsTheShippedSkinsAndTheWriterOutput) {
    const Image built = RenderBuiltinSkin();
    const std::vector<uint8_t> written = EncodeBmp(built);
    MemorySource source(written);
    const Image read = ReadBmp(source, 286, 37);
    EXPECT_TRUE(read.pixels == built.pixels);
    int skins = 0;
    for (const AssetFile& file : BuildAssets()) {
        if (!file.path.ends_with(".bmp")) continue;
        ++skins;
        MemorySource skin(file.bytes);
        EXPECT_EQ(ReadBmp(skin, 286, 37).pixels.size(), 286u * 37u) << file.path;
    }
    EXPECT_GE(skins, 2);
}

TEST(BmpReader, RefusesEveryBrokenSkinOfTheCorpus) {
    const std::map<std::string, BmpProblem> expected = {
        {"cut54.bmp", BmpProblem::DataOutsideFile},      {"cut55.bmp", BmpProblem::DataOutsideFile},
        {"cut154.bmp", BmpProblem::DataOutsideFile},     {"cut1000.bmp", BmpProblem::DataOutsideFile},
        {"cut20000.bmp", BmpProblem::DataOutsideFile},   {"far-offset.bmp", BmpProblem::DataOutsideFile},
        {"30000x30000.bmp", BmpProblem::DataOutsideFile}, {"empty.bmp", BmpProblem::NotBitmap},
        {"1x1.bmp", BmpProblem::None},                   {"285x37.bmp", BmpProblem::None},
        {"zero-width.bmp", BmpProblem::BadDimensions},   {"zero-height.bmp", BmpProblem::BadDimensions},
        {"negative-width.bmp", BmpProblem::BadDimensions}, {"lowest-height.bmp", BmpProblem::OverBudget},
        {"rle.bmp", BmpProblem::UnsupportedFormat},      {"cut-palette.bmp", BmpProblem::PaletteOutsideFile},
        {"unknown-header.bmp", BmpProblem::UnsupportedHeader}, {"holey-masks.bmp", BmpProblem::BadMasks},
        {"random.bmp", BmpProblem::NotBitmap},
    };
    for (const auto& bad : BadSkinCorpus()) {
        if (bad.folder) continue;  // a folder is a matter of opening the file: the Wine tests
        MemorySource source(Bytes(bad.bytes));
        const BmpProblem problem = CheckBmp(source).problem;
        if (auto it = expected.find(bad.name); it != expected.end()) {
            EXPECT_EQ(BmpProblemName(problem), std::string(BmpProblemName(it->second))) << bad.name;
        } else {
            EXPECT_NE(problem, BmpProblem::None) << bad.name;
        }
        if (problem != BmpProblem::None) {
            EXPECT_THROW(ReadBmp(source, 286, 37), PictureError) << bad.name;
        } else {
            // What decodes is below the strip size and is refused by the glyph sets.
            EXPECT_LT(ReadBmp(source, 286, 37).pixels.size(), 286u * 37u) << bad.name;
        }
    }
}

// Reports a huge file of zeros and counts what is read, without holding it.
class CountingSource final : public ByteSource {
public:
    CountingSource(std::string head, uint64_t size) : head_(std::move(head)), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool Read(uint64_t offset, std::span<uint8_t> into) override {
        if (offset > size_ || into.size() > size_ - offset) return false;
        bytesRead += into.size();
        for (size_t i = 0; i < into.size(); ++i) into[i] = offset + i < head_.size() ? static_cast<uint8_t>(head_[offset + i]) : 0;
        return true;
    }
    uint64_t bytesRead = 0;

private:
    std::string head_;
    uint64_t size_;
};

TEST(BmpReader, HugePictureCostsOnlyTheRowsAndColumnsUsed) {
    struct Case {
        int width, height, bits;
        uint64_t declaredPixels;
        bool accepted;
    };
    const Case cases[] = {
        {16000, 16000, 1, 256'000'000, true},
        {32768, 32768, 24, uint64_t{1} << 30, true},
        {32768, 32769, 1, (uint64_t{1} << 30) + 32768, false},  // one row past the budget
        {2147483647, 2, 32, uint64_t{4294967294}, false},       // width x height past 2^32
    };
    for (const Case& c : cases) {
        std::string head = EncodeTestBmp({.width = 1, .height = 1, .bits = c.bits});
        head.resize(head.size() - 4);
        testing::Put32(head, 18, static_cast<uint32_t>(c.width));
        testing::Put32(head, 22, static_cast<uint32_t>(c.height));
        const uint64_t stride = (static_cast<uint64_t>(c.width) * c.bits + 31) / 32 * 4;
        CountingSource source(head, head.size() + stride * static_cast<uint64_t>(c.height));
        EXPECT_EQ(CheckBmp(source).problem == BmpProblem::None, c.accepted) << c.width << " x " << c.height;
        if (!c.accepted) continue;
        source.bytesRead = 0;
        const Image strip = ReadBmp(source, 286, 37);
        EXPECT_EQ(strip.width, 286);
        EXPECT_EQ(strip.height, 37);
        EXPECT_LE(source.bytesRead, head.size() + 256 * 4 + 37 * ((286 * c.bits + 7) / 8)) << c.width << " x " << c.height;
    }
}

TEST(ImageSize, ProductIsCheckedInSixtyFourBits) {
    EXPECT_EQ(Image::PixelCount(286, 37), 286u * 37u);
    EXPECT_THROW(Image::PixelCount(-1, 5), std::length_error);
    if constexpr (sizeof(size_t) == 4) {
        EXPECT_THROW(Image::PixelCount(65536, 65536), std::length_error);
    } else {
        EXPECT_EQ(Image::PixelCount(65536, 65536), size_t{1} << 32);
    }
}

}  // namespace
}  // namespace tikora
