#pragma once
// The skin chooser: the strips of the `Numbers` folder in a list, a preview at their real size,
// and "Apply", which puts the selected one on the clock and stores it. Created once at start,
// shown and hidden.
#include <windows.h>

#include <string>
#include <vector>

#include "clock/skin_and_hot_keys.h"
#include "core/settings_store.h"
#include "settings/skin_choice.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

// The folder as FindFirstFileA/FindNextFileA enumerate kSkinPattern in the current directory.
class SystemSkinFolder final : public SkinFolder {
public:
    std::vector<FolderEntry> List() override;
};

class SkinChooser final : public ui::Form {
public:
    // The class name and caption come from the window catalogue. A null folder is the real one.
    SkinChooser(ui::FormName name, SkinTarget& clock, SettingsStore& settings, SkinFolder* folder = nullptr);
    ~SkinChooser() override;

    HWND ListHandle() const { return list_.Hwnd(); }
    HWND PreviewHandle() const { return preview_.Hwnd(); }

protected:
    void OnCreate() override;
    void OnShow() override;
    // Esc hides, as the close box does; Enter applies.
    void OnCommand(int id, int code, HWND control) override;

private:
    void ShowPreview();
    void OnApply();

    SkinTarget& clock_;
    SettingsStore& settings_;
    SkinFolder* folder_;
    SystemSkinFolder systemFolder_;
    ui::UniqueFont boldFont_;

    ui::Panel panel_;
    ui::ImageControl preview_;
    ui::ListBox list_;
    ui::ImageControl decoration_;
    ui::PushButton applyButton_;
};

}  // namespace tikora
