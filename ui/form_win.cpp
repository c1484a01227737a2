// Forms: creation from their record, show and hide, routing to the controls and the resize hook.
#include "ui/form_win.h"

#include "ui/application_win.h"
#include "ui/control_win.h"

namespace tikora::ui {

FormSpec NamedFormSpec(FormName name, BorderStyle border, int clientWidth, int clientHeight) {
    FormSpec spec;
    spec.className = name.className;
    spec.caption = name.caption;
    spec.border = border;
    spec.clientWidth = clientWidth;
    spec.clientHeight = clientHeight;
    return spec;
}

DWORD StyleFor(BorderStyle border) {
    switch (border) {
        case BorderStyle::None: return WS_POPUP;
        case BorderStyle::Single: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        case BorderStyle::Dialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case BorderStyle::DialogNoMenu: return WS_POPUP | WS_CAPTION;
        case BorderStyle::Sizeable: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
    }
    return WS_OVERLAPPED;
}

DWORD ExStyleFor(BorderStyle border) {
    switch (border) {
        case BorderStyle::Dialog:
        case BorderStyle::DialogNoMenu: return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        default: return WS_EX_CONTROLPARENT;
    }
}

void Form::CreateForm() {
    WindowSpec ws;
    ws.className = spec_.className;
    ws.caption = spec_.caption;
    ws.style = StyleFor(spec_.border) | WS_CLIPCHILDREN;
    ws.exStyle = ExStyleFor(spec_.border) | spec_.extraExStyle;
    ws.owner = Application::Instance().Handle();
    ws.clientWidth = spec_.clientWidth;
    ws.clientHeight = spec_.clientHeight;
    ws.outerSize = spec_.outerSize;
    ws.background = spec_.background;
    ws.icon = spec_.icon;
    Create(ws);
    if (spec_.dialogKeys) Application::Instance().RegisterDialog(Hwnd());
    OnCreate();
}

void Form::Show() {
    if (!Visible()) ShowWindow(Hwnd(), SW_SHOW);
}

void Form::SetFocusControl(HWND control) {
    focus_ = control;
    if (GetActiveWindow() == Hwnd()) SetFocus(control);
}

void Form::Hide() { ShowWindow(Hwnd(), SW_HIDE); }

void Form::ReturnFromDialog() {
    EnableWindow(Hwnd(), TRUE);
    if (Visible()) BringToFront();
}

void Form::BringToFront() {
    ShowWindow(Hwnd(), SW_SHOW);
    SetForegroundWindow(Hwnd());
    BringWindowToTop(Hwnd());
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (Control::Route(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_CLOSE: OnClose(); return 0;
        case WM_SHOWWINDOW:
            // lParam 0: shown by ShowWindow, not because the owner was restored.
            if (wParam && lParam == 0) OnShow();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = GetFocus(); focus && IsChild(Hwnd(), focus)) focus_ = focus;
            } else if (focus_ && IsWindow(focus_) && IsChild(Hwnd(), focus_)) {
                // The default would give the focus to the form itself.
                SetFocus(focus_);
                return 0;
            }
            break;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
        case WM_SIZE:
            Control::ApplyAnchors(Hwnd(), LOWORD(lParam), HIWORD(lParam));
            OnResize(LOWORD(lParam), HIWORD(lParam));
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tikora::ui
