// Broken skins and tray icons, made by the corpus generator: every one is refused before a
// system loader sees it, the clock keeps the built-in skin and icon, and the settings file stays.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <iostream>

#include "clock/builtin_skin.h"
#include "clock/clock_window_win.h"
#include "clock/glyphs.h"
#include "clock/icon_file_win.h"
#include "core/errors.h"
#include "support/bad_pictures.h"
#include "support/fakes.h"
#include "win/support/program_runner.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

constexpr const char* kTitle = "Tikora 1.5-e";

// Writes a corpus file into the folder, a folder of that name where the case asks for one.
std::string Place(const TempFolder& folder, const std::string& subfolder, const BadFile& bad) {
    CreateDirectoryA(folder.File(subfolder).c_str(), nullptr);
    const std::string relative = subfolder + "\\" + bad.name;
    if (bad.folder) {
        CreateDirectoryA(folder.File(relative).c_str(), nullptr);
    } else {
        folder.Write(relative, bad.bytes);
    }
    return relative;
}

void Remove(const TempFolder& folder, const std::string& relative, const BadFile& bad) {
    if (bad.folder) {
        RemoveDirectoryA(folder.File(relative).c_str());
    } else {
        DeleteFileA(folder.File(relative).c_str());
    }
}

class BadPicturesInProcess : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        TakeErrorBoxes();
    }
    void TearDown() override {
        if (clock) clock->Destroy();
        TakeErrorBoxes();
    }
    FakeServices fakes{9, 5, 7};
    std::unique_ptr<ClockWindow> clock;
    TempFolder folder;
};

// The whole corpus through the real file path: a picture error leaves the built-in glyphs as
// they were; what decodes but is below the strip size is "Invalid image size".
TEST_F(BadPicturesInProcess, EveryBrokenSkinIsRefusedAndTheGlyphsStay) {
    clock = std::make_unique<ClockWindow>(tikora::testing::ClockName(), fakes.Services());
    clock->CreateForm();
    clock->Initialize();
    const Image builtin = RenderBuiltinSkin();
    for (const BadFile& bad : BadSkinCorpus()) {
        const std::string relative = Place(folder, "Numbers", bad);
        try {
            clock->LoadSkin(folder.File(relative));
            ADD_FAILURE() << bad.name << " was taken as a skin";
        } catch (const PictureError&) {
            ASSERT_TRUE(clock->Glyphs().digits.Strip()) << bad.name;
            EXPECT_TRUE(clock->Glyphs().digits.Strip()->pixels == builtin.pixels) << bad.name << ": glyphs changed";
        } catch (const AppError& e) {
            EXPECT_STREQ(e.what(), "Invalid image size") << bad.name;
            // The sets are empty now; the shipped strip of the built-in skin fills them again.
            clock->LoadSkin(RuntimeFolder() + "\\Numbers\\Cyan.bmp");
        }
        Remove(folder, relative, bad);
    }
}

TEST_F(BadPicturesInProcess, EveryBrokenIconIsRefusedAndGoodOnesLoad) {
    for (const BadFile& bad : BadIconCorpus()) {
        const std::string relative = Place(folder, "Icons", bad);
        HICON icon = LoadCheckedIcon(folder.File(relative));
        EXPECT_EQ(icon, nullptr) << bad.name;
        if (icon) DestroyIcon(icon);
        Remove(folder, relative, bad);
    }
    folder.Write("good.ico", GoodTestIcon());
    std::vector<std::string> good = {folder.File("good.ico")};
    for (const char* shipped : {"Clock.ico", "Digital.ico", "Bell.ico"})
        good.push_back(RuntimeFolder() + "\\Icons\\" + shipped);
    for (const std::string& path : good) {
        HICON icon = LoadCheckedIcon(path);
        EXPECT_NE(icon, nullptr) << path;
        if (icon) DestroyIcon(icon);
    }
}

