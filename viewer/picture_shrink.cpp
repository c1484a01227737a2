// Area-average shrinking of streamed rows.
#include "viewer/picture_shrink.h"

#include <algorithm>

namespace tikora {

RowShrinker::RowShrinker(int sourceWidth, int sourceHeight, int shownWidth, int shownHeight, uint32_t* shown,
                         bool fromBottom)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      identity_(sourceWidth == shownWidth && sourceHeight == shownHeight),
      fromBottom_(fromBottom),
      shownWidth_(shownWidth),
      shownHeight_(shownHeight),
      own_(shown ? Image() : Image(shownWidth, shownHeight)),
      shown_(shown ? shown : own_.pixels.data()) {
    if (identity_) return;
    columnOf_.resize(sourceWidth);
    columnWidth_.assign(shownWidth, 0);
    for (int x = 0; x < sourceWidth; ++x) {
        columnOf_[x] = static_cast<int>(static_cast<int64_t>(x) * shownWidth / sourceWidth);
        ++columnWidth_[columnOf_[x]];
    }
    sums_.assign(static_cast<size_t>(shownWidth) * 3, 0);
}

void RowShrinker::AddRow(const uint32_t* row) {
    if (sourceRow_ >= sourceHeight_) return;
    if (identity_) {
        uint32_t* out = ShownRow(SourceY());
        ++sourceRow_;
        for (int x = 0; x < sourceWidth_; ++x) out[x] = row[x] & 0xFFFFFF;
        return;
    }
    // Rows from the bottom reach the shown rows in falling order; either way each group of source
    // rows is complete before the next begins.
    const int target = static_cast<int>(static_cast<int64_t>(SourceY()) * shownHeight_ / sourceHeight_);
    if (target != shownRow_) {
        EmitRow();
        shownRow_ = target;
    }
    uint64_t* sums = sums_.data();
    for (int x = 0; x < sourceWidth_; ++x) {
        uint64_t* s = sums + columnOf_[x] * 3;
        const uint32_t p = row[x];
        s[0] += (p >> 16) & 0xFF;
        s[1] += (p >> 8) & 0xFF;
        s[2] += p & 0xFF;
    }
    ++rowsInSums_;
    if (++sourceRow_ == sourceHeight_) EmitRow();
}

void RowShrinker::CommitDirectRow() {
    uint32_t* row = ShownRow(SourceY());
    ++sourceRow_;
    for (int x = 0; x < sourceWidth_; ++x) row[x] &= 0xFFFFFF;
}

void RowShrinker::EmitRow() {
    if (rowsInSums_ == 0) return;
    uint32_t* out = ShownRow(shownRow_);
    for (int x = 0; x < shownWidth_; ++x) {
        const uint64_t count = static_cast<uint64_t>(columnWidth_[x]) * rowsInSums_;
        const uint64_t* s = &sums_[static_cast<size_t>(x) * 3];
        out[x] = Rgb(static_cast<unsigned>((s[0] + count / 2) / count), static_cast<unsigned>((s[1] + count / 2) / count),
                     static_cast<unsigned>((s[2] + count / 2) / count));
    }
    std::fill(sums_.begin(), sums_.end(), 0);
    rowsInSums_ = 0;
}

}  // namespace tikora
