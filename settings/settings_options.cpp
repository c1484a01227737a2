// The settings dialog's effects on the live options, the settings file and the Run value.
#include "settings/settings_options.h"

#include "core/errors.h"

namespace tikora {

std::string FailedToSetDataMessage(std::string_view name) {
    return "Failed to set data for '" + std::string(name) + "'";
}

void ApplyOptionBox(LiveClock& clock, bool ClockOptions::*option, bool checked) {
    if (option == &ClockOptions::autostart) return;  // acted on only by "Apply"
    if (option == &ClockOptions::showsecond) {
        clock.ApplySeconds(checked);
        return;
    }
    clock.SetLiveOption(option, checked);
    if (option == &ClockOptions::ghost && clock.TransparencyAvailable()) clock.SetTranslucent(checked);
}

void ApplyAutostart(LiveClock& clock, AutostartRegistry& registry, bool boxChecked) {
    if (clock.LiveOptions().autostart == boxChecked) return;
    // The flag follows the Run value only once the value is written: a refused write leaves it
    // as it was, so the next "Apply" tries again instead of storing a start-up that is not there.
    if (boxChecked && !registry.SetRunValue(kAutostartValueName))
        throw AppError(FailedToSetDataMessage(kAutostartValueName));
    if (!boxChecked) registry.DeleteRunValue(kAutostartValueName);
    clock.SetLiveOption(&ClockOptions::autostart, boxChecked);
}

void SaveOptions(SettingsStore& store, const LiveClock& clock, std::string_view chimePath) {
    SaveClockOptions(store, clock.LiveOptions());
    SaveChimePath(store, chimePath);
}

std::string RestoreOptions(SettingsStore& store, LiveClock& clock) {
    const ClockOptions stored = LoadClockOptions(store);
    for (const OptionKey& option : kSettingsDialogOptions) clock.SetLiveOption(option.member, stored.*option.member);
    std::string chime = LoadChimePath(store);
    clock.ApplySeconds(stored.showsecond);
    if (clock.TransparencyAvailable()) clock.SetTranslucent(stored.ghost);
    return chime;
}

std::string ChimeStartFolder(const std::string& currentDirectory, FileSystem& files) {
    const std::string sounds = currentDirectory + "\\" + std::string(kSoundsFolder);
    return files.Exists(sounds) ? sounds : currentDirectory;
}

}  // namespace tikora
