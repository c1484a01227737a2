// The calendar dialog's configuration of its month calendar.
#include "calendar/calendar_dialog_config.h"

#include "core/image.h"

namespace tikora {

CalendarConfig CalendarDialogConfig() {
    using O = CalendarOption;
    CalendarConfig config;
    config.options = {O::coFlatButtons,       O::coMonthButtonVisible, O::coShowDateLabel,     O::coShowFooter,
                      O::coShowNextMonth,     O::coShowPreviousMonth,  O::coShowHeader,        O::coShowWeekDays,
                      O::coShowWeeks,         O::coTransparentButtons, O::coTodayButtonVisible, O::csUseWeekEndColor,
                      O::csUseWeekEndFont,    O::coYearButtonVisible};
    config.firstDayOfWeek = FirstDayOfWeek::fdMonday;
    config.dateFormat = "dd.mm.yyyy";
    config.headerFormat = HeaderFormat::hfMMMMYYYY;
    config.messages = CalendarMessages{
        .weekCaption = "CW",
        .dayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
        .monthNames = {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                       "October", "November", "December"},
        .nextMonthHint = "Go to next month",
        .previousMonthHint = "Go to previous month",
        .nextYearHint = "Go to next year",
        .previousYearHint = "Go to previous year",
        .todayButtonHint = "Set date to today",
        .todayHint = "This date is today",
        .clearHint = "Clear date selection",
    };
    const CalendarFont windowText{kWindowTextColour, false};
    const CalendarFont white{Rgb(255, 255, 255), false};
    config.appearance = CalendarAppearance{
        .dayColor = Rgb(192, 220, 192),
        .weekEndColor = Rgb(255, 0, 0),
        .todayColor = Rgb(255, 255, 0),
        .selectedColor = Rgb(0, 0, 128),
        .indirectColor = kButtonFaceColour,
        .dayNameColor = Rgb(0, 128, 255),
        .weekColor = Rgb(0, 128, 255),
        .headerColor = kButtonFaceColour,
        .footerColor = kButtonFaceColour,
        .dayFont = windowText,
        .weekEndFont = {Rgb(0, 0, 0), false},
        .todayFont = windowText,
        .selectedFont = white,
        .indirectFont = windowText,
        .weekDaysFont = white,
        .weeksFont = white,
        .titleFont = {kWindowTextColour, true},
        .dateLabelFont = {kWindowTextColour, true},
    };
    return config;
}

}  // namespace tikora
