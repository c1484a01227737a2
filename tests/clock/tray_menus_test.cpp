#include "clock/tray_menus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "clock/web_links.h"
#include "support/fakes.h"

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
    const Row sep{"-", K::Separator, C::None}, optionsSep{"Options>-", K::Separator, C::None},
        advancedSep{"Advanced>-", K::Separator, C::None};
    const std::vector<Row> expected{
        {"Options", K::Submenu, C::None}, {"Options>Settings", K::Command, C::Settings}, optionsSep,
        {"Options>Change skin", K::Command, C::ChangeSkin}, optionsSep,
        {"Options>Change icon in tray", K::Command, C::ChangeTrayIcon}, sep,
        {"Advanced", K::Submenu, C::None}, {"Advanced>Mp3 tag editor", K::Command, C::TagEditor}, advancedSep,
        {"Advanced>Timer ( turn off )", K::Command, C::ShutdownTimer}, advancedSep,
        {"Advanced>Information", K::Command, C::Information}, advancedSep,
        {"Advanced>Calendar", K::Command, C::Calendar}, advancedSep,
        {"Advanced>Picture viewer", K::Command, C::PictureViewer}, advancedSep,
        {"Advanced>Search files", K::Command, C::SearchFiles}, advancedSep,
        {"Advanced>Calculator", K::Command, C::Calculator}, advancedSep,
        {"Advanced>Alarm clock", K::Command, C::AlarmClock}, advancedSep,
        {"Advanced>Reminder", K::Command, C::Reminder}, advancedSep,
        {"Advanced>Internet links", K::Submenu, C::None}, sep,
        {"Show clock", K::Command, C::ShowClock}, {"Hide clock", K::Command, C::HideClock}, sep,
        {"About...", K::Command, C::About}, sep,
        {"Close", K::Command, C::Close},
    };
    const Menu menu = BuildMainMenu();
    std::vector<Row> rows;
    for (const Row& r : Flatten(menu))
        if (r.path.rfind("Advanced>Internet links>", 0) != 0) rows.push_back(r);
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(Flatten(menu[2].children.back().children), Flatten(BuildInternetLinksMenu()));
}

TEST(TrayMenus, PowerMenuItemByItem) {
    const Row sep{"-", K::Separator, C::None};
    std::vector<Row> expected{
        {"Turn off", K::Command, C::TurnOff}, sep, {"Restart", K::Command, C::Restart}, sep,
        {"Start Menu", K::Submenu, C::None},
        {"Start Menu>Remove records of recently accessed documents", K::Command, C::ClearRecentDocuments}, sep,
        {"Hot keys", K::Command, C::HotKeys}, sep, {" Choose...", K::Submenu, C::None},
    };
    for (int k = 0; k < 8; ++k) expected.push_back({" Choose...>" + std::to_string(k), K::Command, C::ChooseCd});
    expected.insert(expected.end(),
                    {sep, {"Open CD", K::Command, C::OpenCd}, sep, {"Close CD", K::Command, C::CloseCd}});
    EXPECT_EQ(Flatten(BuildPowerMenu()), expected);
}

// The states right after creation: Close the only default item, Show clock the only disabled
// one, the eight chooser items the only radio items and all hidden.
TEST(TrayMenus, StatesAfterCreation) {
    std::vector<std::string> defaults, disabled, radios, hidden;
    for (const Menu& menu : {BuildMainMenu(), BuildPowerMenu()})
        ForEach(menu, [&](const MenuItem& item) {
            if (item.isDefault) defaults.push_back(item.caption);
            if (!item.enabled) disabled.push_back(item.caption);
            if (item.radio) radios.push_back(item.caption);
            if (!item.visible) hidden.push_back(item.caption);
        });
    const std::vector<std::string> chooser{"0", "1", "2", "3", "4", "5", "6", "7"};
    EXPECT_EQ(defaults, std::vector<std::string>{"Close"});
    EXPECT_EQ(disabled, std::vector<std::string>{"Show clock"});
    EXPECT_EQ(radios, chooser);
    EXPECT_EQ(hidden, chooser);
}

