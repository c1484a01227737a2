// The month calendar's layout arithmetic.
#include "calendar/calendar_layout.h"

#include <algorithm>

namespace tikora {

namespace {

using O = CalendarOption;

// The widget's frame: a lowered 1-pixel bevel, then a 1-pixel border.
constexpr int kFrame = 2;
// The bars' raised bevel.
constexpr int kBevel = 1;

int Scaled(int value96, int dpi) { return static_cast<int>((static_cast<long>(value96) * dpi + 48) / 96); }

}  // namespace

int LimitCalendarWidth(int width, int dpi) { return width < Scaled(98, dpi) ? Scaled(108, dpi) : width; }

CalendarLayout LayOutCalendar(int width, int height, const CalendarOptions& options, int dpi, int labelHeight) {
    auto s = [dpi](int value96) { return Scaled(value96, dpi); };
    CalendarLayout layout;
    const int innerWidth = std::max(width - 2 * kFrame, 0);
    int top = kFrame;
    int bottom = std::max(height - kFrame, top);
    const int barHeight = s(26);
    const int buttonWidth = s(23);
    const int buttonTop = s(2);
    const int buttonHeight = barHeight - 2 * buttonTop;

    if (options.Has(O::coShowHeader)) {
        layout.titleBar = {kFrame, top, innerWidth, barHeight};
        top += barHeight;
        int left = s(3);
        int right = innerWidth - s(3);
        if (options.Has(O::coYearButtonVisible)) {
            layout.previousYear = {left, buttonTop, buttonWidth, buttonHeight};
            layout.nextYear = {right - buttonWidth, buttonTop, buttonWidth, buttonHeight};
            left += buttonWidth + s(2);
            right -= buttonWidth + s(2);
        }
        if (options.Has(O::coMonthButtonVisible)) {
            layout.previousMonth = {left, buttonTop, buttonWidth, buttonHeight};
            layout.nextMonth = {right - buttonWidth, buttonTop, buttonWidth, buttonHeight};
            left += buttonWidth + s(2);
            right -= buttonWidth + s(2);
        }
        // Centred in the bar: the same margin on both sides, clear of the buttons.
        const int margin = std::max(left, innerWidth - right);
        layout.title = {margin, kBevel, std::max(innerWidth - 2 * margin, 0), barHeight - 2 * kBevel};
    }
    if (options.Has(O::coShowFooter)) {
        bottom = std::max(bottom - barHeight, top);
        layout.footer = {kFrame, bottom, innerWidth, barHeight};
        int right = innerWidth - s(3);
        if (options.Has(O::coTodayButtonVisible)) {
            layout.todayButton = {right - buttonWidth, buttonTop, buttonWidth, buttonHeight};
            right -= buttonWidth;
        }
        if (options.Has(O::coClearButtonVisible)) {
            layout.clearButton = {right - s(2) - buttonWidth, buttonTop, buttonWidth, buttonHeight};
            right -= s(2) + buttonWidth;
        }
        if (options.Has(O::coShowDateLabel))
            layout.dateLabel = {s(3), (barHeight - labelHeight) / 2, std::max(right - s(6), 0), labelHeight};
    }
    layout.body = {kFrame, top, innerWidth, bottom - top};

    const int gridWidth = std::max(layout.body.width - 2 * kBevel, 0);
    const int gridHeight = std::max(layout.body.height - 2 * kBevel, 0);
    const int firstColumn = options.Has(O::coShowWeeks) ? 0 : 1;
    const int firstRow = options.Has(O::coShowWeekDays) ? 0 : 1;
    const int cellWidth = gridWidth / (8 - firstColumn);
    const int cellHeight = gridHeight / (7 - firstRow);
    const int shiftX = kBevel + (gridWidth - cellWidth * (8 - firstColumn)) / 2;
    const int shiftY = kBevel + (gridHeight - cellHeight * (7 - firstRow)) / 2;
    for (int row = firstRow; row < 7; ++row)
        for (int column = firstColumn; column < 8; ++column)
            layout.cells[row * 8 + column] = {shiftX + (column - firstColumn) * cellWidth,
                                              shiftY + (row - firstRow) * cellHeight, cellWidth, cellHeight};
    return layout;
}

}  // namespace tikora
