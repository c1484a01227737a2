// The search engine over an in-memory tree: result order, stops, the result limit, the custom
// search's rules, drive roots, cycles, deep trees and the wildcard matching it lists with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "search/memory_lister.h"
#include "search/search_engine.h"

using namespace tikora;

namespace {

class RecordingHooks final : public SearchHooks {
public:
    void FoldersCounted(int count) override { folderCounts.push_back(count); }
    void FilesCounted(int count) override { lastFileCount = count; }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void Found(const std::string& path) override { found.push_back(path); }

    std::vector<int> folderCounts;
    int lastFileCount = -1;
    int pumps = 0;
    std::function<void()> onPump;
    std::vector<std::string> found;
};

SearchRequest Custom(const std::string& folder, const std::string& pattern, bool subfolders = true) {
    SearchRequest request;
    request.folder = folder;
    request.includeSubfolders = subfolders;
    request.pattern = [pattern] { return pattern; };
    request.skipNamesEndingInDot = true;
    return request;
}

SearchRequest Preset(const std::string& folder, const std::string& maskList) {
    SearchRequest request;
    request.folder = folder;
    request.maskList = maskList;
    return request;
}

}  // namespace

TEST(WildcardMatch, StarQuestionMarkAndCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.mp3", "Song.MP3", true},   {"*.mp3", "song.mp3x", false}, {"*", "a", true},
        {"?.txt", "a.txt", true},      {"?.txt", "ab.txt", false},    {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},    {"*.mp3;*.wav", "x.wav", false}, {"*.mp3;*.wav", "x.mp3;y.wav", true},
        {"", "a", false},              {"*.*", "..", true},           {"*a", "banana", true},
    };
    for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(SearchEngine, SortedFoldersThenPatternsInListOrderThenListingOrder) {
    MemoryTree tree("C:\\Data");
    const int zeta = tree.AddFolder(MemoryTree::kRoot, "zeta");
    const int alpha = tree.AddFolder(MemoryTree::kRoot, "Alpha");
    const int beta = tree.AddFolder(alpha, "beta");
    tree.AddFile(MemoryTree::kRoot, "b.wav");
    tree.AddFile(MemoryTree::kRoot, "a.mp3");
    tree.AddFile(zeta, "z.mp3");
    tree.AddFile(beta, "y.wav");
    tree.AddFile(beta, "x.mp3");
    tree.AddFile(alpha, "readme.txt");
    SearchEngine engine(tree);
    RecordingHooks hooks;
    const SearchOutcome outcome = engine.Run(Preset("C:\\Data", "*.mp3;*.wav"), hooks);
    const std::vector<std::string> expected{
        "C:\\Data\\a.mp3",         "C:\\Data\\b.wav",       "C:\\Data\\Alpha\\beta\\x.mp3",
        "C:\\Data\\Alpha\\beta\\y.wav", "C:\\Data\\zeta\\z.mp3",
    };
    EXPECT_EQ(hooks.found, expected);
    EXPECT_EQ(outcome.folders, 3);
    EXPECT_EQ(outcome.results, 5);
    EXPECT_FALSE(outcome.overflow);
    EXPECT_EQ(hooks.lastFileCount, 5);
    // The folder counter moves after every entry of the walk, "." and ".." included.
    EXPECT_EQ(hooks.folderCounts.back(), 3);
}

TEST(SearchEngine, DriveRootGivesNoDoubledBackslashAndSubfoldersCanBeLeftOut) {
    MemoryTree tree("C:\\");
    tree.AddFile(MemoryTree::kRoot, "top.mp3");
    tree.AddFile(tree.AddFolder(MemoryTree::kRoot, "Music"), "deep.mp3");
    SearchEngine engine(tree);
    RecordingHooks all;
    engine.Run(Custom("C:\\", "*.mp3"), all);
    EXPECT_EQ(all.found, (std::vector<std::string>{"C:\\top.mp3", "C:\\Music\\deep.mp3"}));
    RecordingHooks flat;
    const SearchOutcome outcome = engine.Run(Custom("C:\\", "*.mp3", false), flat);
    EXPECT_EQ(flat.found, std::vector<std::string>{"C:\\top.mp3"});
    EXPECT_EQ(outcome.folders, 0);
}

