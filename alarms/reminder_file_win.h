#pragma once
// Reminder.ini on disk. Loading reads every entry whole, however long. Saving never leaves a
// half-written store: the list is written through the profile functions onto a copy of the
// file beside it, which then replaces the file in one step, so the file on disk always holds
// either the complete old list or the complete new one, in the bytes the profile functions make.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings_store.h"

namespace tikora {

class ReminderFile {
public:
    // Opens the profile file that receives the writes; tests put a failing one in.
    using StoreOpener = std::function<std::unique_ptr<SettingsStore>(const std::string& path)>;

    explicit ReminderFile(std::string path, StoreOpener openStore = {});

    std::vector<std::string> Load();
    // Throws AppError "Unable to write to <path>" when the store cannot be replaced; the old
    // file is then untouched.
    void Save(const std::vector<std::string>& entries);

    const std::string& Path() const { return path_; }
    std::string TemporaryPath() const { return path_ + ".new"; }

private:
    std::string path_;
    StoreOpener openStore_;
};

// The names of the keys of a section of a profile file, in file order.
std::vector<std::string> ProfileKeyNames(const std::string& path, const std::string& section);

}  // namespace tikora
