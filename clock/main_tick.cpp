#include "clock/main_tick.h"

namespace tikora {

std::string MainTick::CurrentTimeText() { return TimeText(s_.time.Now()); }

void MainTick::Run(const TickOptions& options) {
    // Before the first draw has set the program-wide format the system's own may give 7
    // characters for hours below 10.
    std::string hourText = CurrentTimeText();
    if (hourText.size() != 8) hourText.insert(hourText.begin(), '0');
    bool onTheHour = hourText.size() >= 8 && hourText.compare(3, 5, "00:00") == 0;

    if (onTheHour && options.everyHour && !state_.chimeLatch) {
        s_.sound.Play(c_.chime->ChimeFile(), kSoundSynchronous);
        state_.chimeLatch = true;
    }
    if (!onTheHour) state_.chimeLatch = false;

    if (CurrentTimeText() != state_.lastSecondText) {
        state_.twinklePhase = !state_.twinklePhase;
        if (state_.ringCounter > 0) {
            s_.sound.Play(kRingFile, kSoundSynchronous);
            --state_.ringCounter;
        }
    }
    // Taken afresh: a ring blocks the thread, and the second it ended in must not count again.
    state_.lastSecondText = CurrentTimeText();

    s_.view.DrawFace();

    if (options.hideUnder && s_.view.HideClockEnabled()) {
        if (s_.view.WindowRect().Contains(s_.view.CursorPos())) {
            if (!state_.hiddenUnderCursor) {
                s_.view.Hide();
                state_.hiddenUnderCursor = true;
            }
        } else if (state_.hiddenUnderCursor) {
            s_.view.Show();
            s_.view.DrawFace();
            state_.hiddenUnderCursor = false;
        }
    }

    // The armed boxes are read first: most ticks then format no picker time at all.
    if (c_.shutdown->Armed() && CurrentTimeText() == TimeText(c_.shutdown->Time())) {
        c_.shutdown->Disarm();
        if (c_.shutdown->TurnOffSelected()) s_.power.Request(kPowerTurnOff);
        if (c_.shutdown->RestartSelected()) s_.power.Request(kPowerRestart);
    }

    if (c_.alarm->Armed() && CurrentTimeText() == TimeText(c_.alarm->Time())) {
        c_.alarm->Disarm();
        if (c_.alarm->BellSelected()) {
            state_.ringCounter = c_.alarm->RingCount();
        } else {
            std::string file = c_.alarm->File();
            if (!file.empty()) {
                if (s_.files.Exists(file)) {
                    s_.shell.Open(true, "open", file, kShowNormal);
                } else {
                    c_.alarm->ClearFile();
                    s_.settings.WriteString("EditTexts", "edit3", "");
                }
            }
        }
    }
}

}  // namespace tikora
