// The picture viewer's decoding layer: fitting, the three formats, shrinking, and bad files.
#include "viewer/picture_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/bad_pictures.h"
#include "support/picture_samples.h"
#include "viewer/picture_shrink.h"

namespace tikora {
namespace {

using testing::Bytes;

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A 24-bit bitmap of the picture, and an RLE8 one whose palette index i is grey level i.
Bytes BmpOf(const Image& image) {
    return AsBytes(testing::EncodeTestBmp({.width = image.width, .height = image.height, .pixel = [&](int x, int y) { return image.At(x, y); }}));
}
uint8_t GreyIndex(int x, int y) { return static_cast<uint8_t>((x / 3 + y * 7) % 256); }
Bytes RleOf(int width, int height) {
    return AsBytes(testing::RleTestBmp(width, height, 8, testing::EncodeRle8(width, height, GreyIndex)));
}

DecodedPicture Decode(PictureFormat format, const Bytes& bytes, int fitWidth = 0, int fitHeight = 0, uint32_t background = 0) {
    return DecodePicture(format, bytes.data(), bytes.size(), DecodeRequest{fitWidth, fitHeight, background});
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }
bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) return false;
    return true;
}

TEST(PictureFit, ShrinksProportionallyAndNeverEnlarges) {
    struct Case { int w, h, boxW, boxH, shownW, shownH; };
    const Case cases[] = {
        {6000, 4000, 440, 330, 440, 293},  // wider than the box: width decides
        {3000, 4000, 440, 330, 248, 330},  // taller: height decides
        {100, 50, 200, 200, 100, 50},      // smaller than the box: as it is
        {800, 600, 0, 0, 800, 600},        // no box: actual size
        {10000, 1, 100, 100, 100, 1},      // a side never shrinks to nothing
        {1, 10000, 100, 100, 1, 100},
        {400, 300, 400, 300, 400, 300},    // exactly the box
    };
    for (const Case& c : cases) {
        const ShownSize shown = FitInto(c.w, c.h, c.boxW, c.boxH);
        EXPECT_EQ(shown.width, c.shownW) << c.w << "x" << c.h << " in " << c.boxW << "x" << c.boxH;
        EXPECT_EQ(shown.height, c.shownH) << c.w << "x" << c.h << " in " << c.boxW << "x" << c.boxH;
    }
}

TEST(PictureFit, FormatComesFromTheExtensionWithoutRegardToCase) {
    const std::pair<const char*, PictureFormat> cases[] = {
        {"C:\\p\\a.JPG", PictureFormat::Jpeg}, {"a.jpeg", PictureFormat::Jpeg}, {"x.png", PictureFormat::Png},
        {"x.Gif", PictureFormat::Gif},         {"x.bmp", PictureFormat::Bmp}, {"x.ICO", PictureFormat::System},
        {"x.emf", PictureFormat::System},      {"x.wmf", PictureFormat::System}, {"x.tif", PictureFormat::Unknown},
        {"dir.jpg\\file", PictureFormat::Unknown}, {"noextension", PictureFormat::Unknown},
    };
    for (const auto& [path, format] : cases) EXPECT_EQ(PictureFormatOf(path), format) << path;
}

TEST(PictureShrink, AveragesEveryPixelIntoExactlyOneShownPixel) {
    // A 4 x 2 row pair shrunk to 2 x 1: each shown pixel is the mean of its four.
    const uint32_t rows[2][4] = {{Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(10, 20, 30), Rgb(30, 40, 50)},
                                 {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(10, 20, 30), Rgb(30, 40, 50)}};
    RowShrinker shrinker(4, 2, 2, 1);
    shrinker.AddRow(rows[0]);
    shrinker.AddRow(rows[1]);
    const Image shown = shrinker.Take();
    ASSERT_EQ(shown.width, 2);
    EXPECT_EQ(shown.At(0, 0), Rgb(128, 128, 128));  // 127.5 rounds up
    EXPECT_EQ(shown.At(1, 0), Rgb(20, 30, 40));
}

