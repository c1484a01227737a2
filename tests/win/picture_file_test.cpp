// Picture files as the viewer loads them, every kind from a real file: the size each reports, the
// kind of handle it gives, the two kinds of failure (a file that cannot be read, a picture that
// cannot be decoded), and the picture box placing what it shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "core/errors.h"
#include "support/bad_pictures.h"
#include "support/picture_samples.h"
#include "viewer/picture_box_win.h"
#include "viewer/picture_file_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

std::string AsString(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A metafile made by GDI itself: a filled rectangle of the given size in 0.01 mm.
std::string EnhancedMetafileBytes(int widthHundredthsMm, int heightHundredthsMm) {
    RECT frame{0, 0, widthHundredthsMm, heightHundredthsMm};
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    Rectangle(recorder, 0, 0, 50, 40);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
    DeleteEnhMetaFile(metafile);
    return bytes;
}

// An old metafile behind the placeable header: a box of width x height units at `inch` per inch.
std::string PlaceableMetafileBytes(int width, int height, int inch, bool goodChecksum = true) {
    HDC recorder = CreateMetaFileA(nullptr);
    Rectangle(recorder, 0, 0, width, height);
    HMETAFILE metafile = CloseMetaFile(recorder);
    std::string body(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
    GetMetaFileBitsEx(metafile, static_cast<UINT>(body.size()), body.data());
    DeleteMetaFile(metafile);
    uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                           static_cast<uint16_t>(inch), 0, 0, 0};
    for (int i = 0; i < 10; ++i) header[10] ^= header[i];
    if (!goodChecksum) header[10] ^= 1;
    return std::string(reinterpret_cast<const char*>(header), sizeof header) + body;
}

enum class Handle { Bitmap, Icon, Metafile };

TEST(PictureFileTest, EveryKindLoadsWithItsOwnSize) {
    EnsureApplication();
    TempFolder folder;
    const Image source = Gradient(40, 30);
    const int dpi = [] { HDC dc = GetDC(nullptr); const int d = GetDeviceCaps(dc, LOGPIXELSX); ReleaseDC(nullptr, dc); return d; }();
    struct Case { const char* name; std::string bytes; int width, height; Handle handle; int slack; };
    const Case cases[] = {
        {"a.png", AsString(EncodePng(source)), 40, 30, Handle::Bitmap, 0},
        {"a.JPG", AsString(EncodeJpeg(source)), 40, 30, Handle::Bitmap, 0},
        {"a.gif", AsString(EncodeGif(40, 30, {0, 0xFFFFFF}, {{0, 0, 40, 30, std::vector<uint8_t>(1200, 1)}})), 40, 30, Handle::Bitmap, 0},
        {"a.bmp", EncodeTestBmp({.width = 40, .height = 30}), 40, 30, Handle::Bitmap, 0},
        {"rle.bmp", RleTestBmp(40, 30, 8, EncodeRle8(40, 30, [](int x, int y) { return static_cast<uint8_t>(x + y); })), 40, 30,
         Handle::Bitmap, 0},
        {"a.ico", GoodTestIcon(), 32, 32, Handle::Icon, 0},
        // 2 inches by 1 inch at the screen's pixels per inch; the device's own rounding aside.
        {"a.wmf", PlaceableMetafileBytes(2000, 1000, 1000), 2 * dpi, dpi, Handle::Metafile, 0},
        {"a.emf", EnhancedMetafileBytes(5080, 2540), 2 * dpi, dpi, Handle::Metafile, 3},
    };
    for (const Case& c : cases) {
        folder.Write(c.name, c.bytes);
        LoadedPicture picture = LoadPictureFile(folder.File(c.name), 0, 0, RGB(128, 128, 128));
        EXPECT_NEAR(picture.width, c.width, c.slack) << c.name;
        EXPECT_NEAR(picture.height, c.height, c.slack) << c.name;
        EXPECT_EQ(picture.bitmap.get() != nullptr, c.handle == Handle::Bitmap) << c.name;
        EXPECT_EQ(picture.icon.get() != nullptr, c.handle == Handle::Icon) << c.name;
        EXPECT_EQ(picture.metafile.get() != nullptr, c.handle == Handle::Metafile) << c.name;
    }
}

// Undecodable pictures are picture errors (the placeholder, no box); unreadable files are not.
TEST(PictureFileTest, FailuresAreSortedIntoPictureErrorsAndOthers) {
    EnsureApplication();
    TempFolder folder;
    Bytes png = EncodePng(Gradient(40, 30));
    Bytes jpeg = EncodeJpeg(Gradient(40, 30));
    jpeg.resize(jpeg.size() / 2);
    std::string cutRle = RleTestBmp(40, 30, 8, EncodeRle8(40, 30, [](int x, int) { return static_cast<uint8_t>(x); }), 0);
    cutRle.resize(cutRle.size() - 3);
    struct Case { const char* name; std::string bytes; const char* className; };
    const Case cases[] = {
        {"garbage.png", "not a picture at all", kInvalidGraphic},
        {"broken.jpg", AsString(jpeg), kJpegError},
        {"png-named.gif", AsString(png), kInvalidGraphic},
        {"empty.bmp", "", kInvalidGraphic},
        {"cut-rle.bmp", cutRle, kInvalidGraphic},
        {"text.ico", "hello", kInvalidGraphic},
        {"bad-checksum.wmf", PlaceableMetafileBytes(100, 100, 1000, false), kInvalidGraphic},
        {"garbage.emf", std::string(200, '\x01'), kInvalidGraphic},
        {"notes.txt", "a picture by another name", kInvalidGraphic},
    };
    for (const Case& c : cases) {
        folder.Write(c.name, c.bytes);
        try {
            LoadPictureFile(folder.File(c.name), 0, 0, 0);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const PictureError& e) {
            EXPECT_EQ(e.ClassName(), c.className) << c.name;
        }
    }

    // A missing file and one held by another without sharing: the error box's message.
    const std::string missing = folder.File("missing.png");
    try {
        LoadPictureFile(missing, 0, 0, 0);
        ADD_FAILURE() << "a missing file loaded";
    } catch (const PictureError&) {
        ADD_FAILURE() << "a missing file is not a picture error";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + missing + "\". ", 0), 0u) << e.what();
    }
    folder.Write("held.png", AsString(png));
    HANDLE held = CreateFileA(folder.File("held.png").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_THROW(
        try { LoadPictureFile(folder.File("held.png"), 0, 0, 0); } catch (const PictureError&) { FAIL() << "held file"; },
        AppError);
    CloseHandle(held);
}

