#pragma once
// Number texts of the calculator display: the general format it shows results in and the
// decimal reading of what it holds or what is pasted into it.
#include <optional>
#include <string>
#include <string_view>

namespace tikora {

// The most significant digits a double can carry; more would only show binary noise.
inline constexpr int kMaxCalcDigits = 17;

// General format with `digits` significant digits (at least 2): fixed notation for 0 and for
// magnitudes from 0.0001 up to `digits` digits before the separator, scientific ("1E15",
// "1.5E-7") otherwise; never trailing zeros, never "-0". The value must be finite.
std::string FormatCalcNumber(double value, int digits, char decimalSeparator);

// Reads an optionally signed decimal number with `decimalSeparator` as its only separator and an
// optional exponent ("E" or "e"). Blanks and control characters at both ends are ignored.
// Nothing when the text is not such a number or is beyond the range of a double.
std::optional<double> ParseCalcNumber(std::string_view text, char decimalSeparator);

// The text without the blanks and control characters at both ends.
std::string_view TrimCalcText(std::string_view text);

}  // namespace tikora
