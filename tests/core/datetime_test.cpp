#include <gtest/gtest.h>

#include "core/datetime.h"
#include "support/fakes.h"

using namespace tikora;

namespace {

TEST(DateTimeFormatTest, Tokens) {
    FormatSettings settings;
    settings.timeSeparator = ':';
    settings.dateSeparator = '.';
    const DateTime value{2026, 3, 7, 9, 5, 7, 0};
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"hh:mm:ss", "09:05:07"},
        {"h:mm:ss", "9:05:07"},
        {"hh:nn", "09:05"},
        {"dd/mm/yyyy", "07.03.2026"},
        {"d/m/yy", "7.3.26"},
        {"dd.MM.yyyy", "07.03.2026"},
        {"yyyy-mm-dd hh:mm", "2026-03-07 09:05"},
        {"ddd dddd", "Sat Saturday"},
        {"'at' hh", "at 09"},
        {"HH:MM:SS", "09:05:07"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.format, value, settings), c.expected) << c.format;
}

TEST(DateTimeFormatTest, TimeSeparatorComesFromTheSettings) {
    FormatSettings settings;
    settings.timeSeparator = '.';
    EXPECT_EQ(FormatDateTime("hh:mm:ss", DateTime{2026, 1, 1, 23, 0, 0, 0}, settings), "23.00.00");
}

TEST(DateTimeFormatTest, TimeTextUsesTheProgramWideLongTimeFormat) {
    tikora::testing::FormatSettingsGuard guard;
    GetFormatSettings().longTimeFormat = "h:mm:ss";
    GetFormatSettings().timeSeparator = ':';
    EXPECT_EQ(TimeText(DateTime{2026, 1, 1, 7, 30, 0, 0}), "7:30:00");
    GetFormatSettings().longTimeFormat = "hh:mm:ss";
    EXPECT_EQ(TimeText(DateTime{2026, 1, 1, 7, 30, 0, 0}), "07:30:00");
}

}  // namespace
