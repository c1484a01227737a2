// The file search under Wine over a generated tree of 100,000 files in 5,000 folders.
//   search_bench [FOLDER]   (default: %TEMP%\tikora-search-bench, made once and kept)
// Figures, in one run: the bare FindFirstFile/FindNextFile walk; the same walk with one
// PeekMessage pass per entry (the floor of a design that pumps after every entry); and the
// search window's full run (walk, sort, file pass, counters, result list) with the progress
// dialog showing. Entries per second for each, the engine's share of the pumping walk's rate
// (target >= 70 %), and the process's memory before and after the engine's run. Also the engine
// alone (no window), and what a list addition and a counter text cost by themselves.
// SEARCH_BENCH_NO_PROGRESS=1 runs the window without its progress dialog (no counters).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <deque>
#include <string>

#include "search/find_lister_win.h"
#include "search/progress_dialog_win.h"
#include "search/search_window_win.h"
#include "support/fakes.h"
#include "ui/application_win.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

constexpr int kTopFolders = 50;
constexpr int kSubfolders = 99;     // 50 + 50 x 99 = 5,000 folders below the chosen one
constexpr int kFilesPerFolder = 20;  // 100,000 files (the chosen folder holds none)
constexpr int kMatchesPerFolder = 6; // 30,000 results, below the result limit

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void MakeFiles(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kFilesPerFolder; ++i) {
        const std::string name = folder + "\\file" + std::to_string(i) + (i < kMatchesPerFolder ? ".mp3" : ".txt");
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
}

void MakeTree(const std::string& root) {
    const std::string done = root + "\\complete";
    if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    std::printf("making the tree in %s ...\n", root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < kTopFolders; ++top) {
        const std::string folder = root + "\\top" + std::to_string(top);
        MakeFiles(folder);
        for (int sub = 0; sub < kSubfolders; ++sub) MakeFiles(folder + "\\sub" + std::to_string(sub));
    }
    // Kept out of the tree's counts: a folder, not a file, beside it.
    CreateDirectoryA(done.c_str(), nullptr);
}

// Breadth-first over every entry, as the engine's walk does; returns the entries read.
long long BareWalk(const std::string& root, bool pump) {
    long long entries = 0;
    std::deque<std::string> queue{root};
    WIN32_FIND_DATAA data;
    while (!queue.empty()) {
        const std::string folder = queue.front() + "\\";
        queue.pop_front();
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        for (bool found = find != INVALID_HANDLE_VALUE; found; found = FindNextFileA(find, &data)) {
            ++entries;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.')
                queue.push_back(folder + data.cFileName);
            if (pump) {
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
            }
        }
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
    }
    return entries;
}

// Counts what the engine reads, to give its rate in the same unit as the bare walks.
class CountingLister final : public DirectoryLister {
public:
    std::unique_ptr<DirectoryListing> List(const std::string& pattern, ListedEntry& first) override {
        auto listing = inner_.List(pattern, first);
        if (!listing) return nullptr;
        ++entries;
        return std::make_unique<Counting>(std::move(listing), entries);
    }
    std::optional<FolderIdentity> Identify(const std::string& folder) override { return inner_.Identify(folder); }
    bool Less(const std::string& a, const std::string& b) override { return inner_.Less(a, b); }
    long long entries = 0;

private:
    class Counting final : public DirectoryListing {
    public:
        Counting(std::unique_ptr<DirectoryListing> inner, long long& count) : inner_(std::move(inner)), count_(count) {}
        bool Next(ListedEntry& entry) override {
            const bool found = inner_->Next(entry);
            if (found) ++count_;
            return found;
        }

    private:
        std::unique_ptr<DirectoryListing> inner_;
        long long& count_;
    };
    FindFileLister inner_;
};

class FixedBrowser final : public ui::FolderBrowser {
public:
    explicit FixedBrowser(std::string folder) : folder_(std::move(folder)) {}
    std::optional<std::string> Browse(HWND, const std::string&, const std::string&) override { return folder_; }

private:
    std::string folder_;
};

size_t WorkingSetKiB(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return (peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / 1024;
}

}  // namespace

