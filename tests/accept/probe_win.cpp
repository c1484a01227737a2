// The acceptance tests' eyes inside the Wine desktop: lists what a user could see (windows, their
// controls and texts), and runs a program to report its exit code, which the desktop's explorer
// does not pass on.
//   accept_probe list DESKTOP        one line per window, tab-separated (see PrintWindow), then
//                                    a line for the foreground window and one for the window with
//                                    the keyboard focus in the foreground window's thread
//   accept_probe run EXITFILE EXE    runs EXE, waits for it and writes its exit code to EXITFILE
//   accept_probe highlight           the colour of a highlighted menu item, as R G B
//   accept_probe text DESKTOP HWND   the live text of a control (an edit's contents, a drop-down
//                                    list's selected entry), asked of the control itself
//   accept_probe items DESKTOP HWND  the entries of a list box, one a line
//   accept_probe alpha DESKTOP HWND  a layered window's alpha, or "none" for a window that is not
//                                    layered or has no alpha set
//   accept_probe checked DESKTOP HWND  1 when a check box is ticked, else 0
//   accept_probe now                 the local time as the system gives it to programs
//   accept_probe objects DESKTOP PID what a process holds: its handles, GDI and USER objects as
//                                    the system reports them, and as counted here (see Objects)
//   accept_probe objects-check       creates and frees 100 bitmaps and 20 events in the probe and
//                                    prints the counts before, between and after
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Tabs and line breaks in a text would break the line format.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\\') out += "\\\\";
        else out += c;
    }
    return out;
}

// kind, handle, parent or owner, process id, class, visible, enabled, left, top, right, bottom,
// control id, text.
void PrintWindow(const char* kind, HWND hwnd, HWND relative) {
    char className[256] = {};
    GetClassNameA(hwnd, className, sizeof className);
    // The text as the system keeps it, read without sending the window a message: a program busy
    // starting up would keep the probe waiting.
    wchar_t wide[1024] = {};
    InternalGetWindowText(hwnd, wide, 1024);
    char text[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    RECT r{};
    GetWindowRect(hwnd, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    std::printf("%s\t%llx\t%llx\t%lu\t%s\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%s\n", kind,
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(hwnd)),
                static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(relative)), pid,
                Escaped(className).c_str(), IsWindowVisible(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0, r.left,
                r.top, r.right, r.bottom, static_cast<long>(GetDlgCtrlID(hwnd)), Escaped(text).c_str());
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    PrintWindow("child", hwnd, GetParent(hwnd));
    return TRUE;
}

BOOL CALLBACK PrintTop(HWND hwnd, LPARAM) {
    PrintWindow("top", hwnd, GetWindow(hwnd, GW_OWNER));
    EnumChildWindows(hwnd, PrintChild, 0);
    return TRUE;
}

int List(const char* desktopName) {
    HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop) {
        std::fprintf(stderr, "cannot open desktop %s\n", desktopName);
        return 2;
    }
    // Visibility is judged up to the calling thread's desktop window: look from inside that desktop.
    SetThreadDesktop(desktop);
    EnumDesktopWindows(desktop, PrintTop, 0);
    if (HWND foreground = GetForegroundWindow()) {
        PrintWindow("foreground", foreground, nullptr);
        // Keys go to the focus of the foreground thread: a window that is in front but has not yet
        // given the focus to its control drops them.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &thread) && thread.hwndFocus)
            PrintWindow("focus", thread.hwndFocus, GetAncestor(thread.hwndFocus, GA_ROOT));
    }
    CloseDesktop(desktop);
    return 0;
}

int Run(const char* exitFile, const char* exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = std::string("\"") + exe + "\"";
    if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 2;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (FILE* out = std::fopen(exitFile, "w")) {
        std::fprintf(out, "%lu\n", code);
        std::fclose(out);
    }
    return 0;
}

// A window named by its handle in hex, looked at from inside the desktop that holds it.
HWND WindowOnDesktop(const char* desktopName, const char* handle) {
    if (HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE))
        SetThreadDesktop(desktop);
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(handle, nullptr, 16)));
}

// Asks the control itself, which the listing never does: an edit keeps its contents to itself.
int Text(const char* desktopName, const char* handle, bool items) {
    HWND hwnd = WindowOnDesktop(desktopName, handle);
    char text[2048] = {};
    DWORD_PTR result = 0;
    if (!items) {
        if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                 2000, &result))
            return 2;
        std::printf("%s\n", Escaped(text).c_str());
        return 0;
    }
    if (!SendMessageTimeoutA(hwnd, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) return 2;
    const int count = static_cast<int>(result);
    for (int i = 0; i < count; ++i) {
        // Wide: Wine hands an entry to another process as UTF-16 whichever variant asked.
        wchar_t wide[1024] = {};
        SendMessageTimeoutW(hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 2000, &result);
        text[0] = '\0';
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%s\n", Escaped(text).c_str());
    }
    return 0;
}

int Alpha(const char* desktopName, const char* handle) {
    HWND hwnd = WindowOnDesktop(desktopName, handle);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
        std::printf("none\n");
        return 0;
    }
    std::printf("%d\n", alpha);
    return 0;
}

