// The reminder list and editor in-process over a Reminder.ini of their own: the bytes "Apply"
// leaves, a save cut short, "Clear all" undone by "Cancel" and the close box, "New" through the
// editor, and the timer's due check.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "alarms/reminder_store.h"
#include "alarms/reminder_windows_win.h"
#include "core/errors.h"
#include "core/system_win.h"
#include "support/fakes.h"
#include "ui/dpi_win.h"
#include "win/support/form_probe.h"
#include "win/support/test_app.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

const std::string kBreak = "\x85\x85";

// Passes writes on to the store's text until `writesLeft` runs out, then fails as a full disk
// or a power cut in the middle of "Apply" would.
class FailingStore final : public SettingsStore {
public:
    FailingStore(SettingsStore& text, int writesLeft) : text_(text), writesLeft_(writesLeft) {}
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override {
        return text_.ReadString(section, key, def);
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        if (writesLeft_-- <= 0) throw AppError("disk full");
        text_.WriteString(section, key, value);
    }

private:
    SettingsStore& text_;
    int writesLeft_;
};

class ReminderWindowsTest : public ::testing::Test {
public:  // the editor's timer procedure below reaches the windows
    ReminderWindowsTest() : fakes(8, 14, 0) {
        EnsureApplication();
        fakes.time.current = DateTime{2006, 3, 5, 8, 14, 0, 0};
    }
    void Make(ReminderFile::StoreWrapper wrapper = {}) {
        file = std::make_unique<ReminderFile>(folder.File("Reminder.ini"), std::move(wrapper));
        list = std::make_unique<ReminderList>(
            ui::FormName{"TForm18", "Reminder"}, fakes.Services(),
            ReminderListSystem{file.get(), [this](const std::string& text) { shown.push_back(text); }});
        list->CreateForm();
        editor = std::make_unique<ReminderEditor>(ui::FormName{"TForm19", " Message"});
        editor->CreateForm();
        list->SetEditor(editor.get());
        editor->SetTarget([this](const std::string& entry) { list->Append(entry); });
    }
    void Click(const char* caption) {
        HWND button = FindWindowExA(list->Hwnd(), nullptr, "Button", caption);
        ASSERT_TRUE(button) << caption;
        SendMessageA(button, BM_CLICK, 0, 0);
    }
    std::string Stored() { return folder.Read("Reminder.ini"); }
    HWND ListBox() { return FindWindowExA(list->Hwnd(), nullptr, "ListBox", nullptr); }
    int ListCount() { return static_cast<int>(SendMessageA(ListBox(), LB_GETCOUNT, 0, 0)); }

    TempFolder folder;
    FakeServices fakes;
    std::vector<std::string> shown;
    std::unique_ptr<ReminderFile> file;
    std::unique_ptr<ReminderList> list;
    std::unique_ptr<ReminderEditor> editor;
};

TEST_F(ReminderWindowsTest, ApplyStoresTheListInTheProfileFormatWithTheOldKeysBlanked) {
    folder.Write("Reminder.ini", "[Other]\r\nkept=yes\r\n[Reminder]\r\ncount=3\r\n0=a\r\n1=b\r\n2=c\r\n");
    Make();
    EXPECT_EQ(list->Entries(), (std::vector<std::string>{"a", "b", "c"}));
    const std::string longMessage(5000, 'x');  // longer than one profile read of 2047 characters
    Click("Clear all");
    list->Append("05.03.2006_08:15  Party" + kBreak + "Bring the cake");
    list->Append("31.12.2006_23:59  " + longMessage);
    Click("Apply");
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Stored(), "[Other]\r\nkept=yes\r\n[Reminder]\r\ncount=2\r\n0=05.03.2006_08:15  Party" + kBreak +
                            "Bring the cake\r\n1=31.12.2006_23:59  " + longMessage + "\r\n2=\r\n");
    EXPECT_EQ(GetFileAttributesA(file->TemporaryPath().c_str()), INVALID_FILE_ATTRIBUTES);

    ReminderFile again(folder.File("Reminder.ini"));
    EXPECT_EQ(again.Load(), list->Entries());  // read back whole
}

