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

MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItemKind::Separator;
    item.caption = std::string(kSeparatorCaption);
    return item;
}

MenuItem Submenu(std::string caption, Menu children) {
    MenuItem item;
    item.kind = MenuItemKind::Submenu;
    item.caption = std::move(caption);
    item.children = std::move(children);
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
    Menu options{
        Command("Settings", MenuCommand::Settings),
        Separator(),
        Command("Change skin", MenuCommand::ChangeSkin),
        Separator(),
        Command("Change icon in tray", MenuCommand::ChangeTrayIcon),
    };
    Menu advanced{
        Command("Mp3 tag editor", MenuCommand::TagEditor),
        Separator(),
        Command("Timer ( turn off )", MenuCommand::ShutdownTimer),
        Separator(),
        Command("Information", MenuCommand::Information),
        Separator(),
        Command("Calendar", MenuCommand::Calendar),
        Separator(),
        Command("Picture viewer", MenuCommand::PictureViewer),
        Separator(),
        Command("Search files", MenuCommand::SearchFiles),
        Separator(),
        Command("Calculator", MenuCommand::Calculator),
        Separator(),
        Command("Alarm clock", MenuCommand::AlarmClock),
        Separator(),
        Command("Reminder", MenuCommand::Reminder),
        Separator(),
        Submenu("Internet links", BuildInternetLinksMenu()),
    };
    MenuItem showClock = Command("Show clock", MenuCommand::ShowClock);
    showClock.enabled = false;
    MenuItem close = Command("Close", MenuCommand::Close);
    close.isDefault = true;
    return Menu{
        Submenu("Options", std::move(options)),
        Separator(),
        Submenu("Advanced", std::move(advanced)),
        Separator(),
        std::move(showClock),
        Command("Hide clock", MenuCommand::HideClock),
        Separator(),
        Command("About...", MenuCommand::About),
        Separator(),
        std::move(close),
    };
}

Menu BuildPowerMenu() {
    return Menu{
        Command("Turn off", MenuCommand::TurnOff),
        Separator(),
        Command("Restart", MenuCommand::Restart),
        Separator(),
        Submenu("Start Menu",
                {Command("Remove records of recently accessed documents", MenuCommand::ClearRecentDocuments)}),
        Separator(),
        Command("Hot keys", MenuCommand::HotKeys),
        Separator(),
        Submenu(" Choose...", CdChooserItems()),
        Separator(),
        Command("Open CD", MenuCommand::OpenCd),
        Separator(),
        Command("Close CD", MenuCommand::CloseCd),
    };
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
    if (files.exists(icons)) return icons;
    return std::string(currentDirectory);
}

}  // namespace tikora
