#include "clock/cd_drives.h"

#include <utility>

namespace tikora {

std::vector<std::string> FindCdDrives(std::uint32_t logicalDrives, const CdRomQuery& isCdRom) {
    std::vector<std::string> found;
    for (int i = 0; i < kMaxDriveLetters; ++i) {
        if ((logicalDrives & (std::uint32_t{1} << i)) == 0) continue;
        std::string name{static_cast<char>('A' + i), ':'};
        if (isCdRom(name)) found.push_back(std::move(name));
    }
    return found;
}

CdChooser::CdChooser() {
    for (int k = 0; k < kCdChooserItemCount; ++k) items[k].caption = std::to_string(k);
}

void CdChooser::Fill(std::vector<std::string> cdDrives) {
    drives = std::move(cdDrives);
    for (size_t i = 0; i < drives.size() && i < kMaxChooserDrives; ++i) {
        CdChooserItem& item = items[i + 1];
        item.visible = true;
        item.caption = drives[i];
        item.hint = drives[i];
    }
}

void CdChooser::Select(int itemNumber) {
    for (auto& item : items) item.ticked = false;
    if (itemNumber < 0 || itemNumber >= kCdChooserItemCount) {
        selectedDrive.clear();
        return;
    }
    items[itemNumber].ticked = true;
    selectedDrive = items[itemNumber].hint;
}

void CdChooser::Restore(SettingsStore& store) {
    Select(store.ReadInteger(kCdSection, kSelectedCdKey, kDefaultSelectedCd));
}

void CdChooser::Choose(int itemNumber, SettingsStore& store) {
    Select(itemNumber);
    store.WriteInteger(kCdSection, kSelectedCdKey, itemNumber);
}

std::optional<int> CdChooser::TickedItem() const {
    for (int k = 0; k < kCdChooserItemCount; ++k)
        if (items[k].ticked) return k;
    return std::nullopt;
}

std::optional<CdDoorAction> DoorActionForHotKey(int hotKeyId) {
    switch (hotKeyId) {
    case kHotKeyOpenCd: return CdDoorAction::Open;
    case kHotKeyCloseCd: return CdDoorAction::Close;
    default: return std::nullopt;
    }
}

}  // namespace tikora
