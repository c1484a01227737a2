#include "clock/cd_drives.h"

#include <gtest/gtest.h>

#include <set>

#include "support/fakes.h"

namespace tikora {
namespace {

using testing::MemorySettings;

std::uint32_t Mask(std::string_view letters) {
    std::uint32_t mask = 0;
    for (char c : letters) mask |= std::uint32_t{1} << (c - 'A');
    return mask;
}

CdRomQuery CdRoms(std::string_view letters) {
    std::set<std::string> names;
    for (char c : letters) names.insert(std::string{c, ':'});
    return [names](std::string_view name) { return names.count(std::string(name)) > 0; };
}

TEST(FindCdDrives, ListsExistingCdRomDrivesInLetterOrder) {
    struct Case {
        const char* existing;
        const char* cdRoms;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"ACDEF", "DF", {"D:", "F:"}},
        {"CE", "", {}},
        {"C", "DF", {}},  // a CD-ROM answer for a drive that does not exist is never used
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "AZ", {"A:", "Z:"}},
        {"CDEFGHIJKL", "DEFGHIJKL", {"D:", "E:", "F:", "G:", "H:", "I:", "J:", "K:", "L:"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindCdDrives(Mask(c.existing), CdRoms(c.cdRoms)), c.expected) << c.existing << " / " << c.cdRoms;
}

TEST(FindCdDrives, AsksOnlyAboutExistingDrivesWithLetterAndColon) {
    std::vector<std::string> asked;
    FindCdDrives(Mask("CDX") | (std::uint32_t{1} << 30), [&](std::string_view name) {
        asked.emplace_back(name);
        return false;
    });
    EXPECT_EQ(asked, (std::vector<std::string>{"C:", "D:", "X:"}));
}

TEST(CdChooser, RestoresTheStoredChoice) {
    struct Case {
        const char* name;
        std::vector<std::string> drives;
        const char* stored;  // nullptr: no value in the settings file
        std::optional<int> ticked;
        std::string selected;
    };
    const Case cases[] = {
        {"D: and F:, second chosen", {"D:", "F:"}, "2", 2, "F:"},
        {"no value: the first", {"D:", "F:"}, nullptr, 1, "D:"},
        {"more stored than found", {"D:", "F:"}, "3", 3, ""},
        {"no drive at all", {}, "1", 1, ""},
        {"item 0 has no drive", {"D:"}, "0", 0, ""},
        {"seventh of nine", {"D:", "E:", "F:", "G:", "H:", "I:", "J:", "K:", "L:"}, "7", 7, "J:"},
        {"negative", {"D:", "F:"}, "-1", std::nullopt, ""},
        {"above the items", {"D:", "F:"}, "8", std::nullopt, ""},
        {"far above", {"D:", "F:"}, "1000", std::nullopt, ""},
        {"not a number reads as the default", {"D:", "F:"}, "two", 1, "D:"},
    };
    for (const auto& c : cases) {
        MemorySettings store;
        if (c.stored) store.WriteString("CD", "selectedCD", c.stored);
        CdChooser chooser;
        chooser.Fill(c.drives);
        chooser.Restore(store);
        EXPECT_EQ(chooser.TickedItem(), c.ticked) << c.name;
        EXPECT_EQ(chooser.SelectedDrive(), c.selected) << c.name;
        int tickedCount = 0;
        for (const auto& item : chooser.Items()) tickedCount += item.ticked ? 1 : 0;
        EXPECT_EQ(tickedCount, c.ticked ? 1 : 0) << c.name;
    }
}

TEST(CdChooser, ShowsItemsOneToSevenForTheFirstSevenDrives) {
    struct Case {
        size_t driveCount;
        int visibleItems;
    };
    const std::vector<std::string> nine{"D:", "E:", "F:", "G:", "H:", "I:", "J:", "K:", "L:"};
    for (Case c : {Case{0, 0}, Case{2, 2}, Case{7, 7}, Case{9, 7}}) {
        CdChooser chooser;
        chooser.Fill({nine.begin(), nine.begin() + c.driveCount});
        EXPECT_EQ(chooser.Drives().size(), c.driveCount) << "all drives stay listed";
        const auto& items = chooser.Items();
        EXPECT_FALSE(items[0].visible);
        EXPECT_EQ(items[0].caption, "0");
        for (int k = 1; k < kCdChooserItemCount; ++k) {
            bool shown = k <= c.visibleItems;
            EXPECT_EQ(items[k].visible, shown) << c.driveCount << " drives, item " << k;
            EXPECT_EQ(items[k].caption, shown ? nine[k - 1] : std::to_string(k)) << c.driveCount << " drives";
            EXPECT_EQ(items[k].hint, shown ? nine[k - 1] : "") << c.driveCount << " drives";
        }
    }
}

TEST(CdChooser, ChoosingAnItemSelectsItsDriveAndRemembersItAndAnOutOfRangeOneClearsIt) {
    MemorySettings store;
    CdChooser chooser;
    chooser.Fill({"D:", "F:"});
    chooser.Restore(store);
    chooser.Choose(2, store);
    EXPECT_EQ(chooser.SelectedDrive(), "F:");
    EXPECT_FALSE(chooser.Items()[1].ticked);
    EXPECT_EQ(store.ReadString("CD", "selectedCD", ""), "2");

    CdChooser nextStart;
    nextStart.Fill({"D:", "F:"});
    nextStart.Restore(store);
    EXPECT_EQ(nextStart.SelectedDrive(), "F:");

    chooser.Select(9);
    EXPECT_EQ(chooser.TickedItem(), std::nullopt);
    EXPECT_EQ(chooser.SelectedDrive(), "");
}

}  // namespace
}  // namespace tikora
