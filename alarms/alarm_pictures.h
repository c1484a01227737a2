#pragma once
// The window icons of the alarm dialog, the shutdown timer and the reminder windows, drawn by
// code: 16 x 16 on kAlarmIconBackground, which the icon leaves out as transparent.
#include <cstdint>

#include "core/image.h"

namespace tikora {

inline constexpr int kAlarmPictureSize = 16;
inline constexpr uint32_t kAlarmIconBackground = 0x00FF00FF;

// A golden bell.
Image BellPicture();
// A red power symbol: a ring open at the top with a bar through the gap.
Image PowerPicture();
// A yellow note with three written lines.
Image NotePicture();

}  // namespace tikora
