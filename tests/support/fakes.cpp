#include "support/fakes.h"

#include <cctype>

namespace tikora::testing {

std::string MemorySettings::Fold(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string MemorySettings::ReadString(std::string_view section, std::string_view key, std::string_view def) {
    auto it = values_.find({Fold(section), Fold(key)});
    return it == values_.end() ? std::string(def) : it->second;
}

void MemorySettings::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    ++writes;
    values_[{Fold(section), Fold(key)}] = std::string(value);
}

bool MemorySettings::Has(std::string_view section, std::string_view key) const {
    return values_.count({Fold(section), Fold(key)}) > 0;
}

void FakeClock::Set(int hour, int minute, int second, int millisecond) {
    current.hour = hour;
    current.minute = minute;
    current.second = second;
    current.millisecond = millisecond;
}

void FakeClock::Advance(int milliseconds) {
    long long total = ((current.hour * 60LL + current.minute) * 60 + current.second) * 1000 + current.millisecond +
                      milliseconds;
    const long long day = 24LL * 3600 * 1000;
    total = ((total % day) + day) % day;
    current.millisecond = static_cast<int>(total % 1000);
    current.second = static_cast<int>(total / 1000 % 60);
    current.minute = static_cast<int>(total / 60000 % 60);
    current.hour = static_cast<int>(total / 3600000);
}

void RecordingSound::Play(std::string_view file, unsigned flags) {
    played.push_back({std::string(file), flags, clock_.Now()});
    auto it = durationsMs.find(std::string(file));
    if (it != durationsMs.end()) clock_.Advance(it->second);
}

}  // namespace tikora::testing
