// The full main tick in-process: the clock window, shown, with a simulated clock moving 20 ms per
// tick and a silent sound player; each tick formats, compares and draws the face with GDI.
//   tick_draw_bench [TICKS]   (default 20,000 per case)
// Figures: mean microseconds per tick (QueryPerformanceCounter), without and with seconds, each
// for the bare tick and for the tick followed by a pass over the message queue (where the system
// gets to put the drawing on the screen).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock/clock_window_win.h"
#include "core/system_win.h"
#include "support/fakes.h"
#include "ui/application_win.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

// Its own title, so the single-instance check neither finds a running Tikora nor is found by one.
constexpr const char* kBenchTitle = "Tikora tick bench";

double TicksPerMicro() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e6;
}

long long Counter() {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
}

// Dispatches what is pending, except the window's own timer: only the bench runs ticks here.
void PumpWithoutTimer() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_TIMER) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Settle(int milliseconds) {
    DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        PumpWithoutTimer();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

struct Case {
    double meanUs;
    double medianUs;
    double maxUs;
};

Case TimeTicks(ClockWindow& clock, FakeClock& time, long ticks, bool pump) {
    const double perUs = TicksPerMicro();
    std::vector<double> each;
    each.reserve(static_cast<size_t>(ticks));
    const TickOptions options{clock.Options().everyhour, clock.Options().hideunder};
    long long total = 0;
    for (long i = 0; i < ticks; ++i) {
        time.Advance(20);
        long long start = Counter();
        clock.Tick().Run(options);
        if (pump) PumpWithoutTimer();
        long long spent = Counter() - start;
        total += spent;
        each.push_back(static_cast<double>(spent) / perUs);
    }
    std::sort(each.begin(), each.end());
    return {static_cast<double>(total) / perUs / static_cast<double>(ticks), each[each.size() / 2], each.back()};
}

void Report(const char* label, const char* key, const Case& c) {
    std::printf("%-40s mean %8.2f us/tick  median %8.2f us  max %9.1f us\n", label, c.meanUs, c.medianUs, c.maxUs);
    std::printf("@ %s %.2f\n", key, c.meanUs);
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = argc > 1 ? std::atol(argv[1]) : 20000;
    if (ticks <= 0) ticks = 20000;

    ui::Application& app = ui::Application::Instance();
    app.Initialize(kBenchTitle);
    app.SetErrorBoxSink([](const std::string& text) { std::fprintf(stderr, "error box: %s\n", text.c_str()); });
    LoadLocaleFormatSettings();

    FakeServices fakes(9, 5, 7);  // the sound is silent: it records instead of playing

    int status = 0;
    {
        ClockWindow clock({"TForm1", " Clock"}, fakes.Services());
        clock.CreateForm();
        clock.Initialize();
        clock.ShowAtStart();
        Settle(500);
        if (!IsWindowVisible(clock.Hwnd())) {
            std::fprintf(stderr, "the clock window did not show\n");
            status = 1;
        } else {
            std::printf("Main tick with GDI draw, in-process under %s, %ld ticks per case\n",
                        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") ? "Wine" : "Windows",
                        ticks);
            struct Variant {
                bool seconds;
                const char* name;
                const char* key;
            };
            for (const Variant& v : {Variant{false, "without seconds", "draw_us_noseconds"},
                                     Variant{true, "with seconds", "draw_us_seconds"}}) {
                clock.ApplySeconds(v.seconds);
                Settle(300);
                TimeTicks(clock, fakes.time, std::min(ticks, 500L), false);  // warm-up
                Case bare = TimeTicks(clock, fakes.time, ticks, false);
                Case pumped = TimeTicks(clock, fakes.time, ticks, true);
                Report((std::string("tick, ") + v.name).c_str(), v.key, bare);
                Report((std::string("tick + message pass, ") + v.name).c_str(),
                       (std::string(v.key) + "_pumped").c_str(), pumped);
            }
            PROCESS_MEMORY_COUNTERS memory{};
            memory.cb = sizeof memory;
            if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
                std::printf("working set %zu KiB (peak %zu KiB), %zu chimes recorded\n", memory.WorkingSetSize / 1024,
                            memory.PeakWorkingSetSize / 1024, fakes.sound.played.size());
        }
        clock.Destroy();
    }
    std::fflush(stdout);
    return status;
}
