#pragma once
// The search window's pictures, drawn by code: the five tool bar images, the window icon and
// the attribute boxes of the details panel (empty, and with a green tick).
#include <cstdint>
#include <vector>

#include "core/image.h"

namespace tikora {

// The background of the tool bar images and the icon, left out as transparent.
inline constexpr uint32_t kSearchPictureKey = 0x00FF00FF;

// 16 x 16 each, in image-list order: search, copy, open containing folder, presets, open file.
std::vector<Image> SearchToolPictures();
// 16 x 16: a magnifier over a page, on kSearchPictureKey.
Image SearchIconPicture();
// 13 x 13 attribute box on the given background; `ticked` adds the green tick.
Image AttributeBoxPicture(bool ticked, uint32_t background);

}  // namespace tikora