// Tikora.exe itself, started on a representative set of broken files.
class BadPicturesProgram : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }

    static HWND Face(ProgramRun& run) {
        return FindWindowExA(run.FindWindowByClass("TForm1"), nullptr, "TikoraClockFace", nullptr);
    }

    // The cell drawn at (x, 8) on the face, read back from the screen.
    static Image Cell(HWND face, int x, int width) {
        Image cell(width, kCellHeight);
        // Read from the screen: another process's window surface is not reachable through its DC.
        POINT origin{x, 8};
        ClientToScreen(face, &origin);
        HDC dc = GetDC(nullptr);
        for (int dy = 0; dy < kCellHeight; ++dy)
            for (int dx = 0; dx < width; ++dx) {
                const COLORREF c = GetPixel(dc, origin.x + dx, origin.y + dy);
                cell.At(dx, dy) = Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
            }
        ReleaseDC(nullptr, dc);
        return cell;
    }

    // The hour's tens digit is one of the built-in digits and the separator one of its two states.
    static bool ShowsBuiltinSkin(HWND face) {
        static const Image strip = RenderBuiltinSkin();
        auto matchesOneOf = [&](const Image& cell, int first, int count, int width) {
            for (int i = first; i < first + count; ++i) {
                bool same = true;
                for (int y = 0; y < kCellHeight && same; ++y)
                    for (int x = 0; x < width && same; ++x) same = cell.At(x, y) == strip.At(i * width + x, y);
                if (same) return true;
            }
            return false;
        };
        return matchesOneOf(Cell(face, 8, kDigitCellWidth), 1, 10, kDigitCellWidth) &&
               matchesOneOf(Cell(face, 60, kSeparatorCellWidth), 0, 2, kSeparatorCellWidth);
    }

    static HWND ErrorBox(ProgramRun& run) {
        for (const TopWindow& w : run.Windows())
            if (w.className == "#32770" && w.caption == kTitle && w.visible) return w.hwnd;
        return nullptr;
    }

    static std::string BoxText(HWND box) {
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        return text;
    }
};

TEST_F(BadPicturesProgram, StartsWithTheBuiltInSkinAndIconReportsOnceAndWritesNothing) {
    struct Case {
        const char* file;
        bool icon;
    };
    const Case cases[] = {
        {"cut154.bmp", false}, {"far-offset.bmp", false}, {"30000x30000.bmp", false}, {"folder.bmp", false},
        {"1x1.bmp", false},    {"cut2000.ico", true},     {"30000-wide.ico", true},   {"folder.ico", true},
    };
    const std::vector<BadFile> skins = BadSkinCorpus();
    const std::vector<BadFile> icons = BadIconCorpus();
    for (const Case& c : cases) {
        const auto& corpus = c.icon ? icons : skins;
        auto bad = std::find_if(corpus.begin(), corpus.end(), [&](const BadFile& f) { return f.name == c.file; });
        ASSERT_NE(bad, corpus.end()) << c.file;
        TempFolder own;
        const std::string relative = Place(own, c.icon ? "Icons" : "Numbers", *bad);
        const std::string ini = c.icon ? "[Icon in Tray]\r\nPath=" + own.File(relative) + "\r\n"
                                       : "[Numbers]\r\nName=" + relative + "\r\n[Options]\r\nflash=1\r\n";
        own.Write("MyIni.ini", ini);
        ProgramRun run(own);
        ASSERT_TRUE(run.Start()) << c.file;
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = ErrorBox(run)) != nullptr; }, std::chrono::seconds(20))) << c.file;
        EXPECT_NE(BoxText(box).find(bad->name), std::string::npos) << BoxText(box);
        HWND face = Face(run);
        ASSERT_TRUE(face) << c.file;
        EXPECT_TRUE(WaitFor([&] { return ShowsBuiltinSkin(face); })) << c.file << ": the built-in skin is shown";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << c.file;
        // One message: no second box follows the first.
        EXPECT_FALSE(WaitFor([&] { return ErrorBox(run) != nullptr; }, std::chrono::milliseconds(500))) << c.file;
        EXPECT_TRUE(run.Close()) << c.file;
        EXPECT_EQ(own.Read("MyIni.ini"), ini) << c.file;
    }
}

// The 16000 x 16000 one-bit picture of 32 MB is a valid skin: only its top-left strip is read,
// so it starts without a message. Prints the program's peak working set.
TEST_F(BadPicturesProgram, HugeValidSkinShowsItsCornerWithoutAMessage) {
    TempFolder own;
    CreateDirectoryA(own.File("Numbers").c_str(), nullptr);
    own.Write("Numbers\\Huge.bmp", HugeOneBitBmp());
    const std::string ini = "[Numbers]\r\nName=Numbers\\Huge.bmp\r\n[Options]\r\nflash=0\r\n";
    own.Write("MyIni.ini", ini);
    ProgramRun run(own);
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(run.WaitUntilRunning());
    HWND face = Face(run);
    ASSERT_TRUE(face);
    // Colour 0 of the picture's palette is black: every cell is black.
    auto black = [&] {
        const Image cell = Cell(face, 8, kDigitCellWidth);
        return std::all_of(cell.pixels.begin(), cell.pixels.end(), [](uint32_t p) { return p == 0; });
    };
    EXPECT_TRUE(WaitFor(black));
    EXPECT_EQ(ErrorBox(run), nullptr);
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, run.ProcessId())) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process, &counters, sizeof counters))
            std::cout << "[ figure   ] peak working set with the 16000 x 16000 skin: "
                      << counters.PeakWorkingSetSize / 1024 << " KB\n";
        CloseHandle(process);
    }
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(own.Read("MyIni.ini"), ini);
}

}  // namespace
