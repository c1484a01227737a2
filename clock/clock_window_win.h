#pragma once
// The clock window (TForm1): the hub of the program. It owns the face, the main tick, the tray
// icon and its menus, the program-wide options, and the system actions.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clock/glyphs.h"
#include "clock/main_tick.h"
#include "core/platform.h"
#include "core/settings_store.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

// The nine "Options" values, held for the whole run.
struct ClockOptions {
    bool autostart = false;
    bool hideonstart = false;
    bool scotch = false;
    bool ghost = false;
    bool showsecond = false;
    bool flash = true;
    bool hideunder = false;
    bool everyhour = true;
    bool hotkey = false;
};

struct ClockServices {
    TimeSource& time;
    SoundPlayer& sound;
    ShellLauncher& shell;
    PowerControl& power;
    FileSystem& files;
    SettingsStore& settings;
};

// Controls of dialogs that are read by the tick, with stand-ins until those dialogs exist.
struct DisarmedShutdown final : ShutdownControls {
    DateTime time() override { return {}; }
    bool armed() override { return false; }
    void disarm() override {}
    bool turnOffSelected() override { return false; }
    bool restartSelected() override { return false; }
};

struct DisarmedAlarm final : AlarmControls {
    DateTime time() override { return {}; }
    bool armed() override { return false; }
    void disarm() override {}
    bool bellSelected() override { return true; }
    int ringCount() override { return 1; }
    std::string file() override { return {}; }
    void clearFile() override {}
};

struct DefaultChime final : ChimeSource {
    std::string chimeFile() override { return kDefaultChimeFile; }
};

class ClockFace;

class ClockWindow final : public ui::Form, private ClockView {
public:
    explicit ClockWindow(ClockServices services);
    ~ClockWindow() override;

    // Creation steps: single-instance check (may end the process), current directory, settings,
    // icon, skin, options, hot keys, width, version, menus, handlers, tray icon.
    void initialize();

    // The dialogs whose controls the tick reads plug in here once they exist.
    void setShutdownControls(ShutdownControls* controls);
    void setAlarmControls(AlarmControls* controls);
    void setChimeSource(ChimeSource* source);

    ClockOptions& options() { return options_; }
    bool transparencyAvailable() const { return transparencyAvailable_; }

    // Loads a skin strip; throws PictureError when the file is not a readable bitmap and AppError
    // "Invalid image size" when it is too small (the glyphs are gone then).
    void loadSkin(const std::string& path);
    void applySeconds(bool showSecond);
    void drawFace() override;

    // The tray menu's "Show clock" and "Hide clock" items.
    bool showClockEnabled() const { return showClockEnabled_; }
    bool hideClockEnabled() override { return hideClockEnabled_; }
    void showClock();
    void hideClock();

    MainTick& tick() { return *tick_; }
    const GlyphSets& glyphs() const { return glyphs_; }
    HWND faceHandle() const;
    HICON icon() const { return icon_ ? icon_.get() : builtinIcon_; }

    // Runs once when the program's message loop starts: shows the window (first show).
    void showAtStart();
    // Errors met during creation, before the error handler was installed.
    const std::vector<std::string>& startupProblems() const { return startupProblems_; }

    static constexpr UINT kTrayMessage = WM_USER + 123;

protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCreate() override;
    void onShow() override;
    void onClose() override {}

private:
    friend class ClockFace;
    void singleInstanceCheck();
    void onFacePressed();
    void updateTickControls();
    void firstShow();
    void idleStep();
    void onTimer();
    void paintFrame(HDC dc);
    void rebuildGlyphBitmaps();
    void addTrayIcon();
    void removeTrayIcon();
    void reportStartupProblems();

    // ClockView
    Point cursorPos() override;
    Rect windowRect() override;
    void hide() override;
    void show() override;

    ClockServices services_;
    ClockOptions options_;
    GlyphSets glyphs_;
    std::unique_ptr<ClockFace> face_;
    std::unique_ptr<MainTick> tick_;
    DisarmedShutdown noShutdown_;
    DisarmedAlarm noAlarm_;
    DefaultChime defaultChime_;
    ShutdownControls* shutdown_ = &noShutdown_;
    AlarmControls* alarm_ = &noAlarm_;
    ChimeSource* chime_ = &defaultChime_;

    ui::UniqueMemoryDc digitDc_;
    ui::UniqueBitmap digitBitmap_;
    ui::UniqueMemoryDc separatorDc_;
    ui::UniqueBitmap separatorBitmap_;
    HGDIOBJ digitOld_ = nullptr;
    HGDIOBJ separatorOld_ = nullptr;
    ui::UniqueBitmap frameBitmap_;
    ui::UniqueIcon icon_;
    HICON builtinIcon_ = nullptr;

    bool transparencyAvailable_ = false;
    bool firstShowPending_ = true;
    bool firstIdlePending_ = true;
    bool showClockEnabled_ = false;
    bool hideClockEnabled_ = true;
    bool trayIconAdded_ = false;
    std::string lastFaceText_;
    std::vector<std::string> startupProblems_;
};

}  // namespace tikora
