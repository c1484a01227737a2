#pragma once
// The pocket calculator behind the calculator dialog: display text, entry states, the pending
// operator executed strictly left to right, one memory, copy and paste. The dialog only forwards
// typed characters and button clicks and reads the display text and memory mark back.
#include <functional>
#include <optional>
#include <string>

namespace tikora {

// What the calculator needs of the system. The dialog implements it with MessageBeep and the
// clipboard; tests record.
class CalcHost {
public:
    virtual ~CalcHost() = default;
    virtual void Beep() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The clipboard's text, or nothing when it holds no text.
    virtual std::optional<std::string> ClipboardText() = 0;
};

enum class EntryState { Ready, Typing, Error };

// The dialog's buttons. The first 22 are in key order: the enumerator's value is the position of
// the button's key in kCalcKeys.
enum class CalcButton {
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Sign, Decimal, Divide, Multiply, Subtract, Add, SquareRoot, Percent, Reciprocal, Equals,
    Backspace, Clear,
    MemoryClear, MemoryRecall, MemoryStore, MemoryPlus, Ok, Cancel,
};

inline constexpr int kCalcButtonCount = 28;
inline constexpr int kCalcKeyedButtonCount = 22;

// Characters with a meaning of their own in the key processing.
inline constexpr char kCalcCopyKey = 3;        // Ctrl+C
inline constexpr char kCalcBackspaceKey = 8;
inline constexpr char kCalcEnterKey = 13;
inline constexpr char kCalcPasteKey = 22;      // Ctrl+V
inline constexpr char kCalcEscapeKey = 27;

// The keys of the first 22 buttons, in button order: digits, sign, decimal, the four
// operators, square root, percent, reciprocal, equals, backspace, clear.
inline constexpr char kCalcKeys[] = "0123456789_./*-+Q%R=\bC";

// What a click asks of the dialog.
enum class CalcCloseRequest { None, Ok, Cancel };

inline constexpr const char* kCalcErrorText = "Error";
inline constexpr const char* kCalcMemoryMark = "M";

class CalcEngine {
public:
    // The handler may change the character or cancel it by setting it to 0.
    using KeyHandler = std::function<void(char& key)>;
    using Notify = std::function<void()>;

    explicit CalcEngine(CalcHost* host = nullptr);

    // Digits the display may hold while typing and significant digits of shown results:
    // max(2, precision).
    void SetPrecision(int precision);
    int DigitLimit() const { return digitLimit_; }
    void SetBeepOnError(bool beep) { beepOnError_ = beep; }
    void SetMemory(double memory) { memory_ = memory; }
    double Memory() const { return memory_; }
    void SetOnCalcKey(KeyHandler handler) { onCalcKey_ = std::move(handler); }
    void SetOnDisplayChange(Notify handler) { onDisplayChange_ = std::move(handler); }

    const std::string& DisplayText() const { return displayText_; }
    // "M" while the memory is not 0, empty otherwise.
    std::string MemoryMark() const;
    EntryState State() const { return state_; }
    // 0 for none, otherwise one of "+-*/%=".
    char PendingOperator() const { return pendingOperator_; }
    double FirstOperand() const { return firstOperand_; }
    // 0 in the error state; otherwise the display text read as a number.
    double DisplayValue() const;

    // A run that takes over a previous result: the value shown, ready, pending "=".
    void TakeOver(double value);

    // Writes a number in the display format; only a changed text counts as a display change.
    // A number beyond the range of a double enters the error state.
    void ShowNumber(double value);

    // A typed character after the keyboard mapping: the button it belongs to, if any. The
    // dialog draws that button pressed, clicks it and draws it released; characters without a
    // button go to ProcessKey as typed.
    static std::optional<CalcButton> ButtonForKey(char typed);
    // The whole keyboard path without the pressed look.
    void TypeKey(char typed);

    CalcCloseRequest ClickButton(CalcButton button);

    // One character of the key processing.
    void ProcessKey(char key);

    // The context menu: copy and paste act also in the error state.
    void Copy();
    void Paste();

private:
    char DecimalSeparator() const;
    void StartEntry();
    void EnterError();
    void Beep();
    void ApplyOperator(char key);
    void TypeDigit(char digit);
    void Backspace();
    void Clear();

    CalcHost* host_;
    std::string displayText_ = "0";
    EntryState state_ = EntryState::Ready;
    char pendingOperator_ = 0;
    double firstOperand_ = 0.0;
    double memory_ = 0.0;
    int digitLimit_ = 15;
    bool beepOnError_ = true;
    KeyHandler onCalcKey_;
    Notify onDisplayChange_;
};

}  // namespace tikora
