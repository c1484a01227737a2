// JPEG through libjpeg: decoded at the smallest scale that still covers the shown size, straight
// into 32-bit rows, then area-averaged. libjpeg reports errors by calling back; we leave its frames
// with longjmp, so the function that sets the jump point holds no objects that need destroying.
//
// The end of the file: libjpeg meets it with a warning and goes on as if an end marker were there.
// That is right when all scan data was there (many files lack their end marker, or carry other
// bytes after the last scan) and wrong when the data ends early, where libjpeg would fill the rest
// with grey. So the end is a failure only when the decoder needs data after it (a "hit marker"
// warning), or when a scan the picture needs never came: for a progressive file, each coefficient
// must have reached its last bit; for a sequential one, each component must have had its scan.
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
    bool endMet = false;             // the data ended (libjpeg pretends an end marker)
    unsigned componentsScanned = 0;  // a bit per component that appeared in a scan
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings are passed over (extra bytes between markers, which many cameras write), except scan
// data that is needed after the end of the file.
void OnJpegMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    if (info->err->msg_code == JWRN_JPEG_EOF) errors->endMet = true;
    if (info->err->msg_code == JWRN_HIT_MARKER && errors->endMet) OnJpegError(info);
}

void OnJpegProgress(j_common_ptr info) {
    if (!info->is_decompressor) return;
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxJpegScans) ERREXIT(info, JERR_NOTIMPL);
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    for (int i = 0; i < decompress->comps_in_scan && i < MAX_COMPS_IN_SCAN; ++i)
        if (const jpeg_component_info* component = decompress->cur_comp_info[i]; component && component->component_index < 32)
            errors->componentsScanned |= 1u << component->component_index;
}

// After the file ended early: whether every scan the picture needs was there.
bool ScansComplete(const jpeg_decompress_struct& info, unsigned componentsScanned) {
    if (info.progressive_mode) {
        if (!info.coef_bits) return false;
        for (int c = 0; c < info.num_components; ++c)
            for (int k = 0; k < DCTSIZE2; ++k)
                if (info.coef_bits[c][k] != 0) return false;
        return true;
    }
    for (int c = 0; c < info.num_components && c < 32; ++c)
        if (!(componentsScanned & (1u << c))) return false;
    return true;
}

// The file's bytes as libjpeg asks for them, a buffer at a time. At the end, an end marker is
// pretended, with the warning libjpeg's own sources give.
struct JpegSource {
    jpeg_source_mgr manager{};
    SequentialReader* reader = nullptr;
};

void InitJpegSource(j_decompress_ptr) {}
void TermJpegSource(j_decompress_ptr) {}

boolean FillJpegInput(j_decompress_ptr info) {
    static const JOCTET kEnd[2] = {0xFF, JPEG_EOI};
    auto* source = reinterpret_cast<JpegSource*>(info->src);
    const std::span<const uint8_t> part = source->reader->Next();
    if (part.empty()) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->manager.next_input_byte = kEnd;
        source->manager.bytes_in_buffer = 2;
    } else {
        source->manager.next_input_byte = part.data();
        source->manager.bytes_in_buffer = part.size();
    }
    return TRUE;
}

void SkipJpegInput(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    auto* source = reinterpret_cast<JpegSource*>(info->src);
    const size_t skip = static_cast<size_t>(count);
    if (skip <= source->manager.bytes_in_buffer) {
        source->manager.next_input_byte += skip;
        source->manager.bytes_in_buffer -= skip;
        return;
    }
    const uint64_t beyond = skip - source->manager.bytes_in_buffer;
    source->manager.bytes_in_buffer = 0;
    // Past the end: the next fill meets it.
    if (!source->reader->Skip(beyond)) source->reader->Skip(source->reader->Left());
}

struct JpegJob {
    SequentialReader reader;
    JpegSource source;
    const DecodeRequest& request;
    const PixelTarget& target;
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    jpeg_progress_mgr progress{};
    bool created = false;
    bool rowsComplete = false;  // every row is out: what remains of the file cannot spoil them
    DecodedPicture result;
    std::optional<RowShrinker> shrinker;
    std::vector<uint32_t> row;
    std::vector<uint8_t> cmykRow;

    JpegJob(ByteSource& s, const DecodeRequest& r, const PixelTarget& t) : reader(s, 0, s.Size()), request(r), target(t) {}
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
    if (setjmp(job.errors.jump)) return job.rowsComplete;
    jpeg_create_decompress(&job.info);
    job.created = true;
    job.info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    job.progress.progress_monitor = OnJpegProgress;
    job.info.progress = &job.progress;
    job.source.reader = &job.reader;
    job.source.manager.init_source = InitJpegSource;
    job.source.manager.fill_input_buffer = FillJpegInput;
    job.source.manager.skip_input_data = SkipJpegInput;
    job.source.manager.resync_to_restart = jpeg_resync_to_restart;
    job.source.manager.term_source = TermJpegSource;
    job.info.src = &job.source.manager;
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
    if (job.errors.endMet && !ScansComplete(job.info, job.errors.componentsScanned)) return false;
    job.rowsComplete = true;
    jpeg_finish_decompress(&job.info);
    return true;
}

}  // namespace

DecodedPicture DecodeJpeg(ByteSource& source, const DecodeRequest& request, const PixelTarget& target) {
    uint8_t signature[3] = {};
    if (!source.Read(0, signature) || signature[0] != 0xFF || signature[1] != 0xD8 || signature[2] != 0xFF)
        return {DecodeProblem::NotPicture};
    JpegJob job(source, request, target);
    if (!RunJpeg(job)) {
        const bool tooBig = job.errors.manager.msg_code == JERR_NO_BACKING_STORE || job.errors.manager.msg_code == JERR_NOTIMPL;
        return {tooBig ? DecodeProblem::OverBudget : DecodeProblem::Corrupt, job.result.width, job.result.height};
    }
    if (job.result.problem == DecodeProblem::None) job.result.image = job.shrinker->Take();
    return std::move(job.result);
}

}  // namespace tikora::codecs
