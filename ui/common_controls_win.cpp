// The common controls: creation from their records and their notifications as callbacks.
#include "ui/common_controls_win.h"

#include <windowsx.h>

#include <algorithm>

#include "core/errors.h"
#include "core/system_win.h"
#include "ui/application_win.h"
#include "ui/bitmap_win.h"
#include "ui/dpi_win.h"

namespace tikora::ui {

namespace {

void Run(const Callback& callback) {
    if (callback) callback();
}

}  // namespace

void ListView::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                   WS_EX_CLIENTEDGE, args.at, args.common);
    DWORD extended = (args.fullRowSelect ? LVS_EX_FULLROWSELECT : 0u) | (args.gridLines ? LVS_EX_GRIDLINES : 0u);
    SendMessageA(Hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (size_t i = 0; i < args.columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = args.columns[i].align;
        column.cx = Scale(args.columns[i].width);
        column.pszText = const_cast<char*>(args.columns[i].title);
        SendMessageA(Hwnd(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

int ListView::AddRow(const std::vector<std::string>& cells) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = Count();
    item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
    const int row = static_cast<int>(SendMessageA(Hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t i = 1; i < cells.size() && row >= 0; ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i);
        sub.pszText = const_cast<char*>(cells[i].c_str());
        SendMessageA(Hwnd(), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

void ListView::Clear() { SendMessageA(Hwnd(), LVM_DELETEALLITEMS, 0, 0); }

int ListView::Count() const { return static_cast<int>(SendMessageA(Hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

std::string ListView::Cell(int row, int column) const {
    char text[1024] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(Hwnd(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int ListView::SelectedIndex() const {
    return static_cast<int>(SendMessageA(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SetSelectedIndex(int row) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

LRESULT ListView::OnNotify(NMHDR& header) {
    if (header.code == LVN_ITEMCHANGED) {
        auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            Run(onSelectionChanged);
    } else if (header.code == NM_DBLCLK) {
        Run(onDoubleClick);
    }
    return 0;
}

void DateTimePicker::Create(HWND parent, const Args& args) {
    DWORD style = WS_TABSTOP | (args.kind == Kind::Time ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT);
    CreateWindowed(parent, DATETIMEPICK_CLASSA, "", style, 0, args.at, args.common);
    if (args.format) SendMessageA(Hwnd(), DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(args.format));
}

DateTime DateTimePicker::Value() const {
    SYSTEMTIME value{};
    SendMessageA(Hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return FromSystemTime(value);
}

void DateTimePicker::SetValue(const DateTime& value) {
    SYSTEMTIME system = ToSystemTime(value);
    SendMessageA(Hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&system));
}

LRESULT DateTimePicker::OnNotify(NMHDR& header) {
    if (header.code == DTN_DATETIMECHANGE) Run(onChange);
    return 0;
}

void UpDown::Create(HWND parent, const Args& args) {
    DWORD style = UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS | (args.buddy ? UDS_ALIGNRIGHT : 0u);
    CreateWindowed(parent, UPDOWN_CLASSA, "", style, 0, args.at, args.common);
    if (args.buddy) SendMessageA(Hwnd(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(args.buddy), 0);
    SendMessageA(Hwnd(), UDM_SETRANGE32, static_cast<WPARAM>(args.minimum), args.maximum);
    SetPosition(args.position);
}

int UpDown::Position() const { return static_cast<int>(SendMessageA(Hwnd(), UDM_GETPOS32, 0, 0)); }

void UpDown::SetPosition(int position) { SendMessageA(Hwnd(), UDM_SETPOS32, 0, position); }

void UpDown::OnScroll(int code) {
    if (code == SB_THUMBPOSITION) Run(onChange);
}

void StatusBar::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, STATUSCLASSNAMEA, "", 0, 0, Bounds{}, args.common);
    std::vector<int> edges;
    int right = 0;
    for (int width : args.panelWidths) {
        right += Scale(width);
        edges.push_back(width < 0 ? -1 : right);
    }
    if (!edges.empty())
        SendMessageA(Hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    Resize();
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
    SendMessageA(Hwnd(), SB_SETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText(int panel) const {
    const LRESULT length = LOWORD(SendMessageA(Hwnd(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Hwnd(), SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void StatusBar::Resize() { SendMessageA(Hwnd(), WM_SIZE, 0, 0); }

void ToolBar::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, TOOLBARCLASSNAMEA, "",
                   TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN, 0, args.at,
                   args.common);
    SendMessageA(Hwnd(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (!args.images.empty()) {
        const Image& first = args.images.front();
        images_ = ImageList_Create(first.width, first.height, ILC_COLOR32 | ILC_MASK, static_cast<int>(args.images.size()), 0);
        if (!images_) throw AppError("Out of system resources");
        for (const Image& image : args.images) {
            UniqueBitmap bitmap = MakeBitmap(image);
            const uint32_t key = image.pixels.empty() ? 0 : image.pixels.front();
            ImageList_AddMasked(images_, bitmap.get(), RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF));
        }
        // The tool bar does not own the list: it is destroyed with the bar (WM_NCDESTROY below).
        SendMessageA(Hwnd(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    }
    buttons_ = args.buttons;
    firstId_ = 1;
    std::vector<TBBUTTON> records;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON b{};
        b.iBitmap = buttons_[i].separator ? 0 : buttons_[i].image;
        b.idCommand = firstId_ + static_cast<int>(i);
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = buttons_[i].separator ? BTNS_SEP : BTNS_BUTTON;
        records.push_back(b);
    }
    SendMessageA(Hwnd(), TB_ADDBUTTONSA, records.size(), reinterpret_cast<LPARAM>(records.data()));
    // The hints are asked for by the bar's tooltip window, in its own name.
    Claim(reinterpret_cast<HWND>(SendMessageA(Hwnd(), TB_GETTOOLTIPS, 0, 0)));
}

ToolBar::~ToolBar() {
    if (images_) ImageList_Destroy(images_);
}

void ToolBar::SetButtonEnabled(int index, bool enabled) {
    SendMessageA(Hwnd(), TB_ENABLEBUTTON, static_cast<WPARAM>(firstId_ + index), MAKELONG(enabled, 0));
}

bool ToolBar::ButtonEnabled(int index) const {
    return SendMessageA(Hwnd(), TB_ISBUTTONENABLED, static_cast<WPARAM>(firstId_ + index), 0) != 0;
}

void ToolBar::SetButtonsEnabled(std::span<const int> indexes, bool enabled) {
    for (int index : indexes) SetButtonEnabled(index, enabled);
}

bool ToolBar::ButtonsEnabled(std::span<const int> indexes) const {
    for (int index : indexes)
        if (!ButtonEnabled(index)) return false;
    return true;
}

std::string ToolBar::Hint(int index) const {
    return index >= 0 && index < static_cast<int>(buttons_.size()) ? buttons_[index].hint : "";
}

// The buttons report to the bar's parent as WM_COMMAND with the button's id and the bar as sender.
void ToolBar::OnCommand(int, int id) {
    const int index = id - firstId_;
    if (index >= 0 && index < static_cast<int>(buttons_.size())) Run(buttons_[index].onClick);
}

LRESULT ToolBar::OnNotify(NMHDR& header) {
    if (header.code == TTN_GETDISPINFOA) {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        const int index = static_cast<int>(header.idFrom) - firstId_;
        info.lpszText = const_cast<char*>(index >= 0 && index < static_cast<int>(buttons_.size())
                                              ? buttons_[index].hint
                                              : "");
    }
    return 0;
}

void CoolBar::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, REBARCLASSNAMEA, "",
                   WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | CCS_NODIVIDER | CCS_NORESIZE |
                       CCS_NOPARENTALIGN,
                   WS_EX_CONTROLPARENT, args.at, args.common);
}

void CoolBar::AddBand(Control& child, int minWidth, int minHeight) {
    REBARBANDINFOA band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.hwndChild = child.Hwnd();
    band.cxMinChild = static_cast<UINT>(Scale(minWidth));
    band.cyMinChild = static_cast<UINT>(Scale(minHeight));
    band.cx = static_cast<UINT>(Scale(minWidth));
    SendMessageA(Hwnd(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void Splitter::Create(HWND parent, const Args& args) {
    EnsureControlClass("TikoraSplitter", &Splitter::Proc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    vertical_ = args.vertical;
    live_ = args.live;
    CreateWindowed(parent, "TikoraSplitter", "", 0, 0, args.at, args.common);
}

int Splitter::PositionFor(int along) const {
    RECT box{};
    GetWindowRect(Hwnd(), &box);
    MapWindowPoints(nullptr, GetParent(Hwnd()), reinterpret_cast<POINT*>(&box), 2);
    return (vertical_ ? box.left : box.top) + along - grab_;
}

LRESULT CALLBACK Splitter::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = static_cast<Splitter*>(FromHandle(hwnd));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        Application::Instance().HandleError(std::current_exception());
        return 0;
    }
}

LRESULT Splitter::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const int along = vertical_ ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(vertical_ ? IDC_SIZEWE : IDC_SIZENS)));
            return TRUE;
        case WM_LBUTTONDOWN:
            dragging_ = true;
            grab_ = along;
            SetCapture(Hwnd());
            return 0;
        case WM_MOUSEMOVE:
            // The bar moves with the controls it resizes, so the position is read afresh each time.
            if (dragging_ && live_ && onMoved) onMoved(PositionFor(along));
            return 0;
        case WM_LBUTTONUP: {
            if (!dragging_) return 0;
            dragging_ = false;
            ReleaseCapture();
            const int position = PositionFor(along);
            if (onMoved) onMoved(position);
            return 0;
        }
        case WM_CAPTURECHANGED: dragging_ = false; return 0;
    }
    return DefWindowProcA(Hwnd(), message, wParam, lParam);
}

void LayOutSplitRow(HWND left, const Splitter& splitter, std::initializer_list<HWND> right, int top, int height,
                    int leftWidth, int splitterWidth, int width) {
    auto place = [top, height](HWND hwnd, int x, int w) {
        SetWindowPos(hwnd, nullptr, x, top, std::max(0, w), std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(left, 0, leftWidth);
    place(splitter.Hwnd(), leftWidth, splitterWidth);
    for (HWND pane : right) place(pane, leftWidth + splitterWidth, width - leftWidth - splitterWidth);
}

void ImageControl::Create(HWND parent, const Args& args) {
    CreateWindowed(parent, "STATIC", "", SS_BITMAP | SS_REALSIZECONTROL, 0, args.at, args.common);
    // Stored past the static's own WM_SETTEXT, which takes a picture control's text for the name
    // of a bitmap resource to load.
    if (*args.name) DefWindowProcA(Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.name));
}

void ImageControl::SetPicture(const Image& image) {
    UniqueBitmap bitmap = MakeBitmap(image);
    SendMessageA(Hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    // The control keeps a copy only of bitmaps it made itself; this one stays ours.
    bitmap_ = std::move(bitmap);
}

}  // namespace tikora::ui
