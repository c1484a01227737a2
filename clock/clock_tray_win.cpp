#include "clock/clock_tray_win.h"

#include <utility>

#include "ui/application_win.h"

namespace tikora {

namespace {

// A program started as administrator does not receive messages from the ordinary shell unless
// it lets them through. Looked up by name: systems before version 6.1 lack the function (and the
// filter), and the 32-bit build's headers, written for Windows XP, do not declare its values.
void AllowTaskbarCreated(HWND window, UINT message) {
    using ChangeFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto change = reinterpret_cast<ChangeFilterFn>(
        reinterpret_cast<void*>(user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr));
    if (change && message) change(window, message, kAllow, nullptr);
}

}  // namespace

ClockTray::ClockTray(HWND window, NotifyArea& notifyArea) : window_(window), notifyArea_(notifyArea) {
    builtinIcon_ = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
    if (!builtinIcon_) builtinIcon_ = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    AllowTaskbarCreated(window_, taskbarCreated_);
}

ClockTray::~ClockTray() = default;

void ClockTray::SetIcon(ui::UniqueIcon icon) {
    // The old icon goes only after the window has let go of it.
    ui::UniqueIcon old = std::exchange(icon_, std::move(icon));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon()));
}

void ClockTray::Add() {
    notifyArea_.Notify(NIM_ADD, TrayIconRecord(window_, Icon(), ui::Application::Instance().Title()));
    added_ = true;
}

void ClockTray::Remove() {
    notifyArea_.Notify(NIM_DELETE, TrayIconKey(window_));
    added_ = false;
}

bool ClockTray::OnTaskbarCreated(UINT message) {
    if (taskbarCreated_ == 0 || message != taskbarCreated_) return false;
    // A new taskbar (the shell restarted) knows no icons: ours must be added again.
    if (added_) Add();
    return true;
}

std::optional<int> ClockTray::OpenMenuFor(UINT mouseMessage) {
    std::optional<TrayMenu> which = MenuForTrayMessage(mouseMessage);
    if (!which) return std::nullopt;
    POINT at{};
    GetCursorPos(&at);
    ui::Application& app = ui::Application::Instance();
    SetForegroundWindow(app.Handle());
    app.ProcessMessages();
    return menus_.Track(*which, at, app.Handle());
}

}  // namespace tikora
