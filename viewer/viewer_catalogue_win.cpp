// Making the picture viewer and its progress dialog in catalogue order and joining them.
#include "viewer/viewer_catalogue_win.h"

#include "clock/clock_window_win.h"
#include "search/progress_dialog_win.h"
#include "ui/application_win.h"
#include "viewer/picture_viewer_win.h"

namespace tikora {

namespace {

// The one picture viewer of the run, for the dialog made after it.
PictureViewer* pictureViewer = nullptr;

}  // namespace

std::unique_ptr<ui::Form> MakePictureViewer(const WindowEntry& entry, AppContext& app) {
    ClockWindow& clock = app.clock;
    PictureViewerSystem system;
    system.windows = [&clock](WindowId id) { return clock.WindowFor(id); };
    system.clock = clock.Hwnd();
    auto viewer = std::make_unique<PictureViewer>(ui::FormName{entry.className, entry.caption}, app.services,
                                                  std::move(system));
    viewer->CreateForm();
    pictureViewer = viewer.get();
    return viewer;
}

std::unique_ptr<ui::Form> MakeViewerProgressDialog(const WindowEntry& entry, AppContext&) {
    auto dialog = std::make_unique<ProgressDialog>(ui::FormName{entry.className, entry.caption},
                                                   ProgressDialog::Layout{.folderCounterLeft = 116, .fileCounterLeft = 105});
    dialog->CreateForm();
    if (PictureViewer* viewer = pictureViewer) {
        viewer->SetProgressDialog(dialog.get());
        ui::Application& application = ui::Application::Instance();
        application.SetPictureErrorHook([viewer, before = application.PictureErrorHook()] {
            if (before) before();
            viewer->RevealPlaceholder();
        });
    }
    return dialog;
}

}  // namespace tikora
