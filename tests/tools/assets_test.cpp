#include "tools/assets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "clock/glyphs.h"
#include "tools/bmp_writer.h"
#include "tools/byte_reader.h"

namespace tikora {
namespace {

using test::I32At;
using test::TagAt;
using test::U16At;

class AssetsTest : public ::testing::Test {
protected:
    // Building every asset takes a moment, so the suite does it once.
    static void SetUpTestSuite() {
        for (AssetFile& file : BuildAssets()) files_[file.path] = std::move(file.bytes);
    }
    static std::map<std::string, std::vector<uint8_t>> files_;
};

std::map<std::string, std::vector<uint8_t>> AssetsTest::files_;

TEST_F(AssetsTest, BuiltinSkinFileIsWhatTheClockDraws) {
    ASSERT_TRUE(files_.count("Numbers/Cyan.bmp"));
    EXPECT_EQ(files_["Numbers/Cyan.bmp"], EncodeBmp(RenderBuiltinSkin()));
}

TEST_F(AssetsTest, ShipsTheSoundsThatThePlayerLooksFor) {
    for (const char* path : {"Sounds/Chimes.wav", "Sounds/Ring.wav"}) {
        ASSERT_TRUE(files_.count(path)) << path;
        EXPECT_EQ(TagAt(files_[path], 0, 4), "RIFF") << path;
    }
}

TEST_F(AssetsTest, SkinsAreDistinctStripsOfTheSkinSize) {
    std::set<std::vector<uint8_t>> skins;
    for (const auto& [path, bytes] : files_) {
        if (path.rfind("Numbers/", 0) != 0) continue;
        EXPECT_EQ(path.substr(path.size() - 4), ".bmp") << path;
        ASSERT_GE(bytes.size(), 54u) << path;
        EXPECT_EQ(TagAt(bytes, 0, 2), "BM") << path;
        EXPECT_EQ(I32At(bytes, 18), kStripWidth) << path;
        EXPECT_EQ(I32At(bytes, 22), kStripHeight) << path;
        skins.insert(bytes);
    }
    EXPECT_GE(skins.size(), 4u);
    EXPECT_EQ(skins.size(), SkinCatalogue().size());
}

struct IconFile {
    const char* path;
    std::vector<int> sizes;
};

class AssetIconTest : public AssetsTest, public ::testing::WithParamInterface<IconFile> {};

TEST_P(AssetIconTest, HoldsTheIconSizes) {
    ASSERT_TRUE(files_.count(GetParam().path));
    const std::vector<uint8_t>& ico = files_[GetParam().path];
    EXPECT_EQ(U16At(ico, 2), 1u);
    std::vector<int> sizes;
    for (uint32_t i = 0; i < U16At(ico, 4); ++i) {
        EXPECT_EQ(U16At(ico, 6 + 16 * i + 6), 32u);
        sizes.push_back(ico[6 + 16 * i]);
    }
    EXPECT_EQ(sizes, GetParam().sizes);
}

INSTANTIATE_TEST_SUITE_P(Icons, AssetIconTest,
                         ::testing::Values(IconFile{"tikora.ico", {16, 32, 48}},
                                           IconFile{"Icons/Clock.ico", {16, 32, 48}},
                                           IconFile{"Icons/Digital.ico", {16, 32, 48}},
                                           IconFile{"Icons/Bell.ico", {16, 32, 48}}));

TEST_F(AssetsTest, IconsDiffer) {
    std::set<std::vector<uint8_t>> icons;
    for (const auto& [path, bytes] : files_)
        if (path.size() > 4 && path.substr(path.size() - 4) == ".ico") icons.insert(bytes);
    EXPECT_EQ(icons.size(), 4u);
}

}  // namespace
}  // namespace tikora
