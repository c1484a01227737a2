#pragma once
// The system's file-open dialog and folder browser behind small interfaces that tests replace.
// Both may move the current directory; callers that rely on it put it back.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tikora::ui {

class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    // `filter` is written as "Wave (*.wav)|*.wav" (description and pattern pairs, "|" between).
    // The confirmed file's full path, or nullopt when the user cancelled.
    virtual std::optional<std::string> Choose(HWND owner, std::string_view filter, const std::string& initialFolder) = 0;
};

class SystemFileOpenDialog final : public FileOpenDialog {
public:
    std::optional<std::string> Choose(HWND owner, std::string_view filter, const std::string& initialFolder) override;
};

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;
    // The folder chosen, or nullopt when the user cancelled; `initialFolder` is preselected.
    virtual std::optional<std::string> Browse(HWND owner, const std::string& title, const std::string& initialFolder) = 0;
};

class SystemFolderBrowser final : public FolderBrowser {
public:
    // centreOnOwner: the browser opens centred on its owner's window instead of where the
    // system puts it.
    explicit SystemFolderBrowser(bool centreOnOwner = false) : centreOnOwner_(centreOnOwner) {}
    std::optional<std::string> Browse(HWND owner, const std::string& title, const std::string& initialFolder) override;

private:
    bool centreOnOwner_ = false;
};

// The filter as the open dialog wants it: the "|" become NULs and a second NUL ends the list.
std::string FileDialogFilter(std::string_view filter);

// Puts the current directory back when the scope ends, however it ends: the common file dialogs
// may move it, and the program resolves its relative paths ("Sounds\Ring.wav"...) against it.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() {
        char buffer[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
        if (length > 0 && length < sizeof buffer) remembered_.assign(buffer, length);
    }
    ~CurrentDirectoryGuard() {
        if (!remembered_.empty()) SetCurrentDirectoryA(remembered_.c_str());
    }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

    // The directory as it was when the guard was made; empty if it could not be read.
    const std::string& Path() const { return remembered_; }

private:
    std::string remembered_;
};

}  // namespace tikora::ui
