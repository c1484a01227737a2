// The tag component's state rules (activation, rebinding, save and delete) and the genre table.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/errors.h"
#include "tags/genre_table.h"
#include "tags/id3v1_tag.h"
#include "tags/tag_files.h"

using namespace tikora;
using namespace tikora::tagtest;

namespace {

Bytes Tagged(const TagFields& fields, size_t audio = 64) {
    Bytes bytes = Audio(audio);
    const TagBlock block = EncodeTagBlock(fields);
    bytes.insert(bytes.end(), block.begin(), block.end());
    return bytes;
}

TEST(Id3v1Tag, InactiveComponentRefusesToLoadOrSave) {
    TempFolder folder;
    StdTagFileSystem files;
    Id3v1Tag tag(files);
    tag.SetFileName(folder.Write("a.mp3", Audio(10)));
    for (auto operation : {&Id3v1Tag::LoadTag, &Id3v1Tag::SaveTag}) {
        try {
            (tag.*operation)();
            ADD_FAILURE() << "no error";
        } catch (const AppError& error) {
            EXPECT_STREQ(error.what(), "Not active");
        }
    }
    EXPECT_EQ(ReadAll(tag.FileName()).size(), 10u);
}

TEST(Id3v1Tag, ActivationReadsOnceAndRebindingReadsTheNewFile) {
    TempFolder folder;
    StdTagFileSystem files;
    const std::string first = folder.Write("a.mp3", Tagged({.songName = "First", .genre = 12, .albumTrack = 3}));
    const std::string second = folder.Write("b.mp3", Tagged({.songName = "Second", .genre = 200}));
    Id3v1Tag tag(files);
    tag.SetFileName(first);
    EXPECT_EQ(tag.songName, "");  // bound but inactive: nothing read
    tag.SetActive(true);
    EXPECT_EQ(tag.Fields(), (TagFields{.songName = "First", .genre = 12, .albumTrack = 3}));
    EXPECT_EQ(tag.GenreAsString(), "Other");

    // Neither activating again nor the same path reads the file again.
    tag.songName = "Edited";
    tag.SetActive(true);
    tag.SetFileName(first);
    EXPECT_EQ(tag.songName, "Edited");

    tag.SetFileName(second);
    EXPECT_TRUE(tag.Active());
    EXPECT_EQ(tag.songName, "Second");
    EXPECT_EQ(tag.genre, 200);
    EXPECT_EQ(tag.GenreAsString(), "");

    // The path is compared exactly: another case is another path.
    tag.songName = "Edited";
    tag.SetFileName(folder.Path("B.mp3"));
    EXPECT_EQ(tag.Fields(), TagFields{});

    tag.SetFileName(second);
    tag.SetActive(false);
    EXPECT_EQ(tag.Fields(), TagFields{});
}

TEST(Id3v1Tag, SaveWritesTheProperties) {
    TempFolder folder;
    StdTagFileSystem files;
    Id3v1Tag tag(files);
    tag.SetFileName(folder.Write("a.mp3", Audio(100)));
    tag.SetActive(true);
    tag.songName = std::string(35, 's');
    tag.SetGenreAsString("rock");
    tag.albumTrack = 9;
    ASSERT_TRUE(tag.SaveTag());
    EXPECT_EQ(ReadAll(tag.FileName()).size(), 228u);
    Id3v1Tag reader(files);
    reader.SetFileName(tag.FileName());
    reader.SetActive(true);
    EXPECT_EQ(reader.Fields(), (TagFields{.songName = std::string(30, 's'), .genre = 17, .albumTrack = 9}));
}

TEST(Id3v1Tag, DeleteTagCutsTheBlockAndReadsAgain) {
    TempFolder folder;
    StdTagFileSystem files;
    Id3v1Tag tag(files);
    tag.SetFileName(folder.Write("a.mp3", Tagged({.songName = "Gone"}, 40)));
    tag.SetActive(true);
    tag.DeleteTag();
    EXPECT_TRUE(tag.Active());
    EXPECT_EQ(tag.Fields(), TagFields{});
    EXPECT_EQ(ReadAll(tag.FileName()), Audio(40));
    tag.DeleteTag();  // without a tag: nothing changes
    EXPECT_EQ(ReadAll(tag.FileName()), Audio(40));
}

TEST(Id3v1Tag, DeleteTagOnALockedFileRebindsThenLetsTheErrorGo) {
    TempFolder folder;
    const Bytes before = Tagged({.songName = "Kept", .genre = 12});
    const std::string path = folder.Write("a.mp3", before);
    RefusingFiles files({TagFileAccess::ReadWriteSharedRead});
    Id3v1Tag tag(files);
    tag.SetFileName(path);
    tag.SetActive(true);
    EXPECT_THROW(tag.DeleteTag(), AppError);
    EXPECT_TRUE(tag.Active());
    EXPECT_EQ(tag.songName, "Kept");
    EXPECT_EQ(ReadAll(path), before);
}

TEST(GenreTable, NamesByNumber) {
    const GenreTable& genres = GenreTable::Shared();
    const std::pair<int, const char*> cases[] = {
        {0, "Blues"}, {12, "Other"}, {14, "R&B"}, {67, "Psychedelic"}, {79, "Hard Rock"}, {80, "Folk"},
        {123, "A capella"}, {136, "Christian Gangsta Rap"}, {147, "SynthPop"}, {148, ""}, {200, ""},
        {254, ""}, {255, ""}, {-1, ""},
    };
    for (const auto& [number, name] : cases) EXPECT_EQ(genres.GenreNameOf(number), name) << number;
}

TEST(GenreTable, IdOfIgnoresCaseOnly) {
    const GenreTable& genres = GenreTable::Shared();
    const std::pair<const char*, int> cases[] = {
        {"Rock", 17}, {"rock", 17}, {"ROCK", 17}, {"rOcK", 17}, {"psychadelic", 67}, {"PsychAdelic", 67},
        {"PSYCHADELIC", 67}, {"Psychedelic", 67}, {"psychadelic rock", 255}, {"Polka ", 255}, {" Polka", 255},
        {"Polka", 75}, {"", 255}, {"hip-hop", 7}, {"HipHop", 255}, {"Drum & Bass", 127}, {"synthpop", 147},
    };
    for (const auto& [name, number] : cases) EXPECT_EQ(genres.GenreIdOf(name), number) << name;
    for (int i = 0; i < kGenreCount; ++i) EXPECT_EQ(genres.GenreIdOf(genres.GenreNameOf(i)), i) << i;
}

TEST(GenreTable, FillGenreListIsEmptyEntryThenEveryNameSorted) {
    const auto list = GenreTable::Shared().FillGenreList();
    ASSERT_EQ(list.size(), 149u);
    EXPECT_EQ(list.front(), (std::pair<std::string, uint8_t>{"", 255}));
    std::vector<int> numbers;
    for (size_t i = 1; i < list.size(); ++i) {
        EXPECT_EQ(list[i].first, GenreName(list[i].second));
        if (i > 1) {
            EXPECT_TRUE(LessIgnoringCase(list[i - 1].first, list[i].first)) << list[i].first;
        }
        numbers.push_back(list[i].second);
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());
    EXPECT_EQ(numbers.back(), 147);
    // The word sort: punctuation before letters, hyphens passed over.
    EXPECT_EQ(list[1].first, "A capella");
    const auto at = [&](const char* name) {
        return std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.first == name; }) - list.begin();
    };
    EXPECT_LT(at("Pop"), at("Pop/Funk"));
    EXPECT_LT(at("Pop/Funk"), at("Pop-Folk"));
    EXPECT_LT(at("Eurodance"), at("Euro-House"));
    EXPECT_LT(at("Rock"), at("Rock & Roll"));
}

}  // namespace
