// The viewer's filter string split into entries, and the texts of its two counters.
#include <gtest/gtest.h>

#include "search/search_engine.h"
#include "viewer/viewer_texts.h"

using namespace tikora;

TEST(ViewerFilterTest, EntriesKeepTheirOwnBlanksAndMasks) {
    const std::vector<FilterEntry> entries = ParseFilter(kViewerFilter);
    ASSERT_EQ(entries.size(), 8u);
    struct Case {
        size_t index;
        const char* description;
        std::vector<std::string> patterns;
    };
    const Case cases[] = {
        {0, " All (*.png;*.gif;*.jpg;*.bmp;*.emf;*.wmf)", {"*.png", "*.gif", "*.jpg", "*.bmp", "*.emf", "*.wmf"}},
        {1, "Portable Network Graphics (*.png)", {"*.png"}},
        {3, " JPEG Image File (*.jpg)", {"*.jpg"}},
        {5, " Icons (*.ico)", {"*.ico"}},
        {6, " Enhanced Metsfiles (*.emf)", {"*.emf"}},
        {7, " Metafiles (*.wmf)", {"*.wmf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(entries[c.index].description, c.description);
        EXPECT_EQ(SplitMaskList(entries[c.index].maskList), c.patterns);
    }
}

TEST(ViewerFilterTest, OddShapesGiveWholeEntries) {
    struct Case {
        const char* filter;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Case cases[] = {
        {"", {}},
        {"Only", {{"Only", ""}}},
        {"A|*.a|B", {{"A", "*.a"}, {"B", ""}}},
        {"A||B|*.b|", {{"A", ""}, {"B", "*.b"}, {"", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        std::vector<std::pair<std::string, std::string>> got;
        for (const FilterEntry& entry : ParseFilter(c.filter)) got.emplace_back(entry.description, entry.maskList);
        EXPECT_EQ(got, c.entries);
    }
}

TEST(ViewerTextsTest, CountersReadAsShown) {
    EXPECT_EQ(TotalFilesText(0), " Total files - 0");
    EXPECT_EQ(TotalFilesText(32736), " Total files - 32736");
    EXPECT_EQ(DimensionsText(800, 600), "800 x 600");
    EXPECT_EQ(DimensionsText(100000, 1), "100000 x 1");
}
