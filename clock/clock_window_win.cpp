#include "clock/clock_window_win.h"

#include <shellapi.h>

#include <optional>
#include <utility>

#include "clock/builtin_skin.h"
#include "clock/glyphs.h"
#include "clock/icon_file_win.h"
#include "clock/face.h"
#include "clock/web_links.h"
#include "core/bmp_reader.h"
#include "core/errors.h"
#include "core/system_win.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"

namespace tikora {

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickInterval = 20;
constexpr UINT kReportStartupProblems = WM_APP + 1;
constexpr const char* kFaceClass = "TikoraClockFace";

static_assert(ClockWindow::kTrayMessage == kTrayCallbackMessage);

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

// A 32-bit top-down DIB section holding the picture.
ui::UniqueBitmap MakeBitmap(const Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw AppError("Out of system resources");
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<uint32_t*>(bits));
    return ui::UniqueBitmap(bitmap);
}

// Reads the part of a skin file the glyphs use, with our own checked decoder: no system loader
// ever sees a broken file, and a huge picture costs only the strip.
Image ReadBitmapFile(const std::string& path) { return ReadBmpFile(path, kStripWidth, kStripHeight); }

// A program started as administrator does not receive messages from the ordinary shell unless
// it lets them through. Looked up by name: systems before version 6.1 lack the function (and the
// filter).
void AllowTaskbarCreated(HWND window, UINT message) {
    using ChangeFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto change = reinterpret_cast<ChangeFilterFn>(
        reinterpret_cast<void*>(user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr));
    if (change && message) change(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace

// The face: a child control over the whole client area. It carries the time as its text so
// screen readers can read what is drawn, paints the frame, and takes the mouse.
class ClockFace final : public ui::Window {
public:
    explicit ClockFace(ClockWindow& owner) : owner_(owner) {}

    void CreateIn(HWND parent) {
        ui::WindowSpec spec;
        spec.className = kFaceClass;
        spec.caption = "";
        spec.style = WS_CHILD | WS_VISIBLE;
        spec.owner = parent;
        spec.x = 0;
        spec.y = 0;
        spec.clientWidth = kFaceWidthWithSeconds;
        spec.clientHeight = kFaceHeight;
        spec.outerSize = true;
        spec.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        Create(spec);
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_ERASEBKGND: return 1;
            case WM_PAINT: {
                ui::PaintDc dc(Hwnd());
                owner_.PaintFrame(dc.get());
                owner_.faceStale_ = true;
                return 0;
            }
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN: owner_.OnFacePressed(); return 0;
            case WM_LBUTTONDBLCLK: owner_.ApplyVisibility(ClockEvent::DoubleClickFace); return 0;
            case WM_GETDLGCODE: return DLGC_STATIC;
        }
        return DefaultProc(message, wParam, lParam);
    }

private:
    ClockWindow& owner_;
};

namespace {

ui::FormSpec ClockFormSpec() {
    ui::FormSpec spec;
    spec.className = "TForm1";
    spec.caption = " Clock";
    spec.border = ui::BorderStyle::None;
    spec.clientWidth = kFaceWidthWithSeconds;
    spec.clientHeight = kFaceHeight;
    spec.dialogKeys = false;
    spec.extraExStyle = WS_EX_TOPMOST;
    spec.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    return spec;
}

}  // namespace

ClockWindow::ClockWindow(ClockServices services, ClockSystem system)
    : ui::Form(ClockFormSpec()),
      services_(services),
      system_(std::move(system)),
      face_(std::make_unique<ClockFace>(*this)) {
    if (!system_.notifyArea) system_.notifyArea = &systemNotifyArea_;
    if (!system_.iconChooser) system_.iconChooser = &systemIconChooser_;
    if (!system_.mci) system_.mci = &systemMci_;
    if (!system_.drives) system_.drives = &systemDrives_;
    if (!system_.desktopShell) system_.desktopShell = &systemDesktopShell_;
    if (!system_.desktop) system_.desktop = &systemDesktop_;
    if (!system_.version) system_.version = &systemVersion_;
    if (!system_.plainMessage)
        system_.plainMessage = [this](const std::string& text) {
            MessageBoxA(Hwnd(), text.c_str(), ui::Application::Instance().Title().c_str(), MB_OK);
        };
    tick_ = std::make_unique<MainTick>(TickServices{services_, *this},
                                       TickControls{chime_, shutdown_, alarm_});
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

ClockWindow::~ClockWindow() {
    // The destruction steps (tray icon, hot keys) need this object whole; the base class would
    // destroy the window only after it is gone.
    Destroy();
    if (digitDc_ && digitOld_) SelectObject(digitDc_.get(), digitOld_);
    if (separatorDc_ && separatorOld_) SelectObject(separatorDc_.get(), separatorOld_);
}

HWND ClockWindow::FaceHandle() const { return face_->Hwnd(); }

void ClockWindow::OnCreate() {
    builtinIcon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (!builtinIcon_) builtinIcon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    frameBitmap_ = MakeBitmap(RenderFrame());
    glyphs_.Load(RenderBuiltinSkin());
    RebuildGlyphBitmaps();
    face_->CreateIn(Hwnd());
    menus_ = std::make_unique<TrayMenus>();
    snapper_ = std::make_unique<Snapper>(Hwnd(), *system_.desktop);
    snapper_->Settings().SetThreshold(kClockSnapThreshold);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    AllowTaskbarCreated(Hwnd(), taskbarCreated_);
}

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

    SettingsStore& ini = services_.settings;
    int x = ini.ReadInteger("Position", "X", 10);
    int y = ini.ReadInteger("Position", "Y", 10);
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    std::string iconPath = ini.ReadString("Icon in Tray", "Path", "");
    ui::UniqueIcon fromFile;
    if (!iconPath.empty() && services_.files.Exists(iconPath)) {
        fromFile.reset(LoadCheckedIcon(iconPath));
        if (!fromFile)
            startupProblems_.push_back("The tray icon " + iconPath +
                                       " could not be read; the built-in icon is used instead");
    }
    SetWindowIcon(std::move(fromFile));  // none read: the built-in icon

    std::string skinPath = ini.ReadString("Numbers", "Name", "");
    if (!skinPath.empty() && services_.files.Exists(skinPath)) {
        // A skin that cannot be used must not stop the start: the built-in one stays.
        GlyphSets previous = glyphs_;
        try {
            LoadSkin(skinPath);
        } catch (const std::exception& e) {
            glyphs_ = previous;
            RebuildGlyphBitmaps();
            startupProblems_.push_back("The skin " + skinPath + " could not be used (" + e.what() +
                                       "); the built-in skin is shown instead");
        }
    }

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

    AddTrayIcon();
    SetTimer(Hwnd(), kTickTimer, kTickInterval, nullptr);
    if (!startupProblems_.empty()) PostMessageA(Hwnd(), kReportStartupProblems, 0, 0);
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
    if (menus_) {
        menus_->SetEnabled(MenuCommand::ShowClock, visibility_.ShowClockEnabled());
        menus_->SetEnabled(MenuCommand::HideClock, visibility_.HideClockEnabled());
    }
}

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

void ClockWindow::SetTranslucent(bool translucent) {
    if (!transparencyAvailable_) return;
    SetWindowAlpha(Hwnd(), translucent ? kTranslucentAlpha : kOpaqueAlpha, setLayeredAttributes_, system_.plainMessage);
}

void ClockWindow::RegisterHotKeys() { RegisterCdHotKeys(Hwnd()); }

void ClockWindow::UnregisterHotKeys() { UnregisterCdHotKeys(Hwnd()); }

void ClockWindow::FindCdDrives() {
    cdChooser_.Fill(ListCdDrives(*system_.drives));
    cdChooser_.Restore(services_.settings);
    menus_->ShowCdChooser(cdChooser_);
}

void ClockWindow::ChooseCd(int itemNumber) {
    try {
        cdChooser_.Choose(itemNumber, services_.settings);
    } catch (...) {
        // The choice holds for this run even when storing it failed; the menu must show it.
        menus_->ShowCdChooser(cdChooser_);
        throw;
    }
    menus_->ShowCdChooser(cdChooser_);
}

void ClockWindow::MoveCdDoor(CdDoorAction action) {
    tikora::MoveCdDoor(*system_.mci, cdChooser_.SelectedDrive(), action);
}

void ClockWindow::AttachForm(ui::Form& form) { forms_.push_back(&form); }

void ClockWindow::ShowWindowFor(MenuCommand command) {
    std::optional<WindowTarget> target = WindowForCommand(command);
    if (!target) return;
    for (ui::Form* form : forms_) {
        if (target->className != form->Spec().className) continue;
        if (target->rule == ShowRule::BringToFront)
            form->BringToFront();
        else
            form->Show();
        return;
    }
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

void ClockWindow::OnCommand(int id, int, HWND control) {
    if (control) return;  // the clock has no controls that notify
    if (std::optional<MenuAction> action = DecodeMenuCommandId(id)) RunMenuCommand(*action);
}

void ClockWindow::OnTrayMessage(UINT mouseMessage) {
    std::optional<TrayMenu> which = MenuForTrayMessage(mouseMessage);
    if (!which) return;
    POINT at{};
    GetCursorPos(&at);
    ui::Application& app = ui::Application::Instance();
    SetForegroundWindow(app.Handle());
    app.ProcessMessages();
    int id = menus_->Track(*which, at, app.Handle());
    if (std::optional<MenuAction> action = DecodeMenuCommandId(id)) RunMenuCommand(*action);
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

    RemoveTrayIcon();
    // Whatever fails from here on, the tray icon comes back: without it the program could
    // neither be reached nor closed.
    ScopeExit addAgain([this] { AddTrayIcon(); });
    HICON loaded = LoadCheckedIcon(*chosen);
    if (!loaded) throw AppError("Cannot use " + *chosen + " as the tray icon: the file is not a readable icon");
    SetWindowIcon(ui::UniqueIcon(loaded));
    services_.settings.WriteString("Icon in Tray", "Path", *chosen);
}

void ClockWindow::SetWindowIcon(ui::UniqueIcon icon) {
    // The old icon goes only after the window has let go of it.
    ui::UniqueIcon old = std::exchange(icon_, std::move(icon));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(this->Icon()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(this->Icon()));
}

void ClockWindow::LoadSkin(const std::string& path) {
    Image picture = ReadBitmapFile(path);
    try {
        glyphs_.Load(picture);
    } catch (...) {
        RebuildGlyphBitmaps();
        throw;
    }
    RebuildGlyphBitmaps();
}

void ClockWindow::RebuildGlyphBitmaps() {
    auto rebuild = [](const GlyphSet& set, ui::UniqueMemoryDc& dc, ui::UniqueBitmap& bitmap, HGDIOBJ& old) {
        if (dc && old) SelectObject(dc.get(), old);
        old = nullptr;
        bitmap.reset();
        if (!set.Strip()) return;
        if (!dc) dc.reset(CreateCompatibleDC(nullptr));
        bitmap = MakeBitmap(*set.Strip());
        old = SelectObject(dc.get(), bitmap.get());
    };
    rebuild(glyphs_.digits, digitDc_, digitBitmap_, digitOld_);
    rebuild(glyphs_.separators, separatorDc_, separatorBitmap_, separatorOld_);
    // Old glyphs must not stay on the face: repaint the frame and draw anew.
    if (FaceHandle()) InvalidateRect(FaceHandle(), nullptr, FALSE);
    faceStale_ = true;
}

void ClockWindow::ApplySeconds(bool showSecond) {
    options_.showsecond = showSecond;
    ui::SetClientSize(Hwnd(), ui::Scale(FaceWidth(showSecond)), ui::Scale(kFaceHeight));
    InvalidateRect(FaceHandle(), nullptr, FALSE);
}

void ClockWindow::PaintFrame(HDC dc) {
    ui::UniqueMemoryDc source(CreateCompatibleDC(dc));
    ui::SelectedObject selected(source.get(), frameBitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, ui::Scale(kFrameWidth), ui::Scale(kFrameHeight), source.get(), 0, 0, kFrameWidth,
               kFrameHeight, SRCCOPY);
    if (!options_.showsecond) {
        // The edge piece, the frame's rightmost columns, closes the narrow face on the right.
        StretchBlt(dc, ui::Scale(kEdgePieceLeft), 0, ui::Scale(kEdgePieceWidth), ui::Scale(kFrameHeight),
                   source.get(), kFrameWidth - kEdgePieceWidth, 0, kEdgePieceWidth, kFrameHeight, SRCCOPY);
    }
}

void ClockWindow::DrawFace() {
    FormatSettings& settings = GetFormatSettings();
    settings.longTimeFormat = "hh:mm:ss";
    std::string text = TimeText(services_.time.Now());
    FacePlan plan = PlanFace(text, {options_.showsecond, options_.flash, tick_->State().twinklePhase});
    // The glyphs stay on the window's surface until it repaints itself; copying the same cells
    // again fifty times a second would only cost CPU time.
    if (!faceStale_ && plan == lastPlan_) return;

    ui::WindowDc dc(FaceHandle());
    if (!dc) return;
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    for (size_t i = 0; i < plan.count; ++i) {
        const GlyphDraw& draw = plan.draws[i];
        bool digit = draw.set == GlyphDraw::Set::Digit;
        const GlyphSet& set = digit ? glyphs_.digits : glyphs_.separators;
        if (!set.Has(draw.cell)) continue;
        HDC source = digit ? digitDc_.get() : separatorDc_.get();
        int width = set.CellWidth();
        StretchBlt(dc.get(), ui::Scale(draw.x), ui::Scale(kGlyphTop), ui::Scale(width), ui::Scale(kCellHeight), source,
                   draw.cell * width, 0, width, kCellHeight, SRCCOPY);
    }
    lastPlan_ = plan;
    faceStale_ = false;
    // The face carries what it shows, for screen readers; set only when it changes.
    std::string shown = options_.showsecond ? text : text.substr(0, 5);
    if (shown != lastFaceText_) {
        lastFaceText_ = shown;
        SetWindowTextA(FaceHandle(), shown.c_str());
    }
}

void ClockWindow::OnTimer() {
    tick_->Run(TickOptions{options_.everyhour, options_.hideunder});
}

void ClockWindow::OnFacePressed() {
    ReleaseCapture();
    SendMessageA(Hwnd(), WM_SYSCOMMAND, 0xF012, 0);
    RECT r;
    GetWindowRect(Hwnd(), &r);
    services_.settings.WriteInteger("Position", "X", r.left);
    services_.settings.WriteInteger("Position", "Y", r.top);
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
    // Shown again from under the pointer: the caller draws at once, so paint the frame first.
    UpdateWindow(FaceHandle());
    faceStale_ = true;
}

void ClockWindow::AddTrayIcon() {
    system_.notifyArea->Notify(NIM_ADD, TrayIconRecord(Hwnd(), Icon(), ui::Application::Instance().Title()));
    trayIconAdded_ = true;
}

void ClockWindow::RemoveTrayIcon() {
    system_.notifyArea->Notify(NIM_DELETE, TrayIconKey(Hwnd()));
    trayIconAdded_ = false;
}

LRESULT ClockWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A new taskbar (the shell restarted) knows no icons: ours must be added again.
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        if (trayIconAdded_) AddTrayIcon();
        return 0;
    }
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
            if (trayIconAdded_) RemoveTrayIcon();
            if (options_.hotkey) UnregisterHotKeys();
            break;
        case WM_SIZE: {
            if (face_->Hwnd())
                SetWindowPos(face_->Hwnd(), nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                             SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
    }
    return ui::Form::OnMessage(message, wParam, lParam);
}

}  // namespace tikora