TEST(SearchEngine, CustomAndPresetRules) {
    // Each case runs over the same tree: a folder and a file whose names end in a dot.
    MemoryTree tree("C:\\T");
    tree.AddFile(tree.AddFolder(MemoryTree::kRoot, "dotted."), "inside.mp3");
    tree.AddFile(MemoryTree::kRoot, "song.mp3");
    tree.AddFile(MemoryTree::kRoot, "odd.");
    tree.AddFile(MemoryTree::kRoot, "x.mp3;y.wav");
    tree.AddFile(MemoryTree::kRoot, "y.wav");
    struct Case {
        const char* name;
        SearchRequest request;
        std::vector<std::string> found;
        int folders;
    };
    Case cases[] = {
        {"empty pattern finds nothing", Custom("C:\\T", ""), {}, 0},
        {"a semicolon is part of one pattern", Custom("C:\\T", "*.mp3;*.wav"), {"C:\\T\\x.mp3;y.wav"}, 0},
        {"custom passes over names ending in a dot", Custom("C:\\T", "*"), {"C:\\T\\song.mp3", "C:\\T\\x.mp3;y.wav", "C:\\T\\y.wav"}, 0},
        {"preset keeps names ending in a dot", Preset("C:\\T", "odd."), {"C:\\T\\odd."}, 0},
    };
    for (Case& c : cases) {
        SearchEngine engine(tree);
        RecordingHooks hooks;
        const SearchOutcome outcome = engine.Run(c.request, hooks);
        EXPECT_EQ(hooks.found, c.found) << c.name;
        // The folder "dotted." is neither searched nor counted.
        EXPECT_EQ(outcome.folders, c.folders) << c.name;
    }
}

TEST(SearchEngine, CustomPatternIsReadAgainForEveryFolder) {
    MemoryTree tree("C:\\T");
    tree.AddFile(MemoryTree::kRoot, "a.mp3");
    tree.AddFile(MemoryTree::kRoot, "a.wav");
    const int sub = tree.AddFolder(MemoryTree::kRoot, "sub");
    tree.AddFile(sub, "b.mp3");
    tree.AddFile(sub, "b.wav");
    SearchRequest request = Custom("C:\\T", "");
    std::vector<std::string> patterns{"*.mp3", "*.wav"};
    size_t reads = 0;
    request.pattern = [&] { return patterns[reads++ % 2]; };
    SearchEngine engine(tree);
    RecordingHooks hooks;
    engine.Run(request, hooks);
    EXPECT_EQ(hooks.found, (std::vector<std::string>{"C:\\T\\a.mp3", "C:\\T\\sub\\b.wav"}));
}

TEST(SearchEngine, StopDuringWalkListsNothingAndKeepsTheFoldersSoFar) {
    MemoryTree tree("C:\\T");
    for (int i = 0; i < 10; ++i) tree.AddFile(tree.AddFolder(MemoryTree::kRoot, "f" + std::to_string(i)), "a.mp3");
    SearchEngine engine(tree);
    RecordingHooks hooks;
    hooks.onPump = [&] {
        if (hooks.folderCounts.size() == 4) engine.RequestStop();
    };
    const SearchOutcome outcome = engine.Run(Custom("C:\\T", "*.mp3"), hooks);
    EXPECT_TRUE(hooks.found.empty());
    // ".", ".." and two folders were read before the stop.
    EXPECT_EQ(outcome.folders, 2);
    EXPECT_EQ(outcome.results, 0);
    EXPECT_TRUE(engine.StopRequested());
}

