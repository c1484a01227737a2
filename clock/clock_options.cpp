#include "clock/clock_options.h"

namespace tikora {

ClockOptions LoadClockOptions(SettingsStore& store) {
    ClockOptions options;
    for (const OptionKey& option : kSettingsDialogOptions)
        options.*option.member = store.ReadBool(kOptionsSection, option.key, option.defaultValue);
    options.hotkey = store.ReadBool(kOptionsSection, kHotKeyOption.key, kHotKeyOption.defaultValue);
    return options;
}

void SaveClockOptions(SettingsStore& store, const ClockOptions& options) {
    for (const OptionKey& option : kSettingsDialogOptions)
        store.WriteBool(kOptionsSection, option.key, options.*option.member);
}

std::string LoadChimePath(SettingsStore& store) {
    return store.ReadString(kEditTextsSection, kChimeKey, kDefaultChimePath);
}

void SaveChimePath(SettingsStore& store, std::string_view path) {
    store.WriteString(kEditTextsSection, kChimeKey, path);
}

}  // namespace tikora
