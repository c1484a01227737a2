// Bitmaps through our own reader (core/bmp_reader), which checks the file before a pixel is read:
// rows stream into the shrinker in the order the file gives them, so a run-length bitmap, which
// is stored from the bottom up, is never held whole.
#include "core/bmp_reader.h"
#include "viewer/picture_codecs.h"
#include "viewer/picture_shrink.h"

namespace tikora::codecs {

DecodedPicture DecodeBmp(ByteSource& source, const DecodeRequest& request, const PixelTarget& target) {
    const BmpCheck check = CheckBmp(source);
    switch (check.problem) {
        case BmpProblem::None: break;
        case BmpProblem::NotBitmap: return {DecodeProblem::NotPicture};
        case BmpProblem::OverBudget: return {DecodeProblem::OverBudget};
        default: return {DecodeProblem::Corrupt};
    }
    const BmpLayout& layout = check.layout;
    DecodedPicture result{DecodeProblem::None, layout.width, layout.height};
    ShownSize shown{};
    result.problem = PlanSize(layout.width, layout.height, request, false, shown);
    if (result.problem != DecodeProblem::None) return result;
    RowShrinker shrinker(layout.width, layout.height, shown.width, shown.height, TargetFor(target, shown),
                         BmpRowsFromBottom(layout));
    const bool read = ReadBmpRows(source, layout, layout.width, layout.height,
                                  [&shrinker](int, const uint32_t* pixels) { shrinker.AddRow(pixels); });
    if (!read || !shrinker.Complete()) return {DecodeProblem::Corrupt, layout.width, layout.height};
    result.image = shrinker.Take();
    return result;
}

}  // namespace tikora::codecs
