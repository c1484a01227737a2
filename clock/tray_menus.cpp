#include "clock/tray_menus.h"

#include <utility>

#include "clock/cd_drives.h"
#include "clock/web_links.h"

namespace tikora {

namespace {

MenuItem Command(std::string caption, MenuCommand command, int index = 0) {
    MenuItem item;
    item.kind = MenuItemKind::Command;
    item.caption = std::move(caption);
    item.command = command;
    item.index = index;
    return item;
}

MenuItem Command(std::string caption, MenuCommand command, MenuPicture picture) {
    MenuItem item = Command(std::move(caption), command);
    item.picture = picture;
    return item;
}

MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItemKind::Separator;
    item.caption = std::string(kSeparatorCaption);
    return item;
}

MenuItem Submenu(std::string caption, Menu children, MenuPicture picture = MenuPicture::None) {
    MenuItem item;
    item.kind = MenuItemKind::Submenu;
    item.caption = std::move(caption);
    item.children = std::move(children);
    item.picture = picture;
    return item;
}

MenuItem Header(std::string_view caption) {
    MenuItem item;
    item.kind = MenuItemKind::Header;
    item.caption = std::string(caption);
    return item;
}

Menu CdChooserItems() {
    Menu items;
    for (int k = 0; k < kCdChooserItemCount; ++k) {
        MenuItem item = Command(std::to_string(k), MenuCommand::ChooseCd, k);
        item.radio = true;
        item.visible = false;
        items.push_back(std::move(item));
    }
    return items;
}

template <typename MenuT>
auto FindIn(MenuT& menu, MenuCommand command, int index) -> decltype(&menu.front()) {
    for (auto& item : menu) {
        if (item.kind == MenuItemKind::Command && item.command == command && item.index == index) return &item;
        if (auto* found = FindIn(item.children, command, index)) return found;
    }
    return nullptr;
}

// Room for the largest index (35 links) within one command's block of identifiers.
constexpr int kMenuIdBase = 1000;
constexpr int kIdsPerCommand = 100;

int IndexCount(MenuCommand command) {
    switch (command) {
    case MenuCommand::None: return 0;
    case MenuCommand::ChooseCd: return kCdChooserItemCount;
    case MenuCommand::OpenLink: return kWebLinkCount;
    default: return 1;
    }
}

}  // namespace

Menu BuildInternetLinksMenu() {
    Menu menu;
    int linkIndex = 0;
    bool first = true;
    for (const WebLinkGroup& group : WebLinkGroups()) {
        if (!first) menu.push_back(Separator());
        first = false;
        menu.push_back(Header(group.header));
        menu.push_back(Separator());
        for (const WebLink& link : group.links)
            menu.push_back(Command(std::string(link.caption), MenuCommand::OpenLink, linkIndex++));
    }
    return menu;
}

Menu BuildMainMenu() {
    using P = MenuPicture;
    Menu options{
        Command("Settings", MenuCommand::Settings, P::Settings),
        Separator(),
        Command("Change skin", MenuCommand::ChangeSkin, P::Skin),
        Separator(),
        Command("Change icon in tray", MenuCommand::ChangeTrayIcon, P::TrayIcon),
    };
    Menu advanced{
        Command("Mp3 tag editor", MenuCommand::TagEditor, P::TagEditor),
        Separator(),
        Command("Timer ( turn off )", MenuCommand::ShutdownTimer, P::Timer),
        Separator(),
        Command("Information", MenuCommand::Information, P::Information),
        Separator(),
        Command("Calendar", MenuCommand::Calendar, P::Calendar),
        Separator(),
        Command("Picture viewer", MenuCommand::PictureViewer, P::Pictures),
        Separator(),
        Command("Search files", MenuCommand::SearchFiles, P::Search),
        Separator(),
        Command("Calculator", MenuCommand::Calculator, P::Calculator),
        Separator(),
        Command("Alarm clock", MenuCommand::AlarmClock, P::Alarm),
        Separator(),
        Command("Reminder", MenuCommand::Reminder, P::Reminder),
        Separator(),
        Submenu("Internet links", BuildInternetLinksMenu(), P::Links),
    };
    MenuItem showClock = Command("Show clock", MenuCommand::ShowClock, P::ShowClock);
    showClock.enabled = false;
    MenuItem close = Command("Close", MenuCommand::Close, P::Close);
    close.isDefault = true;
    return Menu{
        Submenu("Options", std::move(options)),
        Separator(),
        Submenu("Advanced", std::move(advanced)),
        Separator(),
        std::move(showClock),
        Command("Hide clock", MenuCommand::HideClock, P::HideClock),
        Separator(),
        Command("About...", MenuCommand::About, P::About),
        Separator(),
        std::move(close),
    };
}

