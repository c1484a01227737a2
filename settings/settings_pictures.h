#pragma once
// The settings dialog's pictures, drawn by code: its 16 x 16 icon and the loudspeaker of the
// play button.
#include <cstdint>

#include "core/image.h"

namespace tikora {

inline constexpr int kSettingsPictureSize = 16;
// The icon's background colour, left out of the icon as transparent.
inline constexpr uint32_t kSettingsIconBackground = 0x00FF00FF;

// A grey gear with a clock face in its hub, on kSettingsIconBackground.
Image SettingsIconPicture();
// A loudspeaker with two sound waves on the given background (the button face colour).
Image LoudspeakerPicture(uint32_t background);

}  // namespace tikora
