// The clock window's menu commands: the tray callback, the windows the items show, the tray
// icon chooser, the CD drives and hot keys.
#include "clock/clock_window_win.h"

#include <optional>
#include <utility>

#include "clock/icon_file_win.h"
#include "clock/web_links.h"
#include "core/errors.h"
#include "ui/application_win.h"

namespace tikora {

namespace {

// Runs an action when the scope ends, also when an error leaves it. The action must not throw.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F action) : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F action_;
};

}  // namespace

void ClockWindow::OnTrayMessage(UINT mouseMessage) {
    std::optional<int> id = tray_->OpenMenuFor(mouseMessage);
    if (!id) return;
    if (std::optional<MenuAction> action = DecodeMenuCommandId(*id)) RunMenuCommand(*action);
}

void ClockWindow::OnCommand(int id, int, HWND control) {
    if (control) return;  // the clock has no controls that notify
    if (std::optional<MenuAction> action = DecodeMenuCommandId(id)) RunMenuCommand(*action);
}

void ClockWindow::RunMenuCommand(MenuAction action) {
    switch (action.command) {
        case MenuCommand::None: break;
        case MenuCommand::Settings:
        case MenuCommand::ChangeSkin:
        case MenuCommand::TagEditor:
        case MenuCommand::ShutdownTimer:
        case MenuCommand::Information:
        case MenuCommand::Calendar:
        case MenuCommand::PictureViewer:
        case MenuCommand::SearchFiles:
        case MenuCommand::AlarmClock:
        case MenuCommand::Reminder:
        case MenuCommand::About:
        case MenuCommand::HotKeys: ShowWindowFor(action.command); break;
        case MenuCommand::Calculator:
            if (runCalculator_) runCalculator_();
            break;
        case MenuCommand::ChangeTrayIcon: ChangeTrayIcon(); break;
        case MenuCommand::ShowClock: ShowClock(); break;
        case MenuCommand::HideClock: HideClock(); break;
        case MenuCommand::Close: ui::Application::Instance().Terminate(); break;
        case MenuCommand::TurnOff: services_.power.Request(kPowerTurnOff); break;
        case MenuCommand::Restart: services_.power.Request(kPowerRestart); break;
        case MenuCommand::ClearRecentDocuments: ClearRecentDocuments(*system_.desktopShell); break;
        case MenuCommand::ChooseCd: ChooseCd(action.index); break;
        case MenuCommand::OpenCd: MoveCdDoor(CdDoorAction::Open); break;
        case MenuCommand::CloseCd: MoveCdDoor(CdDoorAction::Close); break;
        case MenuCommand::OpenLink: OpenWebLink(services_.shell, action.index); break;
    }
}

void ClockWindow::ShowWindowFor(MenuCommand command) {
    std::optional<WindowTarget> target = WindowForCommand(command);
    ui::Form* form = target && directory_ ? directory_(target->window) : nullptr;
    if (!form) return;
    if (target->rule == ShowRule::BringToFront)
        form->BringToFront();
    else
        form->Show();
}

void ClockWindow::ChangeTrayIcon() {
    char buffer[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    const std::string remembered(buffer, length < sizeof buffer ? length : 0);
    ScopeExit restoreDirectory([&] {
        if (!remembered.empty()) SetCurrentDirectoryA(remembered.c_str());
    });

    std::string start = IconChooserStartFolder(remembered, services_.files);
    std::optional<std::string> chosen = system_.iconChooser->Choose(Hwnd(), start);
    if (!chosen || !services_.files.Exists(*chosen)) return;

    tray_->Remove();
    // Whatever fails from here on, the tray icon comes back: without it the program could
    // neither be reached nor closed.
    ScopeExit addAgain([this] { tray_->Add(); });
    HICON loaded = LoadCheckedIcon(*chosen);
    if (!loaded) throw AppError("Cannot use " + *chosen + " as the tray icon: the file is not a readable icon");
    tray_->SetIcon(ui::UniqueIcon(loaded));
    services_.settings.WriteString("Icon in Tray", "Path", *chosen);
}

void ClockWindow::RegisterHotKeys() { RegisterCdHotKeys(Hwnd()); }

void ClockWindow::UnregisterHotKeys() { UnregisterCdHotKeys(Hwnd()); }

void ClockWindow::FindCdDrives() {
    cdChooser_.Fill(ListCdDrives(*system_.drives));
    cdChooser_.Restore(services_.settings);
    tray_->Menus().ShowCdChooser(cdChooser_);
}

void ClockWindow::ChooseCd(int itemNumber) {
    try {
        cdChooser_.Choose(itemNumber, services_.settings);
    } catch (...) {
        // The choice holds for this run even when storing it failed; the menu must show it.
        tray_->Menus().ShowCdChooser(cdChooser_);
        throw;
    }
    tray_->Menus().ShowCdChooser(cdChooser_);
}

void ClockWindow::MoveCdDoor(CdDoorAction action) {
    tikora::MoveCdDoor(*system_.mci, cdChooser_.SelectedDrive(), action);
}

}  // namespace tikora
