#pragma once
// Recording stand-ins for the platform interfaces, shared by the native tests.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/datetime.h"
#include "core/platform.h"
#include "core/services.h"
#include "core/settings_store.h"

namespace tikora::testing {

// Settings kept in memory with the profile-file rules that matter to callers: names match
// regardless of case, a missing key reads as the default.
class MemorySettings final : public SettingsStore {
public:
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

    void Set(std::string_view section, std::string_view key, std::string_view value) { WriteString(section, key, value); }
    bool Has(std::string_view section, std::string_view key) const;
    int writes = 0;

private:
    static std::string Fold(std::string_view text);
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

// A clock the test moves by hand; sounds can advance it to model a blocking play.
class FakeClock final : public TimeSource {
public:
    explicit FakeClock(int hour = 0, int minute = 0, int second = 0, int millisecond = 0) {
        Set(hour, minute, second, millisecond);
    }
    DateTime Now() override { return current; }
    void Set(int hour, int minute, int second, int millisecond = 0);
    void Advance(int milliseconds);
    DateTime current{2026, 12, 9, 0, 0, 0, 0};
};

struct PlayedSound {
    std::string file;
    unsigned flags;
    DateTime at;
};

class RecordingSound final : public SoundPlayer {
public:
    explicit RecordingSound(FakeClock& clock) : clock_(clock) {}
    void Play(std::string_view file, unsigned flags) override;
    std::vector<PlayedSound> played;
    // How long a file "plays": the clock moves on by this much while Play() blocks.
    std::map<std::string, int> durationsMs;

private:
    FakeClock& clock_;
};

struct ShellCall {
    bool ownerIsApplication;
    std::string verb;
    std::string file;
    int showCommand;
};

class RecordingShell final : public ShellLauncher {
public:
    void Open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) override {
        calls.push_back({ownerIsApplication, std::string(verb), std::string(file), showCommand});
    }
    std::vector<ShellCall> calls;
};

class RecordingPower final : public PowerControl {
public:
    bool Request(unsigned flags) override {
        requests.push_back(flags);
        if (onRequest) onRequest(flags);
        return false;
    }
    std::vector<unsigned> requests;
    std::function<void(unsigned)> onRequest;
};

class FakeFiles final : public FileSystem {
public:
    bool Exists(std::string_view path) override { return present.count(std::string(path)) > 0; }
    std::set<std::string> present;
};

// The six system services as recording stand-ins, for whatever takes SystemServices.
struct FakeServices {
    explicit FakeServices(int hour = 0, int minute = 0, int second = 0) : time(hour, minute, second) {}
    SystemServices Services() { return {time, sound, shell, power, files, settings}; }

    FakeClock time;
    RecordingSound sound{time};
    RecordingShell shell;
    RecordingPower power;
    FakeFiles files;
    MemorySettings settings;
};

// Restores the program-wide format settings a test changed.
class FormatSettingsGuard {
public:
    FormatSettingsGuard() : saved_(GetFormatSettings()) {}
    ~FormatSettingsGuard() { GetFormatSettings() = saved_; }

private:
    FormatSettings saved_;
};

}  // namespace tikora::testing
