// The tag block on disk: where it is read from and written to, what a save does to files of
// every size, the field layout with the track rule, and deleting.
#include <gtest/gtest.h>

#include <cstring>

#include "core/errors.h"
#include "tags/tag_block.h"
#include "tags/tag_files.h"

using namespace tikora;
using namespace tikora::tagtest;

namespace {

Bytes WithBlock(Bytes audio, const TagBlock& block) {
    audio.insert(audio.end(), block.begin(), block.end());
    return audio;
}

TagBlock BlockOf(const Bytes& file) {
    TagBlock block{};
    std::memcpy(block.data(), file.data() + file.size() - kTagBlockSize, kTagBlockSize);
    return block;
}

TEST(TagBlockFile, SaveAppendsOrOverwritesByWhatTheLastBytesHold) {
    TagBlock lowerCase = EncodeTagBlock({.songName = "old"});
    std::memcpy(lowerCase.data(), "tag", 3);
    struct Case {
        const char* what;
        Bytes before;
        size_t sizeAfter;
    };
    const Case cases[] = {
        {"empty file", {}, 128},
        {"one byte", Audio(1), 129},
        {"127 bytes", Audio(127), 255},
        {"100 bytes", Audio(100), 228},
        {"128 bytes without marker", Audio(128), 256},
        {"lower-case marker: a second block", WithBlock(Audio(50), lowerCase), 50 + 256},
        {"own block: overwritten in place", WithBlock(Audio(50), EncodeTagBlock({.songName = "old"})), 178},
        {"block alone", WithBlock({}, EncodeTagBlock({.artist = "x"})), 128},
    };
    StdTagFileSystem files;
    const TagBlock block = EncodeTagBlock({.songName = "New", .genre = 12});
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.Write("a.mp3", c.before);
        TagBlock read{};
        EXPECT_EQ(ReadTagBlock(files, path, read), c.before.size() >= 128 && c.before[c.before.size() - 128] == 'T')
            << c.what;
        ASSERT_TRUE(WriteTagBlock(files, path, block)) << c.what;
        const Bytes after = ReadAll(path);
        ASSERT_EQ(after.size(), c.sizeAfter) << c.what;
        EXPECT_EQ(BlockOf(after), block) << c.what;
        // Everything before the block is untouched.
        const size_t kept = std::min(c.before.size(), c.sizeAfter - 128);
        EXPECT_TRUE(std::equal(c.before.begin(), c.before.begin() + kept, after.begin())) << c.what;
        ASSERT_TRUE(ReadTagBlock(files, path, read)) << c.what;
        EXPECT_EQ(read, block) << c.what;
        // A second save writes the block once.
        ASSERT_TRUE(WriteTagBlock(files, path, block)) << c.what;
        EXPECT_EQ(ReadAll(path).size(), c.sizeAfter) << c.what;
    }
}

TEST(TagBlockFile, MissingFileIsNeitherReadNorCreated) {
    TempFolder folder;
    StdTagFileSystem files;
    const std::string path = folder.Path("none.mp3");
    TagBlock block{};
    EXPECT_FALSE(ReadTagBlock(files, path, block));
    EXPECT_FALSE(WriteTagBlock(files, path, EncodeTagBlock({})));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_FALSE(ReadTagBlock(files, folder.Path(""), block));  // a folder
}

TEST(TagBlockFile, RefusedAccessReadsAsUntaggedAndWritesNothing) {
    TempFolder folder;
    const Bytes before = WithBlock(Audio(10), EncodeTagBlock({.songName = "kept"}));
    const std::string path = folder.Write("a.mp3", before);
    RefusingFiles locked({TagFileAccess::ReadSharedRead, TagFileAccess::ReadWriteExclusive,
                          TagFileAccess::ReadWriteSharedRead});
    TagBlock block{};
    EXPECT_FALSE(ReadTagBlock(locked, path, block));
    EXPECT_FALSE(WriteTagBlock(locked, path, EncodeTagBlock({.songName = "lost"})));
    try {
        TruncateTagBlock(locked, path);
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + path + "\". The file is in use.");
    }
    EXPECT_EQ(ReadAll(path), before);
}

