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
    const DecodeRequest& request;
    const PixelTarget& target;
    png_structp png = nullptr;
    png_infop info = nullptr;
    DecodedPicture result;
    std::optional<RowShrinker> shrinker;
    std::vector<uint32_t> row;
    std::vector<uint32_t> whole;  // interlaced files only

    PngJob(ByteSource& s, const DecodeRequest& r, const PixelTarget& t) : reader(s, 8, s.Size() - 8), request(r), target(t) {}
    ~PngJob() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (!job->reader.Read(std::span(out, count))) png_error(png, "data ends early");
}

void IgnorePngWarning(png_structp, png_const_charp) {}

void ComposeRow(uint32_t* row, size_t width, uint32_t background) {
    for (size_t x = 0; x < width; ++x) row[x] = OverBackground(row[x], background);
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

    // Whatever the file holds, rows come out as B, G, R, A bytes: 0xAARRGGBB read as 32 bits.
    // 16-bit channels are rounded to 8 bits, not cut.
    png_set_expand(job.png);
    png_set_scale_16(job.png);
    png_set_gray_to_rgb(job.png);
    png_set_bgr(job.png);
    png_set_add_alpha(job.png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    if (png_get_rowbytes(job.png, job.info) != static_cast<size_t>(width) * 4) return false;

    job.shrinker.emplace(job.result.width, job.result.height, shown.width, shown.height, TargetFor(job.target, shown));
    if (passes > 1) {
        job.whole.assign(static_cast<size_t>(width) * height, 0);
        for (int pass = 0; pass < passes; ++pass)
            for (png_uint_32 y = 0; y < height; ++y)
                png_read_row(job.png, reinterpret_cast<png_bytep>(&job.whole[static_cast<size_t>(y) * width]), nullptr);
        for (png_uint_32 y = 0; y < height; ++y) {
            uint32_t* line = &job.whole[static_cast<size_t>(y) * width];
            ComposeRow(line, width, job.request.background);
            job.shrinker->AddRow(line);
        }
    } else {
        job.row.resize(width);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(job.png, reinterpret_cast<png_bytep>(job.row.data()), nullptr);
            ComposeRow(job.row.data(), width, job.request.background);
            job.shrinker->AddRow(job.row.data());
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
