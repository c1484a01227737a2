#include "win/support/program_runner.h"

namespace tikora::testing {

ProgramRun::ProgramRun(const TempFolder& folder) : exe_(folder.file("Tikora.exe")) {
    CopyFileA((runtimeFolder() + "\\Tikora.exe").c_str(), exe_.c_str(), FALSE);
}

ProgramRun::~ProgramRun() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        close(std::chrono::seconds(5));
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool ProgramRun::start() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe_ + "\"";
    // Started from another folder on purpose: the program makes its own folder current.
    started_ = CreateProcessA(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                              &startup, &info_) != 0;
    return started_;
}

bool ProgramRun::waitForExit(std::chrono::milliseconds timeout, DWORD* exitCode) {
    if (!started_) return false;
    bool ended = waitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeout);
    if (ended && exitCode) GetExitCodeProcess(info_.hProcess, exitCode);
    return ended;
}

bool ProgramRun::close(std::chrono::milliseconds timeout) {
    if (!started_) return false;
    PostThreadMessageA(info_.dwThreadId, WM_QUIT, 0, 0);
    return waitForExit(timeout);
}

std::vector<TopWindow> ProgramRun::windows() const {
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

HWND ProgramRun::findWindow(const std::string& className) const {
    for (const TopWindow& w : windows())
        if (w.className == className) return w.hwnd;
    return nullptr;
}

bool ProgramRun::waitUntilRunning(std::chrono::milliseconds timeout) {
    if (!started_) return false;
    return waitFor(
        [&] {
            if (!findWindow("TForm20")) return false;  // the last window created
            return WaitForInputIdle(info_.hProcess, 0) == 0;
        },
        timeout);
}

}  // namespace tikora::testing