TEST(SearchEngine, StopDuringFilePassKeepsWhatWasFound) {
    MemoryTree tree("C:\\T");
    for (int i = 0; i < 10; ++i) tree.AddFile(MemoryTree::kRoot, std::to_string(i) + ".mp3");
    SearchEngine engine(tree);
    RecordingHooks hooks;
    hooks.onPump = [&] {
        if (hooks.found.size() == 3) engine.RequestStop();
    };
    const SearchOutcome outcome = engine.Run(Custom("C:\\T", "*.mp3"), hooks);
    EXPECT_EQ(hooks.found.size(), 3u);
    EXPECT_EQ(outcome.results, 3);
    EXPECT_FALSE(outcome.overflow);
}

TEST(SearchEngine, ResultLimitAppliesUnlessUnlimited) {
    MemoryTree tree("C:\\Many");
    for (int i = 0; i < 40000; ++i) tree.AddFile(MemoryTree::kRoot, std::to_string(i) + ".mp3");
    struct Case {
        bool unlimited;
        int resultsBefore;
        int found;
        bool overflow;
    };
    const Case cases[] = {
        {false, 0, 32736, true},
        {true, 0, 40000, false},
        // Results already in the caller's list count against the limit.
        {false, 32000, 736, true},
    };
    for (const Case& c : cases) {
        SearchEngine engine(tree);
        RecordingHooks hooks;
        SearchRequest request = Preset("C:\\Many", "*.mp3");
        request.unlimited = c.unlimited;
        request.resultsBefore = c.resultsBefore;
        const SearchOutcome outcome = engine.Run(request, hooks);
        EXPECT_EQ(static_cast<int>(hooks.found.size()), c.found) << c.unlimited;
        EXPECT_EQ(outcome.overflow, c.overflow) << c.unlimited;
        EXPECT_EQ(hooks.lastFileCount, c.resultsBefore + c.found) << c.unlimited;
    }
}

TEST(SearchEngine, CyclesEndAndLockedFoldersArePassedOver) {
    MemoryTree tree("C:\\Loop");
    const int a = tree.AddFolder(MemoryTree::kRoot, "a");
    const int b = tree.AddFolder(a, "b");
    tree.AddLink(b, "back", MemoryTree::kRoot);  // a junction to the chosen folder
    tree.AddLink(b, "again", a);
    tree.AddFile(b, "x.mp3");
    const int locked = tree.AddFolder(MemoryTree::kRoot, "locked");
    tree.AddFile(locked, "hidden.mp3");
    tree.Lock(locked);
    tree.AddFile(tree.AddFolder(MemoryTree::kRoot, "open"), "y.mp3");
    SearchEngine engine(tree);
    RecordingHooks hooks;
    const SearchOutcome outcome = engine.Run(Custom("C:\\Loop", "*.mp3"), hooks);
    EXPECT_EQ(hooks.found, (std::vector<std::string>{"C:\\Loop\\a\\b\\x.mp3", "C:\\Loop\\open\\y.mp3"}));
    EXPECT_EQ(outcome.folders, 4);
}

TEST(SearchEngine, DeepTreeWalksWithoutRecursion) {
    MemoryTree tree("C:\\D");
    int node = MemoryTree::kRoot;
    constexpr int kDepth = 10000;
    for (int level = 0; level < kDepth; ++level) node = tree.AddFolder(node, "d");
    tree.AddFile(node, "bottom.mp3");
    SearchEngine engine(tree);
    RecordingHooks hooks;
    const SearchOutcome outcome = engine.Run(Preset("C:\\D", "*.mp3"), hooks);
    EXPECT_EQ(outcome.folders, kDepth);
    ASSERT_EQ(hooks.found.size(), 1u);
    EXPECT_EQ(hooks.found[0].size(), std::string("C:\\D").size() + 2u * kDepth + std::string("\\bottom.mp3").size());
}
