// The standard controls: creation from their records and their notifications as callbacks.
#include "ui/controls_win.h"

#include <commctrl.h>

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/dpi_win.h"

namespace tikora::ui {

namespace {

void Run(const Callback& callback) {
    if (callback) callback();
}

UINT EdgeFor(Panel::Bevel bevel) {
    return bevel == Panel::Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
}

std::string ListText(HWND hwnd, UINT lengthMessage, UINT textMessage, int index) {
    LRESULT length = SendMessageA(hwnd, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(hwnd, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

void Label::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "STATIC", args.text, args.align | (args.noPrefix ? SS_NOPREFIX : 0u), 0, args.at,
                   args.common);
}

void Panel::Create(HWND parent, const Args& args) {
    EnsureControlClass("TikoraPanel", &Panel::Proc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    outer_ = args.outer;
    inner_ = args.inner;
    // A container the dialog keys walk into (Tab reaches the controls inside).
    CreateWindowed(parent, "TikoraPanel", args.text, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, args.at, args.common);
}

LRESULT CALLBACK Panel::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = static_cast<Panel*>(FromHandle(hwnd));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        if (Route(message, wParam, lParam, result)) return result;
        switch (message) {
            case WM_PAINT: self->Paint(); return 0;
            case WM_SIZE:
                ApplyAnchors(hwnd, LOWORD(lParam), HIWORD(lParam));
                if (self->onResize) self->onResize(LOWORD(lParam), HIWORD(lParam));
                // The bevels run along the edges: drawn anew at the new size, none left inside.
                if (self->outer_ != Bevel::None || self->inner_ != Bevel::None || !self->Text().empty())
                    InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            case WM_SETTEXT: InvalidateRect(hwnd, nullptr, TRUE); break;
            case WM_SETFONT:
                self->font_ = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
                return 0;
            case WM_GETFONT: return reinterpret_cast<LRESULT>(self->font_);
        }
    } catch (...) {
        Application::Instance().HandleError(std::current_exception());
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Panel::Paint() {
    PaintDc paint(Hwnd());
    RECT r{};
    GetClientRect(Hwnd(), &r);
    if (outer_ != Bevel::None) {
        DrawEdge(paint.get(), &r, EdgeFor(outer_), BF_RECT);
        InflateRect(&r, -1, -1);
    }
    if (inner_ != Bevel::None) {
        DrawEdge(paint.get(), &r, EdgeFor(inner_), BF_RECT);
        InflateRect(&r, -1, -1);
    }
    const std::string caption = Text();
    if (caption.empty()) return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
    SelectedObject selected(paint.get(), font);
    SetBkMode(paint.get(), TRANSPARENT);
    SetTextColor(paint.get(), GetSysColor(COLOR_BTNTEXT));
    DrawTextA(paint.get(), caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void PushButton::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "BUTTON", args.text, WS_TABSTOP | (args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                   args.at, args.common);
}

void PushButton::OnCommand(int code, int) {
    if (code == BN_CLICKED) Run(onClick);
}

void ToolButton::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "BUTTON", args.text,
                   BS_PUSHBUTTON | (args.picture ? BS_BITMAP : 0u) | (args.flat ? BS_FLAT : 0u), 0, args.at, args.common);
    if (args.picture) SendMessageA(Hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(args.picture));
    // Without BS_BITMAP, Common Controls 6 draws the picture and the text side by side.
    if (args.pictureBesideText)
        SendMessageA(Hwnd(), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(args.pictureBesideText));
    subclass_.Install(Hwnd(), [this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return Handle(hwnd, message, wParam, lParam);
    });
}

bool ToolButton::Inside(LPARAM lParam) const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != FALSE;
}

// The mouse is handled here instead of by the button class, which would take the focus.
LRESULT ToolButton::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed_ = true;
            SetCapture(hwnd);
            subclass_.Previous(hwnd, BM_SETSTATE, TRUE, 0);
            return 0;
        case WM_MOUSEMOVE:
            if (pressed_ && GetCapture() == hwnd) subclass_.Previous(hwnd, BM_SETSTATE, Inside(lParam), 0);
            return 0;
        case WM_LBUTTONUP: {
            if (!pressed_) return 0;
            const bool click = Inside(lParam);
            pressed_ = false;
            if (GetCapture() == hwnd) ReleaseCapture();
            subclass_.Previous(hwnd, BM_SETSTATE, FALSE, 0);
            if (click) Run(onClick);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (pressed_) {
                pressed_ = false;
                subclass_.Previous(hwnd, BM_SETSTATE, FALSE, 0);
            }
            return 0;
        case WM_SETFOCUS:
            // Given the focus by someone else: hand it back at once.
            if (wParam && IsWindow(reinterpret_cast<HWND>(wParam))) SetFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_GETDLGCODE: return DLGC_STATIC;  // never a default or tab-stop button
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR: return 0;
    }
    return subclass_.Previous(hwnd, message, wParam, lParam);
}

void CheckBox::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "BUTTON", args.text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, args.at, args.common);
    SendMessageA(Hwnd(), BM_SETCHECK, args.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Checked() const { return SendMessageA(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SendMessageA(Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Run(onClick);
}

void CheckBox::OnCommand(int code, int) {
    if (code == BN_CLICKED) Run(onClick);
}

void RadioButton::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "BUTTON", args.text, WS_TABSTOP | BS_AUTORADIOBUTTON | (args.groupStart ? WS_GROUP : 0u),
                   0, args.at, args.common);
    SendMessageA(Hwnd(), BM_SETCHECK, args.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool RadioButton::Checked() const { return SendMessageA(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void RadioButton::SetChecked(bool checked) {
    if (checked == Checked()) return;
    SendMessageA(Hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    Run(onClick);
}

void RadioButton::OnCommand(int code, int) {
    if (code == BN_CLICKED) Run(onClick);
}

Tooltip::~Tooltip() {
    if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void Tooltip::Attach(HWND control) {
    control_ = control;
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                           0, GetAncestor(control, GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tip_) throw AppError("Cannot create control tooltips_class32");
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text_.c_str());
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltip::SetText(const std::string& text) {
    text_ = text;
    if (!tip_) return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(control_);
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = const_cast<char*>(text_.c_str());
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Edit::Create(HWND parent, const Args& args) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL | (args.readOnly ? ES_READONLY : 0u) | (args.password ? ES_PASSWORD : 0u) |
                  (args.digitsOnly ? ES_NUMBER : 0u);
    CreateWindowed(parent, "EDIT", args.text, style, WS_EX_CLIENTEDGE, args.at, args.common);
    if (args.maxLength > 0) SendMessageA(Hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(args.maxLength), 0);
    tooltip_.Attach(Hwnd());
}

void Edit::SelectAll() { SendMessageA(Hwnd(), EM_SETSEL, 0, -1); }

void Edit::OnCommand(int code, int) {
    if (code == EN_CHANGE) Run(onChange);
}

void Memo::Create(HWND parent, const Args& args) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                  (args.readOnly ? ES_READONLY : 0u) | (args.wordWrap ? 0u : WS_HSCROLL | ES_AUTOHSCROLL);
    CreateWindowed(parent, "EDIT", args.text, style, WS_EX_CLIENTEDGE, args.at, args.common);
    // A memo takes text of any length; the system's default would stop typing and pasting at
    // 30,000 or 32,767 characters.
    SendMessageA(Hwnd(), EM_SETLIMITTEXT, 0, 0);
}

std::vector<std::string> Memo::Lines() const {
    std::vector<std::string> lines;
    const std::string text = Text();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    SetText(text);
}

void Memo::OnCommand(int code, int) {
    if (code == EN_CHANGE) Run(onChange);
}

void ComboBox::Create(HWND parent, const Args& args) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | (args.dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL) |
                  (args.sorted ? CBS_SORT : 0u);
    CreateWindowed(parent, "COMBOBOX", "", style, 0, args.at, args.common);
    for (const std::string& item : args.items) AddItem(item);
}

void ComboBox::AddItem(const std::string& text) {
    SendMessageA(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void ComboBox::AddItem(const std::string& text, LPARAM data) {
    const LRESULT index = SendMessageA(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageA(Hwnd(), CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}
LPARAM ComboBox::ItemData(int index) const {
    return SendMessageA(Hwnd(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}
void ComboBox::Clear() { SendMessageA(Hwnd(), CB_RESETCONTENT, 0, 0); }
int ComboBox::Count() const { return static_cast<int>(SendMessageA(Hwnd(), CB_GETCOUNT, 0, 0)); }
std::string ComboBox::Item(int index) const { return ListText(Hwnd(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }
int ComboBox::SelectedIndex() const { return static_cast<int>(SendMessageA(Hwnd(), CB_GETCURSEL, 0, 0)); }
void ComboBox::SetSelectedIndex(int index) { SendMessageA(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ComboBox::OnCommand(int code, int) {
    if (code == CBN_SELCHANGE) Run(onSelectionChanged);
    if (code == CBN_EDITCHANGE) Run(onChange);
}

void ListBox::Create(HWND parent, const Args& args) {
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (args.sorted ? LBS_SORT : 0u) |
                  (args.horizontalExtent > 0 ? WS_HSCROLL : 0u);
    CreateWindowed(parent, "LISTBOX", "", style, WS_EX_CLIENTEDGE, args.at, args.common);
    if (args.itemHeight > 0) SendMessageA(Hwnd(), LB_SETITEMHEIGHT, 0, Scale(args.itemHeight));
    if (args.horizontalExtent > 0) SendMessageA(Hwnd(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(Scale(args.horizontalExtent)), 0);
    for (const std::string& item : args.items) AddItem(item);
}

void ListBox::DeleteItem(int index) { SendMessageA(Hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void ListBox::AddItem(const std::string& text) {
    SendMessageA(Hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void ListBox::Clear() { SendMessageA(Hwnd(), LB_RESETCONTENT, 0, 0); }
int ListBox::Count() const { return static_cast<int>(SendMessageA(Hwnd(), LB_GETCOUNT, 0, 0)); }
std::string ListBox::Item(int index) const { return ListText(Hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index); }
int ListBox::SelectedIndex() const { return static_cast<int>(SendMessageA(Hwnd(), LB_GETCURSEL, 0, 0)); }
std::optional<std::string> ListBox::SelectedItem() const {
    const int index = SelectedIndex();
    if (index < 0 || index >= Count()) return std::nullopt;
    return Item(index);
}
void ListBox::SetSelectedIndex(int index) { SendMessageA(Hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void ListBox::OnCommand(int code, int) {
    if (code == LBN_SELCHANGE) Run(onSelectionChanged);
    if (code == LBN_DBLCLK) Run(onDoubleClick);
}

}  // namespace tikora::ui
