#pragma once
// The texts of the search window's details panel and the paths its commands hand to the shell.
#include <cstdint>
#include <optional>
#include <string>

#include "core/datetime.h"

namespace tikora {

// "Size:  " with the size in bytes, KB or MB (never GB), two decimals at most, halves rounded up.
std::string SizeText(uint64_t bytes, char decimalSeparator);

// The folder of a file path: cut after its last backslash, that backslash removed. This is what
// "Open containing folder" opens ("C:" for a file in C:\).
std::string ContainingFolder(const std::string& path);

// The folder as the details panel shows it: a drive root gets its backslash back ("C:\").
std::string LocationText(const std::string& path);

// A DOS date and time (two-second resolution) as a date-time value; nullopt for a date that
// cannot be (month or day 0, month above 12).
std::optional<DateTime> FromDosDateTime(uint16_t dosDate, uint16_t dosTime);

// "Created:  " or "Modified:  " + date + ",  " + time in the program-wide formats; only the
// caption with one blank when the time could not be converted.
std::string FileTimeLine(const std::string& caption, const std::optional<DateTime>& value);

// A mask list's patterns, with the characters that sit between them: the preset menu's lists.
struct SearchPreset {
    const char* caption;
    const char* maskList;
};
inline constexpr SearchPreset kSearchPresets[] = {
    {"Search music  (*.rmi;*.wma;*.mid;*.wav;*.mp3)", "*.rmi;*.wma;*.mid;*.wav;*.mp3"},
    {"Search video  (*.mov;*.wmv;*.mpg;*.asf;*.avi)", "*.mov;*.wmv;*.mpg;*.asf;*.avi"},
    {"Search pictures  (*.gif;*.jpg;*.bmp;*.png;*.tif;*.wmf;*.emf)", "*.wmf;*.bmp;*.gif;*.tif;*.png;*.emf;*.jpg"},
    {"Search text documents  (*.txt;*.doc;*.rtf)", "*.txt;*.doc;*.rtf"},
    {"Search HTML documents  (*.htm;*.html)", "*.htm"},
    {"Search Flash  (*.swf)", "*.swf"},
    {"Search Adobe PDF documents  (*.pdf)", "*.pdf"},
};

}  // namespace tikora
