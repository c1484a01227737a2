#include "calculator/calc_engine.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <map>
#include <string>

#include "calculator/calculator.h"
#include "core/datetime.h"

namespace tikora {
namespace {

struct RecordingHost : CalcHost {
    void Beep() override { ++beeps; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    std::optional<std::string> ClipboardText() override { return clipboard; }

    int beeps = 0;
    std::optional<std::string> clipboard;
};

// Tests change the program-wide separators; every test gets them back as they were.
class CalcTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = GetFormatSettings(); }
    void TearDown() override { GetFormatSettings() = saved_; }

    // Characters are typed as on the keyboard; "{MS}" and the like click the buttons without a
    // key, "{V:text}" pastes text from the context menu.
    void Press(CalcEngine& engine, const std::string& keys) {
        static const std::map<std::string, CalcButton> kButtons = {
            {"MC", CalcButton::MemoryClear}, {"MR", CalcButton::MemoryRecall},
            {"MS", CalcButton::MemoryStore}, {"MP", CalcButton::MemoryPlus},
            {"OK", CalcButton::Ok},          {"Cancel", CalcButton::Cancel},
        };
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != '{') {
                engine.TypeKey(keys[i]);
                continue;
            }
            const size_t close = keys.find('}', i);
            const std::string token = keys.substr(i + 1, close - i - 1);
            if (token.rfind("V:", 0) == 0) {
                host.clipboard = token.substr(2);
                engine.Paste();
            } else {
                lastRequest = engine.ClickButton(kButtons.at(token));
            }
            i = close;
        }
    }

    RecordingHost host;
    CalcCloseRequest lastRequest = CalcCloseRequest::None;

private:
    FormatSettings saved_;
};

TEST_F(CalcTest, KeySequencesShowTheirResult) {
    struct Case { std::string keys; std::string display; int beeps; };
    const std::string nines = "999999999999999";
    const Case cases[] = {
        // Left to right, no precedence; a second operator replaces the first.
        {"2+3*4=", "20", 0}, {"2+=", "2", 0}, {"8/2*3=", "12", 0}, {"2+3+", "5", 0}, {"2+*3=", "6", 0},
        {"5-8=", "-3", 0}, {"0.1+0.2=", "0.3", 0}, {"1/3=", "0.333333333333333", 0}, {"2+3\r", "5", 0},
        // Percent of the first operand, or the operator applied to a hundredth.
        {"200+10%", "220", 0}, {"50*10%", "5", 0}, {"50/10%", "500", 0}, {"100+10%=", "110", 0},
        // A result is replaced by the next digit or operand.
        {"12=3", "3", 0}, {"3=_5", "5", 0}, {"9q4", "4", 0},
        // A number pasted after an operator is the second operand, as if typed; elsewhere a paste
        // leaves the entry state alone (a result stays ready for the next digit).
        {"2+{V:3}=", "5", 0}, {"2*{V:$4}=", "8", 0}, {"2+{V:3}4=", "36", 0}, {"2-{V:abc}=", "2", 0},
        {"12={V:7}3", "3", 0}, {"2+3={V:7}+1=", "8", 0},
        {"1/0=", "Error", 1}, {"0r", "Error", 1}, {"4_q", "Error", 1}, {"1/0=\x1b", "0", 1},
        {"4r", "0.25", 0}, {"123\x1b", "0", 0}, {"7x ", "7", 0}, {"1.{OK}", "1", 0},
        // Typing: digit limit, sign, separator, backspace.
        {"123456789012345", "123456789012345", 0}, {"1234567890123456", "123456789012345", 1},
        {"12345678901234_5", "-123456789012345", 0}, {"0.23456789012345678", "0.2345678901234", 4},
        {"12_3", "-123", 0}, {"1.5.2", "1.52", 0}, {"1,5", "1.5", 0}, {".", "0.", 0},
        {"123\b", "12", 0}, {"2+3=\b", "0", 0}, {"12_\b", "-1", 0}, {"5_\b", "0", 0},
        {"0.5_\b\b7", "-07", 0}, {"0.5_\b\b7+1=", "-6", 0},
        // Results in the display format; beyond a double's range is an error.
        {nines + "+1=", "1E15", 0}, {"1/10000=", "0.0001", 0}, {"1/100000=", "1E-5", 0},
        {"9{V:1E300}*9{V:1E300}=", "Error", 1}, {"9{V:1E-310}r", "Error", 1}, {"9{V:1E-5}\b", "1", 0},
        {"9{V:1.5E-7}\b", "1.5", 0}, {"9{V:1E20}.", "1E20", 0},
    };
    for (const auto& c : cases) {
        CalcEngine engine(&host);
        host.beeps = 0;
        Press(engine, c.keys);
        EXPECT_EQ(engine.DisplayText(), c.display) << c.keys;
        EXPECT_EQ(host.beeps, c.beeps) << c.keys;
    }
}

