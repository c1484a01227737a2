// The month calendar widget: creating its child controls, laying them out on every resize, and
// showing each refresh of the model in them.
#include "calendar/month_calendar_win.h"

#include <utility>

#include "ui/dpi_win.h"
#include "ui/font_win.h"

namespace tikora {

namespace {

using O = CalendarOption;

COLORREF Resolve(uint32_t colour) {
    if (colour & kSystemColour) return GetSysColor(static_cast<int>(colour & 0xFF));
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

void Place(HWND control, const CalendarBox& box) {
    if (box.Shown()) SetWindowPos(control, nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control, box.Shown() ? SW_SHOWNA : SW_HIDE);
}

void SetTextIfChanged(ui::Control& control, const std::string& text) {
    if (control.Text() != text) control.SetText(text);
}

}  // namespace

MonthCalendar::MonthCalendar(TimeSource& time, CalendarConfig config)
    : model_(time, std::move(config)), boldFont_(ui::MakeDialogFont(ui::FontBase::Designer, FW_BOLD)) {}

HFONT MonthCalendar::FontFor(const CalendarFont& font) const { return font.bold ? boldFont_.get() : ui::DialogFont(); }

void MonthCalendar::Create(HWND parent, const ui::Bounds& at) {
    const CalendarConfig& config = model_.Config();
    const CalendarAppearance& look = config.appearance;
    frame_.Create(parent, {.at = at, .bevel = ui::Panel::Bevel::Lowered, .border = 1});
    HWND frame = frame_.Hwnd();
    // Children are placed by LayOut in their parent's pixels; they are made empty first.
    titleBar_.Create(frame, {.background = Resolve(look.headerColor), .textColour = Resolve(look.titleFont.colour)});
    body_.Create(frame, {});
    footer_.Create(frame,
                   {.background = Resolve(look.footerColor), .textColour = Resolve(look.dateLabelFont.colour)});
    for (ui::ColourPanel& cell : cells_) cell.Create(body_.Hwnd(), {});
    for (int i = 0; i < 42; ++i) cells_[(i / 7 + 1) * 8 + i % 7 + 1].onLeftPress = [this, i] { model_.PressDay(i); };

    title_.Create(titleBar_.Hwnd(), {.align = SS_CENTER | SS_CENTERIMAGE, .noPrefix = true,
                                     .common = {.font = FontFor(look.titleFont)}});
    dateLabel_.Create(footer_.Hwnd(), {.noPrefix = true, .common = {.font = FontFor(look.dateLabelFont)}});
    struct ButtonRow {
        ui::ToolButton& button;
        HWND parent;
        const char* text;
        void (MonthCalendarModel::*press)();
    };
    const ButtonRow buttons[] = {
        {previousYear_, titleBar_.Hwnd(), "<<", &MonthCalendarModel::PreviousYear},
        {previousMonth_, titleBar_.Hwnd(), "<", &MonthCalendarModel::PreviousMonth},
        {nextMonth_, titleBar_.Hwnd(), ">", &MonthCalendarModel::NextMonth},
        {nextYear_, titleBar_.Hwnd(), ">>", &MonthCalendarModel::NextYear},
        {todayButton_, footer_.Hwnd(), "T", &MonthCalendarModel::GoToToday},
        {clearButton_, footer_.Hwnd(), "C", &MonthCalendarModel::ClearSelection},
    };
    for (const ButtonRow& row : buttons) {
        row.button.Create(row.parent, {.text = row.text});
        row.button.onClick = [this, press = row.press] { (model_.*press)(); };
        if (config.options.Has(O::coFlatButtons)) {
            HWND hwnd = row.button.Hwnd();
            SetWindowLongPtrA(hwnd, GWL_STYLE, GetWindowLongPtrA(hwnd, GWL_STYLE) | BS_FLAT);
        }
    }

    HDC screen = GetDC(nullptr);
    {
        ui::SelectedObject selected(screen, FontFor(look.dateLabelFont));
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(screen, &metrics)) labelHeight_ = metrics.tmHeight;
    }
    ReleaseDC(nullptr, screen);

