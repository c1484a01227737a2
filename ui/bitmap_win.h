#pragma once
// Pictures drawn by the program's own code, handed to the system as bitmaps and icons.
#include <windows.h>

#include <cstdint>

#include "core/image.h"
#include "ui/handles_win.h"

namespace tikora::ui {

// A 32-bit top-down DIB section holding the picture. Throws AppError "Out of system resources"
// when the system cannot make it.
UniqueBitmap MakeBitmap(const Image& image);

// An empty 32-bit top-down DIB section of that size (its pixels zero), and where its pixels are,
// for code that writes them itself. Throws as MakeBitmap does.
UniqueBitmap MakeEmptyBitmap(int width, int height, uint32_t** pixels);

// An icon of the picture's size; pixels of the colour `transparent` (0x00RRGGBB) are left out.
// Throws AppError "Out of system resources" on failure.
UniqueIcon MakeIcon(const Image& image, uint32_t transparent);

}  // namespace tikora::ui