Menu BuildPowerMenu() {
    using P = MenuPicture;
    return Menu{
        Command("Turn off", MenuCommand::TurnOff, P::TurnOff),
        Separator(),
        Command("Restart", MenuCommand::Restart, P::Restart),
        Separator(),
        Submenu("Start Menu", {Command("Remove records of recently accessed documents",
                                       MenuCommand::ClearRecentDocuments, P::ClearDocuments)}),
        Separator(),
        Command("Hot keys", MenuCommand::HotKeys, P::HotKeys),
        Separator(),
        Submenu(" Choose...", CdChooserItems()),
        Separator(),
        Command("Open CD", MenuCommand::OpenCd, P::OpenCd),
        Separator(),
        Command("Close CD", MenuCommand::CloseCd, P::CloseCd),
    };
}

void ApplyCdChooser(Menu& powerMenu, const CdChooser& chooser) {
    for (int k = 0; k < kCdChooserItemCount; ++k) {
        MenuItem* item = FindMenuItem(powerMenu, MenuCommand::ChooseCd, k);
        if (!item) continue;
        const CdChooserItem& source = chooser.Items()[k];
        item->visible = source.visible;
        item->caption = source.caption;
        item->checked = source.ticked;
    }
}

std::optional<WindowTarget> WindowForCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::Settings: return WindowTarget{WindowId::Settings};
    case MenuCommand::ChangeSkin: return WindowTarget{WindowId::SkinChooser};
    case MenuCommand::TagEditor: return WindowTarget{WindowId::TagEditor};
    case MenuCommand::ShutdownTimer: return WindowTarget{WindowId::ShutdownTimer};
    case MenuCommand::Information: return WindowTarget{WindowId::Information};
    case MenuCommand::Calendar: return WindowTarget{WindowId::Calendar};
    case MenuCommand::PictureViewer: return WindowTarget{WindowId::PictureViewer};
    case MenuCommand::SearchFiles: return WindowTarget{WindowId::SearchFiles};
    case MenuCommand::AlarmClock: return WindowTarget{WindowId::AlarmClock};
    case MenuCommand::Reminder: return WindowTarget{WindowId::ReminderList, ShowRule::BringToFront};
    case MenuCommand::About: return WindowTarget{WindowId::About};
    case MenuCommand::HotKeys: return WindowTarget{WindowId::HotKeys};
    default: return std::nullopt;
    }
}

const MenuItem* FindMenuItem(const Menu& menu, MenuCommand command, int index) {
    return FindIn(menu, command, index);
}

MenuItem* FindMenuItem(Menu& menu, MenuCommand command, int index) { return FindIn(menu, command, index); }

int MenuCommandId(MenuCommand command, int index) {
    if (index < 0 || index >= IndexCount(command)) return 0;
    return kMenuIdBase + static_cast<int>(command) * kIdsPerCommand + index;
}

std::optional<MenuAction> DecodeMenuCommandId(int id) {
    if (id < kMenuIdBase) return std::nullopt;
    int code = (id - kMenuIdBase) / kIdsPerCommand;
    int index = (id - kMenuIdBase) % kIdsPerCommand;
    if (code > static_cast<int>(MenuCommand::OpenLink)) return std::nullopt;
    auto command = static_cast<MenuCommand>(code);
    if (index >= IndexCount(command)) return std::nullopt;
    return MenuAction{command, index};
}

std::optional<TrayMenu> MenuForTrayMessage(unsigned mouseMessage) {
    switch (mouseMessage) {
    case kMouseRightButtonDown: return TrayMenu::Main;
    case kMouseLeftButtonDown: return TrayMenu::PowerAndCd;
    default: return std::nullopt;
    }
}

std::string IconChooserStartFolder(std::string_view currentDirectory, FileSystem& files) {
    // A drive root is reported with its backslash (C:\), which must not be doubled.
    std::string icons(currentDirectory);
    if (icons.empty() || icons.back() != '\\') icons += '\\';
    icons += "Icons";
    if (files.Exists(icons)) return icons;
    return std::string(currentDirectory);
}

}  // namespace tikora
