#pragma once
// The copy dialog: copies the file selected in its owner's list into a remembered folder,
// never over an entry of the same name. One design, two instances: the search window's and the
// picture viewer's, which differ in captions, settings key and what happens to the owner after.
#include <functional>
#include <string>

#include "core/services.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"

namespace tikora {

// The window whose list the dialog copies from.
class CopyOwner {
public:
    virtual ~CopyOwner() = default;
    // The full path of the selected item, or nullopt when none is selected.
    virtual std::optional<std::string> SelectedPath() = 0;
    // Enables the owner again; `afterCopy` is true when a copy was attempted.
    virtual void CopyDialogClosed(bool afterCopy) = 0;
};

// SHFileOperationA FO_COPY; the result is the shell's (0 for success).
class FileCopier {
public:
    virtual ~FileCopier() = default;
    virtual int Copy(const std::string& source, const std::string& targetFolder) = 0;
};

class ShellFileCopier final : public FileCopier {
public:
    int Copy(const std::string& source, const std::string& targetFolder) override;
};

struct CopyDialogText {
    const char* copyCaption;  // "Copy " (search window) or "Copy" (picture viewer)
    const char* settingsKey;  // "edit1" or "edit2" in section EditTexts
};
inline constexpr CopyDialogText kSearchCopyText{"Copy ", "edit1"};
inline constexpr CopyDialogText kViewerCopyText{"Copy", "edit2"};

// The system calls the dialog makes; null members are the real system.
struct CopyDialogSystem {
    ui::FolderBrowser* browser = nullptr;
    FileCopier* copier = nullptr;
    // The standard message box with the application title; tests record instead.
    std::function<void(const std::string&)> message;
};

class CopyDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    CopyDialog(ui::FormName name, CopyDialogText text, SettingsStore& settings, CopyDialogSystem system = {});
    ~CopyDialog() override;

    // The owner may come after the dialog (windows are made in catalogue order).
    void SetOwner(CopyOwner* owner) { owner_ = owner; }
    // "Copy to...": the owner has disabled itself.
    void Open() { Show(); }

    std::string TargetFolder() const { return target_.Text(); }
    const std::string& TargetHint() const { return target_.Hint(); }

    // The buttons' reactions, as a click runs them.
    void SelectFolder();
    void CopySelected();

protected:
    void OnCreate() override;
    void OnShow() override;
    void OnClose() override;
    // Esc acts as the close box.
    void OnCommand(int id, int code, HWND control) override;

private:
    void ShowMessage(const std::string& text);
    void Finish(bool afterCopy);

    CopyDialogText text_;
    SettingsStore& settings_;
    CopyDialogSystem system_;
    ui::SystemFolderBrowser systemBrowser_;
    ShellFileCopier systemCopier_;
    CopyOwner* owner_ = nullptr;

    ui::Edit target_;
    ui::PushButton selectButton_;
    ui::PushButton copyButton_;
};

// The message for a name the target folder already holds.
std::string AlreadyContainsText(const std::string& name);

}  // namespace tikora