int main(int argc, char** argv) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string root = argc > 1 ? argv[1] : std::string(temp) + "tikora-search-bench";
    MakeTree(root);

    ui::Application::Instance().Initialize("Tikora search bench");
    FakeServices services;
    FixedBrowser browser(root);
    CountingLister lister;
    SearchWindow window({"TForm3", " Search files"}, services.Services(),
                        SearchWindowSystem{.browser = &browser, .lister = &lister, .unlimited = false});
    window.CreateForm();
    ProgressDialog progress({"TForm13", " Searching..."}, ProgressDialog::Layout{});
    progress.CreateForm();
    // SEARCH_BENCH_NO_PROGRESS=1: the run without its progress dialog, to tell what the counters cost.
    if (!GetEnvironmentVariableA("SEARCH_BENCH_NO_PROGRESS", nullptr, 0)) window.SetProgressDialog(&progress);
    window.Show();
    ui::Application::Instance().ProcessMessages();

    BareWalk(root, false);  // warms the system's caches for all three runs
    double start = Seconds();
    const long long bare = BareWalk(root, false);
    const double bareSeconds = Seconds() - start;
    start = Seconds();
    const long long pumped = BareWalk(root, true);
    const double pumpedSeconds = Seconds() - start;

    // The engine alone: no window, no counters, no pump.
    class Quiet final : public SearchHooks {
    public:
        void FoldersCounted(int) override {}
        void FilesCounted(int) override {}
        void ProcessMessages() override {}
        void Found(const std::string&) override { ++found; }
        int found = 0;
    } quiet;
    CountingLister bareLister;
    SearchEngine engine(bareLister);
    SearchRequest request;
    request.folder = root;
    request.pattern = [] { return std::string("*.mp3"); };
    start = Seconds();
    engine.Run(request, quiet);
    const double aloneSeconds = Seconds() - start;

    const size_t before = WorkingSetKiB(false);
    start = Seconds();
    window.CustomSearch();
    const double engineSeconds = Seconds() - start;
    const size_t after = WorkingSetKiB(false);

    // What the window adds per entry besides the pump: a result into the list, a counter's text.
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 300,
                                window.Hwnd(), nullptr, nullptr, nullptr);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    start = Seconds();
    for (int i = 0; i < 30000; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
    const double addSeconds = Seconds() - start;
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 13, progress.Hwnd(), nullptr,
                                 nullptr, nullptr);
    start = Seconds();
    for (int i = 0; i < 30000; ++i) SetWindowTextA(label, std::to_string(i).c_str());
    const double textSeconds = Seconds() - start;
    DestroyWindow(list);
    DestroyWindow(label);

    const double bareRate = bare / bareSeconds;
    const double pumpedRate = pumped / pumpedSeconds;
    const double engineRate = lister.entries / engineSeconds;
    std::printf("tree: %s\n", root.c_str());
    std::printf("%-44s %9lld entries %8.2f s %9.0f entries/s\n", "bare walk", bare, bareSeconds, bareRate);
    std::printf("%-44s %9lld entries %8.2f s %9.0f entries/s\n", "bare walk + PeekMessage per entry", pumped,
                pumpedSeconds, pumpedRate);
    std::printf("%-44s %9lld entries %8.2f s %9.0f entries/s\n", "engine: walk, sort, file pass, counters",
                lister.entries, engineSeconds, engineRate);
    std::printf("%-44s %9lld entries %8.2f s %9.0f entries/s\n", "engine alone (no window, no pump)",
                bareLister.entries, aloneSeconds, bareLister.entries / aloneSeconds);
    std::printf("30,000 list additions (not drawn) %.2f s, 30,000 counter texts %.2f s\n", addSeconds, textSeconds);
    std::printf("results %d, status \"%s\" \"%s\"\n", window.Results().Count(), window.StatusText(0).c_str(),
                window.StatusText(1).c_str());
    std::printf("engine / pumping walk: %.0f %% (target >= 70 %%)\n", 100 * engineRate / pumpedRate);
    std::printf("working set before the run %zu KiB, after %zu KiB, peak %zu KiB\n", before, after, WorkingSetKiB(true));
    std::printf("@ bare_rate %.0f\n@ pumped_rate %.0f\n@ engine_rate %.0f\n", bareRate, pumpedRate, engineRate);
    return 0;
}
