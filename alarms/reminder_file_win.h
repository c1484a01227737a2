#pragma once
// Reminder.ini on disk, read whole and changed in memory by the profile files' rules
// (`ProfileText`), since the system's profile functions drop a value of 32,767 characters or
// more without a word. Saving never leaves a half-written store: the new text is written to a
// copy beside the file, which then replaces the file in one step, so the file on disk always
// holds either the complete old list or the complete new one.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings_store.h"

namespace tikora {

class ReminderFile {
public:
    // Stands between "Apply" and the store's text; tests put a failing one in. Null: none.
    using StoreWrapper = std::function<std::unique_ptr<SettingsStore>(SettingsStore& text)>;

    explicit ReminderFile(std::string path, StoreWrapper wrapStore = {});

    std::vector<std::string> Load();
    // Throws AppError "Unable to write to <path>" when the store cannot be replaced (a read-only
    // file, a folder that takes no new file, a failed write); the old file is then untouched and
    // no copy is left beside it. A replaced store keeps the old file's attributes.
    void Save(const std::vector<std::string>& entries);

    const std::string& Path() const { return path_; }
    std::string TemporaryPath() const { return path_ + ".new"; }

private:
    std::string path_;
    StoreWrapper wrapStore_;
};

}  // namespace tikora
