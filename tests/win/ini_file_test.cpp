// The settings file through the system's profile functions: what the program relies on.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

#include "core/errors.h"
#include "core/system_win.h"

using namespace tikora;

namespace {

struct TempIni {
    std::string path;
    TempIni() {
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        char file[MAX_PATH];
        GetTempFileNameA(dir, "tik", 0, file);
        DeleteFileA(file);
        path = file;
    }
    ~TempIni() { DeleteFileA(path.c_str()); }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST(IniFileTest, MissingFileReadsDefaultsAndIsNotCreated) {
    TempIni ini;
    IniFile file(ini.path);
    EXPECT_EQ(file.ReadInteger("Position", "X", 10), 10);
    EXPECT_TRUE(file.ReadBool("Options", "flash", true));
    EXPECT_EQ(file.ReadString("Numbers", "Name", ""), "");
    EXPECT_EQ(GetFileAttributesA(ini.path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(IniFileTest, ValuesFollowTheIntegerRule) {
    TempIni ini;
    ini.Write("[position]\r\nx=0x1F\r\ny=abc\r\n[Options]\r\nflash=0\r\nghost=7\r\nscotch=yes\r\n");
    IniFile file(ini.path);
    EXPECT_EQ(file.ReadInteger("Position", "X", 10), 31);  // names match regardless of case
    EXPECT_EQ(file.ReadInteger("Position", "Y", 10), 10);
    EXPECT_FALSE(file.ReadBool("Options", "flash", true));
    EXPECT_TRUE(file.ReadBool("Options", "ghost", false));
    EXPECT_FALSE(file.ReadBool("Options", "scotch", false));
}

// A value past the system's first buffer is read whole: cut, "X=" with 2046 zeros and "77" would
// read as 7. Lengths around the buffer's edges included.
TEST(IniFileTest, LongValuesAreReadWhole) {
    struct Case {
        std::string value;
        int expectedX;
    };
    const Case cases[] = {
        {std::string(2046, '0') + "77", 77},  {std::string(2045, '0') + "5", 5},
        {std::string(2046, '0') + "6", 6},     {std::string(100000, '0') + "123", 123},
        {"0xFFFFFFFFFFFFFF9C", 10},            {std::string(2047, '1'), 10},
    };
    for (const Case& c : cases) {
        TempIni ini;
        ini.Write("[Position]\r\nX=" + c.value + "\r\n[Numbers]\r\nName=" + c.value + "\r\n");
        IniFile file(ini.path);
        EXPECT_EQ(file.ReadInteger("Position", "X", 10), c.expectedX) << c.value.size() << " characters";
        EXPECT_EQ(file.ReadString("Numbers", "Name", ""), c.value) << c.value.size() << " characters";
    }
}

TEST(IniFileTest, WriteCreatesTheKeyAndKeepsEverythingElse) {
    TempIni ini;
    ini.Write("[Other]\r\nkeep=me\r\n");
    IniFile file(ini.path);
    file.WriteInteger("Position", "X", -120);
    file.WriteBool("Options", "hotkey", true);
    IniFile again(ini.path);
    EXPECT_EQ(again.ReadInteger("Position", "X", 10), -120);
    EXPECT_TRUE(again.ReadBool("Options", "hotkey", false));
    EXPECT_EQ(again.ReadString("Other", "keep", ""), "me");
    EXPECT_NE(ini.Read().find("hotkey=1"), std::string::npos);
}

TEST(IniFileTest, FailedWriteRaisesUnableToWrite) {
    IniFile file("Z:\\no\\such\\folder\\at\\all\\MyIni.ini");
    try {
        file.WriteString("Position", "X", "1");
        FAIL() << "the write did not fail";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to Z:\\no\\such\\folder\\at\\all\\MyIni.ini");
    }
}

}  // namespace
