#pragma once
// Reads little-endian fields back out of generated files, independently of the writers.
#include <cstdint>
#include <string>
#include <vector>

namespace tikora::test {

inline uint32_t U16At(const std::vector<uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
inline uint32_t U32At(const std::vector<uint8_t>& b, size_t at) { return U16At(b, at) | U16At(b, at + 2) << 16; }
inline int32_t I32At(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(U32At(b, at)); }
inline int16_t I16At(const std::vector<uint8_t>& b, size_t at) { return static_cast<int16_t>(U16At(b, at)); }
inline std::string TagAt(const std::vector<uint8_t>& b, size_t at, size_t length) {
    return std::string(b.begin() + at, b.begin() + at + length);
}

}  // namespace tikora::test
