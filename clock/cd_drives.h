#pragma once
// The CD drives found at the first show of the clock window, the eight radio items of the
// " Choose..." submenu that stand for them, and the drive the door actions work on.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_store.h"

namespace tikora {

inline constexpr int kCdChooserItemCount = 8;  // items "0" to "7"; "0" is never shown
inline constexpr int kMaxChooserDrives = 7;
inline constexpr int kMaxDriveLetters = 26;

inline constexpr std::string_view kCdSection = "CD";
inline constexpr std::string_view kSelectedCdKey = "selectedCD";
inline constexpr int kDefaultSelectedCd = 1;

// Answers whether the drive named "X:" (letter and colon, no backslash) is a CD-ROM drive.
using CdRomQuery = std::function<bool(std::string_view driveName)>;

// Every CD-ROM drive among those set in the logical-drive mask (bit 0 is A:), in letter order,
// each as "X:". The query is asked only for drives that exist.
std::vector<std::string> FindCdDrives(std::uint32_t logicalDrives, const CdRomQuery& isCdRom);

struct CdChooserItem {
    bool visible = false;
    bool ticked = false;
    std::string caption;  // "0".."7" until a drive is assigned, then the drive name
    std::string hint;     // the drive name, empty when the item stands for no drive
};

class CdChooser {
public:
    CdChooser();

    // First show: lists the drives and gives items 1 to 7 to the first seven of them. Drives
    // after the seventh stay in the list but cannot be chosen.
    void Fill(std::vector<std::string> cdDrives);

    // Ticks the item with the given number and takes its hint as the selected drive. Item 0 and
    // items without a drive can be ticked (they are hidden), leaving no drive selected.
    // A number outside 0 to 7 only comes from a hand-edited settings file: it unticks every item
    // and selects no drive, so the door actions and hot keys do nothing until the user chooses a
    // drive, and that choice writes a valid number again. Falling back to item 1 instead would
    // let a hot key open a door the user never picked.
    void Select(int itemNumber);

    // First show, after Fill: the stored choice, default 1.
    void Restore(SettingsStore& store);
    // A click on item k (1 to 7): select it and remember it for the next start.
    void Choose(int itemNumber, SettingsStore& store);

    const std::vector<std::string>& Drives() const { return drives; }
    const std::array<CdChooserItem, kCdChooserItemCount>& Items() const { return items; }
    // Empty when no drive is selected; the door actions are then asked to act on "" and fail.
    const std::string& SelectedDrive() const { return selectedDrive; }
    // The ticked item's number, or nullopt when none is ticked.
    std::optional<int> TickedItem() const;

private:
    std::vector<std::string> drives;
    std::array<CdChooserItem, kCdChooserItemCount> items;
    std::string selectedDrive;
};

// Global hot keys of the door actions, registered on the clock window.
inline constexpr int kHotKeyOpenCd = 0;
inline constexpr int kHotKeyCloseCd = 1;
inline constexpr unsigned kHotKeyModifiers = 3;  // MOD_ALT | MOD_CONTROL
inline constexpr unsigned kHotKeyOpenCdKey = 0x26;   // VK_UP
inline constexpr unsigned kHotKeyCloseCdKey = 0x28;  // VK_DOWN

enum class CdDoorAction { Open, Close };

// The door action of a WM_HOTKEY identifier; other identifiers do nothing.
std::optional<CdDoorAction> DoorActionForHotKey(int hotKeyId);

}  // namespace tikora
