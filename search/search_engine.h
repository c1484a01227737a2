#pragma once
// The file search: a breadth-first walk of a folder tree without recursion, then a pass over
// every folder found with each pattern. It reaches the file system only through DirectoryLister
// (FindFirstFile on Windows, an in-memory tree in the native tests) and reports through
// SearchHooks, so the counters, the message pump and the result list stay the caller's.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tikora {

// At most this many results unless the search is unlimited (0x7FE0).
inline constexpr int kSearchResultLimit = 32736;

struct ListedEntry {
    std::string name;
    bool isFolder = false;
    bool isLink = false;  // a link or junction: it may lead back into the tree
};

// One open enumeration; closing it is destroying it.
class DirectoryListing {
public:
    virtual ~DirectoryListing() = default;
    // The next entry, or false at the end.
    virtual bool Next(ListedEntry& entry) = 0;
};

// A folder's identity on its volume: two paths that lead to one folder (links, junctions) have
// the same identity.
struct FolderIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
    friend auto operator<=>(const FolderIdentity&, const FolderIdentity&) = default;
};

class DirectoryLister {
public:
    virtual ~DirectoryLister() = default;
    // Starts an enumeration of `pattern`, a folder text ending in "\" followed by a wildcard
    // pattern ("*" and "?", no distinction of case). The first entry is already read when the
    // result is not null; null when nothing matches or the folder cannot be listed.
    virtual std::unique_ptr<DirectoryListing> List(const std::string& pattern, ListedEntry& first) = 0;
    // The folder's identity, or nullopt when it cannot be told.
    virtual std::optional<FolderIdentity> Identify(const std::string& folder) = 0;
    // The order of the folder queue: ascending, without distinction of case.
    virtual bool Less(const std::string& a, const std::string& b) = 0;
};

// What a run reports while it goes; all of it on the caller's thread.
class SearchHooks {
public:
    virtual ~SearchHooks() = default;
    // After every entry of the walk: the folders collected so far (the chosen one not counted).
    virtual void FoldersCounted(int count) = 0;
    // After every entry of the file pass: the results so far.
    virtual void FilesCounted(int count) = 0;
    // After every entry: lets the program handle its pending messages (a stop request among them).
    virtual void ProcessMessages() = 0;
    virtual void Found(const std::string& path) = 0;
};

struct SearchRequest {
    // As the folder browser returns it: a drive root keeps its backslash ("C:\").
    std::string folder;
    bool includeSubfolders = true;
    // Custom search: one pattern, read afresh for every folder. When empty, `maskList` applies.
    std::function<std::string()> pattern;
    // Preset search: five-character patterns with one separator between them.
    std::string maskList;
    // The custom search passes over files whose name ends in ".".
    bool skipNamesEndingInDot = false;
    bool unlimited = false;
    // Results the caller's list already holds; the limit counts them too.
    int resultsBefore = 0;
};

struct SearchOutcome {
    int folders = 0;   // folders collected, the chosen one not counted
    int results = 0;   // the caller's list length at the end, resultsBefore included
    bool overflow = false;
};

class SearchEngine {
public:
    explicit SearchEngine(DirectoryLister& lister) : lister_(lister) {}

    // Clears the stop and overflow flags, then walks and lists. Memory: the folder queue, the
    // identities of the folders seen and nothing per result.
    SearchOutcome Run(const SearchRequest& request, SearchHooks& hooks);

    // "Stop" and the progress dialog's close box; the run ends at its next test of the flag.
    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    bool Overflow() const { return overflow_; }

private:
    void Walk(std::vector<std::string>& queue, SearchHooks& hooks);
    void ListFiles(const std::string& folder, const std::string& pattern, const SearchRequest& request,
                   SearchHooks& hooks, int& results);

    DirectoryLister& lister_;
    bool stop_ = false;
    bool overflow_ = false;
};

// The patterns of a mask list: the five-character pieces at 1-based positions 1, 7, 13, ...
// (the last may be shorter); the first empty piece ends the list. The separators are skipped by
// position alone.
std::vector<std::string> SplitMaskList(const std::string& maskList);

// The folder text with a trailing "\" ensured.
std::string WithBackslash(const std::string& folder);

}  // namespace tikora
