// Reminder entries: building, line-break encoding and the due check over simulated minutes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "alarms/reminders.h"
#include "support/fakes.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

const std::string kBreak = "\x85\x85";

TEST(ReminderEntry, IsDateUnderscoreMinuteTwoBlanksAndTheEncodedMessage) {
    FormatSettingsGuard guard;
    GetFormatSettings().longTimeFormat = "h:mm:ss";  // the system's own, before the first draw
    GetFormatSettings().shortDateFormat = "M/d/yyyy";
    const DateTime date{2006, 3, 5, 17, 40, 0, 0};
    const DateTime time{2026, 1, 1, 8, 15, 59, 0};  // its date and seconds do not count
    EXPECT_EQ(BuildReminderEntry(date, time, "a\r\nb"), "05.03.2006_08:15  a" + kBreak + "b");
    EXPECT_EQ(BuildReminderEntry(date, time, ""), "05.03.2006_08:15  ");
    // The formats stay set for the rest of the run.
    EXPECT_EQ(DateText(DateTime{2026, 12, 9}), "09.12.2026");
    EXPECT_EQ(GetFormatSettings().longTimeFormat, "hh:mm:ss");
}

TEST(ReminderEntry, LineBreaksEncodeAndDecode) {
    struct Case {
        std::string message, encoded, decoded;
    };
    const Case cases[] = {
        {"a\r\nb", "a" + kBreak + "b", "a\r\nb"},
        {"a\rb", "a" + kBreak + "b", "a\r\nb"},  // a lone CR is a break too
        {"a\nb", "a" + kBreak + "b", "a\r\nb"},  // and so is a lone LF
        {"\n\r", kBreak + kBreak, "\r\n\r\n"},   // LF then CR: two breaks, not one pair
        {"a\r\n\r\nb\r", "a" + kBreak + kBreak + "b" + kBreak, "a\r\n\r\nb\r\n"},
        {"plain", "plain", "plain"},
    };
    for (const Case& c : cases) {
        const std::string encoded = EncodeLineBreaks(c.message);
        EXPECT_EQ(encoded, c.encoded);
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(DecodeLineBreaks(encoded), c.decoded);
    }
    // Decoding pairs from the left: an odd third byte stays as it is.
    EXPECT_EQ(DecodeLineBreaks("x\x85\x85\x85y"), "x\r\n\x85y");
}

class DueCheckTest : public ::testing::Test {
protected:
    // One tick at hh:mm:ss on 5 March 2006.
    std::optional<std::string> At(int hour, int minute, int second) {
        return check.Tick(list, DateTime{2006, 3, 5, hour, minute, second, 0});
    }
    FormatSettingsGuard guard;
    ReminderDueCheck check;
    std::vector<std::string> list;
};

TEST_F(DueCheckTest, EntriesOfOneMinuteComeOutInListOrderOneTickApart) {
    list = {"05.03.2006_08:15  first", "05.03.2006_08:16  other", "05.03.2006_08:15  second" + kBreak + "line",
            "06.03.2006_08:15  another day", ""};
    EXPECT_EQ(At(8, 14, 59), std::nullopt);
    EXPECT_EQ(At(8, 15, 0), "05.03.2006_08:15  first");
    EXPECT_EQ(At(8, 15, 1), "05.03.2006_08:15  second\r\nline");
    EXPECT_EQ(At(8, 15, 2), std::nullopt);  // each minute is scanned once
    EXPECT_EQ(At(8, 16, 0), "05.03.2006_08:16  other");
}

TEST_F(DueCheckTest, AnEntryAddedInAMinuteAlreadyScannedDoesNotFire) {
    list = {"05.03.2006_09:00  old"};
    EXPECT_EQ(At(8, 15, 0), std::nullopt);
    list.push_back("05.03.2006_08:15  added late");
    EXPECT_EQ(At(8, 15, 30), std::nullopt);
    EXPECT_EQ(At(8, 16, 0), std::nullopt);
}

TEST_F(DueCheckTest, AMinuteSeenWithAnEmptyListIsScannedOnceEntriesArrive) {
    EXPECT_EQ(At(8, 15, 0), std::nullopt);  // nothing to scan: the minute stays unscanned
    list = {"05.03.2006_08:15  added now"};
    EXPECT_EQ(At(8, 15, 1), "05.03.2006_08:15  added now");
}

TEST_F(DueCheckTest, TheKeyUsesTheSystemTimeSeparator) {
    GetFormatSettings().timeSeparator = '.';
    list = {"05.03.2006_08.15  dot", "05.03.2006_08:15  colon"};
    EXPECT_EQ(At(8, 15, 0), "05.03.2006_08.15  dot");
    EXPECT_EQ(At(8, 15, 1), std::nullopt);
}

}  // namespace
