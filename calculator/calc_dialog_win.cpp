// The calculator dialog: its buttons, display and memory mark, keys and clipboard, run modally.
#include "calculator/calc_dialog_win.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "calculator/calc_glyphs.h"
#include "core/datetime.h"
#include "ui/bitmap_win.h"
#include "ui/control_win.h"
#include "ui/dpi_win.h"
#include "ui/font_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"
#include "ui/modal_win.h"
#include "ui/subclass_win.h"

namespace tikora {

namespace {

constexpr const char* kDialogClass = "TCalculatorForm";
constexpr int kClientWidth = 242;
constexpr int kClientHeight = 159;
// The calculator panel sits at the bottom of the bevelled client panel, inside its 1-pixel bevel;
// button positions are given relative to it.
constexpr int kPanelX = 1;
constexpr int kPanelY = kClientHeight - 1 - 129;

constexpr int kButtonIdBase = 100;
constexpr int kDisplayId = 200;
constexpr int kMemoryMarkId = 201;
constexpr UINT kMenuCopy = 1;
constexpr UINT kMenuPaste = 2;
constexpr DWORD kKeyPressMs = 20;

enum class Ink { ButtonText, Maroon, Navy, Purple };

struct ButtonLayout {
    CalcButton button;
    const char* face;  // the text, or a picture button's name for screen readers; nullptr: the decimal separator
    int glyph;         // CalcGlyph position, -1 for a text face
    int x;
    int y;
    int width;
    Ink ink;
};

constexpr int kNoGlyph = -1;
constexpr int Glyph(CalcGlyph g) { return static_cast<int>(g); }

const std::array<ButtonLayout, kCalcButtonCount> kButtons = {{
    {CalcButton::Ok, "OK", Glyph(CalcGlyph::Ok), 47, 6, 36, Ink::ButtonText},
    {CalcButton::Cancel, "Cancel", Glyph(CalcGlyph::Cancel), 85, 6, 36, Ink::ButtonText},
    {CalcButton::Backspace, "<-", kNoGlyph, 145, 6, 44, Ink::Maroon},
    {CalcButton::Clear, "C", kNoGlyph, 191, 6, 44, Ink::Maroon},
    {CalcButton::MemoryClear, "MC", kNoGlyph, 5, 32, 36, Ink::Navy},
    {CalcButton::MemoryRecall, "MR", kNoGlyph, 5, 56, 36, Ink::Navy},
    {CalcButton::MemoryStore, "MS", kNoGlyph, 5, 80, 36, Ink::Navy},
    {CalcButton::MemoryPlus, "MP", kNoGlyph, 5, 104, 36, Ink::Navy},
    {CalcButton::Digit7, "7", kNoGlyph, 47, 32, 36, Ink::ButtonText},
    {CalcButton::Digit8, "8", kNoGlyph, 85, 32, 36, Ink::ButtonText},
    {CalcButton::Digit9, "9", kNoGlyph, 123, 32, 36, Ink::ButtonText},
    {CalcButton::Digit4, "4", kNoGlyph, 47, 56, 36, Ink::ButtonText},
    {CalcButton::Digit5, "5", kNoGlyph, 85, 56, 36, Ink::ButtonText},
    {CalcButton::Digit6, "6", kNoGlyph, 123, 56, 36, Ink::ButtonText},
    {CalcButton::Digit1, "1", kNoGlyph, 47, 80, 36, Ink::ButtonText},
    {CalcButton::Digit2, "2", kNoGlyph, 85, 80, 36, Ink::ButtonText},
    {CalcButton::Digit3, "3", kNoGlyph, 123, 80, 36, Ink::ButtonText},
    {CalcButton::Digit0, "0", kNoGlyph, 47, 104, 36, Ink::ButtonText},
    {CalcButton::Sign, "+/-", Glyph(CalcGlyph::PlusMinus), 85, 104, 36, Ink::ButtonText},
    {CalcButton::Decimal, nullptr, kNoGlyph, 123, 104, 36, Ink::ButtonText},
    {CalcButton::Divide, "/", kNoGlyph, 161, 32, 36, Ink::Purple},
    {CalcButton::Multiply, "*", Glyph(CalcGlyph::Multiply), 161, 56, 36, Ink::Purple},
    {CalcButton::Subtract, "-", Glyph(CalcGlyph::Minus), 161, 80, 36, Ink::Purple},
    {CalcButton::Add, "+", Glyph(CalcGlyph::Plus), 161, 104, 36, Ink::Purple},
    {CalcButton::SquareRoot, "sqrt", kNoGlyph, 199, 32, 36, Ink::Navy},
    {CalcButton::Percent, "%", kNoGlyph, 199, 56, 36, Ink::Navy},
    {CalcButton::Reciprocal, "1/x", kNoGlyph, 199, 80, 36, Ink::Navy},
    {CalcButton::Equals, "=", kNoGlyph, 199, 104, 36, Ink::Purple},
}};
constexpr int kButtonHeight = 22;

COLORREF InkColour(Ink ink) {
    switch (ink) {
        case Ink::Maroon: return RGB(128, 0, 0);
        case Ink::Navy: return RGB(0, 0, 128);
        case Ink::Purple: return RGB(128, 0, 128);
        case Ink::ButtonText: break;
    }
    return GetSysColor(COLOR_BTNTEXT);
}

class CalcDialog final : public ui::Form, public CalcHost {
public:
    explicit CalcDialog(const Calculator& calculator)
        : ui::Form(SpecFor(calculator)),
          font_(ui::MakeDialogFont(ui::FontBase::SystemMessage, FW_BOLD)),
          markFont_(ui::MakeDialogFont(ui::FontBase::SystemMessage, FW_NORMAL)),
          glyphs_(ui::MakeBitmap(MakeCalcGlyphStrip())) {}

