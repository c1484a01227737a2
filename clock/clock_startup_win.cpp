// The clock window's start: creation steps, the first show and the first idle moment.
#include "clock/clock_window_win.h"

#include "clock/icon_file_win.h"
#include "core/errors.h"
#include "core/system_win.h"
#include "ui/application_win.h"

namespace tikora {

void ClockWindow::SingleInstanceCheck() {
    HWND own = ui::Application::Instance().Handle();
    const std::string& title = ui::Application::Instance().Title();
    for (HWND w = GetWindow(Hwnd(), GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == own || GetWindow(w, GW_OWNER)) continue;
        char text[128];
        int length = GetWindowTextA(w, text, sizeof text);
        if (title.compare(0, std::string::npos, text, static_cast<size_t>(length)) == 0) ExitProcess(0);
    }
}

void ClockWindow::Initialize() {
    SingleInstanceCheck();

    SetCurrentDirectoryA(ProgramFolder().c_str());
    // Every time text of the program is "hh:mm:ss"; the locale's own format is not used.
    GetFormatSettings().longTimeFormat = "hh:mm:ss";

    SettingsStore& ini = services_.settings;
    int x = ini.ReadInteger("Position", "X", 10);
    int y = ini.ReadInteger("Position", "Y", 10);
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    LoadIconAtStart(ini);
    LoadSkinAtStart(ini);

    options_ = LoadClockOptions(ini);
    snapper_->Settings().SetActive(options_.scotch);

    if (options_.hotkey) RegisterHotKeys();
    ApplySeconds(options_.showsecond);
    tick_->State().twinklePhase = false;

    transparencyAvailable_ = tikora::TransparencyAvailable(*system_.version);
    setLayeredAttributes_ = FindSetLayeredWindowAttributes();

    ApplyVisibility(ClockEvent::Creation);

    firstIdlePending_ = true;
    ui::Application::Instance().SetIdleHandler([this] {
        IdleStep();
        return false;  // the idle step runs once
    });

    tick_->State().hiddenUnderCursor = false;
    tick_->State().ringCounter = 0;
    firstShowPending_ = true;
    tick_->State().chimeLatch = false;

    tray_->Add();
    SetTimer(Hwnd(), kTickTimer, kTickInterval, nullptr);
    if (!startupProblems_.empty()) PostMessageA(Hwnd(), kReportStartupProblems, 0, 0);
}

void ClockWindow::LoadIconAtStart(SettingsStore& ini) {
    std::string iconPath = ini.ReadString("Icon in Tray", "Path", "");
    ui::UniqueIcon fromFile;
    if (!iconPath.empty() && services_.files.Exists(iconPath)) {
        fromFile.reset(LoadCheckedIcon(iconPath));
        if (!fromFile)
            startupProblems_.push_back("The tray icon " + iconPath +
                                       " could not be read; the built-in icon is used instead");
    }
    tray_->SetIcon(std::move(fromFile));  // none read: the built-in icon
}

void ClockWindow::LoadSkinAtStart(SettingsStore& ini) {
    std::string skinPath = ini.ReadString("Numbers", "Name", "");
    if (skinPath.empty() || !services_.files.Exists(skinPath)) return;
    // A skin that cannot be used must not stop the start: the built-in one stays.
    GlyphSets previous = face_.Glyphs();
    try {
        face_.LoadSkin(skinPath);
    } catch (const std::exception& e) {
        face_.SetGlyphs(previous);
        startupProblems_.push_back("The skin " + skinPath + " could not be used (" + e.what() +
                                   "); the built-in skin is shown instead");
    }
}

void ClockWindow::ReportStartupProblems() {
    for (const std::string& problem : startupProblems_)
        ui::Application::Instance().HandleError(std::make_exception_ptr(AppError(problem)));
}

void ClockWindow::ShowAtStart() {
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(Hwnd());
}

void ClockWindow::OnShow() {
    if (firstShowPending_) FirstShow();
}

void ClockWindow::FirstShow() {
    firstShowPending_ = false;
    // The settings dialog disables its transparency box itself from TransparencyAvailable().
    ShowWindow(ui::Application::Instance().Handle(), SW_HIDE);
    if (transparencyAvailable_ && options_.ghost) SetTranslucent(true);
    FindCdDrives();
}

void ClockWindow::IdleStep() {
    if (!firstIdlePending_) return;
    firstIdlePending_ = false;
    if (options_.hideonstart) ApplyVisibility(ClockEvent::IdleHideOnStart);
}

}  // namespace tikora
