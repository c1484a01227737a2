// The cost of one refresh of the calendar's model (fill, colours, week numbers, title, label):
// it runs on every press, every show and every paint of the widget.
//   calendar_refresh_bench [MONTHS]   (default 100,000 month steps)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "calendar/calendar_dialog_config.h"
#include "calendar/month_calendar.h"
#include "support/fakes.h"

using namespace tikora;

int main(int argc, char** argv) {
    const long steps = argc > 1 ? std::atol(argv[1]) : 100000;
    tikora::testing::FakeClock clock;
    MonthCalendarModel model(clock, CalendarDialogConfig());
    model.SetYear(1900);
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < steps; ++i) {
        if (model.Year() == 2100 && model.Month() == 12) model.SetYear(1900);
        model.NextMonth();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("calendar refresh: %ld month steps in %.3f s, %.2f us per refresh\n", steps, seconds,
                seconds * 1e6 / static_cast<double>(steps));
    return 0;
}
