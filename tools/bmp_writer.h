#pragma once
// Plain Windows bitmap files: 24 bits per pixel, rows stored bottom-up, no compression.
#include <cstdint>
#include <vector>

#include "core/image.h"

namespace tikora {

std::vector<uint8_t> EncodeBmp(const Image& image);

}  // namespace tikora
