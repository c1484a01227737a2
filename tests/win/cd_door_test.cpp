// CD drives, the door through MCI, the hot keys, and the power and recent-documents actions of
// the power and CD menu.
#include "win/support/tray_harness.h"

namespace tikora::traytest {
namespace {

HMENU Chooser(ClockWindow& clock) { return FindRow(clock.PowerMenu(), " Choose...")->submenu; }

// Captions of the chooser's items, the ticked one in brackets.
std::vector<std::string> ReadChooser(ClockWindow& clock) {
    std::vector<std::string> items;
    for (const MenuRow& row : ReadMenu(Chooser(clock)))
        items.push_back((row.state & MFS_CHECKED) ? "[" + row.caption + "]" : row.caption);
    return items;
}

void AddCdDrives(ClockRig& rig, const std::string& letters) {
    for (char letter : letters) {
        rig.drives.Add(letter, DRIVE_CDROM);
        rig.mci.cdDrives.insert(std::string{letter, ':'});
    }
}

// The MCI calls of one door action: open, set the door, close with the open's flags and record.
void ExpectDoorCalls(const std::vector<RecordingMci::Call>& calls, const std::string& drive, DWORD door) {
    ASSERT_EQ(calls.size(), 3u) << drive;
    const RecordingMci::Call& open = calls[0];
    EXPECT_EQ(std::tie(open.message, open.device, open.flags, open.element),
              std::tuple(static_cast<UINT>(MCI_OPEN), 0u, DWORD_PTR{0x2200}, drive));
    EXPECT_EQ(std::tie(calls[1].message, calls[1].device, calls[1].flags, calls[1].params),
              std::tuple(static_cast<UINT>(MCI_SET), RecordingMci::kDevice, DWORD_PTR{door}, DWORD_PTR{0}));
    EXPECT_EQ(std::tie(calls[2].message, calls[2].device, calls[2].flags, calls[2].params),
              std::tuple(static_cast<UINT>(MCI_CLOSE), RecordingMci::kDevice, DWORD_PTR{0x2200}, open.params));
}

TEST(CdDrives, FirstShowFillsTheChooserAndOpenCdActsOnTheTickedDrive) {
    struct Case {
        const char* name;
        std::string cdLetters;
        int selectedCd;
        std::vector<std::string> chooser;
        std::string door;  // the drive "Open CD" opens; empty: none
    };
    const Case cases[] = {
        {"D: and F:, second chosen", "DF", 2, {"D:", "[F:]"}, "F:"},
        {"nine drives show the first seven", "DEFGHIJKL", 7, {"D:", "E:", "F:", "G:", "H:", "I:", "[J:]"}, "J:"},
        {"stored item beyond the drives", "DF", 3, {"D:", "F:"}, ""},
        {"hand-edited value out of range", "DF", 12, {"D:", "F:"}, ""},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        rig.drives.Add('C', DRIVE_FIXED);
        AddCdDrives(rig, c.cdLetters);
        rig.settings.WriteInteger("CD", "selectedCD", c.selectedCd);
        ClockWindow& clock = rig.Start();
        EXPECT_TRUE(rig.drives.asked.empty()) << c.name << ": drives are found at the first show";
        rig.ShowAtStart();
        EXPECT_EQ(ReadChooser(clock), c.chooser) << c.name;

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
    AddCdDrives(rig, "DEF");
    ClockWindow& clock = rig.Start();
    rig.ShowAtStart();
    ASSERT_EQ(ReadChooser(clock), (std::vector<std::string>{"[D:]", "E:", "F:"})) << "no stored choice: the first";
    ClickItem(clock, Chooser(clock), "F:");
    EXPECT_EQ(ReadChooser(clock), (std::vector<std::string>{"D:", "E:", "[F:]"}));
    EXPECT_EQ(rig.settings.ReadInteger("CD", "selectedCD", -1), 3);
    ClickItem(clock, clock.PowerMenu(), "Close CD");
    ExpectDoorCalls(rig.mci.calls, "F:", MCI_SET_DOOR_CLOSED);
}

// Held from creation to destruction while `hotkey` is on; the hot keys dialog switches them.
TEST(HotKeys, HeldOnlyWhileTheOptionIsOn) {
    auto held = [] { return !HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP) && !HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN); };
    auto free = [] { return HotKeyFree(MOD_ALT | MOD_CONTROL, VK_UP) && HotKeyFree(MOD_ALT | MOD_CONTROL, VK_DOWN); };
    for (bool hotkey : {true, false}) {
        ClockRig rig;
        rig.Option("hotkey", hotkey);
        ASSERT_TRUE(free());
        ClockWindow& clock = rig.Start();
        EXPECT_EQ(held(), hotkey) << "hotkey " << hotkey;
        EXPECT_EQ(free(), !hotkey) << "hotkey " << hotkey;
        EXPECT_TRUE(HotKeyFree(MOD_CONTROL, VK_UP)) << "exactly Ctrl+Alt";
        clock.Options().hotkey = !hotkey;  // as the hot keys dialog does
        hotkey ? clock.UnregisterHotKeys() : clock.RegisterHotKeys();
        EXPECT_EQ(held(), !hotkey) << "switched from " << hotkey;
        rig.clock.reset();
        EXPECT_TRUE(free()) << "released at destruction";
    }
}

TEST(HotKeys, IdentifierZeroOpensAndOneClosesTheSelectedDrive) {
    const std::pair<WPARAM, DWORD> cases[] = {{0, MCI_SET_DOOR_OPEN}, {1, MCI_SET_DOOR_CLOSED}, {2, 0}};
    for (const auto& [id, door] : cases) {
        ClockRig rig;
        AddCdDrives(rig, "DF");
        rig.settings.WriteInteger("CD", "selectedCD", 2);
        ClockWindow& clock = rig.Start();
        rig.ShowAtStart();
        SendMessageA(clock.Hwnd(), WM_HOTKEY, id, MAKELPARAM(MOD_ALT | MOD_CONTROL, id == 0 ? VK_UP : VK_DOWN));
        if (door) {
            ExpectDoorCalls(rig.mci.calls, "F:", door);
        } else {
            EXPECT_TRUE(rig.mci.calls.empty()) << "identifier " << id;
        }
    }
}

// Without confirmation; removing recent documents empties the list, then beeps once.
TEST(PowerActions, ItemsReachTheirSystemCall) {
    struct Case {
        const char* caption;
        std::vector<unsigned> power;
        std::vector<std::string> desktop;
    };
    const Case cases[] = {
        {"Turn off", {5}, {}},
        {"Restart", {6}, {}},
        {"Remove records of recently accessed documents", {}, {"clear recent documents", "beep 0"}},
    };
    for (const Case& c : cases) {
        ClockRig rig;
        ClockWindow& clock = rig.Start();
        ClickItem(clock, clock.PowerMenu(), c.caption);
        EXPECT_EQ(rig.power.requests, c.power) << c.caption;
        EXPECT_EQ(rig.desktopShell.calls, c.desktop) << c.caption;
    }
}

}  // namespace
}  // namespace tikora::traytest
