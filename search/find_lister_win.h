#pragma once
// The system's directory search behind the engine's DirectoryLister: FindFirstFileA and
// FindNextFileA with the system's own wildcard matching, folder identities from the file
// system (volume serial number and file index) and the user's collation for the folder queue.
#include "search/search_engine.h"

namespace tikora {

class FindFileLister final : public DirectoryLister {
public:
    std::unique_ptr<DirectoryListing> List(const std::string& pattern, ListedEntry& first) override;
    std::optional<FolderIdentity> Identify(const std::string& folder) override;
    bool Less(const std::string& a, const std::string& b) override;
};

}  // namespace tikora
