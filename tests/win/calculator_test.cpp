// The calculator dialog in-process: a scripted user types and clicks into the modal run from a
// timer, reads the display and the memory mark back from the controls and closes the dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calc_dialog_win.h"
#include "core/system_win.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr const char* kDialogClass = "TCalculatorForm";
// The calculator panel (240 x 129) sits at the bottom of the client area, inside the 1-pixel bevel
// of the client panel; button positions are given inside it.
constexpr int kPanelLeft = 1;
constexpr int kPanelTop = 159 - 1 - 129;
constexpr int kButtonHeight = 22;

enum class Ink { Text, Maroon, Navy, Purple };

struct ButtonPlace {
    const char* token;  // how the scripts below name it
    int x;
    int y;
    int width;
    const char* face;  // nullptr: the system's decimal separator
    Ink ink;
};

const ButtonPlace kButtonPlaces[] = {
    {"OK", 47, 6, 36, "", Ink::Text},
    {"Cancel", 85, 6, 36, "", Ink::Text},
    {"<-", 145, 6, 44, "<-", Ink::Maroon},
    {"C", 191, 6, 44, "C", Ink::Maroon},
    {"MC", 5, 32, 36, "MC", Ink::Navy},
    {"MR", 5, 56, 36, "MR", Ink::Navy},
    {"MS", 5, 80, 36, "MS", Ink::Navy},
    {"MP", 5, 104, 36, "MP", Ink::Navy},
    {"7", 47, 32, 36, "7", Ink::Text},
    {"8", 85, 32, 36, "8", Ink::Text},
    {"9", 123, 32, 36, "9", Ink::Text},
    {"4", 47, 56, 36, "4", Ink::Text},
    {"5", 85, 56, 36, "5", Ink::Text},
    {"6", 123, 56, 36, "6", Ink::Text},
    {"1", 47, 80, 36, "1", Ink::Text},
    {"2", 85, 80, 36, "2", Ink::Text},
    {"3", 123, 80, 36, "3", Ink::Text},
    {"0", 47, 104, 36, "0", Ink::Text},
    {"+/-", 85, 104, 36, "", Ink::Text},
    {".", 123, 104, 36, nullptr, Ink::Text},
    {"/", 161, 32, 36, "/", Ink::Purple},
    {"*", 161, 56, 36, "", Ink::Purple},
    {"-", 161, 80, 36, "", Ink::Purple},
    {"+", 161, 104, 36, "", Ink::Purple},
    {"sqrt", 199, 32, 36, "sqrt", Ink::Navy},
    {"%", 199, 56, 36, "%", Ink::Navy},
    {"1/x", 199, 80, 36, "1/x", Ink::Navy},
    {"=", 199, 104, 36, "=", Ink::Purple},
};

const ButtonPlace* FindPlace(const std::string& token) {
    for (const ButtonPlace& place : kButtonPlaces) {
        if (token == place.token) return &place;
    }
    return nullptr;
}

