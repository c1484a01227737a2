#pragma once
// The text of a profile (INI) file, read and changed in memory the way the system's profile
// functions read and write one: sections "[name]" and lines "key=value", names compared without
// regard to case, the first section and key of a name counting, blanks around names and values
// passed over, and one pair of matching quotes around a value taken off. A write replaces the
// value of the key where it stands, or adds the key after the last key of its section, or adds
// the section at the end. Values may be of any length (the system's functions lose values of
// 32,767 characters and more without a word).
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tikora {

class ProfileText final : public SettingsStore {
public:
    explicit ProfileText(std::string_view text = {});

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

    // The names of a section's keys, in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The whole text, every line ended by CR LF.
    std::string Text() const;

private:
    // The line of the section's header, or npos.
    size_t FindSection(std::string_view section) const;
    // The line of the key within the section that starts after `header`, or npos.
    size_t FindKey(size_t header, std::string_view key) const;
    std::vector<std::string> lines_;
};

}  // namespace tikora
