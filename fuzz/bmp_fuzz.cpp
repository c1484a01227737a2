// The bitmap reader on any bytes: refused with a picture error or read within the asked size.
#include <cstdint>
#include <cstdlib>

#include "core/bmp_reader.h"
#include "core/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tikora::MemorySource source({data, size});
    const tikora::BmpCheck check = tikora::CheckBmp(source);
    try {
        const tikora::Image image = tikora::ReadBmp(source, 286, 37);
        if (check.problem != tikora::BmpProblem::None) std::abort();
        if (image.width > 286 || image.height > 37 ||
            image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
            std::abort();
        for (uint32_t p : image.pixels)
            if (p > 0xFFFFFF) std::abort();
    } catch (const tikora::PictureError&) {
        if (check.problem == tikora::BmpProblem::None) std::abort();
    }
    return 0;
}
