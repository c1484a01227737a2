#pragma once
// The two glyph sets of the clock face, cut from one skin strip of 286 x 37 pixels: the digit
// set in 26-pixel cells (cell d+1 is digit d) and the separator set in 13-pixel cells (cell 0
// off, cell 1 on).
#include <optional>

#include "core/image.h"

namespace tikora {

inline constexpr int kStripWidth = 286;
inline constexpr int kStripHeight = 37;
inline constexpr int kDigitCellWidth = 26;
inline constexpr int kSeparatorCellWidth = 13;
inline constexpr int kCellHeight = 37;

class GlyphSet {
public:
    explicit GlyphSet(int cellWidth) : cellWidth_(cellWidth) {}

    void Clear() {
        strip_.reset();
        count_ = 0;
    }
    void SetNominalSize(int width, int height) {
        nominalWidth_ = width;
        nominalHeight_ = height;
    }
    // Cuts the picture into cells from the left; a picture below the nominal size is refused
    // with "Invalid image size" and the set stays as it was. Rows below the cell height are dropped.
    void Add(const Image& picture);

    int CellWidth() const { return cellWidth_; }
    int Count() const { return count_; }
    bool Has(int cell) const { return cell >= 0 && cell < count_; }
    // The cells side by side, CellWidth() * Count() x kCellHeight; empty when the set is.
    const std::optional<Image>& Strip() const { return strip_; }

private:
    int cellWidth_;
    int nominalWidth_ = kStripWidth;
    int nominalHeight_ = kCellHeight;
    int count_ = 0;
    std::optional<Image> strip_;
};

struct GlyphSets {
    GlyphSet digits{kDigitCellWidth};
    GlyphSet separators{kSeparatorCellWidth};

    // The load-skin steps after the picture was read: both sets are emptied first, so a
    // refused picture leaves the face without glyphs.
    void Load(const Image& picture);
    // The same, but a picture below the strip size is refused before anything is emptied, so
    // the sets keep the skin they had.
    void Replace(const Image& picture);
};

// Whether a picture is at least a strip (286 x 37); larger ones are taken, their extra cells unused.
bool FitsStrip(const Image& picture);

}  // namespace tikora
