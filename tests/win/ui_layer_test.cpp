// The UI layer in one small form: notifications reach the control that sent them, a check box
// set by the program reacts only to a real change, anchored controls follow a resize, a tool
// button never takes the focus, and a modal run keeps timers firing.
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/application_win.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/font_win.h"
#include "ui/form_win.h"
#include "ui/modal_win.h"
#include "ui/subclass_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

ui::FormSpec TestFormSpec() {
    ui::FormSpec spec;
    spec.className = "TikoraUiLayerTest";
    spec.caption = "UI layer";
    spec.border = ui::BorderStyle::Sizeable;
    spec.clientWidth = 300;
    spec.clientHeight = 200;
    return spec;
}

class TestForm final : public ui::Form {
public:
    TestForm() : ui::Form(TestFormSpec()) {}
    ~TestForm() override { Destroy(); }

    ui::Panel panel;
    ui::CheckBox box;
    ui::Edit edit;
    ui::ListView list;
    ui::ToolButton tool;
    ui::PushButton push;
    int boxClicks = 0;
    int toolClicks = 0;
    int pushClicks = 0;
    int selections = 0;
    int resizes = 0;

protected:
    void OnCreate() override {
        panel.Create(Hwnd(), {.at = {10, 10, 200, 100}, .outer = ui::Panel::Bevel::Lowered,
                              .common = {.anchors = ui::kAnchorAll}});
        box.Create(panel.Hwnd(), {.at = {20, 20, 100, 17}, .text = " Box "});
        edit.Create(panel.Hwnd(), {.at = {20, 50, 100, 21}});
        list.Create(Hwnd(), {.at = {10, 120, 200, 60}, .columns = {{.title = "Name", .width = 100}}});
        tool.Create(Hwnd(), {.at = {220, 10, 60, 25}, .text = "Tool"});
        push.Create(Hwnd(), {.at = {220, 160, 60, 25}, .text = "Push",
                             .common = {.anchors = ui::kAnchorRight | ui::kAnchorBottom}});
        box.onClick = [this] { ++boxClicks; };
        tool.onClick = [this] { ++toolClicks; };
        push.onClick = [this] { ++pushClicks; };
        list.onSelectionChanged = [this] { ++selections; };
    }
    void OnResize(int, int) override { ++resizes; }
};

RECT RectInClient(HWND control, HWND form) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class UiLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        form.CreateForm();
        form.Show();
        ASSERT_TRUE(WaitFor([&] { return form.Visible(); }));
    }
    TestForm form;
};

TEST_F(UiLayerTest, CommandsAndNotificationsReachTheSendingControl) {
    SendMessageA(form.box.Hwnd(), BM_CLICK, 0, 0);  // inside the panel: the panel routes it
    SendMessageA(form.push.Hwnd(), BM_CLICK, 0, 0);
    form.list.AddRow({"one"});
    form.list.SetSelectedIndex(0);  // LVN_ITEMCHANGED, a WM_NOTIFY
    EXPECT_EQ(form.boxClicks, 1);
    EXPECT_TRUE(form.box.Checked());
    EXPECT_EQ(form.pushClicks, 1);
    EXPECT_EQ(form.selections, 1);
    EXPECT_EQ(form.toolClicks, 0);
}

TEST_F(UiLayerTest, ACheckBoxSetByTheProgramReactsOnlyToARealChange) {
    const struct {
        bool set;
        int clicks;
    } steps[] = {{false, 0}, {true, 1}, {true, 1}, {false, 2}, {false, 2}};
    for (const auto& step : steps) {
        form.box.SetChecked(step.set);
        EXPECT_EQ(form.box.Checked(), step.set);
        EXPECT_EQ(form.boxClicks, step.clicks) << "after setting " << step.set;
    }
}