std::string SystemLocaleText(LCTYPE item) {
    char buffer[32] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return buffer;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FindDialog() {
    HWND dialog = FindWindowA(kDialogClass, nullptr);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND dialog, const char* className) {
    struct Search {
        const char* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (lstrcmpiA(ClassOf(child).c_str(), s->className) == 0) s->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A child's rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The two labels: the display above the calculator panel, the memory mark on it.
HWND Label(HWND dialog, bool display) {
    for (HWND label : ChildrenOfClass(dialog, "Static")) {
        const bool above = RectInDialog(dialog, label).top < ui::Scale(kPanelTop);
        if (above == display) return label;
    }
    return nullptr;
}
std::string DisplayText(HWND dialog) { return WindowText(Label(dialog, true)); }
std::string MemoryMark(HWND dialog) { return WindowText(Label(dialog, false)); }

HWND ButtonAt(HWND dialog, const ButtonPlace& place) {
    POINT centre{ui::Scale(kPanelLeft + place.x + place.width / 2), ui::Scale(kPanelTop + place.y + kButtonHeight / 2)};
    HWND child = ChildWindowFromPointEx(dialog, centre, CWP_SKIPINVISIBLE);
    return child != dialog ? child : nullptr;
}

// Keys go where the keyboard would send them: to the window with the focus.
HWND KeyTarget(HWND dialog) {
    HWND focus = GetFocus();
    return focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
}

void PostKey(HWND target, UINT message, UINT vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | (static_cast<LPARAM>(scan) << 16);
    if (message == WM_KEYUP) lParam |= static_cast<LPARAM>(0xC0000000u);
    PostMessageA(target, message, vk, lParam);
}

LONG FontWeight(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    if (!font || !GetObjectA(font, sizeof logFont, &logFont)) return 0;
    return logFont.lfWeight;
}

// The ink a button is drawn in. Text and pictures are smoothed, so apart from the face colour a
// button's pixels are blends of the face colour and the ink: the ink is the candidate for which
// every channel of the pixels gives the same blend ratio.
std::optional<Ink> InkOf(HWND button) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::pair<Ink, COLORREF> candidates[] = {{Ink::Text, GetSysColor(COLOR_BTNTEXT)},
                                                   {Ink::Maroon, RGB(128, 0, 0)},
                                                   {Ink::Navy, RGB(0, 0, 128)},
                                                   {Ink::Purple, RGB(128, 0, 128)}};
    auto channel = [](COLORREF c, int i) { return static_cast<double>((c >> (8 * i)) & 0xFF); };
    double misfit[std::size(candidates)] = {};
    int inked = 0;
    RECT r;
    GetClientRect(button, &r);
    HDC dc = GetDC(button);
    // The edges of a hot or pressed button are left out.
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == face) continue;
            ++inked;
            for (size_t k = 0; k < std::size(candidates); ++k) {
                double low = 2;
                double high = -1;
                for (int i = 0; i < 3; ++i) {
                    const double f = channel(face, i);
                    const double ink = channel(candidates[k].second, i);
                    const double v = channel(pixel, i);
                    if (std::abs(f - ink) < 40) {
                        misfit[k] += std::abs(v - f) / 255;
                    } else {
                        low = std::min(low, (f - v) / (f - ink));
                        high = std::max(high, (f - v) / (f - ink));
                    }
                }
                misfit[k] += high - low;
            }
        }
    }
    ReleaseDC(button, dc);
    if (inked < 4) return std::nullopt;
    size_t best = 0;
    for (size_t k = 1; k < std::size(candidates); ++k) {
        if (misfit[k] < misfit[best]) best = k;
    }
    return candidates[best].first;
}

// One action of the scripted user, run from a timer inside the modal loop. It returns false to be
// run again at the next tick (it waits for something), true when it is done. Timer messages only
// come when no posted message is pending, so the keys a step posts are handled before the next.
using Step = std::function<bool(HWND dialog)>;

class ScriptedUser {
public:
    // Runs the calculator while the steps play. If they have not closed the dialog within the
    // timeout, the dialog is closed from here, so no test can hang in the modal loop.
    bool Run(Calculator& calculator, std::vector<Step> steps, std::chrono::milliseconds timeout = 10s) {
        steps_ = std::move(steps);
        next_ = 0;
        timedOut_ = false;
        deadline_ = SteadyClock::now() + timeout;
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 15, &ScriptedUser::Tick);
        const bool ok = RunCalculator(calculator);
        KillTimer(nullptr, timer);
        current_ = nullptr;
        PumpMessages();
        return ok;
    }

    bool AllStepsRan() const { return next_ == steps_.size(); }
    bool TimedOut() const { return timedOut_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->OnTick();
    }

    void OnTick() {
        HWND dialog = FindDialog();
        if (SteadyClock::now() > deadline_) {
            timedOut_ = true;
            ForceClose(dialog);
            return;
        }
        if (!dialog || next_ >= steps_.size()) return;
        if (steps_[next_](dialog)) ++next_;
    }

    // The close box first; a dialog that ignores it is destroyed, which also ends its run.
    void ForceClose(HWND dialog) {
        EndMenu();
        std::vector<HWND> windows;
        if (dialog) {
            windows.push_back(dialog);
        } else {
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND w, LPARAM list) -> BOOL {
                    if (IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&windows));
        }
        const bool late = SteadyClock::now() > deadline_ + 2s;
        for (HWND w : windows) {
            if (late) {
                DestroyWindow(w);
            } else {
                PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }
    }

    static inline ScriptedUser* current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool timedOut_ = false;
    SteadyClock::time_point deadline_;
};

