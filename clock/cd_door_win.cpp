#include "clock/cd_door_win.h"

namespace tikora {

MCIERROR SystemMci::Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) {
    return mciSendCommandA(device, message, flags, params);
}

DWORD SystemDriveTypes::LogicalDrives() { return GetLogicalDrives(); }

UINT SystemDriveTypes::DriveType(const std::string& driveName) { return GetDriveTypeA(driveName.c_str()); }

std::vector<std::string> ListCdDrives(DriveTypes& drives) {
    return FindCdDrives(drives.LogicalDrives(), [&](std::string_view name) {
        return drives.DriveType(std::string(name)) == DRIVE_CDROM;
    });
}

void MoveCdDoor(MciPort& mci, const std::string& driveName, CdDoorAction action) {
    MCI_OPEN_PARMSA open{};
    open.dwCallback = 0;
    open.lpstrDeviceType = kCdAudioDevice;
    open.lpstrElementName = driveName.c_str();
    if (mci.Send(0, MCI_OPEN, kMciOpenFlags, reinterpret_cast<DWORD_PTR>(&open)) != 0) return;
    DWORD door = action == CdDoorAction::Open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED;
    mci.Send(open.wDeviceID, MCI_SET, door, 0);
    mci.Send(open.wDeviceID, MCI_CLOSE, kMciOpenFlags, reinterpret_cast<DWORD_PTR>(&open));
}

void RegisterCdHotKeys(HWND window) {
    RegisterHotKey(window, kHotKeyOpenCd, kHotKeyModifiers, kHotKeyOpenCdKey);
    RegisterHotKey(window, kHotKeyCloseCd, kHotKeyModifiers, kHotKeyCloseCdKey);
}

void UnregisterCdHotKeys(HWND window) {
    UnregisterHotKey(window, kHotKeyOpenCd);
    UnregisterHotKey(window, kHotKeyCloseCd);
}

// The portable constants are the system's values.
static_assert(kHotKeyModifiers == (MOD_ALT | MOD_CONTROL));
static_assert(kHotKeyOpenCdKey == VK_UP && kHotKeyCloseCdKey == VK_DOWN);
static_assert(kMciOpenFlags == 0x2200);

}  // namespace tikora
