#pragma once
// How the calendar dialog configures its month calendar: options, first day, formats, texts,
// colours and fonts.
#include "calendar/month_calendar.h"

namespace tikora {

CalendarConfig CalendarDialogConfig();

}  // namespace tikora
