// Control creation, routing of notifications to the sending control, and anchoring.
#include "ui/control_win.h"

#include <vector>

#include "core/errors.h"
#include "ui/dpi_win.h"
#include "ui/font_win.h"

namespace tikora::ui {

namespace {

// The control object is found from its window through this property; the window's user data
// belongs to the control class itself.
constexpr const char* kControlProperty = "TikoraControl";
// Ids above the dialog-key ids (IDOK, IDCANCEL...), so that Enter and Esc never look like a control.
int nextId = 1000;

RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

}  // namespace

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) {
        RemovePropA(hwnd_, kControlProperty);
        DestroyWindow(hwnd_);
    }
}

void Control::CreateWindowed(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle,
                             const Bounds& at, const CommonArgs& common) {
    RECT r = ScaleRect(at.x, at.y, at.width, at.height);
    // Positions are given in the form's client area; a container inside the form shifts them.
    HWND root = GetAncestor(parent, GA_ROOT);
    if (root && root != parent) MapWindowPoints(root, parent, reinterpret_cast<POINT*>(&r), 2);
    style |= WS_CHILD;
    if (!common.enabled) style |= WS_DISABLED;
    HWND hwnd = CreateWindowExA(exStyle, className, text, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)),
                                GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) throw AppError(std::string("Cannot create control ") + className);
    Attach(hwnd, common);
}

void Control::Attach(HWND hwnd, const CommonArgs& common) {
    hwnd_ = hwnd;
    anchors_ = common.anchors;
    SetPropA(hwnd_, kControlProperty, this);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(common.font ? common.font : DialogFont()), FALSE);
    HWND parent = GetParent(hwnd_);
    RECT box{};
    GetWindowRect(hwnd_, &box);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&box), 2);
    const RECT area = ClientRectOf(parent);
    margins_ = RECT{box.left, box.top, area.right - box.right, area.bottom - box.bottom};
    if (common.visible) ShowWindow(hwnd_, SW_SHOWNA);
}

void Control::Claim(HWND helper) {
    if (helper) SetPropA(helper, kControlProperty, this);
}

Control* Control::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

std::string Control::Text() const {
    if (!hwnd_) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }

void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }

void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

void Control::Focus() { SetFocus(hwnd_); }

void Control::SetBounds(const Bounds& at) {
    RECT r = ScaleRect(at.x, at.y, at.width, at.height);
    HWND parent = GetParent(hwnd_);
    HWND root = GetAncestor(parent, GA_ROOT);
    if (root && root != parent) MapWindowPoints(root, parent, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT area = ClientRectOf(parent);
    margins_ = RECT{r.left, r.top, area.right - r.right, area.bottom - r.bottom};
}

bool Control::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
                control->OnCommand(HIWORD(wParam), LOWORD(wParam));
                result = 0;
                return true;
            }
            return false;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (Control* control = header ? FromHandle(header->hwndFrom) : nullptr) {
                result = control->OnNotify(*header);
                return true;
            }
            return false;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
                control->OnScroll(LOWORD(wParam));
                result = 0;
                return true;
            }
            return false;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU) {
                if (Control* control = FromHandle(item->hwndItem); control && control->OnDrawItem(*item)) {
                    result = TRUE;
                    return true;
                }
            }
            return false;
        }
    }
    return false;
}

void Control::ApplyAnchors(HWND container, int width, int height) {
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Control* control = FromHandle(child);
        if (!control || control->anchors_ == kAnchorTopLeft) continue;
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&box), 2);
        const RECT& m = control->margins_;
        const unsigned a = control->anchors_;
        LONG boxWidth = box.right - box.left;
        LONG boxHeight = box.bottom - box.top;
        LONG left = box.left;
        LONG top = box.top;
        if (a & kAnchorRight) {
            if (a & kAnchorLeft) boxWidth = width - m.right - m.left;
            else left = width - m.right - boxWidth;
        }
        if (a & kAnchorBottom) {
            if (a & kAnchorTop) boxHeight = height - m.bottom - m.top;
            else top = height - m.bottom - boxHeight;
        }
        SetWindowPos(child, nullptr, left, top, boxWidth > 0 ? boxWidth : 0, boxHeight > 0 ? boxHeight : 0,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HWND CreateChild(HWND parent, const ChildSpec& spec) {
    const RECT r = ScaleRect(spec.at.x, spec.at.y, spec.at.width, spec.at.height);
    HWND child = CreateWindowExA(0, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleA(nullptr),
                                 nullptr);
    if (!child) throw AppError(std::string("Cannot create control ") + spec.className);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(spec.font ? spec.font : DialogFont()), FALSE);
    return child;
}

void SetTabOrder(const std::vector<Control*>& controls) {
    HWND previous = nullptr;
    for (Control* control : controls) {
        HWND hwnd = control->Hwnd();
        const bool sameParent = previous && GetParent(previous) == GetParent(hwnd);
        SetWindowPos(hwnd, sameParent ? previous : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = hwnd;
    }
}

void EnsureControlClass(const char* className, WNDPROC proc, HCURSOR cursor, HBRUSH background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw AppError(std::string("Cannot register window class ") + className);
}

}  // namespace tikora::ui
