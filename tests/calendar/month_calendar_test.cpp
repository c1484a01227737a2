// The month calendar's model as the calendar dialog configures it: the 42-cell fill, the week
// numbers, the setters and buttons with their limits, selection, colours, title, label, layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/calendar_dialog_config.h"
#include "calendar/calendar_layout.h"
#include "calendar/month_calendar.h"
#include "core/image.h"
#include "support/fakes.h"

using namespace tikora;

namespace {

struct CalendarTest : ::testing::Test {
    CalendarTest() {
        clock.current = {2026, 12, 9, 10, 0, 0, 0};
        model.onRefresh = [this] { ++refreshes; };
    }
    void View(int year, int month, int day = 1) {
        model.SetYear(year);
        model.SetMonth(month);
        model.SetDay(day);
    }
    int IndexOf(const CalendarDate& date) const {
        for (int i = 0; i < 42; ++i)
            if (model.Cells()[i].date == date) return i;
        return -1;
    }
    std::vector<int> Days(int firstCell, int count) const {
        std::vector<int> days;
        for (int i = firstCell; i < firstCell + count; ++i) days.push_back(model.Cells()[i].date.day);
        return days;
    }
    CalendarDate Shown() const { return {model.Year(), model.Month(), model.Day()}; }

    tikora::testing::FakeClock clock;
    MonthCalendarModel model{clock, CalendarDialogConfig()};
    int refreshes = 0;
};

std::vector<int> Range(int from, int to) {
    std::vector<int> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

}  // namespace

TEST_F(CalendarTest, StartsWithTheDesignDateAndNothingSelected) {
    EXPECT_EQ(Shown(), (CalendarDate{2005, 11, 10}));
    EXPECT_FALSE(model.Selected());
    EXPECT_EQ(model.Title(), "November, 2005");
    EXPECT_EQ(model.DateLabel(), "10.11.2005");
}

TEST_F(CalendarTest, MonthStartingOnMondayAndFebruary2021Fill) {
    View(2021, 2);  // 1 February 2021 is a Monday
    EXPECT_EQ(model.Cells()[0].date, (CalendarDate{2021, 2, 1}));
    EXPECT_EQ(Days(0, 28), Range(1, 28));
    EXPECT_EQ(model.Cells()[27].where, CellMonth::Shown);
    EXPECT_EQ(Days(28, 14), Range(1, 14));
    EXPECT_EQ(model.Cells()[28].date, (CalendarDate{2021, 3, 1}));
    EXPECT_EQ(model.Cells()[41].where, CellMonth::Next);
    EXPECT_EQ(model.ColumnNames()[0], "Mon");
    EXPECT_EQ(model.ColumnNames()[6], "Sun");
}

TEST_F(CalendarTest, WeekNumbersFollowTheirOwnRule) {
    struct Case {
        int year, month;
        std::vector<int> weeks;
    };
    const Case cases[] = {
        {2008, 12, {49, 50, 51, 52, 1, 2}}, {2009, 1, Range(1, 6)},   {2009, 6, Range(23, 28)},
        {2005, 1, Range(1, 6)},             {2005, 5, Range(18, 23)}, {2026, 12, {49, 50, 51, 52, 53, 1}},
    };
    for (const Case& c : cases) {
        View(c.year, c.month);
        EXPECT_EQ(std::vector<int>(model.WeekNumbers().begin(), model.WeekNumbers().end()), c.weeks)
            << c.year << "-" << c.month;
    }
    // The same weeks get other numbers from the neighbouring months: 25 April - 1 May 2005 is 17
    // in April, 30 May - 5 June is 22 in June (and 23 in May).
    View(2005, 4);
    EXPECT_EQ(model.WeekNumbers()[IndexOf({2005, 4, 25}) / 7], 17);
    View(2005, 6);
    EXPECT_EQ(model.WeekNumbers()[IndexOf({2005, 5, 30}) / 7], 22);
}

TEST_F(CalendarTest, EveryMonthFrom1900To2100FillsConsecutiveDays) {
    for (int year = 1900; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            View(year, month);
            const auto& cells = model.Cells();
            const int column = WeekdayMondayFirst({year, month, 1}) - 1;
            ASSERT_EQ(cells[column].date, (CalendarDate{year, month, 1})) << year << "-" << month;
            for (int i = 1; i < 42; ++i)
                ASSERT_EQ(DaySerial(cells[i].date), DaySerial(cells[0].date) + i) << year << "-" << month << " " << i;
            for (int i = 0; i < 42; ++i) ASSERT_EQ(cells[i].text, std::to_string(cells[i].date.day));
            for (int week : model.WeekNumbers()) ASSERT_TRUE(week >= 1 && week <= 53) << year << "-" << month;
        }
    }
    EXPECT_EQ(DaySerial({1899, 12, 30}), 0);
    EXPECT_EQ(DaySerial({2026, 12, 8}), 46364);
}

