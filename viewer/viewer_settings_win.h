#pragma once
// The picture viewer's settings dialog: three options in live controls. The viewer and the
// browsing view read the boxes whenever they need a value, so a change acts at once; only "OK"
// stores it. Read from the settings file once, at creation. No close box and no "Cancel".
#include <windows.h>

#include "core/settings_store.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/group_box_win.h"

namespace tikora {

inline constexpr std::string_view kViewerSection = "Viewer";

// The window the dialog was opened from, disabled while it shows: "OK" and any other close
// enable it again; "OK" also gives its list the focus.
class ViewerSettingsOwner {
public:
    virtual ~ViewerSettingsOwner() = default;
    virtual void EnableViewer() = 0;
    virtual void FocusList() = 0;
};

class ViewerSettingsDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    ViewerSettingsDialog(ui::FormName name, SettingsStore& settings);
    ~ViewerSettingsDialog() override;

    void SetOwner(ViewerSettingsOwner* owner) { owner_ = owner; }

    // The live settings.
    bool IncludeSubfolders() const { return includeBox_.Checked(); }
    bool ShowFileName() const { return showNameBox_.Checked(); }
    bool BestFit() const { return bestFitButton_.Checked(); }

protected:
    void OnCreate() override;
    void OnClose() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    void OnOk();

    SettingsStore& settings_;
    ViewerSettingsOwner* owner_ = nullptr;
    ui::GroupBox addFolderGroup_;
    ui::CheckBox includeBox_;
    ui::GroupBox viewGroup_;
    ui::RadioButton bestFitButton_;
    ui::RadioButton actualSizeButton_;
    ui::CheckBox showNameBox_;
    ui::PushButton okButton_;
};

}  // namespace tikora
