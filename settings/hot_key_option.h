#pragma once
// The hot keys dialog's one operation on the clock: make the live `hotkey` flag what the box says,
// holding or releasing the CD hot keys, and store it.
#include "clock/live_clock.h"
#include "clock/skin_and_hot_keys.h"
#include "core/settings_store.h"

namespace tikora {

// `LoadHotKeyBox`: what the box shows when the dialog opens.
bool LoadHotKeyBox(const LiveClock& clock);

// `ApplyHotKeyOption`: when the box equals the live flag nothing is registered, released or
// written; otherwise the flag follows the box, the hot keys are registered (on) or unregistered
// (off), and "Options"/"hotkey" is written. A refused registration changes none of that.
void ApplyHotKeyOption(LiveClock& clock, HotKeySwitch& keys, SettingsStore& settings, bool boxChecked);

}  // namespace tikora
