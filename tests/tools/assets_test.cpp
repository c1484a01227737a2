#include "tools/assets.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "byte_reader.h"
#include "clock/glyphs.h"
#include "tools/bmp_writer.h"

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

struct ShippedFile {
    const char* path;
    const char* magic;       // first bytes
    std::vector<int> sizes;  // icon picture sizes
};

class ShippedFileTest : public AssetsTest, public ::testing::WithParamInterface<ShippedFile> {};

TEST_P(ShippedFileTest, IsThereInItsFormat) {
    const ShippedFile& expected = GetParam();
    ASSERT_TRUE(files_.count(expected.path));
    const std::vector<uint8_t>& bytes = files_[expected.path];
    EXPECT_EQ(TagAt(bytes, 0, 4), std::string(expected.magic, 4));
    std::vector<int> sizes;
    if (!expected.sizes.empty())
        for (uint32_t i = 0; i < U16At(bytes, 4); ++i) sizes.push_back(bytes[6 + 16 * i]);
    EXPECT_EQ(sizes, expected.sizes);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedFileTest,
                         ::testing::Values(ShippedFile{"Sounds/Chimes.wav", "RIFF", {}},
                                           ShippedFile{"Sounds/Ring.wav", "RIFF", {}},
                                           ShippedFile{"tikora.ico", "\0\0\1\0", {16, 32, 48}},
                                           ShippedFile{"Icons/Clock.ico", "\0\0\1\0", {16, 32, 48}},
                                           ShippedFile{"Icons/Digital.ico", "\0\0\1\0", {16, 32, 48}},
                                           ShippedFile{"Icons/Bell.ico", "\0\0\1\0", {16, 32, 48}}));

}  // namespace
}  // namespace tikora
