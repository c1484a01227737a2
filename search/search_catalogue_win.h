#pragma once
// The factories of the file search's windows for the window catalogue: the search window, its
// progress dialog and copy dialog, and the picture viewer's copy dialog. The dialogs are made
// after the search window and plug into it as they come.
#include <memory>

#include "app/window_catalogue_win.h"

namespace tikora {

std::unique_ptr<ui::Form> MakeSearchWindow(const WindowEntry& entry, AppContext& app);
std::unique_ptr<ui::Form> MakeSearchCopyDialog(const WindowEntry& entry, AppContext& app);
std::unique_ptr<ui::Form> MakeSearchProgressDialog(const WindowEntry& entry, AppContext& app);
// The picture viewer plugs in as its owner once it exists.
std::unique_ptr<ui::Form> MakeViewerCopyDialog(const WindowEntry& entry, AppContext& app);

}  // namespace tikora
