// Interoperability with an independent ID3v1 implementation (Debian's python3-mutagen): what we
// write it reads the same, and what it writes we read the same. Latin-1 stands for the ANSI code
// page in both directions.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "tags/genre_table.h"
#include "tags/tag_block.h"
#include "tags/tag_files.h"

using namespace tikora;
using namespace tikora::tagtest;

namespace {

// Reads or writes the last 128 bytes of a file with mutagen; the fields travel as hex lines:
// title, artist, album, year, comment, track, genre (read: the name from mutagen's own genre list;
// written: the number, which it turns into its name and back).
constexpr const char* kScript = R"PY(
import sys
from mutagen.id3 import ParseID3v1, MakeID3v1, TIT2, TPE1, TALB, TDRC, COMM, TRCK, TCON
mode, path = sys.argv[1], sys.argv[2]
if mode == "read":
    with open(path, "rb") as f:
        f.seek(-128, 2)
        frames = ParseID3v1(f.read(128))
    def text(key):
        return str(frames[key].text[0]) if key in frames else ""
    genre = frames["TCON"].genres[0] if "TCON" in frames else ""
    for value in (text("TIT2"), text("TPE1"), text("TALB"), text("TDRC"), text("COMM"), text("TRCK"), genre):
        print(value.encode("latin-1").hex())
else:
    values = [bytes.fromhex(line.strip()).decode("latin-1") for line in sys.stdin]
    title, artist, album, year, comment, track, genre = values
    frames = {"TIT2": TIT2(text=[title]), "TPE1": TPE1(text=[artist]), "TALB": TALB(text=[album]),
              "TDRC": TDRC(text=[year]), "COMM": COMM(lang="eng", desc="", text=[comment]),
              "TRCK": TRCK(text=[track]), "TCON": TCON(text=[genre])}
    with open(path, "ab") as f:
        f.write(MakeID3v1(frames))
)PY";

std::string Hex(const std::string& text) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string Unhex(const std::string& hex) {
    std::string text;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return text;
}

// Runs the script; `input` goes to its standard input, its output lines come back.
std::vector<std::string> Mutagen(const TempFolder& folder, const std::string& mode, const std::string& file,
                                 const std::string& input = "") {
    const std::string script = folder.Path("id3v1.py");
    std::ofstream(script) << kScript;
    const std::string inputFile = folder.Path("input.txt");
    std::ofstream(inputFile) << input;
    const std::string command = "/usr/bin/python3 " + script + " " + mode + " '" + file + "' < " + inputFile;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::vector<std::string> lines;
    std::array<char, 512> line{};
    while (pipe && fgets(line.data(), line.size(), pipe.get())) {
        std::string text(line.data());
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        lines.push_back(Unhex(text));
    }
    return lines;
}

const TagFields kTags[] = {
    {"Ballad of Tikora", "Someone", "An Album", "1999", "A note", 17, 7},
    {std::string(30, 'T'), std::string(30, 'A'), std::string(30, 'L'), "2024", std::string(28, 'C'), 147, 255},
    {"Caf\xE9 M\xFCller", "\xC5ngstr\xF6m", "\xA9 \xBD", "1987", "\xE0 la carte", 12, 1},
    {"No track", "", "", "", "", 0, 0},
};

TEST(Id3v1Interop, MutagenReadsWhatWeWrite) {
    StdTagFileSystem files;
    for (const TagFields& fields : kTags) {
        TempFolder folder;
        const std::string path = folder.Write("a.mp3", Audio(1000));
        ASSERT_TRUE(WriteTagBlock(files, path, EncodeTagBlock(fields)));
        const std::vector<std::string> read = Mutagen(folder, "read", path);
        ASSERT_EQ(read.size(), 7u) << "python3-mutagen missing?";
        EXPECT_EQ(read[0], fields.songName);
        EXPECT_EQ(read[1], fields.artist);
        EXPECT_EQ(read[2], fields.album);
        EXPECT_EQ(read[3], fields.year);
        EXPECT_EQ(read[4], fields.comment);
        EXPECT_EQ(read[5], fields.albumTrack ? std::to_string(fields.albumTrack) : "") << fields.songName;
        // Its genre list spells a few names in another case ("Synthpop"): the number is what counts.
        EXPECT_EQ(GenreTable::Shared().GenreIdOf(read[6]), fields.genre) << read[6];
    }
}

TEST(Id3v1Interop, WeReadWhatMutagenWrites) {
    StdTagFileSystem files;
    for (const TagFields& fields : kTags) {
        TempFolder folder;
        const std::string path = folder.Write("a.mp3", Audio(1000));
        std::ostringstream input;
        for (const std::string& text : {fields.songName, fields.artist, fields.album, fields.year, fields.comment,
                                        std::to_string(fields.albumTrack), std::to_string(fields.genre)})
            input << Hex(text) << "\n";
        Mutagen(folder, "write", path, input.str());
        TagBlock block{};
        ASSERT_TRUE(ReadTagBlock(files, path, block)) << "python3-mutagen missing?";
        EXPECT_EQ(ReadAll(path).size(), 1128u);
        const TagFields read = DecodeTagBlock(block);
        EXPECT_EQ(read.songName, fields.songName);
        EXPECT_EQ(read.artist, fields.artist);
        EXPECT_EQ(read.album, fields.album);
        EXPECT_EQ(read.year, fields.year);
        EXPECT_EQ(read.comment, fields.comment);
        EXPECT_EQ(read.genre, fields.genre);
        EXPECT_EQ(read.albumTrack, fields.albumTrack);
    }
}

}  // namespace
