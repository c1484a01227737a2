#include "ui/form_win.h"

#include "ui/application_win.h"

namespace tikora::ui {

DWORD styleFor(BorderStyle border) {
    switch (border) {
        case BorderStyle::None: return WS_POPUP;
        case BorderStyle::Single: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        case BorderStyle::Dialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU;
        case BorderStyle::DialogNoMenu: return WS_POPUP | WS_CAPTION;
        case BorderStyle::Sizeable: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
    }
    return WS_OVERLAPPED;
}

DWORD exStyleFor(BorderStyle border) {
    switch (border) {
        case BorderStyle::Dialog:
        case BorderStyle::DialogNoMenu: return WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        default: return WS_EX_CONTROLPARENT;
    }
}

void Form::createForm() {
    WindowSpec ws;
    ws.className = spec_.className;
    ws.caption = spec_.caption;
    ws.style = styleFor(spec_.border) | WS_CLIPCHILDREN;
    ws.exStyle = exStyleFor(spec_.border) | spec_.extraExStyle;
    ws.owner = Application::instance().handle();
    ws.clientWidth = spec_.clientWidth;
    ws.clientHeight = spec_.clientHeight;
    ws.outerSize = spec_.outerSize;
    ws.background = spec_.background;
    ws.icon = spec_.icon;
    create(ws);
    if (spec_.dialogKeys) Application::instance().registerDialog(hwnd());
    onCreate();
}

void Form::show() {
    if (!visible()) ShowWindow(hwnd(), SW_SHOW);
}

void Form::hide() { ShowWindow(hwnd(), SW_HIDE); }

void Form::bringToFront() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
}

LRESULT Form::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: onClose(); return 0;
        case WM_SHOWWINDOW:
            if (wParam) onShow();
            break;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
        case WM_DESTROY: Application::instance().unregisterDialog(hwnd()); break;
    }
    return defaultProc(message, wParam, lParam);
}

}  // namespace tikora::ui
