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

// Asks the control itself, which the listing never does: an edit keeps its contents to itself.
int Text(const char* desktopName, const char* handle, bool items) {
    HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (desktop) SetThreadDesktop(desktop);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(handle, nullptr, 16)));
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
    HDESK desktop = OpenDesktopA(desktopName, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (desktop) SetThreadDesktop(desktop);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(handle, nullptr, 16)));
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
        std::printf("none\n");
        return 0;
    }
    std::printf("%d\n", alpha);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "run" && argc == 4) return Run(argv[2], argv[3]);
    if ((command == "text" || command == "items") && argc == 4) return Text(argv[2], argv[3], command == "items");
    if (command == "alpha" && argc == 4) return Alpha(argv[2], argv[3]);
    if (command == "highlight") {
        COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
        std::printf("%d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
        return 0;
    }
    std::fprintf(stderr, "usage: accept_probe list DESKTOP | run EXITFILE EXE | highlight | text DESKTOP HWND | items DESKTOP HWND | alpha DESKTOP HWND\n");
    return 2;
}