TEST_F(UiLayerTest, AnchoredControlsFollowTheFormsSize) {
    const RECT panelBefore = RectInClient(form.panel.Hwnd(), form.Hwnd());
    const RECT pushBefore = RectInClient(form.push.Hwnd(), form.Hwnd());
    const RECT toolBefore = RectInClient(form.tool.Hwnd(), form.Hwnd());
    RECT client{};
    GetClientRect(form.Hwnd(), &client);
    ui::SetClientSize(form.Hwnd(), client.right + 50, client.bottom + 30);

    const RECT panelAfter = RectInClient(form.panel.Hwnd(), form.Hwnd());
    const RECT pushAfter = RectInClient(form.push.Hwnd(), form.Hwnd());
    const RECT toolAfter = RectInClient(form.tool.Hwnd(), form.Hwnd());
    EXPECT_EQ(panelAfter.left, panelBefore.left);
    EXPECT_EQ(panelAfter.right, panelBefore.right + 50);   // stretched
    EXPECT_EQ(panelAfter.bottom, panelBefore.bottom + 30);
    EXPECT_EQ(pushAfter.left, pushBefore.left + 50);       // moved
    EXPECT_EQ(pushAfter.top, pushBefore.top + 30);
    EXPECT_EQ(pushAfter.right - pushAfter.left, pushBefore.right - pushBefore.left);
    EXPECT_EQ(toolAfter.left, toolBefore.left);            // top-left: stays
    EXPECT_GE(form.resizes, 1);
}

TEST_F(UiLayerTest, AToolButtonNeverTakesTheFocus) {
    SetForegroundWindow(form.Hwnd());
    form.SetFocusControl(form.box.Hwnd());
    ASSERT_TRUE(WaitFor([&] { return GetFocus() == form.box.Hwnd(); }));
    EXPECT_FALSE(GetWindowLongPtrA(form.tool.Hwnd(), GWL_STYLE) & WS_TABSTOP);

    SendMessageA(form.tool.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(form.tool.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.toolClicks, 1);
    EXPECT_EQ(GetFocus(), form.box.Hwnd());

    // Released outside: no click.
    SendMessageA(form.tool.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(form.tool.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
    EXPECT_EQ(form.toolClicks, 1);

    // Tab walks past it, Enter and Esc do not press it.
    for (WPARAM key : {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE}) {
        MSG msg{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        ui::Application::Instance().TranslateDialogKeys(msg);
        EXPECT_NE(GetFocus(), form.tool.Hwnd());
    }
    EXPECT_EQ(form.toolClicks, 1);
}

TEST(ModalRun, TimersKeepFiringAndTheOtherWindowsWaitUntilTheRunEnds) {
    EnsureApplication();
    TestForm other;
    other.CreateForm();
    other.Show();
    TestForm dialog;
    dialog.CreateForm();

    static ui::ModalRun* run = nullptr;
    static int ticks = 0;
    static bool otherDisabled = false;
    static HWND otherHwnd = nullptr;
    ui::ModalRun modal;
    run = &modal;
    ticks = 0;
    otherHwnd = other.Hwnd();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        otherDisabled = !IsWindowEnabled(otherHwnd);
        if (++ticks == 3) run->End(7);
    });
    const int result = modal.Run(dialog.Hwnd());
    KillTimer(nullptr, timer);

    EXPECT_EQ(result, 7);
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other.Hwnd()));
    EXPECT_FALSE(dialog.Visible());
}

TEST(Subclass, StackedProceduresComeOffInAnyOrder) {
    EnsureApplication();
    TestForm form;
    form.CreateForm();
    std::string seen;
    auto stacked = [&](ui::Subclass& self, char mark) {
        return [&self, &seen, mark](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_USER + 7) seen += mark;
            return self.Previous(hwnd, message, wParam, lParam);
        };
    };
    auto first = std::make_unique<ui::Subclass>();
    auto second = std::make_unique<ui::Subclass>();
    first->Install(form.Hwnd(), stacked(*first, 'a'));
    second->Install(form.Hwnd(), stacked(*second, 'b'));
    SendMessageA(form.Hwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, "ba");
    first.reset();  // under the second: stays as a pass-through
    SendMessageA(form.Hwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, "bab");
    second.reset();
    SendMessageA(form.Hwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, "bab");
}

}  // namespace

TEST_F(UiLayerTest, APanelDrawsItsCaptionInTheFontItWasGiven) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(form.panel.Hwnd(), WM_GETFONT, 0, 0)), ui::DialogFont());
    ui::UniqueFont arial = ui::MakeFont("Arial", 13, FW_BOLD);
    SendMessageA(form.panel.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(arial.get()), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(form.panel.Hwnd(), WM_GETFONT, 0, 0)), arial.get());
    SendMessageA(form.panel.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ui::DialogFont()), FALSE);
}
