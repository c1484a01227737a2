// Tikora.exe as a whole: started from a private copy of its folder, looked at from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "app/window_catalogue_win.h"
#include "win/support/program_runner.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

constexpr const char* kTitle = "Tikora 1.5-e";

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    RECT ClockRect(ProgramRun& run) {
        RECT r{};
        GetWindowRect(run.FindWindowByClass("TForm1"), &r);
        return r;
    }

    TempFolder folder;
};

TEST_F(ProgramTest, CreatesTheWindowsInTheirOrderOwnedByTheApplicationWindow) {
    ProgramRun run(folder);
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitUntilRunning());
    // The system adds windows of its own to a process (input method windows); ours are the forms
    // and the application window.
    std::vector<TopWindow> windows;
    for (const TopWindow& w : run.Windows())
        if (w.className.rfind("TForm", 0) == 0 || w.className == "TApplication") windows.push_back(w);

    auto app = std::find_if(windows.begin(), windows.end(), [](const TopWindow& w) { return w.owner == nullptr; });
    ASSERT_NE(app, windows.end());
    EXPECT_EQ(app->caption, kTitle);
    EXPECT_FALSE(app->visible) << "the application window would give a taskbar button";
    HWND appHandle = app->hwnd;
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](const TopWindow& w) { return w.owner == nullptr; }), 1)
        << "every other window is owned";

    // Windows enter the z-order on top as they are created; the clock was shown, so it went to the top.
    std::vector<TopWindow> forms;
    for (const TopWindow& w : windows)
        if (w.hwnd != appHandle && w.className != "TForm1") forms.push_back(w);
    std::reverse(forms.begin(), forms.end());
    ASSERT_EQ(forms.size(), kWindowCatalogue.size() - 1);
    for (size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(forms[i].className, kWindowCatalogue[i + 1].className) << "position " << i + 2;
        EXPECT_EQ(static_cast<size_t>(kWindowCatalogue[i + 1].id), i + 1) << "catalogue position of the identifier";
        EXPECT_EQ(forms[i].caption, kWindowCatalogue[i + 1].caption) << forms[i].className;
        EXPECT_EQ(forms[i].owner, appHandle) << forms[i].className;
        EXPECT_FALSE(forms[i].visible) << forms[i].className;
    }
    HWND clock = run.FindWindowByClass("TForm1");
    ASSERT_TRUE(clock);
    char caption[64] = {};
    GetWindowTextA(clock, caption, sizeof caption);
    EXPECT_STREQ(caption, " Clock");
    EXPECT_EQ(GetWindow(clock, GW_OWNER), appHandle);
    EXPECT_TRUE(IsWindowVisible(clock));
    EXPECT_TRUE(GetWindowLongA(clock, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongA(clock, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(run.Close());
}

TEST_F(ProgramTest, WithoutSettingsFileStartsAtTenTenNarrowAndWritesNothing) {
    ProgramRun run(folder);
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitUntilRunning());
    HWND clock = run.FindWindowByClass("TForm1");
    RECT window = ClockRect(run);
    RECT client{};
    GetClientRect(clock, &client);
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 10);
    EXPECT_EQ(client.right, 134);
    EXPECT_EQ(client.bottom, 53);
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(GetFileAttributesA(folder.File("MyIni.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramTest, SettingsAreAppliedAsTheyAre) {
    struct Case {
        const char* name;
        const char* ini;
        int left;
        int top;
        int clientWidth;
        bool visibleAfterIdle;
    };
    const Case cases[] = {
        {"off-screen position", "[Position]\r\nX=-500\r\nY=3000\r\n", -500, 3000, 134, true},
        {"seconds shown", "[Options]\r\nshowsecond=1\r\n[Position]\r\nX=200\r\nY=0x20\r\n", 200, 32, 199, true},
        {"hidden at start", "[Options]\r\nhideonstart=1\r\n", 10, 10, 134, false},
        {"garbage values use the defaults", "[Position]\r\nX=abc\r\nY=\r\n[Options]\r\nshowsecond=on\r\n", 10, 10,
         134, true},
    };
    for (const Case& c : cases) {
        TempFolder own;
        own.Write("MyIni.ini", c.ini);
        ProgramRun run(own);
        ASSERT_TRUE(run.Start()) << c.name;
        ASSERT_TRUE(run.WaitUntilRunning()) << c.name;
        HWND clock = run.FindWindowByClass("TForm1");
        EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(clock) != 0) == c.visibleAfterIdle; })) << c.name;
        RECT window = ClockRect(run);
        RECT client{};
        GetClientRect(clock, &client);
        EXPECT_EQ(window.left, c.left) << c.name;
        EXPECT_EQ(window.top, c.top) << c.name;
        EXPECT_EQ(client.right, c.clientWidth) << c.name;
        EXPECT_TRUE(run.Close()) << c.name;
        EXPECT_EQ(own.Read("MyIni.ini"), c.ini) << c.name << ": nothing is written at close";
    }
}

