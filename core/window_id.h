#pragma once
// The program's windows by identifier, in the order they are created at start. Their class
// names, captions and factories are in the window catalogue of the program entry.
namespace tikora {

enum class WindowId {
    Clock,
    SearchFiles,
    About,
    SkinChooser,
    Calendar,
    SearchCopy,
    ShutdownTimer,
    PictureViewer,
    AlarmClock,
    Settings,
    SearchProgress,
    ActualSizeView,
    BrowsingView,
    ViewerSettings,
    ViewerCopy,
    ViewerProgress,
    HotKeys,
    ReminderList,
    ReminderEditor,
    TagEditor,
    Information,
};

inline constexpr int kWindowCount = static_cast<int>(WindowId::Information) + 1;

}  // namespace tikora
