#pragma once
// The Win32 implementations of the platform interfaces and of the settings file.
#include <windows.h>

#include <string>

#include "core/platform.h"
#include "core/settings_store.h"

namespace tikora {

class SystemTimeSource final : public TimeSource {
public:
    DateTime Now() override;
};

class SystemSoundPlayer final : public SoundPlayer {
public:
    void Play(std::string_view file, unsigned flags) override;
};

class SystemShell final : public ShellLauncher {
public:
    explicit SystemShell(HWND applicationWindow) : application_(applicationWindow) {}
    void Open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) override;

private:
    HWND application_;
};

class SystemPower final : public PowerControl {
public:
    bool Request(unsigned flags) override;
};

class SystemFileSystem final : public FileSystem {
public:
    bool Exists(std::string_view path) override;
};

// MyIni.ini and its kind: profile-file semantics, addressed by full path.
class IniFile final : public SettingsStore {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The folder of the running executable, without the trailing backslash.
std::string ProgramFolder();

DateTime FromSystemTime(const SYSTEMTIME& st);
SYSTEMTIME ToSystemTime(const DateTime& value);

// Fills the program-wide format settings from the user's locale.
void LoadLocaleFormatSettings();

}  // namespace tikora
