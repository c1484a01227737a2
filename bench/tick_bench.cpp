// The cost of one main tick without the system: a simulated clock moving 20 ms per tick, silent
// sound, a disarmed alarm and shutdown timer whose picker times are still formatted and compared
// on every tick, as in the running program.
//   tick_bench [TICKS]   (default 1,000,000 ticks per round, three rounds)
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock/face.h"
#include "clock/main_tick.h"
#include "support/fakes.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

// The clock window with its draw step replaced: either nothing at all, or the portable half of
// the draw (the format reset, the time text and the glyph plan) without any GDI call.
class BenchView final : public ClockView {
public:
    BenchView(TimeSource& time, bool plan) : time_(time), plan_(plan) {}
    void DrawFace() override {
        if (!plan_) return;
        GetFormatSettings().longTimeFormat = "hh:mm:ss";
        FacePlan p = PlanFace(TimeText(time_.Now()), {false, true, twinkle_});
        glyphs_ += p.count;
    }
    bool HideClockEnabled() override { return true; }
    Point CursorPos() override { return {500, 500}; }
    Rect WindowRect() override { return {10, 10, 144, 63}; }
    void Hide() override {}
    void Show() override {}
    size_t glyphs_ = 0;
    bool twinkle_ = false;

private:
    TimeSource& time_;
    bool plan_;
};

// Dialog controls as the program has them after start: a picker time, the box not ticked.
struct IdleShutdown final : ShutdownControls {
    DateTime Time() override { return {2026, 12, 9, 23, 59, 0, 0}; }
    bool Armed() override { return false; }
    void Disarm() override {}
    bool TurnOffSelected() override { return true; }
    bool RestartSelected() override { return false; }
};

struct IdleAlarm final : AlarmControls {
    DateTime Time() override { return {2026, 12, 9, 7, 30, 0, 0}; }
    bool Armed() override { return false; }
    void Disarm() override {}
    bool BellSelected() override { return true; }
    int RingCount() override { return 3; }
    std::string File() override { return {}; }
    void ClearFile() override {}
};

struct FixedChime final : ChimeSource {
    std::string ChimeFile() override { return kDefaultChimeFile; }
};

// The thread's own CPU time: other processes on a busy build machine do not count against the tick.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

struct Round {
    double microsPerTick;     // thread CPU time
    double wallMicrosPerTick;
    size_t sounds;
};

Round RunRound(long ticks, bool plan, const TickOptions& options) {
    FakeClock clock(9, 5, 7);
    RecordingSound sound(clock);
    RecordingShell shell;
    RecordingPower power;
    FakeFiles files;
    MemorySettings settings;
    BenchView view(clock, plan);
    IdleShutdown shutdown;
    IdleAlarm alarm;
    FixedChime chime;
    MainTick tick(TickServices{{clock, sound, shell, power, files, settings}, view}, TickControls{&chime, &shutdown, &alarm});

    for (int i = 0; i < 10000; ++i) {  // warm-up: caches, branch predictors, string capacity
        clock.Advance(20);
        tick.Run(options);
    }
    auto start = std::chrono::steady_clock::now();
    double cpuStart = ThreadMicros();
    for (long i = 0; i < ticks; ++i) {
        clock.Advance(20);
        view.twinkle_ = tick.State().twinklePhase;
        tick.Run(options);
    }
    double cpu = ThreadMicros() - cpuStart;
    auto end = std::chrono::steady_clock::now();
    double wall = std::chrono::duration<double, std::micro>(end - start).count();
    return {cpu / static_cast<double>(ticks), wall / static_cast<double>(ticks), sound.played.size()};
}

void Report(const char* label, const char* key, long ticks, bool plan, const TickOptions& options) {
    std::vector<double> means;
    std::vector<double> walls;
    size_t sounds = 0;
    for (int r = 0; r < 3; ++r) {
        Round round = RunRound(ticks, plan, options);
        means.push_back(round.microsPerTick);
        walls.push_back(round.wallMicrosPerTick);
        sounds = round.sounds;
    }
    std::sort(means.begin(), means.end());
    std::sort(walls.begin(), walls.end());
    double median = means[1];
    std::printf("%-44s %7.3f us/tick %10.0f ticks/s  (CPU rounds %.3f/%.3f/%.3f; wall median %.3f us; %zu chimes)\n",
                label, median, 1e6 / median, means[0], means[1], means[2], walls[1], sounds);
    std::printf("@ %s %.3f\n", key, median);
}

}  // namespace

int main(int argc, char** argv) {
    long ticks = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (ticks <= 0) ticks = 1000000;
    GetFormatSettings() = FormatSettings{};
    std::printf("Main tick, native, %ld ticks of 20 ms simulated time per round (%.1f h), median of 3 rounds, thread CPU time\n",
                ticks, ticks * 0.02 / 3600);
    Report("tick, no-op draw (chime on, hide-under off)", "tick_us", ticks, false, TickOptions{true, false});
    Report("tick, no-op draw, hide-under on", "tick_hideunder_us", ticks, false, TickOptions{true, true});
    Report("tick + face plan (draw without GDI)", "tick_plan_us", ticks, true, TickOptions{true, false});
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
