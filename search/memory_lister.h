#pragma once
// A folder tree held in memory behind the DirectoryLister interface: the native stand-in for
// the file system, with the "*" and "?" matching of the system's directory search and no
// distinction of case. Folders may hold links to other folders, so cycles can be built.
#include <string>
#include <vector>

#include "search/search_engine.h"

namespace tikora {

// True when `name` matches `pattern`: "*" stands for any run of characters, "?" for one, and
// letters match without regard to case (ASCII).
bool WildcardMatch(const std::string& pattern, const std::string& name);

// The order of the native folder queue: byte order after folding ASCII letters to lower case.
bool LessIgnoringCase(const std::string& a, const std::string& b);

class MemoryTree final : public DirectoryLister {
public:
    // `root` is the chosen folder's text as the browser gives it ("C:\" or "C:\Music").
    explicit MemoryTree(std::string root);

    static constexpr int kRoot = 0;
    // Adds a folder (or, with `target` set, a link to that folder) and returns its node.
    int AddFolder(int parent, const std::string& name);
    void AddLink(int parent, const std::string& name, int target);
    void AddFile(int parent, const std::string& name);
    // A folder that refuses to be listed (no access).
    void Lock(int folder) { nodes_[static_cast<size_t>(folder)].locked = true; }

    std::unique_ptr<DirectoryListing> List(const std::string& pattern, ListedEntry& first) override;
    std::optional<FolderIdentity> Identify(const std::string& folder) override;
    bool Less(const std::string& a, const std::string& b) override { return LessIgnoringCase(a, b); }

    int listings = 0;  // List calls made

private:
    struct Child {
        std::string name;
        int node = -1;  // -1: a file
        bool link = false;
    };
    struct Node {
        std::vector<Child> children;
        bool locked = false;
    };
    // The node a folder text leads to (trailing backslash allowed), or -1.
    int Resolve(const std::string& folder) const;

    std::string root_;
    std::vector<Node> nodes_;
    mutable std::string cachedPath_;
    mutable int cachedNode_ = -1;
};

}  // namespace tikora
