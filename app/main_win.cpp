// Program entry: the application title, the windows of the catalogue in their fixed order with
// the clock first, and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "app/window_catalogue_win.h"
#include "calculator/calc_dialog_win.h"
#include "clock/clock_window_win.h"
#include "core/system_win.h"
#include "ui/application_win.h"

using namespace tikora;

namespace {

constexpr const char* kApplicationTitle = "Tikora 1.5-e";

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    LoadLocaleFormatSettings();

    ui::Application& app = ui::Application::Instance();
    app.Initialize(kApplicationTitle);

    SystemTimeSource time;
    SystemSoundPlayer sound;
    SystemShell shell(app.Handle());
    SystemPower power;
    SystemFileSystem files;
    IniFile settings(ProgramFolder() + "\\" + std::string(kSettingsFileName));
    const SystemServices services{time, sound, shell, power, files, settings};

    const WindowEntry& clockEntry = CatalogueEntry(WindowId::Clock);
    ClockWindow clock({clockEntry.className, clockEntry.caption}, services);
    // The calculator component lives for the whole run; each use builds and ends its own dialog.
    Calculator calculator;
    clock.SetCalculatorRunner([&calculator] { RunCalculator(calculator); });

    AppContext context{services, clock};
    std::vector<std::unique_ptr<ui::Form>> windows(kWindowCount);
    clock.SetWindowDirectory([&windows](WindowId id) { return windows[static_cast<size_t>(id)].get(); });
    int code = 0;
    try {
        clock.CreateForm();
        clock.Initialize();
        for (const WindowEntry& entry : kWindowCatalogue)
            if (entry.make) windows[static_cast<size_t>(entry.id)] = entry.make(entry, context);
        code = app.Run([&] { clock.ShowAtStart(); });
    } catch (...) {
        app.HandleError(std::current_exception());
    }

    // Destroyed in the reverse order of creation, the clock last.
    for (auto it = kWindowCatalogue.rbegin(); it != kWindowCatalogue.rend(); ++it)
        if (auto& window = windows[static_cast<size_t>(it->id)]) window->Destroy();
    clock.Destroy();
    return code;
}
