#pragma once
// What the About dialog says and links to, and the banner's background, apart from any window.
#include <string>

#include "core/image.h"

namespace tikora {

inline constexpr const char* kAboutTitle = "Tikora 1.5-e";
inline constexpr const char* kAboutCredits = "The Tikora team, 2026";
inline constexpr const char* kBannerWord = "Tikora";
inline constexpr int kBannerWidth = 239;
inline constexpr int kBannerHeight = 62;

// A link as the label shows it (no scheme) and the address the shell opens.
struct AboutLink {
    const char* shown;
};
inline constexpr AboutLink kFirstAboutLink{"tikora.example.org"};
inline constexpr AboutLink kSecondAboutLink{"tikora.example.org/skins"};

// The address opened for a label's text: the scheme goes in front. Links leave over https, never
// as plain-text http.
std::string LinkAddress(const std::string& shown);

// The banner without its word: warm orange on the left to yellow on the right, framed by a
// one-pixel darker orange line.
Image BannerBackground(int width, int height);

}  // namespace tikora
