#include "core/datetime.h"

#include <cctype>
#include <cstdio>

namespace tikora {

FormatSettings& GetFormatSettings() {
    static FormatSettings settings;
    return settings;
}

namespace {

const char* const kShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

int DayOfWeek(int year, int month, int day) {
    // Sakamoto's method: 0 = Sunday.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 1 || month > 12) return 0;
    if (month < 3) year -= 1;
    int w = (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
    return w < 0 ? w + 7 : w;
}

void AppendNumber(std::string& out, int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    out += buf;
}

size_t RunLength(std::string_view format, size_t pos) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[pos])));
    size_t n = pos;
    while (n < format.size() && std::tolower(static_cast<unsigned char>(format[n])) == c) ++n;
    return n - pos;
}

}  // namespace

std::string FormatDateTime(std::string_view format, const DateTime& value, const FormatSettings& settings) {
    std::string out;
    out.reserve(format.size() + 8);
    bool afterHour = false;
    size_t i = 0;
    while (i < format.size()) {
        char raw = format[i];
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        if (raw == '"' || raw == '\'') {
            size_t end = format.find(raw, i + 1);
            if (end == std::string_view::npos) end = format.size();
            out.append(format.substr(i + 1, end - i - 1));
            i = end < format.size() ? end + 1 : end;
            continue;
        }
        size_t run = RunLength(format, i);
        switch (c) {
            case 'h':
                AppendNumber(out, value.hour, run >= 2 ? 2 : 1);
                afterHour = true;
                i += run >= 2 ? 2 : 1;
                continue;
            case 'n':
                AppendNumber(out, value.minute, run >= 2 ? 2 : 1);
                afterHour = false;
                i += run >= 2 ? 2 : 1;
                continue;
            case 'm':
                if (afterHour && run <= 2) {
                    AppendNumber(out, value.minute, run);
                    afterHour = false;
                } else {
                    AppendNumber(out, value.month, run >= 2 ? 2 : 1);
                }
                i += run >= 2 ? 2 : 1;
                continue;
            case 's':
                AppendNumber(out, value.second, run >= 2 ? 2 : 1);
                i += run >= 2 ? 2 : 1;
                continue;
            case 'd':
                if (run >= 4) {
                    out += kLongDayNames[DayOfWeek(value.year, value.month, value.day)];
                    i += 4;
                } else if (run == 3) {
                    out += kShortDayNames[DayOfWeek(value.year, value.month, value.day)];
                    i += 3;
                } else {
                    AppendNumber(out, value.day, run);
                    i += run;
                }
                continue;
            case 'y':
                if (run >= 3) {
                    AppendNumber(out, value.year, 4);
                    i += run;
                } else {
                    AppendNumber(out, value.year % 100, 2);
                    i += run;
                }
                continue;
            case ':':
                out += settings.timeSeparator;
                break;
            case '/':
                out += settings.dateSeparator;
                break;
            default:
                out += raw;
                break;
        }
        ++i;
    }
    return out;
}

std::string TimeText(const DateTime& value) {
    const FormatSettings& settings = GetFormatSettings();
    return FormatDateTime(settings.longTimeFormat, value, settings);
}

std::string DateText(const DateTime& value) {
    const FormatSettings& settings = GetFormatSettings();
    return FormatDateTime(settings.shortDateFormat, value, settings);
}

}  // namespace tikora
