// CD drives, the door through MCI, the hot keys, and the power and recent-documents actions of
// the power and CD menu.
#include <algorithm>

#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

HMENU Chooser(ClockWindow& clock) { return FindRow(clock.PowerMenu(), " Choose...")->submenu; }

struct ChooserView {
    std::vector<std::string> captions;
    std::vector<std::string> checked;
};

ChooserView ReadChooser(ClockWindow& clock) {
    ChooserView view;
    for (const MenuRow& row : ReadMenu(Chooser(clock))) {
        view.captions.push_back(row.caption);
        if (row.Checked()) view.checked.push_back(row.caption);
        EXPECT_TRUE(row.type & MFT_RADIOCHECK) << row.caption;
    }
    return view;
}

// The MCI calls of one door action, as they must be: open, set, close.
void ExpectDoorCalls(const std::vector<RecordingMci::Call>& calls, const std::string& drive, DWORD door) {
    ASSERT_EQ(calls.size(), 3u) << drive;
    EXPECT_EQ(calls[0].message, static_cast<UINT>(MCI_OPEN));
    EXPECT_EQ(calls[0].device, 0u);
    EXPECT_EQ(calls[0].flags, 0x2200u);
    EXPECT_EQ(calls[0].type, "CDAudio");
    EXPECT_EQ(calls[0].element, drive);
    EXPECT_EQ(calls[1].message, static_cast<UINT>(MCI_SET));
    EXPECT_EQ(calls[1].device, RecordingMci::kDevice);
    EXPECT_EQ(calls[1].flags, door);
    EXPECT_EQ(calls[1].params, 0u);
    EXPECT_EQ(calls[2].message, static_cast<UINT>(MCI_CLOSE));
    EXPECT_EQ(calls[2].device, RecordingMci::kDevice);
    EXPECT_EQ(calls[2].flags, 0x2200u) << "closed with the open's flags";
    EXPECT_EQ(calls[2].params, calls[0].params) << "and its parameter record";
}

TEST(CdDrives, FirstShowFillsTheChooserAndOpenCdActsOnTheTickedDrive) {
    struct Case {
        const char* name;
        std::string cdLetters;
        std::optional<int> selectedCd;  // nullopt: not in the file
        std::vector<std::string> shown;
        std::vector<std::string> ticked;
        std::string door;  // the drive "Open CD" opens; empty: none
    };
    const Case cases[] = {
        {"D: and F:, second chosen", "DF", 2, {"D:", "F:"}, {"F:"}, "F:"},
        {"no stored choice takes the first", "DF", std::nullopt, {"D:", "F:"}, {"D:"}, "D:"},
        {"nine drives show the first seven", "DEFGHIJKL", 7, {"D:", "E:", "F:", "G:", "H:", "I:", "J:"}, {"J:"}, "J:"},
        {"stored item beyond the drives", "DF", 3, {"D:", "F:"}, {}, ""},
        {"no CD drive", "", 1, {}, {}, ""},
        {"item 0 is never shown", "D", 0, {"D:"}, {}, ""},
        {"hand-edited value out of range", "DF", 12, {"D:", "F:"}, {}, ""},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.drives.Add('A', DRIVE_REMOVABLE);
        rig.drives.Add('C', DRIVE_FIXED);
        rig.drives.Add('Z', DRIVE_REMOTE);
        for (char letter : c.cdLetters) {
            rig.drives.Add(letter, DRIVE_CDROM);
            rig.mci.cdDrives.insert(std::string{letter, ':'});
        }
        rig.drives.types["B:"] = DRIVE_CDROM;  // not in the mask: never asked
        if (c.selectedCd) rig.settings.WriteInteger("CD", "selectedCD", *c.selectedCd);
        ClockWindow& clock = rig.Start();
        EXPECT_TRUE(rig.drives.asked.empty()) << c.name << ": drives are found at the first show";
        rig.ShowAtStart();

        for (const std::string& asked : rig.drives.asked) EXPECT_EQ(asked.size(), 2u) << "letter and colon only";
        EXPECT_EQ(std::count(rig.drives.asked.begin(), rig.drives.asked.end(), "B:"), 0) << c.name;
        ChooserView view = ReadChooser(clock);
        EXPECT_EQ(view.captions, c.shown) << c.name;
        EXPECT_EQ(view.checked, c.ticked) << c.name;
        EXPECT_EQ(clock.GetCdChooser().SelectedDrive(), c.door) << c.name;

        ClickItem(clock, clock.PowerMenu(), "Open CD");
        if (c.door.empty()) {
            ASSERT_EQ(rig.mci.calls.size(), 1u) << c.name << ": only the failed open";
            EXPECT_EQ(rig.mci.calls[0].element, "") << c.name;
        } else {
            ExpectDoorCalls(rig.mci.calls, c.door, MCI_SET_DOOR_OPEN);
        }
    }
}