Step Do(std::function<void(HWND)> action) {
    return [action](HWND dialog) {
        action(dialog);
        return true;
    };
}

Step TypeChars(const std::string& chars) {
    return Do([chars](HWND dialog) {
        HWND target = KeyTarget(dialog);
        for (char c : chars) PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
    });
}

// A key press with the modifier keys held. Posted keys leave the keyboard state alone, so the
// modifiers are set around it and released at the next tick, once the key has been handled.
Step PressKey(UINT vk, std::vector<UINT> modifiers = {}) {
    auto pressed = std::make_shared<bool>(false);
    return [vk, modifiers, pressed](HWND dialog) {
        BYTE state[256];
        GetKeyboardState(state);
        for (UINT m : modifiers) state[m] = *pressed ? 0 : 0x80;
        SetKeyboardState(state);
        if (*pressed) return true;
        HWND target = KeyTarget(dialog);
        PostKey(target, WM_KEYDOWN, vk);
        PostKey(target, WM_KEYUP, vk);
        *pressed = true;
        return false;
    };
}

Step ClickButton(const ButtonPlace& place) {
    return Do([&place](HWND dialog) {
        if (HWND button = ButtonAt(dialog, place)) SendMessageA(button, BM_CLICK, 0, 0);
    });
}

Step CloseBox() {
    return Do([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

// The dialog's context menu, opened by a right click on the display. `choose` is typed into the
// menu (a mnemonic chooses an entry, Esc closes it); the entries as they were are kept in `seen`.
struct MenuEntry {
    std::string text;
    bool enabled;
};

std::vector<Step> UseContextMenu(char choose, std::shared_ptr<std::vector<MenuEntry>> seen) {
    return {
        Do([](HWND dialog) {
            PostMessageA(dialog, WM_RBUTTONUP, 0, MAKELPARAM(ui::Scale(20), ui::Scale(12)));
        }),
        [choose, seen](HWND) {
            HWND menuWindow = FindWindowA("#32768", nullptr);
            if (!menuWindow || !IsWindowVisible(menuWindow)) return false;
            auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
                char text[64] = {};
                GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                seen->push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0});
            }
            if (choose == VK_ESCAPE) {
                PostKey(menuWindow, WM_KEYDOWN, VK_ESCAPE);
            } else {
                PostMessageA(menuWindow, WM_CHAR, static_cast<unsigned char>(choose), 1);
            }
            return true;
        },
        // Back in the dialog's own loop once the menu has gone.
        [](HWND) {
            HWND menuWindow = FindWindowA("#32768", nullptr);
            return !menuWindow || !IsWindowVisible(menuWindow);
        },
    };
}