TEST_F(CalendarTest, SettersLimitAndRefreshOnlyOnChange) {
    struct Case {
        void (MonthCalendarModel::*set)(int);
        int value;
        CalendarDate shown;
    };
    const Case cases[] = {
        {&MonthCalendarModel::SetYear, 1800, {1900, 1, 31}}, {&MonthCalendarModel::SetYear, 3000, {2100, 1, 31}},
        {&MonthCalendarModel::SetMonth, 0, {2020, 1, 31}},   {&MonthCalendarModel::SetMonth, 13, {2020, 12, 31}},
        {&MonthCalendarModel::SetMonth, 2, {2020, 2, 29}},   {&MonthCalendarModel::SetDay, 0, {2020, 1, 1}},
        {&MonthCalendarModel::SetDay, 40, {2020, 1, 31}},
    };
    for (const Case& c : cases) {
        View(2020, 1, 31);
        (model.*c.set)(c.value);
        EXPECT_EQ(Shown(), c.shown) << c.value;
    }
    View(2020, 2, 29);
    model.SetYear(2021);
    EXPECT_EQ(Shown(), (CalendarDate{2021, 2, 28}));
    const int before = refreshes;
    View(2021, 2, 28);
    EXPECT_EQ(refreshes, before);
}

TEST_F(CalendarTest, ButtonsWrapAndKeepTheDayInTheMonth) {
    using Press = void (MonthCalendarModel::*)();
    struct Case {
        CalendarDate from;
        Press press;
        CalendarDate to;
    };
    const Case cases[] = {
        {{2026, 1, 31}, &MonthCalendarModel::NextMonth, {2026, 2, 28}},
        {{2026, 12, 31}, &MonthCalendarModel::NextMonth, {2027, 1, 31}},
        {{2026, 1, 15}, &MonthCalendarModel::PreviousMonth, {2025, 12, 15}},
        {{2024, 2, 29}, &MonthCalendarModel::NextYear, {2025, 2, 28}},
        {{2024, 2, 29}, &MonthCalendarModel::PreviousYear, {2023, 2, 28}},
        {{2100, 6, 1}, &MonthCalendarModel::NextYear, {2101, 6, 1}},  // the buttons pass the setters' limit
        {{1900, 1, 1}, &MonthCalendarModel::PreviousMonth, {1899, 12, 1}},
    };
    for (const Case& c : cases) {
        View(c.from.year, c.from.month, c.from.day);
        (model.*c.press)();
        EXPECT_EQ(Shown(), c.to) << c.to.year << "-" << c.to.month;
    }
    View(2026, 5, 31);
    model.NextMonth();
    EXPECT_EQ(model.DateLabel(), "30.06.2026");
}

