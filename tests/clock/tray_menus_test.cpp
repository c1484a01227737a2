#include "clock/tray_menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "clock/cd_drives.h"
#include "clock/web_links.h"
#include "clock/window_catalogue.h"

namespace tikora {
namespace {

using K = MenuItemKind;
using C = MenuCommand;

struct Row {
    std::string path;  // captions from the top, joined by '>'
    MenuItemKind kind;
    MenuCommand command;
    friend bool operator==(const Row&, const Row&) = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << r.path << " kind " << static_cast<int>(r.kind) << " command " << static_cast<int>(r.command);
}

void Flatten(const Menu& menu, const std::string& prefix, std::vector<Row>& rows) {
    for (const auto& item : menu) {
        std::string path = prefix + item.caption;
        rows.push_back({path, item.kind, item.command});
        Flatten(item.children, path + ">", rows);
    }
}

std::vector<Row> Flatten(const Menu& menu) {
    std::vector<Row> rows;
    Flatten(menu, "", rows);
    return rows;
}

template <typename F>
void ForEach(const Menu& menu, F&& f) {
    for (const auto& item : menu) {
        f(item);
        ForEach(item.children, f);
    }
}

TEST(TrayMenus, MainMenuItemByItem) {
    const std::vector<Row> expected{
        {"Options", K::Submenu, C::None},
        {"Options>Settings", K::Command, C::Settings},
        {"Options>-", K::Separator, C::None},
        {"Options>Change skin", K::Command, C::ChangeSkin},
        {"Options>-", K::Separator, C::None},
        {"Options>Change icon in tray", K::Command, C::ChangeTrayIcon},
        {"-", K::Separator, C::None},
        {"Advanced", K::Submenu, C::None},
        {"Advanced>Mp3 tag editor", K::Command, C::TagEditor},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Timer ( turn off )", K::Command, C::ShutdownTimer},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Information", K::Command, C::Information},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Calendar", K::Command, C::Calendar},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Picture viewer", K::Command, C::PictureViewer},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Search files", K::Command, C::SearchFiles},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Calculator", K::Command, C::Calculator},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Alarm clock", K::Command, C::AlarmClock},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Reminder", K::Command, C::Reminder},
        {"Advanced>-", K::Separator, C::None},
        {"Advanced>Internet links", K::Submenu, C::None},
        {"-", K::Separator, C::None},
        {"Show clock", K::Command, C::ShowClock},
        {"Hide clock", K::Command, C::HideClock},
        {"-", K::Separator, C::None},
        {"About...", K::Command, C::About},
        {"-", K::Separator, C::None},
        {"Close", K::Command, C::Close},
    };
    Menu menu = BuildMainMenu();
    std::vector<Row> rows;
    for (const Row& r : Flatten(menu))
        if (r.path.rfind("Advanced>Internet links>", 0) != 0) rows.push_back(r);
    EXPECT_EQ(rows, expected);

    const MenuItem* links = nullptr;
    ForEach(menu, [&](const MenuItem& item) {
        if (item.caption == "Internet links") links = &item;
    });
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(Flatten(links->children), Flatten(BuildInternetLinksMenu()));
}

TEST(TrayMenus, PowerMenuItemByItem) {
    const std::vector<Row> expected{
        {"Turn off", K::Command, C::TurnOff},
        {"-", K::Separator, C::None},
        {"Restart", K::Command, C::Restart},
        {"-", K::Separator, C::None},
        {"Start Menu", K::Submenu, C::None},
        {"Start Menu>Remove records of recently accessed documents", K::Command, C::ClearRecentDocuments},
        {"-", K::Separator, C::None},
        {"Hot keys", K::Command, C::HotKeys},
        {"-", K::Separator, C::None},
        {" Choose...", K::Submenu, C::None},
        {" Choose...>0", K::Command, C::ChooseCd},
        {" Choose...>1", K::Command, C::ChooseCd},
        {" Choose...>2", K::Command, C::ChooseCd},
        {" Choose...>3", K::Command, C::ChooseCd},
        {" Choose...>4", K::Command, C::ChooseCd},
        {" Choose...>5", K::Command, C::ChooseCd},
        {" Choose...>6", K::Command, C::ChooseCd},
        {" Choose...>7", K::Command, C::ChooseCd},
        {"-", K::Separator, C::None},
        {"Open CD", K::Command, C::OpenCd},
        {"-", K::Separator, C::None},
        {"Close CD", K::Command, C::CloseCd},
    };
    EXPECT_EQ(Flatten(BuildPowerMenu()), expected);
}

