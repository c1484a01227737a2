// GIF through giflib: the first picture of the file, placed on its logical screen over the
// background. Later frames of an animation are not read. giflib reports errors by return codes,
// so no jumps are needed here.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include <gif_lib.h>

#include "viewer/picture_codecs.h"
#include "viewer/picture_shrink.h"

namespace tikora::codecs {

namespace {

// As many of the bytes asked for as the file still has.
int ReadGifBytes(GifFileType* gif, GifByteType* out, int count) {
    auto* input = static_cast<SequentialReader*>(gif->UserData);
    int done = 0;
    while (done < count) {
        const std::span<const uint8_t> part = input->Next(static_cast<size_t>(count - done));
        if (part.empty()) break;
        std::memcpy(out + done, part.data(), part.size());
        done += static_cast<int>(part.size());
    }
    return done;
}

struct GifFile {
    GifFileType* gif = nullptr;
    ~GifFile() {
        int error = 0;
        if (gif) DGifCloseFile(gif, &error);
    }
};

// Skips an extension block, noting the transparent colour of a graphic control extension.
bool ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
    while (block != nullptr) {
        if (code == GRAPHICS_EXT_FUNC_CODE && block[0] >= 4) {
            GraphicsControlBlock control{};
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) transparent = control.TransparentColor;
        }
        if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    }
    return true;
}

// The rows of an interlaced frame in the order they are stored: every 8th from 0, every 8th from
// 4, every 4th from 2, every 2nd from 1.
std::vector<int> InterlacedRowOrder(int height) {
    std::vector<int> order;
    order.reserve(height);
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass]) order.push_back(y);
    return order;
}

}  // namespace

DecodedPicture DecodeGif(ByteSource& source, const DecodeRequest& request, const PixelTarget& target) {
    uint8_t signature[6] = {};
    if (!source.Read(0, signature) || (std::memcmp(signature, "GIF87a", 6) != 0 && std::memcmp(signature, "GIF89a", 6) != 0))
        return {DecodeProblem::NotPicture};
    SequentialReader input(source, 0, source.Size());
    GifFile file;
    int error = 0;
    file.gif = DGifOpen(&input, ReadGifBytes, &error);
    if (!file.gif) return {DecodeProblem::Corrupt};
    GifFileType* gif = file.gif;

    DecodedPicture result;
    result.width = gif->SWidth;
    result.height = gif->SHeight;
    ShownSize shown{};
    result.problem = PlanSize(result.width, result.height, request, false, shown);
    if (result.problem != DecodeProblem::None) return result;

    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK) return {DecodeProblem::Corrupt, result.width, result.height};
        if (record == TERMINATE_RECORD_TYPE) return {DecodeProblem::NoFrames, result.width, result.height};
        if (record == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(gif, transparent)) return {DecodeProblem::Corrupt, result.width, result.height};
            continue;
        }
        if (record == IMAGE_DESC_RECORD_TYPE) break;
    }
    if (DGifGetImageDesc(gif) != GIF_OK) return {DecodeProblem::Corrupt, result.width, result.height};
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || frame.Width <= 0 || frame.Height <= 0) return {DecodeProblem::Corrupt, result.width, result.height};
    const uint64_t framePixels = static_cast<uint64_t>(frame.Width) * static_cast<uint64_t>(frame.Height);
    if (framePixels > kMaxDeclaredPixels || (frame.Interlace && framePixels > kMaxWholePixels))
        return {DecodeProblem::OverBudget, result.width, result.height};

    // The colour of each index; indices beyond the map show the background, as does the
    // transparent one.
    uint32_t colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = i < map->ColorCount ? Rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue) : request.background;
    if (transparent >= 0 && transparent < 256) colours[transparent] = request.background;

    // The frame's indices, row by row; an interlaced frame is gathered whole first.
    std::vector<GifPixelType> indices(frame.Interlace ? static_cast<size_t>(framePixels) : static_cast<size_t>(frame.Width));
    RowShrinker shrinker(result.width, result.height, shown.width, shown.height, TargetFor(target, shown));
    std::vector<uint32_t> row(result.width);
    auto emitScreenRow = [&](int screenY, const GifPixelType* frameRow) {
        std::fill(row.begin(), row.end(), request.background & 0xFFFFFF);
        if (frameRow && screenY >= frame.Top && screenY < frame.Top + frame.Height)
            for (int x = 0; x < frame.Width; ++x) {
                const int screenX = frame.Left + x;
                if (screenX >= 0 && screenX < result.width) row[screenX] = colours[frameRow[x]];
            }
        shrinker.AddRow(row.data());
    };

    if (frame.Interlace) {
        for (int y : InterlacedRowOrder(frame.Height))
            if (DGifGetLine(gif, &indices[static_cast<size_t>(y) * frame.Width], frame.Width) != GIF_OK)
                return {DecodeProblem::Corrupt, result.width, result.height};
        for (int screenY = 0; screenY < result.height; ++screenY) {
            const int frameY = screenY - frame.Top;
            emitScreenRow(screenY, frameY >= 0 && frameY < frame.Height ? &indices[static_cast<size_t>(frameY) * frame.Width] : nullptr);
        }
    } else {
        int screenY = 0;
        for (; screenY < std::min(frame.Top, result.height); ++screenY) emitScreenRow(screenY, nullptr);
        for (int frameY = 0; frameY < frame.Height; ++frameY) {
            if (DGifGetLine(gif, indices.data(), frame.Width) != GIF_OK) return {DecodeProblem::Corrupt, result.width, result.height};
            const int y = frame.Top + frameY;
            if (y >= screenY && y < result.height) {
                emitScreenRow(y, indices.data());
                screenY = y + 1;
            }
        }
        for (; screenY < result.height; ++screenY) emitScreenRow(screenY, nullptr);
    }
    result.image = shrinker.Take();
    return result;
}

}  // namespace tikora::codecs