    ~CalcDialog() override { Destroy(); }

    static CalcDialog* Running() { return running_; }

    bool ShowModal(CalcEngine& engine) {
        engine_ = &engine;
        CreateForm();
        Refresh();
        running_ = this;

        // Keys typed on a button belong to the dialog: the buttons are not keyboard controls.
        modal_.Run(Hwnd(), [this](MSG& msg) {
            if (IsKeyMessage(msg.message) && msg.hwnd && IsChild(Hwnd(), msg.hwnd)) msg.hwnd = Hwnd();
        });

        running_ = nullptr;
        Destroy();
        engine_ = nullptr;
        return ok_;
    }

    void Beep() override { MessageBeep(0); }

    void SetClipboardText(const std::string& text) override {
        if (!OpenClipboard(Hwnd())) return;
        EmptyClipboard();
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
            if (void* target = GlobalLock(memory)) {
                std::memcpy(target, text.c_str(), text.size() + 1);
                GlobalUnlock(memory);
                if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
            } else {
                GlobalFree(memory);
            }
        }
        CloseClipboard();
    }

    std::optional<std::string> ClipboardText() override {
        if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(Hwnd())) return std::nullopt;
        std::optional<std::string> text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
                text = std::string(chars, strnlen(chars, GlobalSize(data)));
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

protected:
    void OnCreate() override {
        const std::string separator(1, GetFormatSettings().decimalSeparator);
        for (int i = 0; i < kCalcButtonCount; ++i) {
            const ButtonLayout& b = kButtons[i];
            buttons_[i] = ui::CreateChild(Hwnd(), {.className = "BUTTON",
                                                   .text = b.face ? b.face : separator.c_str(),
                                                   .style = BS_OWNERDRAW,
                                                   .at = {kPanelX + b.x, kPanelY + b.y, b.width, kButtonHeight},
                                                   .id = kButtonIdBase + i,
                                                   .font = font_.get()});
            hover_[i].Install(buttons_[i], [this, i](HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
                Hover(i, button, message);
                return hover_[i].Previous(button, message, wParam, lParam);
            });
        }
        display_ = ui::CreateChild(Hwnd(), {.text = "0",
                                            .style = SS_RIGHT | SS_NOPREFIX,
                                            .at = {13, 10, 217, 15},
                                            .id = kDisplayId,
                                            .font = font_.get()});
        memoryMark_ = ui::CreateChild(Hwnd(), {.style = SS_CENTER | SS_NOPREFIX,
                                               .at = {kPanelX + 6 + 3, kPanelY + 7 + 3, 26, 14},
                                               .id = kMemoryMarkId,
                                               .font = markFont_.get()});
    }

    void OnClose() override { Finish(false); }