TEST(PictureShrink, UnevenRatiosCoverEveryShownRow) {
    // 7 rows into 3: no shown row is left black, and a flat colour stays flat.
    std::vector<uint32_t> row(5, Rgb(200, 100, 50));
    RowShrinker shrinker(5, 7, 3, 3);
    for (int y = 0; y < 7; ++y) shrinker.AddRow(row.data());
    const Image shown = shrinker.Take();
    for (uint32_t p : shown.pixels) EXPECT_EQ(p, Rgb(200, 100, 50));
}

TEST(PictureDecode, EachFormatReadsBackWhatWasWritten) {
    const Image source = testing::Gradient(64, 48);
    testing::GifFrame frame{0, 0, 64, 48};
    std::vector<uint32_t> colours;
    for (int i = 0; i < 256; ++i) colours.push_back(Rgb(i, 255 - i, i / 2));
    for (int i = 0; i < 64 * 48; ++i) frame.indices.push_back(static_cast<uint8_t>(i % 256));
    testing::GifFrame interlaced = frame;
    interlaced.interlaced = true;

    struct Case { const char* name; PictureFormat format; Bytes bytes; int tolerance; bool gif; };
    const Image grey = [] {
        Image g(64, 48);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) g.At(x, y) = GreyIndex(x, y) * 0x010101u;
        return g;
    }();
    for (const auto& [name, bytes, expected] : {std::tuple{"bmp", BmpOf(source), source}, std::tuple{"rle8 bmp", RleOf(64, 48), grey}}) {
        const DecodedPicture picture = Decode(PictureFormat::Bmp, bytes);
        ASSERT_EQ(picture.problem, DecodeProblem::None) << name;
        EXPECT_EQ(picture.image.pixels, expected.pixels) << name;
    }
    const Case cases[] = {
        {"png", PictureFormat::Png, testing::EncodePng(source), 0, false},
        {"interlaced png", PictureFormat::Png, testing::EncodePng(source, {}, true), 0, false},
        {"jpeg", PictureFormat::Jpeg, testing::EncodeJpeg(source), 12, false},
        {"progressive jpeg", PictureFormat::Jpeg, testing::EncodeJpeg(source, true), 12, false},
        {"gif", PictureFormat::Gif, testing::EncodeGif(64, 48, colours, {frame}), 0, true},
        {"interlaced gif", PictureFormat::Gif, testing::EncodeGif(64, 48, colours, {interlaced}), 0, true},
    };
    for (const Case& c : cases) {
        const DecodedPicture picture = Decode(c.format, c.bytes);
        ASSERT_EQ(picture.problem, DecodeProblem::None) << c.name;
        EXPECT_EQ(picture.width, 64) << c.name;
        EXPECT_EQ(picture.height, 48) << c.name;
        ASSERT_EQ(picture.image.width, 64) << c.name;
        ASSERT_EQ(picture.image.height, 48) << c.name;
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const uint32_t expected = c.gif ? colours[(y * 64 + x) % 256] : source.At(x, y);
                wrong += !Near(picture.image.At(x, y), expected, c.tolerance);
            }
        EXPECT_EQ(wrong, 0) << c.name;
    }
}

TEST(PictureDecode, BestFitDecodesToTheShownSize) {
    Image red(800, 600, Rgb(220, 30, 30));
    // The run-length bitmap: grey 0 in its top half, grey 200 in its bottom half, rows stored
    // bottom first; shrunk, the halves stay where they are.
    const Bytes rle = AsBytes(testing::RleTestBmp(800, 600, 8, testing::EncodeRle8(800, 600, [](int, int y) { return static_cast<uint8_t>(y < 300 ? 0 : 200); })));
    const struct { const char* name; PictureFormat format; Bytes bytes; uint32_t top, bottom; } cases[] = {
        {"jpeg", PictureFormat::Jpeg, testing::EncodeJpeg(red), Rgb(220, 30, 30), Rgb(220, 30, 30)},
        {"png", PictureFormat::Png, testing::EncodePng(red), Rgb(220, 30, 30), Rgb(220, 30, 30)},
        {"bmp", PictureFormat::Bmp, BmpOf(red), Rgb(220, 30, 30), Rgb(220, 30, 30)},
        {"rle8 bmp", PictureFormat::Bmp, rle, 0, 200 * 0x010101u},
    };
    for (const auto& c : cases) {
        const DecodedPicture picture = Decode(c.format, c.bytes, 100, 100);
        ASSERT_EQ(picture.problem, DecodeProblem::None) << c.name;
        EXPECT_EQ(picture.width, 800) << c.name;  // the picture's own size is still reported
        EXPECT_EQ(picture.image.width, 100) << c.name;
        EXPECT_EQ(picture.image.height, 75) << c.name;
        EXPECT_TRUE(Near(picture.image.At(50, 10), c.top, 6)) << c.name;
        EXPECT_TRUE(Near(picture.image.At(50, 70), c.bottom, 6)) << c.name;
    }
}

