#include "calculator/calc_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace tikora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatCalcNumber(double value, int digits, char decimalSeparator) {
    // 0 and -0 alike: the sign key must not produce "-0".
    if (value == 0.0) return "0";
    digits = std::clamp(digits, 2, 1000);
    const int generated = std::min(digits, kMaxCalcDigits);

    // Rounding to the significant digits happens first, so 999999999999999.9 becomes 1E15 and
    // 0.000099999999999999999 becomes 0.0001, exactly as the rounded value reads.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, generated - 1);
    if (ec != std::errc()) return "0";
    const std::string_view scientific(buffer, static_cast<size_t>(end - buffer));

    const bool negative = scientific.front() == '-';
    const size_t ePos = scientific.find('e');
    std::string mantissa;
    for (char c : scientific.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0))) {
        if (IsDigit(c)) mantissa += c;
    }
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    const int exponent = std::atoi(std::string(scientific.substr(ePos + 1)).c_str());

    std::string text = negative ? "-" : "";
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            text += '0';
            text += decimalSeparator;
            text.append(static_cast<size_t>(-exponent - 1), '0');
            text += mantissa;
        } else {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (mantissa.size() <= integerDigits) {
                text += mantissa;
                text.append(integerDigits - mantissa.size(), '0');
            } else {
                text += mantissa.substr(0, integerDigits);
                text += decimalSeparator;
                text += mantissa.substr(integerDigits);
            }
        }
    } else {
        text += mantissa.front();
        if (mantissa.size() > 1) {
            text += decimalSeparator;
            text += mantissa.substr(1);
        }
        text += 'E';
        text += std::to_string(exponent);
    }
    return text;
}

std::string_view TrimCalcText(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<double> ParseCalcNumber(std::string_view text, char decimalSeparator) {
    text = TrimCalcText(text);
    // Rebuilt in the C form so that from_chars, which ignores the locale, can read it.
    std::string normal;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        normal += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        normal += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            normal += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        int exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            normal += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    double value = 0.0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tikora
