// The actual-size view and the browsing view.
#include "viewer/full_screen_views_win.h"

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/text_fit_win.h"
#include "viewer/full_screen_logic.h"

namespace tikora {

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

PictureListHost* HostOf(const FullScreenLinks& links) { return links.host ? links.host() : nullptr; }

}  // namespace

ActualSizeView::ActualSizeView(ui::FormName name, FullScreenLinks links, std::function<BrowsingView*()> browsing)
    : FullScreenForm(name, kGrey, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)), FullScreenView::ActualSize,
                     links.clock),
      links_(std::move(links)),
      browsing_(std::move(browsing)) {}

void ActualSizeView::OpenActualSize(const std::string& path) {
    // Loaded before anything shows: a picture that fails leaves the view closed.
    LoadedPicture picture = LoadPictureFile(path, 0, 0, Background());
    const int width = picture.width, height = picture.height;
    Image().SetPicture(std::move(picture));
    SetScrollRanges(width, height);
    ShowMaximised();
    ScrollToCorner();
}

void ActualSizeView::OpenBrowsing() {
    if (BrowsingView* view = browsing_ ? browsing_() : nullptr) view->Open();
}

void ActualSizeView::OnKey(int virtualKey) {
    // Esc only: the arrow keys neither browse nor scroll here.
    if (BrowseKeyFor(virtualKey) == BrowseKey::Leave) Leave();
}

void ActualSizeView::Leave() {
    Hide();
    Image().Clear();  // a large picture is not kept while nobody sees it
    if (PictureListHost* host = HostOf(links_)) host->ReturnFromActualSize();
}

BrowsingView::BrowsingView(ui::FormName name, FullScreenLinks links)
    : FullScreenForm(name, kBlack, nullptr, FullScreenView::Browsing, links.clock), links_(std::move(links)) {}

void BrowsingView::CreateControls() {
    placeholder_.Create(Hwnd(),
                        {.at = {0, 0, 1, 1}, .background = kBlack, .text = kNoPreviewText, .common = {.visible = false}});
    placeholder_.SetPicture(MakePlaceholderPicture());
    captionLine_.Create(Hwnd(), {.at = {2, 2, 1, 1},
                                 .text = "",
                                 .align = SS_LEFTNOWORDWRAP,
                                 .noPrefix = true,
                                 .common = {.visible = false}});
    // Over the picture: the placeholder, and the caption line above both.
    for (HWND top : {placeholder_.Hwnd(), captionLine_.Hwnd()})
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BrowsingView::OnLaidOut(int clientWidth, int clientHeight) {
    if (placeholder_.Hwnd()) MoveWindow(placeholder_.Hwnd(), 0, 0, clientWidth, clientHeight, TRUE);
}

void BrowsingView::Open() {
    if (!HostOf(links_)) return;
    ShowMaximised();
    Display();
}

void BrowsingView::OnShowing() {
    // Set afresh at every opening: the viewer's selection, the settings' mode.
    PictureListHost* host = HostOf(links_);
    index_ = host ? host->SelectedIndex() : 0;
    bestFit_ = links_.bestFit ? links_.bestFit() : true;
}

void BrowsingView::OnKey(int virtualKey) {
    switch (BrowseKeyFor(virtualKey)) {
        case BrowseKey::Leave: Leave(); return;
        case BrowseKey::None: return;
        case BrowseKey::Next:
        case BrowseKey::Previous: {
            PictureListHost* host = HostOf(links_);
            if (!host) return;
            // The list's length as it is now.
            index_ = StepBrowsingIndex(index_, host->PictureCount(), BrowseKeyFor(virtualKey) == BrowseKey::Next ? 1 : -1);
            Display();
            return;
        }
    }
}

void BrowsingView::OnImageClick() {
    bestFit_ = !bestFit_;
    Display();
}

void BrowsingView::SetCaption(const std::string& text) {
    // Sized to the text first (auto size), so the text is drawn whole in one line.
    const SIZE size = ui::TextSize96(nullptr, text.c_str());
    captionLine_.SetBounds({2, 2, static_cast<int>(size.cx), static_cast<int>(size.cy)});
    captionLine_.SetText(text);
    InvalidateRect(captionLine_.Hwnd(), nullptr, TRUE);
    UpdateWindow(captionLine_.Hwnd());  // the name shows while the picture loads
}

void BrowsingView::Display() {
    PictureListHost* host = HostOf(links_);
    const int count = host ? host->PictureCount() : 0;
    if (count <= 0) return;
    if (index_ < 0 || index_ >= count) index_ = 0;  // no selection: the first picture
    const std::string path = host->PicturePath(index_);
    const bool showName = links_.showFileName && links_.showFileName();
    if (showName) SetCaption(LoadingCaption(path));
    placeholder_.SetVisible(false);
    if (bestFit_) SetScrollRanges(0, 0);
    Image().SetVisible(false);
    Image().Clear();  // the previous picture is not kept beside the next one while it loads
    LoadedPicture picture;
    try {
        const SIZE screen = ScreenSize();
        picture = LoadPictureFile(path, bestFit_ ? screen.cx : 0, bestFit_ ? screen.cy : 0, Background());
    } catch (...) {
        // The rest is skipped. No scroll bars stay behind from the previous picture: the
        // placeholder is centred on the screen.
        SetScrollRanges(0, 0);
        try {
            throw;
        } catch (const AppError& error) {
            if (IsPictureErrorClass(error.ClassName())) placeholder_.SetVisible(true);
        } catch (...) {
        }
        ui::Application::Instance().HandleError(std::current_exception());
        return;
    }
    const int width = picture.width, height = picture.height;
    Image().SetPicture(std::move(picture));
    Image().SetVisible(true);
    SetCaption(PictureCaption(path, width, height));
    captionLine_.SetVisible(showName);
    if (!bestFit_) {
        SetScrollRanges(width, height);
        ScrollToCorner();
    }
}

void BrowsingView::Leave() {
    // The viewer first, then the view hidden after it.
    PictureListHost* host = HostOf(links_);
    if (host) host->ShowForReturn();
    Hide();
    Image().Clear();
    placeholder_.SetVisible(false);
    if (host) host->ReturnFromBrowsing(index_);
}

}  // namespace tikora
