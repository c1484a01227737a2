#pragma once
// A top-level window of the program: owned by the hidden application window, created once,
// shown and hidden; closing it only hides it, so its contents survive. Notifications of its
// controls go to the controls themselves (ui/control_win.h); resizing moves the anchored ones.
#include <windows.h>

#include "ui/window_win.h"

namespace tikora::ui {

enum class BorderStyle {
    None,          // no title bar (the clock, the full-screen views)
    Single,        // fixed single border, close box only
    Dialog,        // dialog border, close box only
    DialogNoMenu,  // dialog border, no title-bar buttons
    Sizeable,      // sizeable border, close and maximise boxes
};

// A window's class name and caption, as the window catalogue gives them.
struct FormName {
    const char* className = "";
    const char* caption = "";
};

struct FormSpec {
    const char* className = "";
    const char* caption = "";
    BorderStyle border = BorderStyle::Single;
    int clientWidth = 0;
    int clientHeight = 0;
    bool outerSize = false;  // the sizes are the outer size
    bool dialogKeys = true;  // Tab, Enter, Esc and mnemonics through IsDialogMessage
    DWORD extraExStyle = 0;
    HICON icon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
};

// The creation record of a form with the catalogue's class name and caption, its border and
// client size; the other members keep their defaults.
FormSpec NamedFormSpec(FormName name, BorderStyle border, int clientWidth, int clientHeight);

class Form : public Window {
public:
    explicit Form(const FormSpec& spec) : spec_(spec) {}

    // Creates the window hidden, centred on the screen.
    void CreateForm();
    // Shows the form non-modally when it is not showing; does nothing when it is.
    void Show();
    void Hide();
    // Shows the form and brings it to the front.
    void BringToFront();
    // Enables the form again after a dialog of its own closed and gives it back the input: the
    // system, which hid the dialog while the form was still disabled, gave it to another window.
    void ReturnFromDialog();

    const FormSpec& Spec() const { return spec_; }

    // The control that has the focus while the form is active: now, when the form is active,
    // and whenever the form becomes active again.
    void SetFocusControl(HWND control);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Builds the controls; runs once, right after the window exists.
    virtual void OnCreate() {}
    // WM_CLOSE: hides the form.
    virtual void OnClose() { Hide(); }
    virtual void OnShow() {}
    // The client area got this size (device pixels), after the anchored controls followed it.
    virtual void OnResize(int width, int height) {
        (void)width;
        (void)height;
    }
    // WM_COMMAND that no control of ours sent: menu items, IDOK/IDCANCEL from the dialog keys.
    virtual void OnCommand(int id, int code, HWND control) {
        (void)id;
        (void)code;
        (void)control;
    }

private:
    FormSpec spec_;
    HWND focus_ = nullptr;
};

DWORD StyleFor(BorderStyle border);
DWORD ExStyleFor(BorderStyle border);

}  // namespace tikora::ui