// With a target of the caller's, the same pixels land there and the result holds none.
TEST(PictureDecode, ACallersTargetGetsTheSamePixels) {
    const Image source = testing::Gradient(64, 48);
    testing::GifFrame frame{0, 0, 64, 48, std::vector<uint8_t>(64 * 48, 1), true};
    const struct { PictureFormat format; Bytes bytes; } files[] = {
        {PictureFormat::Jpeg, testing::EncodeJpeg(source)},
        {PictureFormat::Png, testing::EncodePng(source, {}, true)},
        {PictureFormat::Gif, testing::EncodeGif(64, 48, {0, Rgb(1, 2, 3)}, {frame})},
        {PictureFormat::Bmp, RleOf(64, 48)},
    };
    for (const auto& file : files)
        for (int box : {0, 20}) {
            const DecodedPicture own = Decode(file.format, file.bytes, box, box);
            std::vector<uint32_t> buffer;
            int asked = 0;
            const DecodedPicture into = DecodePicture(file.format, file.bytes.data(), file.bytes.size(), DecodeRequest{box, box, 0},
                                                      [&](int width, int height) {
                                                          ++asked;
                                                          buffer.assign(static_cast<size_t>(width) * height, 0xDEADBEEF);
                                                          return buffer.data();
                                                      });
            ASSERT_EQ(into.problem, DecodeProblem::None);
            EXPECT_EQ(asked, 1);
            EXPECT_TRUE(into.image.pixels.empty());
            EXPECT_EQ(buffer, own.image.pixels) << "box " << box;
        }
}