    frame_.onResize = [this](int width, int height) { OnFrameResize(width, height); };
    model_.onRefresh = [this] { ShowModel(); };
    // Drawn again after midnight, today's yellow moves on to the new day.
    frame_.onPaint = [this] { model_.Refresh(); };
    if (config.options.Has(O::csSetTodayOnStartup)) model_.GoToToday();
    LayOut();
    model_.Refresh();
}

void MonthCalendar::OnFrameResize(int width, int height) {
    RECT box{};
    GetWindowRect(frame_.Hwnd(), &box);
    const int limited = LimitCalendarWidth(box.right - box.left, ui::SystemDpi());
    if (limited != box.right - box.left) {
        // The resize that follows lays out again.
        SetWindowPos(frame_.Hwnd(), nullptr, 0, 0, limited, box.bottom - box.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    (void)width;
    (void)height;
    LayOut();
    model_.Refresh();
}

void MonthCalendar::LayOut() {
    RECT client{};
    GetClientRect(frame_.Hwnd(), &client);
    const CalendarLayout layout =
        LayOutCalendar(client.right, client.bottom, model_.Config().options, ui::SystemDpi(), labelHeight_);
    Place(titleBar_.Hwnd(), layout.titleBar);
    Place(body_.Hwnd(), layout.body);
    Place(footer_.Hwnd(), layout.footer);
    Place(previousYear_.Hwnd(), layout.previousYear);
    Place(previousMonth_.Hwnd(), layout.previousMonth);
    Place(nextMonth_.Hwnd(), layout.nextMonth);
    Place(nextYear_.Hwnd(), layout.nextYear);
    Place(title_.Hwnd(), layout.title);
    Place(dateLabel_.Hwnd(), layout.dateLabel);
    Place(todayButton_.Hwnd(), layout.todayButton);
    Place(clearButton_.Hwnd(), layout.clearButton);
    for (size_t i = 0; i < cells_.size(); ++i) Place(cells_[i].Hwnd(), layout.cells[i]);
}

void MonthCalendar::ShowCell(ui::ColourPanel& cell, const std::string& text, uint32_t background,
                             const CalendarFont& font, bool flat) {
    cell.SetBevel(flat ? ui::Panel::Bevel::None : ui::Panel::Bevel::Raised);
    cell.SetFont(FontFor(font));
    cell.SetColours(Resolve(background), Resolve(font.colour));
    SetTextIfChanged(cell, text);
}

void MonthCalendar::ShowModel() {
    const CalendarConfig& config = model_.Config();
    const CalendarAppearance& look = config.appearance;
    const bool flatHeaders = config.options.Has(O::coFlatHeaders);
    ShowCell(cells_[0], config.messages.weekCaption, look.dayNameColor, look.weekDaysFont, flatHeaders);
    for (int column = 1; column < 8; ++column)
        ShowCell(cells_[column], model_.ColumnNames()[column - 1], look.dayNameColor, look.weekDaysFont, flatHeaders);
    for (int row = 1; row < 7; ++row)
        ShowCell(cells_[row * 8], std::to_string(model_.WeekNumbers()[row - 1]), look.weekColor, look.weeksFont,
                 flatHeaders);
    const bool flatDays = config.options.Has(O::csFlatDays);
    for (int i = 0; i < 42; ++i) {
        const CalendarCell& cell = model_.Cells()[i];
        ShowCell(cells_[(i / 7 + 1) * 8 + i % 7 + 1], cell.text, cell.background, cell.font, flatDays);
    }
    SetTextIfChanged(title_, model_.Title());
    SetTextIfChanged(dateLabel_, model_.DateLabel());
}

std::string MonthCalendar::Hint(HWND control) const {
    const CalendarMessages& messages = model_.Config().messages;
    const std::pair<const ui::ToolButton*, const std::string*> buttons[] = {
        {&previousYear_, &messages.previousYearHint}, {&previousMonth_, &messages.previousMonthHint},
        {&nextMonth_, &messages.nextMonthHint},       {&nextYear_, &messages.nextYearHint},
        {&todayButton_, &messages.todayButtonHint},   {&clearButton_, &messages.clearHint},
    };
    for (const auto& [button, hint] : buttons)
        if (button->Hwnd() == control) return *hint;
    for (int i = 0; i < 42; ++i)
        if (DayCell(i) == control) return model_.Cells()[i].hint;
    return {};
}

}  // namespace tikora
