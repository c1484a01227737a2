#pragma once
// The settings dialog: a view of the clock's live options in eight boxes that act on
// the running clock at once, the chime file, and "Apply" and "Cancel". Created once at start,
// shown and hidden, never destroyed before the end.
#include <windows.h>

#include <array>
#include <string>

#include "clock/live_clock.h"
#include "clock/main_tick.h"
#include "core/services.h"
#include "settings/autostart_registry_win.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

// The system calls of the dialog that tests stand in for; null members are the real system.
struct SettingsDialogSystem {
    AutostartRegistry* registry = nullptr;
    ui::FileOpenDialog* fileDialog = nullptr;
};

class SettingsDialog final : public ui::Form, public ChimeSource {
public:
    // The class name and caption come from the window catalogue.
    SettingsDialog(ui::FormName name, LiveClock& clock, SystemServices services, SettingsDialogSystem system = {});
    ~SettingsDialog() override;

    // The main tick reads the chime box's current text when it chimes.
    std::string ChimeFile() override { return chimeBox_.Text(); }

    // Sets the boxes from the live options, one after the other; each change runs its reaction.
    void LoadOptionBoxes();

protected:
    void OnCreate() override;
    void OnShow() override;
    // The close box and Alt+F4: the stored state comes back, then the dialog hides.
    void OnClose() override;

private:
    ui::CheckBox& Box(bool ClockOptions::*option);
    void OnBoxClick(bool ClockOptions::*option);
    void OnApply();
    void OnCancel();
    void RestoreOptions();
    void ChooseChime();
    void PlayChime();

    LiveClock& clock_;
    SystemServices services_;
    SettingsDialogSystem system_;
    SystemAutostartRegistry systemRegistry_;
    ui::SystemFileOpenDialog systemFileDialog_;
    ui::UniqueIcon icon_;
    ui::UniqueBitmap playPicture_;

    ui::Panel panel_;
    // In the order of the options' table: autostart, hideonstart, scotch, ghost, showsecond,
    // flash, hideunder, everyhour.
    std::array<ui::CheckBox, 8> boxes_;
    ui::Edit chimeBox_;
    ui::ToolButton chooseButton_;
    ui::ToolButton playButton_;
    ui::ToolButton cancelButton_;
    ui::ToolButton applyButton_;
};

}  // namespace tikora
