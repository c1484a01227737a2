#pragma once
// The running clock as the dialogs that change it see it: the live option values and the
// operations that give them their visible effect. The clock window implements it; tests use a
// recording stand-in.
#include "clock/clock_options.h"

namespace tikora {

class LiveClock {
public:
    virtual ~LiveClock() = default;

    // The live values. `scotch` is the snapping component's on/off state, not a copy of it.
    virtual ClockOptions LiveOptions() const = 0;
    // Sets one live value and nothing else; `scotch` switches the snapping on or off.
    virtual void SetLiveOption(bool ClockOptions::*option, bool value) = 0;

    // Sets the live `showsecond` value and switches the face between the layout with seconds
    // and without.
    virtual void ApplySeconds(bool showSecond) = 0;
    // Whether the system can make the clock translucent; fixed for the run.
    virtual bool TransparencyAvailable() const = 0;
    // Translucent (alpha 128) or opaque (alpha 255); does nothing unless transparency is available.
    virtual void SetTranslucent(bool translucent) = 0;
};

}  // namespace tikora
