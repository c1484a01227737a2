#pragma once
// The small modeless dialog a folder search shows while it runs: the folders and files found
// so far and "Stop". The search window's dialog and the picture viewer's twin differ only in
// where the counters sit and whom "Stop" and the close box act on.
#include <functional>

#include "search/search_engine.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"

namespace tikora {

// A label showing a number. The engine sets the counters after every directory entry, faster
// than anyone reads them and at a cost (a window text is far from free under Wine): a new number
// is shown at once after a pause, otherwise at most every kRepaintMs, and Flush shows the last.
class CounterLabel {
public:
    static constexpr unsigned kRepaintMs = 50;

    void Create(HWND parent, ui::Bounds at);
    void Blank();
    void Set(int value);
    void Flush();
    std::string Text() const { return label_.Text(); }

private:
    void Show(long long value, DWORD now);

    ui::Label label_;
    long long shown_ = -1;    // -1: blank
    long long pending_ = -1;  // the last number set
    DWORD shownAt_ = 0;  // GetTickCount at the last show
};

class ProgressDialog final : public ui::Form {
public:
    struct Layout {
        int folderCounterLeft = 83;  // the viewer's twin: 116
        int fileCounterLeft = 83;    // the viewer's twin: 105
    };
    // The class name and caption come from the window catalogue.
    ProgressDialog(ui::FormName name, Layout layout);
    ~ProgressDialog() override;

    // "Stop" and the close box: the owner's stop step (set its stop flag, enable itself).
    std::function<void()> onStop;

    void SetFolders(int count) { folders_.Set(count); }
    // The file pass begins after the walk: the folder count is final by then.
    void SetFiles(int count) {
        folders_.Flush();
        files_.Set(count);
    }
    std::string FoldersText() const { return folders_.Text(); }
    std::string FilesText() const { return files_.Text(); }
    // The completion step's close: the same as the close box.
    void CloseDialog() { OnClose(); }
    HWND StopButton() const { return stop_.Hwnd(); }

protected:
    void OnCreate() override;
    void OnShow() override;
    void OnClose() override;

private:
    Layout layout_;
    ui::Label foldersCaption_;
    ui::Label filesCaption_;
    CounterLabel folders_;
    CounterLabel files_;
    ui::ToolButton stop_;
};

}  // namespace tikora
