#pragma once
// The clock window's 20 ms tick: hourly chime, new-second detection (blink, alarm bell), redraw,
// hiding under the pointer, then the shutdown timer and the alarm. The timer and alarm have no
// state of their own: the tick reads the controls of their dialogs through these interfaces.
#include <string>

#include "core/datetime.h"
#include "core/platform.h"
#include "core/services.h"
#include "core/settings_store.h"

namespace tikora {

// The shutdown timer dialog's time picker, " Activate timer " box and the two actions.
class ShutdownControls {
public:
    virtual ~ShutdownControls() = default;
    virtual DateTime Time() = 0;
    virtual bool Armed() = 0;
    virtual void Disarm() = 0;
    virtual bool TurnOffSelected() = 0;
    virtual bool RestartSelected() = 0;
};

// The alarm dialog's time picker, " Activate alarm clock " box, the bell choice, ring count and file field.
class AlarmControls {
public:
    virtual ~AlarmControls() = default;
    virtual DateTime Time() = 0;
    virtual bool Armed() = 0;
    virtual void Disarm() = 0;
    virtual bool BellSelected() = 0;
    virtual int RingCount() = 0;
    virtual std::string File() = 0;
    // Empties the file field and its hint.
    virtual void ClearFile() = 0;
};

// What the tick needs of the clock window itself.
class ClockView {
public:
    virtual ~ClockView() = default;
    virtual void DrawFace() = 0;
    // The enabled state of the tray menu item "Hide clock".
    virtual bool HideClockEnabled() = 0;
    virtual Point CursorPos() = 0;
    // The window's last position and size, also while it is hidden.
    virtual Rect WindowRect() = 0;
    virtual void Hide() = 0;
    virtual void Show() = 0;
};

// The settings dialog's read-only chime file field.
class ChimeSource {
public:
    virtual ~ChimeSource() = default;
    virtual std::string ChimeFile() = 0;
};

struct TickOptions {
    bool everyHour = true;
    bool hideUnder = false;
};

struct TickState {
    std::string lastSecondText;
    bool twinklePhase = false;
    bool chimeLatch = false;
    int ringCounter = 0;
    bool hiddenUnderCursor = false;
};

inline constexpr const char* kRingFile = "Sounds\\Ring.wav";
inline constexpr const char* kDefaultChimeFile = "Sounds\\Chimes.wav";
inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL

struct TickServices : SystemServices {
    ClockView& view;
};

// The dialogs whose controls the tick reads; they exist after the clock window, so they are
// plugged in after construction.
struct TickControls {
    ChimeSource* chime = nullptr;
    ShutdownControls* shutdown = nullptr;
    AlarmControls* alarm = nullptr;
};

class MainTick {
public:
    MainTick(TickServices services, TickControls controls) : s_(services), c_(controls) {}

    void SetControls(TickControls controls) { c_ = controls; }

    void Run(const TickOptions& options);

    TickState& State() { return state_; }
    const TickState& State() const { return state_; }

private:
    std::string CurrentTimeText();

    TickServices s_;
    TickControls c_;
    TickState state_;
};

}  // namespace tikora
