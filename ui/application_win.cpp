// The application object: title, hidden owner window, message loop and error handler.
#include "ui/application_win.h"

#include "core/errors.h"

namespace tikora::ui {

namespace {

constexpr const char* kApplicationClass = "TApplication";

LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize(const std::string& title) {
    title_ = title;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ApplicationProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);
    // A real top-level window (not message-only): the single-instance check of a later copy finds
    // it by its title. It is never shown, so the program has no taskbar button.
    handle_ = CreateWindowExA(0, kApplicationClass, title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

int Application::Run(const std::function<void()>& showMain) {
    showMain();
    MSG msg;
    for (;;) {
        // While an idle step is installed, an empty queue runs it before the loop blocks; once it
        // is done the loop is a plain GetMessage loop, one server call per message under Wine.
        bool pending = idle_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        if (!pending) {
            if (idle_) RunIdleStep();
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) return static_cast<int>(msg.wParam);
            if (got < 0) return 0;
        } else if (msg.message == WM_QUIT) {
            return static_cast<int>(msg.wParam);
        }
        if (!TranslateDialogKeys(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void Application::RunIdleStep() {
    bool again = false;
    try {
        again = idle_();
    } catch (...) {
        HandleError(std::current_exception());
    }
    if (!again) idle_ = nullptr;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!TranslateDialogKeys(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void Application::Terminate() { PostQuitMessage(0); }

bool Application::TranslateDialogKeys(MSG& msg) {
    // Only keyboard input has dialog keys. Finding the root window is a server round trip under
    // Wine, too dear for the clock's fifty timer messages a second.
    if (!msg.hwnd || dialogs_.empty() || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && dialogs_.count(root) && IsDialogMessageA(root, &msg);
}

void Application::HandleError(std::exception_ptr error) noexcept {
    try {
        try {
            std::rethrow_exception(error);
        } catch (const AppError& e) {
            if (IsPictureErrorClass(e.ClassName())) {
                if (pictureErrorHook_) pictureErrorHook_();
                return;
            }
            ShowErrorBox(e.what());
        } catch (const std::bad_alloc&) {
            ShowErrorBox("Out of memory");
        } catch (const std::exception& e) {
            ShowErrorBox(e.what());
        } catch (...) {
            ShowErrorBox("Unknown error");
        }
    } catch (...) {
        // The handler itself must never throw; a failure to show the box leaves nothing to do.
    }
}

void Application::ShowMessage(HWND owner, const std::string& text,
                              const std::function<void(const std::string&)>& hook) const {
    if (hook) {
        hook(text);
        return;
    }
    MessageBoxA(owner, text.c_str(), title_.c_str(), MB_OK);
}

void Application::ShowErrorBox(const std::string& message) {
    std::string text = ErrorBoxText(message);
    if (errorBoxSink_) {
        errorBoxSink_(text);
        return;
    }
    MessageBoxA(handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

std::string SystemErrorText(DWORD code) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace tikora::ui
