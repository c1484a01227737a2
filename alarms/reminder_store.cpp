// Loading and saving the reminder list with the count guard.
#include "alarms/reminder_store.h"

#include <algorithm>
#include <charconv>

namespace tikora {

namespace {

// A key name as the store writes it: decimal, no sign, no leading zero (but "0" itself).
bool KeyNumber(std::string_view name, long long& number) {
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name[0] == '0')) return false;
    for (char c : name)
        if (c < '0' || c > '9') return false;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), number);
    return ec == std::errc() && end == name.data() + name.size();
}

int StoredCount(SettingsStore& store) {
    return std::max(0, store.ReadInteger(kReminderSection, kReminderCountKey, 0));
}

}  // namespace

std::vector<long long> ReminderKeyNumbers(int count, const std::vector<std::string>& keyNames) {
    std::vector<long long> present;
    for (const std::string& name : keyNames) {
        long long number = 0;
        if (KeyNumber(name, number) && number < count) present.push_back(number);
    }
    std::sort(present.begin(), present.end());
    present.erase(std::unique(present.begin(), present.end()), present.end());

    std::vector<long long> numbers;
    numbers.reserve(present.size());
    long long emptyLeft = kMaxEmptyReminders;
    long long next = 0;
    auto addMissingUpTo = [&](long long end) {
        for (; next < end && emptyLeft > 0; ++next, --emptyLeft) numbers.push_back(next);
        next = end;
    };
    for (long long number : present) {
        addMissingUpTo(number);
        numbers.push_back(number);
        next = number + 1;
    }
    addMissingUpTo(count);
    return numbers;
}

std::vector<std::string> LoadReminders(SettingsStore& store, const std::vector<std::string>& keyNames) {
    std::vector<std::string> entries;
    for (long long number : ReminderKeyNumbers(StoredCount(store), keyNames))
        entries.push_back(store.ReadString(kReminderSection, std::to_string(number), ""));
    return entries;
}

void SaveReminders(SettingsStore& store, const std::vector<std::string>& keyNames,
                   const std::vector<std::string>& entries) {
    for (long long number : ReminderKeyNumbers(StoredCount(store), keyNames))
        store.WriteString(kReminderSection, std::to_string(number), "");
    store.WriteInteger(kReminderSection, kReminderCountKey, static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) store.WriteString(kReminderSection, std::to_string(i), entries[i]);
}

}  // namespace tikora
