#include "app/window_catalogue_win.h"

#include "alarms/alarm_windows_win.h"
#include "calendar/calendar_dialog_win.h"
#include "clock/clock_window_win.h"
#include "search/search_catalogue_win.h"
#include "settings/settings_dialog_win.h"
#include "settings/skin_and_info_dialogs_win.h"
#include "tags/tag_editor_win.h"
#include "viewer/full_screen_catalogue_win.h"
#include "viewer/viewer_catalogue_win.h"
#include "viewer/viewer_settings_win.h"

namespace tikora {

namespace {

std::unique_ptr<ui::Form> MakeSettingsDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<SettingsDialog>(ui::FormName{entry.className, entry.caption}, app.clock, app.services);
    dialog->CreateForm();
    app.clock.SetChimeSource(dialog.get());  // the tick chimes the file of the dialog's chime box
    return dialog;
}

std::unique_ptr<ui::Form> MakeCalendarDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<CalendarDialog>(ui::FormName{entry.className, entry.caption}, app.services.time);
    dialog->CreateForm();
    return dialog;
}

std::unique_ptr<ui::Form> MakeViewerSettingsDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<ViewerSettingsDialog>(ui::FormName{entry.className, entry.caption}, app.services.settings);
    dialog->CreateForm();
    return dialog;
}

std::unique_ptr<ui::Form> MakeTagEditor(const WindowEntry& entry, AppContext&) {
    auto editor = std::make_unique<TagEditor>(ui::FormName{entry.className, entry.caption});
    editor->CreateForm();
    return editor;
}

std::unique_ptr<ui::Form> MakeSkinChooser(const WindowEntry& entry, AppContext& app) {
    auto form = std::make_unique<SkinChooser>(ui::FormName{entry.className, entry.caption}, app.clock, app.services.settings);
    form->CreateForm();
    return form;
}

std::unique_ptr<ui::Form> MakeHotKeysDialog(const WindowEntry& entry, AppContext& app) {
    auto form = std::make_unique<HotKeysDialog>(ui::FormName{entry.className, entry.caption}, app.clock, app.clock,
                                                app.services.settings);
    form->CreateForm();
    return form;
}

std::unique_ptr<ui::Form> MakeAboutDialog(const WindowEntry& entry, AppContext& app) {
    auto form = std::make_unique<AboutDialog>(ui::FormName{entry.className, entry.caption}, app.services.shell);
    form->CreateForm();
    return form;
}

std::unique_ptr<ui::Form> MakeInformationDialog(const WindowEntry& entry, AppContext&) {
    auto form = std::make_unique<InformationDialog>(ui::FormName{entry.className, entry.caption});
    form->CreateForm();
    return form;
}

}  // namespace

const std::array<WindowEntry, kWindowCount> kWindowCatalogue{{
    {WindowId::Clock, "TForm1", " Clock", "ClockWindow", nullptr},
    {WindowId::SearchFiles, "TForm3", " Search files", "SearchWindow", MakeSearchWindow},
    {WindowId::About, "TForm8", " About...", "AboutDialog", MakeAboutDialog},
    {WindowId::SkinChooser, "TForm4", " Change skin", "SkinChooser", MakeSkinChooser},
    {WindowId::Calendar, "TForm5", " Calendar", "CalendarDialog", MakeCalendarDialog},
    {WindowId::SearchCopy, "TForm6", "Copy files ", "CopyDialog", MakeSearchCopyDialog},
    {WindowId::ShutdownTimer, "TForm7", "Timer (turn off)", "ShutdownDialog", MakeShutdownDialog},
    {WindowId::PictureViewer, "TForm9", " Picture viewer", "PictureViewer", MakePictureViewer},
    {WindowId::AlarmClock, "TForm12", "Alarm clock", "AlarmDialog", MakeAlarmDialog},
    {WindowId::Settings, "TForm2", "Tikora: Settings", "SettingsDialog", MakeSettingsDialog},
    {WindowId::SearchProgress, "TForm13", " Searching...", "ProgressDialog", MakeSearchProgressDialog},
    {WindowId::ActualSizeView, "TForm10", "", "ActualSizeView", MakeActualSizeView},
    {WindowId::BrowsingView, "TForm11", "", "BrowsingView", MakeBrowsingView},
    {WindowId::ViewerSettings, "TForm14", " Settings", "ViewerSettingsDialog", MakeViewerSettingsDialog},
    {WindowId::ViewerCopy, "TForm15", " Copy files", "CopyDialog", MakeViewerCopyDialog},
    {WindowId::ViewerProgress, "TForm16", " Searching...", "ProgressDialog", MakeViewerProgressDialog},
    {WindowId::HotKeys, "TForm17", " Hot Keys", "HotKeysDialog", MakeHotKeysDialog},
    {WindowId::ReminderList, "TForm18", "Reminder", "ReminderList", MakeReminderList},
    {WindowId::ReminderEditor, "TForm19", " Message", "ReminderEditor", MakeReminderEditor},
    {WindowId::TagEditor, "TForm21", "MP3 tag editor ( ID3v1 )", "TagEditor", MakeTagEditor},
    {WindowId::Information, "TForm20", " Information", "InformationDialog", MakeInformationDialog},
}};

const WindowEntry& CatalogueEntry(WindowId id) {
    for (const WindowEntry& entry : kWindowCatalogue)
        if (entry.id == id) return entry;
    return kWindowCatalogue.front();
}

}  // namespace tikora
