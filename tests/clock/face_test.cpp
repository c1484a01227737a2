#include <gtest/gtest.h>

#include <vector>

#include "clock/face.h"

using namespace tikora;

namespace {

using Set = GlyphDraw::Set;

std::vector<GlyphDraw> Draws(const FacePlan& plan) { return {plan.draws.begin(), plan.draws.begin() + plan.count}; }

TEST(FacePlanTest, CellsAndPositions) {
    struct Case {
        const char* name;
        const char* text;
        FaceOptions options;
        std::vector<GlyphDraw> expected;
    };
    const std::vector<Case> cases = {
        {"09:05:07 with seconds", "09:05:07", {true, true, false},
         {{Set::Digit, 1, 8}, {Set::Digit, 10, 34}, {Set::Digit, 1, 73}, {Set::Digit, 6, 99},
          {Set::Digit, 1, 138}, {Set::Digit, 8, 164}, {Set::Separator, 1, 60}, {Set::Separator, 1, 125}}},
        {"23:59 without seconds, twinkle on", "23:59:30", {false, true, true},
         {{Set::Digit, 3, 8}, {Set::Digit, 4, 34}, {Set::Digit, 6, 73}, {Set::Digit, 10, 99},
          {Set::Separator, 0, 60}}},
        {"23:59 without seconds, twinkle off", "23:59:31", {false, true, false},
         {{Set::Digit, 3, 8}, {Set::Digit, 4, 34}, {Set::Digit, 6, 73}, {Set::Digit, 10, 99},
          {Set::Separator, 1, 60}}},
        {"flash off never blinks", "23:59:30", {false, false, true},
         {{Set::Digit, 3, 8}, {Set::Digit, 4, 34}, {Set::Digit, 6, 73}, {Set::Digit, 10, 99},
          {Set::Separator, 1, 60}}},
        {"a character that is not a digit draws nothing", "2x:59:30", {false, false, false},
         {{Set::Digit, 3, 8}, {Set::Digit, 6, 73}, {Set::Digit, 10, 99}, {Set::Separator, 1, 60}}},
        {"a short text draws what it has", "1:", {false, false, false},
         {{Set::Digit, 2, 8}, {Set::Separator, 1, 60}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Draws(PlanFace(c.text, c.options)), c.expected) << c.name;
}

TEST(FacePlanTest, SecondsWithFlashNeverBlink) {
    for (bool phase : {false, true}) {
        FacePlan plan = PlanFace("12:34:56", {true, true, phase});
        for (size_t i = 0; i < plan.count; ++i) {
            if (plan.draws[i].set == Set::Separator) {
                EXPECT_EQ(plan.draws[i].cell, 1) << "phase " << phase;
            }
        }
    }
}

TEST(FacePlanTest, WidthFollowsSeconds) {
    EXPECT_EQ(FaceWidth(true), 199);
    EXPECT_EQ(FaceWidth(false), 134);
    EXPECT_EQ(kEdgePieceLeft + kEdgePieceWidth, 134);
}

}  // namespace
