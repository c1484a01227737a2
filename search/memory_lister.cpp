// The in-memory folder tree and the wildcard matching it lists with.
#include "search/memory_lister.h"

#include <cctype>
#include <cstring>

namespace tikora {

namespace {

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

std::string WithoutBackslash(std::string text) {
    while (!text.empty() && text.back() == '\\') text.pop_back();
    return text;
}

class MemoryListing final : public DirectoryListing {
public:
    explicit MemoryListing(std::vector<ListedEntry> entries) : entries_(std::move(entries)) {}
    bool Next(ListedEntry& entry) override {
        if (next_ >= entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

private:
    std::vector<ListedEntry> entries_;
    size_t next_ = 0;
};

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0;
    size_t n = 0;
    size_t star = std::string::npos;  // the last "*" seen, and where its run began in the name
    size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size() && !name.empty();
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const size_t length = a.size() < b.size() ? a.size() : b.size();
    // Queued paths share long prefixes: skip the equal stretch in blocks before folding.
    constexpr size_t kBlock = 64;
    size_t start = 0;
    while (start + kBlock <= length && std::memcmp(a.data() + start, b.data() + start, kBlock) == 0) start += kBlock;
    for (size_t i = start; i < length; ++i) {
        const unsigned char x = static_cast<unsigned char>(Fold(a[i]));
        const unsigned char y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

MemoryTree::MemoryTree(std::string root) : root_(WithoutBackslash(std::move(root))), nodes_(1) {}

int MemoryTree::AddFolder(int parent, const std::string& name) {
    nodes_.emplace_back();
    const int node = static_cast<int>(nodes_.size()) - 1;
    nodes_[static_cast<size_t>(parent)].children.push_back({name, node});
    return node;
}

void MemoryTree::AddLink(int parent, const std::string& name, int target) {
    nodes_[static_cast<size_t>(parent)].children.push_back({name, target, true});
}

void MemoryTree::AddFile(int parent, const std::string& name) {
    nodes_[static_cast<size_t>(parent)].children.push_back({name, -1});
}

int MemoryTree::Resolve(const std::string& folder) const {
    const std::string text = WithoutBackslash(folder);
    if (text.size() < root_.size() || !SameIgnoringCase(text.substr(0, root_.size()), root_)) return -1;
    int node = kRoot;
    size_t position = root_.size();
    // The engine asks for a folder and then for its subfolders: start from the last answer when
    // it is a prefix, so deep trees do not cost the square of their depth.
    if (cachedNode_ >= 0 && text.size() >= cachedPath_.size() &&
        text.compare(0, cachedPath_.size(), cachedPath_) == 0 &&
        (text.size() == cachedPath_.size() || text[cachedPath_.size()] == '\\')) {
        node = cachedNode_;
        position = cachedPath_.size();
    }
    while (position < text.size()) {
        if (text[position] != '\\') return -1;
        const size_t end = text.find('\\', position + 1);
        const std::string part = text.substr(position + 1, end == std::string::npos ? std::string::npos : end - position - 1);
        int next = -1;
        for (const Child& child : nodes_[static_cast<size_t>(node)].children)
            if (child.node >= 0 && SameIgnoringCase(child.name, part)) {
                next = child.node;
                break;
            }
        if (next < 0) return -1;
        node = next;
        position = end == std::string::npos ? text.size() : end;
    }
    cachedPath_ = text;
    cachedNode_ = node;
    return node;
}

std::unique_ptr<DirectoryListing> MemoryTree::List(const std::string& pattern, ListedEntry& first) {
    ++listings;
    const size_t slash = pattern.rfind('\\');
    if (slash == std::string::npos) return nullptr;
    const int node = Resolve(pattern.substr(0, slash + 1));
    if (node < 0 || nodes_[static_cast<size_t>(node)].locked) return nullptr;
    const std::string wildcard = pattern.substr(slash + 1);
    std::vector<ListedEntry> entries;
    // Folders other than a drive root list themselves and their parent first, as the system does.
    const bool driveRoot = node == kRoot && root_.size() == 2 && root_[1] == ':';
    if (!driveRoot)
        for (const char* dots : {".", ".."})
            if (WildcardMatch(wildcard, dots)) entries.push_back({dots, true, false});
    for (const Child& child : nodes_[static_cast<size_t>(node)].children)
        if (WildcardMatch(wildcard, child.name)) entries.push_back({child.name, child.node >= 0, child.link});
    if (entries.empty()) return nullptr;
    auto listing = std::make_unique<MemoryListing>(std::move(entries));
    listing->Next(first);
    return listing;
}

std::optional<FolderIdentity> MemoryTree::Identify(const std::string& folder) {
    const int node = Resolve(folder);
    if (node < 0) return std::nullopt;
    return FolderIdentity{1, static_cast<uint64_t>(node)};
}

}  // namespace tikora
