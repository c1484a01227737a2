// The reminder store on a model of the file: "Apply"'s writes and the count guard of loading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarms/reminder_store.h"
#include "support/fakes.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

// The model of Reminder.ini: the settings in memory plus the names its section holds.
struct StoreModel {
    void Save(const std::vector<std::string>& entries) {
        SaveReminders(values, names, entries);
        for (size_t i = 0; i < entries.size(); ++i) Name(std::to_string(i));
        Name("count");
    }
    void Name(const std::string& name) {
        for (const std::string& n : names)
            if (n == name) return;
        names.push_back(name);
    }
    std::string Value(const std::string& key) { return values.ReadString("Reminder", key, "<missing>"); }
    MemorySettings values;
    std::vector<std::string> names;
};

TEST(ReminderStore, ApplyReducingThreeEntriesToOneBlanksTheOldKeys) {
    StoreModel file;
    file.Save({"a", "b", "c"});
    file.Save({"kept"});
    EXPECT_EQ(file.Value("count"), "1");
    EXPECT_EQ(file.Value("0"), "kept");
    EXPECT_EQ(file.Value("1"), "");
    EXPECT_EQ(file.Value("2"), "");
    EXPECT_EQ(LoadReminders(file.values, file.names), std::vector<std::string>{"kept"});

    file.Save({});  // "Clear all", then "Apply"
    EXPECT_EQ(file.Value("count"), "0");
    EXPECT_EQ(file.Value("0"), "");
    EXPECT_TRUE(LoadReminders(file.values, file.names).empty());
}

TEST(ReminderStore, TheCountGuardListsWhatExistsAndBoundsTheEmptyEntries) {
    const long long bound = kMaxEmptyReminders;
    struct Case {
        const char* count;
        std::vector<std::string> keys;
        size_t entries;
        size_t filled;
    };
    const Case cases[] = {
        {"2", {"0", "1"}, 2, 2},
        {"5", {"0", "1"}, 5, 2},                       // a few missing keys: empty entries, as ever
        {"2147483647", {"0", "1", "2"}, 3 + bound, 3},  // two billion: no two billion reads
        {"2000000000", {"1999999999"}, bound + 1, 1},   // a far key is still listed
        {"-7", {"0"}, 0, 0},
        {"lots", {"0"}, 0, 0},
        {"99999999999999", {"0"}, 0, 0},                // beyond an int: not a number
        {"3", {"00", "+1", "2x", "-1", "2"}, 3, 1},     // only plain numbers name entries
    };
    for (const Case& c : cases) {
        MemorySettings values;
        values.Set("Reminder", "count", c.count);
        std::vector<std::string> names{"count"};
        for (const std::string& key : c.keys) {
            values.Set("Reminder", key, "entry " + key);
            names.push_back(key);
        }
        const std::vector<std::string> list = LoadReminders(values, names);
        EXPECT_EQ(list.size(), c.entries) << c.count;
        size_t filled = 0;
        for (const std::string& entry : list) filled += !entry.empty();
        EXPECT_EQ(filled, c.filled) << c.count;
    }
}

TEST(ReminderStore, ApplyOverAHugeCountBlanksOnlyWhatLoadingListed) {
    StoreModel file;
    file.values.Set("Reminder", "count", "2147483647");
    file.values.Set("Reminder", "0", "old");
    file.names = {"count", "0"};
    file.values.writes = 0;
    file.Save({"new"});
    EXPECT_LE(file.values.writes, kMaxEmptyReminders + 3);
    EXPECT_EQ(file.Value("count"), "1");
    EXPECT_EQ(file.Value("0"), "new");
}

}  // namespace
