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
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string read() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST(IniFileTest, MissingFileReadsDefaultsAndIsNotCreated) {
    TempIni ini;
    IniFile file(ini.path);
    EXPECT_EQ(file.readInteger("Position", "X", 10), 10);
    EXPECT_TRUE(file.readBool("Options", "flash", true));
    EXPECT_EQ(file.readString("Numbers", "Name", ""), "");
    EXPECT_EQ(GetFileAttributesA(ini.path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(IniFileTest, ValuesFollowTheIntegerRule) {
    TempIni ini;
    ini.write("[position]\r\nx=0x1F\r\ny=abc\r\n[Options]\r\nflash=0\r\nghost=7\r\nscotch=yes\r\n");
    IniFile file(ini.path);
    EXPECT_EQ(file.readInteger("Position", "X", 10), 31);  // names match regardless of case
    EXPECT_EQ(file.readInteger("Position", "Y", 10), 10);
    EXPECT_FALSE(file.readBool("Options", "flash", true));
    EXPECT_TRUE(file.readBool("Options", "ghost", false));
    EXPECT_FALSE(file.readBool("Options", "scotch", false));
}

TEST(IniFileTest, WriteCreatesTheKeyAndKeepsEverythingElse) {
    TempIni ini;
    ini.write("[Other]\r\nkeep=me\r\n");
    IniFile file(ini.path);
    file.writeInteger("Position", "X", -120);
    file.writeBool("Options", "hotkey", true);
    IniFile again(ini.path);
    EXPECT_EQ(again.readInteger("Position", "X", 10), -120);
    EXPECT_TRUE(again.readBool("Options", "hotkey", false));
    EXPECT_EQ(again.readString("Other", "keep", ""), "me");
    EXPECT_NE(ini.read().find("hotkey=1"), std::string::npos);
}

TEST(IniFileTest, FailedWriteRaisesUnableToWrite) {
    IniFile file("Z:\\no\\such\\folder\\at\\all\\MyIni.ini");
    try {
        file.writeString("Position", "X", "1");
        FAIL() << "the write did not fail";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to Z:\\no\\such\\folder\\at\\all\\MyIni.ini");
    }
}

}  // namespace