TEST_F(CalcTest, ErrorStateDropsEverythingButClearing) {
    CalcEngine engine(&host);
    Press(engine, "1/0=");
    ASSERT_EQ(engine.State(), EntryState::Error);
    EXPECT_EQ(engine.DisplayValue(), 0.0);
    host.clipboard.reset();
    Press(engine, "5+_.\bqr\x03{OK}");
    EXPECT_EQ(lastRequest, CalcCloseRequest::None);
    EXPECT_EQ(host.beeps, 2);  // the division, then OK
    EXPECT_FALSE(host.clipboard.has_value());
    engine.Copy();
    EXPECT_EQ(host.clipboard, "Error");
    Press(engine, "{V:7}5");
    EXPECT_EQ(engine.DisplayText(), "7");
    EXPECT_EQ(engine.State(), EntryState::Error);
    Press(engine, "c");
    EXPECT_EQ(engine.DisplayText(), "0");
    EXPECT_EQ(engine.State(), EntryState::Ready);
    EXPECT_EQ(engine.PendingOperator(), '=');
}

TEST_F(CalcTest, MemoryKeys) {
    struct Case { double startMemory; std::string keys; std::string display; double memory; EntryState state; };
    const Case cases[] = {
        {0, "7{MS}", "7", 7, EntryState::Ready},          {0, "7{MS}{MC}", "7", 0, EntryState::Ready},
        {0, "7{MS}C{MR}1", "71", 7, EntryState::Typing},  {0, "7{MS}3{MP}", "3", 10, EntryState::Ready},
        {0, "5{MS}1+{MR}=", "6", 5, EntryState::Ready},   {0, "7{MS}8", "8", 7, EntryState::Typing},
        {4, "1/0={MS}", "Error", 4, EntryState::Error},   {4, "1/0={MP}", "Error", 4, EntryState::Error},
        {4, "1/0={MR}", "Error", 4, EntryState::Error},   {4, "1/0={MC}", "Error", 0, EntryState::Error},
        {1e308, "{MR}{MP}", "Error", 1e308, EntryState::Error}, {DBL_MAX, "{MR}", "Error", DBL_MAX, EntryState::Error},
    };
    for (const auto& c : cases) {
        CalcEngine engine(&host);
        engine.SetMemory(c.startMemory);
        Press(engine, c.keys);
        EXPECT_EQ(engine.DisplayText(), c.display) << c.keys;
        EXPECT_EQ(engine.Memory(), c.memory) << c.keys;
        EXPECT_EQ(engine.State(), c.state) << c.keys;
        EXPECT_EQ(engine.MemoryMark(), c.memory != 0 ? "M" : "") << c.keys;
    }
}

