// The picture viewer's settings dialog.
#include "viewer/viewer_settings_win.h"

namespace tikora {

namespace {

constexpr std::string_view kIncludeKey = "include";
constexpr std::string_view kShowNameKey = "showname";
constexpr std::string_view kAutosizeKey = "autosize";

ui::FormSpec SettingsSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::DialogNoMenu, 186, 223);
}

}  // namespace

ViewerSettingsDialog::ViewerSettingsDialog(ui::FormName name, SettingsStore& settings)
    : ui::Form(SettingsSpec(name)), settings_(settings) {}

ViewerSettingsDialog::~ViewerSettingsDialog() { Destroy(); }

void ViewerSettingsDialog::OnCreate() {
    HWND form = Hwnd();
    // The groups' controls are placed in the form's client area: group origin plus their offset.
    addFolderGroup_.Create(form, {.at = {8, 8, 170, 50}, .text = "Add folder"});
    includeBox_.Create(addFolderGroup_.Hwnd(), {.at = {8 + 9, 8 + 22, 136, 17}, .text = " Include subdirectories "});
    viewGroup_.Create(form, {.at = {8, 74, 170, 105}, .text = "View settings"});
    HWND view = viewGroup_.Hwnd();
    bestFitButton_.Create(view, {.at = {8 + 9, 74 + 21, 72, 17}, .text = " Best fit ", .groupStart = true});
    actualSizeButton_.Create(view, {.at = {8 + 9, 74 + 44, 89, 17}, .text = " Actual size "});
    showNameBox_.Create(view, {.at = {8 + 9, 74 + 74, 107, 17}, .text = " Show file name "});
    okButton_.Create(form, {.at = {103, 188, 75, 25}, .text = "OK", .isDefault = true});
    okButton_.onClick = [this] { OnOk(); };

    includeBox_.SetChecked(settings_.ReadBool(kViewerSection, kIncludeKey, true));
    showNameBox_.SetChecked(settings_.ReadBool(kViewerSection, kShowNameKey, false));
    const bool bestFit = settings_.ReadBool(kViewerSection, kAutosizeKey, true);
    bestFitButton_.SetChecked(bestFit);
    actualSizeButton_.SetChecked(!bestFit);
}

void ViewerSettingsDialog::OnOk() {
    // In this order; a failed write stops here with its message and the dialog stays open.
    settings_.WriteBool(kViewerSection, kIncludeKey, IncludeSubfolders());
    settings_.WriteBool(kViewerSection, kShowNameKey, ShowFileName());
    settings_.WriteBool(kViewerSection, kAutosizeKey, BestFit());
    Hide();
    if (owner_) {
        owner_->EnableViewer();
        owner_->FocusList();
    }
}

void ViewerSettingsDialog::OnClose() {
    // Alt+F4 (there is no close box): the changes stay live, nothing is stored.
    Hide();
    if (owner_) owner_->EnableViewer();
}

void ViewerSettingsDialog::OnCommand(int id, int, HWND) {
    // Enter is "OK"; Esc closes the dialog as Alt+F4 does.
    if (id == IDOK) OnOk();
    if (id == IDCANCEL) OnClose();
}

}  // namespace tikora
