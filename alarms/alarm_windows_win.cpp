// Factories of the alarm windows for the window catalogue.
#include "alarms/alarm_windows_win.h"

#include "alarms/alarm_dialogs_win.h"
#include "alarms/reminder_windows_win.h"
#include "clock/clock_window_win.h"

namespace tikora {

std::unique_ptr<ui::Form> MakeShutdownDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<ShutdownDialog>(ui::FormName{entry.className, entry.caption});
    dialog->CreateForm();
    app.clock.SetShutdownControls(dialog.get());  // the tick fires the timer from its controls
    return dialog;
}

std::unique_ptr<ui::Form> MakeAlarmDialog(const WindowEntry& entry, AppContext& app) {
    auto dialog = std::make_unique<AlarmDialog>(ui::FormName{entry.className, entry.caption}, app.services);
    dialog->CreateForm();
    app.clock.SetAlarmControls(dialog.get());  // the tick fires the alarm from its controls
    return dialog;
}

std::unique_ptr<ui::Form> MakeReminderList(const WindowEntry& entry, AppContext& app) {
    auto list = std::make_unique<ReminderList>(ui::FormName{entry.className, entry.caption}, app.services);
    list->CreateForm();
    return list;
}

std::unique_ptr<ui::Form> MakeReminderEditor(const WindowEntry& entry, AppContext& app) {
    auto editor = std::make_unique<ReminderEditor>(ui::FormName{entry.className, entry.caption});
    editor->CreateForm();
    if (auto* list = dynamic_cast<ReminderList*>(app.clock.WindowFor(WindowId::ReminderList))) {
        list->SetEditor(editor.get());
        editor->SetTarget([list](const std::string& entry) { list->Append(entry); });
    }
    return editor;
}

}  // namespace tikora
