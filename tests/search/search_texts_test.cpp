// Mask splitting, the size text, the folder texts and the DOS time step.
#include <gtest/gtest.h>

#include "core/datetime.h"
#include "search/search_engine.h"
#include "search/search_texts.h"

using namespace tikora;

TEST(SplitMaskList, TakesFiveCharacterPiecesBySeparatorPosition) {
    struct Case {
        const char* list;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"*.htm", {"*.htm"}},
        {"*.txt;*.doc;*.rtf", {"*.txt", "*.doc", "*.rtf"}},
        // 29 characters: the piece at position 31 is empty and ends the loop.
        {"*.rmi;*.wma;*.mid;*.wav;*.mp3", {"*.rmi", "*.wma", "*.mid", "*.wav", "*.mp3"}},
        // The separator is skipped by position whatever it is; a short last piece stays.
        {"*.txt|*.do", {"*.txt", "*.do"}},
        {"*.html;*.htm", {"*.htm", ";*.ht"}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitMaskList(c.list), c.pieces) << c.list;
}

TEST(SizeText, BytesKilobytesAndMegabytesWithoutGigabytes) {
    struct Case {
        uint64_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "Size:  0  bytes"},
        {1023, "Size:  1023  bytes"},
        {1024, "Size:  1  KB  (1024 bytes)"},
        {1536, "Size:  1.5  KB  (1536 bytes)"},
        {1048575, "Size:  1024  KB  (1048575 bytes)"},
        {1048576, "Size:  1  MB  (1048576 bytes)"},
        {5368709120ull, "Size:  5120  MB  (5368709120 bytes)"},
        // 1029 / 1024 = 1.0048828: the fraction rounds to one hundredth.
        {1029, "Size:  1  KB  (1029 bytes)"},
        {1034, "Size:  1.01  KB  (1034 bytes)"},
        // 1.125 exactly: a half rounds up.
        {1152, "Size:  1.13  KB  (1152 bytes)"},
    };
    for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes, '.'), c.text) << c.bytes;
    EXPECT_EQ(SizeText(1536, ','), "Size:  1,5  KB  (1536 bytes)");
}

TEST(FolderTexts, DriveRootKeepsItsBackslashOnlyInTheDetails) {
    struct Case {
        const char* path;
        const char* opened;
        const char* shown;
    };
    const Case cases[] = {
        {"C:\\song.mp3", "C:", "C:\\"},
        {"C:\\Music\\song.mp3", "C:\\Music", "C:\\Music"},
        {"\\\\server\\share\\a.txt", "\\\\server\\share", "\\\\server\\share"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContainingFolder(c.path), c.opened) << c.path;
        EXPECT_EQ(LocationText(c.path), c.shown) << c.path;
    }
}

TEST(FileTimeLine, DosStepGivesEvenSecondsAndBadDatesGiveNoDate) {
    FormatSettings& settings = GetFormatSettings();
    const FormatSettings saved = settings;
    settings.shortDateFormat = "dd.MM.yyyy";
    settings.dateSeparator = '.';
    settings.longTimeFormat = "hh:mm:ss";
    // 9 Dec 2026 14:07:58: year 46, month 12, day 9; 14 h, 7 min, 29 two-second steps.
    const uint16_t date = static_cast<uint16_t>((46 << 9) | (12 << 5) | 9);
    const uint16_t time = static_cast<uint16_t>((14 << 11) | (7 << 5) | 29);
    EXPECT_EQ(FileTimeLine("Created:", FromDosDateTime(date, time)), "Created:  09.12.2026,  14:07:58");
    EXPECT_EQ(FileTimeLine("Modified:", FromDosDateTime(0, 0)), "Modified: ");
    EXPECT_EQ(FromDosDateTime(static_cast<uint16_t>((1 << 9) | (13 << 5) | 1), 0), std::nullopt);
    settings = saved;
}
