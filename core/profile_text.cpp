#include "core/profile_text.h"

#include <algorithm>

namespace tikora {

namespace {

constexpr size_t kNone = std::string::npos;

std::string_view Trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == kNone) return {};
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// The section name of a header line "[name]", or nothing.
bool HeaderName(std::string_view line, std::string_view& name) {
    const std::string_view t = Trimmed(line);
    if (t.empty() || t.front() != '[') return false;
    const size_t close = t.find(']');
    name = Trimmed(t.substr(1, close == kNone ? kNone : close - 1));
    return true;
}

// The key name of a line "key=value", or nothing.
bool KeyName(std::string_view line, std::string_view& name) {
    const size_t equals = line.find('=');
    if (equals == kNone) return false;
    name = Trimmed(line.substr(0, equals));
    return true;
}

}  // namespace

ProfileText::ProfileText(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == kNone) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        start = end + 1;
    }
}

size_t ProfileText::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (HeaderName(lines_[i], name) && SameName(name, section)) return i;
    }
    return kNone;
}

size_t ProfileText::FindKey(size_t header, std::string_view key) const {
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        std::string_view name;
        if (HeaderName(lines_[i], name)) return kNone;
        if (KeyName(lines_[i], name) && SameName(name, key)) return i;
    }
    return kNone;
}

std::string ProfileText::ReadString(std::string_view section, std::string_view key, std::string_view def) {
    const size_t header = FindSection(section);
    const size_t line = header == kNone ? kNone : FindKey(header, key);
    if (line == kNone) return std::string(def);
    const std::string_view& text = lines_[line];
    std::string_view value = Trimmed(text.substr(text.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void ProfileText::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    size_t header = FindSection(section);
    if (header == kNone) {
        lines_.push_back("[" + std::string(section) + "]");
        header = lines_.size() - 1;
    }
    if (const size_t line = FindKey(header, key); line != kNone) {
        std::string& text = lines_[line];
        text = std::string(Trimmed(std::string_view(text).substr(0, text.find('=')))) + "=" + std::string(value);
        return;
    }
    // After the section's last key; blank lines and comments after it stay after it.
    size_t after = header;
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        std::string_view name;
        if (HeaderName(lines_[i], name)) break;
        if (KeyName(lines_[i], name)) after = i;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), std::string(key) + "=" + std::string(value));
}

std::vector<std::string> ProfileText::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const size_t header = FindSection(section);
    if (header == kNone) return names;
    for (size_t i = header + 1; i < lines_.size(); ++i) {
        std::string_view name;
        if (HeaderName(lines_[i], name)) break;
        if (KeyName(lines_[i], name) && !name.empty()) names.emplace_back(name);
    }
    return names;
}

std::string ProfileText::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

}  // namespace tikora
