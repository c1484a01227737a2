// The Reminder.ini loader on any file text, read with a model of the profile functions (sections
// and keys without regard to case, the first of equal keys wins, blanks around names and values
// dropped): never a crash or an unbounded list; "Apply" of what was loaded loads the same list;
// the entries' line breaks decode and encode back; the due check shows each due entry once.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "alarms/reminder_store.h"
#include "alarms/reminders.h"
#include "core/datetime.h"

namespace {

std::string Fold(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The "Reminder" section of a profile file in memory: its key names in file order and the values.
class ReminderSection final : public tikora::SettingsStore {
public:
    explicit ReminderSection(std::string_view file) {
        bool inSection = false, seenSection = false;
        while (!file.empty()) {
            const size_t end = file.find_first_of("\r\n");
            std::string_view line = Trim(file.substr(0, end));
            file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
            if (!line.empty() && line.front() == '[') {
                const size_t close = line.find(']');
                const std::string name = Fold(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
                inSection = !seenSection && name == "reminder";  // the first such section only
                seenSection = seenSection || inSection;
                continue;
            }
            if (!inSection || line.empty() || line.front() == ';') continue;
            const size_t equals = line.find('=');
            std::string_view value = equals == std::string_view::npos ? "" : Trim(line.substr(equals + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
            Add(std::string(Trim(line.substr(0, equals))), std::string(value));
        }
    }
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override {
        if (Fold(section) != "reminder") return std::string(def);
        const auto found = values_.find(Fold(key));
        return found == values_.end() ? std::string(def) : found->second;
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        if (Fold(section) != "reminder") std::abort();
        ++writes;
        const auto found = values_.find(Fold(key));
        if (found == values_.end())
            Add(std::string(key), std::string(value));
        else
            found->second = value;
    }
    std::vector<std::string> names;
    size_t writes = 0;

private:
    void Add(std::string name, std::string value) {
        names.push_back(name);
        values_.emplace(Fold(name), std::move(value));  // the first of equal keys wins
    }
    std::map<std::string, std::string> values_;
};

// The minute the first entry names when it has the due key's digits, else a fixed one.
tikora::DateTime MinuteOf(const std::vector<std::string>& entries) {
    tikora::DateTime at{2006, 3, 5, 17, 40, 0, 0};
    if (entries.empty() || entries[0].size() < tikora::kDueKeyLength) return at;
    const std::string& e = entries[0];
    auto number = [&](size_t from, size_t count, int low, int high, int& out) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (e[i] < '0' || e[i] > '9') return;
            value = value * 10 + (e[i] - '0');
        }
        if (value >= low && value <= high) out = value;
    };
    number(0, 2, 1, 28, at.day);
    number(3, 2, 1, 12, at.month);
    number(6, 4, 1, 9999, at.year);
    number(11, 2, 0, 23, at.hour);
    number(14, 2, 0, 59, at.minute);
    return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tikora::GetFormatSettings().timeSeparator = ':';
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ReminderSection file(text);
    const std::vector<std::string> entries = tikora::LoadReminders(file, file.names);

    // Bounded: the numbered keys there are, plus at most the allowed empty entries.
    std::set<std::string> distinct(file.names.begin(), file.names.end());
    if (entries.size() > distinct.size() + tikora::kMaxEmptyReminders) std::abort();
    const int count = std::max(0, file.ReadInteger("Reminder", "count", 0));
    if (entries.size() > static_cast<size_t>(count)) std::abort();

    for (const std::string& entry : entries) {
        if (entry.find_first_of("\r\n") != std::string::npos) std::abort();  // one line of the file
        if (tikora::EncodeLineBreaks(tikora::DecodeLineBreaks(entry)) != entry) std::abort();
    }

    // The due check over one minute: each due entry comes out once, one per tick.
    const tikora::DateTime minute = MinuteOf(entries);
    const std::string key = tikora::DueKey(minute);
    size_t due = 0;
    for (const std::string& entry : entries) due += entry.size() >= tikora::kDueKeyLength && entry.compare(0, tikora::kDueKeyLength, key) == 0;
    tikora::ReminderDueCheck check;
    size_t shown = 0;
    for (int second = 0; second < 60 && shown <= due; ++second) {
        tikora::DateTime now = minute;
        now.second = second;
        shown += check.Tick(entries, now).has_value();
    }
    if (shown != std::min<size_t>(due, 60)) std::abort();

    // "Apply" of the loaded list writes a bounded number of keys and loads the same list again.
    file.writes = 0;
    tikora::SaveReminders(file, file.names, entries);
    if (file.writes > 2 * entries.size() + tikora::kMaxEmptyReminders + 1) std::abort();
    if (tikora::LoadReminders(file, file.names) != entries) std::abort();
    return 0;
}