// Scripts: characters are typed (WM_CHAR to the focused window); "{Enter}", "{Esc}", "{Back}",
// "{CtrlIns}" and "{ShiftIns}" are key presses; "{Close}" is the close box; any other "{...}"
// clicks the button of that name ("{MS}", "{OK}", "{Cancel}").
std::vector<Step> Script(const std::string& script) {
    std::vector<Step> steps;
    std::string chars;
    auto flush = [&] {
        if (!chars.empty()) steps.push_back(TypeChars(chars));
        chars.clear();
    };
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '{') {
            chars += script[i];
            continue;
        }
        flush();
        const size_t close = script.find('}', i);
        const std::string token = script.substr(i + 1, close - i - 1);
        i = close;
        if (token == "Enter") {
            steps.push_back(PressKey(VK_RETURN));
        } else if (token == "Esc") {
            steps.push_back(PressKey(VK_ESCAPE));
        } else if (token == "Back") {
            steps.push_back(PressKey(VK_BACK));
        } else if (token == "CtrlIns") {
            steps.push_back(PressKey(VK_INSERT, {VK_CONTROL, VK_LCONTROL}));
        } else if (token == "ShiftIns") {
            steps.push_back(PressKey(VK_INSERT, {VK_SHIFT, VK_LSHIFT}));
        } else if (token == "Close") {
            steps.push_back(CloseBox());
        } else if (const ButtonPlace* place = FindPlace(token)) {
            steps.push_back(ClickButton(*place));
        } else {
            ADD_FAILURE() << "unknown script token " << token;
        }
    }
    flush();
    return steps;
}

std::vector<Step> operator+(std::vector<Step> first, const std::vector<Step>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// What a scripted run saw: the display and the mark when the dialog came up and right before the
// closing action, and how the run ended.
struct Outcome {
    bool returned = false;
    bool allStepsRan = false;
    bool timedOut = false;
    bool focusInDialog = false;
    std::string startDisplay;
    std::string startMark;
    std::string endDisplay;
    std::string endMark;
};

Outcome RunScript(Calculator& calculator, const std::string& keys, const std::string& closing,
                  std::vector<Step> middle = {}) {
    auto outcome = std::make_shared<Outcome>();
    std::vector<Step> steps = {
        Do([outcome](HWND dialog) {
            outcome->startDisplay = DisplayText(dialog);
            outcome->startMark = MemoryMark(dialog);
            HWND focus = GetFocus();
            outcome->focusInDialog = focus == dialog || IsChild(dialog, focus);
        }),
    };
    steps = steps + Script(keys) + middle;
    steps.push_back(Do([outcome](HWND dialog) {
        outcome->endDisplay = DisplayText(dialog);
        outcome->endMark = MemoryMark(dialog);
    }));
    steps = steps + Script(closing);
    ScriptedUser user;
    outcome->returned = user.Run(calculator, std::move(steps));
    outcome->allStepsRan = user.AllStepsRan();
    outcome->timedOut = user.TimedOut();
    return *outcome;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(ui::Application::Instance().Handle())) return "(clipboard busy)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Puts text on the clipboard; nothing empties it.
void SetClipboard(const std::optional<std::string>& text) {
    if (!OpenClipboard(ui::Application::Instance().Handle())) return;
    EmptyClipboard();
    if (text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text->size() + 1);
        memcpy(GlobalLock(memory), text->c_str(), text->size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
    }
    CloseClipboard();
}

class CalculatorDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        TakeErrorBoxes();
        // As at program start: the number texts follow the system's settings.
        LoadLocaleFormatSettings();
        separator = SystemLocaleText(LOCALE_SDECIMAL);
    }
    void TearDown() override { EXPECT_TRUE(TakeErrorBoxes().empty()); }

    // Every run must have played its whole script and been closed by it.
    static void ExpectCleanRun(const Outcome& outcome, const std::string& what) {
        EXPECT_TRUE(outcome.allStepsRan) << what << ": the dialog closed before the script ended";
        EXPECT_FALSE(outcome.timedOut) << what << ": the script did not close the dialog";
    }

    std::string separator;
};

