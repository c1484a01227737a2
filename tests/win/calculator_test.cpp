// The calculator dialog in-process: a scripted user types and clicks into the modal run from a
// timer, reads the display and the memory mark back from the controls and closes the dialog. How
// the numbers are worked out is the engine's, tested natively; here is what needs the real dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iterator>
#include <map>
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
    {"OK", 47, 6, 36, "OK", Ink::Text},        {"Cancel", 85, 6, 36, "Cancel", Ink::Text},
    {"<-", 145, 6, 44, "<-", Ink::Maroon},     {"C", 191, 6, 44, "C", Ink::Maroon},
    {"MC", 5, 32, 36, "MC", Ink::Navy},        {"MR", 5, 56, 36, "MR", Ink::Navy},
    {"MS", 5, 80, 36, "MS", Ink::Navy},        {"MP", 5, 104, 36, "MP", Ink::Navy},
    {"7", 47, 32, 36, "7", Ink::Text},         {"8", 85, 32, 36, "8", Ink::Text},
    {"9", 123, 32, 36, "9", Ink::Text},        {"4", 47, 56, 36, "4", Ink::Text},
    {"5", 85, 56, 36, "5", Ink::Text},         {"6", 123, 56, 36, "6", Ink::Text},
    {"1", 47, 80, 36, "1", Ink::Text},         {"2", 85, 80, 36, "2", Ink::Text},
    {"3", 123, 80, 36, "3", Ink::Text},        {"0", 47, 104, 36, "0", Ink::Text},
    {"+/-", 85, 104, 36, "+/-", Ink::Text},       {".", 123, 104, 36, nullptr, Ink::Text},
    {"/", 161, 32, 36, "/", Ink::Purple},      {"*", 161, 56, 36, "*", Ink::Purple},
    {"-", 161, 80, 36, "-", Ink::Purple},      {"+", 161, 104, 36, "+", Ink::Purple},
    {"sqrt", 199, 32, 36, "sqrt", Ink::Navy},  {"%", 199, 56, 36, "%", Ink::Navy},
    {"1/x", 199, 80, 36, "1/x", Ink::Navy},    {"=", 199, 104, 36, "=", Ink::Purple},
};

