#pragma once
// The clock window: the hub of the program. It owns the face, the main tick, the tray icon and
// its menus, the program-wide options, and the system actions.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clock/cd_door_win.h"
#include "clock/cd_drives.h"
#include "clock/clock_face_win.h"
#include "clock/clock_tray_win.h"
#include "clock/clock_options.h"
#include "clock/clock_visibility.h"
#include "clock/live_clock.h"
#include "clock/main_tick.h"
#include "clock/skin_and_hot_keys.h"
#include "clock/snapper_win.h"
#include "clock/system_actions_win.h"
#include "clock/translucency_win.h"
#include "clock/tray_win.h"
#include "core/platform.h"
#include "core/services.h"
#include "core/settings_store.h"
#include "ui/form_win.h"

namespace tikora {

using ClockServices = SystemServices;

// The system calls of the clock window that tests must be able to watch or stand in for. Every
// member left null is the real system.
struct ClockSystem {
    NotifyArea* notifyArea = nullptr;
    IconFileChooser* iconChooser = nullptr;
    MciPort* mci = nullptr;
    DriveTypes* drives = nullptr;
    DesktopShell* desktopShell = nullptr;
    DesktopGeometry* desktop = nullptr;
    VersionQuery* version = nullptr;
    // The plain message box (application title, OK button, no icon) for refused translucency.
    std::function<void(const std::string&)> plainMessage;
};

// Controls of dialogs that are read by the tick, with stand-ins until those dialogs exist.
struct DisarmedShutdown final : ShutdownControls {
    DateTime Time() override { return {}; }
    bool Armed() override { return false; }
    void Disarm() override {}
    bool TurnOffSelected() override { return false; }
    bool RestartSelected() override { return false; }
};

struct DisarmedAlarm final : AlarmControls {
    DateTime Time() override { return {}; }
    bool Armed() override { return false; }
    void Disarm() override {}
    bool BellSelected() override { return true; }
    int RingCount() override { return 1; }
    std::string File() override { return {}; }
    void ClearFile() override {}
};

struct DefaultChime final : ChimeSource {
    std::string ChimeFile() override { return kDefaultChimeFile; }
};

// The clock window: the face, the tick timer, the tray icon and menus, the live options and the
// system actions. Its parts are split by concern: the face (clock_face_win), the tray icon
// (clock_tray_win), start-up (clock_startup_win.cpp) and the menu commands (clock_commands_win.cpp).
class ClockWindow final : public ui::Form,
                          public LiveClock,
                          public SkinTarget,
                          public HotKeySwitch,
                          private ClockView {
public:
    // The class name and caption come from the window catalogue.
    ClockWindow(ui::FormName name, ClockServices services, ClockSystem system = {});
    ~ClockWindow() override;

    // Creation steps: single-instance check (may end the process), current directory, settings,
    // icon, skin, options, hot keys, width, version, menus, handlers, tray icon.
    void Initialize();
    // Runs once when the program's message loop starts: shows the window (first show).
    void ShowAtStart();
    // The application's idle handler: hides the clock at the first idle moment with
    // `hideonstart` on, and does nothing afterwards.
    void IdleStep();
    // Errors met during creation, before the error handler was installed.
    const std::vector<std::string>& StartupProblems() const { return startupProblems_; }

    // The dialogs whose controls the tick reads plug in here once they exist.
    void SetShutdownControls(ShutdownControls* controls);
    void SetAlarmControls(AlarmControls* controls);
    void SetChimeSource(ChimeSource* source);
    // Where the menu items find the windows they show; a window it does not give is not shown.
    void SetWindowDirectory(std::function<ui::Form*(WindowId)> directory) { directory_ = std::move(directory); }
    // The window the directory gives for an identifier, or null (windows that work together find each other).
    ui::Form* WindowFor(WindowId id) const { return directory_ ? directory_(id) : nullptr; }
    // "Calculator" runs this modally; nothing happens while it is not set.
    void SetCalculatorRunner(std::function<void()> run) { runCalculator_ = std::move(run); }

    // The live options; `scotch` there is not used: snapping is the snapping component's state.
    ClockOptions& Options() { return options_; }

    // LiveClock
    ClockOptions LiveOptions() const override;
    void SetLiveOption(bool ClockOptions::*option, bool value) override;
    bool TransparencyAvailable() const override { return transparencyAvailable_; }
    void ApplySeconds(bool showSecond) override;
    // Make translucent and make opaque; does nothing unless transparency is available.
    void SetTranslucent(bool translucent) override;

    // Loads a skin strip; throws PictureError when the file is not a readable bitmap and AppError
    // "Invalid image size" when it is too small (the glyphs are gone then).
    void LoadSkin(const std::string& path) { face_.LoadSkin(path); }
    // The skin chooser's "Apply": a strip that is refused leaves the current skin on the face.
    void ApplySkin(const std::string& path) override { face_.ReplaceSkin(path); }
    const GlyphSets& Glyphs() const { return face_.Glyphs(); }
    HWND FaceHandle() const { return face_.Hwnd(); }
    void DrawFace() override;

    // The tray menu's "Show clock" and "Hide clock" items: they are the record of whether the
    // user hid the clock, and hiding under the cursor works only while "Hide clock" is enabled.
    bool ShowClockEnabled() const { return visibility_.ShowClockEnabled(); }
    bool HideClockEnabled() override { return visibility_.HideClockEnabled(); }
    void ShowClock();
    void HideClock();
    // The picture viewer's full-screen views hide the clock while they are open, unless the user
    // had hidden it already.
    void FullScreenViewOpened(FullScreenView view);
    void FullScreenViewClosed(FullScreenView view);

    // The tray menus; the HMENUs live as long as the window.
    HMENU MainMenu() const { return tray_ ? tray_->Menus().Main() : nullptr; }
    HMENU PowerMenu() const { return tray_ ? tray_->Menus().Power() : nullptr; }
    const TrayMenus& GetTrayMenus() const { return tray_->Menus(); }
    // Runs a menu item's action, as a click on it does.
    void RunMenuCommand(MenuAction action);
    // "Change icon in tray".
    void ChangeTrayIcon();
    bool TrayIconAdded() const { return tray_ && tray_->Added(); }
    HICON Icon() const { return tray_ ? tray_->Icon() : nullptr; }

    // The snapping component; the settings dialog switches its `Active`.
    Snapper& GetSnapper() { return *snapper_; }

    // The CD hot keys; the hot keys dialog calls these when its switch changes.
    void RegisterHotKeys() override;
    void UnregisterHotKeys() override;
    const CdChooser& GetCdChooser() const { return cdChooser_; }
    void ChooseCd(int itemNumber);
    void MoveCdDoor(CdDoorAction action);

    MainTick& Tick() { return *tick_; }

    static constexpr UINT kTrayMessage = WM_USER + 123;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCreate() override;
    void OnShow() override;
    // Closing the clock window (Alt+F4) ends the program, as "Close" does.
    void OnClose() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    static constexpr UINT_PTR kTickTimer = 1;
    static constexpr UINT kTickInterval = 20;  // ms
    static constexpr UINT kReportStartupProblems = WM_APP + 1;

    void SingleInstanceCheck();
    void LoadIconAtStart(SettingsStore& ini);
    void LoadSkinAtStart(SettingsStore& ini);
    void ReportStartupProblems();
    void FirstShow();
    void OnFacePressed();
    void UpdateTickControls();
    void OnTimer();
    void OnTrayMessage(UINT mouseMessage);
    void ApplyVisibility(ClockEvent event, FullScreenView view = FullScreenView::ActualSize);
    void ShowWindowFor(MenuCommand command);
    void FindCdDrives();

    // ClockView
    Point CursorPos() override;
    Rect WindowRect() override;
    void Hide() override;
    void Show() override;

    ClockServices services_;
    ClockSystem system_;
    // The real system behind every member of system_ that was left null.
    SystemNotifyArea systemNotifyArea_;
    SystemIconFileChooser systemIconChooser_;
    SystemMci systemMci_;
    SystemDriveTypes systemDrives_;
    SystemDesktopShell systemDesktopShell_;
    SystemDesktopGeometry systemDesktop_;
    SystemVersionQuery systemVersion_;

    ClockOptions options_;
    ClockFace face_;
    std::unique_ptr<ClockTray> tray_;
    std::unique_ptr<Snapper> snapper_;
    std::unique_ptr<MainTick> tick_;
    DisarmedShutdown noShutdown_;
    DisarmedAlarm noAlarm_;
    DefaultChime defaultChime_;
    ShutdownControls* shutdown_ = &noShutdown_;
    AlarmControls* alarm_ = &noAlarm_;
    ChimeSource* chime_ = &defaultChime_;

    ClockVisibility visibility_;
    CdChooser cdChooser_;
    std::function<ui::Form*(WindowId)> directory_;
    std::function<void()> runCalculator_;
    SetLayeredWindowAttributesFn setLayeredAttributes_ = nullptr;

    bool transparencyAvailable_ = false;
    bool firstShowPending_ = true;
    bool firstIdlePending_ = true;
    std::vector<std::string> startupProblems_;
};

}  // namespace tikora
