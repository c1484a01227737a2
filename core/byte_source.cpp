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

SequentialReader::SequentialReader(ByteSource& source, uint64_t start, uint64_t length, size_t bufferSize)
    : source_(source), next_(start), rangeEnd_(start + length), buffer_(std::max<size_t>(bufferSize, 16)) {}

bool SequentialReader::Fill() {
    if (begin_ < end_) return true;
    if (failed_ || next_ >= rangeEnd_) return false;
    const size_t count = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), rangeEnd_ - next_));
    if (!source_.Read(next_, std::span(buffer_.data(), count))) {
        failed_ = true;
        return false;
    }
    next_ += count;
    begin_ = 0;
    end_ = count;
    return true;
}

std::span<const uint8_t> SequentialReader::Next(size_t most) {
    if (!Fill()) return {};
    const size_t count = std::min(most, end_ - begin_);
    const std::span<const uint8_t> out(buffer_.data() + begin_, count);
    begin_ += count;
    return out;
}

bool SequentialReader::Read(std::span<uint8_t> into) {
    if (into.size() > Left()) return false;
    size_t done = 0;
    while (done < into.size()) {
        const std::span<const uint8_t> part = Next(into.size() - done);
        if (part.empty()) return false;
        std::memcpy(into.data() + done, part.data(), part.size());
        done += part.size();
    }
    return true;
}

bool SequentialReader::Skip(uint64_t count) {
    if (count > Left()) return false;
    const size_t inBuffer = static_cast<size_t>(std::min<uint64_t>(count, end_ - begin_));
    begin_ += inBuffer;
    next_ += count - inBuffer;
    return true;
}

}  // namespace tikora
