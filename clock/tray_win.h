#pragma once
// The tray icon and the two pop-up menus of the clock window, as Win32 objects built from the
// portable menu model in tray_menus.h.
#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>

#include "clock/tray_menus.h"
#include "ui/handles_win.h"

namespace tikora {

class CdChooser;

// Shell_NotifyIcon. Tests record the records passed and may forward them to the real shell.
class NotifyArea {
public:
    virtual ~NotifyArea() = default;
    virtual bool Notify(DWORD message, const NOTIFYICONDATAA& record) = 0;
};

class SystemNotifyArea final : public NotifyArea {
public:
    bool Notify(DWORD message, const NOTIFYICONDATAA& record) override;
};

// The record in its first form: the size is NOTIFYICONDATAA_V1_SIZE, which is 88 bytes in the
// 32-bit build, so every shell version accepts it.
NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, std::string_view tip);
// What removing the icon needs: size, window and identifier, nothing else.
NOTIFYICONDATAA TrayIconKey(HWND window);

// The open-file chooser of "Change icon in tray": the full path confirmed, or nullopt when the
// user cancelled. It may move the current directory; the caller puts it back.
class IconFileChooser {
public:
    virtual ~IconFileChooser() = default;
    virtual std::optional<std::string> Choose(HWND owner, const std::string& startFolder) = 0;
};

class SystemIconFileChooser final : public IconFileChooser {
public:
    std::optional<std::string> Choose(HWND owner, const std::string& startFolder) override;
};

// The small item pictures are drawn by the menu's owner when the menu asks for them
// (HBMMENU_CALLBACK): drawn straight onto the menu, they sit on its own background, normal or
// highlighted, which a bitmap with transparency cannot do on every system.
inline constexpr int kMenuPictureSize = 16;  // at 96 DPI

// Draws the picture centred in `box`; `selected` tells the highlighted background.
void DrawMenuPicture(HDC dc, const RECT& box, MenuPicture picture, bool selected);

// Builds a pop-up menu (with its submenus) from the model; hidden items are left out. An item
// with a picture carries the picture in its item data.
ui::UniqueMenu BuildPopupMenu(const Menu& model);
// Appends the model's items to an existing pop-up menu.
void AppendMenuItems(HMENU menu, const Menu& model);

// Both tray menus for the whole run. The models stay the record of the items' states and the
// HMENUs follow every change.
class TrayMenus {
public:
    TrayMenus();
    ~TrayMenus();
    TrayMenus(const TrayMenus&) = delete;
    TrayMenus& operator=(const TrayMenus&) = delete;

    HMENU Main() const { return main_.get(); }
    HMENU Power() const { return power_.get(); }
    HMENU MenuFor(TrayMenu which) const { return which == TrayMenu::Main ? Main() : Power(); }
    const Menu& MainModel() const { return mainModel_; }
    const Menu& PowerModel() const { return powerModel_; }

    void SetEnabled(MenuCommand command, bool enabled);
    // Rebuilds the " Choose..." submenu from the chooser's items.
    void ShowCdChooser(const CdChooser& chooser);

    // Opens the menu with its top-left corner at `at`. `owner` (the hidden application window)
    // is the foreground window; while the menu is open an invisible window it owns, the menu
    // window below, takes the foreground and owns the menu, and afterwards `owner` gets the
    // foreground back. Returns the command identifier chosen, 0 when the menu was dismissed.
    int Track(TrayMenu which, POINT at, HWND owner);
    // How many item pictures the menus have drawn so far.
    int PicturesDrawn() const { return picturesDrawn_; }
    // The window that owns the open menu: shown (without size) only while a menu is open.
    HWND MenuWindow() const { return menuWindow_; }

private:
    static LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateMenuWindow(HWND owner);

    Menu mainModel_;
    Menu powerModel_;
    ui::UniqueMenu main_;
    ui::UniqueMenu power_;
    HMENU chooser_ = nullptr;
    HWND menuWindow_ = nullptr;
    bool tracking_ = false;
    int picturesDrawn_ = 0;
};

}  // namespace tikora