// What a process holds, each figure on its own line as "name value":
//   gui-gdi, gui-user   GetGuiResources (Wine answers 0)
//   handle-count        GetProcessHandleCount
//   handles             the process's entries in the system's handle list (SystemHandleInformation)
//   gdi-table           the live entries of the process's GDI handle table, read from its PEB
//   windows             its windows and controls on the desktop
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    void* object;
    ULONG access;
};

long SystemHandles(DWORD pid) {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::string buffer(1 << 20, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004) /* STATUS_INFO_LENGTH_MISMATCH */) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        if (status != 0) return -1;
        const ULONG count = *reinterpret_cast<ULONG*>(buffer.data());
        const auto* entries = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
        long mine = 0;
        for (ULONG i = 0; i < count; ++i) mine += entries[i].ownerPid == pid;
        return mine;
    }
    return -1;
}

// The GDI handle table: an array of 24-byte entries (object, owner process id at 8, type at 14)
// whose address the process's PEB keeps at 0xF8. A free entry has type 0.
long GdiTableEntries(HANDLE process, DWORD pid) {
    struct Basic {
        LONG exitStatus;
        void* peb;
        ULONG_PTR affinity;
        LONG priority;
        ULONG_PTR pid;
        ULONG_PTR parent;
    } basic{};
    using Query = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query || query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, nullptr) != 0) return -1;
    ULONG_PTR table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, static_cast<char*>(basic.peb) + 0xF8, &table, sizeof table, &read) || !table)
        return -1;
    constexpr size_t kEntry = 24, kEntries = 0x10000, kChunk = 4096;
    std::string chunk(kChunk * kEntry, '\0');
    long live = 0;
    for (size_t first = 0; first < kEntries; first += kChunk) {
        if (!ReadProcessMemory(process, reinterpret_cast<void*>(table + first * kEntry), chunk.data(), chunk.size(),
                               &read))
            break;
        for (size_t i = 0; i < kChunk; ++i) {
            const unsigned char* entry = reinterpret_cast<const unsigned char*>(chunk.data()) + i * kEntry;
            const USHORT owner = static_cast<USHORT>(entry[8] | (entry[9] << 8));
            if (entry[14] != 0 && (owner == 0 || owner == static_cast<USHORT>(pid))) ++live;
        }
    }
    return live;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountChild(HWND hwnd, LPARAM data) {
    auto* c = reinterpret_cast<WindowCount*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    c->count += pid == c->pid;
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hwnd, LPARAM data) {
    CountChild(hwnd, data);
    EnumChildWindows(hwnd, CountChild, data);
    return TRUE;
}

int Objects(const char* desktopName, DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "cannot open process %lu\n", pid);
        return 2;
    }
    DWORD handleCount = 0;
    GetProcessHandleCount(process, &handleCount);
    std::printf("gui-gdi %lu\ngui-user %lu\nhandle-count %lu\n", GetGuiResources(process, GR_GDIOBJECTS),
                GetGuiResources(process, GR_USEROBJECTS), handleCount);
    std::printf("handles %ld\ngdi-table %ld\n", SystemHandles(pid), GdiTableEntries(process, pid));
    CloseHandle(process);
    WindowCount windows{pid, 0};
    if (HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE)) {
        SetThreadDesktop(desktop);
        EnumDesktopWindows(desktop, CountTop, reinterpret_cast<LPARAM>(&windows));
        CloseDesktop(desktop);
    }
    std::printf("windows %ld\n", windows.count);
    return 0;
}

// Shows that the counts follow what a process creates and frees.
int ObjectsCheck() {
    const DWORD pid = GetCurrentProcessId();
    auto line = [&](const char* when) {
        std::printf("%s handles %ld gdi-table %ld\n", when, SystemHandles(pid), GdiTableEntries(GetCurrentProcess(), pid));
    };
    line("before");
    HBITMAP bitmaps[100];
    HANDLE events[20];
    for (HBITMAP& b : bitmaps) b = CreateBitmap(4, 4, 1, 32, nullptr);
    for (HANDLE& e : events) e = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    line("with");
    for (HBITMAP b : bitmaps) DeleteObject(b);
    for (HANDLE e : events) CloseHandle(e);
    line("after");
    return 0;
}

int Checked(const char* desktopName, const char* handle) {
    HWND hwnd = WindowOnDesktop(desktopName, handle);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) return 2;
    std::printf("%d\n", result == BST_CHECKED ? 1 : 0);
    return 0;
}

int Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    std::printf("%04u-%02u-%02u %02u:%02u:%02u.%03u\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
                t.wMilliseconds);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "run" && argc == 4) return Run(argv[2], argv[3]);
    if ((command == "text" || command == "items") && argc == 4) return Text(argv[2], argv[3], command == "items");
    if (command == "alpha" && argc == 4) return Alpha(argv[2], argv[3]);
    if (command == "now") return Now();
    if (command == "checked" && argc == 4) return Checked(argv[2], argv[3]);
    if (command == "objects" && argc == 4) return Objects(argv[2], std::strtoul(argv[3], nullptr, 10));
    if (command == "objects-check") return ObjectsCheck();
    if (command == "highlight") {
        COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
        std::printf("%d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        return 0;
    }
    std::fprintf(stderr, "usage: accept_probe list DESKTOP | run EXITFILE EXE | highlight | text DESKTOP HWND | items DESKTOP HWND | alpha DESKTOP HWND | checked DESKTOP HWND | now | objects DESKTOP PID | objects-check\n");
    return 2;
}
