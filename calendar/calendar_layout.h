#pragma once
// Where the month calendar's parts go for a given widget size: the title bar with its four
// buttons and title, the body with its grid of cells, the footer with the date label and the
// "T" and "C" buttons. Plain arithmetic in device pixels; fixed lengths are 96-DPI pixels scaled
// to `dpi`.
#include <array>

#include "calendar/month_calendar.h"
#include "core/platform.h"

namespace tikora {

// Left, top, width, height; empty (all 0) for a part that is not shown.
struct CalendarBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Shown() const { return width > 0 && height > 0; }
    friend bool operator==(const CalendarBox&, const CalendarBox&) = default;
};

struct CalendarLayout {
    // In the widget's client area.
    CalendarBox titleBar, body, footer;
    // In the title bar.
    CalendarBox previousYear, previousMonth, nextMonth, nextYear, title;
    // In the footer.
    CalendarBox dateLabel, todayButton, clearButton;
    // In the body: 8 columns (week numbers, then the days) by 7 rows (day names, then six weeks),
    // row by row; cell [0] is the corner.
    std::array<CalendarBox, 56> cells{};
};

// The widget's width after a resize: below 98 pixels (at 96 DPI) it becomes 108.
int LimitCalendarWidth(int width, int dpi);

// `labelHeight` is the height of one line of the date label's font.
CalendarLayout LayOutCalendar(int width, int height, const CalendarOptions& options, int dpi, int labelHeight);

}  // namespace tikora
