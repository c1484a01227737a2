// The full-screen views without a window: browsing steps, the caption line, and where a picture
// goes, with which scroll bars, in best fit and at actual size.
#include "viewer/full_screen_logic.h"

#include <gtest/gtest.h>

namespace tikora {
namespace {

// The wrap itself is driven through the view's keys under Wine; here what the list may do meanwhile.
TEST(BrowsingSteps, AnIndexOutsideTheListRestartsAtTheFirstPicture) {
    struct Case { int index, count, step, next; };
    const Case cases[] = {{7, 3, 1, 0}, {7, 3, -1, 0}, {-1, 3, -1, 0}, {0, 0, 1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(StepBrowsingIndex(c.index, c.count, c.step), c.next) << c.index << " of " << c.count << " by " << c.step;
}

TEST(BrowsingSteps, CaptionLineKeepsItsBlanks) {
    EXPECT_EQ(LoadingCaption("C:\\p\\a.png"), " C:\\p\\a.png ");
    EXPECT_EQ(PictureCaption("C:\\p\\a.png", 640, 480), " C:\\p\\a.png  640 x 480 ");
}

TEST(ScrollingLayout, BarsShowOnlyWhereThePictureExceedsTheRoomLeft) {
    // A 1024 x 768 screen, bars 17 pixels thick.
    struct Case {
        const char* what;
        int extentW, extentH;
        bool hBar, vBar;
        int boxW, boxH;
    };
    const Case cases[] = {
        {"best fit: no ranges, the box is the screen", 0, 0, false, false, 1024, 768},
        {"smaller than the screen: centred, no bars", 640, 480, false, false, 1024, 768},
        {"exactly the screen", 1024, 768, false, false, 1024, 768},
        {"wider only", 2000, 500, true, false, 2000, 751},
        {"taller only", 500, 2000, false, true, 1007, 2000},
        {"both", 3000, 2000, true, true, 3000, 2000},
        {"wider, and the horizontal bar makes it too tall", 2000, 760, true, true, 2000, 760},
        {"taller, and the vertical bar makes it too wide", 1020, 2000, true, true, 1020, 2000},
    };
    for (const Case& c : cases) {
        const ScrollLayout l = LayOutScrolling(1024, 768, c.extentW, c.extentH, 17, 17, 0, 0);
        EXPECT_EQ(l.horizontal.bar, c.hBar) << c.what;
        EXPECT_EQ(l.vertical.bar, c.vBar) << c.what;
        EXPECT_EQ(l.horizontal.boxLength, c.boxW) << c.what;
        EXPECT_EQ(l.vertical.boxLength, c.boxH) << c.what;
        EXPECT_EQ(l.horizontal.client, 1024 - (c.vBar ? 17 : 0)) << c.what;
        EXPECT_EQ(l.vertical.client, 768 - (c.hBar ? 17 : 0)) << c.what;
    }
}

TEST(ScrollingLayout, PositionsAreClampedAndMoveTheBox) {
    struct Case { int extent, position, wantPosition; };
    const Case cases[] = {{3000, 1, 1}, {3000, 500, 500}, {3000, 5000, 3000 - 751}, {3000, -4, 0}, {500, 1, 0}};
    for (const Case& c : cases) {
        const ScrollLayout l = LayOutScrolling(1024, 768, 3000, c.extent, 17, 17, c.position, c.position);
        EXPECT_EQ(l.vertical.position, c.wantPosition) << c.extent << " at " << c.position;
        EXPECT_EQ(l.vertical.boxOffset, -c.wantPosition) << c.extent << " at " << c.position;
    }
}

}  // namespace
}  // namespace tikora
