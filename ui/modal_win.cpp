// The modal run: disable the others, own message loop, enable them again.
#include "ui/modal_win.h"

#include <vector>

#include "ui/application_win.h"

namespace tikora::ui {

namespace {

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

int ModalRun::Run(HWND window, const Filter& filter) {
    running_ = true;
    done_ = false;
    result_ = 0;
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled)
        if (w != window) EnableWindow(w, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (!IsChild(window, GetFocus())) SetFocus(window);

    Application& app = Application::Instance();
    while (!done_ && IsWindow(window)) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the run as if cancelled and let the outer loop quit.
            PostQuitMessage(static_cast<int>(msg.wParam));
            result_ = 0;
            break;
        }
        if (got < 0) break;
        if (filter) filter(msg);
        if (!app.TranslateDialogKeys(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    for (HWND w : disabled)
        if (w != window && IsWindow(w)) EnableWindow(w, TRUE);
    if (IsWindow(window)) ShowWindow(window, SW_HIDE);
    running_ = false;
    return done_ ? result_ : 0;
}

void ModalRun::End(int result) {
    result_ = result;
    done_ = true;
}

}  // namespace tikora::ui
