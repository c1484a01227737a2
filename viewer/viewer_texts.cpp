// The picture viewer's filter parsing and texts.
#include "viewer/viewer_texts.h"

#include <cstdio>

namespace tikora {

std::vector<FilterEntry> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        const size_t bar = filter.find('|', start);
        const size_t end = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<FilterEntry> entries;
    if (filter.empty()) return entries;
    for (size_t i = 0; i < parts.size(); i += 2)
        entries.push_back({parts[i], i + 1 < parts.size() ? parts[i + 1] : std::string()});
    return entries;
}

std::string TotalFilesText(int count) { return " Total files - " + std::to_string(count); }

std::string DimensionsText(int width, int height) {
    char text[32];
    std::snprintf(text, sizeof text, "%d x %d", width, height);
    return text;
}

}  // namespace tikora
