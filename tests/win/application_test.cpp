// The application error handler and the window base class's exception boundary.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/window_win.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

TEST(ApplicationErrorHandlerTest, PictureErrorsOnlyRevealThePlaceholders) {
    EnsureApplication();
    TakeErrorBoxes();
    int revealed = 0;
    ui::Application::Instance().SetPictureErrorHook([&] { ++revealed; });
    struct Case {
        std::exception_ptr error;
        int reveals;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {std::make_exception_ptr(PictureError("Bitmap image is not valid")), 1, {}},
        {std::make_exception_ptr(PictureError("JPEG error #53", kJpegError)), 1, {}},
        {std::make_exception_ptr(PictureError("Cannot change the size", kInvalidGraphicOperation)), 1, {}},
        {std::make_exception_ptr(AppError("Invalid image size")), 0, {"Invalid image size."}},
        {std::make_exception_ptr(AppError("Unable to write to C:\\x\\MyIni.ini")), 0,
         {"Unable to write to C:\\x\\MyIni.ini."}},
        {std::make_exception_ptr(std::runtime_error("Stop!")), 0, {"Stop!"}},
        {std::make_exception_ptr(42), 0, {"Unknown error."}},
    };
    for (const Case& c : cases) {
        revealed = 0;
        ui::Application::Instance().HandleError(c.error);
        EXPECT_EQ(revealed, c.reveals);
        EXPECT_EQ(TakeErrorBoxes(), c.boxes);
    }
    ui::Application::Instance().SetPictureErrorHook(nullptr);
}

class ThrowingWindow final : public ui::Window {
protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw AppError("Handler failed");
        return DefaultProc(message, wParam, lParam);
    }
};

TEST(ApplicationErrorHandlerTest, ErrorsEscapingAHandlerReachTheHandlerAndTheProgramGoesOn) {
    EnsureApplication();
    TakeErrorBoxes();
    ThrowingWindow window;
    ui::WindowSpec spec;
    spec.className = "TikoraThrowingWindow";
    spec.style = WS_POPUP;
    spec.clientWidth = 10;
    spec.clientHeight = 10;
    window.Create(spec);
    SendMessageA(window.Hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(TakeErrorBoxes(), std::vector<std::string>{"Handler failed."});
    EXPECT_TRUE(IsWindow(window.Hwnd())) << "the window lives on";
    EXPECT_EQ(SendMessageA(window.Hwnd(), WM_GETTEXTLENGTH, 0, 0), 0);
    window.Destroy();
    EXPECT_EQ(window.Hwnd(), nullptr);
}

}  // namespace
