#pragma once
// The factories of the picture viewer and its twin progress dialog for the window catalogue.
#include <memory>

#include "app/window_catalogue_win.h"

namespace tikora {

std::unique_ptr<ui::Form> MakePictureViewer(const WindowEntry& entry, AppContext& app);
// Plugs into the viewer made before it; made after the full-screen views, it also joins the
// viewer's placeholder to the error handler's picture path, keeping whatever the views put there.
std::unique_ptr<ui::Form> MakeViewerProgressDialog(const WindowEntry& entry, AppContext& app);

}  // namespace tikora
