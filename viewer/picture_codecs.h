#pragma once
// Shared by the codec files of the decoding layer; not for other callers.
#include <cstddef>
#include <cstdint>

#include "viewer/picture_decoder.h"

namespace tikora::codecs {

// Checks a declared size against the limits and works out the shown size. wholeInMemory is true
// when the codec must hold the full picture before shrinking it (interlaced files).
DecodeProblem PlanSize(int width, int height, const DecodeRequest& request, bool wholeInMemory, ShownSize& shown);

// The caller's buffer for the shown pixels, or null for the shrinker's own picture.
inline uint32_t* TargetFor(const PixelTarget& target, ShownSize shown) {
    return target ? target(shown.width, shown.height) : nullptr;
}

// Each codec reads its source from the start; the source holds at least one byte.
DecodedPicture DecodeJpeg(ByteSource& source, const DecodeRequest& request, const PixelTarget& target);
DecodedPicture DecodePng(ByteSource& source, const DecodeRequest& request, const PixelTarget& target);
DecodedPicture DecodeGif(ByteSource& source, const DecodeRequest& request, const PixelTarget& target);
DecodedPicture DecodeBmp(ByteSource& source, const DecodeRequest& request, const PixelTarget& target);

}  // namespace tikora::codecs