TEST_F(ProgramTest, GarbageSettingsFileGivesTheDefaultsAndStaysAsItIs) {
    // A megabyte of binary noise, NULs and overlong lines included, from a fixed seed.
    std::string garbage(1 << 20, '\0');
    unsigned state = 12345;
    for (char& c : garbage) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 23);
    }
    garbage.replace(1000, 30, "\r\n[Position]\r\nX=\xff\xfe\x00\r\n");
    folder.Write("MyIni.ini", garbage);
    ProgramRun run(folder);
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitUntilRunning());
    RECT window = ClockRect(run);
    EXPECT_EQ(window.left, 10);
    EXPECT_EQ(window.top, 10);
    EXPECT_TRUE(run.Close());
    EXPECT_TRUE(folder.Read("MyIni.ini") == garbage) << "the file was changed";
}

TEST_F(ProgramTest, SecondCopyEndsSilentlyAndChangesNothing) {
    const std::string ini = "; kept as it is\r\n[Position]\r\nX=40\r\nY=50\r\n[Options]\r\nshowsecond=1\r\n";
    folder.Write("MyIni.ini", ini);
    ProgramRun first(folder);
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(first.WaitUntilRunning());

    ProgramRun second(folder);
    ASSERT_TRUE(second.Start());
    DWORD code = 1234;
    ASSERT_TRUE(second.WaitForExit(std::chrono::seconds(15), &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(second.Windows().empty());
    EXPECT_EQ(folder.Read("MyIni.ini"), ini);
    EXPECT_TRUE(IsWindow(first.FindWindowByClass("TForm1"))) << "the first copy goes on";
    EXPECT_TRUE(first.Close());
    EXPECT_EQ(folder.Read("MyIni.ini"), ini);
}

TEST_F(ProgramTest, AnyOwnerlessWindowWithTheTitleStopsTheStart) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SomeOtherProgram";
    RegisterClassA(&wc);
    HWND impostor = CreateWindowA("SomeOtherProgram", kTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(impostor);
    ProgramRun run(folder);
    ASSERT_TRUE(run.Start());
    DWORD code = 1234;
    EXPECT_TRUE(run.WaitForExit(std::chrono::seconds(15), &code));
    EXPECT_EQ(code, 0u);
    DestroyWindow(impostor);
}

TEST_F(ProgramTest, UnusableSkinAtStartKeepsTheBuiltInOneAndIsReported) {
    struct Case {
        const char* name;
        std::string content;
    };
    std::string tooSmall = [] {
        // A valid 24-bit bitmap of 285 x 37.
        int w = 285, h = 37, stride = (w * 3 + 3) & ~3;
        std::string bmp(54 + stride * h, '\0');
        auto put32 = [&](int at, int v) {
            for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        };
        bmp[0] = 'B';
        bmp[1] = 'M';
        put32(2, static_cast<int>(bmp.size()));
        put32(10, 54);
        put32(14, 40);
        put32(18, w);
        put32(22, h);
        bmp[26] = 1;
        bmp[28] = 24;
        return bmp;
    }();
    const Case cases[] = {
        {"not a bitmap", std::string("this is not a picture\0\x01\x02", 24)},
        {"too small", tooSmall},
        {"truncated header", "BM\x10"},
    };
    for (const Case& c : cases) {
        TempFolder own;
        CreateDirectoryA(own.File("Numbers").c_str(), nullptr);
        own.Write("Numbers\\Bad.bmp", c.content);
        own.Write("MyIni.ini", "[Numbers]\r\nName=Numbers\\Bad.bmp\r\n");
        ProgramRun run(own);
        ASSERT_TRUE(run.Start()) << c.name;
        // The program comes up in full and reports the problem in its error box.
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                for (const TopWindow& w : run.Windows())
                    if (w.className == "#32770" && w.caption == kTitle && w.visible) box = w.hwnd;
                return box != nullptr;
            },
            std::chrono::seconds(20)))
            << c.name;
        EXPECT_TRUE(run.FindWindowByClass("TForm20")) << c.name << ": creation went on";
        EXPECT_TRUE(IsWindowVisible(run.FindWindowByClass("TForm1"))) << c.name;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << c.name;
        EXPECT_TRUE(run.Close()) << c.name;
    }
}

}  // namespace
