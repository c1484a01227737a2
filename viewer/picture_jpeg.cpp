// JPEG through libjpeg: decoded at the smallest scale that still covers the shown size, straight
// into 32-bit rows, then area-averaged. libjpeg reports errors by calling back; we leave its frames
// with longjmp, so the function that sets the jump point holds no objects that need destroying.
#include <csetjmp>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "viewer/picture_codecs.h"
#include "viewer/picture_shrink.h"

namespace tikora::codecs {

namespace {

// Working memory libjpeg may take (a progressive file keeps every coefficient until its last scan),
// and the number of scans we sit through: crafted files with thousands of scans take minutes.
constexpr long kMaxJpegWorkingMemory = 256L << 20;
constexpr int kMaxJpegScans = 500;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings are passed over, except the data ending early: libjpeg would fill the rest with grey
// and call the picture good.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnJpegError(info);
}

void OnJpegProgress(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans)
        ERREXIT(info, JERR_NOTIMPL);
}

struct JpegJob {
    const uint8_t* data;
    size_t size;
    const DecodeRequest& request;
    const PixelTarget& target;
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    jpeg_progress_mgr progress{};
    bool created = false;
    DecodedPicture result;
    std::optional<RowShrinker> shrinker;
    std::vector<uint32_t> row;
    std::vector<uint8_t> cmykRow;

    JpegJob(const uint8_t* d, size_t s, const DecodeRequest& r, const PixelTarget& t) : data(d), size(s), request(r), target(t) {}
    ~JpegJob() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

// The smallest libjpeg scale (1/8, 1/4, 1/2 or 1) whose output still covers the shown size.
int ScaleDenominator(int width, int height, ShownSize shown) {
    for (int denominator : {8, 4, 2})
        if ((width + denominator - 1) / denominator >= shown.width && (height + denominator - 1) / denominator >= shown.height)
            return denominator;
    return 1;
}

// Adobe's CMYK JPEGs store the inks inverted: the colour is ink times black over 255.
void CmykToRgb(const uint8_t* cmyk, uint32_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        const unsigned k = cmyk[3];
        out[x] = Rgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
    }
}

bool RunJpeg(JpegJob& job) {
    job.info.err = jpeg_std_error(&job.errors.manager);
    job.errors.manager.error_exit = OnJpegError;
    job.errors.manager.emit_message = OnJpegMessage;
    if (setjmp(job.errors.jump)) return false;
    jpeg_create_decompress(&job.info);
    job.created = true;
    job.info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    job.progress.progress_monitor = OnJpegProgress;
    job.info.progress = &job.progress;
    jpeg_mem_src(&job.info, job.data, static_cast<unsigned long>(job.size));
    jpeg_read_header(&job.info, TRUE);

    ShownSize shown{};
    job.result.width = static_cast<int>(job.info.image_width);
    job.result.height = static_cast<int>(job.info.image_height);
    job.result.problem = PlanSize(job.result.width, job.result.height, job.request, false, shown);
    if (job.result.problem != DecodeProblem::None) return true;

    const bool cmyk = job.info.jpeg_color_space == JCS_CMYK || job.info.jpeg_color_space == JCS_YCCK;
    job.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;  // BGRX bytes read as 0xXXRRGGBB
    job.info.scale_num = 1;
    job.info.scale_denom = ScaleDenominator(job.result.width, job.result.height, shown);
    job.info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&job.info);
    const JDIMENSION outWidth = job.info.output_width;
    const JDIMENSION outHeight = job.info.output_height;
    // The scaled output rounds up, so it is never below the shown size; check all the same.
    if (static_cast<int>(outWidth) < shown.width || static_cast<int>(outHeight) < shown.height) {
        shown.width = std::min<int>(shown.width, static_cast<int>(outWidth));
        shown.height = std::min<int>(shown.height, static_cast<int>(outHeight));
    }
    job.shrinker.emplace(static_cast<int>(outWidth), static_cast<int>(outHeight), shown.width, shown.height,
                         TargetFor(job.target, shown));
    job.row.resize(outWidth);
    if (cmyk) job.cmykRow.resize(static_cast<size_t>(outWidth) * 4);
    while (job.info.output_scanline < outHeight) {
        uint32_t* direct = cmyk ? nullptr : job.shrinker->DirectRow();
        JSAMPROW target = cmyk ? job.cmykRow.data() : reinterpret_cast<JSAMPROW>(direct ? direct : job.row.data());
        if (jpeg_read_scanlines(&job.info, &target, 1) != 1) return false;
        if (direct) {
            job.shrinker->CommitDirectRow();
            continue;
        }
        if (cmyk) CmykToRgb(job.cmykRow.data(), job.row.data(), outWidth);
        job.shrinker->AddRow(job.row.data());
    }
    jpeg_finish_decompress(&job.info);
    return true;
}

}  // namespace

DecodedPicture DecodeJpeg(const uint8_t* data, size_t size, const DecodeRequest& request, const PixelTarget& target) {
    if (size < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF) return {DecodeProblem::NotPicture};
    JpegJob job(data, size, request, target);
    if (!RunJpeg(job)) {
        const bool tooBig = job.errors.manager.msg_code == JERR_NO_BACKING_STORE || job.errors.manager.msg_code == JERR_NOTIMPL;
        return {tooBig ? DecodeProblem::OverBudget : DecodeProblem::Corrupt, job.result.width, job.result.height};
    }
    if (job.result.problem == DecodeProblem::None) job.result.image = job.shrinker->Take();
    return std::move(job.result);
}

}  // namespace tikora::codecs
