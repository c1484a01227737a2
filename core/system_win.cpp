#include "core/system_win.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "core/errors.h"

namespace tikora {

DateTime FromSystemTime(const SYSTEMTIME& st) {
    return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

SYSTEMTIME ToSystemTime(const DateTime& value) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(value.year);
    st.wMonth = static_cast<WORD>(value.month);
    st.wDay = static_cast<WORD>(value.day);
    st.wHour = static_cast<WORD>(value.hour);
    st.wMinute = static_cast<WORD>(value.minute);
    st.wSecond = static_cast<WORD>(value.second);
    st.wMilliseconds = static_cast<WORD>(value.millisecond);
    return st;
}

DateTime SystemTimeSource::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

void SystemSoundPlayer::Play(std::string_view file, unsigned flags) {
    std::string path(file);
    sndPlaySoundA(path.c_str(), flags);
}

void SystemShell::Open(bool ownerIsApplication, std::string_view verb, std::string_view file, int showCommand) {
    std::string v(verb);
    std::string f(file);
    ShellExecuteA(ownerIsApplication ? application_ : nullptr, v.empty() ? nullptr : v.c_str(), f.c_str(), nullptr,
                  nullptr, showCommand);
}

bool SystemPower::Request(unsigned flags) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
            TOKEN_PRIVILEGES privileges{};
            if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
                privileges.PrivilegeCount = 1;
                privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
                TOKEN_PRIVILEGES previous{};
                DWORD returned = 0;
                AdjustTokenPrivileges(token, FALSE, &privileges, sizeof previous, &previous, &returned);
            }
            CloseHandle(token);
        }
    }
    return ExitWindowsEx(flags, 0) != 0;
}

bool SystemFileSystem::Exists(std::string_view path) {
    std::string p(path);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(p.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) {
    std::string s(section), k(key), d(def);
    // The system cuts a value that does not fit and then returns size - 1: grow until it fits.
    // A value still cut at the ceiling is not taken at all, since a cut number is another number.
    constexpr DWORD kFirstSize = 2048;
    constexpr DWORD kLargestSize = 64u << 20;
    std::string buffer;
    for (DWORD size = kFirstSize; size <= kLargestSize; size *= 2) {
        buffer.resize(size);
        DWORD length = GetPrivateProfileStringA(s.c_str(), k.c_str(), d.c_str(), buffer.data(), size, path_.c_str());
        if (length < size - 1) {
            buffer.resize(length);
            return buffer;
        }
    }
    return d;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string s(section), k(key), v(value);
    if (!WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path_.c_str()))
        throw AppError("Unable to write to " + path_);
}

std::string ProgramFolder() {
    char path[MAX_PATH * 2];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    // Remove characters from the end up to and including the last backslash.
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

void LoadLocaleFormatSettings() {
    FormatSettings& settings = GetFormatSettings();
    char buffer[128];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, buffer, sizeof buffer) > 1) settings.timeSeparator = buffer[0];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, buffer, sizeof buffer) > 1) settings.dateSeparator = buffer[0];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1)
        settings.decimalSeparator = buffer[0];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, buffer, sizeof buffer) > 0)
        settings.currencyString = buffer;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buffer, sizeof buffer) > 0)
        settings.shortDateFormat = buffer;
    // The system's long time format ("H:mm:ss" and the like); the clock's first draw replaces it.
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, buffer, sizeof buffer) > 0) {
        std::string format = buffer;
        for (char& c : format)
            if (c == 'H') c = 'h';
        settings.longTimeFormat = format;
    }
}

}  // namespace tikora