TEST_F(CalendarTest, YearButtonsStopAtTheEndsOfTheDateRange) {
    View(1900, 1, 15);
    for (int i = 0; i < 1900; ++i) model.PreviousYear();
    EXPECT_EQ(Shown(), (CalendarDate{1, 1, 15}));
    model.PreviousMonth();
    EXPECT_EQ(Shown(), (CalendarDate{1, 1, 15}));
    // 1 January of year 1 is a Monday: no December of year 0 before it.
    EXPECT_EQ(model.Cells()[0].date, (CalendarDate{1, 1, 1}));
    View(2100, 12, 15);
    for (int i = 0; i < 8000; ++i) model.NextYear();
    model.NextMonth();
    EXPECT_EQ(Shown(), (CalendarDate{9999, 12, 15}));
    EXPECT_EQ(model.Title(), "December, 9999");
    const CalendarCell& last = model.Cells()[41];
    EXPECT_EQ(last.where, CellMonth::Next);
    EXPECT_FALSE(last.valid);
    EXPECT_EQ(last.text, "");
    model.PressDay(41);
    EXPECT_FALSE(model.Selected());
}

TEST_F(CalendarTest, PressSelectsMovesTheViewAndPressingAgainChangesNothing) {
    struct Case {
        CalendarDate view;
        CalendarDate press;
    };
    const Case cases[] = {
        {{2026, 12, 1}, {2026, 12, 8}},
        {{2026, 12, 1}, {2027, 1, 3}},   // following month, next year
        {{2027, 1, 1}, {2026, 12, 28}},  // preceding month, previous year
        {{2026, 11, 1}, {2026, 12, 1}},
    };
    for (const Case& c : cases) {
        View(c.view.year, c.view.month, c.view.day);
        model.PressDay(IndexOf(c.press));
        EXPECT_EQ(model.Selected(), c.press);
        EXPECT_EQ(Shown(), c.press);
        EXPECT_EQ(model.Cells()[IndexOf(c.press)].background, Rgb(0, 0, 128));
    }
    model.PressDay(IndexOf({2026, 12, 1}));
    const int before = refreshes;
    model.PressDay(IndexOf({2026, 12, 1}));
    EXPECT_EQ(refreshes, before);
    EXPECT_EQ(model.DateLabel(), "01.12.2026");
    model.NextMonth();
    model.GoToToday();
    EXPECT_EQ(Shown(), (CalendarDate{2026, 12, 9}));
    EXPECT_EQ(model.Selected(), (CalendarDate{2026, 12, 1}));
    EXPECT_EQ(model.DateLabel(), "01.12.2026");
    model.ClearSelection();
    EXPECT_EQ(model.DateLabel(), "09.12.2026");
}

TEST_F(CalendarTest, CellColoursFollowTheRulesInOrder) {
    clock.current = {2026, 11, 30, 0, 0, 0, 0};  // a Monday, shown in December's first row
    View(2026, 12);
    model.PressDay(IndexOf({2026, 12, 8}));
    struct Case {
        CalendarDate date;
        uint32_t background;
        CalendarFont font;
        const char* hint;
    };
    const CalendarFont windowText{kWindowTextColour, false};
    const Case cases[] = {
        {{2026, 12, 8}, Rgb(0, 0, 128), {Rgb(255, 255, 255), false}, ""},
        {{2026, 11, 30}, Rgb(255, 255, 0), windowText, "This date is today"},
        {{2026, 12, 9}, Rgb(192, 220, 192), windowText, ""},
        {{2026, 12, 12}, Rgb(255, 0, 0), {Rgb(0, 0, 0), false}, ""},
        {{2026, 12, 13}, Rgb(255, 0, 0), {Rgb(0, 0, 0), false}, ""},
        {{2027, 1, 2}, kButtonFaceColour, windowText, ""},  // a Saturday of the next month
    };
    for (const Case& c : cases) {
        const CalendarCell& cell = model.Cells()[IndexOf(c.date)];
        EXPECT_EQ(cell.background, c.background) << c.date.day;
        EXPECT_EQ(cell.font, c.font) << c.date.day;
        EXPECT_EQ(cell.hint, c.hint) << c.date.day;
    }
    // Today selected: the selection colour wins.
    model.PressDay(IndexOf({2026, 11, 30}));
    EXPECT_EQ(model.Cells()[IndexOf({2026, 11, 30})].background, Rgb(0, 0, 128));
    EXPECT_EQ(model.Cells()[IndexOf({2026, 11, 30})].hint, "");

    // Without the next-month option its days are written in their background colour.
    CalendarConfig config = CalendarDialogConfig();
    config.options = config.options.Without(CalendarOption::coShowNextMonth).Without(CalendarOption::csUseWeekEndColor);
    model.SetConfig(config);
    View(2026, 12);
    EXPECT_EQ(model.Cells()[IndexOf({2027, 1, 2})].font.colour, kButtonFaceColour);
    EXPECT_EQ(model.Cells()[IndexOf({2026, 12, 12})].background, Rgb(192, 220, 192));
}

