#pragma once
// Borrowing another window's procedure: the new procedure sees every message first and passes
// what it does not handle to the one it replaced (SetWindowLongPtr GWLP_WNDPROC, CallWindowProc).
#include <windows.h>

#include <functional>

namespace tikora::ui {

class Subclass {
public:
    // Returns the message's result; calls Previous() for whatever it leaves to the window.
    using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

    Subclass() = default;
    // Installs the handler at once (see Install).
    Subclass(HWND window, Handler handler) { Install(window, std::move(handler)); }
    ~Subclass() { Remove(); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Throws AppError when the window is not valid or too many windows are subclassed at once.
    void Install(HWND window, Handler handler);
    // Puts the previous procedure back. When another procedure was installed after ours, ours
    // stays in that chain as a plain pass-through until the window is destroyed.
    void Remove();
    bool Installed() const { return slot_ >= 0; }

    // The procedure that was the window's before ours.
    LRESULT Previous(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    friend struct SubclassSlots;
    HWND window_ = nullptr;
    int slot_ = -1;
    Handler handler_;
};

}  // namespace tikora::ui
