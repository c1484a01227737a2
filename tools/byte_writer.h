#pragma once
// Little-endian appending to a byte buffer, the byte order of every Windows file format.
#include <cstdint>
#include <string_view>
#include <vector>

namespace tikora {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}

    void U8(uint32_t value) { out_.push_back(static_cast<uint8_t>(value)); }
    void U16(uint32_t value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(uint32_t value) {
        U16(value);
        U16(value >> 16);
    }
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Tag(std::string_view fourCharacters) {
        for (char c : fourCharacters) U8(static_cast<uint8_t>(c));
    }
    void Zeros(size_t count) { out_.insert(out_.end(), count, 0); }

private:
    std::vector<uint8_t>& out_;
};

}  // namespace tikora
