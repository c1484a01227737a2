#pragma once
// Runs Tikora.exe from a private copy of the runtime folder and looks at its windows from outside.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "win/support/test_app.h"

namespace tikora::testing {

struct TopWindow {
    HWND hwnd;
    std::string className;
    std::string caption;
    HWND owner;
    bool visible;
};

class ProgramRun {
public:
    // Copies Tikora.exe into the folder (the settings file, if any, is the caller's to write).
    explicit ProgramRun(const TempFolder& folder);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Start();
    // Waits for the process to end; returns false on timeout.
    bool WaitForExit(std::chrono::milliseconds timeout, DWORD* exitCode = nullptr);
    // Ends the message loop as "Close" does and waits for the process.
    bool Close(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    DWORD ProcessId() const { return info_.dwProcessId; }
    // The process's top-level windows, in the order EnumWindows gives them.
    std::vector<TopWindow> Windows() const;
    HWND FindWindowByClass(const std::string& className) const;
    // Waits until the clock window exists and the program went idle.
    bool WaitUntilRunning(std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    std::string exe_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace tikora::testing
