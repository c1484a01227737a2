#pragma once
// The picture viewer's pictures, drawn by code: the eight tool bar images and the window icon.
#include <cstdint>
#include <vector>

#include "core/image.h"

namespace tikora {

// The background of the images, left out as transparent.
inline constexpr uint32_t kViewerPictureKey = 0x00FF00FF;

// 16 x 16 each, in image-list order: add folder, clear list, copy to, view, show-hide list,
// actual size, settings, open containing folder.
std::vector<Image> ViewerToolPictures();
// 16 x 16: a framed landscape.
Image ViewerIconPicture();

}  // namespace tikora
