// The alarm dialog's layout, its file chooser and test sound; the shutdown timer dialog's layout.
#include "alarms/alarm_dialogs_win.h"

#include <algorithm>
#include <optional>

#include "alarms/alarm_pictures.h"
#include "core/system_win.h"
#include "settings/settings_pictures.h"
#include "ui/bitmap_win.h"
#include "ui/text_fit_win.h"

namespace tikora {

namespace {

ui::FormSpec DialogSpec(ui::FormName name, int width, int height) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Single, width, height);
}

void StartGroup(const ui::Control& control) {
    SetWindowLongPtrA(control.Hwnd(), GWL_STYLE, GetWindowLongPtrA(control.Hwnd(), GWL_STYLE) | WS_GROUP);
}

void SetIcon(HWND window, HICON icon) {
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

uint32_t ButtonFaceColour() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return Rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

constexpr const char* kAlarmSection = "EditTexts";
constexpr const char* kAlarmFileKey = "edit3";

}  // namespace

DateTime TodayAt(int hour, int minute, int second) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    DateTime value = FromSystemTime(now);
    value.hour = hour;
    value.minute = minute;
    value.second = second;
    value.millisecond = 0;
    return value;
}

AlarmDialog::AlarmDialog(ui::FormName name, SystemServices services, ui::FileOpenDialog* fileDialog)
    : ui::Form(DialogSpec(name, 272, 126)),
      services_(services),
      fileDialog_(fileDialog ? fileDialog : &systemFileDialog_),
      icon_(ui::MakeIcon(BellPicture(), kAlarmIconBackground)),
      speakerPicture_(ui::MakeBitmap(LoudspeakerPicture(ButtonFaceColour()))) {}

AlarmDialog::~AlarmDialog() { Destroy(); }

void AlarmDialog::OnCreate() {
    SetIcon(Hwnd(), icon_.get());
    HWND form = Hwnd();
    // Created in the keyboard order: picker, armed box, then the action group.
    timeLabel_.Create(form, {.at = ui::GrowToText({8, 10, 31, 13}, nullptr, "Time:"), .text = "Time:"});
    timePicker_.Create(form, {.at = {39, 5, 77, 21}, .kind = ui::DateTimePicker::Kind::Time, .format = "HH:mm:ss"});
    armedBox_.Create(form, {.at = ui::GrowToText({125, 9, 137, 17}, nullptr, " Activate alarm clock ", ui::kCheckMarkRoom), .text = " Activate alarm clock "});
    actionGroup_.Create(form, {.at = {8, 37, 255, 79}, .text = "Action"});
    // Inside the group box, which sits at 8,37; positions stay in the form's client area.
    HWND group = actionGroup_.Hwnd();
    bellButton_.Create(group, {.at = ui::GrowToText({16, 56, 95, 17}, nullptr, " The bell rings ", ui::kCheckMarkRoom), .text = " The bell rings ", .groupStart = true, .checked = true});
    fileButton_.Create(group, {.at = ui::GrowToText({16, 83, 81, 17}, nullptr, " Open file ... ", ui::kCheckMarkRoom), .text = " Open file ... "});
    ringCountBox_.Create(group, {.at = {111, 52, 37, 22}, .readOnly = true});
    StartGroup(ringCountBox_);
    ringCountArrows_.Create(group, {.at = {131, 52, 17, 22}, .minimum = kMinRingCount, .maximum = kMaxRingCount,
                                   .position = 5, .buddy = ringCountBox_.Hwnd()});
    onceLabel_.Create(group, {.at = ui::GrowToText({153, 57, 24, 13}, nullptr, "once"), .text = "once"});
    testSoundButton_.Create(group, {.at = {185, 53, 67, 23}, .picture = speakerPicture_.get()});
    fileBox_.Create(group, {.at = {98, 82, 124, 21}, .readOnly = true});
    StartGroup(fileBox_);
    chooseButton_.Create(group, {.at = {229, 81, 23, 23}, .text = "..."});
    SetWindowTextA(testSoundButton_.Hwnd(), "Test sound");  // the accessible name; the picture is what shows

    testSoundButton_.onClick = [this] { PlayRing(); };
    chooseButton_.onClick = [this] { ChooseFile(); };

    timePicker_.SetValue(TodayAt(17, 0, 0));
    fileBox_.SetText(services_.settings.ReadString(kAlarmSection, kAlarmFileKey, ""));
}

void AlarmDialog::OnShow() {
    SetFocusControl(timePicker_.Hwnd());
    fileBox_.SetHint(fileBox_.Text());
}

void AlarmDialog::OnCommand(int id, int, HWND) {
    // Esc hides the dialog as the close box does; nothing is lost by it.
    if (id == IDCANCEL) Hide();
}

int AlarmDialog::RingCount() { return std::clamp(ringCountArrows_.Position(), kMinRingCount, kMaxRingCount); }

void AlarmDialog::ClearFile() {
    fileBox_.SetText("");
    fileBox_.SetHint("");
}

void AlarmDialog::ChooseFile() {
    ui::CurrentDirectoryGuard directory;
    std::optional<std::string> chosen = fileDialog_->Choose(Hwnd(), kAlarmFileFilter, "");
    if (!chosen || !services_.files.Exists(*chosen)) return;
    fileBox_.SetText(*chosen);
    fileBox_.SetHint(*chosen);
    services_.settings.WriteString(kAlarmSection, kAlarmFileKey, *chosen);
}

void AlarmDialog::PlayRing() {
    // Synchronous, as the bell itself: the program waits until the sound ends.
    services_.sound.Play(kRingFile, kSoundSynchronous);
}

ShutdownDialog::ShutdownDialog(ui::FormName name)
    : ui::Form(DialogSpec(name, 263, 93)), icon_(ui::MakeIcon(PowerPicture(), kAlarmIconBackground)) {}

ShutdownDialog::~ShutdownDialog() { Destroy(); }

void ShutdownDialog::OnCreate() {
    SetIcon(Hwnd(), icon_.get());
    HWND form = Hwnd();
    timeLabel_.Create(form, {.at = ui::GrowToText({8, 10, 36, 13}, nullptr, "Time:"), .text = "Time:"});
    timePicker_.Create(form, {.at = {45, 6, 77, 21}, .kind = ui::DateTimePicker::Kind::Time, .format = "HH:mm:ss"});
    armedBox_.Create(form, {.at = ui::GrowToText({136, 8, 103, 17}, nullptr, " Activate timer ", ui::kCheckMarkRoom), .text = " Activate timer "});
    actionGroup_.Create(form, {.at = {8, 37, 247, 48}, .text = "Action"});
    HWND group = actionGroup_.Hwnd();
    turnOffButton_.Create(group, {.at = ui::GrowToText({15, 56, 115, 17}, nullptr, " Turn off computer ", ui::kCheckMarkRoom), .text = " Turn off computer ", .groupStart = true, .checked = true});
    restartButton_.Create(group, {.at = ui::GrowToText({135, 56, 112, 17}, nullptr, " Restart computer ", ui::kCheckMarkRoom), .text = " Restart computer "});
    timePicker_.SetValue(TodayAt(15, 0, 0));
}

void ShutdownDialog::OnShow() { SetFocusControl(timePicker_.Hwnd()); }

void ShutdownDialog::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) Hide();
}

}  // namespace tikora
