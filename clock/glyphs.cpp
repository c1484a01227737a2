#include "clock/glyphs.h"

#include <algorithm>

#include "core/errors.h"

namespace tikora {

void GlyphSet::Add(const Image& picture) {
    if (picture.width < nominalWidth_ || picture.height < nominalHeight_) throw AppError("Invalid image size");
    int cells = picture.width / cellWidth_;
    Image strip(cells * cellWidth_, kCellHeight);
    int rows = std::min(kCellHeight, picture.height);
    for (int y = 0; y < rows; ++y)
        std::copy_n(&picture.pixels[static_cast<size_t>(y) * picture.width], strip.width,
                    &strip.pixels[static_cast<size_t>(y) * strip.width]);
    strip_ = std::move(strip);
    count_ = cells;
}

void GlyphSets::Load(const Image& picture) {
    digits.Clear();
    separators.Clear();
    digits.SetNominalSize(kStripWidth, kStripHeight);
    separators.SetNominalSize(kStripWidth, kStripHeight);
    digits.Add(picture);
    separators.Add(picture);
}

bool FitsStrip(const Image& picture) { return picture.width >= kStripWidth && picture.height >= kStripHeight; }

void GlyphSets::Replace(const Image& picture) {
    if (!FitsStrip(picture)) throw AppError("Invalid image size");
    Load(picture);
}

}  // namespace tikora
