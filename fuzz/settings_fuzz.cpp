// The settings integer and boolean rules on any text: never a crash, and what is taken as a
// number fits a 32-bit int and is what the text says.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "core/settings_store.h"

namespace {

class OneValue final : public tikora::SettingsStore {
public:
    explicit OneValue(std::string value) : value_(std::move(value)) {}
    std::string ReadString(std::string_view, std::string_view, std::string_view) override { return value_; }
    void WriteString(std::string_view, std::string_view, std::string_view) override {}

private:
    std::string value_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = tikora::ParseIniInteger(text);
    if (value && (*value < INT32_MIN || *value > INT32_MAX)) std::abort();
    OneValue store(text);
    const int a = store.ReadInteger("S", "K", 17);
    const int b = store.ReadInteger("S", "K", -3);
    // The default shows through exactly when the text is no number.
    if (value ? (a != *value || b != *value) : (a != 17 || b != -3)) std::abort();
    if (store.ReadBool("S", "K", true) != (value ? *value != 0 : true)) std::abort();
    return 0;
}
