// `LoadHotKeyBox` and `ApplyHotKeyOption`.
#include "settings/hot_key_option.h"

namespace tikora {

bool LoadHotKeyBox(const LiveClock& clock) { return clock.LiveOptions().hotkey; }

void ApplyHotKeyOption(LiveClock& clock, HotKeySwitch& keys, SettingsStore& settings, bool boxChecked) {
    if (boxChecked == clock.LiveOptions().hotkey) return;
    clock.SetLiveOption(&ClockOptions::hotkey, boxChecked);
    if (boxChecked)
        keys.RegisterHotKeys();
    else
        keys.UnregisterHotKeys();
    settings.WriteBool("Options", "hotkey", boxChecked);
}

}  // namespace tikora