TEST(TagBlockFile, TruncateCutsOnlyAnUpperCaseBlock) {
    TagBlock lowerCase = EncodeTagBlock({});
    lowerCase[1] = 'a';
    struct Case {
        const char* what;
        Bytes before;
        size_t sizeAfter;
    };
    const Case cases[] = {
        {"tagged", WithBlock(Audio(300), EncodeTagBlock({.songName = "x"})), 300},
        {"untagged", Audio(300), 300},
        {"short", Audio(5), 5},
        {"empty", {}, 0},
        {"mixed-case marker", WithBlock(Audio(3), lowerCase), 131},
    };
    StdTagFileSystem files;
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.Write("a.mp3", c.before);
        TruncateTagBlock(files, path);
        const Bytes after = ReadAll(path);
        ASSERT_EQ(after.size(), c.sizeAfter) << c.what;
        EXPECT_TRUE(std::equal(after.begin(), after.end(), c.before.begin())) << c.what;
    }
}

TEST(TagBlockFields, LayoutAndTrackRule) {
    const std::string blanks = "Padded" + std::string(24, ' ');
    struct Case {
        const char* what;
        TagFields stored;
        TagFields read;
        int byte125;
        int byte126;
    };
    const Case cases[] = {
        {"comment of 28 and track 7", {.comment = std::string(28, 'c'), .albumTrack = 7},
         {.comment = std::string(28, 'c'), .albumTrack = 7}, 0, 7},
        {"comment of 29: no track", {.comment = std::string(29, 'c'), .albumTrack = 7},
         {.comment = std::string(29, 'c'), .albumTrack = 0}, 'c', 0},
        {"comment of 30: no track", {.comment = std::string(30, 'c'), .albumTrack = 7},
         {.comment = std::string(30, 'c'), .albumTrack = 0}, 'c', 'c'},
        {"comment of 31 keeps 30", {.comment = std::string(31, 'c')}, {.comment = std::string(30, 'c')}, 'c', 'c'},
        {"title of 35 keeps 30", {.songName = std::string(35, 't')}, {.songName = std::string(30, 't')}, 0, 0},
        {"year of five keeps four", {.year = "19999"}, {.year = "1999"}, 0, 0},
        {"blanks kept", {.songName = blanks, .artist = " A ", .album = "B  "},
         {.songName = blanks, .artist = " A ", .album = "B  "}, 0, 0},
        {"genre 200 kept", {.genre = 200}, {.genre = 200}, 0, 0},
        {"every field", {"Title", "Artist", "Album", "2001", "Note", 17, 255},
         {"Title", "Artist", "Album", "2001", "Note", 17, 255}, 0, 255},
        {"bytes beyond ASCII", {.songName = "\xC4\xE9\xF8", .artist = "\xFF"},
         {.songName = "\xC4\xE9\xF8", .artist = "\xFF"}, 0, 0},
    };
    for (const Case& c : cases) {
        const TagBlock block = EncodeTagBlock(c.stored);
        EXPECT_EQ(std::memcmp(block.data(), "TAG", 3), 0) << c.what;
        EXPECT_EQ(block[125], c.byte125) << c.what;
        EXPECT_EQ(block[126], c.byte126) << c.what;
        EXPECT_EQ(block[127], c.stored.genre) << c.what;
        EXPECT_EQ(DecodeTagBlock(block), c.read) << c.what;
    }
}

TEST(TagBlockFields, GarbageBlockReadsFieldsAtTheirWidths) {
    TagBlock block{};
    block.fill(0xE5);
    std::memcpy(block.data(), "TAG", 3);
    const TagFields fields = DecodeTagBlock(block);
    EXPECT_EQ(fields.songName, std::string(30, '\xE5'));
    EXPECT_EQ(fields.year, std::string(4, '\xE5'));
    EXPECT_EQ(fields.comment, std::string(30, '\xE5'));
    EXPECT_EQ(fields.albumTrack, 0);
    EXPECT_EQ(fields.genre, 0xE5);
}

}  // namespace
