#pragma once
// The window catalogue's factories for the alarm dialog, the shutdown timer and the reminder
// windows: each makes its window and plugs it into the clock where the clock reads it.
#include <memory>

#include "app/window_catalogue_win.h"

namespace tikora {

std::unique_ptr<ui::Form> MakeShutdownDialog(const WindowEntry& entry, AppContext& app);
std::unique_ptr<ui::Form> MakeAlarmDialog(const WindowEntry& entry, AppContext& app);
std::unique_ptr<ui::Form> MakeReminderList(const WindowEntry& entry, AppContext& app);
// Made after the reminder list, which it finds through the clock's window directory.
std::unique_ptr<ui::Form> MakeReminderEditor(const WindowEntry& entry, AppContext& app);

}  // namespace tikora
