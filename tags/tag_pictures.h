#pragma once
// The tag editor's pictures, drawn by code: its window icon and the pictures of its buttons.
#include <cstdint>

#include "core/image.h"

namespace tikora {

// The background colour, left out of the pictures as transparent.
inline constexpr uint32_t kTagPictureBackground = 0x00FF00FF;

// 16 x 16: a note over a tag label.
Image TagEditorIconPicture();
// 16 x 16 button pictures on the given background (the button face colour).
Image FolderPicture(uint32_t background);
Image DeletePicture(uint32_t background);
Image UpdatePicture(uint32_t background);

}  // namespace tikora
