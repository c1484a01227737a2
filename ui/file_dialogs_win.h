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

}  // namespace tikora::ui