std::string LocaleText(LCTYPE item) {
    char buffer[32] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return buffer;
}

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> ChildrenOfClass(HWND dialog, const char* className) {
    using Search = std::pair<const char*, std::vector<HWND>>;
    Search search{className, {}};
    auto collect = [](HWND child, LPARAM data) -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<Search*>(data);
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, wanted) == 0) found.push_back(child);
        return TRUE;
    };
    EnumChildWindows(dialog, collect, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// A child's rectangle in the dialog's client coordinates.
RECT RectInDialog(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The two labels: the display above the calculator panel, the memory mark on it.
HWND Label(HWND dialog, bool display) {
    for (HWND label : ChildrenOfClass(dialog, "Static")) {
        if ((RectInDialog(dialog, label).top < ui::Scale(kPanelTop)) == display) return label;
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

void PostKey(HWND target, UINT message, UINT vk) {
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16);
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
// button's pixels are blends of the face colour and the ink: the ink is the candidate (in the order
// of Ink) for which every channel of the pixels gives the same blend ratio.
std::optional<Ink> InkOf(HWND button) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF inks[] = {GetSysColor(COLOR_BTNTEXT), RGB(128, 0, 0), RGB(0, 0, 128), RGB(128, 0, 128)};
    auto channel = [](COLORREF c, int i) { return static_cast<double>((c >> (8 * i)) & 0xFF); };
    double misfit[std::size(inks)] = {};
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
            for (size_t k = 0; k < std::size(inks); ++k) {
                double low = 2;
                double high = -1;
                for (int i = 0; i < 3; ++i) {
                    const double f = channel(face, i);
                    const double ink = channel(inks[k], i);
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
    return static_cast<Ink>(std::min_element(std::begin(misfit), std::end(misfit)) - std::begin(misfit));
}

// One action of the scripted user, run from a timer inside the modal loop. It returns false to be
// run again at the next tick (it waits for something), true when it is done. Timer messages only
// come when no posted message is pending, so the keys a step posts are handled before the next.
using Step = std::function<bool(HWND dialog)>;

struct Play {
    std::vector<Step> steps;
    size_t next = 0;
    bool timedOut = false;
    SteadyClock::time_point deadline = SteadyClock::now() + 10s;
};
Play* playing = nullptr;

// If the steps have not closed the dialog in time, it is closed from here, so no test can hang in
// the modal loop: the close box first; a dialog that ignores it is destroyed, which ends its run.
void CALLBACK PlayTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!playing) return;
    HWND dialog = FindWindowA(kDialogClass, nullptr);
    if (SteadyClock::now() > playing->deadline) {
        playing->timedOut = true;
        EndMenu();
        if (!dialog) dialog = GetActiveWindow();
        if (SteadyClock::now() > playing->deadline + 2s) {
            DestroyWindow(dialog);
        } else {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
    } else if (dialog && IsWindowVisible(dialog) && playing->next < playing->steps.size() &&
               playing->steps[playing->next](dialog)) {
        ++playing->next;
    }
}

Step Do(std::function<void(HWND)> action) {
    return [action](HWND dialog) {
        action(dialog);
        return true;
    };
}

// Keys go where the keyboard would send them: to the window with the focus.
HWND KeyTarget(HWND dialog) {
    HWND focus = GetFocus();
    return focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
}

// A key press with a modifier key held. Posted keys leave the keyboard state alone, so the
// modifier is set around it and released at the next tick, once the key has been handled.
Step PressKey(UINT vk, std::vector<UINT> modifiers) {
    return [vk, modifiers, pressed = false](HWND dialog) mutable {
        BYTE state[256];
        GetKeyboardState(state);
        for (UINT m : modifiers) state[m] = pressed ? 0 : 0x80;
        SetKeyboardState(state);
        if (pressed) return true;
        PostKey(KeyTarget(dialog), WM_KEYDOWN, vk);
        PostKey(KeyTarget(dialog), WM_KEYUP, vk);
        pressed = true;
        return false;
    };
}

// The dialog's context menu, opened by a right click on the display. `choose` is typed into the
// menu (a mnemonic chooses an entry, Esc closes it); the entries as they were are kept in `seen`.
struct MenuEntry { std::string text; bool enabled; };

std::vector<Step> UseContextMenu(char choose, std::vector<MenuEntry>& seen) {
    auto shownMenu = [] {
        HWND menuWindow = FindWindowA("#32768", nullptr);
        return menuWindow && IsWindowVisible(menuWindow) ? menuWindow : nullptr;
    };
    return {
        Do([](HWND dialog) {
            PostMessageA(dialog, WM_RBUTTONUP, 0, MAKELPARAM(ui::Scale(20), ui::Scale(12)));
        }),
        [choose, &seen, shownMenu](HWND) {
            HWND menuWindow = shownMenu();
            if (!menuWindow) return false;
            auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
                char text[64] = {};
                GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                seen.push_back({text, (state & (MF_GRAYED | MF_DISABLED)) == 0});
            }
            if (choose == VK_ESCAPE) {
                PostKey(menuWindow, WM_KEYDOWN, VK_ESCAPE);
            } else {
                PostMessageA(menuWindow, WM_CHAR, static_cast<unsigned char>(choose), 1);
            }
            return true;
        },
        [shownMenu](HWND) { return !shownMenu(); },  // back in the dialog's own loop
    };
}

// Scripts: characters are typed (WM_CHAR to the focused window); "{Enter}", "{Esc}", "{Back}",
// "{CtrlIns}" and "{ShiftIns}" are key presses; "{Close}" is the close box; any other "{...}"
// clicks the button of that name ("{MS}", "{OK}", "{Cancel}").
void AppendScript(std::vector<Step>& steps, const std::string& script) {
    static const std::map<std::string, std::pair<UINT, std::vector<UINT>>> kKeys = {
        {"Enter", {VK_RETURN, {}}}, {"Esc", {VK_ESCAPE, {}}}, {"Back", {VK_BACK, {}}},
        {"CtrlIns", {VK_INSERT, {VK_CONTROL, VK_LCONTROL}}}, {"ShiftIns", {VK_INSERT, {VK_SHIFT, VK_LSHIFT}}}};
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '{') {
            const auto c = static_cast<unsigned char>(script[i]);
            steps.push_back(Do([c](HWND dialog) { PostMessageA(KeyTarget(dialog), WM_CHAR, c, 1); }));
            continue;
        }
        const size_t close = script.find('}', i);
        const std::string token = script.substr(i + 1, close - i - 1);
        i = close;
        const auto place = std::find_if(std::begin(kButtonPlaces), std::end(kButtonPlaces),
                                        [&](const ButtonPlace& p) { return token == p.token; });
        if (token == "Close") {
            steps.push_back(Do([](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }));
        } else if (const auto key = kKeys.find(token); key != kKeys.end()) {
            steps.push_back(PressKey(key->second.first, key->second.second));
        } else if (place != std::end(kButtonPlaces)) {
            steps.push_back(Do([place](HWND dialog) { SendMessageA(ButtonAt(dialog, *place), BM_CLICK, 0, 0); }));
        } else {
            ADD_FAILURE() << "unknown script token " << token;
        }
    }
}

// What a scripted run saw: the display and the mark when the dialog came up and right before the
// closing action, and how the run ended. Every run must play its whole script and be closed by it.
struct Outcome {
    bool returned = false;
    bool focusInDialog = false;
    std::string startDisplay, startMark, endDisplay, endMark;
};

Outcome RunScript(Calculator& calculator, const std::string& keys, const std::string& closing,
                  const std::vector<Step>& middle = {}) {
    Outcome outcome;
    std::vector<Step> steps = {Do([&](HWND dialog) {
        outcome.startDisplay = DisplayText(dialog);
        outcome.startMark = MemoryMark(dialog);
        HWND focus = GetFocus();
        outcome.focusInDialog = focus == dialog || IsChild(dialog, focus);
    })};
    AppendScript(steps, keys);
    steps.insert(steps.end(), middle.begin(), middle.end());
    steps.push_back(Do([&](HWND dialog) {
        outcome.endDisplay = DisplayText(dialog);
        outcome.endMark = MemoryMark(dialog);
    }));
    AppendScript(steps, closing);
    Play play{std::move(steps)};
    playing = &play;
    const UINT_PTR timer = SetTimer(nullptr, 0, 15, &PlayTick);
    outcome.returned = RunCalculator(calculator);
    KillTimer(nullptr, timer);
    playing = nullptr;
    PumpMessages();
    EXPECT_EQ(play.next, play.steps.size()) << keys << closing << ": the dialog closed before the script ended";
    EXPECT_FALSE(play.timedOut) << keys << closing << ": the script did not close the dialog";
    return outcome;
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
        separator = LocaleText(LOCALE_SDECIMAL);
    }
    void TearDown() override { EXPECT_TRUE(TakeErrorBoxes().empty()); }

    // "," in an expected text stands for the system's decimal separator.
    std::string Localized(std::string text) const {
        std::replace(text.begin(), text.end(), ',', separator.front());
        return text;
    }

    std::string separator;
};

