// The window base class: class registration, creation and the one window procedure.
#include "ui/window_win.h"

#include <set>
#include <string>

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"

namespace tikora::ui {

Window::~Window() { Destroy(); }

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::Create(const WindowSpec& spec) {
    static std::set<std::string> registered;
    if (!registered.count(spec.className)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = spec.classStyle;
        wc.lpfnWndProc = &Window::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = spec.background;
        wc.hIcon = spec.icon;
        wc.lpszClassName = spec.className;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw AppError(std::string("Cannot register window class ") + spec.className);
        registered.insert(spec.className);
    }

    RECT r{0, 0, Scale(spec.clientWidth), Scale(spec.clientHeight)};
    if (!spec.outerSize) AdjustWindowRectEx(&r, spec.style, FALSE, spec.exStyle);
    int width = r.right - r.left;
    int height = r.bottom - r.top;
    int x = spec.x;
    int y = spec.y;
    if (x == CW_USEDEFAULT) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND hwnd = CreateWindowExA(spec.exStyle, spec.className, spec.caption, spec.style, x, y, width, height,
                                spec.owner, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd) throw AppError(std::string("Cannot create window ") + spec.className);
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = FromHandle(hwnd);
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        Application::Instance().HandleError(std::current_exception());
    }
    if (message == WM_NCDESTROY) {
        // Here rather than in a derived handler: a window destroyed from ~Window no longer
        // reaches the derived class's handlers.
        Application::Instance().UnregisterDialog(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
    }
    return result;
}

void SetClientSize(HWND hwnd, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), GetMenu(hwnd) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tikora::ui
