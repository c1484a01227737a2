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
    virtual DateTime time() = 0;
    virtual bool armed() = 0;
    virtual void disarm() = 0;
    virtual bool turnOffSelected() = 0;
    virtual bool restartSelected() = 0;
};

// The alarm dialog's time picker, " Activate alarm clock " box, the bell choice, ring count and file field.
class AlarmControls {
public:
    virtual ~AlarmControls() = default;
    virtual DateTime time() = 0;
    virtual bool armed() = 0;
    virtual void disarm() = 0;
    virtual bool bellSelected() = 0;
    virtual int ringCount() = 0;
    virtual std::string file() = 0;
    // Empties the file field and its hint.
    virtual void clearFile() = 0;
};

// What the tick needs of the clock window itself.
class ClockView {
public:
    virtual ~ClockView() = default;
    virtual void drawFace() = 0;
    // The enabled state of the tray menu item "Hide clock".
    virtual bool hideClockEnabled() = 0;
    virtual Point cursorPos() = 0;
    // The window's last position and size, also while it is hidden.
    virtual Rect windowRect() = 0;
    virtual void hide() = 0;
    virtual void show() = 0;
};

// The settings dialog's read-only chime file field.
class ChimeSource {
public:
    virtual ~ChimeSource() = default;
    virtual std::string chimeFile() = 0;
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

    void setControls(TickControls controls) { c_ = controls; }

    void run(const TickOptions& options);

    TickState& state() { return state_; }
    const TickState& state() const { return state_; }

private:
    std::string currentTimeText();

    TickServices s_;
    TickControls c_;
    TickState state_;
};

}  // namespace tikora
