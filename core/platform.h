#pragma once
// The small interfaces through which the program reaches the system. The Win32 shell implements
// them; tests substitute recording fakes (no test may shut the machine down or play a blocking sound).
#include <string>
#include <string_view>

#include "core/datetime.h"

namespace tikora {

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // The PtInRect rule: left and top edges inside, right and bottom edges outside.
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual DateTime Now() = 0;
};

// sndPlaySound: the flag word 0x20000 (SND_FILENAME alone: the name is a file, played
// synchronously, the default sound when the file is missing) is what every caller uses.
inline constexpr unsigned kSoundSynchronous = 0x20000;

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(std::string_view file, unsigned flags) = 0;
};

class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;
    // ShellExecute with no parameters and no directory. ownerIsApplication: the hidden
    // application window owns the call; otherwise no owner.
    virtual void Open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) = 0;
};

// ExitWindowsEx flag words used by the program.
inline constexpr unsigned kPowerTurnOff = 5;  // EWX_SHUTDOWN | EWX_FORCE
inline constexpr unsigned kPowerRestart = 6;  // EWX_REBOOT | EWX_FORCE

class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Enables the shutdown privilege where the system has one, then asks for the action.
    virtual bool Request(unsigned flags) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Existence as the program tests it: a directory search for exactly that path.
    virtual bool Exists(std::string_view path) = 0;
};

}  // namespace tikora
