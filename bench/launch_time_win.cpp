// Time from launch to the tray icon: starts Tikora.exe and waits for its window of class TForm3,
// the second window the program creates, which exists only after the clock window has added its
// tray icon. Each run is ended as "Close" ends the program (WM_QUIT to its main thread) and waited
// for before the next, since only one instance may run.
//   launch_time EXE [RUNS=5] [TIMEOUT_MS=30000]
// Prints each run and the median in milliseconds; exits non-zero if a run timed out.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kMarkerClass = "TForm3";

HWND FindOwnWindow(DWORD processId) {
    for (HWND w = FindWindowExA(nullptr, nullptr, kMarkerClass, nullptr); w;
         w = FindWindowExA(nullptr, w, kMarkerClass, nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == processId) return w;
    }
    return nullptr;
}

double ElapsedMs(const LARGE_INTEGER& from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Ends the run: WM_QUIT to the main thread, then, if it is still there after the grace period, by force.
bool EndRun(const PROCESS_INFORMATION& info) {
    PostThreadMessageA(info.dwThreadId, WM_QUIT, 0, 0);
    if (WaitForSingleObject(info.hProcess, 10000) == WAIT_OBJECT_0) return true;
    std::fprintf(stderr, "  the program did not end on WM_QUIT; terminating it\n");
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_time EXE [RUNS] [TIMEOUT_MS]\n");
        return 2;
    }
    const std::string exe = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(std::atol(argv[3])) : 30000;

    if (FindWindowA(kMarkerClass, nullptr)) {
        std::fprintf(stderr, "a window of class %s exists already; is Tikora running?\n", kMarkerClass);
        return 1;
    }

    std::vector<double> times;
    int status = 0;
    for (int run = 1; run <= runs; ++run) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string commandLine = "\"" + exe + "\"";
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        // Started from another folder, as from a shortcut: the program makes its own folder current.
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup,
                            &info)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
            return 1;
        }
        bool found = false;
        double ms = 0;
        for (;;) {
            if (FindOwnWindow(info.dwProcessId)) {
                ms = ElapsedMs(start);
                found = true;
                break;
            }
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;  // ended early
            if (ElapsedMs(start) > timeoutMs) break;
            Sleep(1);
        }
        if (found) {
            times.push_back(ms);
            std::printf("run %d: %.1f ms to tray icon\n", run, ms);
        } else {
            std::printf("run %d: no %s window within %lu ms\n", run, kMarkerClass, timeoutMs);
            status = 1;
        }
        std::fflush(stdout);
        EndRun(info);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    if (!times.empty()) {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        double median = sorted.size() % 2 ? sorted[sorted.size() / 2]
                                          : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
        std::printf("launch to tray icon: median %.1f ms of %zu runs (min %.1f, max %.1f)\n", median, sorted.size(),
                    sorted.front(), sorted.back());
        std::printf("@ launch_ms %.1f\n", median);
    }
    std::fflush(stdout);
    return status;
}