// Copy takes the display text as shown; paste reads the clipboard as a number without the
// currency symbol and leaves the entry typing.
TEST_F(CalcTest, CopyAndPaste) {
    CalcEngine copying(&host);
    Press(copying, "12.");
    copying.TypeKey(kCalcCopyKey);
    EXPECT_EQ(host.clipboard, "12.");

    struct Case { char separator; const char* currency; std::optional<std::string> clipboard; std::string display; };
    const Case cases[] = {
        {'.', "$", "$12.50", "12.5"},       {'.', "$", " 42 \r\n", "42"},   {'.', "$", "$$3$", "3"},
        {'.', "$", "abc", "0"},              {'.', "$", "1E400", "0"},       {'.', "$", "1.5E3", "1500"},
        {'.', "$", std::nullopt, "5"},       {',', "EUR", "EUR 3,5", "3,5"}, {',', "EUR", "1.234,5 EUR", "0"},
        {'.', "", "7", "7"},
    };
    for (const auto& c : cases) {
        GetFormatSettings().decimalSeparator = c.separator;
        GetFormatSettings().currencyString = c.currency;
        CalcEngine engine(&host);
        Press(engine, "5");
        host.clipboard = c.clipboard;
        engine.TypeKey(kCalcPasteKey);
        EXPECT_EQ(engine.DisplayText(), c.display) << c.clipboard.value_or("(no text)");
        EXPECT_EQ(engine.State(), EntryState::Typing);
    }
}

TEST_F(CalcTest, KeyboardMapsCharactersToButtons) {
    const std::pair<char, std::optional<CalcButton>> cases[] = {
        {'0', CalcButton::Digit0},     {'9', CalcButton::Digit9},     {'_', CalcButton::Sign},
        {'.', CalcButton::Decimal},    {',', CalcButton::Decimal},    {'/', CalcButton::Divide},
        {'*', CalcButton::Multiply},   {'-', CalcButton::Subtract},   {'+', CalcButton::Add},
        {'q', CalcButton::SquareRoot}, {'Q', CalcButton::SquareRoot}, {'%', CalcButton::Percent},
        {'r', CalcButton::Reciprocal}, {'=', CalcButton::Equals},     {'\r', CalcButton::Equals},
        {'\b', CalcButton::Backspace}, {'c', CalcButton::Clear},      {'\x1b', CalcButton::Clear},
        {'x', std::nullopt},           {kCalcCopyKey, std::nullopt},  {kCalcPasteKey, std::nullopt},
        {'\0', std::nullopt},          {' ', std::nullopt},
    };
    for (const auto& [typed, button] : cases) {
        EXPECT_EQ(CalcEngine::ButtonForKey(typed), button) << int(typed);
    }
}

TEST_F(CalcTest, PrecisionBeepAndSeparatorSettings) {
    struct Case { int precision; bool beep; char separator; std::string keys; std::string display; int beeps; };
    const Case cases[] = {
        {1, true, '.', "123", "12", 1},           {1, true, '.', "1/3=", "0.33", 0},
        {5, true, '.', "10000*100=", "1E6", 0},   {5, true, '.', "12345*1=", "12345", 0},
        {15, false, '.', "1234567890123456", "123456789012345", 0}, {15, false, '.', "1/0=", "Error", 0},
        {15, true, ',', "1.5", "1,5", 0},         {15, true, ',', "1,5", "1,5", 0},
        {15, true, ',', "1/4=", "0,25", 0},       {15, true, ',', "1.5+1,25=", "2,75", 0},
    };
    for (const auto& c : cases) {
        GetFormatSettings().decimalSeparator = c.separator;
        CalcEngine engine(&host);
        engine.SetPrecision(c.precision);
        engine.SetBeepOnError(c.beep);
        host.beeps = 0;
        Press(engine, c.keys);
        EXPECT_EQ(engine.DisplayText(), c.display) << c.keys;
        EXPECT_EQ(host.beeps, c.beeps) << c.keys;
    }
}

TEST_F(CalcTest, DisplayChangeOnlyForChangedNumbers) {
    const std::pair<std::string, int> cases[] = {
        {"12", 0}, {"1+2=", 1}, {"2+=", 0}, {"5_", 1}, {"0_", 0}, {"5C", 1}, {"0C", 0}, {"1/0=", 0}, {"{V:7}", 1},
    };
    for (const auto& [keys, expected] : cases) {
        CalcEngine engine(&host);
        int changes = 0;
        engine.SetOnDisplayChange([&] { ++changes; });
        Press(engine, keys);
        EXPECT_EQ(changes, expected) << keys;
    }
}

