#include "app/window_catalogue_win.h"

#include "clock/clock_window_win.h"
#include "search/search_catalogue_win.h"
#include "settings/settings_dialog_win.h"

namespace tikora {

namespace {

// A window whose own feature is not built yet: the right class, caption, border and size.
template <ui::BorderStyle border, int width, int height, bool outerSize = false>
std::unique_ptr<ui::Form> Placeholder(const WindowEntry& entry, AppContext&) {
    auto form = std::make_unique<ui::Form>(ui::FormSpec{.className = entry.className,
                                                        .caption = entry.caption,
                                                        .border = border,
                                                        .clientWidth = width,
                                                        .clientHeight = height,
                                                        .outerSize = outerSize});
    form->CreateForm();
    return form;
}

// The full-screen views: no title bar, the size of the screen.
std::unique_ptr<ui::Form> FullScreenPlaceholder(const WindowEntry& entry, AppContext&) {
    auto form = std::make_unique<ui::Form>(ui::FormSpec{.className = entry.className,
                                                        .caption = entry.caption,
                                                        .border = ui::BorderStyle::None,
                                                        .clientWidth = GetSystemMetrics(SM_CXSCREEN),
                                                        .clientHeight = GetSystemMetrics(SM_CYSCREEN),
                                                        .outerSize = true,
                                                        .dialogKeys = false});
    form->CreateForm();
    return form;
}

std::unique_ptr<ui::Form> MakeSettingsDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<SettingsDialog>(ui::FormName{entry.className, entry.caption}, app.clock, app.services);
    dialog->CreateForm();
    app.clock.SetChimeSource(dialog.get());  // the tick chimes the file of the dialog's chime box
    return dialog;
}

using B = ui::BorderStyle;

}  // namespace

const std::array<WindowEntry, kWindowCount> kWindowCatalogue{{
    {WindowId::Clock, "TForm1", " Clock", "ClockWindow", nullptr},
    {WindowId::SearchFiles, "TForm3", " Search files", "SearchWindow", MakeSearchWindow},
    {WindowId::About, "TForm8", " About...", "AboutDialog", Placeholder<B::Dialog, 262, 219>},
    {WindowId::SkinChooser, "TForm4", " Change skin", "SkinChooser", Placeholder<B::Dialog, 299, 102>},
    {WindowId::Calendar, "TForm5", " Calendar", "CalendarDialog", Placeholder<B::Dialog, 260, 242>},
    {WindowId::SearchCopy, "TForm6", "Copy files ", "SearchCopyDialog", MakeSearchCopyDialog},
    {WindowId::ShutdownTimer, "TForm7", "Timer (turn off)", "ShutdownTimerDialog", Placeholder<B::Single, 263, 93>},
    {WindowId::PictureViewer, "TForm9", " Picture viewer", "PictureViewer", Placeholder<B::Sizeable, 664, 435, true>},
    {WindowId::AlarmClock, "TForm12", "Alarm clock", "AlarmDialog", Placeholder<B::Single, 272, 126>},
    {WindowId::Settings, "TForm2", "Tikora: Settings", "SettingsDialog", MakeSettingsDialog},
    {WindowId::SearchProgress, "TForm13", " Searching...", "SearchProgressDialog", MakeSearchProgressDialog},
    {WindowId::ActualSizeView, "TForm10", "", "ActualSizeView", FullScreenPlaceholder},
    {WindowId::BrowsingView, "TForm11", "", "BrowsingView", FullScreenPlaceholder},
    {WindowId::ViewerSettings, "TForm14", " Settings", "ViewerSettingsDialog", Placeholder<B::DialogNoMenu, 186, 223>},
    {WindowId::ViewerCopy, "TForm15", " Copy files", "ViewerCopyDialog", MakeViewerCopyDialog},
    {WindowId::ViewerProgress, "TForm16", " Searching...", "ViewerProgressDialog", Placeholder<B::Dialog, 219, 98>},
    {WindowId::HotKeys, "TForm17", " Hot Keys", "HotKeysDialog", Placeholder<B::DialogNoMenu, 194, 124>},
    {WindowId::ReminderList, "TForm18", "Reminder", "ReminderList", Placeholder<B::Single, 460, 324>},
    {WindowId::ReminderEditor, "TForm19", " Message", "ReminderEditor", Placeholder<B::Dialog, 336, 275>},
    {WindowId::TagEditor, "TForm21", "MP3 tag editor ( ID3v1 )", "TagEditor", Placeholder<B::Single, 514, 376>},
    {WindowId::Information, "TForm20", " Information", "InformationDialog", Placeholder<B::Dialog, 191, 266>},
}};

const WindowEntry& CatalogueEntry(WindowId id) {
    for (const WindowEntry& entry : kWindowCatalogue)
        if (entry.id == id) return entry;
    return kWindowCatalogue.front();
}

}  // namespace tikora
