#include <gtest/gtest.h>

#include <string>

#include "core/profile_text.h"

using namespace tikora;

namespace {

TEST(ProfileTextTest, ReadsAsTheProfileFunctionsDo) {
    ProfileText text("[other]\r\nkey=wrong\r\n [ Reminder ] \r\n; a comment\r\n Count = 2 \r\n0=\"quoted\"\r\n1='a'\r\n"
                     "count=3\r\n2=\"half\r\n[reminder]\r\n3=second section\n");
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"count", "2"},      // names without case, blanks passed over, the first key of a name
        {"COUNT", "2"},      {"0", "quoted"},  // one pair of matching quotes taken off
        {"1", "a"},          {"2", "\"half"},  // an unmatched quote stays
        {"3", "(default)"},  // only the first section of a name counts
        {"key", "(default)"},
    };
    for (const Case& c : cases) EXPECT_EQ(text.ReadString("reminder", c.key, "(default)"), c.expected) << c.key;
    EXPECT_EQ(text.ReadString("missing", "count", "0"), "0");
    EXPECT_EQ(text.KeyNames("REMINDER"), (std::vector<std::string>{"Count", "0", "1", "count", "2"}));
    EXPECT_TRUE(text.KeyNames("missing").empty());
}

TEST(ProfileTextTest, WritesInPlaceAfterTheLastKeyOrInANewSection) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    };
    const Case cases[] = {
        {"", "Reminder", "count", "1", "[Reminder]\r\ncount=1\r\n"},
        {"[Reminder]\r\n Count = 5 \r\n0=a\r\n", "reminder", "COUNT", "1", "[Reminder]\r\nCount=1\r\n0=a\r\n"},
        {"[Reminder]\r\ncount=1\r\n\r\n[Other]\r\nx=y\r\n", "Reminder", "0", "new",
         "[Reminder]\r\ncount=1\r\n0=new\r\n\r\n[Other]\r\nx=y\r\n"},
        {"[Reminder]\r\n", "Reminder", "0", "", "[Reminder]\r\n0=\r\n"},
        {"[Other]\nx=y", "Reminder", "count", "0", "[Other]\r\nx=y\r\n[Reminder]\r\ncount=0\r\n"},
    };
    for (const Case& c : cases) {
        ProfileText text(c.before);
        text.WriteString(c.section, c.key, c.value);
        EXPECT_EQ(text.Text(), c.after) << c.before;
    }
}

TEST(ProfileTextTest, KeepsAValueOfAnyLength) {
    const std::string value(100000, 'm');
    ProfileText text;
    text.WriteString("Reminder", "0", value);
    EXPECT_EQ(ProfileText(text.Text()).ReadString("Reminder", "0", ""), value);
}

}  // namespace