TEST(TrayMenus, ChooserItemsAreAHiddenRadioGroupNumberedZeroToSeven) {
    Menu menu = BuildPowerMenu();
    for (int k = 0; k < 8; ++k) {
        const MenuItem* item = FindMenuItem(menu, C::ChooseCd, k);
        ASSERT_NE(item, nullptr) << k;
        EXPECT_EQ(item->caption, std::to_string(k));
        EXPECT_TRUE(item->radio) << k;
        EXPECT_FALSE(item->visible) << k;
    }
    EXPECT_EQ(FindMenuItem(menu, C::ChooseCd, 8), nullptr);
    int radios = 0;
    ForEach(menu, [&](const MenuItem& item) { radios += item.radio ? 1 : 0; });
    EXPECT_EQ(radios, 8);
}

TEST(TrayMenus, CloseIsTheOnlyDefaultItem) {
    std::vector<std::string> defaults;
    for (const Menu& menu : {BuildMainMenu(), BuildPowerMenu()})
        ForEach(menu, [&](const MenuItem& item) {
            if (item.isDefault) defaults.push_back(item.caption);
        });
    EXPECT_EQ(defaults, std::vector<std::string>{"Close"});
}

TEST(TrayMenus, StartsWithShowClockDisabledAndEverythingElseEnabled) {
    ForEach(BuildMainMenu(), [](const MenuItem& item) {
        EXPECT_EQ(item.enabled, item.command != C::ShowClock) << item.caption;
    });
}

TEST(InternetLinks, FourGroupsWithHeaderSeparatorAndLinks) {
    struct Group {
        std::string header;
        size_t count;
    };
    const std::vector<Group> expected{{"Search", 7}, {"Programs", 16}, {"Music MP3", 7}, {"Wallpapers", 6}};
    Menu menu = BuildInternetLinksMenu();
    size_t pos = 0;
    int nextLink = 0;
    for (size_t g = 0; g < expected.size(); ++g) {
        if (g > 0) {
            ASSERT_LT(pos, menu.size());
            EXPECT_EQ(menu[pos++].kind, K::Separator) << "between groups " << g;
        }
        ASSERT_LT(pos + 1, menu.size());
        EXPECT_EQ(menu[pos].kind, K::Header);
        EXPECT_EQ(menu[pos].caption, expected[g].header);
        EXPECT_EQ(MenuCommandId(menu[pos].command, menu[pos].index), 0) << "headers have no action";
        ++pos;
        EXPECT_EQ(menu[pos++].kind, K::Separator) << "after " << expected[g].header;
        for (size_t i = 0; i < expected[g].count; ++i, ++pos, ++nextLink) {
            ASSERT_LT(pos, menu.size());
            EXPECT_EQ(menu[pos].kind, K::Command);
            EXPECT_EQ(menu[pos].command, C::OpenLink);
            EXPECT_EQ(menu[pos].index, nextLink);
            EXPECT_EQ(menu[pos].caption, WebLinks()[nextLink].caption);
        }
    }
    EXPECT_EQ(pos, menu.size());
    EXPECT_EQ(nextLink, 36);
}

TEST(WebLinks, TableMatchesTheGroupsAndCaptionsAreHostNames) {
    const auto groups = WebLinkGroups();
    ASSERT_EQ(groups.size(), 4u);
    const std::pair<std::string_view, size_t> expected[] = {
        {"Search", 7}, {"Programs", 16}, {"Music MP3", 7}, {"Wallpapers", 6}};
    size_t offset = 0;
    for (size_t g = 0; g < 4; ++g) {
        EXPECT_EQ(groups[g].header, expected[g].first);
        ASSERT_EQ(groups[g].links.size(), expected[g].second) << expected[g].first;
        EXPECT_EQ(groups[g].links.data(), WebLinks().data() + offset) << "groups are consecutive slices";
        offset += groups[g].links.size();
    }
    EXPECT_EQ(WebLinks().size(), 36u);
    EXPECT_EQ(offset, 36u);

    std::set<std::string_view> captions;
    for (const WebLink& link : WebLinks()) {
        constexpr std::string_view scheme = "https://";
        ASSERT_EQ(link.address.substr(0, scheme.size()), scheme) << link.address;
        std::string_view rest = link.address.substr(scheme.size());
        EXPECT_EQ(rest.substr(0, rest.find('/')), link.caption);
        EXPECT_TRUE(captions.insert(link.caption).second) << "duplicate " << link.caption;
    }
}

