#pragma once
// Reminder entries: one text per reminder, "dd.MM.yyyy_hh:mm", two blanks, then the message with
// its line breaks as the bytes 0x85 0x85, so that an entry stays on one line of Reminder.ini.
// The first 16 characters are the entry's due key; the due check compares them with the current
// minute once per minute and queues what is due, to be shown one per tick.
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/datetime.h"

namespace tikora {

inline constexpr size_t kDueKeyLength = 16;
inline constexpr char kEncodedBreak = '\x85';

// Every line break becomes 0x85 0x85: the pair CR LF, and also a lone CR or a lone LF (pasted
// text carries them, and either would cut the entry in two inside the INI file).
std::string EncodeLineBreaks(std::string_view text);
// Every pair 0x85 0x85, read from the left, becomes CR LF.
std::string DecodeLineBreaks(std::string_view entry);

// The entry the reminder editor makes on "OK". Sets the program-wide long time format to
// "hh:mm:ss" and short date format to "dd.MM.yyyy" first: they stay so for the rest of the run.
std::string BuildReminderEntry(const DateTime& date, const DateTime& time, std::string_view message);

// The due key of a minute: "dd.mm.yyyy_hh:nn" with the program-wide time separator.
std::string DueKey(const DateTime& now);

// The reminder list's once-per-second check: each minute is scanned at its first tick on which
// the list is not empty; every entry due in it is queued once; one queued entry comes out per tick.
class ReminderDueCheck {
public:
    // Returns the message to show now, line breaks restored, or nothing.
    std::optional<std::string> Tick(const std::vector<std::string>& liveList, const DateTime& now);
    const std::deque<std::string>& Queue() const { return queue_; }

private:
    std::string lastScannedMinute_;
    std::deque<std::string> queue_;
};

}  // namespace tikora
