#pragma once
// Shrinks a picture that arrives row by row, from the top or from the bottom, into a smaller one
// by averaging areas:
// every source pixel lands in exactly one shown pixel, and each shown pixel is the rounded mean of
// its pixels. Only one row of sums is kept, so memory follows the shown width.
#include <cstdint>
#include <vector>

#include "core/image.h"

namespace tikora {

class RowShrinker {
public:
    // The shown size must be at least 1 x 1 and no larger than the source on either side.
    // shown: where the shown pixels go (shownWidth x shownHeight, rows from the top), or null for
    // a picture of the shrinker's own, handed over by Take. fromBottom: the rows arrive bottom first.
    RowShrinker(int sourceWidth, int sourceHeight, int shownWidth, int shownHeight, uint32_t* shown = nullptr,
                bool fromBottom = false);

    // One source row of sourceWidth pixels, 0x00RRGGBB (the top byte is ignored).
    void AddRow(const uint32_t* row);

    // At actual size a codec may write the next row straight into the shown picture: this is
    // where it goes (nullptr when shrinking), and CommitDirectRow takes it as added.
    uint32_t* DirectRow() { return identity_ && sourceRow_ < sourceHeight_ ? ShownRow(SourceY()) : nullptr; }
    void CommitDirectRow();

    int RowsAdded() const { return sourceRow_; }
    bool Complete() const { return sourceRow_ == sourceHeight_; }

    // The shown picture when it is the shrinker's own; call once, after the last row.
    Image Take() { return std::move(own_); }

private:
    void EmitRow();
    uint32_t* ShownRow(int y) { return shown_ + static_cast<size_t>(y) * shownWidth_; }
    int SourceY() const { return fromBottom_ ? sourceHeight_ - 1 - sourceRow_ : sourceRow_; }

    int sourceWidth_;
    int sourceHeight_;
    int sourceRow_ = 0;
    int shownRow_ = 0;       // the shown row the current sums belong to
    uint32_t rowsInSums_ = 0;
    bool identity_;
    bool fromBottom_;
    std::vector<int> columnOf_;          // shown column of each source column
    std::vector<uint32_t> columnWidth_;  // source columns per shown column
    std::vector<uint64_t> sums_;         // red, green, blue per shown column
    int shownWidth_;
    int shownHeight_;
    Image own_;
    uint32_t* shown_;
};

// Puts a pixel with straight alpha (0xAARRGGBB) over a background (0x00RRGGBB).
inline uint32_t OverBackground(uint32_t argb, uint32_t background) {
    const uint32_t alpha = argb >> 24;
    if (alpha == 255) return argb & 0xFFFFFF;
    if (alpha == 0) return background & 0xFFFFFF;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t front = (argb >> shift) & 0xFF;
        const uint32_t back = (background >> shift) & 0xFF;
        out |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace tikora
