#pragma once
// The 21 windows of the program in the order they are created at start.
#include <array>

namespace tikora {

enum class Border { None, Single, Dialog, DialogNoMenu, Sizeable, FullScreen };

struct WindowEntry {
    const char* className;
    const char* caption;
    const char* typeName;  // the C++ type that implements it
    Border border;
    int width;   // client width, or outer width when outerSize
    int height;
    bool outerSize;
};

inline constexpr std::array<WindowEntry, 21> kWindowCatalogue{{
    {"TForm1", " Clock", "ClockWindow", Border::None, 134, 53, false},
    {"TForm3", " Search files", "SearchWindow", Border::Sizeable, 629, 440, true},
    {"TForm8", " About...", "AboutDialog", Border::Dialog, 262, 219, false},
    {"TForm4", " Change skin", "SkinChooser", Border::Dialog, 299, 102, false},
    {"TForm5", " Calendar", "CalendarDialog", Border::Dialog, 260, 242, false},
    {"TForm6", "Copy files ", "SearchCopyDialog", Border::Dialog, 247, 70, false},
    {"TForm7", "Timer (turn off)", "ShutdownTimerDialog", Border::Single, 263, 93, false},
    {"TForm9", " Picture viewer", "PictureViewer", Border::Sizeable, 664, 435, true},
    {"TForm12", "Alarm clock", "AlarmDialog", Border::Single, 272, 126, false},
    {"TForm2", "Tikora: Settings", "SettingsDialog", Border::Single, 364, 217, false},
    {"TForm13", " Searching...", "SearchProgressDialog", Border::Dialog, 219, 98, false},
    {"TForm10", "", "ActualSizeView", Border::FullScreen, 0, 0, false},
    {"TForm11", "", "BrowsingView", Border::FullScreen, 0, 0, false},
    {"TForm14", " Settings", "ViewerSettingsDialog", Border::DialogNoMenu, 186, 223, false},
    {"TForm15", " Copy files", "ViewerCopyDialog", Border::Dialog, 247, 70, false},
    {"TForm16", " Searching...", "ViewerProgressDialog", Border::Dialog, 219, 98, false},
    {"TForm17", " Hot Keys", "HotKeysDialog", Border::DialogNoMenu, 194, 124, false},
    {"TForm18", "Reminder", "ReminderList", Border::Single, 460, 324, false},
    {"TForm19", " Message", "ReminderEditor", Border::Dialog, 336, 275, false},
    {"TForm21", "MP3 tag editor ( ID3v1 )", "TagEditor", Border::Single, 514, 376, false},
    {"TForm20", " Information", "InformationDialog", Border::Dialog, 191, 266, false},
}};

}  // namespace tikora
