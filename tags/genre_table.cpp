// The 148 genre names and the case-insensitive lookups over them.
#include "tags/genre_table.h"

#include <algorithm>
#include <cctype>

namespace tikora {

namespace {

// Numbers 0..79 are the original list, 80..147 the extension every player knows.
constexpr std::string_view kGenreNames[kGenreCount] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop",
    "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game",
    "Sound Clip", "Gospel", "Noise", "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative",
    "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial",
    "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40",
    "Christian Rap", "Pop/Funk", "Jungle", "Native American", "Cabaret", "New Wave", "Psychedelic", "Rave",
    "Showtunes", "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical",
    "Rock & Roll", "Hard Rock", "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob",
    "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock",
    "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic",
    "Humour", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad",
    "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House",
    "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie", "BritPop", "Negerpunk",
    "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover",
    "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Trash Metal", "Anime", "JPop",
    "SynthPop",
};

unsigned char Fold(char c) { return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))); }

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Fold(a[i]);
        const unsigned char y = Fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The weight of a character in the system's word sort, as far as genre and file names need it:
// blanks and punctuation before digits before letters, case ignored.
int Weight(char c) {
    const unsigned char u = Fold(c);
    if (std::isalpha(u) || u >= 0x80) return 0x200 + u;
    if (std::isdigit(u)) return 0x100 + u;
    return u;
}

// The word sort passes over hyphens and apostrophes first ("Pop/Funk" before "Pop-Folk"); the
// plain comparison only breaks ties.
int CompareWords(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    for (;;) {
        while (i < a.size() && (a[i] == '-' || a[i] == '\'')) ++i;
        while (j < b.size() && (b[j] == '-' || b[j] == '\'')) ++j;
        if (i == a.size() || j == b.size()) break;
        const int x = Weight(a[i++]);
        const int y = Weight(b[j++]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i != a.size() || j != b.size()) return i == a.size() ? -1 : 1;
    return CompareIgnoringCase(a, b);
}

}  // namespace

bool LessIgnoringCase(std::string_view a, std::string_view b) { return CompareWords(a, b) < 0; }
bool EqualIgnoringCase(std::string_view a, std::string_view b) { return CompareIgnoringCase(a, b) == 0; }

std::string_view GenreName(int number) {
    return number >= 0 && number < kGenreCount ? kGenreNames[number] : std::string_view{};
}

const GenreTable& GenreTable::Shared() {
    static const GenreTable table;  // built on first use, freed at program end
    return table;
}

GenreTable::GenreTable() {
    for (int i = 0; i < kGenreCount; ++i) {
        const std::string_view name = kGenreNames[i];
        // The sorted list refuses duplicates: the first name of a spelling stays.
        auto at = std::lower_bound(sorted_.begin(), sorted_.end(), name,
                                   [](const auto& entry, std::string_view n) { return LessIgnoringCase(entry.first, n); });
        if (at != sorted_.end() && EqualIgnoringCase(at->first, name)) continue;
        sorted_.insert(at, {std::string(name), static_cast<uint8_t>(i)});
    }
}

std::vector<std::pair<std::string, uint8_t>> GenreTable::FillGenreList() const {
    std::vector<std::pair<std::string, uint8_t>> list;
    list.reserve(sorted_.size() + 1);
    list.push_back({"", kNoGenre});
    list.insert(list.end(), sorted_.begin(), sorted_.end());
    return list;
}

const std::pair<std::string, uint8_t>* GenreTable::Find(std::string_view name) const {
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), name,
                               [](const auto& entry, std::string_view n) { return LessIgnoringCase(entry.first, n); });
    return at != sorted_.end() && EqualIgnoringCase(at->first, name) ? &*at : nullptr;
}

uint8_t GenreTable::GenreIdOf(std::string_view name) const {
    if (name.empty()) return kNoGenre;
    const auto* found = Find(name);
    // A common misspelling that other programs have stored.
    if (!found && EqualIgnoringCase(name, "psychadelic")) found = Find("Psychedelic");
    return found ? found->second : kNoGenre;
}

std::string GenreTable::GenreNameOf(int number) const { return std::string(GenreName(number)); }

}  // namespace tikora
