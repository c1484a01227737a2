#include "core/ico_check.h"

#include <gtest/gtest.h>

#include <map>

#include "support/bad_pictures.h"
#include "tools/assets.h"

namespace tikora {
namespace {

IcoProblem Check(const std::string& bytes) {
    MemorySource source({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    return CheckIco(source).problem;
}

TEST(IcoCheck, RefusesEveryBrokenIconOfTheCorpus) {
    const std::map<std::string, IcoProblem> expected = {
        {"cut6.ico", IcoProblem::EntryOutsideFile},       {"cut21.ico", IcoProblem::EntryOutsideFile},
        {"cut22.ico", IcoProblem::EntryOutsideFile},      {"cut61.ico", IcoProblem::EntryOutsideFile},
        {"cut2000.ico", IcoProblem::EntryOutsideFile},    {"far-offset.ico", IcoProblem::EntryOutsideFile},
        {"oversized-entry.ico", IcoProblem::EntryOutsideFile}, {"offset-into-directory.ico", IcoProblem::EntryOutsideFile},
        {"cursor-type.ico", IcoProblem::NotIcon},         {"no-pictures.ico", IcoProblem::NoImages},
        {"65535-pictures.ico", IcoProblem::TooManyImages}, {"30000-wide.ico", IcoProblem::BadImage},
        {"odd-height.ico", IcoProblem::BadImage},         {"7-bits.ico", IcoProblem::BadImage},
        {"256-declared-short.ico", IcoProblem::EntryOutsideFile}, {"png-100000.ico", IcoProblem::BadImage},
        {"empty.ico", IcoProblem::NotIcon},               {"random.ico", IcoProblem::NotIcon},
    };
    for (const auto& bad : testing::BadIconCorpus()) {
        if (bad.folder) continue;
        const IcoProblem problem = Check(bad.bytes);
        if (auto it = expected.find(bad.name); it != expected.end()) {
            EXPECT_STREQ(IcoProblemName(problem), IcoProblemName(it->second)) << bad.name;
        } else {
            EXPECT_NE(problem, IcoProblem::None) << bad.name;
        }
    }
}

// The icons the program ships, and a plain one, pass.
TEST(IcoCheck, AcceptsWellFormedIcons) {
    EXPECT_EQ(Check(testing::GoodTestIcon()), IcoProblem::None);
    int icons = 0;
    for (const AssetFile& file : BuildAssets()) {
        if (!file.path.ends_with(".ico")) continue;
        ++icons;
        EXPECT_EQ(Check(std::string(file.bytes.begin(), file.bytes.end())), IcoProblem::None) << file.path;
    }
    EXPECT_GE(icons, 4);
}

}  // namespace
}  // namespace tikora