TEST_F(CalcTest, CalcKeyHandlerChangesOrCancelsKeys) {
    const std::pair<std::string, std::string> cases[] = {{"2+3=", "6"}, {"151", "11"}, {"9q", "3"}};
    for (const auto& [keys, display] : cases) {
        CalcEngine engine(&host);
        std::string seen;
        engine.SetOnCalcKey([&](char& key) {
            seen += key;
            if (key == '+') key = '*';
            if (key == '5') key = 0;
        });
        Press(engine, keys);
        EXPECT_EQ(engine.DisplayText(), display) << keys;
        EXPECT_EQ(seen, keys == "9q" ? "9Q" : keys);
    }
    CalcEngine engine(&host);
    int calls = 0;
    engine.SetOnCalcKey([&](char&) { ++calls; });
    Press(engine, "1/0=55");
    EXPECT_EQ(calls, 4);
}

TEST_F(CalcTest, ComponentCarriesValueAndMemoryOverRuns) {
    Calculator calculator;
    EXPECT_EQ(calculator.Title(), "Calculator");
    EXPECT_EQ(calculator.Precision(), 15);
    EXPECT_TRUE(calculator.BeepOnError());
    int changes = 0;
    calculator.SetOnChange([&](Calculator& sender) {
        EXPECT_EQ(&sender, &calculator);
        ++changes;
    });
    struct Run { std::string keys; bool ok; std::string startDisplay, startMark; double value, memory; int changes; };
    const Run runs[] = {
        {"42{MS}{OK}", true, "0", "", 42, 42, 1},
        {"+1={MC}{Cancel}", false, "42", "M", 42, 42, 1},
        {"42{OK}", true, "42", "M", 42, 42, 1},  // the same number: no change
        {"C{MC}{OK}", true, "42", "M", 0, 0, 2},
        {"1/0={OK}{Cancel}", false, "0", "", 0, 0, 2},
    };
    for (const auto& run : runs) {
        const bool ok = calculator.Execute(host, [&](CalcEngine& engine) {
            EXPECT_EQ(engine.DisplayText(), run.startDisplay) << run.keys;
            EXPECT_EQ(engine.MemoryMark(), run.startMark) << run.keys;
            EXPECT_EQ(engine.PendingOperator(), run.startDisplay == "0" ? 0 : '=') << run.keys;
            lastRequest = CalcCloseRequest::None;
            Press(engine, run.keys);
            return lastRequest == CalcCloseRequest::Ok;
        });
        EXPECT_EQ(ok, run.ok) << run.keys;
        EXPECT_EQ(calculator.Value(), run.value) << run.keys;
        EXPECT_EQ(calculator.Memory(), run.memory) << run.keys;
        EXPECT_EQ(changes, run.changes) << run.keys;
    }
}

TEST_F(CalcTest, ComponentPassesItsSettingsAndEventsToTheEngine) {
    Calculator calculator;
    calculator.SetPrecision(3);
    calculator.SetBeepOnError(false);
    calculator.SetValue(2.0 / 3.0);
    std::string keys;
    int displayChanges = 0;
    calculator.SetOnCalcKey([&](Calculator&, char& key) { keys += key; });
    calculator.SetOnDisplayChange([&](Calculator&) { ++displayChanges; });
    calculator.Execute(host, [&](CalcEngine& engine) {
        EXPECT_EQ(engine.DisplayText(), "0.667");
        Press(engine, "1234/0=");
        EXPECT_EQ(engine.DisplayText(), "Error");
        return false;
    });
    EXPECT_EQ(keys, "1234/0=");
    EXPECT_EQ(displayChanges, 1);
    EXPECT_EQ(host.beeps, 0);  // neither the refused fourth digit nor the error
}

}  // namespace
}  // namespace tikora
