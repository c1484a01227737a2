// The calendar dialog: its form, the widget's place in it, and the move to today on every show.
#include "calendar/calendar_dialog_win.h"

#include "calendar/calendar_dialog_config.h"

namespace tikora {

namespace {

ui::FormSpec CalendarFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Dialog, 260, 242);
}

}  // namespace

CalendarDialog::CalendarDialog(ui::FormName name, TimeSource& time)
    : ui::Form(CalendarFormSpec(name)), time_(time), calendar_(time, CalendarDialogConfig()) {}

CalendarDialog::~CalendarDialog() { Destroy(); }

void CalendarDialog::OnCreate() { calendar_.Create(Hwnd(), {5, 6, 250, 230}); }

void CalendarDialog::OnShow() {
    // Through the setters, one after the other: each keeps the day within its month.
    const DateTime now = time_.Now();
    MonthCalendarModel& model = calendar_.Model();
    model.SetYear(now.year);
    model.SetMonth(now.month);
    model.SetDay(now.day);
}

void CalendarDialog::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) Hide();
}

}  // namespace tikora
