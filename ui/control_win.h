#pragma once
// The base of the typed controls. A control is made from a small creation record, with its
// position in 96-DPI pixels of the form's client area (whatever container it sits in), and it
// reports through callbacks: the container routes WM_COMMAND and WM_NOTIFY to the control that
// sent them, so no form ever switches on control ids.
#include <windows.h>

#include <string>
#include <vector>

namespace tikora::ui {

// Left, top, width, height in 96-DPI pixels of the form's client area.
struct Bounds {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Which edges of its container a control keeps its distance to when the container is resized:
// left and right both: it stretches; right only: it moves.
enum Anchor : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
    kAnchorTopLeft = kAnchorLeft | kAnchorTop,
    kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

// What every creation record may say besides its own options.
struct CommonArgs {
    unsigned anchors = kAnchorTopLeft;
    bool enabled = true;
    bool visible = true;
    HFONT font = nullptr;  // nullptr: the dialog font
};

class Control {
public:
    Control() = default;
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Hwnd() const { return hwnd_; }
    std::string Text() const;
    void SetText(const std::string& text);
    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled);
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    void SetVisible(bool visible);
    void Focus();
    bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }
    // Moves the control; the position is in the form's client area, 96-DPI pixels.
    void SetBounds(const Bounds& at);

    // The control made by this program that owns the window, or nullptr.
    static Control* FromHandle(HWND hwnd);

    // Routes a container's WM_COMMAND, WM_NOTIFY, WM_HSCROLL/WM_VSCROLL and WM_DRAWITEM to the
    // control that sent it. False when the sender is none of ours.
    static bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Moves and stretches the anchored controls of a container that got the client size given.
    static void ApplyAnchors(HWND container, int width, int height);

protected:
    // Creates the window in `parent` with WS_CHILD added; WS_VISIBLE and WS_DISABLED follow
    // `common`. Throws AppError when the system refuses.
    void CreateWindowed(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle,
                        const Bounds& at, const CommonArgs& common);
    void Attach(HWND hwnd, const CommonArgs& common);
    // Notifications sent by a helper window of this control (a tool bar's tooltip) reach it too.
    void Claim(HWND helper);

    // The notification codes of WM_COMMAND, and WM_NOTIFY records, sent by this control.
    // `id` tells the item of a control that has several (a tool bar's buttons).
    virtual void OnCommand(int code, int id) {
        (void)code;
        (void)id;
    }
    virtual LRESULT OnNotify(NMHDR& header) {
        (void)header;
        return 0;
    }
    virtual void OnScroll(int code) { (void)code; }
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) {
        (void)item;
        return false;
    }

private:
    HWND hwnd_ = nullptr;
    unsigned anchors_ = kAnchorTopLeft;
    // The distances to the container's edges when it was laid out, in device pixels.
    RECT margins_{};
};

// A bare child window for a form that draws and dispatches it itself (the calculator's owner-drawn
// buttons): className, text, style (WS_CHILD | WS_VISIBLE are added), position, id and font.
struct ChildSpec {
    const char* className = "STATIC";
    const char* text = "";
    DWORD style = 0;
    Bounds at;
    int id = 0;
    HFONT font = nullptr;  // nullptr: the dialog font
};
// Throws AppError when the system refuses.
HWND CreateChild(HWND parent, const ChildSpec& spec);

// Registers a window class of our own controls the first time it is asked for (later calls find
// it there). cursor: null for the arrow; background: null for none. Throws AppError on failure.
void EnsureControlClass(const char* className, WNDPROC proc, HCURSOR cursor = nullptr, HBRUSH background = nullptr);

// The keyboard order of controls that share a container: each follows the one before it.
void SetTabOrder(const std::vector<Control*>& controls);

}  // namespace tikora::ui
