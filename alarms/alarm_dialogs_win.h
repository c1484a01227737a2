#pragma once
// The alarm dialog and the shutdown timer dialog: plain holders of state. Their controls are
// the alarm and the timer; the clock's main tick reads them through AlarmControls and
// ShutdownControls and unticks the armed boxes when it fires. Both are created once at start
// and closing them only hides them, so an armed alarm or timer stays armed.
#include <windows.h>

#include <string>

#include "clock/main_tick.h"
#include "core/services.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/file_dialogs_win.h"
#include "ui/form_win.h"
#include "ui/group_box_win.h"
#include "ui/handles_win.h"

namespace tikora {

inline constexpr std::string_view kAlarmFileFilter = "All files|*.*";
inline constexpr int kMinRingCount = 1;
inline constexpr int kMaxRingCount = 25;

class AlarmDialog final : public ui::Form, public AlarmControls {
public:
    // fileDialog: null for the system's open dialog.
    AlarmDialog(ui::FormName name, SystemServices services, ui::FileOpenDialog* fileDialog = nullptr);
    ~AlarmDialog() override;

    // AlarmControls: what the main tick reads and writes.
    DateTime Time() override { return timePicker_.Value(); }
    bool Armed() override { return armedBox_.Checked(); }
    void Disarm() override { armedBox_.SetChecked(false); }
    bool BellSelected() override { return bellButton_.Checked(); }
    int RingCount() override;
    std::string File() override { return fileBox_.Text(); }
    void ClearFile() override;

    // The hint of the file field, as its tooltip shows it.
    const std::string& FileHint() const { return fileBox_.Hint(); }

protected:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    void ChooseFile();
    void PlayRing();

    SystemServices services_;
    ui::FileOpenDialog* fileDialog_;
    ui::SystemFileOpenDialog systemFileDialog_;
    ui::UniqueIcon icon_;
    ui::UniqueBitmap speakerPicture_;

    ui::Label timeLabel_;
    ui::DateTimePicker timePicker_;
    ui::CheckBox armedBox_;
    ui::GroupBox actionGroup_;
    ui::RadioButton bellButton_;
    ui::Edit ringCountBox_;
    ui::UpDown ringCountArrows_;
    ui::Label onceLabel_;
    ui::ToolButton testSoundButton_;
    ui::RadioButton fileButton_;
    ui::Edit fileBox_;
    ui::ToolButton chooseButton_;
};

class ShutdownDialog final : public ui::Form, public ShutdownControls {
public:
    explicit ShutdownDialog(ui::FormName name);
    ~ShutdownDialog() override;

    // ShutdownControls
    DateTime Time() override { return timePicker_.Value(); }
    bool Armed() override { return armedBox_.Checked(); }
    void Disarm() override { armedBox_.SetChecked(false); }
    bool TurnOffSelected() override { return turnOffButton_.Checked(); }
    bool RestartSelected() override { return restartButton_.Checked(); }

protected:
    void OnCreate() override;
    void OnShow() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    ui::UniqueIcon icon_;
    ui::Label timeLabel_;
    ui::DateTimePicker timePicker_;
    ui::CheckBox armedBox_;
    ui::GroupBox actionGroup_;
    ui::RadioButton turnOffButton_;
    ui::RadioButton restartButton_;
};

// The time of day the pickers start with, on today's date.
DateTime TodayAt(int hour, int minute, int second);

}  // namespace tikora