// Every action of the two menus (the links and chooser items aside) and "Internet links" carry
// a picture of their own.
TEST(TrayMenus, ItemsCarryPicturesOfTheirOwn) {
    std::set<MenuPicture> pictures;
    for (const Menu& menu : {BuildMainMenu(), BuildPowerMenu()})
        ForEach(menu, [&](const MenuItem& item) {
            bool expected = item.caption == "Internet links" ||
                            (item.kind == K::Command && item.command != C::OpenLink && item.command != C::ChooseCd);
            EXPECT_EQ(item.picture != MenuPicture::None, expected) << item.caption;
            EXPECT_TRUE(item.picture == MenuPicture::None || pictures.insert(item.picture).second) << item.caption;
        });
    EXPECT_EQ(pictures.size(), 23u);
}

TEST(InternetLinks, FourGroupsOfTheLinkTableWithHeaderAndSeparators) {
    const std::pair<std::string, size_t> groups[] = {
        {"Search", 7}, {"Programs", 16}, {"Music MP3", 7}, {"Wallpapers", 6}};
    std::vector<Row> expected;
    size_t link = 0;
    for (const auto& [header, count] : groups) {
        if (link > 0) expected.push_back({"-", K::Separator, C::None});
        expected.push_back({header, K::Header, C::None});
        expected.push_back({"-", K::Separator, C::None});
        for (size_t i = 0; i < count; ++i, ++link)
            expected.push_back({std::string(WebLinks()[link].caption), K::Command, C::OpenLink});
    }
    Menu menu = BuildInternetLinksMenu();
    EXPECT_EQ(Flatten(menu), expected);
    EXPECT_EQ(WebLinks().size(), 36u);
    int next = 0;
    ForEach(menu, [&](const MenuItem& item) {
        if (item.command == C::OpenLink) {
            EXPECT_EQ(item.index, next++) << item.caption;
        }
    });

    std::set<std::string_view> captions;
    for (const WebLink& link : WebLinks()) {
        constexpr std::string_view scheme = "https://";
        ASSERT_EQ(link.address.substr(0, scheme.size()), scheme) << link.address;
        std::string_view rest = link.address.substr(scheme.size());
        EXPECT_EQ(rest.substr(0, rest.find('/')), link.caption) << "captions are host names";
        EXPECT_TRUE(captions.insert(link.caption).second) << "duplicate " << link.caption;
    }
}

TEST(WebLinks, OpensTheAddressMaximisedWithoutOwner) {
    testing::RecordingShell shell;
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
        testing::FakeFiles files;
        files.present = c.existing;
        EXPECT_EQ(IconChooserStartFolder(c.current, files), c.expected) << c.current;
    }
}

// The window each item shows; none for the items that show no window of their own.
TEST(MenuWindows, EachItemShowsItsWindow) {
    using W = WindowId;
    const std::pair<MenuCommand, std::optional<WindowId>> cases[] = {
        {C::Settings, W::Settings}, {C::ChangeSkin, W::SkinChooser},
        {C::TagEditor, W::TagEditor}, {C::ShutdownTimer, W::ShutdownTimer},
        {C::Information, W::Information}, {C::Calendar, W::Calendar},
        {C::PictureViewer, W::PictureViewer}, {C::SearchFiles, W::SearchFiles},
        {C::AlarmClock, W::AlarmClock}, {C::Reminder, W::ReminderList},
        {C::About, W::About}, {C::HotKeys, W::HotKeys},
        {C::None, {}}, {C::Calculator, {}}, {C::ChangeTrayIcon, {}}, {C::ShowClock, {}}, {C::HideClock, {}},
        {C::Close, {}}, {C::TurnOff, {}}, {C::Restart, {}}, {C::ClearRecentDocuments, {}}, {C::ChooseCd, {}},
        {C::OpenCd, {}}, {C::CloseCd, {}}, {C::OpenLink, {}},
    };
    for (const auto& [command, window] : cases) {
        std::optional<WindowTarget> target = WindowForCommand(command);
        ASSERT_EQ(target.has_value(), window.has_value()) << static_cast<int>(command);
        if (!target) continue;
        EXPECT_EQ(target->window, *window) << static_cast<int>(command);
        EXPECT_EQ(target->rule, command == C::Reminder ? ShowRule::BringToFront : ShowRule::IfHidden)
            << static_cast<int>(command);
    }
}

}  // namespace
}  // namespace tikora
