// The decoding layer's entry: the format from the extension, the fitting rule and the limits.
#include "viewer/picture_decoder.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "viewer/picture_codecs.h"

namespace tikora {

PictureFormat PictureFormatOf(std::string_view path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("\\/");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return PictureFormat::Unknown;
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "jpg" || ext == "jpeg") return PictureFormat::Jpeg;
    if (ext == "png") return PictureFormat::Png;
    if (ext == "gif") return PictureFormat::Gif;
    if (ext == "bmp") return PictureFormat::Bmp;
    if (ext == "ico" || ext == "emf" || ext == "wmf") return PictureFormat::System;
    return PictureFormat::Unknown;
}

const char* DecodeProblemName(DecodeProblem problem) {
    switch (problem) {
        case DecodeProblem::None: return "none";
        case DecodeProblem::Empty: return "empty file";
        case DecodeProblem::NotPicture: return "not a picture of its kind";
        case DecodeProblem::Corrupt: return "corrupt or truncated";
        case DecodeProblem::NoFrames: return "no picture in the file";
        case DecodeProblem::OverBudget: return "too large";
    }
    return "unknown";
}

ShownSize FitInto(int width, int height, int boxWidth, int boxHeight) {
    if (boxWidth <= 0 || boxHeight <= 0 || (width <= boxWidth && height <= boxHeight)) return {width, height};
    // Scale by the tighter side; the other side rounds to the nearest pixel.
    int shownWidth = 0;
    int shownHeight = 0;
    if (static_cast<int64_t>(width) * boxHeight >= static_cast<int64_t>(height) * boxWidth) {
        shownWidth = boxWidth;
        shownHeight = static_cast<int>((static_cast<int64_t>(height) * boxWidth * 2 + width) / (static_cast<int64_t>(width) * 2));
    } else {
        shownHeight = boxHeight;
        shownWidth = static_cast<int>((static_cast<int64_t>(width) * boxHeight * 2 + height) / (static_cast<int64_t>(height) * 2));
    }
    return {std::max(shownWidth, 1), std::max(shownHeight, 1)};
}

namespace codecs {

DecodeProblem PlanSize(int width, int height, const DecodeRequest& request, bool wholeInMemory, ShownSize& shown) {
    if (width <= 0 || height <= 0) return DecodeProblem::Corrupt;
    const uint64_t declared = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (declared > kMaxDeclaredPixels) return DecodeProblem::OverBudget;
    if (wholeInMemory && declared > kMaxWholePixels) return DecodeProblem::OverBudget;
    shown = FitInto(width, height, request.fitWidth, request.fitHeight);
    if (static_cast<uint64_t>(shown.width) * static_cast<uint64_t>(shown.height) > kMaxShownPixels)
        return DecodeProblem::OverBudget;
    return DecodeProblem::None;
}

}  // namespace codecs

DecodedPicture DecodePicture(PictureFormat format, const uint8_t* data, size_t size, const DecodeRequest& request,
                             const PixelTarget& target) {
    if (size == 0 || data == nullptr) return {DecodeProblem::Empty};
    MemorySource source({data, size});
    return DecodePicture(format, source, request, target);
}

DecodedPicture DecodePicture(PictureFormat format, ByteSource& source, const DecodeRequest& request,
                             const PixelTarget& target) {
    if (source.Size() == 0) return {DecodeProblem::Empty};
    try {
        switch (format) {
            case PictureFormat::Jpeg: return codecs::DecodeJpeg(source, request, target);
            case PictureFormat::Png: return codecs::DecodePng(source, request, target);
            case PictureFormat::Gif: return codecs::DecodeGif(source, request, target);
            case PictureFormat::Bmp: return codecs::DecodeBmp(source, request, target);
            case PictureFormat::System:
            case PictureFormat::Unknown: break;
        }
    } catch (const std::bad_alloc&) {
        return {DecodeProblem::OverBudget};  // within the limits, yet the memory was not there
    }
    return {DecodeProblem::NotPicture};
}

}  // namespace tikora
