#pragma once
// The Win32 implementations of the platform interfaces and of the settings file.
#include <windows.h>

#include <string>

#include "core/platform.h"
#include "core/settings_store.h"

namespace tikora {

class SystemTimeSource final : public TimeSource {
public:
    DateTime now() override;
};

class SystemSoundPlayer final : public SoundPlayer {
public:
    void play(std::string_view file, unsigned flags) override;
};

class SystemShell final : public ShellLauncher {
public:
    explicit SystemShell(HWND applicationWindow) : application_(applicationWindow) {}
    void open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) override;

private:
    HWND application_;
};

class SystemPower final : public PowerControl {
public:
    bool request(unsigned flags) override;
};

class SystemFileSystem final : public FileSystem {
public:
    bool exists(std::string_view path) override;
};

// MyIni.ini and its kind: profile-file semantics, addressed by full path.
class IniFile final : public SettingsStore {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    std::string readString(std::string_view section, std::string_view key, std::string_view def) override;
    void writeString(std::string_view section, std::string_view key, std::string_view value) override;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The folder of the running executable, without the trailing backslash.
std::string programFolder();

DateTime fromSystemTime(const SYSTEMTIME& st);
SYSTEMTIME toSystemTime(const DateTime& value);

// Fills the program-wide format settings from the user's locale.
void loadLocaleFormatSettings();

}  // namespace tikora
