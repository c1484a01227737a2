#pragma once
// The month calendar widget as a control of our own, built from real child controls: coloured
// panels for the bars and for every cell (each carries its text), flat tool buttons for "<<",
// "<", ">", ">>", "T" and "C", and labels for the title and the date. The state and every text
// and colour come from MonthCalendarModel; this class only shows them and passes presses on.
#include <windows.h>

#include <array>
#include <string>

#include "calendar/calendar_layout.h"
#include "calendar/month_calendar.h"
#include "ui/colour_panel_win.h"
#include "ui/controls_win.h"
#include "ui/handles_win.h"

namespace tikora {

class MonthCalendar {
public:
    MonthCalendar(TimeSource& time, CalendarConfig config);
    MonthCalendar(const MonthCalendar&) = delete;
    MonthCalendar& operator=(const MonthCalendar&) = delete;

    // `at` is in the form's client area, 96-DPI pixels.
    void Create(HWND parent, const ui::Bounds& at);
    MonthCalendarModel& Model() { return model_; }
    HWND Hwnd() const { return frame_.Hwnd(); }

    // The cells, for whoever reads the widget from outside (tests, screen readers see them anyway).
    HWND DayCell(int index) const { return cells_[(index / 7 + 1) * 8 + index % 7 + 1].Hwnd(); }
    HWND GridCell(int row, int column) const { return cells_[row * 8 + column].Hwnd(); }
    HWND DateLabel() const { return dateLabel_.Hwnd(); }
    HWND Title() const { return title_.Hwnd(); }
    // The hint attached to a button or a day cell; the dialog does not switch tooltips on.
    std::string Hint(HWND control) const;

private:
    void OnFrameResize(int width, int height);
    void LayOut();
    void ShowModel();
    void ShowCell(ui::ColourPanel& cell, const std::string& text, uint32_t background, const CalendarFont& font,
                  bool flat);
    HFONT FontFor(const CalendarFont& font) const;

    MonthCalendarModel model_;
    ui::UniqueFont boldFont_;
    int labelHeight_ = 13;

    ui::ColourPanel frame_;
    ui::ColourPanel titleBar_;
    ui::ColourPanel body_;
    ui::ColourPanel footer_;
    std::array<ui::ColourPanel, 56> cells_;  // 8 columns by 7 rows, row by row
    ui::ToolButton previousYear_, previousMonth_, nextMonth_, nextYear_, todayButton_, clearButton_;
    ui::Label title_;
    ui::Label dateLabel_;
};

}  // namespace tikora
