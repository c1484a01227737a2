// The calendar dialog in-process with a fixed today: its layout, today's cell drawn in the today
// colour, the texts carried by real controls, presses on the buttons and the cells reaching the
// label, and the widget's minimum width. The date rules are the model's, tested natively.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "app/window_catalogue_win.h"
#include "calendar/calendar_dialog_win.h"
#include "support/fakes.h"
#include "ui/dpi_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

std::string Text(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

RECT RectIn(HWND control, HWND in) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class CalendarDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        clock.current = {2026, 12, 9, 12, 0, 0, 0};
        const WindowEntry& entry = CatalogueEntry(WindowId::Calendar);
        dialog = std::make_unique<CalendarDialog>(ui::FormName{entry.className, entry.caption}, clock);
        dialog->CreateForm();
    }
    void TearDown() override { EXPECT_TRUE(TakeErrorBoxes().empty()); }
    void ShowDialog() {
        dialog->Show();
        ASSERT_TRUE(WaitFor([&] { return dialog->Visible(); }));
        UpdateWindow(dialog->Hwnd());
        RedrawWindow(dialog->Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    MonthCalendar& Widget() { return dialog->Calendar(); }
    // A press and release of the left button in the middle of a control, as the system sends them.
    void Press(HWND control) {
        RECT r{};
        GetClientRect(control, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(control, WM_LBUTTONUP, 0, at);
    }
    HWND Button(const char* text) {
        for (HWND bar : {GetParent(Widget().Title()), GetParent(Widget().DateLabel())})
            for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (Text(child) == text) return child;
        ADD_FAILURE() << "no button " << text;
        return nullptr;
    }

    FakeClock clock;
    std::unique_ptr<CalendarDialog> dialog;
};

TEST_F(CalendarDialogTest, LayoutAndTextsAreControls) {
    EXPECT_EQ(Text(dialog->Hwnd()), " Calendar");
    RECT client{};
    GetClientRect(dialog->Hwnd(), &client);
    EXPECT_EQ(client.right, ui::Scale(260));
    EXPECT_EQ(client.bottom, ui::Scale(242));
    EXPECT_FALSE(GetWindowLongPtrA(dialog->Hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    const RECT widget = RectIn(Widget().Hwnd(), dialog->Hwnd());
    EXPECT_EQ(widget.left, ui::Scale(5));
    EXPECT_EQ(widget.top, ui::Scale(6));
    EXPECT_EQ(widget.right - widget.left, ui::Scale(250));
    EXPECT_EQ(widget.bottom - widget.top, ui::Scale(230));

    // Created with the design date, before any show.
    EXPECT_EQ(Text(Widget().Title()), "November, 2005");
    EXPECT_EQ(Text(Widget().DateLabel()), "10.11.2005");
    ShowDialog();
    EXPECT_EQ(Text(Widget().Title()), "December, 2026");
    EXPECT_EQ(Text(Widget().DateLabel()), "09.12.2026");
    struct Cell {
        int row, column;
        const char* text;
    };
    const Cell cells[] = {{0, 0, "CW"}, {0, 1, "Mon"}, {0, 7, "Sun"}, {1, 0, "49"}, {6, 0, "1"},
                          {1, 1, "30"}, {1, 2, "1"},   {6, 7, "10"}};
    for (const Cell& c : cells) EXPECT_EQ(Text(Widget().GridCell(c.row, c.column)), c.text) << c.row << "," << c.column;
    if (ui::SystemDpi() == 96) {
        const RECT corner = RectIn(Widget().GridCell(0, 0), Widget().Hwnd());
        EXPECT_EQ(corner.left, 2 + 1 + 2);
        EXPECT_EQ(corner.right - corner.left, 30);
        EXPECT_EQ(corner.bottom - corner.top, 24);
    }
    EXPECT_FALSE(IsWindowVisible(Button("C")));
    EXPECT_EQ(Widget().Hint(Button(">>")), "Go to next year");
}

TEST_F(CalendarDialogTest, TodaysCellIsYellowAndTheLabelFollowsAPress) {
    ShowDialog();
    const int todayIndex = 9;  // December 2026 starts on a Tuesday: row 0 holds 30 November to 6 December
    HWND today = Widget().DayCell(todayIndex);
    ASSERT_EQ(Text(today), "9");
    EXPECT_EQ(Widget().Hint(today), "This date is today");
    ASSERT_TRUE(WaitFor([&] {
        HDC dc = GetDC(today);
        const COLORREF pixel = GetPixel(dc, 3, 3);
        ReleaseDC(today, dc);
        return pixel == RGB(255, 255, 0);
    }));

    // Past midnight the next paint moves today on.
    clock.current.day = 10;
    RedrawWindow(Widget().Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Widget().Hint(Widget().DayCell(todayIndex + 1)), "This date is today");
    EXPECT_EQ(Widget().Hint(today), "");

    Press(Widget().DayCell(todayIndex + 8));  // 17 December, a Thursday
    EXPECT_EQ(Text(Widget().DateLabel()), "17.12.2026");
    Press(Widget().DayCell(0));  // 30 November: the view moves there
    EXPECT_EQ(Text(Widget().Title()), "November, 2026");
    EXPECT_EQ(Text(Widget().DateLabel()), "30.11.2026");

    Press(Button(">"));
    Press(Button(">>"));
    EXPECT_EQ(Text(Widget().Title()), "December, 2027");
    Press(Button("T"));
    EXPECT_EQ(Text(Widget().Title()), "December, 2026");
    EXPECT_EQ(Text(Widget().DateLabel()), "30.11.2026");  // "T" keeps the selection

    // Hidden and shown again: today's month, the selection kept.
    Press(Button("<<"));
    dialog->Hide();
    ShowDialog();
    EXPECT_EQ(Text(Widget().Title()), "December, 2026");
    EXPECT_EQ(Text(Widget().DateLabel()), "30.11.2026");
}

TEST_F(CalendarDialogTest, ANarrowWidgetBecomes108PixelsWide) {
    SetWindowPos(Widget().Hwnd(), nullptr, 0, 0, ui::Scale(97), ui::Scale(230), SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    GetWindowRect(Widget().Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, ui::Scale(108));
    SetWindowPos(Widget().Hwnd(), nullptr, 0, 0, ui::Scale(98), ui::Scale(230), SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(Widget().Hwnd(), &r);
    EXPECT_EQ(r.right - r.left, ui::Scale(98));
}

}  // namespace
