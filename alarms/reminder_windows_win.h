#pragma once
// The reminder list and the reminder editor. The list window owns the live list (what the due
// check scans, applied or not), Reminder.ini and a one-second timer that runs from creation to
// the end, shown or hidden. The editor, shown modally by "New", appends one entry to the live list.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarms/reminder_file_win.h"
#include "alarms/reminders.h"
#include "core/services.h"
#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"
#include "ui/modal_win.h"

namespace tikora {

inline constexpr const char* kReminderCaption = " Tikora Reminder...";

class ReminderEditor;

// The system calls of the reminder list that tests stand in for; empty members are the real ones.
struct ReminderListSystem {
    // The store; null: Reminder.ini in the program folder.
    ReminderFile* file = nullptr;
    // Shows one due reminder; empty: a message box without owner, information icon, OK.
    std::function<void(const std::string& text)> showReminder;
};

class ReminderList final : public ui::Form {
public:
    ReminderList(ui::FormName name, SystemServices services, ReminderListSystem system = {});
    ~ReminderList() override;

    void SetEditor(ReminderEditor* editor) { editor_ = editor; }

    // The live list, in order.
    const std::vector<std::string>& Entries() const { return entries_; }
    void Append(const std::string& entry);

    // The due check that the timer runs every second.
    void CheckDue();

protected:
    void OnCreate() override;
    // The close box: the stored list comes back, then the window hides.
    void OnClose() override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Reload();
    void OnNew();
    void OnDelete();
    void OnClearAll();
    void OnApply();
    void OnCancel();

    SystemServices services_;
    ReminderListSystem system_;
    std::unique_ptr<ReminderFile> ownFile_;
    ReminderEditor* editor_ = nullptr;
    ReminderDueCheck dueCheck_;
    std::vector<std::string> entries_;
    ui::UniqueIcon icon_;

    ui::ListBox list_;
    ui::PushButton newButton_;
    ui::PushButton deleteButton_;
    ui::PushButton clearButton_;
    ui::PushButton applyButton_;
    ui::PushButton cancelButton_;
};

class ReminderEditor final : public ui::Form {
public:
    explicit ReminderEditor(ui::FormName name);
    ~ReminderEditor() override;

    // Where "OK" puts the entry it builds.
    void SetTarget(std::function<void(const std::string& entry)> append) { append_ = std::move(append); }
    // Empties the memo and sets the time picker, then the date picker, to `now`.
    void Prepare(const DateTime& now);
    // Shows the editor modally until "OK", "Cancel", Esc or the close box.
    void RunModal();
    bool Running() const { return modal_.Running(); }

    void Confirm();

protected:
    void OnCreate() override;
    void OnClose() override;
    void OnCommand(int id, int code, HWND control) override;

private:
    std::function<void(const std::string&)> append_;
    ui::ModalRun modal_;
    ui::UniqueIcon icon_;
    ui::UniqueFont boldFont_;

    ui::Label dateLabel_;
    ui::DateTimePicker datePicker_;
    ui::Label timeLabel_;
    ui::DateTimePicker timePicker_;
    ui::Label messageLabel_;
    ui::Memo memo_;
    ui::PushButton okButton_;
    ui::PushButton cancelButton_;
};

}  // namespace tikora
