#include "clock/main_tick.h"

namespace tikora {

std::string MainTick::currentTimeText() { return timeText(s_.time.now()); }

void MainTick::run(const TickOptions& options) {
    // Before the first draw has set the program-wide format the system's own may give 7
    // characters for hours below 10.
    std::string hourText = currentTimeText();
    if (hourText.size() != 8) hourText.insert(hourText.begin(), '0');
    bool onTheHour = hourText.size() >= 8 && hourText.compare(3, 5, "00:00") == 0;

    if (onTheHour && options.everyHour && !state_.chimeLatch) {
        s_.sound.play(c_.chime->chimeFile(), kSoundSynchronous);
        state_.chimeLatch = true;
    }
    if (!onTheHour) state_.chimeLatch = false;

    if (currentTimeText() != state_.lastSecondText) {
        state_.twinklePhase = !state_.twinklePhase;
        if (state_.ringCounter > 0) {
            s_.sound.play(kRingFile, kSoundSynchronous);
            --state_.ringCounter;
        }
    }
    // Taken afresh: a ring blocks the thread, and the second it ended in must not count again.
    state_.lastSecondText = currentTimeText();

    s_.view.drawFace();

    if (options.hideUnder && s_.view.hideClockEnabled()) {
        if (s_.view.windowRect().contains(s_.view.cursorPos())) {
            if (!state_.hiddenUnderCursor) {
                s_.view.hide();
                state_.hiddenUnderCursor = true;
            }
        } else if (state_.hiddenUnderCursor) {
            s_.view.show();
            s_.view.drawFace();
            state_.hiddenUnderCursor = false;
        }
    }

    if (currentTimeText() == timeText(c_.shutdown->time()) && c_.shutdown->armed()) {
        c_.shutdown->disarm();
        if (c_.shutdown->turnOffSelected()) s_.power.request(kPowerTurnOff);
        if (c_.shutdown->restartSelected()) s_.power.request(kPowerRestart);
    }

    if (currentTimeText() == timeText(c_.alarm->time()) && c_.alarm->armed()) {
        c_.alarm->disarm();
        if (c_.alarm->bellSelected()) {
            state_.ringCounter = c_.alarm->ringCount();
        } else {
            std::string file = c_.alarm->file();
            if (!file.empty()) {
                if (s_.files.exists(file)) {
                    s_.shell.open(true, "open", file, kShowNormal);
                } else {
                    c_.alarm->clearFile();
                    s_.settings.writeString("EditTexts", "edit3", "");
                }
            }
        }
    }
}

}  // namespace tikora