    void OnCommand(int id, int code, HWND control) override {
        (void)control;
        const int index = id - kButtonIdBase;
        if (index < 0 || index >= kCalcButtonCount) return;
        // Owner-drawn buttons report a quick second click as a double click.
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED) Click(kButtons[index].button);
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CHAR:
                TypeChar(static_cast<char>(wParam));
                return 0;
            case WM_KEYDOWN:
                if (wParam == VK_INSERT && ShortcutInsert()) return 0;
                break;
            case WM_DRAWITEM:
                DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            case WM_CTLCOLORSTATIC: {
                HDC dc = reinterpret_cast<HDC>(wParam);
                const bool display = reinterpret_cast<HWND>(lParam) == display_;
                const int background = display ? COLOR_WINDOW : COLOR_BTNFACE;
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(background));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
            }
            case WM_PAINT: {
                ui::PaintDc paint(Hwnd());
                PaintPanels(paint.get());
                return 0;
            }
            case WM_CONTEXTMENU:
                if (ContextMenu(lParam)) return 0;
                break;
        }
        return ui::Form::OnMessage(message, wParam, lParam);
    }

private:
    static ui::FormSpec SpecFor(const Calculator& calculator) {
        ui::FormSpec spec;
        spec.className = kDialogClass;
        spec.caption = calculator.Title().c_str();
        spec.border = ui::BorderStyle::Dialog;
        spec.clientWidth = kClientWidth;
        spec.clientHeight = kClientHeight;
        // The dialog sees every typed character itself: no dialog navigation keys.
        spec.dialogKeys = false;
        if (calculator.HelpContext() != 0) spec.extraExStyle = WS_EX_CONTEXTHELP;
        return spec;
    }

    static bool IsKeyMessage(UINT message) {
        return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR || message == WM_DEADCHAR ||
               message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
    }

    void Finish(bool ok) {
        ok_ = ok;
        done_ = true;
        modal_.End(ok ? IDOK : IDCANCEL);
    }

    void Refresh() {
        if (!engine_ || !Hwnd()) return;
        if (engine_->DisplayText() != shownDisplay_) {
            shownDisplay_ = engine_->DisplayText();
            SetWindowTextA(display_, shownDisplay_.c_str());
        }
        if (const std::string mark = engine_->MemoryMark(); mark != shownMark_) {
            shownMark_ = mark;
            SetWindowTextA(memoryMark_, shownMark_.c_str());
        }
    }

    void Click(CalcButton button) {
        if (!engine_ || done_) return;
        const CalcCloseRequest request = engine_->ClickButton(button);
        Refresh();
        if (request != CalcCloseRequest::None) Finish(request == CalcCloseRequest::Ok);
    }

    void TypeChar(char typed) {
        if (!engine_ || done_) return;
        const std::optional<CalcButton> button = CalcEngine::ButtonForKey(typed);
        if (!button) {
            engine_->ProcessKey(typed);
            Refresh();
            return;
        }
        const int index = IndexOf(*button);
        ShowKeyPress(index);
        Sleep(kKeyPressMs);
        Click(*button);
        ShowKeyPress(-1);
    }

    // Ctrl+Ins and Shift+Ins, the shortcuts of the context menu.
    bool ShortcutInsert() {
        if (!engine_ || done_) return false;
        if (GetKeyState(VK_CONTROL) < 0) {
            engine_->Copy();
        } else if (GetKeyState(VK_SHIFT) < 0) {
            engine_->Paste();
            Refresh();
        } else {
            return false;
        }
        return true;
    }

    bool ContextMenu(LPARAM position) {
        if (!engine_ || done_) return false;
        POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        if (at.x == -1 && at.y == -1) {
            // From the keyboard: under the display.
            at = POINT{ui::Scale(6), ui::Scale(29)};
            ClientToScreen(Hwnd(), &at);
        } else {
            POINT client = at;
            ScreenToClient(Hwnd(), &client);
            RECT area;
            GetClientRect(Hwnd(), &area);
            if (!PtInRect(&area, client)) return false;  // the title bar keeps its system menu
        }
        ui::UniqueMenu menu(CreatePopupMenu());
        if (!menu) return true;
        AppendMenuA(menu.get(), MF_STRING, kMenuCopy, "&Copy\tCtrl+Ins");
        AppendMenuA(menu.get(), MF_STRING | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED),
                    kMenuPaste, "&Paste\tShift+Ins");
        const UINT chosen = static_cast<UINT>(
            TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr));
        if (chosen == kMenuCopy) {
            engine_->Copy();
        } else if (chosen == kMenuPaste) {
            engine_->Paste();
            Refresh();
        }
        return true;
    }

    static int IndexOf(CalcButton button) {
        for (int i = 0; i < kCalcButtonCount; ++i) {
            if (kButtons[i].button == button) return i;
        }
        return -1;
    }

    void ShowKeyPress(int index) {
        const int previous = keyPressed_;
        keyPressed_ = index;
        for (int i : {previous, index}) {
            if (i >= 0 && buttons_[i] && IsWindow(buttons_[i])) {
                InvalidateRect(buttons_[i], nullptr, FALSE);
                UpdateWindow(buttons_[i]);
            }
        }
    }

    void SetHot(int index) {
        if (hot_ == index) return;
        const int previous = hot_;
        hot_ = index;
        for (int i : {previous, index}) {
            if (i >= 0) InvalidateRect(buttons_[i], nullptr, FALSE);
        }
    }

    void Hover(int index, HWND button, UINT message) {
        if (message == WM_MOUSEMOVE && hot_ != index) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
            TrackMouseEvent(&track);
            SetHot(index);
        } else if (message == WM_MOUSELEAVE && hot_ == index) {
            SetHot(-1);
        }
    }

    // Flat buttons: the face colour only, raised under the mouse, sunk while pressed.
    void DrawButton(const DRAWITEMSTRUCT& item) {
        const int index = static_cast<int>(item.CtlID) - kButtonIdBase;
        if (index < 0 || index >= kCalcButtonCount) return;
        const ButtonLayout& layout = kButtons[index];
        HDC dc = item.hDC;
        RECT r = item.rcItem;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        const bool pressed = (item.itemState & ODS_SELECTED) != 0 || keyPressed_ == index;
        if (pressed) {
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            OffsetRect(&r, 1, 1);
        } else if (hot_ == index) {
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        }

        if (layout.glyph != kNoGlyph) {
            DrawGlyph(dc, r, layout.glyph);
            return;
        }
        char face[16] = {};
        GetWindowTextA(item.hwndItem, face, sizeof face);
        ui::SelectedObject font(dc, font_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, InkColour(layout.ink));
        DrawTextA(dc, face, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    void DrawGlyph(HDC dc, const RECT& r, int glyph) {
        if (!glyphs_) return;
        ui::UniqueMemoryDc source(CreateCompatibleDC(dc));
        if (!source) return;
        ui::SelectedObject bitmap(source.get(), glyphs_.get());
        const int width = ui::Scale(kCalcGlyphWidth);
        const int height = ui::Scale(kCalcGlyphHeight);
        const int x = r.left + (r.right - r.left - width) / 2;
        const int y = r.top + (r.bottom - r.top - height) / 2;
        const uint32_t key = kCalcGlyphTransparent;
        TransparentBlt(dc, x, y, width, height, source.get(), glyph * kCalcGlyphWidth, 0, kCalcGlyphWidth,
                       kCalcGlyphHeight, RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
    }

    // The bevels of the client panel, the display and the memory mark; the class brush has
    // already filled the background with the button face colour.
    void PaintPanels(HDC dc) {
        RECT client;
        GetClientRect(Hwnd(), &client);
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);

        RECT display = ui::ScaleRect(6, 6, 230, 23);
        FillRect(dc, &display, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &display, BDR_SUNKENOUTER, BF_RECT);
        const RECT inner = ui::ScaleRect(7, 7, 228, 21);
        FrameRect(dc, &inner, GetSysColorBrush(COLOR_WINDOWFRAME));

        RECT mark = ui::ScaleRect(kPanelX + 6, kPanelY + 7, 34, 20);
        DrawEdge(dc, &mark, BDR_SUNKENOUTER, BF_RECT);
    }

    static inline CalcDialog* running_ = nullptr;

    ui::ModalRun modal_;
    ui::UniqueFont font_;
    ui::UniqueFont markFont_;
    ui::UniqueBitmap glyphs_;
    CalcEngine* engine_ = nullptr;
    std::array<HWND, kCalcButtonCount> buttons_{};
    std::array<ui::Subclass, kCalcButtonCount> hover_;
    HWND display_ = nullptr;
    HWND memoryMark_ = nullptr;
    std::string shownDisplay_ = "0";
    std::string shownMark_;
    int keyPressed_ = -1;
    int hot_ = -1;
    bool done_ = false;
    bool ok_ = false;
};

}  // namespace

bool RunCalculator(Calculator& calculator) {
    if (CalcDialog* open = CalcDialog::Running()) {
        open->BringToFront();
        return false;
    }
    CalcDialog dialog(calculator);
    return calculator.Execute(dialog, [&dialog](CalcEngine& engine) { return dialog.ShowModal(engine); });
}

}  // namespace tikora