TEST(CdDrives, ChoosingADriveTicksItStoresItAndMovesTheDoorsThere) {
    ClockRig rig;
    for (char letter : {'D', 'E', 'F'}) {
        rig.drives.Add(letter, DRIVE_CDROM);
        rig.mci.cdDrives.insert(std::string{letter, ':'});
    }
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    ASSERT_EQ(ReadChooser(clock).checked, std::vector<std::string>{"D:"});

    ClickItem(clock, Chooser(clock), "F:");
    EXPECT_EQ(ReadChooser(clock).checked, std::vector<std::string>{"F:"});
    EXPECT_EQ(ReadChooser(clock).captions, (std::vector<std::string>{"D:", "E:", "F:"}));
    EXPECT_EQ(rig.settings.ReadInteger("CD", "selectedCD", -1), 3);

    ClickItem(clock, clock.PowerMenu(), "Close CD");
    ExpectDoorCalls(rig.mci.calls, "F:", MCI_SET_DOOR_CLOSED);
}

TEST(CdDrives, ADoorThatCannotBeOpenedStopsAfterTheOpen) {
    ClockRig rig;
    rig.drives.Add('D', DRIVE_CDROM);  // a CD drive whose device the MCI refuses
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    ClickItem(clock, clock.PowerMenu(), "Open CD");
    ASSERT_EQ(rig.mci.calls.size(), 1u);
    EXPECT_EQ(rig.mci.calls[0].element, "D:");
    EXPECT_TRUE(rig.ErrorBoxes().empty());
}

TEST(HotKeys, HeldFromCreationToDestructionOnlyWhileTheOptionIsOn) {
    for (bool hotkey : {true, false}) {
        ClockRig rig;
        rig.Option("hotkey", hotkey);
        ASSERT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP));
        rig.Start();
        EXPECT_EQ(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP), !hotkey) << "hotkey " << hotkey;
        EXPECT_EQ(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN), !hotkey) << "hotkey " << hotkey;
        EXPECT_TRUE(HotKeyFree(MOD_CONTROL, VK_UP)) << "exactly Ctrl+Alt";
        rig.clock.reset();
        EXPECT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP)) << "released at destruction";
        EXPECT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN)) << "released at destruction";
    }
}

TEST(HotKeys, TheHotKeysDialogSwitchesThemAtRunTime) {
    ClockRig rig;
    rig.Option("hotkey", false);
    ClockWindow& clock = rig.Start();
    clock.Options().hotkey = true;
    clock.RegisterHotKeys();
    EXPECT_FALSE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP));
    EXPECT_FALSE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN));
    clock.Options().hotkey = false;
    clock.UnregisterHotKeys();
    EXPECT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP));
    EXPECT_TRUE(HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN));
}

TEST(HotKeys, IdentifierZeroOpensAndOneClosesTheSelectedDrive) {
    struct Case {
        WPARAM id;
        std::optional<DWORD> door;
    };
    for (const Case& c : {Case{0, MCI_SET_DOOR_OPEN}, Case{1, MCI_SET_DOOR_CLOSED}, Case{2, std::nullopt}}) {
        ClockRig rig;
        for (char letter : {'D', 'F'}) {
            rig.drives.Add(letter, DRIVE_CDROM);
            rig.mci.cdDrives.insert(std::string{letter, ':'});
        }
        rig.settings.WriteInteger("CD", "selectedCD", 2);
        ClockWindow& clock = rig.Start();
        rig.ShowAtStart();
        SendMessageA(clock.Hwnd(), WM_HOTKEY, c.id, MAKELPARAM(MOD_ALT | MOD_CONTROL, c.id == 0 ? VK_UP : VK_DOWN));
        if (c.door)
            ExpectDoorCalls(rig.mci.calls, "F:", *c.door);
        else
            EXPECT_TRUE(rig.mci.calls.empty()) << "identifier " << c.id;
    }
}

TEST(PowerActions, ItemsAskForTheirPowerRequestWithoutConfirmation) {
    const std::pair<const char*, unsigned> cases[] = {{"Turn off", 5}, {"Restart", 6}};
    for (const auto& [caption, flags] : cases) {
        ClockRig rig;
        ClockWindow& clock = rig.Start();
        ClickItem(clock, clock.PowerMenu(), caption);
        EXPECT_EQ(rig.power.requests, std::vector<unsigned>{flags}) << caption;
        EXPECT_TRUE(rig.desktopShell.calls.empty()) << caption;
    }
}

TEST(PowerActions, RemovingRecentDocumentsEmptiesTheListThenBeepsOnce) {
    ClockRig rig;
    ClockWindow& clock = rig.Start();
    ClickItem(clock, clock.PowerMenu(), "Remove records of recently accessed documents");
    EXPECT_EQ(rig.desktopShell.calls, (std::vector<std::string>{"clear recent documents", "beep 0"}));
    EXPECT_TRUE(rig.power.requests.empty());
}

}  // namespace
}  // namespace tikora::traytest
