#pragma once
// The factories of the two full-screen views for the window catalogue. The views find the picture
// viewer, the viewer settings and each other through the clock's window directory when they need
// them, so the order of creation does not bind them.
#include <memory>

#include "app/window_catalogue_win.h"

namespace tikora {

std::unique_ptr<ui::Form> MakeActualSizeView(const WindowEntry& entry, AppContext& app);
std::unique_ptr<ui::Form> MakeBrowsingView(const WindowEntry& entry, AppContext& app);

}  // namespace tikora
