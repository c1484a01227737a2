#pragma once
// Date and time values and the program-wide format settings through which every
// time or date text of the program is produced.
#include <string>
#include <string_view>

namespace tikora {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

struct FormatSettings {
    // Token rules: h/hh hour, n/nn minutes, m/mm minutes right after an hour token and month
    // otherwise, s/ss seconds, d/dd day, ddd/dddd day names, yy/yyyy year, am/pm markers are not
    // used by this program. ':' stands for timeSeparator and '/' for dateSeparator; text in
    // single or double quotes is copied as it is. Tokens are matched regardless of case.
    std::string longTimeFormat = "hh:mm:ss";
    std::string shortDateFormat = "dd/mm/yyyy";
    char timeSeparator = ':';
    char dateSeparator = '.';
    char decimalSeparator = '.';
    std::string currencyString = "$";
};

// The program-wide settings; the Win32 shell fills them from the user's locale at start.
FormatSettings& GetFormatSettings();

std::string FormatDateTime(std::string_view format, const DateTime& value, const FormatSettings& settings);

// The long-time text of a value with the program-wide settings ("hh:mm:ss" once the clock has drawn).
std::string TimeText(const DateTime& value);

// The short-date text of a value with the program-wide settings.
std::string DateText(const DateTime& value);

}  // namespace tikora
