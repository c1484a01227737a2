// FindFirstFileA/FindNextFileA enumerations, folder identities and the queue's collation.
#include "search/find_lister_win.h"

#include <windows.h>

namespace tikora {

namespace {

class FindListing final : public DirectoryListing {
public:
    explicit FindListing(HANDLE find) : find_(find) {}
    ~FindListing() override { FindClose(find_); }
    FindListing(const FindListing&) = delete;
    FindListing& operator=(const FindListing&) = delete;

    bool Next(ListedEntry& entry) override {
        WIN32_FIND_DATAA data;
        if (!FindNextFileA(find_, &data)) return false;
        Fill(data, entry);
        return true;
    }

    static void Fill(const WIN32_FIND_DATAA& data, ListedEntry& entry) {
        entry.name.assign(data.cFileName);
        entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    }

private:
    HANDLE find_;
};

}  // namespace

std::unique_ptr<DirectoryListing> FindFileLister::List(const std::string& pattern, ListedEntry& first) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return nullptr;
    // A name the ANSI code page cannot spell comes back with "?" in it; it is listed as it is.
    FindListing::Fill(data, first);
    return std::make_unique<FindListing>(find);
}

std::optional<FolderIdentity> FindFileLister::Identify(const std::string& folder) {
    // Opening the folder itself (backup semantics) follows links and junctions to their target,
    // whose identity is what tells a cycle.
    HANDLE handle = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(handle, &info) != FALSE;
    CloseHandle(handle);
    // A file system without file numbers reports 0: no identity then, rather than one for all.
    if (!ok || (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0)) return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool FindFileLister::Less(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

}  // namespace tikora
