// The run-length decoder of the bitmap reader on any data: the first three bytes choose the kind
// and the picture's size, the rest is the run-length data behind a valid header. Rows are either
// delivered inside the picture, each at most once, or the data is refused.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/bmp_reader.h"

namespace {

void Put(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tikora;
    if (size < 3) return 0;
    const int bits = data[0] & 1 ? 4 : 8;
    const int width = 1 + data[1] % 64;
    const int height = 1 + data[2] % 64;
    const uint32_t colours = 1u << bits;
    std::string file(14 + 40 + 4 * colours, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put(file, 10, static_cast<uint32_t>(file.size()), 4);
    Put(file, 14, 40, 4);
    Put(file, 18, static_cast<uint32_t>(width), 4);
    Put(file, 22, static_cast<uint32_t>(height), 4);
    Put(file, 26, 1, 2);
    Put(file, 28, static_cast<uint32_t>(bits), 2);
    Put(file, 30, bits == 8 ? 1 : 2, 4);
    for (uint32_t i = 0; i < colours; ++i) Put(file, 54 + 4 * i, i * 0x010101u, 4);
    file.append(reinterpret_cast<const char*>(data) + 3, size - 3);
    Put(file, 2, static_cast<uint32_t>(file.size()), 4);

    MemorySource source({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
    const BmpCheck check = CheckBmp(source);
    if (check.problem != BmpProblem::None) std::abort();  // the header is always good
    const int columns = data[0] & 2 ? width : (width + 1) / 2;
    const int rows = data[0] & 4 ? height : (height + 1) / 2;
    std::vector<int> seen(static_cast<size_t>(height), 0);
    const bool read = ReadBmpRows(source, check.layout, columns, rows, [&](int y, const uint32_t* pixels) {
        if (y < 0 || y >= rows || ++seen[static_cast<size_t>(y)] > 1) std::abort();
        for (int x = 0; x < columns; ++x)
            if (pixels[x] > 0xFFFFFF || (pixels[x] & 0xFF) >= colours) std::abort();
    });
    // A whole picture delivers every row asked for.
    if (read)
        for (int y = 0; y < rows; ++y)
            if (seen[static_cast<size_t>(y)] != 1) std::abort();
    return 0;
}
