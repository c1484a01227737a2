#pragma once
// The genre table: the 148 genre names by number, and a name list sorted without regard to case
// in which every name carries its number. One shared instance, built at first use.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tikora {

inline constexpr int kGenreCount = 148;
inline constexpr uint8_t kNoGenre = 255;

class GenreTable {
public:
    // The one instance of the program.
    static const GenreTable& Shared();

    GenreTable();

    // The entries of a genre list: first the empty text with 255, then every name with its
    // number, in the sorted order.
    std::vector<std::pair<std::string, uint8_t>> FillGenreList() const;
    // 255 for the empty text and for a name not in the table; "psychadelic" (any case) finds
    // Psychedelic.
    uint8_t GenreIdOf(std::string_view name) const;
    // The name of 0..147; the empty text for any other number.
    std::string GenreNameOf(int number) const;

private:
    const std::pair<std::string, uint8_t>* Find(std::string_view name) const;
    std::vector<std::pair<std::string, uint8_t>> sorted_;
};

// The name of a genre number as stored, without the table's lookup (0..147, else empty).
std::string_view GenreName(int number);

// The order of the sorted lists (the system's word sort as far as these names need it): case
// ignored, hyphens and apostrophes passed over, punctuation before digits before letters.
bool LessIgnoringCase(std::string_view a, std::string_view b);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tikora
