#pragma once
// Checks an icon file before the system's icon loader sees it: the directory and every picture
// in it must lie inside the file, and every picture's declared size and colour depth must be
// one an icon can have. The pixels themselves are left to the system.
#include <cstdint>

#include "core/byte_source.h"

namespace tikora {

// Budget: at most 256 pictures, each at most 256 x 256 pixels.
inline constexpr int kIcoMaxImages = 256;
inline constexpr int kIcoMaxSide = 256;

enum class IcoProblem {
    None,
    NotIcon,           // too short, or not an icon directory (reserved 0, type 1)
    NoImages,
    TooManyImages,
    EntryOutsideFile,  // a picture's declared bytes do not lie inside the file
    BadImage,          // a picture whose header, size or depth an icon cannot have
    ReadFailed,
};

const char* IcoProblemName(IcoProblem problem);

struct IcoCheck {
    IcoProblem problem = IcoProblem::None;
    int images = 0;
};

IcoCheck CheckIco(ByteSource& source);

}  // namespace tikora
