#pragma once
// One base class for every window of the program: the C++ object is bound to its HWND at
// WM_NCCREATE and messages go to OnMessage. No exception ever leaves the window procedure:
// it ends in the application error handler.
#include <windows.h>

#include <string>

namespace tikora::ui {

struct WindowSpec {
    const char* className = "";
    const char* caption = "";
    DWORD style = WS_OVERLAPPED;
    DWORD exStyle = 0;
    HWND owner = nullptr;
    // Position and client size in 96-DPI pixels; CW_USEDEFAULT for x centres the window on the screen.
    int x = CW_USEDEFAULT;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    // Outer size instead of client size (windows laid out by their outer size).
    bool outerSize = false;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HICON icon = nullptr;
    UINT classStyle = CS_DBLCLKS;
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

    // Registers the class on first use and creates the window; throws AppError on failure.
    void Create(const WindowSpec& spec);
    void Destroy();

    static Window* FromHandle(HWND hwnd);

protected:
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY; the handle is gone.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND hwnd_ = nullptr;
};

// Sets the client size, keeping the top-left corner, for the window's current styles.
void SetClientSize(HWND hwnd, int width, int height);

}  // namespace tikora::ui
