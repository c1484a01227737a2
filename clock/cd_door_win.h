#pragma once
// The CD door through the media control interface, the drives it may act on, and the two
// global hot keys that open and close it.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <string>
#include <vector>

#include "clock/cd_drives.h"

namespace tikora {

// mciSendCommand. Tests record the calls instead of moving a real door.
class MciPort {
public:
    virtual ~MciPort() = default;
    virtual MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) = 0;
};

class SystemMci final : public MciPort {
public:
    MCIERROR Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params) override;
};

// GetLogicalDrives and GetDriveType.
class DriveTypes {
public:
    virtual ~DriveTypes() = default;
    virtual DWORD LogicalDrives() = 0;
    // The drive is named by its letter and a colon, without a backslash.
    virtual UINT DriveType(const std::string& driveName) = 0;
};

class SystemDriveTypes final : public DriveTypes {
public:
    DWORD LogicalDrives() override;
    UINT DriveType(const std::string& driveName) override;
};

inline constexpr const char* kCdAudioDevice = "CDAudio";
inline constexpr DWORD kMciOpenFlags = MCI_OPEN_TYPE | MCI_OPEN_ELEMENT;  // 0x2200

// Every CD-ROM drive, in letter order.
std::vector<std::string> ListCdDrives(DriveTypes& drives);

// Opens the "CDAudio" device on the drive, sets the door and closes the device again. A drive
// that cannot be opened (none selected, no disc device, in use) leaves nothing to do, and the
// system's refusals are not reported.
void MoveCdDoor(MciPort& mci, const std::string& driveName, CdDoorAction action);

// Ctrl+Alt+Up (identifier 0) and Ctrl+Alt+Down (1) on the window. A combination that another
// program holds stays unregistered, without a message.
void RegisterCdHotKeys(HWND window);
void UnregisterCdHotKeys(HWND window);

}  // namespace tikora
