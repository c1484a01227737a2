#include <gtest/gtest.h>

#include <optional>

#include "core/settings_store.h"
#include "support/fakes.h"

using namespace tikora;
using tikora::testing::MemorySettings;

namespace {

TEST(SettingsValueTest, IntegerRule) {
    struct Case {
        const char* text;
        std::optional<long long> expected;
    };
    const Case cases[] = {
        {"10", 10},        {"-5", -5},          {"+7", 7},           {"0", 0},
        {"0x1F", 31},      {"0XfF", 255},       {"0x", std::nullopt}, {"0x0", 0},
        {"0xG1", std::nullopt}, {"", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
        {"1.5", std::nullopt}, {"-", std::nullopt}, {"--1", std::nullopt}, {" 1", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        // A value that does not fit a 32-bit int is not a number, decimal or hex alike.
        {"0x7FFFFFFF", 2147483647}, {"0x80000000", std::nullopt}, {"0xFFFFFFFF", std::nullopt},
        {"0xFFFFFFFFFFFFFF9C", std::nullopt}, {"0x10000000000000000", std::nullopt},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647LL - 1}, {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt}, {"9223372036854775807", std::nullopt},
        {"-9223372036854775808", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.expected) << "text \"" << c.text << "\"";
}

TEST(SettingsValueTest, ReadIntegerFallsBackToTheDefault) {
    struct Case {
        const char* stored;  // nullptr: key missing
        int def;
        int expected;
    };
    const Case cases[] = {
        {nullptr, 10, 10},      {"25", 10, 25},   {"-3000", 10, -3000}, {"0x10", 10, 16},
        {"x", 10, 10},          {"", 7, 7},       {"4294967296", 1, 1}, {"-2147483648", 0, -2147483647 - 1},
        {"2147483648", 5, 5},   {"0xFFFFFFFF", 10, 10}, {"0xFFFFFFFFFFFFFF9C", 10, 10},
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        if (c.stored) settings.Set("Position", "X", c.stored);
        EXPECT_EQ(settings.ReadInteger("Position", "X", c.def), c.expected) << (c.stored ? c.stored : "(missing)");
    }
}

TEST(SettingsValueTest, BooleansAreIntegersNonZeroIsTrue) {
    struct Case {
        const char* stored;
        bool def;
        bool expected;
    };
    const Case cases[] = {
        {nullptr, true, true}, {nullptr, false, false}, {"1", false, true}, {"0", true, false},
        {"2", false, true},    {"-1", false, true},     {"yes", false, false}, {"true", true, true},
        {"0x0", true, false},
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        if (c.stored) settings.Set("Options", "flash", c.stored);
        EXPECT_EQ(settings.ReadBool("Options", "flash", c.def), c.expected) << (c.stored ? c.stored : "(missing)");
    }
}

TEST(SettingsValueTest, BooleansAndIntegersAreWrittenAsTheFileExpects) {
    MemorySettings settings;
    settings.WriteBool("Options", "ghost", true);
    settings.WriteBool("Options", "scotch", false);
    settings.WriteInteger("Position", "Y", -42);
    EXPECT_EQ(settings.ReadString("Options", "ghost", ""), "1");
    EXPECT_EQ(settings.ReadString("Options", "scotch", ""), "0");
    EXPECT_EQ(settings.ReadString("Position", "Y", ""), "-42");
}

}  // namespace
