#pragma once
// A window shown modally: the program's other windows are disabled while it runs, and its own
// loop keeps dispatching every message, so the timers of the other windows keep firing.
#include <windows.h>

#include <functional>

namespace tikora::ui {

class ModalRun {
public:
    // Sees each message before it is dispatched; may retarget it.
    using Filter = std::function<void(MSG&)>;

    // Disables the thread's other visible, enabled windows, shows the window in front and
    // dispatches messages until End() is called or the window is destroyed; then enables the
    // others again and hides the window. Returns End()'s result, or 0 when the window went
    // away or the program is ending (the quit message is posted again for the outer loop).
    int Run(HWND window, const Filter& filter = {});
    // Ends the run once the current message has been handled.
    void End(int result);
    bool Running() const { return running_; }

private:
    bool running_ = false;
    bool done_ = false;
    int result_ = 0;
};

}  // namespace tikora::ui
