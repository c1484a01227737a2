// The month calendar's state and refresh: date arithmetic, setters, navigation, selection, the
// 42-cell fill, the colour rules in their order, the week numbers, the title and the date label.
#include "calendar/month_calendar.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/datetime.h"

namespace tikora {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

namespace {

// Days since 1 January 1970 for any year of the proleptic calendar (the civil-from-days method,
// with floor divisions so that years before 1 still count right).
long DaysFromCivil(const CalendarDate& date) {
    const long y = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long m = date.month;
    const long dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr long kSerialOf1970 = 25569;  // 1 January 1970 as a date value

int DayOfYearOffset(int year, int month) {
    int days = 0;
    for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
    return days;
}

}  // namespace

long DaySerial(const CalendarDate& date) { return DaysFromCivil(date) + kSerialOf1970; }

int WeekdayMondayFirst(const CalendarDate& date) {
    const long days = DaysFromCivil(date) + 3;  // 1 January 1970 was a Thursday
    return static_cast<int>(((days % 7) + 7) % 7) + 1;
}

int WeeksInYear(int year) {
    const int first = WeekdayMondayFirst({year, 1, 1});
    return first == 4 || (IsLeapYear(year) && first == 3) ? 53 : 52;
}

int FirstWeekNumber(int year, int month) {
    int offset = DayOfYearOffset(year, month);
    const int c = WeekdayMondayFirst({year, 1, 1});
    offset += c <= 4 ? c - 1 : c - 7;
    return offset / 7 + 1;  // C++ division rounds toward zero, as the rule asks
}

MonthCalendarModel::MonthCalendarModel(TimeSource& time, CalendarConfig config)
    : time_(time), config_(std::move(config)) {
    Refresh();
}

void MonthCalendarModel::SetConfig(CalendarConfig config) {
    config_ = std::move(config);
    Refresh();
}

CalendarDate MonthCalendarModel::Today() {
    const DateTime now = time_.Now();
    return {now.year, now.month, now.day};
}

void MonthCalendarModel::SetYear(int year) {
    if (year == year_) return;
    year_ = std::clamp(year, kCalendarSetterFirstYear, kCalendarSetterLastYear);
    day_ = std::min(day_, DaysInMonth(year_, month_));
    Refresh();
}

void MonthCalendarModel::SetMonth(int month) {
    if (month == month_) return;
    month_ = std::clamp(month, 1, 12);
    day_ = std::min(day_, DaysInMonth(year_, month_));
    Refresh();
}

void MonthCalendarModel::SetDay(int day) {
    if (day == day_) return;
    day_ = std::clamp(day, 1, DaysInMonth(year_, month_));
    Refresh();
}

// Moves the view; a year outside the date values' range leaves it where it is.
void MonthCalendarModel::Show(int year, int month, int day) {
    if (year < kCalendarFirstYear || year > kCalendarLastYear) return;
    year_ = year;
    month_ = month;
    day_ = std::min(day, DaysInMonth(year, month));
    Refresh();
}

void MonthCalendarModel::NextMonth() {
    month_ == 12 ? Show(year_ + 1, 1, day_) : Show(year_, month_ + 1, day_);
}

void MonthCalendarModel::PreviousMonth() {
    month_ == 1 ? Show(year_ - 1, 12, day_) : Show(year_, month_ - 1, day_);
}

void MonthCalendarModel::NextYear() { Show(year_ + 1, month_, day_); }
void MonthCalendarModel::PreviousYear() { Show(year_ - 1, month_, day_); }

void MonthCalendarModel::GoToToday() {
    const CalendarDate today = Today();
    Show(today.year, today.month, today.day);
}

void MonthCalendarModel::ClearSelection() {
    selected_.reset();
    Refresh();
}

void MonthCalendarModel::PressDay(int index) {
    if (index < 0 || index >= static_cast<int>(cells_.size()) || !cells_[index].valid) return;
    const CalendarDate date = cells_[index].date;
    if (selected_ == date) return;
    selected_ = date;
    // Straight to the date, not through the setters: a day clicked beyond 2100 stays in view.
    year_ = date.year;
    month_ = date.month;
    day_ = date.day;
    Refresh();
}

void MonthCalendarModel::Refresh() {
    const CalendarDate today = Today();
    const bool mondayFirst = config_.firstDayOfWeek == FirstDayOfWeek::fdMonday;
    for (int column = 0; column < 7; ++column)
        columnNames_[column] = config_.messages.dayNames[(column + (mondayFirst ? 1 : 0)) % 7];
    FillCells();
    for (CalendarCell& cell : cells_) ColourCell(cell, today);
    MakeTitle();
    NumberWeeks();
    MakeDateLabel();
    if (onRefresh) onRefresh();
}

void MonthCalendarModel::FillCells() {
    const bool mondayFirst = config_.firstDayOfWeek == FirstDayOfWeek::fdMonday;
    const int weekday = WeekdayMondayFirst({year_, month_, 1});
    const int start = mondayFirst ? weekday : weekday % 7 + 1;  // the 1st's column, 1..7
    const int length = DaysInMonth(year_, month_);
    const CalendarDate before = month_ == 1 ? CalendarDate{year_ - 1, 12, 1} : CalendarDate{year_, month_ - 1, 1};
    const CalendarDate after = month_ == 12 ? CalendarDate{year_ + 1, 1, 1} : CalendarDate{year_, month_ + 1, 1};
    const int previousLength = DaysInMonth(before.year, before.month);
    int n = 1;
    for (int i = 0; i < 42; ++i) {
        CalendarCell& cell = cells_[i];
        const int column = i % 7 + 1;
        if (i < 7 && column < start) {
            cell.date = {before.year, before.month, previousLength + column - start + 1};
            cell.where = CellMonth::Previous;
        } else if (n <= length) {
            cell.date = {year_, month_, n++};
            cell.where = CellMonth::Shown;
        } else {
            cell.date = {after.year, after.month, n++ - length};
            cell.where = CellMonth::Next;
        }
        cell.valid = cell.date.year >= kCalendarFirstYear && cell.date.year <= kCalendarLastYear;
        cell.text = cell.valid ? std::to_string(cell.date.day) : std::string();
    }
}

void MonthCalendarModel::ColourCell(CalendarCell& cell, const CalendarDate& today) const {
    const CalendarAppearance& look = config_.appearance;
    const CalendarOptions& options = config_.options;
    cell.hint.clear();
    if (selected_ && cell.valid && DaySerial(cell.date) == DaySerial(*selected_)) {
        cell.background = look.selectedColor;
        cell.font = look.selectedFont;
    } else if (cell.date == today) {
        cell.background = look.todayColor;
        cell.font = look.todayFont;
        cell.hint = config_.messages.todayHint;
    } else if (cell.where == CellMonth::Shown) {
        const bool weekend = WeekdayMondayFirst(cell.date) >= 6;
        cell.background = weekend && options.Has(CalendarOption::csUseWeekEndColor) ? look.weekEndColor : look.dayColor;
        cell.font = weekend && options.Has(CalendarOption::csUseWeekEndFont) ? look.weekEndFont : look.dayFont;
    } else {
        cell.background = look.indirectColor;
        cell.font = look.indirectFont;
        const bool hidden = cell.where == CellMonth::Next ? !options.Has(CalendarOption::coShowNextMonth)
                                                          : !options.Has(CalendarOption::coShowPreviousMonth);
        if (hidden) cell.font.colour = cell.background;
    }
}

void MonthCalendarModel::MakeTitle() {
    const std::string& name = config_.messages.monthNames[month_ - 1];
    char text[300];
    switch (config_.headerFormat) {
        case HeaderFormat::hfMMMMYYYY: std::snprintf(text, sizeof text, "%s, %d", name.c_str(), year_); break;
        case HeaderFormat::hfYYYYMMMM: std::snprintf(text, sizeof text, "%d, %s", year_, name.c_str()); break;
        case HeaderFormat::hfMMYYYY: std::snprintf(text, sizeof text, "%02d.%d", month_, year_); break;
        case HeaderFormat::hfYYYYMM: std::snprintf(text, sizeof text, "%d.%02d", year_, month_); break;
    }
    title_ = text;
}

void MonthCalendarModel::NumberWeeks() {
    const int first = FirstWeekNumber(year_, month_);
    const int weeks = WeeksInYear(year_);
    for (int i = 0; i < 6; ++i) weekNumbers_[i] = first + i > weeks ? first + i - weeks : first + i;
}

namespace {

// The date in `format`; nothing when the format gives no text (an empty or unusable format).
std::optional<std::string> FormatDate(const std::string& format, const CalendarDate& date) {
    std::string text = FormatDateTime(format, DateTime{date.year, date.month, date.day}, GetFormatSettings());
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace

void MonthCalendarModel::MakeDateLabel() {
    if (!selected_) {
        dateLabel_ = FormatDate(config_.dateFormat, {year_, month_, day_}).value_or(std::string());
        return;
    }
    std::optional<std::string> text = FormatDate(config_.dateFormat, *selected_);
    dateLabel_ = text ? *text : FormatDate("yyyy.mm.dd", *selected_).value_or(std::string());
}

}  // namespace tikora