class RecordingShell : public ShellLauncher {
public:
    struct Call {
        bool ownerIsApplication;
        std::string verb;
        std::string file;
        int showCommand;
    };
    void Open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) override {
        calls.push_back({ownerIsApplication, std::string(verb), std::string(file), showCommand});
    }
    std::vector<Call> calls;
};

TEST(WebLinks, OpensTheAddressMaximisedWithoutOwner) {
    RecordingShell shell;
    OpenWebLink(shell, 0);
    OpenWebLink(shell, 35);
    OpenWebLink(shell, 36);
    OpenWebLink(shell, -1);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_FALSE(shell.calls[0].ownerIsApplication);
    EXPECT_EQ(shell.calls[0].verb, "");
    EXPECT_EQ(shell.calls[0].file, WebLinks()[0].address);
    EXPECT_EQ(shell.calls[0].showCommand, 3);
    EXPECT_EQ(shell.calls[1].file, WebLinks()[35].address);
}

TEST(MenuCommandIds, EveryActionHasItsOwnIdentifierThatDecodesBack) {
    std::set<int> ids;
    for (const Menu& menu : {BuildMainMenu(), BuildPowerMenu()})
        ForEach(menu, [&](const MenuItem& item) {
            if (item.kind != K::Command) return;
            int id = MenuCommandId(item.command, item.index);
            EXPECT_NE(id, 0) << item.caption;
            EXPECT_TRUE(ids.insert(id).second) << "shared identifier: " << item.caption;
            EXPECT_EQ(DecodeMenuCommandId(id), (MenuAction{item.command, item.index})) << item.caption;
        });
    // 16 commands of the main menu, 36 links, 6 power items and 8 chooser items.
    EXPECT_EQ(ids.size(), 16u + 36u + 6u + 8u);
}

TEST(MenuCommandIds, RejectsIdentifiersOutsideTheMenus) {
    EXPECT_EQ(MenuCommandId(C::ChooseCd, 8), 0);
    EXPECT_EQ(MenuCommandId(C::OpenLink, 36), 0);
    EXPECT_EQ(MenuCommandId(C::Close, 1), 0);
    EXPECT_EQ(MenuCommandId(C::None), 0);
    const int close = MenuCommandId(C::Close);
    const int chooseCd = MenuCommandId(C::ChooseCd, 0);
    const int lastLink = MenuCommandId(C::OpenLink, 35);
    for (int id : {0, -5, 1, close + 1, chooseCd + 8, lastLink + 1, lastLink + 100})
        EXPECT_EQ(DecodeMenuCommandId(id), std::nullopt) << id;
}

TEST(TrayCallback, OnlyButtonPressesOpenAMenu) {
    const std::pair<unsigned, std::optional<TrayMenu>> cases[] = {
        {0x204, TrayMenu::Main},  // right button down
        {0x201, TrayMenu::PowerAndCd},  // left button down
        {0x200, std::nullopt},  // move
        {0x202, std::nullopt},  // left up
        {0x203, std::nullopt},  // left double click
        {0x205, std::nullopt},  // right up
        {0x206, std::nullopt},  // right double click
        {0x207, std::nullopt},  // middle down
    };
    for (const auto& [message, menu] : cases) EXPECT_EQ(MenuForTrayMessage(message), menu) << std::hex << message;
}

class FakeFiles : public FileSystem {
public:
    explicit FakeFiles(std::set<std::string> paths) : paths(std::move(paths)) {}
    bool Exists(std::string_view path) override { return paths.count(std::string(path)) > 0; }
    std::set<std::string> paths;
};