TEST(PictureDecode, TransparencyShowsTheBackground) {
    Image image(2, 1, Rgb(255, 0, 0));
    const Bytes png = testing::EncodePng(image, {0, 128});
    const DecodedPicture picture = Decode(PictureFormat::Png, png, 0, 0, Rgb(0, 0, 255));
    ASSERT_EQ(picture.problem, DecodeProblem::None);
    EXPECT_EQ(picture.image.At(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(picture.image.At(1, 0), Rgb(128, 0, 127));

    // A GIF frame smaller than its screen, with a transparent index: the rest is background.
    testing::GifFrame frame{1, 1, 2, 2, {0, 1, 1, 0}, false, 1};
    const Bytes gif = testing::EncodeGif(4, 4, {Rgb(255, 255, 0), Rgb(1, 2, 3)}, {frame});
    const DecodedPicture g = Decode(PictureFormat::Gif, gif, 0, 0, Rgb(9, 9, 9));
    ASSERT_EQ(g.problem, DecodeProblem::None);
    const uint32_t Y = Rgb(255, 255, 0), B = Rgb(9, 9, 9);
    const uint32_t expected[16] = {B, B, B, B, B, Y, B, B, B, B, Y, B, B, B, B, B};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(g.image.pixels[i], expected[i]) << "pixel " << i;
}

TEST(PictureDecode, AnAnimatedGifShowsItsFirstFrame) {
    testing::GifFrame first{0, 0, 2, 2, {0, 0, 0, 0}}, second{0, 0, 2, 2, {1, 1, 1, 1}};
    const Bytes gif = testing::EncodeGif(2, 2, {Rgb(10, 20, 30), Rgb(200, 200, 200)}, {first, second});
    const DecodedPicture picture = Decode(PictureFormat::Gif, gif);
    ASSERT_EQ(picture.problem, DecodeProblem::None);
    for (uint32_t p : picture.image.pixels) EXPECT_EQ(p, Rgb(10, 20, 30));
}

// The bad-file corpus: each is made from a good file, so the cases stay readable.
TEST(PictureDecode, BadFilesComeBackAsProblemsWithoutPixels) {
    const Image source = testing::Gradient(40, 30);
    const Bytes png = testing::EncodePng(source), jpeg = testing::EncodeJpeg(source);
    const Bytes gif = testing::EncodeGif(4, 4, {Rgb(1, 1, 1), Rgb(2, 2, 2)}, {{0, 0, 4, 4, std::vector<uint8_t>(16, 1)}});
    auto truncated = [](Bytes b, size_t keep) { b.resize(keep); return b; };
    auto sized = [](Bytes b, auto set, uint32_t w, uint32_t h) { set(b, w, h); return b; };
    auto flipped = [](Bytes b, size_t from) { for (size_t i = from; i < b.size() - 2; i += 7) b[i] ^= 0x5A; return b; };
    auto pngSize = [](Bytes& b, uint32_t w, uint32_t h) { testing::SetPngSize(b, w, h); };
    auto jpegSize = [](Bytes& b, uint32_t w, uint32_t h) { testing::SetJpegSize(b, static_cast<uint16_t>(w), static_cast<uint16_t>(h)); };
    auto gifSize = [](Bytes& b, uint32_t w, uint32_t h) { testing::SetGifScreen(b, static_cast<uint16_t>(w), static_cast<uint16_t>(h)); };
    Bytes interlacedHuge = testing::EncodePng(Image(8, 8), {}, true);
    testing::SetPngSize(interlacedHuge, 8193, 4096);  // over the whole-picture limit, under the declared one

    struct Case { const char* name; PictureFormat format; Bytes bytes; DecodeProblem problem; };
    const Case cases[] = {
        {"empty png", PictureFormat::Png, {}, DecodeProblem::Empty},
        {"a jpeg named .png", PictureFormat::Png, jpeg, DecodeProblem::NotPicture},
        {"a png named .jpg", PictureFormat::Jpeg, png, DecodeProblem::NotPicture},
        {"a png named .gif", PictureFormat::Gif, png, DecodeProblem::NotPicture},
        {"text named .bmp", PictureFormat::Unknown, Bytes{'h', 'i'}, DecodeProblem::NotPicture},
        {"png header only", PictureFormat::Png, truncated(png, 33), DecodeProblem::Corrupt},
        {"png cut in its data", PictureFormat::Png, truncated(png, png.size() / 2), DecodeProblem::Corrupt},
        {"png with garbage data", PictureFormat::Png, flipped(png, 41), DecodeProblem::Corrupt},
        {"jpeg header only", PictureFormat::Jpeg, truncated(jpeg, 20), DecodeProblem::Corrupt},
        {"jpeg cut in its body", PictureFormat::Jpeg, truncated(jpeg, jpeg.size() * 2 / 3), DecodeProblem::Corrupt},
        {"gif cut after its screen", PictureFormat::Gif, truncated(gif, 13), DecodeProblem::Corrupt},
        {"gif without frames", PictureFormat::Gif, testing::EncodeGif(4, 4, {0, 1}, {}), DecodeProblem::NoFrames},
        {"png of 100000 x 100000", PictureFormat::Png, sized(png, pngSize, 100000, 100000), DecodeProblem::OverBudget},
        {"jpeg of 65000 x 65000", PictureFormat::Jpeg, sized(jpeg, jpegSize, 65000, 65000), DecodeProblem::OverBudget},
        {"gif of 65535 x 65535", PictureFormat::Gif, sized(gif, gifSize, 65535, 65535), DecodeProblem::OverBudget},
        {"interlaced png of 8193 x 4096", PictureFormat::Png, interlacedHuge, DecodeProblem::OverBudget},
    };
    for (const Case& c : cases) {
        const DecodedPicture picture = Decode(c.format, c.bytes);
        EXPECT_EQ(picture.problem, c.problem) << c.name << ": " << DecodeProblemName(picture.problem);
        EXPECT_TRUE(picture.image.pixels.empty()) << c.name;
    }
}

// A JPEG whose scan data is all there shows, whatever follows it: no end marker, or other bytes
// instead of it or after it, and the same pixels as the whole file. One whose scan data is cut
// (within a scan, or before the scans that complete a progressive picture) is refused.
TEST(PictureDecode, AJpegShowsWhenItsScanDataIsComplete) {
    const Image source = testing::Gradient(40, 30);
    const Bytes baseline = testing::EncodeJpeg(source), progressive = testing::EncodeJpeg(source, true);
    auto withoutEnd = [](Bytes b) { b.resize(b.size() - 2); return b; };
    auto plus = [](Bytes b, Bytes more) { b.insert(b.end(), more.begin(), more.end()); return b; };
    // Cut just before the last scan's header (FF DA): a progressive picture without its last scan.
    auto beforeLastScan = [](Bytes b) {
        for (size_t i = b.size() - 2; i > 0; --i)
            if (b[i] == 0xFF && b[i + 1] == 0xDA) { b.resize(i); break; }
        return b;
    };
    const struct { const char* name; Bytes whole; Bytes bytes; bool shows; } cases[] = {
        {"baseline without its end marker", baseline, withoutEnd(baseline), true},
        {"baseline with bytes after its end", baseline, plus(baseline, Bytes(100, 0x55)), true},
        {"baseline with zeros instead of its end", baseline, plus(withoutEnd(baseline), Bytes(64, 0)), true},
        {"baseline with another picture after it", baseline, plus(baseline, baseline), true},
        {"progressive without its end marker", progressive, withoutEnd(progressive), true},
        {"baseline cut in its scan", baseline, Bytes(baseline.begin(), baseline.end() - 40), false},
        {"progressive without its last scan", progressive, beforeLastScan(progressive), false},
        {"progressive cut in its last scan", progressive, Bytes(progressive.begin(), progressive.end() - 30), false},
    };
    for (const auto& c : cases) {
        const DecodedPicture picture = Decode(PictureFormat::Jpeg, c.bytes);
        if (!c.shows) {
            EXPECT_EQ(picture.problem, DecodeProblem::Corrupt) << c.name;
            continue;
        }
        ASSERT_EQ(picture.problem, DecodeProblem::None) << c.name;
        EXPECT_EQ(picture.image.pixels, Decode(PictureFormat::Jpeg, c.whole).image.pixels) << c.name;
    }
}

// Every prefix of a good file either decodes whole or is refused: never a half picture, never a
// crash. (A PNG may lose its closing chunks and still be whole.)
TEST(PictureDecode, EveryTruncationIsWholeOrRefused) {
    const Image source = testing::Gradient(24, 16);
    testing::GifFrame frame{0, 0, 24, 16, std::vector<uint8_t>(24 * 16, 3), true};
    const struct { PictureFormat format; Bytes bytes; } files[] = {
        {PictureFormat::Png, testing::EncodePng(source, {}, true)},
        {PictureFormat::Jpeg, testing::EncodeJpeg(source, true)},
        {PictureFormat::Gif, testing::EncodeGif(24, 16, {0, 1, 2, 3}, {frame})},
        {PictureFormat::Bmp, AsBytes(testing::RleTestBmp(24, 16, 8, testing::EncodeRle8(24, 16, GreyIndex), 0))},
        {PictureFormat::Bmp, BmpOf(source)},
    };
    for (const auto& file : files)
        for (size_t keep = 0; keep < file.bytes.size(); ++keep) {
            const Bytes prefix(file.bytes.begin(), file.bytes.begin() + keep);
            const DecodedPicture picture = Decode(file.format, prefix, 10, 10);
            if (picture.problem == DecodeProblem::None)
                EXPECT_EQ(picture.image.pixels.size(), 10u * 7u) << "kept " << keep;
            else
                EXPECT_TRUE(picture.image.pixels.empty()) << "kept " << keep;
        }
}

}  // namespace
}  // namespace tikora
