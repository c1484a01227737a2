// The calculator engine driven by random keys, button clicks and pastes: the display always
// holds a number or "Error", and never more than the digit limit allows.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "calculator/calc_engine.h"
#include "calculator/calc_number.h"
#include "core/datetime.h"

namespace {

struct Host final : tikora::CalcHost {
    void Beep() override {}
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    std::optional<std::string> ClipboardText() override { return clipboard; }
    std::optional<std::string> clipboard;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Host host;
    tikora::CalcEngine engine(&host);
    if (size > 0) engine.SetPrecision(data[0] % 20);
    for (size_t i = 1; i < size; ++i) {
        const uint8_t op = data[i];
        if (op < 0xE0) {
            engine.TypeKey(static_cast<char>(op & 0x7F));
        } else if (op < 0xF0) {
            engine.ClickButton(static_cast<tikora::CalcButton>(op % tikora::kCalcButtonCount));
        } else {
            // The next bytes, up to the length given, are pasted.
            const size_t length = std::min<size_t>(op - 0xF0, size - i - 1);
            host.clipboard = std::string(reinterpret_cast<const char*>(data + i + 1), length);
            engine.Paste();
            i += length;
        }
        const std::string& text = engine.DisplayText();
        // In the error state a paste shows the pasted number while the state stays.
        if (engine.State() == tikora::EntryState::Error) continue;
        if (text.empty() || text.size() > static_cast<size_t>(engine.DigitLimit()) + 8) std::abort();
    }
    return 0;
}
