// The clock window itself: construction, the live options, showing and hiding, the tick timer,
// dragging by the face and the window's messages.
#include "clock/clock_window_win.h"

#include "ui/application_win.h"
#include "ui/dpi_win.h"

namespace tikora {

namespace {

// WM_SYSCOMMAND's move command with the caption hit-test code in its low bits: the system runs
// its move loop as if the caption had been pressed.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;

static_assert(ClockWindow::kTrayMessage == kTrayCallbackMessage);

ui::FormSpec ClockFormSpec(ui::FormName name) {
    ui::FormSpec spec = ui::NamedFormSpec(name, ui::BorderStyle::None, kFaceWidthWithSeconds, kFaceHeight);
    spec.dialogKeys = false;
    spec.extraExStyle = WS_EX_TOPMOST;
    spec.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return spec;
}

}  // namespace

ClockWindow::ClockWindow(ui::FormName name, ClockServices services, ClockSystem system)
    : ui::Form(ClockFormSpec(name)), services_(services), system_(std::move(system)) {
    if (!system_.notifyArea) system_.notifyArea = &systemNotifyArea_;
    if (!system_.iconChooser) system_.iconChooser = &systemIconChooser_;
    if (!system_.mci) system_.mci = &systemMci_;
    if (!system_.drives) system_.drives = &systemDrives_;
    if (!system_.desktopShell) system_.desktopShell = &systemDesktopShell_;
    if (!system_.desktop) system_.desktop = &systemDesktop_;
    if (!system_.version) system_.version = &systemVersion_;
    if (!system_.plainMessage)
        system_.plainMessage = [this](const std::string& text) { ui::Application::Instance().ShowMessage(Hwnd(), text); };
    tick_ = std::make_unique<MainTick>(TickServices{services_, *this}, TickControls{chime_, shutdown_, alarm_});
}

ClockWindow::~ClockWindow() {
    // The destruction steps (tray icon, hot keys) need this object whole; the base class would
    // destroy the window only after it is gone.
    Destroy();
}

void ClockWindow::OnCreate() {
    face_.CreateIn(Hwnd(), {.pressed = [this] { OnFacePressed(); },
                            .doubleClicked = [this] { ApplyVisibility(ClockEvent::DoubleClickFace); }});
    tray_ = std::make_unique<ClockTray>(Hwnd(), *system_.notifyArea);
    snapper_ = std::make_unique<Snapper>(Hwnd(), *system_.desktop);
    snapper_->Settings().SetThreshold(kClockSnapThreshold);
}

void ClockWindow::SetShutdownControls(ShutdownControls* controls) {
    shutdown_ = controls ? controls : &noShutdown_;
    UpdateTickControls();
}

void ClockWindow::SetAlarmControls(AlarmControls* controls) {
    alarm_ = controls ? controls : &noAlarm_;
    UpdateTickControls();
}

void ClockWindow::SetChimeSource(ChimeSource* source) {
    chime_ = source ? source : &defaultChime_;
    UpdateTickControls();
}

void ClockWindow::UpdateTickControls() { tick_->SetControls({chime_, shutdown_, alarm_}); }

ClockOptions ClockWindow::LiveOptions() const {
    ClockOptions live = options_;
    live.scotch = snapper_->Settings().Active();
    return live;
}

void ClockWindow::SetLiveOption(bool ClockOptions::*option, bool value) {
    if (option == &ClockOptions::scotch)
        snapper_->Settings().SetActive(value);
    else
        options_.*option = value;
}

void ClockWindow::ApplySeconds(bool showSecond) {
    options_.showsecond = showSecond;
    ui::SetClientSize(Hwnd(), ui::Scale(FaceWidth(showSecond)), ui::Scale(kFaceHeight));
    face_.SetShowSecond(showSecond);
}

void ClockWindow::SetTranslucent(bool translucent) {
    if (!transparencyAvailable_) return;
    SetWindowAlpha(Hwnd(), translucent ? kTranslucentAlpha : kOpaqueAlpha, setLayeredAttributes_, system_.plainMessage);
}

void ClockWindow::DrawFace() {
    face_.Draw(TimeText(services_.time.Now()), {options_.showsecond, options_.flash, tick_->State().twinklePhase});
}

void ClockWindow::ShowClock() { ApplyVisibility(ClockEvent::ShowClock); }

void ClockWindow::HideClock() { ApplyVisibility(ClockEvent::HideClock); }

void ClockWindow::FullScreenViewOpened(FullScreenView view) { ApplyVisibility(ClockEvent::FullScreenOpens, view); }

void ClockWindow::FullScreenViewClosed(FullScreenView view) { ApplyVisibility(ClockEvent::FullScreenCloses, view); }

void ClockWindow::ApplyVisibility(ClockEvent event, FullScreenView view) {
    switch (visibility_.Apply(event, view)) {
        case WindowAction::Show: Show(); break;
        case WindowAction::Hide: Hide(); break;
        case WindowAction::None: break;
    }
    if (tray_) {
        tray_->Menus().SetEnabled(MenuCommand::ShowClock, visibility_.ShowClockEnabled());
        tray_->Menus().SetEnabled(MenuCommand::HideClock, visibility_.HideClockEnabled());
    }
}

void ClockWindow::OnTimer() { tick_->Run(TickOptions{options_.everyhour, options_.hideunder}); }

void ClockWindow::OnFacePressed() {
    ReleaseCapture();
    SendMessageA(Hwnd(), WM_SYSCOMMAND, kMoveByCaption, 0);
    RECT r;
    GetWindowRect(Hwnd(), &r);
    services_.settings.WriteInteger("Position", "X", r.left);
    services_.settings.WriteInteger("Position", "Y", r.top);
}

void ClockWindow::OnClose() {
    // As "Close": the loop ends, and the window's destruction removes the tray icon and releases
    // the hot keys. Nothing is written.
    ui::Application::Instance().Terminate();
}

Point ClockWindow::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

Rect ClockWindow::WindowRect() {
    RECT r;
    GetWindowRect(Hwnd(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void ClockWindow::Hide() { ShowWindow(Hwnd(), SW_HIDE); }

void ClockWindow::Show() {
    ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    // Shown again from under the pointer: the frame is painted now and the caller draws the
    // glyphs at once. No paint may stay queued behind that draw, or it would wipe the digits
    // until the next tick.
    UpdateWindow(FaceHandle());
    face_.RedrawGlyphs();
}

LRESULT ClockWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_ && tray_->OnTaskbarCreated(message)) return 0;
    switch (message) {
        case kTrayMessage: OnTrayMessage(static_cast<UINT>(lParam)); return 0;
        case WM_HOTKEY: {
            LRESULT result = ui::Form::OnMessage(message, wParam, lParam);
            if (std::optional<CdDoorAction> action = DoorActionForHotKey(static_cast<int>(wParam))) MoveCdDoor(*action);
            return result;
        }
        case WM_TIMER:
            if (wParam == kTickTimer) {
                OnTimer();
                return 0;
            }
            break;
        case kReportStartupProblems: ReportStartupProblems(); return 0;
        case WM_DESTROY:
            KillTimer(Hwnd(), kTickTimer);
            if (tray_ && tray_->Added()) tray_->Remove();
            if (options_.hotkey) UnregisterHotKeys();
            break;
        case WM_SIZE:
            if (face_.Hwnd())
                SetWindowPos(face_.Hwnd(), nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOZORDER | SWP_NOACTIVATE);
            break;
    }
    return ui::Form::OnMessage(message, wParam, lParam);
}

}  // namespace tikora