TEST_F(CalculatorDialogTest, LayoutFacesAndPlacement) {
    Calculator calculator;
    const Outcome outcome = RunScript(calculator, "", "{Close}", {Do([&](HWND dialog) {
        RECT client, window;
        GetClientRect(dialog, &client);
        GetWindowRect(dialog, &window);
        EXPECT_EQ(client.right, ui::Scale(242));
        EXPECT_EQ(client.bottom, ui::Scale(159));
        EXPECT_NEAR(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2, 1);
        EXPECT_NEAR(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2, 1);

        EXPECT_EQ(ChildrenOfClass(dialog, "Button").size(), std::size(kButtonPlaces));
        for (const ButtonPlace& place : kButtonPlaces) {
            HWND button = ButtonAt(dialog, place);
            const RECT expected = ui::ScaleRect(kPanelLeft + place.x, kPanelTop + place.y, place.width, kButtonHeight);
            const RECT rect = RectInDialog(dialog, button);
            EXPECT_TRUE(button && EqualRect(&rect, &expected)) << place.token << " misplaced";
            EXPECT_EQ(WindowText(button), place.face ? place.face : separator) << place.token;
        }

        // The display label inside the display panel, the mark inside its small panel.
        HWND display = Label(dialog, true);
        HWND mark = Label(dialog, false);
        const RECT displayRect = RectInDialog(dialog, display);
        const RECT markRect = RectInDialog(dialog, mark);
        const RECT displayPanel = ui::ScaleRect(6, 6, 230, 23);
        const RECT markPanel = ui::ScaleRect(kPanelLeft + 6, kPanelTop + 7, 34, 20);
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &displayRect, &displayPanel) && EqualRect(&inside, &displayRect));
        EXPECT_TRUE(IntersectRect(&inside, &markRect, &markPanel) && EqualRect(&inside, &markRect));
        EXPECT_EQ(displayRect.right - displayRect.left, ui::Scale(217));
        EXPECT_EQ(markRect.right - markRect.left, ui::Scale(26));
        EXPECT_EQ(GetWindowLongA(display, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
        EXPECT_EQ(GetWindowLongA(mark, GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
        EXPECT_GE(FontWeight(display), FW_BOLD);
        EXPECT_LT(FontWeight(mark), FW_BOLD);
    })});
    EXPECT_FALSE(outcome.returned);
}

TEST_F(CalculatorDialogTest, ButtonsAreDrawnInTheirInk) {
    SetCursorPos(0, 0);  // away from the buttons: a hot button draws a raised edge
    Calculator calculator;
    RunScript(calculator, "", "{Close}", {Do([](HWND dialog) {
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (const ButtonPlace& place : kButtonPlaces) {
            HWND button = ButtonAt(dialog, place);
            const std::optional<Ink> ink = button ? InkOf(button) : std::nullopt;
            EXPECT_TRUE(ink == place.ink) << place.token << " drawn in ink " << (ink ? static_cast<int>(*ink) : -1);
        }
    })});
}

TEST_F(CalculatorDialogTest, CaptionAndHelpButtonFollowTheComponent) {
    struct Case { std::optional<std::string> title; int helpContext; std::string caption; };
    const Case cases[] = {{std::nullopt, 0, "Calculator"}, {" Sum ", 12, " Sum "}};
    for (const Case& c : cases) {
        Calculator calculator;
        if (c.title) calculator.SetTitle(*c.title);
        calculator.SetHelpContext(c.helpContext);
        RunScript(calculator, "", "{Close}", {Do([&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), c.caption);
            EXPECT_EQ((GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0, c.helpContext != 0) << c.caption;
        })});
    }
}

// Typed characters, keys and clicks all reach the engine; Esc only clears and OK in the error state
// stays open, so the closing action still finds the dialog. Nothing of these runs is taken over.
TEST_F(CalculatorDialogTest, KeysAndButtonsReachTheDisplay) {
    struct Case {
        std::string keys;
        std::string display;
        std::string closing = "{Cancel}";
    };
    const Case cases[] = {
        {"2+3*4{Enter}", "20"},
        {"123{Back}", "12"},
        {"123{Esc}", "0"},
        {"{Esc}{Esc}", "0", "{Close}"},
        {"5{Enter}{Enter}", "5", "{Close}"},
        {"1.5", "1,5"},
        {"{7}{+}{8}{=}", "15"},
        {"{3}{6}{sqrt}", "6"},
        {"{4}{1/x}", "0,25"},
        {"{1}{2}{<-}{+/-}", "-1"},
        {"{1}{.}{5}{*}{2}{=}", "3"},
        {"{5}{-}{7}{=}", "-2"},
        {"{5}{0}{/}{1}{0}{%}", "500"},
        {"{7}{C}", "0"},
        {"1/0={OK}{OK}", "Error", "{Close}"},
    };
    for (const Case& c : cases) {
        Calculator calculator;
        calculator.SetBeepOnError(false);
        calculator.SetValue(42);
        int changes = 0;
        calculator.SetOnChange([&](Calculator&) { ++changes; });
        const Outcome outcome = RunScript(calculator, c.keys, c.closing);
        EXPECT_FALSE(outcome.returned) << c.keys;
        EXPECT_TRUE(outcome.focusInDialog) << c.keys;
        EXPECT_EQ(outcome.startDisplay, "42") << c.keys;
        EXPECT_EQ(outcome.endDisplay, Localized(c.display)) << c.keys;
        EXPECT_EQ(calculator.Value(), 42) << c.keys;
        EXPECT_EQ(changes, 0) << c.keys;
    }
}

// One component over several runs: only OK takes the shown number and the memory over; the next
// run starts from them, the taken-over number counting as a result that a digit replaces.
TEST_F(CalculatorDialogTest, OnlyOkCarriesValueAndMemoryOver) {
    struct Run {
        std::string keys, closing, startDisplay, startMark, endDisplay, endMark;
        double value, memory;  // the component's after the run
        int changes;           // OnChange calls so far
    };
    const Run runs[] = {
        {"42{MS}", "{OK}", "0", "", "42", "M", 42, 42, 1},
        {"+1{Enter}{MC}", "{Cancel}", "42", "M", "43", "", 42, 42, 1},
        {"7{MS}", "{Close}", "42", "M", "7", "M", 42, 42, 1},
        {"7=", "{OK}", "42", "M", "7", "M", 7, 42, 2},
        {"{MR}1", "{Cancel}", "7", "M", "421", "M", 7, 42, 2},
        {"3{MP}", "{OK}", "7", "M", "3", "M", 3, 45, 3},
        {"{Esc}{MC}", "{OK}", "3", "M", "0", "", 0, 0, 4},
    };
    Calculator calculator;
    int changes = 0;
    calculator.SetOnChange([&](Calculator&) { ++changes; });
    for (const Run& run : runs) {
        const Outcome outcome = RunScript(calculator, run.keys, run.closing);
        const std::string what = run.keys + run.closing;
        EXPECT_EQ(outcome.returned, run.closing == "{OK}") << what;
        EXPECT_EQ(outcome.startDisplay, run.startDisplay) << what;
        EXPECT_EQ(outcome.startMark, run.startMark) << what;
        EXPECT_EQ(outcome.endDisplay, run.endDisplay) << what;
        EXPECT_EQ(outcome.endMark, run.endMark) << what;
        EXPECT_EQ(calculator.Value(), run.value) << what;
        EXPECT_EQ(calculator.Memory(), run.memory) << what;
        EXPECT_EQ(changes, run.changes) << what;
    }
}

// Ctrl+C, Ctrl+Ins, Ctrl+V, Shift+Ins and the context menu (menu: the character chosen in it) go
// through the real clipboard; pasting drops the system's currency symbol.
TEST_F(CalculatorDialogTest, CopyAndPasteGoThroughTheClipboard) {
    const std::string money = LocaleText(LOCALE_SCURRENCY) + " " + Localized("7,5") + " ";
    struct Case {
        std::optional<std::string> clipboard;
        std::string keys;
        char menu;
        std::string display, clipboardAfter;
    };
    const Case cases[] = {
        {"-", "123\x03", 0, "123", "123"},
        {"-", "123{CtrlIns}", 0, "123", "123"},
        {"-", "1/0={CtrlIns}", 0, "Error", "Error"},  // the shortcut copies even where keys are dropped
        {money, "9\x16", 0, "7,5", money},
        {money, "9{ShiftIns}", 0, "7,5", money},
        {std::nullopt, "12", VK_ESCAPE, "12", ""},
        {"34", "12", 'p', "34", "34"},
        {"34", "12", 'c', "12", "12"},
        {"34", "1/0=", 'p', "34", "34"},
    };
    for (const Case& c : cases) {
        SetClipboard(c.clipboard);
        Calculator calculator;
        calculator.SetBeepOnError(false);
        std::vector<MenuEntry> entries;
        const Outcome outcome =
            RunScript(calculator, c.keys, "{Cancel}", c.menu ? UseContextMenu(c.menu, entries) : std::vector<Step>{});
        const std::string what = c.keys + " menu " + std::to_string(c.menu);
        EXPECT_EQ(outcome.endDisplay, Localized(c.display)) << what;
        EXPECT_EQ(ClipboardText(), c.clipboardAfter) << what;
        if (!c.menu) continue;
        ASSERT_EQ(entries.size(), 2u) << what;
        EXPECT_EQ(entries[0].text, "&Copy\tCtrl+Ins") << what;
        EXPECT_TRUE(entries[0].enabled) << what;
        EXPECT_EQ(entries[1].text, "&Paste\tShift+Ins") << what;
        EXPECT_EQ(entries[1].enabled, c.clipboard.has_value()) << what;
    }
}

}  // namespace
