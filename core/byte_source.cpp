// Byte sources over memory and over a file read with the standard library.
#include "core/byte_source.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tikora {

bool MemorySource::Read(uint64_t offset, std::span<uint8_t> into) {
    if (offset > bytes_.size() || into.size() > bytes_.size() - offset) return false;
    if (!into.empty()) std::memcpy(into.data(), bytes_.data() + offset, into.size());
    return true;
}

FileSource::FileSource(const std::string& path) : in_(path, std::ios::binary) {
    if (!in_) return;
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    // A folder opens on some systems but has no size to tell.
    if (!in_ || end < 0) return;
    size_ = static_cast<uint64_t>(end);
    opened_ = true;
}

bool FileSource::Read(uint64_t offset, std::span<uint8_t> into) {
    if (!opened_ || offset > size_ || into.size() > size_ - offset) return false;
    if (into.empty()) return true;
    if (offset > static_cast<uint64_t>(std::numeric_limits<std::streamoff>::max())) return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    return in_.gcount() == static_cast<std::streamsize>(into.size());
}

}  // namespace tikora
