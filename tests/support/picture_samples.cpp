// Encoders for the decoding tests. Errors here are the test's own fault: they abort.
#include "support/picture_samples.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace tikora::testing {

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "picture_samples: %s\n", what);
    std::abort();
}

}  // namespace

Image Gradient(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = Rgb(x * 255 / std::max(width - 1, 1), y * 255 / std::max(height - 1, 1), 96);
    return image;
}

Bytes EncodeJpeg(const Image& image, bool progressive, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            row[x * 3] = (p >> 16) & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = p & 0xFF;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(out, out + size);
    std::free(out);
    return bytes;
}

namespace {
void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<Bytes*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}
void FlushPng(png_structp) {}
}  // namespace

Bytes EncodePng(const Image& image, const std::vector<uint8_t>& alpha, bool interlaced) {
    Bytes bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!png || !info || setjmp(png_jmpbuf(png))) Fail("png encoder");
    png_set_write_fn(png, &bytes, AppendPng, FlushPng);
    const bool withAlpha = !alpha.empty();
    png_set_IHDR(png, info, image.width, image.height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = withAlpha ? 4 : 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(image.width) * image.height * channels);
    std::vector<png_bytep> rows(image.height);
    for (int y = 0; y < image.height; ++y) {
        rows[y] = &pixels[static_cast<size_t>(y) * image.width * channels];
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            png_bytep px = rows[y] + x * channels;
            px[0] = (p >> 16) & 0xFF;
            px[1] = (p >> 8) & 0xFF;
            px[2] = p & 0xFF;
            if (withAlpha) px[3] = alpha[static_cast<size_t>(y) * image.width + x];
        }
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

namespace {
int AppendGif(GifFileType* gif, const GifByteType* data, int length) {
    auto* bytes = static_cast<Bytes*>(gif->UserData);
    bytes->insert(bytes->end(), data, data + length);
    return length;
}
}  // namespace

Bytes EncodeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& palette, const std::vector<GifFrame>& frames) {
    Bytes bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendGif, &error);
    if (!gif) Fail("gif encoder");
    int mapSize = 2;
    while (mapSize < static_cast<int>(palette.size())) mapSize *= 2;
    std::vector<GifColorType> colours(mapSize);
    for (size_t i = 0; i < palette.size(); ++i)
        colours[i] = {static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8), static_cast<GifByteType>(palette[i])};
    ColorMapObject* map = GifMakeMapObject(mapSize, colours.data());
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, 0, map) != GIF_OK) Fail("gif screen");
    for (const GifFrame& frame : frames) {
        if (frame.transparent >= 0) {
            GraphicsControlBlock control{};
            control.TransparentColor = frame.transparent;
            GifByteType block[4];
            const size_t length = EGifGCBToExtension(&control, block);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block);
        }
        if (EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, nullptr) != GIF_OK)
            Fail("gif frame");
        // Interlaced frames are written in their stored row order.
        std::vector<int> order;
        if (frame.interlaced) {
            const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = starts[pass]; y < frame.height; y += steps[pass]) order.push_back(y);
        } else {
            for (int y = 0; y < frame.height; ++y) order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> line(frame.indices.begin() + static_cast<size_t>(y) * frame.width,
                                           frame.indices.begin() + static_cast<size_t>(y + 1) * frame.width);
            if (EGifPutLine(gif, line.data(), frame.width) != GIF_OK) Fail("gif line");
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

void SetPngSize(Bytes& png, uint32_t width, uint32_t height) {
    // Signature (8), IHDR length (4), "IHDR" (4), width, height, then the checksum over type and data.
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) png[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), &png[12], 17)));
}

void SetJpegSize(Bytes& jpeg, uint16_t width, uint16_t height) {
    for (size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = height >> 8;
            jpeg[i + 6] = height & 0xFF;
            jpeg[i + 7] = width >> 8;
            jpeg[i + 8] = width & 0xFF;
            return;
        }
    Fail("no frame header in the JPEG");
}

void SetGifScreen(Bytes& gif, uint16_t width, uint16_t height) {
    gif[6] = width & 0xFF;
    gif[7] = width >> 8;
    gif[8] = height & 0xFF;
    gif[9] = height >> 8;
}

}  // namespace tikora::testing
