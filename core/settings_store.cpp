#include "core/settings_store.h"

#include <charconv>
#include <limits>

namespace tikora {

std::optional<long long> ParseIniInteger(std::string_view text) {
    constexpr long long kLowest = std::numeric_limits<int>::min();
    constexpr long long kHighest = std::numeric_limits<int>::max();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        unsigned long long value = 0;
        auto digits = text.substr(2);
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        // Compared unsigned: a cast first would let "0xFFFFFFFFFFFFFF9C" pass as -100.
        if (value > static_cast<unsigned long long>(kHighest)) return std::nullopt;
        return static_cast<long long>(value);
    }
    std::string_view body = text;
    bool negative = false;
    if (!body.empty() && (body[0] == '-' || body[0] == '+')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || body[0] == '-' || body[0] == '+') return std::nullopt;
    long long value = 0;
    auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value, 10);
    if (ec != std::errc() || end != body.data() + body.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < kLowest || value > kHighest) return std::nullopt;
    return value;
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view key, int def) {
    std::string text = ReadString(section, key, "");
    auto value = ParseIniInteger(text);
    return value ? static_cast<int>(*value) : def;
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view key, bool def) {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void SettingsStore::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace tikora
