#pragma once
// Both tray menus as data: the main menu (right button) and the power and CD menu (left button).
// The Win32 shell walks these trees to build its pop-up menus and maps WM_COMMAND identifiers
// back to actions with DecodeMenuCommandId.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform.h"
#include "core/window_id.h"

namespace tikora {

enum class MenuItemKind {
    Command,
    Separator,
    Submenu,
    Header,  // group title in "Internet links": clicking it does nothing
};

enum class MenuCommand {
    None,
    Settings,
    ChangeSkin,
    ChangeTrayIcon,
    TagEditor,
    ShutdownTimer,
    Information,
    Calendar,
    PictureViewer,
    SearchFiles,
    Calculator,
    AlarmClock,
    Reminder,
    ShowClock,
    HideClock,
    About,
    Close,
    TurnOff,
    Restart,
    ClearRecentDocuments,
    HotKeys,
    ChooseCd,  // index: chooser item 0 to 7
    OpenCd,
    CloseCd,
    OpenLink,  // index: link 0 to 35 of WebLinks()
};

inline constexpr std::string_view kSeparatorCaption = "-";

// The small pictures some items carry; the shell draws them at run time.
enum class MenuPicture {
    None,
    Settings,
    Skin,
    TrayIcon,
    TagEditor,
    Timer,
    Information,
    Calendar,
    Pictures,
    Search,
    Calculator,
    Alarm,
    Reminder,
    Links,
    ShowClock,
    HideClock,
    About,
    Close,
    TurnOff,
    Restart,
    ClearDocuments,
    HotKeys,
    OpenCd,
    CloseCd,
};
inline constexpr MenuPicture kLastMenuPicture = MenuPicture::CloseCd;

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    std::string caption;
    MenuCommand command = MenuCommand::None;
    int index = 0;
    bool isDefault = false;  // drawn bold; no action is bound to it
    bool radio = false;      // the chooser items form one radio group
    bool checked = false;    // the ticked chooser item
    bool visible = true;
    bool enabled = true;
    MenuPicture picture = MenuPicture::None;
    std::vector<MenuItem> children;  // Submenu only
};

using Menu = std::vector<MenuItem>;

// The states are those right after clock window creation: "Show clock" disabled, "Hide clock"
// enabled, the eight chooser items hidden and unticked.
Menu BuildMainMenu();
Menu BuildPowerMenu();
Menu BuildInternetLinksMenu();

// Depth-first search, submenus included; nullptr when absent.
const MenuItem* FindMenuItem(const Menu& menu, MenuCommand command, int index = 0);
MenuItem* FindMenuItem(Menu& menu, MenuCommand command, int index = 0);

class CdChooser;

// Copies the chooser's items (shown or not, caption, tick) into the " Choose..." submenu.
void ApplyCdChooser(Menu& powerMenu, const CdChooser& chooser);

// The window an item shows. Every item shows its window only when it is not showing already;
// "Reminder" also brings an open reminder list to the front.
enum class ShowRule { IfHidden, BringToFront };

struct WindowTarget {
    WindowId window;
    ShowRule rule = ShowRule::IfHidden;
    friend bool operator==(const WindowTarget&, const WindowTarget&) = default;
};

// nullopt for items that do not show a window of their own (the calculator runs modally).
std::optional<WindowTarget> WindowForCommand(MenuCommand command);

// WM_COMMAND identifiers: one per (command, index); 0 for items without an action (headers),
// so such a click decodes to nothing.
struct MenuAction {
    MenuCommand command = MenuCommand::None;
    int index = 0;
    friend bool operator==(const MenuAction&, const MenuAction&) = default;
};

int MenuCommandId(MenuCommand command, int index = 0);
std::optional<MenuAction> DecodeMenuCommandId(int id);

// Tray icon record and callback.
inline constexpr unsigned kTrayCallbackMessage = 0x47B;  // WM_USER + 123
inline constexpr unsigned kTrayIconId = 1;
inline constexpr unsigned kTrayIconFlags = 7;  // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr unsigned kTrayIconRecordSize = 88;
inline constexpr unsigned kMouseLeftButtonDown = 0x201;
inline constexpr unsigned kMouseRightButtonDown = 0x204;

enum class TrayMenu { Main, PowerAndCd };

// The menu a tray callback opens; the menus open on the button press, and every other mouse
// message (moves, releases, double clicks, the middle button) opens nothing.
std::optional<TrayMenu> MenuForTrayMessage(unsigned mouseMessage);

// "Change icon in tray".
inline constexpr std::string_view kTrayIconFilter = "Icons (*.ico)|*.ico";

// The chooser starts in "<current directory>\Icons" when that folder exists, otherwise in the
// current directory itself.
std::string IconChooserStartFolder(std::string_view currentDirectory, FileSystem& files);

}  // namespace tikora
