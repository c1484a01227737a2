// The folder walk, the sort of the folder queue and the file pass.
#include "search/search_engine.h"

#include <algorithm>
#include <set>

namespace tikora {

std::vector<std::string> SplitMaskList(const std::string& maskList) {
    std::vector<std::string> pieces;
    for (size_t position = 0; position < maskList.size(); position += 6) {
        std::string piece = maskList.substr(position, 5);
        if (piece.empty()) break;
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

std::string WithBackslash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder;
    return folder + '\\';
}

SearchOutcome SearchEngine::Run(const SearchRequest& request, SearchHooks& hooks) {
    stop_ = false;
    overflow_ = false;
    std::vector<std::string> queue{request.folder};
    if (request.includeSubfolders) Walk(queue, hooks);
    // The chosen folder is a prefix of every other entry, so it stays first.
    std::stable_sort(queue.begin(), queue.end(),
                     [this](const std::string& a, const std::string& b) { return lister_.Less(a, b); });

    int results = request.resultsBefore;
    const std::vector<std::string> presets = request.pattern ? std::vector<std::string>{} : SplitMaskList(request.maskList);
    for (size_t index = 0; index < queue.size() && !stop_; ++index) {
        const std::string folder = WithBackslash(queue[index]);
        if (request.pattern) {
            // Read again for every folder, as the user's text is.
            ListFiles(folder, request.pattern(), request, hooks, results);
        } else {
            for (size_t p = 0; p < presets.size() && !stop_; ++p) ListFiles(folder, presets[p], request, hooks, results);
        }
    }
    return SearchOutcome{static_cast<int>(queue.size()) - 1, results, overflow_};
}

void SearchEngine::Walk(std::vector<std::string>& queue, SearchHooks& hooks) {
    // Links and junctions can lead back to a folder already taken: such a folder is not queued
    // again, so the walk ends on any tree. Identities cost a system call per folder, so they are
    // taken only from the first link on (for every folder queued so far, then for each new one):
    // a tree without links cannot hold a folder twice. A folder whose identity cannot be told is
    // queued; the system's path length limit then bounds where a cycle through it can lead.
    std::set<FolderIdentity> seen;
    bool guarding = false;
    ListedEntry entry;
    for (size_t index = 0; index < queue.size() && !stop_; ++index) {
        const std::string folder = WithBackslash(queue[index]);
        std::unique_ptr<DirectoryListing> listing = lister_.List(folder + "*", entry);
        for (bool found = listing != nullptr; found && !stop_; found = listing->Next(entry)) {
            // Skips "." and "..", and any folder whose name ends in a dot.
            if (entry.isFolder && !entry.name.empty() && entry.name.back() != '.') {
                if (entry.isLink && !guarding) {
                    guarding = true;
                    for (const std::string& taken : queue)
                        if (auto identity = lister_.Identify(taken)) seen.insert(*identity);
                }
                std::string path = folder + entry.name;
                const std::optional<FolderIdentity> identity = guarding ? lister_.Identify(path) : std::nullopt;
                if (!identity || seen.insert(*identity).second) queue.push_back(std::move(path));
            }
            hooks.FoldersCounted(static_cast<int>(queue.size()) - 1);
            hooks.ProcessMessages();
        }
    }
}

void SearchEngine::ListFiles(const std::string& folder, const std::string& pattern, const SearchRequest& request,
                             SearchHooks& hooks, int& results) {
    ListedEntry entry;
    std::unique_ptr<DirectoryListing> listing = lister_.List(folder + pattern, entry);
    for (bool found = listing != nullptr; found && !stop_; found = listing->Next(entry)) {
        const bool passedOver = entry.isFolder || (request.skipNamesEndingInDot && !entry.name.empty() &&
                                                   entry.name.back() == '.');
        if (!passedOver) {
            if (!request.unlimited && results >= kSearchResultLimit) {
                stop_ = true;
                overflow_ = true;
            } else {
                hooks.Found(folder + entry.name);
                ++results;
            }
        }
        hooks.FilesCounted(results);
        hooks.ProcessMessages();
    }
}

}  // namespace tikora
