// The hot keys dialog: its layout, `LoadHotKeyBox` on show and `ApplyHotKeyOption` on the way out.
#include "settings/hot_keys_dialog_win.h"

#include "settings/hot_key_option.h"
#include "ui/font_win.h"
#include "ui/link_label_win.h"

namespace tikora {

namespace {

// The box and the gap before its caption, in 96-DPI pixels.

ui::FormSpec HotKeysFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::DialogNoMenu, 194, 124);
}

}  // namespace

HotKeysDialog::HotKeysDialog(ui::FormName name, LiveClock& clock, HotKeySwitch& keys, SettingsStore& settings)
    : ui::Form(HotKeysFormSpec(name)),
      clock_(clock),
      keys_(keys),
      settings_(settings),
      boldFont_(ui::MakeDialogFont(ui::FontBase::Designer, FW_BOLD)) {}

HotKeysDialog::~HotKeysDialog() { Destroy(); }

void HotKeysDialog::OnCreate() {
    label_.Create(Hwnd(), {.at = ui::GrowToText({11, 11, 161, 39}, boldFont_.get(), kHotKeysText),
                           .text = kHotKeysText,
                           .common = {.font = boldFont_.get()}});
    box_.Create(Hwnd(), {.at = ui::GrowToText({11, 64, 118, 17}, nullptr, kHotKeysBoxCaption, ui::kCheckMarkRoom),
                         .text = kHotKeysBoxCaption});
    applyButton_.Create(Hwnd(), {.at = {110, 90, 75, 25}, .text = "Apply"});
    applyButton_.onClick = [this] { ApplyAndHide(); };
}

void HotKeysDialog::OnShow() {
    box_.SetChecked(LoadHotKeyBox(clock_));
    SetFocusControl(box_.Hwnd());
}

void HotKeysDialog::OnClose() { ApplyAndHide(); }

void HotKeysDialog::OnCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) ApplyAndHide();
}

void HotKeysDialog::ApplyAndHide() {
    ApplyHotKeyOption(clock_, keys_, settings_, box_.Checked());
    Hide();
}

}  // namespace tikora
