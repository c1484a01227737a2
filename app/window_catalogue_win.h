#pragma once
// Every window of the program in the order it is created at start: identifier, window class
// name, caption and factory. A new window is its own folder plus one entry here; the tray menu
// reaches windows through their identifiers.
#include <array>
#include <memory>

#include "core/services.h"
#include "core/window_id.h"
#include "ui/form_win.h"

namespace tikora {

class ClockWindow;

// What the factories may hand to the windows they make.
struct AppContext {
    SystemServices services;
    ClockWindow& clock;
};

struct WindowEntry;
using FormFactory = std::unique_ptr<ui::Form> (*)(const WindowEntry& entry, AppContext& app);

struct WindowEntry {
    WindowId id;
    const char* className;
    const char* caption;
    const char* typeName;  // the C++ type that implements it
    FormFactory make;      // null for the clock window, which the program entry makes first
};

extern const std::array<WindowEntry, kWindowCount> kWindowCatalogue;

const WindowEntry& CatalogueEntry(WindowId id);

}  // namespace tikora
