// Size, location and time texts of the search window's details panel.
#include "search/search_texts.h"

#include <cmath>
#include <cstdio>

namespace tikora {

namespace {

// Two decimals, halves away from zero, worked on the fraction alone; then the general format
// with at most 15 significant digits and no trailing zeros.
std::string RoundedText(double x, char decimalSeparator) {
    const double whole = std::trunc(x);
    const double hundredths = (x - whole) * 100;
    double step = std::trunc(hundredths);
    const double rest = hundredths - step;
    if (rest >= 0.5) step += 1;
    else if (rest <= -0.5) step -= 1;
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", whole + step / 100);
    std::string result(text);
    for (char& c : result)
        if (c == '.') c = decimalSeparator;
    return result;
}

}  // namespace

std::string SizeText(uint64_t bytes, char decimalSeparator) {
    const std::string exact = std::to_string(bytes);
    if (bytes < 1024) return "Size:  " + exact + "  bytes";
    const double kilobytes = static_cast<double>(bytes) / 1024;
    if (bytes < 1048576) return "Size:  " + RoundedText(kilobytes, decimalSeparator) + "  KB  (" + exact + " bytes)";
    return "Size:  " + RoundedText(kilobytes / 1024, decimalSeparator) + "  MB  (" + exact + " bytes)";
}

std::string ContainingFolder(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LocationText(const std::string& path) {
    std::string folder = ContainingFolder(path);
    if (folder.size() < 3) folder += '\\';
    return folder;
}

std::optional<DateTime> FromDosDateTime(uint16_t dosDate, uint16_t dosTime) {
    DateTime value;
    value.year = 1980 + (dosDate >> 9);
    value.month = (dosDate >> 5) & 0x0F;
    value.day = dosDate & 0x1F;
    value.hour = dosTime >> 11;
    value.minute = (dosTime >> 5) & 0x3F;
    value.second = (dosTime & 0x1F) * 2;
    if (value.month < 1 || value.month > 12 || value.day < 1 || value.hour > 23 || value.minute > 59 ||
        value.second > 59)
        return std::nullopt;
    return value;
}

std::string FileTimeLine(const std::string& caption, const std::optional<DateTime>& value) {
    if (!value) return caption + " ";
    return caption + "  " + DateText(*value) + ",  " + TimeText(*value);
}

}  // namespace tikora
