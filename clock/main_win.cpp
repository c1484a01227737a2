// Program entry: the application title, the 21 windows in their fixed order, the message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string_view>
#include <vector>

#include "calculator/calc_dialog_win.h"
#include "clock/clock_window_win.h"
#include "clock/window_catalogue.h"
#include "core/system_win.h"
#include "settings/settings_dialog_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"

using namespace tikora;

namespace {

constexpr const char* kApplicationTitle = "Tikora 1.5-e";

ui::BorderStyle BorderOf(Border border) {
    switch (border) {
        case Border::None:
        case Border::FullScreen: return ui::BorderStyle::None;
        case Border::Single: return ui::BorderStyle::Single;
        case Border::Dialog: return ui::BorderStyle::Dialog;
        case Border::DialogNoMenu: return ui::BorderStyle::DialogNoMenu;
        case Border::Sizeable: return ui::BorderStyle::Sizeable;
    }
    return ui::BorderStyle::Single;
}

// A window whose own feature is not built yet: the right class, caption and size, shown and hidden.
std::unique_ptr<ui::Form> MakePlainForm(const WindowEntry& entry) {
    ui::FormSpec spec;
    spec.className = entry.className;
    spec.caption = entry.caption;
    spec.border = BorderOf(entry.border);
    spec.clientWidth = entry.width;
    spec.clientHeight = entry.height;
    spec.outerSize = entry.outerSize;
    if (entry.border == Border::FullScreen) {
        spec.clientWidth = GetSystemMetrics(SM_CXSCREEN);
        spec.clientHeight = GetSystemMetrics(SM_CYSCREEN);
        spec.outerSize = true;
        spec.dialogKeys = false;
    }
    auto form = std::make_unique<ui::Form>(spec);
    form->CreateForm();
    return form;
}

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
    IniFile settings(ProgramFolder() + "\\MyIni.ini");

    ClockWindow clock(ClockServices{time, sound, shell, power, files, settings});
    // The calculator component lives for the whole run; each use builds and ends its own dialog.
    Calculator calculator;
    clock.SetCalculatorRunner([&calculator] { RunCalculator(calculator); });
    std::vector<std::unique_ptr<ui::Form>> forms;
    int code = 0;
    try {
        clock.CreateForm();
        clock.Initialize();
        for (size_t i = 1; i < kWindowCatalogue.size(); ++i) {
            if (std::string_view(kWindowCatalogue[i].className) == "TForm2") {
                auto dialog = std::make_unique<SettingsDialog>(clock, ClockServices{time, sound, shell, power, files, settings});
                dialog->CreateForm();
                clock.SetChimeSource(dialog.get());
                forms.push_back(std::move(dialog));
            } else {
                forms.push_back(MakePlainForm(kWindowCatalogue[i]));
            }
            clock.AttachForm(*forms.back());
        }
        code = app.Run([&] { clock.ShowAtStart(); });
    } catch (...) {
        app.HandleError(std::current_exception());
    }

    for (auto it = forms.rbegin(); it != forms.rend(); ++it) (*it)->Destroy();
    clock.Destroy();
    return code;
}
