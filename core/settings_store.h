#pragma once
// Access to the settings file with the system's profile-file rules. Each call opens the file,
// reads or writes one key and releases it again; nothing is cached.
#include <optional>
#include <string>
#include <string_view>

namespace tikora {

// Integer rule of the profile files: a value longer than two characters that starts with "0x"
// or "0X" is hexadecimal, otherwise decimal with an optional sign; anything else is not a number.
// A value that does not fit a 32-bit int is not a number either, decimal or hexadecimal alike
// ("0xFFFFFFFF", "2147483648", "0xFFFFFFFFFFFFFF9C"), for every key.
std::optional<long long> ParseIniInteger(std::string_view text);

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // A missing file, section or key yields the default. The value is returned whole, however
    // long: a cut value could parse as another number.
    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view def) = 0;
    // Throws AppError "Unable to write to <path>" when the write fails.
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;

    int ReadInteger(std::string_view section, std::string_view key, int def);
    bool ReadBool(std::string_view section, std::string_view key, bool def);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
};

inline constexpr std::string_view kSettingsFileName = "MyIni.ini";

}  // namespace tikora
