#include "calculator/calc_engine.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "calculator/calc_number.h"
#include "core/datetime.h"

namespace tikora {

namespace {

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsClearKey(char c) { return c == 'C' || c == kCalcEscapeKey; }

bool IsOperatorKey(char c) {
    return c == kCalcEnterKey || c == '%' || c == '*' || c == '+' || c == '-' || c == '/' || c == '=';
}

bool IsArithmeticOperator(char c) { return c == '*' || c == '+' || c == '-' || c == '/'; }

bool Contains(const std::string& text, char c) { return text.find(c) != std::string::npos; }

}  // namespace

CalcEngine::CalcEngine(CalcHost* host) : host_(host) {}

void CalcEngine::SetPrecision(int precision) { digitLimit_ = std::max(2, precision); }

std::string CalcEngine::MemoryMark() const { return memory_ != 0.0 ? kCalcMemoryMark : ""; }

char CalcEngine::DecimalSeparator() const { return GetFormatSettings().decimalSeparator; }

double CalcEngine::DisplayValue() const {
    if (state_ == EntryState::Error) return 0.0;
    // Every text the display can reach is a number; 0 only guards against the unforeseen.
    return ParseCalcNumber(displayText_, DecimalSeparator()).value_or(0.0);
}

void CalcEngine::TakeOver(double value) {
    ShowNumber(value);
    if (state_ == EntryState::Error) return;
    state_ = EntryState::Ready;
    pendingOperator_ = '=';
}

void CalcEngine::ShowNumber(double value) {
    if (!std::isfinite(value)) {
        EnterError();
        return;
    }
    std::string text = FormatCalcNumber(value, digitLimit_, DecimalSeparator());
    // Rounding to the shown digits can carry the largest doubles past the range
    // (1.79769313486232E308): such a text would have no value.
    if (!ParseCalcNumber(text, DecimalSeparator())) {
        EnterError();
        return;
    }
    if (text == displayText_) return;
    displayText_ = std::move(text);
    if (onDisplayChange_) onDisplayChange_();
}

std::optional<CalcButton> CalcEngine::ButtonForKey(char typed) {
    char key = typed;
    if (key == '.' || key == ',' || key == GetFormatSettings().decimalSeparator) {
        key = '.';
    } else if (key == kCalcEnterKey) {
        key = '=';
    } else if (key == kCalcEscapeKey) {
        key = 'C';
    }
    key = Upper(key);
    if (key == 0) return std::nullopt;
    const std::string_view keys(kCalcKeys, kCalcKeyedButtonCount);
    const size_t index = keys.find(key);
    if (index == std::string_view::npos) return std::nullopt;
    return static_cast<CalcButton>(index);
}

void CalcEngine::TypeKey(char typed) {
    if (const auto button = ButtonForKey(typed)) {
        ClickButton(*button);
    } else {
        ProcessKey(typed);
    }
}

CalcCloseRequest CalcEngine::ClickButton(CalcButton button) {
    const int index = static_cast<int>(button);
    if (button == CalcButton::Decimal) {
        ProcessKey(DecimalSeparator());
        return CalcCloseRequest::None;
    }
    if (index < kCalcKeyedButtonCount) {
        ProcessKey(kCalcKeys[index]);
        return CalcCloseRequest::None;
    }
    switch (button) {
        case CalcButton::MemoryPlus:
            if (state_ == EntryState::Error) break;
            state_ = EntryState::Ready;
            if (const double sum = memory_ + DisplayValue(); std::isfinite(sum)) {
                memory_ = sum;
            } else {
                // The memory keeps its last good value.
                EnterError();
            }
            break;
        case CalcButton::MemoryStore:
            if (state_ == EntryState::Error) break;
            state_ = EntryState::Ready;
            memory_ = DisplayValue();
            break;
        case CalcButton::MemoryRecall:
            if (state_ == EntryState::Error) break;
            state_ = EntryState::Ready;
            StartEntry();
            ShowNumber(memory_);
            break;
        case CalcButton::MemoryClear:
            memory_ = 0.0;
            break;
        case CalcButton::Ok:
            if (state_ == EntryState::Error) {
                Beep();
                break;
            }
            // Normalises what was typed, a trailing separator for instance.
            ShowNumber(DisplayValue());
            return CalcCloseRequest::Ok;
        case CalcButton::Cancel:
            return CalcCloseRequest::Cancel;
        default:
            break;
    }
    return CalcCloseRequest::None;
}

void CalcEngine::ProcessKey(char key) {
    char c = Upper(key);
    if (state_ == EntryState::Error && !IsClearKey(c)) return;
    if (onCalcKey_) onCalcKey_(c);
    // The handler may have turned the key into one the error state does not accept.
    if (c == 0 || (state_ == EntryState::Error && !IsClearKey(c))) return;

    const char separator = DecimalSeparator();
    if (c == '.' || c == ',' || c == separator) {
        StartEntry();
        // A separator after an exponent would leave a text that is no number.
        if (!Contains(displayText_, separator) && !Contains(displayText_, 'E')) displayText_ += separator;
        return;
    }
    if (IsOperatorKey(c)) {
        ApplyOperator(c);
        return;
    }
    if (c >= '0' && c <= '9') {
        TypeDigit(c);
        return;
    }
    switch (c) {
        case kCalcCopyKey:
            Copy();
            break;
        case kCalcBackspaceKey:
            Backspace();
            break;
        case kCalcPasteKey:
            Paste();
            break;
        case kCalcEscapeKey:
        case 'C':
            Clear();
            break;
        case 'Q': {
            state_ = EntryState::Ready;
            const double x = DisplayValue();
            if (x >= 0.0) {
                ShowNumber(std::sqrt(x));
            } else {
                EnterError();
            }
            break;
        }
        case 'R': {
            state_ = EntryState::Ready;
            const double x = DisplayValue();
            if (x != 0.0) {
                ShowNumber(1.0 / x);
            } else {
                EnterError();
            }
            break;
        }
        case '_':
            ShowNumber(-DisplayValue());
            break;
        default:
            break;
    }
}

void CalcEngine::ApplyOperator(char key) {
    const char op = key == kCalcEnterKey ? '=' : key;
    if (state_ == EntryState::Typing) {
        state_ = EntryState::Ready;
        double x = DisplayValue();
        if (op == '%') {
            if (pendingOperator_ == '*' || pendingOperator_ == '/') {
                x = x / 100.0;
            } else if (pendingOperator_ == '+' || pendingOperator_ == '-') {
                x = firstOperand_ * x / 100.0;
            }
        }
        switch (pendingOperator_) {
            case '*':
                ShowNumber(firstOperand_ * x);
                break;
            case '+':
                ShowNumber(firstOperand_ + x);
                break;
            case '-':
                ShowNumber(firstOperand_ - x);
                break;
            case '/':
                if (x != 0.0) {
                    ShowNumber(firstOperand_ / x);
                } else {
                    EnterError();
                }
                break;
            default:
                break;
        }
    }
    pendingOperator_ = op;
    firstOperand_ = DisplayValue();
}

void CalcEngine::TypeDigit(char digit) {
    StartEntry();
    // Only a lone "0" gives way to the digit: "-0", left by backspace from "-0.5", becomes "-07".
    if (displayText_ == "0") displayText_.clear();
    if (Contains(displayText_, 'E')) return;
    const size_t limit = static_cast<size_t>(digitLimit_) + (Contains(displayText_, '-') ? 1 : 0);
    if (displayText_.size() < limit) {
        displayText_ += digit;
    } else {
        Beep();
    }
}

void CalcEngine::Backspace() {
    StartEntry();
    const size_t size = displayText_.size();
    if (size == 1 || (size == 2 && displayText_.front() == '-')) {
        displayText_ = "0";
        return;
    }
    displayText_.pop_back();
    // Never leave a bare exponent: "1E-5" goes back to "1", not to "1E-".
    if (Contains(displayText_, 'E')) {
        if (displayText_.back() == '-') displayText_.pop_back();
        if (displayText_.back() == 'E') displayText_.pop_back();
    }
}

void CalcEngine::Clear() {
    state_ = EntryState::Ready;
    ShowNumber(0.0);
    pendingOperator_ = '=';
}

void CalcEngine::StartEntry() {
    if (state_ != EntryState::Ready) return;
    state_ = EntryState::Typing;
    displayText_ = "0";
}

void CalcEngine::EnterError() {
    state_ = EntryState::Error;
    displayText_ = kCalcErrorText;
    Beep();
}

void CalcEngine::Beep() {
    if (beepOnError_ && host_ != nullptr) host_->Beep();
}

void CalcEngine::Copy() {
    if (host_ != nullptr) host_->SetClipboardText(displayText_);
}

void CalcEngine::Paste() {
    if (host_ == nullptr) return;
    const std::optional<std::string> clip = host_->ClipboardText();
    if (!clip) return;
    std::string text = *clip;
    const std::string& currency = GetFormatSettings().currencyString;
    if (!currency.empty()) {
        for (size_t at = text.find(currency); at != std::string::npos; at = text.find(currency, at)) {
            text.erase(at, currency.size());
        }
    }
    const std::optional<double> value = ParseCalcNumber(text, DecimalSeparator());
    // What is pasted right after an operator is its second operand, as if it had been typed;
    // left ready, "=" would skip the pending operation ("2 + paste 3 =" would show 3).
    const bool secondOperand = state_ == EntryState::Ready && IsArithmeticOperator(pendingOperator_);
    // A pasted number outside the range of a double counts as no number.
    if (value) {
        ShowNumber(*value);
    } else {
        displayText_ = "0";
    }
    if (secondOperand && state_ == EntryState::Ready) state_ = EntryState::Typing;
}

}  // namespace tikora
