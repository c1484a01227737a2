#pragma once
// The reminder store Reminder.ini: section "Reminder", key "count" and one key per entry, "0",
// "1", ... A hand-edited or damaged file must neither hang nor crash start-up, so loading lists
// the numbered keys that exist and bounds the empty entries a too large count asks for:
//  - "count" is read as the profile functions read integers; not a number or below 0 means 0;
//  - every key from "0" to count - 1 that exists is an entry, in the order of its number;
//  - a missing key below count is an empty entry, but only the first kMaxEmptyReminders of them:
//    a count of two billion with three keys gives the three entries and at most that many blanks.
// Saving writes the same sequence as always (blank the old keys, "count", the entries); the Win32
// side runs it on a copy of the file and then puts the copy in its place.
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tikora {

inline constexpr std::string_view kReminderFileName = "Reminder.ini";
inline constexpr std::string_view kReminderSection = "Reminder";
inline constexpr std::string_view kReminderCountKey = "count";
inline constexpr long long kMaxEmptyReminders = 100;

// The key numbers the list is made of, ascending: each key below `count` among `keyNames` (the
// names of the section's keys; only plain decimal numbers without leading zeros count) plus the
// missing ones within the bound above.
std::vector<long long> ReminderKeyNumbers(int count, const std::vector<std::string>& keyNames);

// The live list as loaded from the store. `keyNames`: the names of the section's keys.
std::vector<std::string> LoadReminders(SettingsStore& store, const std::vector<std::string>& keyNames);

// "Apply": blanks the keys the stored list is made of, writes "count", then the entries.
void SaveReminders(SettingsStore& store, const std::vector<std::string>& keyNames,
                   const std::vector<std::string>& entries);

}  // namespace tikora
