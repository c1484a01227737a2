// Building, encoding and checking reminder entries.
#include "alarms/reminders.h"

namespace tikora {

std::string EncodeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += kEncodedBreak;
            out += kEncodedBreak;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string DecodeLineBreaks(std::string_view entry) {
    std::string out;
    out.reserve(entry.size());
    for (size_t i = 0; i < entry.size(); ++i) {
        if (entry[i] == kEncodedBreak && i + 1 < entry.size() && entry[i + 1] == kEncodedBreak) {
            out += "\r\n";
            ++i;
        } else {
            out += entry[i];
        }
    }
    return out;
}

std::string BuildReminderEntry(const DateTime& date, const DateTime& time, std::string_view message) {
    FormatSettings& formats = GetFormatSettings();
    formats.longTimeFormat = "hh:mm:ss";
    formats.shortDateFormat = "dd.MM.yyyy";
    return DateText(date) + "_" + TimeText(time).substr(0, 5) + "  " + EncodeLineBreaks(message);
}

std::string DueKey(const DateTime& now) {
    const FormatSettings& formats = GetFormatSettings();
    return FormatDateTime("dd.mm.yyyy", now, formats) + "_" + FormatDateTime("hh:nn", now, formats);
}

std::optional<std::string> ReminderDueCheck::Tick(const std::vector<std::string>& liveList, const DateTime& now) {
    if (!liveList.empty()) {
        std::string minute = FormatDateTime("hh:nn", now, GetFormatSettings());
        if (minute != lastScannedMinute_) {
            lastScannedMinute_ = std::move(minute);
            const std::string key = DueKey(now);
            for (const std::string& entry : liveList)
                if (entry.compare(0, kDueKeyLength, key) == 0 && entry.size() >= kDueKeyLength) queue_.push_back(entry);
        }
    }
    if (queue_.empty()) return std::nullopt;
    std::string due = std::move(queue_.front());
    queue_.pop_front();
    return DecodeLineBreaks(due);
}

}  // namespace tikora
