#pragma once
// The system services every part of the program reaches the system through.
#include "core/platform.h"
#include "core/settings_store.h"

namespace tikora {

struct SystemServices {
    TimeSource& time;
    SoundPlayer& sound;
    ShellLauncher& shell;
    PowerControl& power;
    FileSystem& files;
    SettingsStore& settings;
};

}  // namespace tikora
