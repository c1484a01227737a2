// Reminder.ini: loading through the profile functions and saving by write-then-replace.
#include "alarms/reminder_file_win.h"

#include <windows.h>

#include "alarms/reminder_store.h"
#include "core/errors.h"
#include "core/system_win.h"

namespace tikora {

namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The copy's bytes reach the disk before it takes the store's place.
bool FlushFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

}  // namespace

ReminderFile::ReminderFile(std::string path, StoreOpener openStore)
    : path_(std::move(path)), openStore_(std::move(openStore)) {
    if (!openStore_) openStore_ = [](const std::string& p) { return std::make_unique<IniFile>(p); };
}

std::vector<std::string> ProfileKeyNames(const std::string& path, const std::string& section) {
    // The names come as a list of strings ended by an empty one; a list that does not fit is cut
    // and reported as size - 2: grow until it fits.
    std::string buffer;
    for (DWORD size = 4096; size <= (64u << 20); size *= 2) {
        buffer.assign(size, '\0');
        const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size, path.c_str());
        if (length + 2 < size) {
            buffer.resize(length);
            break;
        }
    }
    std::vector<std::string> names;
    for (size_t start = 0; start < buffer.size();) {
        const size_t end = buffer.find('\0', start);
        const size_t stop = end == std::string::npos ? buffer.size() : end;
        if (stop > start) names.push_back(buffer.substr(start, stop - start));
        start = stop + 1;
    }
    return names;
}

std::vector<std::string> ReminderFile::Load() {
    IniFile store(path_);  // reads each value whole, however long
    return LoadReminders(store, ProfileKeyNames(path_, std::string(kReminderSection)));
}

void ReminderFile::Save(const std::vector<std::string>& entries) {
    const std::string copy = TemporaryPath();
    DeleteFileA(copy.c_str());  // left over by a save that was cut short
    const AppError failure("Unable to write to " + path_);
    if (FileExists(path_) && !CopyFileA(path_.c_str(), copy.c_str(), FALSE)) throw failure;
    try {
        std::unique_ptr<SettingsStore> store = openStore_(copy);
        SaveReminders(*store, ProfileKeyNames(copy, std::string(kReminderSection)), entries);
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str());  // flushes the system's cache
        if (!FlushFile(copy)) throw failure;
        if (!MoveFileExA(copy.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) throw failure;
    } catch (...) {
        DeleteFileA(copy.c_str());
        throw failure;
    }
}

}  // namespace tikora