TEST(PictureFileTest, TheBoxCentresAndShrinksButNeverEnlarges) {
    EnsureApplication();
    TempFolder folder;
    folder.Write("small.png", AsString(EncodePng(Gradient(40, 30))));
    folder.Write("large.bmp", EncodeTestBmp({.width = 400, .height = 300}));
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    PictureBox box;
    box.Create(parent, {.at = {0, 0, 100, 100}});
    RECT client{};
    GetClientRect(box.Hwnd(), &client);
    const int side = client.right;  // 100 at 96 DPI, scaled otherwise

    box.SetPicture(LoadPictureFile(folder.File("small.png"), side, side, 0));
    RECT at = box.PictureRect();
    EXPECT_EQ(at.right - at.left, 40);
    EXPECT_EQ(at.left, (side - 40) / 2);
    EXPECT_EQ(at.top, (side - 30) / 2);

    box.SetPicture(LoadPictureFile(folder.File("large.bmp"), 0, 0, 0));  // shrunk at drawing time
    at = box.PictureRect();
    EXPECT_EQ(at.right - at.left, side);
    EXPECT_EQ(at.bottom - at.top, side * 3 / 4);

    box.Clear();
    EXPECT_FALSE(box.HasPicture());
    DestroyWindow(parent);
}

TEST(PictureFileTest, ThePlaceholderCarriesItsWords) {
    EnsureApplication();
    const LoadedPicture placeholder = MakePlaceholderPicture();
    EXPECT_EQ(placeholder.width, 195);
    EXPECT_EQ(placeholder.height, 32);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    PictureBox box;
    box.Create(parent, {.at = {0, 0, 195, 32}, .text = kNoPreviewText});
    char text[64] = {};
    GetWindowTextA(box.Hwnd(), text, sizeof text);
    EXPECT_STREQ(text, "No preview available");
    DestroyWindow(parent);
}

}  // namespace
