#pragma once
// What the settings dialog does to the live options, the settings file and the autostart value,
// apart from its controls: a box's immediate effect, "Apply" (ApplyAutostart, SaveOptions) and
// "Cancel" (RestoreOptions).
#include <string>
#include <string_view>

#include "clock/clock_options.h"
#include "clock/live_clock.h"
#include "core/platform.h"
#include "core/settings_store.h"

namespace tikora {

// The autostart value's name in the machine-wide Run key: the application title.
inline constexpr std::string_view kAutostartValueName = "Tikora 1.5-e";
inline constexpr std::string_view kChimeFilter = "Wave (*.wav)|*.wav";
inline constexpr std::string_view kSoundsFolder = "Sounds";

// The Run key of the registry, as the settings dialog uses it.
class AutostartRegistry {
public:
    virtual ~AutostartRegistry() = default;
    // Writes the value with the program's short path; false when the key cannot be opened or
    // the value not written.
    virtual bool SetRunValue(std::string_view name) = 0;
    // Deletes the value; a missing key or value is no error.
    virtual void DeleteRunValue(std::string_view name) = 0;
};

// "Failed to set data for '<name>'": the error a failed write of a registry value raises.
std::string FailedToSetDataMessage(std::string_view name);

// The immediate effect of a box whose state changed: the live flag and what it shows. For
// `showsecond` the seconds layout, for `ghost` translucency (only where available), for `scotch`
// the snapping switch. The autostart box has none.
void ApplyOptionBox(LiveClock& clock, bool ClockOptions::*option, bool checked);

// Reconciles the Run value with the autostart box. With the box in the state of the live flag
// nothing happens (the registry is not opened). Otherwise the live flag takes the box's state
// first, then the value is written or deleted. Throws AppError when writing fails.
void ApplyAutostart(LiveClock& clock, AutostartRegistry& registry, bool boxChecked);

// Writes the eight options from the live values, in their order, then the chime path.
void SaveOptions(SettingsStore& store, const LiveClock& clock, std::string_view chimePath);

// Reads the eight options into the live values (snapping included), applies the seconds layout
// and, where available, the translucency; returns the stored chime path for the chime box.
std::string RestoreOptions(SettingsStore& store, LiveClock& clock);

// Where the chime chooser opens: "<current directory>\Sounds" when that folder exists, else the
// current directory.
std::string ChimeStartFolder(const std::string& currentDirectory, FileSystem& files);

}  // namespace tikora
