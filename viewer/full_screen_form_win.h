#pragma once
// The common part of the two full-screen views: a borderless window shown maximised, a picture box
// filling it that scrolls with the window's own scroll bars (the ranges are the picture's size,
// 0 x 0 for best fit), the clock hidden while the view shows, and keys and clicks handed on.
#include <windows.h>

#include <memory>

#include "clock/clock_visibility.h"
#include "ui/form_win.h"
#include "viewer/picture_box_win.h"

namespace tikora {

// The clock window as the views see it: it hides when a view opens, unless the user hid it
// already, and shows again when that view closes; each view counts on its own.
class FullScreenClock {
public:
    virtual ~FullScreenClock() = default;
    virtual void ViewOpened(FullScreenView view) = 0;
    virtual void ViewClosed(FullScreenView view) = 0;
};

class FullScreenForm : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    // imageCursor: the pointer over the picture (null: the arrow).
    FullScreenForm(ui::FormName name, COLORREF background, HCURSOR imageCursor, FullScreenView view,
                   std::shared_ptr<FullScreenClock> clock);
    ~FullScreenForm() override;

    // The scroll ranges (0 x 0: none, the picture box is the window).
    void SetScrollRanges(int width, int height);
    // Both scroll positions, as the scroll bars take them.
    void SetScrollPositions(int position);
    // The ranges set, the positions 0, 1 and 0 again: the top-left corner, the bars redrawn.
    void ScrollToCorner();
    SIZE ScrollRanges() const { return {rangeWidth_, rangeHeight_}; }
    POINT ScrollPositions() const { return {positionX_, positionY_}; }

    PictureBox& Image() { return image_; }
    COLORREF Background() const { return background_; }
    // The size a best-fit picture is shrunk into: the whole window.
    SIZE ScreenSize() const;

protected:
    void OnCreate() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows the form maximised and active, so its keys reach it; when it was hidden, OnShowing
    // runs first and the clock hides.
    void ShowMaximised();

    virtual void CreateControls() {}
    virtual void OnShowing() {}
    virtual void OnKey(int virtualKey) = 0;
    virtual void OnImageClick() = 0;
    // After the picture box was placed; client: the visible area.
    virtual void OnLaidOut(int clientWidth, int clientHeight) {
        (void)clientWidth;
        (void)clientHeight;
    }

private:
    void LayOut();
    void OnScrollBar(int bar, int code);

    COLORREF background_;
    HCURSOR imageCursor_;
    FullScreenView view_;
    std::shared_ptr<FullScreenClock> clock_;
    PictureBox image_;
    int rangeWidth_ = 0;
    int rangeHeight_ = 0;
    int positionX_ = 0;
    int positionY_ = 0;
    bool layingOut_ = false;
};

}  // namespace tikora
