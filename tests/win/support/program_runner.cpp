#include "win/support/program_runner.h"

namespace tikora::testing {

ProgramRun::ProgramRun(const TempFolder& folder) : exe_(folder.File("Tikora.exe")) {
    CopyFileA((RuntimeFolder() + "\\Tikora.exe").c_str(), exe_.c_str(), FALSE);
}

ProgramRun::~ProgramRun() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        Close(std::chrono::seconds(5));
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool ProgramRun::Start() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe_ + "\"";
    // Started from another folder on purpose: the program makes its own folder current.
    started_ = CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                              &startup, &info_) != 0;
    return started_;
}

bool ProgramRun::WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode) {
    if (!started_) return false;
    bool ended = WaitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeout);
    if (ended && exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return ended;
}

bool ProgramRun::Close(std::chrono::milliseconds timeout) {
    if (!started_) return false;
    PostThreadMessageA(info_.dwThreadId, WM_QUIT, 0, 0);
    return WaitForExit(timeout);
}

std::vector<TopWindow> ProgramRun::Windows() const {
    struct Context {
        DWORD pid;
        std::vector<TopWindow> found;
    } context{info_.dwProcessId, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* ctx = reinterpret_cast<Context*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != ctx->pid) return TRUE;
            char cls[256] = {}, text[256] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            GetWindowTextA(hwnd, text, sizeof text);
            ctx->found.push_back({hwnd, cls, text, GetWindow(hwnd, GW_OWNER), IsWindowVisible(hwnd) != 0});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND ProgramRun::FindWindowByClass(const std::string& className) const {
    for (const TopWindow& w : Windows())
        if (w.className == className) return w.hwnd;
    return nullptr;
}

bool ProgramRun::WaitUntilRunning(std::chrono::milliseconds timeout) {
    if (!started_) return false;
    return WaitFor(
        [&] {
            if (!FindWindowByClass("TForm20")) return false;  // the last window created
            return WaitForInputIdle(info_.hProcess, 0) == 0;
        },
        timeout);
}

}  // namespace tikora::testing