TEST_F(ReminderWindowsTest, AHandEditedHugeCountLoadsTheKeysThatExist) {
    folder.Write("Reminder.ini", "[Reminder]\r\ncount=2147483647\r\n0=a\r\n7=b\r\n");
    Make();
    ASSERT_EQ(list->Entries().size(), static_cast<size_t>(kMaxEmptyReminders) + 2);
    EXPECT_EQ(list->Entries()[0], "a");
    EXPECT_EQ(list->Entries()[7], "b");
}

TEST_F(ReminderWindowsTest, ApplyOnAMissingStoreCreatesIt) {
    Make();
    EXPECT_TRUE(list->Entries().empty());
    list->Append("05.03.2006_08:15  a");
    Click("Apply");
    EXPECT_EQ(Stored(), "[Reminder]\r\ncount=1\r\n0=05.03.2006_08:15  a\r\n");
}

TEST_F(ReminderWindowsTest, AnApplyCutShortLeavesTheOldFileWholeAndTheWindowOpen) {
    const std::string old = "[Reminder]\r\ncount=2\r\n0=05.03.2006_08:15  one\r\n1=05.03.2006_08:16  two\r\n";
    for (int writesLeft : {0, 1, 2, 3}) {
        folder.Write("Reminder.ini", old);
        Make([writesLeft](SettingsStore& text) { return std::make_unique<FailingStore>(text, writesLeft); });
        list->Show();
        ASSERT_TRUE(WaitFor([&] { return list->Visible(); }));
        Click("Clear all");
        list->Append("05.03.2006_09:00  new");
        TakeErrorBoxes();
        Click("Apply");
        EXPECT_EQ(Stored(), old) << writesLeft;
        EXPECT_TRUE(list->Visible()) << writesLeft;
        EXPECT_EQ(list->Entries().size(), 1u);
        const std::vector<std::string> errors = TakeErrorBoxes();
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0], "Unable to write to " + folder.File("Reminder.ini") + ".");  // the handler ends it with a full stop
        EXPECT_EQ(GetFileAttributesA(file->TemporaryPath().c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(ReminderWindowsTest, AReadOnlyStoreIsNotReplacedAndAHiddenOneStaysHidden) {
    const std::string old = "[Reminder]\r\ncount=1\r\n0=05.03.2006_08:15  one\r\n";
    const std::string path = folder.File("Reminder.ini");
    for (const DWORD attribute : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN}) {
        folder.Write("Reminder.ini", old);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attribute));
        Make();
        list->Show();
        ASSERT_TRUE(WaitFor([&] { return list->Visible(); }));
        Click("Clear all");
        TakeErrorBoxes();
        Click("Apply");
        const std::vector<std::string> errors = TakeErrorBoxes();
        const bool readOnly = attribute == FILE_ATTRIBUTE_READONLY;
        EXPECT_EQ(errors, readOnly ? std::vector<std::string>{"Unable to write to " + path + "."}
                                   : std::vector<std::string>{}) << attribute;
        EXPECT_EQ(list->Visible(), readOnly) << attribute;
        EXPECT_EQ(Stored(), readOnly ? old : "[Reminder]\r\ncount=0\r\n0=\r\n") << attribute;
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & attribute) << "the file keeps its attribute " << attribute;
        EXPECT_EQ(GetFileAttributesA(file->TemporaryPath().c_str()), INVALID_FILE_ATTRIBUTES) << attribute;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(ReminderWindowsTest, ClearAllIsUndoneByCancelAndByTheCloseBox) {
    folder.Write("Reminder.ini", "[Reminder]\r\ncount=2\r\n0=a\r\n1=b\r\n");
    Make();
    for (bool useCloseBox : {false, true}) {
        list->Show();
        ASSERT_TRUE(WaitFor([&] { return list->Visible(); }));
        Click("Clear all");
        EXPECT_EQ(ListCount(), 0);
        if (useCloseBox) SendMessageA(list->Hwnd(), WM_CLOSE, 0, 0);
        else Click("Cancel");
        EXPECT_FALSE(list->Visible());
        EXPECT_EQ(list->Entries(), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(ListCount(), 2);
    }
}

TEST_F(ReminderWindowsTest, DeleteRemovesTheSelectedEntryOnly) {
    folder.Write("Reminder.ini", "[Reminder]\r\ncount=3\r\n0=a\r\n1=b\r\n2=c\r\n");
    Make();
    Click("Delete");  // nothing selected
    EXPECT_EQ(list->Entries().size(), 3u);
    SendMessageA(ListBox(), LB_SETCURSEL, 1, 0);
    Click("Delete");
    EXPECT_EQ(list->Entries(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(ListCount(), 2);
}

TEST_F(ReminderWindowsTest, LayoutOfTheListAndTheEditor) {
    Make();
    ExpectLayout(list->Hwnd(), 460, 324,
                 {{"ListBox", nullptr, 10, 10, 347, 300},
                  {"Button", "New", 366, 10, 85, 25},
                  {"Button", "Delete", 366, 42, 85, 25},
                  {"Button", "Clear all", 366, 74, 85, 25},
                  {"Button", "Apply", 366, 253, 85, 25},
                  {"Button", "Cancel", 366, 285, 85, 25}});
    EXPECT_TRUE(GetWindowLongPtrA(ListBox(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(SendMessageA(ListBox(), LB_GETHORIZONTALEXTENT, 0, 0), ui::Scale(10000));
    ExpectLayout(editor->Hwnd(), 336, 275,
                 {{"Static", "Display the message:", 10, 40, 140, 13},
                  {"Edit", nullptr, 10, 60, 316, 166},
                  {"Button", "OK", 179, 239, 70, 25},
                  {"Button", "Cancel", 257, 239, 70, 25}});
}

// A message of 100,000 characters, in lines of 100 (a single line that long takes Wine's edit
// control minutes to wrap).
const std::string& Message() {
    static const std::string message = [] {
        std::string text;
        while (text.size() < 100000) text += std::string(98, 'm') + "\r\n";
        return text;
    }();
    return message;
}

std::string WithBreaksEncoded(std::string text) {
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.replace(at, 2, kBreak);
    return text;
}

TEST_F(ReminderWindowsTest, AHundredThousandCharacterMessageIsPastedAppliedAndReadBackWhole) {
    FormatSettingsGuard formats;
    Make();
    static ReminderWindowsTest* test;
    test = this;
    SetTimer(editor->Hwnd(), 78, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        // As a paste does: the text replaces the selection, within the box's length limit.
        SendMessageA(FindWindowExA(hwnd, nullptr, "Edit", nullptr), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(Message().c_str()));
        test->editor->Confirm();
    });
    list->Show();
    Click("New");
    ASSERT_EQ(list->Entries().size(), 1u);
    EXPECT_TRUE(list->Entries()[0] == "05.03.2006_08:14  " + WithBreaksEncoded(Message())) << list->Entries()[0].size() << " characters";
    Click("Apply");
    const std::vector<std::string> again = ReminderFile(folder.File("Reminder.ini")).Load();  // as the next start reads it
    EXPECT_TRUE(again == list->Entries()) << (again.empty() ? 0 : again[0].size()) << " characters read back";
}

TEST_F(ReminderWindowsTest, NewRunsTheEditorAndOkAppendsToTheLiveListThatTheTimerChecks) {
    FormatSettingsGuard formats;
    Make();
    // The editor runs modally inside "New": a timer of its own works it from inside that run.
    static ReminderWindowsTest* test;
    static bool sawItRun;
    test = this;
    sawItRun = false;
    SetTimer(editor->Hwnd(), 77, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        sawItRun = test->editor->Running() && IsWindowVisible(hwnd) && !IsWindowEnabled(test->list->Hwnd());
        SetWindowTextA(FindWindowExA(hwnd, nullptr, "Edit", nullptr), "a\r\nb");
        test->editor->Confirm();
    });
    list->Show();
    Click("New");
    EXPECT_TRUE(sawItRun);
    EXPECT_FALSE(editor->Visible());
    ASSERT_EQ(list->Entries().size(), 1u);
    EXPECT_EQ(list->Entries()[0], "05.03.2006_08:14  a" + kBreak + "b");
    EXPECT_EQ(ListCount(), 1);
    EXPECT_EQ(GetFormatSettings().shortDateFormat, "dd.MM.yyyy");

    // Not applied, and still due: the next tick in its minute shows it, line break restored.
    list->CheckDue();
    EXPECT_EQ(shown, std::vector<std::string>{"05.03.2006_08:14  a\r\nb"});
    EXPECT_EQ(Stored(), "");
}

}  // namespace