TEST_F(CalculatorDialogTest, LayoutFacesAndPlacement) {
    struct Seen {
        std::string caption;
        RECT client{};
        RECT window{};
        LONG exStyle = 0;
        std::vector<std::pair<RECT, std::string>> buttons;
        RECT display{};
        RECT mark{};
        LONG displayStyle = 0;
        LONG markStyle = 0;
        LONG displayWeight = 0;
        LONG markWeight = 0;
    };
    auto seen = std::make_shared<Seen>();
    Calculator calculator;
    ScriptedUser user;
    const bool ok = user.Run(calculator, {Do([seen](HWND dialog) {
                                              seen->caption = WindowText(dialog);
                                              GetClientRect(dialog, &seen->client);
                                              GetWindowRect(dialog, &seen->window);
                                              seen->exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
                                              for (HWND b : ChildrenOfClass(dialog, "Button")) {
                                                  seen->buttons.emplace_back(RectInDialog(dialog, b), WindowText(b));
                                              }
                                              HWND display = Label(dialog, true);
                                              HWND mark = Label(dialog, false);
                                              seen->display = RectInDialog(dialog, display);
                                              seen->mark = RectInDialog(dialog, mark);
                                              seen->displayStyle = GetWindowLongA(display, GWL_STYLE);
                                              seen->markStyle = GetWindowLongA(mark, GWL_STYLE);
                                              seen->displayWeight = FontWeight(display);
                                              seen->markWeight = FontWeight(mark);
                                          }),
                                          CloseBox()});
    EXPECT_FALSE(ok);
    ASSERT_TRUE(user.AllStepsRan());
    EXPECT_FALSE(user.TimedOut()) << "the close box did not close the dialog";

    EXPECT_EQ(seen->caption, "Calculator");
    EXPECT_EQ(seen->exStyle & WS_EX_CONTEXTHELP, 0);
    EXPECT_EQ(seen->client.right, ui::Scale(242));
    EXPECT_EQ(seen->client.bottom, ui::Scale(159));
    const int width = seen->window.right - seen->window.left;
    const int height = seen->window.bottom - seen->window.top;
    EXPECT_NEAR(seen->window.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2, 1);
    EXPECT_NEAR(seen->window.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 1);

    ASSERT_EQ(seen->buttons.size(), std::size(kButtonPlaces));
    for (const ButtonPlace& place : kButtonPlaces) {
        const RECT expected = ui::ScaleRect(kPanelLeft + place.x, kPanelTop + place.y, place.width, kButtonHeight);
        const std::string face = place.face ? place.face : separator;
        bool found = false;
        for (const auto& [rect, text] : seen->buttons) {
            if (EqualRect(&rect, &expected)) {
                found = true;
                EXPECT_EQ(text, face) << place.token;
            }
        }
        EXPECT_TRUE(found) << place.token << " is not at " << place.x << "," << place.y;
    }

    // The display label inside the display panel, the mark inside its small panel.
    const RECT displayPanel = ui::ScaleRect(6, 6, 230, 23);
    const RECT markPanel = ui::ScaleRect(kPanelLeft + 6, kPanelTop + 7, 34, 20);
    RECT inside;
    EXPECT_TRUE(IntersectRect(&inside, &seen->display, &displayPanel) && EqualRect(&inside, &seen->display));
    EXPECT_TRUE(IntersectRect(&inside, &seen->mark, &markPanel) && EqualRect(&inside, &seen->mark));
    EXPECT_EQ(seen->display.right - seen->display.left, ui::Scale(217));
    EXPECT_EQ(seen->mark.right - seen->mark.left, ui::Scale(26));
    EXPECT_EQ(seen->displayStyle & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(seen->markStyle & SS_TYPEMASK, SS_CENTER);
    EXPECT_GE(seen->displayWeight, FW_BOLD);
    EXPECT_LT(seen->markWeight, FW_BOLD);
}

TEST_F(CalculatorDialogTest, ButtonsAreDrawnInTheirInk) {
    // Away from the buttons: a hot button draws a raised edge.
    SetCursorPos(0, 0);
    auto inks = std::make_shared<std::vector<std::optional<Ink>>>();
    Calculator calculator;
    ScriptedUser user;
    user.Run(calculator, {Do([inks](HWND dialog) {
                              RedrawWindow(dialog, nullptr, nullptr,
                                           RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                              for (const ButtonPlace& place : kButtonPlaces) {
                                  HWND button = ButtonAt(dialog, place);
                                  inks->push_back(button ? InkOf(button) : std::nullopt);
                              }
                          }),
                          CloseBox()});
    ASSERT_TRUE(user.AllStepsRan());
    EXPECT_FALSE(user.TimedOut()) << "the close box did not close the dialog";
    ASSERT_EQ(inks->size(), std::size(kButtonPlaces));
    for (size_t i = 0; i < inks->size(); ++i) {
        ASSERT_TRUE((*inks)[i].has_value()) << kButtonPlaces[i].token << " shows nothing";
        EXPECT_EQ(static_cast<int>(*(*inks)[i]), static_cast<int>(kButtonPlaces[i].ink)) << kButtonPlaces[i].token;
    }
}

TEST_F(CalculatorDialogTest, TitleAndHelpButtonComeFromTheComponent) {
    Calculator calculator;
    calculator.SetTitle(" Sum ");
    calculator.SetHelpContext(12);
    auto caption = std::make_shared<std::string>();
    auto exStyle = std::make_shared<LONG>(0);
    ScriptedUser user;
    user.Run(calculator, {Do([=](HWND dialog) {
                              *caption = WindowText(dialog);
                              *exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
                          }),
                          CloseBox()});
    ASSERT_TRUE(user.AllStepsRan());
    EXPECT_FALSE(user.TimedOut()) << "the close box did not close the dialog";
    EXPECT_EQ(*caption, " Sum ");
    EXPECT_NE(*exStyle & WS_EX_CONTEXTHELP, 0);
}

TEST_F(CalculatorDialogTest, KeysAndButtonsReachTheDisplay) {
    struct Case {
        std::string keys;
        std::string display;  // "," stands for the system's decimal separator
    };
    const Case cases[] = {
        {"2+3*4{Enter}", "20"},
        {"200+10%", "220"},
        {"1/3=", "0,333333333333333"},
        {"9q4", "4"},
        {"12_3", "-123"},
        {"123{Back}", "12"},
        {"123{Esc}", "0"},
        {"1.5", "1,5"},
        {"1,5", "1,5"},
        {"{7}{+}{8}{=}", "15"},
        {"{9}{sqrt}", "3"},
        {"{4}{1/x}", "0,25"},
        {"{1}{2}{<-}{+/-}", "-1"},
        {"{1}{.}{5}{*}{2}{=}", "3"},
        {"{5}{-}{7}{=}", "-2"},
        {"{5}{0}{/}{1}{0}{%}", "500"},
        {"{7}{C}", "0"},
        {"1/0=", "Error"},
        {"1/0=5q", "Error"},
        {"1/0=c", "0"},
    };
    for (const Case& c : cases) {
        std::string expected = c.display;
        for (char& ch : expected) {
            if (ch == ',') ch = separator.front();
        }
        Calculator calculator;
        const Outcome outcome = RunScript(calculator, c.keys, "{Cancel}");
        ExpectCleanRun(outcome, c.keys);
        EXPECT_FALSE(outcome.returned) << c.keys;
        EXPECT_TRUE(outcome.focusInDialog) << c.keys;
        EXPECT_EQ(outcome.endDisplay, expected) << c.keys;
    }
}

TEST_F(CalculatorDialogTest, OkCarriesTheShownNumberIntoTheNextRun) {
    struct Run {
        std::string keys;
        std::string closing;
        std::string startDisplay;
        std::string endDisplay;
        bool returned;
        double value;
    };
    // The taken-over number counts as a result: a digit replaces it, an operator uses it, and
    // no operator is pending from the previous run.
    const Run runs[] = {
        {"42", "{OK}", "0", "42", true, 42},
        {"+1{Enter}", "{Cancel}", "42", "43", false, 42},
        {"7=", "{OK}", "42", "7", true, 7},
        {"*6", "{Close}", "7", "6", false, 7},
        {"12.", "{OK}", "7", "12.", true, 12},
        {"{Esc}", "{OK}", "12", "0", true, 0},
        {"", "{Cancel}", "0", "0", false, 0},
    };
    Calculator calculator;
    int changes = 0;
    calculator.SetOnChange([&](Calculator&) { ++changes; });
    int expectedChanges = 0;
    double previous = 0;
    for (const Run& run : runs) {
        const Outcome outcome = RunScript(calculator, run.keys, run.closing);
        const std::string what = run.keys + run.closing;
        ExpectCleanRun(outcome, what);
        EXPECT_EQ(outcome.returned, run.returned) << what;
        EXPECT_EQ(outcome.startDisplay, run.startDisplay) << what;
        EXPECT_EQ(outcome.endDisplay, run.endDisplay) << what;
        EXPECT_EQ(calculator.Value(), run.value) << what;
        if (run.value != previous) ++expectedChanges;
        previous = run.value;
        EXPECT_EQ(changes, expectedChanges) << what;
    }
}

TEST_F(CalculatorDialogTest, MemoryOfARunSurvivesOnlyOk) {
    struct Run {
        std::string keys;
        std::string closing;
        std::string startMark;
        std::string endMark;
        std::string endDisplay;
        double memory;  // the component's memory after the run
    };
    const Run runs[] = {
        {"7{MS}", "{Cancel}", "", "M", "7", 0},
        {"7{MS}", "{Close}", "", "M", "7", 0},
        {"7{MS}", "{OK}", "", "M", "7", 7},
        {"{MC}", "{Close}", "M", "", "7", 7},
        {"{MC}", "{Cancel}", "M", "", "7", 7},
        {"{MR}1", "{Cancel}", "M", "M", "71", 7},
        {"3{MP}", "{OK}", "M", "M", "3", 10},
        {"{MR}", "{Cancel}", "M", "M", "10", 10},
        {"{MC}", "{OK}", "M", "", "3", 0},
        {"1/0={MS}", "{Cancel}", "", "", "Error", 0},
    };
    Calculator calculator;
    calculator.SetBeepOnError(false);
    for (const Run& run : runs) {
        const Outcome outcome = RunScript(calculator, run.keys, run.closing);
        const std::string what = run.keys + run.closing;
        ExpectCleanRun(outcome, what);
        EXPECT_EQ(outcome.startMark, run.startMark) << what;
        EXPECT_EQ(outcome.endMark, run.endMark) << what;
        EXPECT_EQ(outcome.endDisplay, run.endDisplay) << what;
        EXPECT_EQ(calculator.Memory(), run.memory) << what;
    }
}

TEST_F(CalculatorDialogTest, DismissingKeepsValue) {
    struct Case {
        std::string keys;
        std::string closing;
        std::string endDisplay;
    };
    // Esc only clears, OK in the error state stays open: the closing action that follows still
    // finds the dialog, and nothing of the run reaches the component.
    const Case cases[] = {
        {"{Esc}{Esc}", "{Close}", "0"},
        {"{Esc}", "{Cancel}", "0"},
        {"5{Enter}{Enter}", "{Close}", "5"},
        {"1/0={OK}{OK}", "{Close}", "Error"},
        {"1/0={OK}", "{Cancel}", "Error"},
    };
    for (const Case& c : cases) {
        Calculator calculator;
        calculator.SetBeepOnError(false);
        calculator.SetValue(42);
        int changes = 0;
        calculator.SetOnChange([&](Calculator&) { ++changes; });
        const Outcome outcome = RunScript(calculator, c.keys, c.closing);
        const std::string what = c.keys + c.closing;
        ExpectCleanRun(outcome, what);
        EXPECT_FALSE(outcome.returned) << what;
        EXPECT_EQ(outcome.startDisplay, "42") << what;
        EXPECT_EQ(outcome.endDisplay, c.endDisplay) << what;
        EXPECT_EQ(calculator.Value(), 42) << what;
        EXPECT_EQ(changes, 0) << what;
    }
}

TEST_F(CalculatorDialogTest, CopyPutsTheDisplayTextOnTheClipboard) {
    const std::pair<std::string, std::string> cases[] = {
        {"123\x03", "123"},
        {"123{CtrlIns}", "123"},
        {"12.\x03", "12,"},
        {"1/0=\x03", "(unchanged)"},  // Ctrl+C is a key, and the error state drops keys
        {"1/0={CtrlIns}", "Error"},   // the menu's shortcut still copies
    };
    for (const auto& [keys, clipboard] : cases) {
        std::string expected = clipboard;
        for (char& ch : expected) {
            if (ch == ',') ch = separator.front();
        }
        SetClipboard("(unchanged)");
        Calculator calculator;
        calculator.SetBeepOnError(false);
        const Outcome outcome = RunScript(calculator, keys, "{Cancel}");
        ExpectCleanRun(outcome, keys);
        EXPECT_EQ(ClipboardText(), expected) << keys;
    }
}

TEST_F(CalculatorDialogTest, PasteReadsTheClipboardWithoutTheCurrencySymbol) {
    const std::string currency = SystemLocaleText(LOCALE_SCURRENCY);
    const std::string number = "7" + separator + "5";
    struct Case {
        std::string keys;
        std::string clipboard;
        std::string display;
    };
    const Case cases[] = {
        {"9\x16", currency + " " + number + " ", number},
        {"9{ShiftIns}", currency + " " + number + " ", number},
        {"9\x16", "abc", "0"},
        {"9\x16" "1", currency + "12", "121"},  // the entry state stays: typing goes on
        // After an operator the entry state is ready, and pasting keeps it: the pasted number
        // is no second operand, so "=" computes nothing.
        {"2+\x16=", "3", "3"},
    };
    for (const Case& c : cases) {
        SetClipboard(c.clipboard);
        Calculator calculator;
        const Outcome outcome = RunScript(calculator, c.keys, "{Cancel}");
        ExpectCleanRun(outcome, c.clipboard);
        EXPECT_EQ(outcome.endDisplay, c.display) << '"' << c.clipboard << '"';
    }
}

TEST_F(CalculatorDialogTest, ContextMenuCopiesAndPastes) {
    struct Case {
        std::optional<std::string> clipboard;
        std::string keys;
        char choose;
        bool pasteEnabled;
        std::string display;
        std::string clipboardAfter;
    };
    const Case cases[] = {
        {std::nullopt, "12", VK_ESCAPE, false, "12", ""},
        {"34", "12", 'p', true, "34", "34"},
        {"34", "12", 'c', true, "12", "12"},
        {"34", "1/0=", 'c', true, "Error", "Error"},
        {"34", "1/0=", 'p', true, "34", "34"},
    };
    for (const Case& c : cases) {
        SetClipboard(c.clipboard);
        Calculator calculator;
        calculator.SetBeepOnError(false);
        auto entries = std::make_shared<std::vector<MenuEntry>>();
        const Outcome outcome = RunScript(calculator, c.keys, "{Cancel}", UseContextMenu(c.choose, entries));
        const std::string what = c.keys + " then " + c.choose;
        ExpectCleanRun(outcome, what);
        ASSERT_EQ(entries->size(), 2u) << what;
        EXPECT_EQ((*entries)[0].text, "&Copy\tCtrl+Ins") << what;
        EXPECT_TRUE((*entries)[0].enabled) << what;
        EXPECT_EQ((*entries)[1].text, "&Paste\tShift+Ins") << what;
        EXPECT_EQ((*entries)[1].enabled, c.pasteEnabled) << what;
        EXPECT_EQ(outcome.endDisplay, c.display) << what;
        EXPECT_EQ(ClipboardText(), c.clipboardAfter) << what;
    }
}

}  // namespace
