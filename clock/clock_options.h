#pragma once
// The clock's on/off options and the chime file as a record: their keys in the settings file,
// their defaults, and reading and writing them. The clock window holds the live values; the
// settings and hot keys dialogs are views of them.
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace tikora {

inline constexpr std::string_view kOptionsSection = "Options";
inline constexpr std::string_view kEditTextsSection = "EditTexts";
inline constexpr std::string_view kChimeKey = "edit4";
inline constexpr std::string_view kDefaultChimePath = "Sounds\\Chimes.wav";

struct ClockOptions {
    bool autostart = false;
    bool hideonstart = false;
    bool scotch = false;  // edge snapping; live, the snapping component's own state
    bool ghost = false;
    bool showsecond = false;
    bool flash = true;
    bool hideunder = false;
    bool everyhour = true;
    bool hotkey = false;

    friend bool operator==(const ClockOptions&, const ClockOptions&) = default;
};

// One option: its key in section "Options", its default and where the record keeps it.
struct OptionKey {
    std::string_view key;
    bool defaultValue;
    bool ClockOptions::*member;
};

// The eight options the settings dialog stores, in the order they are written.
inline constexpr OptionKey kSettingsDialogOptions[] = {
    {"autostart", false, &ClockOptions::autostart}, {"hideonstart", false, &ClockOptions::hideonstart},
    {"scotch", false, &ClockOptions::scotch},       {"ghost", false, &ClockOptions::ghost},
    {"showsecond", false, &ClockOptions::showsecond}, {"flash", true, &ClockOptions::flash},
    {"hideunder", false, &ClockOptions::hideunder}, {"everyhour", true, &ClockOptions::everyhour},
};

// The ninth option, stored by the hot keys dialog.
inline constexpr OptionKey kHotKeyOption{"hotkey", false, &ClockOptions::hotkey};

// Reads all nine options; a missing or unreadable value gives its default.
ClockOptions LoadClockOptions(SettingsStore& store);
// Writes the eight options of the settings dialog, in their order.
void SaveClockOptions(SettingsStore& store, const ClockOptions& options);

std::string LoadChimePath(SettingsStore& store);
void SaveChimePath(SettingsStore& store, std::string_view path);

}  // namespace tikora
