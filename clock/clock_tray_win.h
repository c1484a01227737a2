#pragma once
// The clock window's tray icon and its two menus: the icon picture (built-in or read from a
// file), adding and removing the icon, adding it again when the shell restarts, and opening a
// menu on a press on the icon.
#include <windows.h>

#include <optional>

#include "clock/tray_win.h"
#include "ui/handles_win.h"

namespace tikora {

class ClockTray {
public:
    ClockTray(HWND window, NotifyArea& notifyArea);
    ~ClockTray();
    ClockTray(const ClockTray&) = delete;
    ClockTray& operator=(const ClockTray&) = delete;

    TrayMenus& Menus() { return menus_; }
    const TrayMenus& Menus() const { return menus_; }

    // The picture of the icon and of the window: the one read from a file, else the built-in one.
    HICON Icon() const { return icon_ ? icon_.get() : builtinIcon_; }
    // Takes a picture read from a file (none: the built-in one) for the window; the tray icon
    // shows it when it is next added.
    void SetIcon(ui::UniqueIcon icon);

    void Add();
    void Remove();
    bool Added() const { return added_; }

    // Handles the shell's "TaskbarCreated" broadcast; false for any other message.
    bool OnTaskbarCreated(UINT message);

    // Opens the menu a tray callback asks for at the pointer, and returns the command identifier
    // chosen (nullopt when the message opens no menu or the menu was dismissed).
    std::optional<int> OpenMenuFor(UINT mouseMessage);

private:
    HWND window_;
    NotifyArea& notifyArea_;
    TrayMenus menus_;
    ui::UniqueIcon icon_;
    HICON builtinIcon_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool added_ = false;
};

}  // namespace tikora
