#pragma once
// The month calendar widget without its windows: the shown year, month and day with their
// setters, the navigation, the selected day, and the refresh that fills the 42 day cells, colours
// them, numbers the weeks and makes the title and the date label. The Win32 widget shows what
// Refresh computed; it is told through onRefresh.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/platform.h"

namespace tikora {

struct CalendarDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 1 = Monday ... 7 = Sunday (proleptic Gregorian calendar).
int WeekdayMondayFirst(const CalendarDate& date);
// Days since 30 December 1899, the program's date values.
long DaySerial(const CalendarDate& date);

// The setters keep the shown year within these...
inline constexpr int kCalendarSetterFirstYear = 1900;
inline constexpr int kCalendarSetterLastYear = 2100;
// ...while the navigation buttons go on up to the ends of the date values.
inline constexpr int kCalendarFirstYear = 1;
inline constexpr int kCalendarLastYear = 9999;

// The widget's options, in the order of its set (bit 0 first).
enum class CalendarOption : unsigned {
    coClearButtonVisible,
    coFlatButtons,
    csFlatDays,
    coFlatHeaders,
    coMonthButtonVisible,
    csSelectionEnabled,  // range selection by the right button: not built, no window uses it
    csSetTodayOnStartup,
    coShowDateLabel,
    coShowFooter,
    coShowNextMonth,
    coShowPreviousMonth,
    coShowHeader,
    coShowWeekDays,
    coShowWeeks,
    coTransparentButtons,
    coTodayButtonVisible,
    csUseWeekEndColor,
    csUseWeekEndFont,
    coYearButtonVisible,
};

class CalendarOptions {
public:
    constexpr CalendarOptions() = default;
    constexpr CalendarOptions(std::initializer_list<CalendarOption> options) {
        for (CalendarOption o : options) bits_ |= Bit(o);
    }
    constexpr bool Has(CalendarOption o) const { return (bits_ & Bit(o)) != 0; }
    constexpr CalendarOptions Without(CalendarOption o) const {
        CalendarOptions copy = *this;
        copy.bits_ &= ~Bit(o);
        return copy;
    }
    constexpr uint32_t Bits() const { return bits_; }

private:
    static constexpr uint32_t Bit(CalendarOption o) { return 1u << static_cast<unsigned>(o); }
    uint32_t bits_ = 0;
};

enum class FirstDayOfWeek { fdSunday, fdMonday };
enum class HeaderFormat { hfMMMMYYYY, hfYYYYMMMM, hfMMYYYY, hfYYYYMM };

// Colours are 0xRRGGBB, or kSystemColour plus a system colour index (COLOR_BTNFACE...).
inline constexpr uint32_t kSystemColour = 0x80000000u;
inline constexpr uint32_t kButtonFaceColour = kSystemColour | 15;  // COLOR_BTNFACE
inline constexpr uint32_t kWindowTextColour = kSystemColour | 8;   // COLOR_WINDOWTEXT

// Every font of the widget is the dialog font; they differ in colour and weight.
struct CalendarFont {
    uint32_t colour = kWindowTextColour;
    bool bold = false;
    friend bool operator==(const CalendarFont&, const CalendarFont&) = default;
};

struct CalendarAppearance {
    uint32_t dayColor, weekEndColor, todayColor, selectedColor, indirectColor, dayNameColor, weekColor, headerColor,
        footerColor;
    CalendarFont dayFont, weekEndFont, todayFont, selectedFont, indirectFont, weekDaysFont, weeksFont, titleFont,
        dateLabelFont;
};

struct CalendarMessages {
    std::string weekCaption;
    std::array<std::string, 7> dayNames;  // Sunday first
    std::array<std::string, 12> monthNames;
    std::string nextMonthHint, previousMonthHint, nextYearHint, previousYearHint, todayButtonHint, todayHint,
        clearHint;
};

struct CalendarConfig {
    CalendarOptions options;
    FirstDayOfWeek firstDayOfWeek = FirstDayOfWeek::fdMonday;
    std::string dateFormat;
    HeaderFormat headerFormat = HeaderFormat::hfMMMMYYYY;
    CalendarMessages messages;
    CalendarAppearance appearance;
};

// Where a day cell's date lies relative to the shown month.
enum class CellMonth { Previous, Shown, Next };

struct CalendarCell {
    CalendarDate date;
    CellMonth where = CellMonth::Shown;
    // False for a day before 1 January 1 or after 31 December 9999: no text, no click.
    bool valid = true;
    std::string text;
    uint32_t background = 0;
    CalendarFont font;
    std::string hint;
};

class MonthCalendarModel {
public:
    // Starts with the design values 10 November 2005 and nothing selected; today comes from `time`.
    MonthCalendarModel(TimeSource& time, CalendarConfig config);

    int Year() const { return year_; }
    int Month() const { return month_; }
    int Day() const { return day_; }
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);

    void NextMonth();
    void PreviousMonth();
    void NextYear();
    void PreviousYear();
    void GoToToday();
    void ClearSelection();
    // A press of the left button on day cell `index` (0..41, row by row).
    void PressDay(int index);
    std::optional<CalendarDate> Selected() const { return selected_; }

    const CalendarConfig& Config() const { return config_; }
    void SetConfig(CalendarConfig config);

    // Recomputes everything below and then calls onRefresh.
    void Refresh();
    std::function<void()> onRefresh;

    const std::array<CalendarCell, 42>& Cells() const { return cells_; }
    const std::array<int, 6>& WeekNumbers() const { return weekNumbers_; }
    // The header row's names, in the order of the columns.
    const std::array<std::string, 7>& ColumnNames() const { return columnNames_; }
    const std::string& Title() const { return title_; }
    const std::string& DateLabel() const { return dateLabel_; }

private:
    CalendarDate Today();
    void Show(int year, int month, int day);
    void FillCells();
    void ColourCell(CalendarCell& cell, const CalendarDate& today) const;
    void NumberWeeks();
    void MakeTitle();
    void MakeDateLabel();

    TimeSource& time_;
    CalendarConfig config_;
    int year_ = 2005;
    int month_ = 11;
    int day_ = 10;
    std::optional<CalendarDate> selected_;

    std::array<CalendarCell, 42> cells_{};
    std::array<int, 6> weekNumbers_{};
    std::array<std::string, 7> columnNames_{};
    std::string title_;
    std::string dateLabel_;
};

// The first week number of a month and the number of weeks of its year, counted with Monday as
// the first day of the week from the week holding 1 January (not ISO 8601).
int FirstWeekNumber(int year, int month);
int WeeksInYear(int year);

}  // namespace tikora
