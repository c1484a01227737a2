#pragma once
// The calendar dialog: a month calendar that opens on today's month. Created once at start,
// shown and hidden; it stores nothing.
#include "calendar/month_calendar_win.h"
#include "core/platform.h"
#include "ui/form_win.h"

namespace tikora {

class CalendarDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    CalendarDialog(ui::FormName name, TimeSource& time);
    ~CalendarDialog() override;

    MonthCalendar& Calendar() { return calendar_; }

protected:
    void OnCreate() override;
    void OnShow() override;
    // Esc closes the calendar, as it would any dialog: there is nothing to confirm or undo.
    void OnCommand(int id, int code, HWND control) override;

private:
    TimeSource& time_;
    MonthCalendar calendar_;
};

}  // namespace tikora
