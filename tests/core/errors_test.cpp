#include <gtest/gtest.h>

#include "core/errors.h"

using namespace tikora;

namespace {

TEST(ErrorBoxTextTest, FullStopRule) {
    struct Case {
        const char* message;
        const char* expected;
    };
    const Case cases[] = {
        {"Invalid image size", "Invalid image size."},
        {"Done!", "Done!"},
        {"Really?", "Really?."},
        {"Ends with a full stop.", "Ends with a full stop."},
        {"Count 5", "Count 5."},
        {"Path C:\\", "Path C:\\."},
        {"comma,", "comma,"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorBoxText(c.message), c.expected) << c.message;
}

TEST(ErrorBoxTextTest, OnlyThePictureClassesAreSilent) {
    for (const char* name : {"EJPEG", "EInvalidGraphic", "EInvalidGraphicOperation"})
        EXPECT_TRUE(IsPictureErrorClass(name)) << name;
    for (const char* name : {"Exception", "EInOutError", "ejpeg", "EInvalidGraphicX", ""})
        EXPECT_FALSE(IsPictureErrorClass(name)) << name;
    EXPECT_TRUE(IsPictureErrorClass(PictureError("x").ClassName()));
}

}  // namespace
