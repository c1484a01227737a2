#pragma once
// The hot keys dialog: one box that switches the CD hot keys, and "Apply". Every way out of it
// applies the box. Created once at start, shown and hidden.
#include <windows.h>

#include "clock/live_clock.h"
#include "clock/skin_and_hot_keys.h"
#include "core/settings_store.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

inline constexpr const char* kHotKeysText = "Open CD - Ctrl + Alt + Up\r\n \r\nClose CD - Ctrl + Alt + Down";
inline constexpr const char* kHotKeysBoxCaption = "  Activate hot keys  ";

class HotKeysDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    HotKeysDialog(ui::FormName name, LiveClock& clock, HotKeySwitch& keys, SettingsStore& settings);
    ~HotKeysDialog() override;

    HWND BoxHandle() const { return box_.Hwnd(); }

protected:
    void OnCreate() override;
    void OnShow() override;
    // Alt+F4: the box is applied, then the dialog hides.
    void OnClose() override;
    // Enter and Esc leave the dialog as Alt+F4 does.
    void OnCommand(int id, int code, HWND control) override;

private:
    void ApplyAndHide();

    LiveClock& clock_;
    HotKeySwitch& keys_;
    SettingsStore& settings_;
    ui::UniqueFont boldFont_;

    ui::Label label_;
    ui::CheckBox box_;
    ui::ToolButton applyButton_;
};

}  // namespace tikora
