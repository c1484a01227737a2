// The settings dialog: its layout, the boxes' reactions with the Twinkle interlock, "Apply",
// "Cancel", the chime chooser and the play button.
#include "settings/settings_dialog_win.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/errors.h"
#include "settings/settings_options.h"
#include "settings/settings_pictures.h"
#include "ui/bitmap_win.h"

namespace tikora {

namespace {

// One option box: the option it shows, where it sits, its caption and its place in the tab order.
struct BoxRow {
    bool ClockOptions::*option;
    ui::Bounds at;
    const char* caption;
    int tabOrder;
};

// The panel's top left corner: the positions of the controls it holds are relative to it.
constexpr int kPanelX = 8;
constexpr int kPanelY = 8;

constexpr ui::Bounds InPanel(int x, int y, int width, int height) { return {kPanelX + x, kPanelY + y, width, height}; }

// In the order of kSettingsDialogOptions, which is also the order LoadOptionBoxes sets them in.
constexpr BoxRow kBoxes[] = {
    {&ClockOptions::autostart, InPanel(10, 10, 149, 17), " Run at Windows startup ", 6},
    {&ClockOptions::hideonstart, InPanel(205, 10, 134, 17), " Hide the clock at start ", 5},
    {&ClockOptions::scotch, InPanel(10, 40, 184, 17), " Snap to the edges of the screen ", 4},
    {&ClockOptions::ghost, InPanel(205, 40, 135, 17), " Transparent (W2K-XP) ", 3},
    {&ClockOptions::showsecond, InPanel(205, 70, 99, 17), " Show seconds ", 2},
    {&ClockOptions::flash, InPanel(205, 100, 80, 17), " Twinkle ", 1},
    {&ClockOptions::hideunder, InPanel(10, 70, 165, 17), " Hide the clock under cursor ", 0},
    {&ClockOptions::everyhour, InPanel(10, 100, 103, 17), " Strike the hour ", 7},
};
static_assert(std::size(kBoxes) == std::size(kSettingsDialogOptions));

constexpr int kChimeBoxTabOrder = 8;

ui::FormSpec SettingsFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Single, 364, 217);
}

uint32_t ButtonFaceColour() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return Rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

}  // namespace

SettingsDialog::SettingsDialog(ui::FormName name, LiveClock& clock, SystemServices services,
                               SettingsDialogSystem system)
    : ui::Form(SettingsFormSpec(name)),
      clock_(clock),
      services_(services),
      system_(system),
      icon_(ui::MakeIcon(SettingsIconPicture(), kSettingsIconBackground)),
      playPicture_(ui::MakeBitmap(LoudspeakerPicture(ButtonFaceColour()))) {
    if (!system_.registry) system_.registry = &systemRegistry_;
    if (!system_.fileDialog) system_.fileDialog = &systemFileDialog_;
}

SettingsDialog::~SettingsDialog() { Destroy(); }

void SettingsDialog::OnCreate() {
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));

    panel_.Create(Hwnd(), {.at = {kPanelX, kPanelY, 347, 165}, .outer = ui::Panel::Bevel::Lowered, .inner = ui::Panel::Bevel::Raised});
    HWND panel = panel_.Hwnd();
    for (size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i].Create(panel, {.at = kBoxes[i].at, .text = kBoxes[i].caption});
        boxes_[i].onClick = [this, option = kBoxes[i].option] { OnBoxClick(option); };
    }
    chimeBox_.Create(panel, {.at = InPanel(10, 130, 176, 21), .readOnly = true});
    chooseButton_.Create(panel, {.at = InPanel(191, 130, 21, 21), .text = "..."});
    playButton_.Create(panel, {.at = InPanel(216, 130, 21, 21), .text = "Test sound", .picture = playPicture_.get()});  // the text names it for screen readers
    cancelButton_.Create(Hwnd(), {.at = {195, 181, 75, 25}, .text = "Cancel"});
    applyButton_.Create(Hwnd(), {.at = {279, 181, 75, 25}, .text = "Apply"});

    chooseButton_.onClick = [this] { ChooseChime(); };
    playButton_.onClick = [this] { PlayChime(); };
    cancelButton_.onClick = [this] { OnCancel(); };
    applyButton_.onClick = [this] { OnApply(); };

    std::vector<std::pair<int, ui::Control*>> order;
    for (size_t i = 0; i < boxes_.size(); ++i) order.push_back({kBoxes[i].tabOrder, &boxes_[i]});
    order.push_back({kChimeBoxTabOrder, &chimeBox_});
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ui::Control*> tabOrder;
    for (const auto& entry : order) tabOrder.push_back(entry.second);
    ui::SetTabOrder(tabOrder);

    chimeBox_.SetText(LoadChimePath(services_.settings));
    // The clock has decided this before any dialog exists; it holds for the run.
    if (!clock_.TransparencyAvailable()) Box(&ClockOptions::ghost).SetEnabled(false);
}

ui::CheckBox& SettingsDialog::Box(bool ClockOptions::*option) {
    for (size_t i = 0; i < boxes_.size(); ++i)
        if (kBoxes[i].option == option) return boxes_[i];
    throw AppError("No box for this option");
}

void SettingsDialog::LoadOptionBoxes() {
    // Each box reads the live value only when its turn comes: an earlier box's reaction may
    // have changed it (the seconds box unticks the twinkle box, which clears `flash`).
    for (size_t i = 0; i < boxes_.size(); ++i) boxes_[i].SetChecked(clock_.LiveOptions().*kBoxes[i].option);
}

void SettingsDialog::OnBoxClick(bool ClockOptions::*option) {
    const bool checked = Box(option).Checked();
    if (option == &ClockOptions::showsecond) {
        // The Twinkle interlock: no blinking separator beside the seconds.
        ui::CheckBox& twinkle = Box(&ClockOptions::flash);
        if (checked) {
            twinkle.SetChecked(false);
            twinkle.SetEnabled(false);
        } else {
            twinkle.SetEnabled(true);
        }
    }
    ApplyOptionBox(clock_, option, checked);
}

void SettingsDialog::OnShow() {
    LoadOptionBoxes();
    SetFocusControl(Box(&ClockOptions::autostart).Hwnd());
    chimeBox_.SetHint(chimeBox_.Text());
}

void SettingsDialog::OnApply() {
    // A failed registry write stops here: the settings file stays as it was and the dialog open.
    ApplyAutostart(clock_, *system_.registry, Box(&ClockOptions::autostart).Checked());
    SaveOptions(services_.settings, clock_, chimeBox_.Text());
    Hide();
}

void SettingsDialog::OnCancel() {
    RestoreOptions();
    Hide();
}

void SettingsDialog::OnClose() {
    RestoreOptions();
    Hide();
}

void SettingsDialog::RestoreOptions() {
    // The boxes stay as they are; the next show brings them in line.
    chimeBox_.SetText(tikora::RestoreOptions(services_.settings, clock_));
}

void SettingsDialog::ChooseChime() {
    ui::CurrentDirectoryGuard directory;
    const std::string start = ChimeStartFolder(directory.Path(), services_.files);
    std::optional<std::string> chosen = system_.fileDialog->Choose(Hwnd(), kChimeFilter, start);
    if (!chosen || !services_.files.Exists(*chosen)) return;
    // Live at once (the next hour chimes it); stored only by "Apply".
    chimeBox_.SetText(*chosen);
    chimeBox_.SetHint(*chosen);
}

void SettingsDialog::PlayChime() {
    // Synchronous: the program waits until the sound ends.
    services_.sound.Play(chimeBox_.Text(), kSoundSynchronous);
}

}  // namespace tikora