TEST_F(CalendarTest, TitleAndLabelFormats) {
    CalendarConfig config = CalendarDialogConfig();
    struct Case {
        HeaderFormat format;
        const char* title;
    };
    const Case cases[] = {{HeaderFormat::hfMMMMYYYY, "March, 2026"},
                          {HeaderFormat::hfYYYYMMMM, "2026, March"},
                          {HeaderFormat::hfMMYYYY, "03.2026"},
                          {HeaderFormat::hfYYYYMM, "2026.03"}};
    View(2026, 3, 8);
    for (const Case& c : cases) {
        config.headerFormat = c.format;
        model.SetConfig(config);
        EXPECT_EQ(model.Title(), c.title);
    }
    // A format that gives nothing falls back for a selected date.
    config.dateFormat = "";
    model.SetConfig(config);
    EXPECT_EQ(model.DateLabel(), "");
    model.PressDay(IndexOf({2026, 3, 9}));
    EXPECT_EQ(model.DateLabel(), "2026.03.09");
}

TEST(CalendarLayoutTest, TheDialogsWidgetAtBothScales) {
    const CalendarOptions options = CalendarDialogConfig().options;
    const CalendarLayout at96 = LayOutCalendar(250, 230, options, 96, 13);
    EXPECT_EQ(at96.titleBar, (CalendarBox{2, 2, 246, 26}));
    EXPECT_EQ(at96.footer, (CalendarBox{2, 202, 246, 26}));
    EXPECT_EQ(at96.body, (CalendarBox{2, 28, 246, 174}));
    EXPECT_EQ(at96.previousYear, (CalendarBox{3, 2, 23, 22}));
    EXPECT_EQ(at96.previousMonth, (CalendarBox{28, 2, 23, 22}));
    EXPECT_EQ(at96.nextYear, (CalendarBox{220, 2, 23, 22}));
    EXPECT_EQ(at96.nextMonth, (CalendarBox{195, 2, 23, 22}));
    EXPECT_EQ(at96.todayButton, (CalendarBox{220, 2, 23, 22}));
    EXPECT_FALSE(at96.clearButton.Shown());
    EXPECT_EQ(at96.dateLabel.x, 3);
    EXPECT_EQ(at96.dateLabel.y, 6);
    // Inner 244 x 172: cells of 30 x 24, shifted by half of the 4 pixels left over each way.
    EXPECT_EQ(at96.cells[0], (CalendarBox{3, 3, 30, 24}));
    EXPECT_EQ(at96.cells[55], (CalendarBox{3 + 7 * 30, 3 + 6 * 24, 30, 24}));
    EXPECT_EQ(at96.title.x + at96.title.width / 2, 246 / 2);

    const CalendarLayout at192 = LayOutCalendar(500, 460, options, 192, 26);
    EXPECT_EQ(at192.titleBar.height, 52);
    EXPECT_EQ(at192.nextYear.x, 496 - 6 - 46);
    EXPECT_EQ(at192.cells[9].width, (494 / 8));

    struct Width {
        int requested, dpi, result;
    };
    for (const Width& w : {Width{97, 96, 108}, Width{98, 96, 98}, Width{195, 192, 216}, Width{196, 192, 196}})
        EXPECT_EQ(LimitCalendarWidth(w.requested, w.dpi), w.result) << w.requested;
}
