#pragma once
// The picture viewer's texts: its file-type filter, the file counter and the dimensions line.
#include <string>
#include <vector>

namespace tikora {

// Descriptions and mask lists alternate, separated by "|"; blanks and spellings are the filter's own.
inline constexpr const char* kViewerFilter =
    " All (*.png;*.gif;*.jpg;*.bmp;*.emf;*.wmf)|*.png;*.gif;*.jpg;*.bmp;*.emf;*.wmf|"
    "Portable Network Graphics (*.png)|*.png|CompuServe GIF Image (*.gif)|*.gif| JPEG Image File (*.jpg)|*.jpg|"
    " Bitmaps (*.bmp)|*.bmp| Icons (*.ico)|*.ico| Enhanced Metsfiles (*.emf)|*.emf| Metafiles (*.wmf)|*.wmf";

struct FilterEntry {
    std::string description;
    std::string maskList;
};

// The entries of a filter string: pairs of description and mask list. A description without a
// mask list gets an empty one.
std::vector<FilterEntry> ParseFilter(const std::string& filter);

// " Total files - " + count.
std::string TotalFilesText(int count);
// "%d x %d".
std::string DimensionsText(int width, int height);

}  // namespace tikora
