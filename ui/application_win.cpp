#include "ui/application_win.h"

#include "core/errors.h"

namespace tikora::ui {

namespace {

constexpr const char* kApplicationClass = "TApplication";

LRESULT CALLBACK applicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Application& Application::instance() {
    static Application application;
    return application;
}

void Application::initialize(const std::string& title) {
    title_ = title;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = applicationProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);
    // A real top-level window (not message-only): the single-instance check of a later copy finds
    // it by its title. It is never shown, so the program has no taskbar button.
    handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int Application::run(const std::function<void()>& showMain) {
    showMain();
    MSG msg;
    for (;;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            if (!preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (idle_) {
            try {
                idle_();
            } catch (...) {
                handleError(std::current_exception());
            }
        }
        WaitMessage();
    }
}

void Application::processMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!preTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void Application::terminate() { PostQuitMessage(0); }

bool Application::preTranslate(MSG& msg) {
    if (!msg.hwnd || dialogs_.empty()) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && dialogs_.count(root) && IsDialogMessageA(root, &msg);
}

void Application::handleError(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const AppError& e) {
            if (isPictureErrorClass(e.className())) {
                if (pictureErrorHook_) pictureErrorHook_();
                return;
            }
            showErrorBox(e.what());
        } catch (const std::bad_alloc&) {
            showErrorBox("Out of memory");
        } catch (const std::exception& e) {
            showErrorBox(e.what());
        } catch (...) {
            showErrorBox("Unknown error");
        }
    } catch (...) {
        // The handler itself must never throw; a failure to show the box leaves nothing to do.
    }
}

void Application::showErrorBox(const std::string& message) {
    std::string text = errorBoxText(message);
    if (errorBoxSink_) {
        errorBoxSink_(text);
        return;
    }
    MessageBoxA(handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

std::string systemErrorText(DWORD code) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace tikora::ui
