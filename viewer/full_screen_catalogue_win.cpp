// The full-screen views wired to the clock window, the picture viewer and the viewer settings.
#include "viewer/full_screen_catalogue_win.h"

#include "clock/clock_window_win.h"
#include "viewer/full_screen_views_win.h"
#include "viewer/viewer_settings_win.h"

namespace tikora {

namespace {

class ClockWindowHiding final : public FullScreenClock {
public:
    explicit ClockWindowHiding(ClockWindow& clock) : clock_(clock) {}
    void ViewOpened(FullScreenView view) override { clock_.FullScreenViewOpened(view); }
    void ViewClosed(FullScreenView view) override { clock_.FullScreenViewClosed(view); }

private:
    ClockWindow& clock_;
};

FullScreenLinks LinksFor(ClockWindow& clock) {
    const auto settings = [&clock] { return dynamic_cast<ViewerSettingsDialog*>(clock.WindowFor(WindowId::ViewerSettings)); };
    FullScreenLinks links;
    links.host = [&clock] { return dynamic_cast<PictureListHost*>(clock.WindowFor(WindowId::PictureViewer)); };
    // Without the settings dialog: its defaults.
    links.bestFit = [settings] { return settings() ? settings()->BestFit() : true; };
    links.showFileName = [settings] { return settings() ? settings()->ShowFileName() : false; };
    links.clock = std::make_shared<ClockWindowHiding>(clock);
    return links;
}

}  // namespace

std::unique_ptr<ui::Form> MakeActualSizeView(const WindowEntry& entry, AppContext& app) {
    auto browsing = [&clock = app.clock] { return dynamic_cast<BrowsingView*>(clock.WindowFor(WindowId::BrowsingView)); };
    auto view = std::make_unique<ActualSizeView>(ui::FormName{entry.className, entry.caption}, LinksFor(app.clock), browsing);
    view->CreateForm();
    return view;
}

std::unique_ptr<ui::Form> MakeBrowsingView(const WindowEntry& entry, AppContext& app) {
    auto view = std::make_unique<BrowsingView>(ui::FormName{entry.className, entry.caption}, LinksFor(app.clock));
    view->CreateForm();
    return view;
}

}  // namespace tikora
