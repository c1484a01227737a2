// PNG through libpng: every colour type turned into 8-bit BGRA rows, put over the background and
// area-averaged. libpng reports errors by longjmp to the point set in RunPng, whose frame holds no
// objects that need destroying. Interlaced files arrive in seven passes over the whole picture, so
// those are decoded whole first.
#include <cstring>
#include <optional>
#include <vector>

#include <png.h>

#include "viewer/picture_codecs.h"
#include "viewer/picture_shrink.h"

namespace tikora::codecs {

namespace {

// The most memory a single chunk (text, ICC profile...) may ask of libpng.
constexpr png_alloc_size_t kMaxPngChunk = 8u << 20;

struct PngJob {
    SequentialReader reader;  // from byte 8: the signature is checked before libpng starts
    uint64_t offset = 8;      // of the next byte libpng reads
    uint64_t nextChunk = 8;   // where the next chunk's length and type lie
    const DecodeRequest& request;
    const PixelTarget& target;
    png_structp png = nullptr;
    png_infop info = nullptr;
    DecodedPicture result;
    std::optional<RowShrinker> shrinker;
    std::vector<uint32_t> row;
    std::vector<uint8_t> line;      // a row as libpng gives it
    std::vector<uint16_t> samples;  // 16-bit B, G, R, A, for files blended at 16 bits
    std::vector<uint8_t> whole;     // interlaced files only

    PngJob(ByteSource& s, const DecodeRequest& r, const PixelTarget& t) : reader(s, 8, s.Size() - 8), request(r), target(t) {}
    ~PngJob() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (!job->reader.Read(std::span(out, count))) png_error(png, "data ends early");
    // A chunk's length and type: one other than the pixel data that is larger than we take is
    // refused here, before libpng allocates (and clears) a buffer of the size it declares; a
    // file of 57 bytes could otherwise make it clear a gigabyte.
    if (job->offset == job->nextChunk && count == 8) {
        const uint64_t length = (uint64_t{out[0]} << 24) | (uint64_t{out[1]} << 16) | (uint64_t{out[2]} << 8) | out[3];
        if (std::memcmp(out + 4, "IDAT", 4) != 0 && length > kMaxPngChunk) png_error(png, "chunk too large");
        job->nextChunk = job->offset + 8 + length + 4;
    }
    job->offset += count;
}

void IgnorePngWarning(png_structp, png_const_charp) {}

void ComposeRow(uint32_t* row, size_t width, uint32_t background) {
    for (size_t x = 0; x < width; ++x) row[x] = OverBackground(row[x], background);
}

// 16-bit B, G, R, A samples over the background, each channel rounded once to 8 bits.
void ComposeRow16(const uint16_t* samples, uint32_t* row, size_t width, uint32_t background) {
    for (size_t x = 0; x < width; ++x, samples += 4) {
        const uint64_t alpha = samples[3];
        uint32_t pixel = 0;
        for (int c = 0; c < 3; ++c) {
            const uint64_t back = ((background >> (8 * c)) & 0xFF) * 257u;
            const uint64_t blended = (samples[c] * alpha + back * (65535 - alpha) + 32767) / 65535;
            pixel |= static_cast<uint32_t>((blended * 255 + 32895) >> 16) << (8 * c);
        }
        row[x] = pixel;
    }
}

bool RunPng(PngJob& job) {
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnorePngWarning);
    if (!job.png) return false;
    job.info = png_create_info_struct(job.png);
    if (!job.info) return false;
    if (setjmp(png_jmpbuf(job.png))) return false;
    png_set_read_fn(job.png, &job, ReadPngBytes);
    png_set_sig_bytes(job.png, 8);
    png_set_chunk_malloc_max(job.png, kMaxPngChunk);
    png_read_info(job.png, job.info);

    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0, interlace = 0;
    png_get_IHDR(job.png, job.info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
    job.result.width = static_cast<int>(width);
    job.result.height = static_cast<int>(height);
    const bool interlaced = interlace != PNG_INTERLACE_NONE;
    ShownSize shown{};
    job.result.problem = PlanSize(job.result.width, job.result.height, job.request, interlaced, shown);
    if (job.result.problem != DecodeProblem::None) return true;

    // Whatever the file holds, rows come out as B, G, R, A samples: 0xAARRGGBB read as 32 bits.
    // 16-bit channels are rounded to 8 bits, not cut; with transparency they are put over the
    // background at 16 bits first, so that the blend is exact before the one rounding.
    const bool blend16 = depth == 16 && ((colour & PNG_COLOR_MASK_ALPHA) || png_get_valid(job.png, job.info, PNG_INFO_tRNS));
    png_set_expand(job.png);
    if (blend16)
        png_set_swap(job.png);  // samples in our byte order
    else
        png_set_scale_16(job.png);
    png_set_gray_to_rgb(job.png);
    png_set_bgr(job.png);
    png_set_add_alpha(job.png, 0xFFFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    const size_t pixelBytes = blend16 ? 8 : 4;
    if (png_get_rowbytes(job.png, job.info) != static_cast<size_t>(width) * pixelBytes) return false;

    job.shrinker.emplace(job.result.width, job.result.height, shown.width, shown.height, TargetFor(job.target, shown));
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    job.row.resize(width);
    if (blend16) job.samples.resize(static_cast<size_t>(width) * 4);
    auto emit = [&](png_bytep line) {
        if (blend16) {
            std::memcpy(job.samples.data(), line, rowBytes);
            ComposeRow16(job.samples.data(), job.row.data(), width, job.request.background);
        } else {
            if (line != reinterpret_cast<png_bytep>(job.row.data())) std::memcpy(job.row.data(), line, rowBytes);
            ComposeRow(job.row.data(), width, job.request.background);
        }
        job.shrinker->AddRow(job.row.data());
    };
    if (passes > 1) {
        job.whole.assign(rowBytes * height, 0);
        for (int pass = 0; pass < passes; ++pass)
            for (png_uint_32 y = 0; y < height; ++y) png_read_row(job.png, &job.whole[rowBytes * y], nullptr);
        for (png_uint_32 y = 0; y < height; ++y) emit(&job.whole[rowBytes * y]);
    } else {
        // 8-bit rows go straight into the row buffer.
        job.line.resize(blend16 ? rowBytes : 0);
        png_bytep line = blend16 ? job.line.data() : reinterpret_cast<png_bytep>(job.row.data());
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(job.png, line, nullptr);
            emit(line);
        }
    }
    // The picture is complete here; what follows the pixels (text, a broken end chunk) is not
    // worth refusing it for.
    return true;
}

}  // namespace

DecodedPicture DecodePng(ByteSource& source, const DecodeRequest& request, const PixelTarget& target) {
    uint8_t signature[8] = {};
    if (!source.Read(0, signature) || png_sig_cmp(signature, 0, 8) != 0) return {DecodeProblem::NotPicture};
    PngJob job(source, request, target);
    if (!RunPng(job)) return {DecodeProblem::Corrupt, job.result.width, job.result.height};
    if (job.result.problem == DecodeProblem::None) job.result.image = job.shrinker->Take();
    return std::move(job.result);
}

}  // namespace tikora::codecs
