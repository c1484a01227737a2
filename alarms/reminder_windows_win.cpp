// The reminder list's layout, buttons and timer; the reminder editor's layout and "OK".
#include "alarms/reminder_windows_win.h"

#include "alarms/alarm_pictures.h"
#include "alarms/reminder_store.h"
#include "core/system_win.h"
#include "ui/bitmap_win.h"
#include "ui/font_win.h"

namespace tikora {

namespace {

constexpr UINT_PTR kDueTimer = 1;
constexpr UINT kDueInterval = 1000;  // ms
constexpr int kListExtent = 10000;   // pixels a long entry can be scrolled across

void SetIcon(HWND window, HICON icon) {
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

ReminderList::ReminderList(ui::FormName name, SystemServices services, ReminderListSystem system)
    : ui::Form(ui::NamedFormSpec(name, ui::BorderStyle::Single, 460, 324)),
      services_(services),
      system_(std::move(system)),
      icon_(ui::MakeIcon(NotePicture(), kAlarmIconBackground)) {
    if (!system_.file) {
        ownFile_ = std::make_unique<ReminderFile>(ProgramFolder() + "\\" + std::string(kReminderFileName));
        system_.file = ownFile_.get();
    }
    if (!system_.showReminder)
        system_.showReminder = [](const std::string& text) {
            MessageBoxA(nullptr, text.c_str(), kReminderCaption, MB_OK | MB_ICONINFORMATION);
        };
}

ReminderList::~ReminderList() { Destroy(); }

void ReminderList::OnCreate() {
    SetIcon(Hwnd(), icon_.get());
    HWND form = Hwnd();
    list_.Create(form, {.at = {10, 10, 347, 300}, .horizontalExtent = kListExtent});
    newButton_.Create(form, {.at = {366, 10, 85, 25}, .text = "New"});
    deleteButton_.Create(form, {.at = {366, 42, 85, 25}, .text = "Delete"});
    clearButton_.Create(form, {.at = {366, 74, 85, 25}, .text = "Clear all"});
    applyButton_.Create(form, {.at = {366, 253, 85, 25}, .text = "Apply"});
    cancelButton_.Create(form, {.at = {366, 285, 85, 25}, .text = "Cancel"});
    newButton_.onClick = [this] { OnNew(); };
    deleteButton_.onClick = [this] { OnDelete(); };
    clearButton_.onClick = [this] { OnClearAll(); };
    applyButton_.onClick = [this] { OnApply(); };
    cancelButton_.onClick = [this] { OnCancel(); };

    Reload();
    SetTimer(Hwnd(), kDueTimer, kDueInterval, nullptr);
}

LRESULT ReminderList::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kDueTimer) {
        CheckDue();
        return 0;
    }
    if (message == WM_DESTROY) KillTimer(Hwnd(), kDueTimer);
    return ui::Form::OnMessage(message, wParam, lParam);
}

void ReminderList::CheckDue() {
    // The message box runs its own loop and the next tick may come inside it: the queue has
    // already given up this entry, so that tick shows the next one.
    if (std::optional<std::string> due = dueCheck_.Tick(entries_, services_.time.Now())) system_.showReminder(*due);
}

void ReminderList::Append(const std::string& entry) {
    entries_.push_back(entry);
    list_.AddItem(entry);
}

void ReminderList::Reload() {
    entries_ = system_.file->Load();
    list_.Clear();
    for (const std::string& entry : entries_) list_.AddItem(entry);
}

void ReminderList::OnNew() {
    if (!editor_) return;
    editor_->Prepare(services_.time.Now());
    editor_->RunModal();
}

void ReminderList::OnDelete() {
    const int selected = list_.SelectedIndex();
    if (selected < 0 || selected >= static_cast<int>(entries_.size())) return;
    entries_.erase(entries_.begin() + selected);
    list_.DeleteItem(selected);
}

void ReminderList::OnClearAll() {
    entries_.clear();
    list_.Clear();
}

void ReminderList::OnApply() {
    // A store that cannot be written keeps the window open with the list unapplied.
    system_.file->Save(entries_);
    Hide();
}

void ReminderList::OnCancel() {
    Reload();
    Hide();
}

void ReminderList::OnClose() { OnCancel(); }

void ReminderList::OnCommand(int id, int, HWND) {
    // Esc does what the close box does.
    if (id == IDCANCEL) OnClose();
}

ReminderEditor::ReminderEditor(ui::FormName name)
    : ui::Form(ui::NamedFormSpec(name, ui::BorderStyle::Dialog, 336, 275)),
      icon_(ui::MakeIcon(NotePicture(), kAlarmIconBackground)),
      boldFont_(ui::MakeDialogFont(ui::FontBase::Designer, FW_BOLD)) {}

ReminderEditor::~ReminderEditor() { Destroy(); }

void ReminderEditor::OnCreate() {
    SetIcon(Hwnd(), icon_.get());
    HWND form = Hwnd();
    const ui::CommonArgs bold{.font = boldFont_.get()};
    dateLabel_.Create(form, {.at = {10, 10, 36, 13}, .text = "Date:", .common = bold});
    datePicker_.Create(form, {.at = {50, 7, 88, 21}, .kind = ui::DateTimePicker::Kind::Date, .format = "dd.MM.yyyy"});
    timeLabel_.Create(form, {.at = {150, 10, 36, 13}, .text = "Time:", .common = bold});
    timePicker_.Create(form, {.at = {190, 7, 65, 21}, .kind = ui::DateTimePicker::Kind::Time, .format = "HH:mm"});
    messageLabel_.Create(form, {.at = {10, 40, 140, 13}, .text = "Display the message:", .common = bold});
    memo_.Create(form, {.at = {10, 60, 316, 166}, .wordWrap = true});
    okButton_.Create(form, {.at = {179, 239, 70, 25}, .text = "OK"});
    cancelButton_.Create(form, {.at = {257, 239, 70, 25}, .text = "Cancel"});
    okButton_.onClick = [this] { Confirm(); };
    cancelButton_.onClick = [this] { modal_.End(IDCANCEL); };
}

void ReminderEditor::Prepare(const DateTime& now) {
    memo_.SetText("");
    timePicker_.SetValue(now);
    datePicker_.SetValue(now);
}

void ReminderEditor::RunModal() {
    SetFocusControl(datePicker_.Hwnd());  // the first in the keyboard order
    modal_.Run(Hwnd());
}

void ReminderEditor::Confirm() {
    const std::string entry = BuildReminderEntry(datePicker_.Value(), timePicker_.Value(), memo_.Text());
    if (append_) append_(entry);
    modal_.End(IDOK);
}

void ReminderEditor::OnClose() {
    if (modal_.Running()) modal_.End(IDCANCEL);
    else Hide();
}

void ReminderEditor::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) OnClose();
}

}  // namespace tikora
