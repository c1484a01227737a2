#include "win/support/test_app.h"

#include <shellapi.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "ui/application_win.h"

namespace tikora::testing {

namespace {
std::vector<std::string>& ErrorBoxes() {
    static std::vector<std::string> boxes;
    return boxes;
}
}  // namespace

void EnsureApplication() {
    static bool done = [] {
        // As the program's manifest declares: the layout follows the system DPI.
        SetProcessDPIAware();
        ui::Application& app = ui::Application::Instance();
        app.Initialize(kTestApplicationTitle);
        app.SetErrorBoxSink([](const std::string& text) { ErrorBoxes().push_back(text); });
        return true;
    }();
    (void)done;
}

std::vector<std::string> TakeErrorBoxes() {
    std::vector<std::string> taken;
    taken.swap(ErrorBoxes());
    return taken;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int counter = 0;
    for (;;) {
        path_ = std::string(base) + "tikora-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() {
    // SHFileOperation wants a double-terminated list.
    std::string from = path_ + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
}

void TempFolder::Write(const std::string& name, const std::string& content) const {
    std::ofstream(File(name), std::ios::binary) << content;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string RuntimeFolder() {
    // The build passes the folder as a Unix path; Wine maps the root file system to Z:.
    std::string path = "Z:" TIKORA_RUNTIME_DIR_UNIX;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace tikora::testing
