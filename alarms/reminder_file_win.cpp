// Reminder.ini: read whole and changed in memory with the profile files' rules, saved by
// write-then-replace.
#include "alarms/reminder_file_win.h"

#include <windows.h>

#include "alarms/reminder_store.h"
#include "core/errors.h"
#include "core/profile_text.h"

namespace tikora {

namespace {

// A store larger than this is not a list of reminders anyone wrote: it is neither read nor replaced.
constexpr DWORD kLargestStore = 256u << 20;

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a file whatever its attributes; a missing one is no error.
void RemoveFile(const std::string& path) {
    if (!FileExists(path)) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

// The file's bytes; false when it cannot be read whole (others may read it meanwhile).
bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestStore;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty() || (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                               read == bytes.size());
    }
    CloseHandle(file);
    return ok;
}

// A new file with these bytes, on the disk before this returns.
bool WriteNewFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

}  // namespace

ReminderFile::ReminderFile(std::string path, StoreWrapper wrapStore)
    : path_(std::move(path)), wrapStore_(std::move(wrapStore)) {}

std::vector<std::string> ReminderFile::Load() {
    std::string bytes;
    if (!ReadWholeFile(path_, bytes)) return {};  // missing (or unreadable): the list starts empty
    ProfileText store(bytes);
    return LoadReminders(store, store.KeyNames(kReminderSection));
}

void ReminderFile::Save(const std::vector<std::string>& entries) {
    const std::string copy = TemporaryPath();
    RemoveFile(copy);  // left over by a save that was cut short
    const AppError failure("Unable to write to " + path_);
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A store the user has made read-only is not replaced behind the user's back.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) throw failure;
    std::string bytes;
    if (exists && !ReadWholeFile(path_, bytes)) throw failure;
    ProfileText text(bytes);
    try {
        std::unique_ptr<SettingsStore> wrapped = wrapStore_ ? wrapStore_(text) : nullptr;
        SaveReminders(wrapped ? *wrapped : text, text.KeyNames(kReminderSection), entries);
    } catch (...) {
        throw failure;
    }
    // The copy is a plain file; it takes the old file's attributes once it has replaced it.
    if (!WriteNewFile(copy, text.Text()) ||
        !MoveFileExA(copy.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveFile(copy);
        throw failure;
    }
    if (exists) SetFileAttributesA(path_.c_str(), attributes);
}

}  // namespace tikora
