// The icon check on any bytes: an answer without a crash, and pictures counted only when taken.
#include <cstdint>
#include <cstdlib>

#include "core/ico_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tikora::MemorySource source({data, size});
    const tikora::IcoCheck check = tikora::CheckIco(source);
    if ((check.problem == tikora::IcoProblem::None) != (check.images > 0)) std::abort();
    if (check.images > tikora::kIcoMaxImages) std::abort();
    return 0;
}
