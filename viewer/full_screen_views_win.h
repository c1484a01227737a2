#pragma once
// The picture viewer's two full-screen views. The actual-size view (grey) shows the viewer's
// current picture pixel for pixel and only leaves, with Esc or a click. The browsing view (black)
// steps through the viewer's whole list with the arrow keys, wrapping at both ends, switches
// between best fit and actual size with a click, and may show the path and size in a caption
// line. Both go back to the viewer, which they find at use time.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/controls_win.h"
#include "viewer/full_screen_form_win.h"
#include "viewer/picture_views_win.h"

namespace tikora {

class BrowsingView;

// Where the views find what they need, each asked at the moment it is needed: the viewer may be
// absent (null), and the viewer settings' live " Best fit " and " Show file name ".
struct FullScreenLinks {
    std::function<PictureListHost*()> host;
    std::function<bool()> bestFit;
    std::function<bool()> showFileName;
    std::shared_ptr<FullScreenClock> clock;
};

// TForm10. It is also the viewer's way to both views: "View" reaches the browsing view through it.
class ActualSizeView final : public FullScreenForm, public FullScreenViews {
public:
    ActualSizeView(ui::FormName name, FullScreenLinks links, std::function<BrowsingView*()> browsing);

    void OpenActualSize(const std::string& path) override;
    void OpenBrowsing() override;

protected:
    void OnKey(int virtualKey) override;
    void OnImageClick() override { Leave(); }
    void OnClose() override { Leave(); }

private:
    void Leave();

    FullScreenLinks links_;
    std::function<BrowsingView*()> browsing_;
};

// TForm11.
class BrowsingView final : public FullScreenForm {
public:
    BrowsingView(ui::FormName name, FullScreenLinks links);

    // Shows the view at the viewer list's selected index, in the mode of the settings, and
    // displays that picture. Nothing happens without a viewer.
    void Open();

    int BrowsingIndex() const { return index_; }
    bool BestFitMode() const { return bestFit_; }
    HWND CaptionLine() const { return captionLine_.Hwnd(); }
    HWND Placeholder() const { return placeholder_.Hwnd(); }

protected:
    void CreateControls() override;
    void OnShowing() override;
    void OnKey(int virtualKey) override;
    void OnImageClick() override;
    void OnClose() override { Leave(); }
    void OnLaidOut(int clientWidth, int clientHeight) override;

private:
    // Shows the picture at the browsing index in the current mode. A picture that cannot be
    // decoded leaves the placeholder on black; every failure ends in the error handler, and
    // browsing goes on.
    void Display();
    void SetCaption(const std::string& text);
    void Leave();

    FullScreenLinks links_;
    ui::Label captionLine_;
    PictureBox placeholder_;
    int index_ = 0;
    bool bestFit_ = true;
};

}  // namespace tikora