TEST(TrayIconChooser, StartsInTheIconsFolderWhenItExists) {
    struct Case {
        std::string current;
        std::set<std::string> existing;
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Tikora", {"C:\\Tikora\\Icons"}, "C:\\Tikora\\Icons"},
        {"C:\\Tikora", {"C:\\Tikora"}, "C:\\Tikora"},
        {"C:\\", {"C:\\Icons"}, "C:\\Icons"},
        {"C:\\", {}, "C:\\"},
    };
    for (const auto& c : cases) {
        FakeFiles files(c.existing);
        EXPECT_EQ(IconChooserStartFolder(c.current, files), c.expected) << c.current;
    }
}

TEST(CdChooserMenu, ChooserStateReachesTheSubmenuItems) {
    struct Case {
        std::string name;
        std::vector<std::string> drives;
        int selected;
        std::vector<std::string> shown;  // captions of the visible items, in order
        std::optional<int> checked;
    };
    const std::vector<std::string> nine{"D:", "E:", "F:", "G:", "H:", "I:", "J:", "K:", "L:"};
    const Case cases[] = {
        {"two drives, second chosen", {"D:", "F:"}, 2, {"D:", "F:"}, 2},
        {"stored item beyond the drives", {"D:", "F:"}, 3, {"D:", "F:"}, 3},
        {"nine drives show seven", nine, 7, {"D:", "E:", "F:", "G:", "H:", "I:", "J:"}, 7},
        {"no drive at all", {}, 1, {}, 1},
        {"hand-edited value out of range", {"D:"}, 9, {"D:"}, std::nullopt},
    };
    for (const Case& c : cases) {
        CdChooser chooser;
        chooser.Fill(c.drives);
        chooser.Select(c.selected);
        Menu menu = BuildPowerMenu();
        ApplyCdChooser(menu, chooser);
        std::vector<std::string> shown;
        std::optional<int> checked;
        for (int k = 0; k < kCdChooserItemCount; ++k) {
            const MenuItem* item = FindMenuItem(menu, C::ChooseCd, k);
            ASSERT_NE(item, nullptr);
            if (item->visible) shown.push_back(item->caption);
            if (item->checked) {
                EXPECT_FALSE(checked.has_value()) << c.name << ": two items ticked";
                checked = k;
            }
        }
        EXPECT_EQ(shown, c.shown) << c.name;
        EXPECT_EQ(checked, c.checked) << c.name;
        EXPECT_FALSE(FindMenuItem(menu, C::ChooseCd, 0)->visible) << c.name << ": item 0 is never shown";
    }
}

TEST(MenuWindows, EachItemShowsTheWindowOfItsCaption) {
    // The window an item shows, named by the caption it carries in the window catalogue.
    const std::pair<MenuCommand, std::string_view> cases[] = {
        {C::Settings, "Tikora: Settings"},
        {C::ChangeSkin, " Change skin"},
        {C::TagEditor, "MP3 tag editor ( ID3v1 )"},
        {C::ShutdownTimer, "Timer (turn off)"},
        {C::Information, " Information"},
        {C::Calendar, " Calendar"},
        {C::PictureViewer, " Picture viewer"},
        {C::SearchFiles, " Search files"},
        {C::AlarmClock, "Alarm clock"},
        {C::Reminder, "Reminder"},
        {C::About, " About..."},
        {C::HotKeys, " Hot Keys"},
    };
    for (const auto& [command, caption] : cases) {
        std::optional<WindowTarget> target = WindowForCommand(command);
        ASSERT_TRUE(target.has_value()) << caption;
        const WindowEntry* entry = nullptr;
        for (const WindowEntry& e : kWindowCatalogue)
            if (target->className == e.className) entry = &e;
        ASSERT_NE(entry, nullptr) << target->className;
        EXPECT_EQ(entry->caption, caption) << target->className;
        EXPECT_EQ(target->rule, command == C::Reminder ? ShowRule::BringToFront : ShowRule::IfHidden) << caption;
    }
}

TEST(MenuWindows, ActionsThatAreNotWindowsShowNone) {
    for (MenuCommand command : {C::None, C::Calculator, C::ChangeTrayIcon, C::ShowClock, C::HideClock, C::Close,
                                C::TurnOff, C::Restart, C::ClearRecentDocuments, C::ChooseCd, C::OpenCd,
                                C::CloseCd, C::OpenLink})
        EXPECT_EQ(WindowForCommand(command), std::nullopt) << static_cast<int>(command);
}

}  // namespace
}  // namespace tikora
