#include "calculator/calc_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tikora {
namespace {

struct FormatCase { double value; int digits; char separator; const char* text; };

TEST(CalcNumberTest, FormatsInGeneralFormat) {
    const FormatCase cases[] = {
        {0.0, 15, '.', "0"},                            {-0.0, 15, '.', "0"},
        {1.0 / 3.0, 15, '.', "0.333333333333333"},      {2.0 / 3.0, 15, '.', "0.666666666666667"},
        {1e15, 15, '.', "1E15"},                        {999999999999999.0, 15, '.', "999999999999999"},
        {999999999999999.9, 15, '.', "1E15"},  // rounds up into a sixteenth digit
        {0.0001, 15, '.', "0.0001"},                    {0.00009999999999999999, 15, '.', "0.0001"},
        {1e-5, 15, '.', "1E-5"},                        {0.1 + 0.2, 15, '.', "0.3"},
        {-2.5, 15, '.', "-2.5"},                        {100.0, 15, '.', "100"},
        {123456789012345678.0, 15, '.', "1.23456789012346E17"}, {1.5e-7, 15, '.', "1.5E-7"},
        {-1e300, 15, '.', "-1E300"},                    {4.9406564584124654e-324, 15, '.', "4.94065645841247E-324"},
        {123.0, 2, '.', "1.2E2"},                       {12.0, 2, '.', "12"},
        {0.5, 15, ',', "0,5"},                          {-1.5e-7, 15, ',', "-1,5E-7"},
        {1234.5678, 30, '.', "1234.5678"},  // beyond a double's digits: no binary noise
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCalcNumber(c.value, c.digits, c.separator), c.text) << c.value << " / " << c.digits;
    }
}

struct ParseCase { const char* text; char separator; std::optional<double> value; };

TEST(CalcNumberTest, ReadsDecimalNumbersOnly) {
    const ParseCase cases[] = {
        {"42", '.', 42.0},        {" 3.5 ", '.', 3.5},   {"\t12\r\n", '.', 12.0}, {"-7", '.', -7.0},
        {"+7", '.', 7.0},         {"1E5", '.', 1e5},     {"1e-5", '.', 1e-5},     {"2.5E+3", '.', 2500.0},
        {"1.", '.', 1.0},         {".5", '.', 0.5},      {"1,5", ',', 1.5},       {"", '.', std::nullopt},
        {"abc", '.', std::nullopt}, {"1.2.3", '.', std::nullopt}, {"1E", '.', std::nullopt},
        {"1E-", '.', std::nullopt}, {"-", '.', std::nullopt},     {".", '.', std::nullopt},
        {"1,5", '.', std::nullopt}, {"1.5", ',', std::nullopt},   {"1E400", '.', std::nullopt},
        {"12 34", '.', std::nullopt}, {"inf", '.', std::nullopt}, {"nan", '.', std::nullopt},
        {"0x10", '.', std::nullopt}, {"Error", '.', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCalcNumber(c.text, c.separator), c.value) << '"' << c.text << '"';
    }
}

TEST(CalcNumberTest, ShownNumbersReadBackToTheSameValue) {
    const double values[] = {1.0 / 3.0, -2.0 / 7.0, 1e15, 123456.789, 1e-5, 1e-310, 1.5e308, -4e-320};
    for (double v : values) {
        for (char separator : {'.', ','}) {
            const std::string text = FormatCalcNumber(v, 15, separator);
            const auto back = ParseCalcNumber(text, separator);
            ASSERT_TRUE(back.has_value()) << text;
            EXPECT_NEAR(*back, v, std::abs(v) * 1e-14) << text;
        }
    }
}

}  // namespace
}  // namespace tikora
