#include "clock/tray_win.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "clock/cd_drives.h"
#include "core/errors.h"
#include "ui/dpi_win.h"
#include "ui/file_dialogs_win.h"

namespace tikora {

bool SystemNotifyArea::Notify(DWORD message, const NOTIFYICONDATAA& record) {
    NOTIFYICONDATAA copy = record;
    return Shell_NotifyIconA(message, &copy) != FALSE;
}

// The record's size is what the shell reads first; the first form is the one every version knows.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == kTrayIconRecordSize);

NOTIFYICONDATAA TrayIconKey(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    return record;
}

NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon, std::string_view tip) {
    NOTIFYICONDATAA record = TrayIconKey(window);
    record.uFlags = kTrayIconFlags;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    // The first form of the record holds 64 characters of tip, the terminating NUL included; the
    // header's field is longer, but a shell reading the first form stops at 64.
    constexpr size_t kFirstFormTip = 64;
    size_t length = std::min(tip.size(), kFirstFormTip - 1);
    tip.copy(record.szTip, length);
    record.szTip[length] = '\0';
    return record;
}

std::optional<std::string> SystemIconFileChooser::Choose(HWND owner, const std::string& startFolder) {
    return ui::SystemFileOpenDialog().Choose(owner, kTrayIconFilter, startFolder);
}

namespace {

constexpr COLORREF kNone = CLR_INVALID;

// Drawing in a 16 x 16 design grid, scaled to the picture's real size and placed at `origin`.
// `ground` is the menu's background, for the holes in a shape.
class Sketch {
public:
    Sketch(HDC dc, POINT origin, int size, COLORREF ground)
        : ground(ground), dc_(dc), origin_(origin), size_(size) {}

    const COLORREF ground;

    int U(int v) const { return MulDiv(v, size_, kMenuPictureSize); }
    int X(int v) const { return origin_.x + U(v); }
    int Y(int v) const { return origin_.y + U(v); }

    void Rect(int l, int t, int r, int b, COLORREF fill, COLORREF outline = kNone) {
        Tools tools(dc_, fill, outline, 1);
        Rectangle(dc_, X(l), Y(t), X(r), Y(b));
    }
    void Ellipse(int l, int t, int r, int b, COLORREF fill, COLORREF outline = kNone, int width = 1) {
        Tools tools(dc_, fill, outline, width);
        ::Ellipse(dc_, X(l), Y(t), X(r), Y(b));
    }
    void Line(int x1, int y1, int x2, int y2, COLORREF colour, int width = 1) {
        Tools tools(dc_, kNone, colour, width);
        MoveToEx(dc_, X(x1), Y(y1), nullptr);
        LineTo(dc_, X(x2), Y(y2));
    }
    void Polygon(std::initializer_list<POINT> points, COLORREF fill) {
        std::vector<POINT> scaled;
        for (POINT p : points) scaled.push_back({X(p.x), Y(p.y)});
        Tools tools(dc_, fill, kNone, 1);
        ::Polygon(dc_, scaled.data(), static_cast<int>(scaled.size()));
    }
    void Arc(int l, int t, int r, int b, POINT from, POINT to, COLORREF colour, int width) {
        Tools tools(dc_, kNone, colour, width);
        ::Arc(dc_, X(l), Y(t), X(r), Y(b), X(from.x), Y(from.y), X(to.x), Y(to.y));
    }

private:
    // Brush and pen for one primitive; kNone leaves the interior or the outline undrawn.
    class Tools {
    public:
        Tools(HDC dc, COLORREF fill, COLORREF outline, int width)
            : dc_(dc),
              brush_(fill == kNone ? nullptr : CreateSolidBrush(fill)),
              pen_(outline == kNone ? nullptr : CreatePen(PS_SOLID, width, outline)),
              oldBrush_(SelectObject(dc, brush_ ? brush_.get() : GetStockObject(NULL_BRUSH))),
              oldPen_(SelectObject(dc, pen_ ? pen_.get() : GetStockObject(NULL_PEN))) {}
        ~Tools() {
            SelectObject(dc_, oldBrush_);
            SelectObject(dc_, oldPen_);
        }
        Tools(const Tools&) = delete;
        Tools& operator=(const Tools&) = delete;

    private:
        HDC dc_;
        ui::UniqueBrush brush_;
        ui::UniquePen pen_;
        HGDIOBJ oldBrush_;
        HGDIOBJ oldPen_;
    };

    HDC dc_;
    POINT origin_;
    int size_;
};

void DrawClock(Sketch& s, COLORREF rim) {
    s.Ellipse(1, 1, 15, 15, RGB(255, 255, 255), rim, 2);
    s.Line(8, 8, 8, 4, RGB(0, 0, 0), 1);
    s.Line(8, 8, 11, 8, RGB(0, 0, 0), 1);
}

void DrawDisc(Sketch& s) {
    s.Ellipse(1, 1, 15, 15, RGB(200, 200, 210), RGB(90, 90, 100));
    s.Ellipse(6, 6, 10, 10, s.ground, RGB(90, 90, 100));
}

constexpr std::array<std::array<int, 4>, 4> kGearTeeth{{{8, 0, 8, 16}, {0, 8, 16, 8}, {2, 2, 14, 14}, {2, 14, 14, 2}}};

void DrawPicture(Sketch& s, MenuPicture picture) {
    const COLORREF black = RGB(0, 0, 0);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF grey = RGB(128, 128, 128);
    const COLORREF blue = RGB(30, 90, 200);
    const COLORREF green = RGB(30, 150, 60);
    const COLORREF red = RGB(210, 30, 30);
    const COLORREF yellow = RGB(250, 210, 40);
    switch (picture) {
    case MenuPicture::None: break;
    case MenuPicture::Settings:
        for (const auto& [x1, y1, x2, y2] : kGearTeeth) s.Line(x1, y1, x2, y2, grey, s.U(3));
        s.Ellipse(3, 3, 13, 13, grey);
        s.Ellipse(6, 6, 10, 10, s.ground);
        break;
    case MenuPicture::Skin:
        s.Rect(0, 3, 16, 13, black);
        s.Rect(2, 5, 7, 11, kNone, RGB(0, 220, 0));
        s.Rect(9, 5, 14, 11, kNone, RGB(0, 220, 0));
        s.Line(2, 8, 7, 8, RGB(0, 220, 0));
        s.Line(9, 8, 14, 8, RGB(0, 220, 0));
        break;
    case MenuPicture::TrayIcon:
        s.Rect(2, 1, 13, 9, white, black);
        s.Rect(0, 10, 16, 16, grey);
        s.Rect(11, 11, 15, 15, blue);
        break;
    case MenuPicture::TagEditor:
        s.Ellipse(2, 10, 8, 15, black);
        s.Line(7, 12, 7, 2, black, s.U(2));
        s.Line(7, 2, 13, 5, black, s.U(2));
        break;
    case MenuPicture::Timer: DrawClock(s, red); break;
    case MenuPicture::Information:
    case MenuPicture::About:
        s.Ellipse(1, 1, 15, 15, picture == MenuPicture::About ? green : blue);
        s.Rect(7, 7, 9, 13, white);
        s.Rect(7, 3, 9, 5, white);
        break;
    case MenuPicture::Calendar:
        s.Rect(1, 2, 15, 15, white, black);
        s.Rect(1, 2, 15, 6, red);
        for (int y : {8, 11})
            for (int x : {3, 6, 9, 12}) s.Rect(x, y, x + 2, y + 2, grey);
        break;
    case MenuPicture::Pictures:
        s.Rect(0, 2, 16, 14, RGB(150, 200, 250), black);
        s.Polygon({{1, 13}, {6, 6}, {10, 11}, {12, 8}, {15, 13}}, green);
        s.Ellipse(10, 3, 14, 7, yellow);
        break;
    case MenuPicture::Search:
        s.Ellipse(1, 1, 10, 10, RGB(200, 230, 255), black, s.U(2));
        s.Line(9, 9, 15, 15, black, s.U(3));
        break;
    case MenuPicture::Calculator:
        s.Rect(2, 0, 14, 16, grey, black);
        s.Rect(4, 2, 12, 5, RGB(180, 230, 180));
        for (int y : {7, 10, 13})
            for (int x : {4, 7, 10}) s.Rect(x, y, x + 2, y + 2, white);
        break;
    case MenuPicture::Alarm:
        s.Ellipse(3, 2, 13, 12, yellow, black);
        s.Rect(3, 7, 13, 12, yellow);
        s.Line(1, 12, 15, 12, black, s.U(2));
        s.Ellipse(7, 12, 10, 15, black);
        break;
    case MenuPicture::Reminder:
        s.Rect(2, 1, 14, 15, yellow, black);
        for (int y : {4, 7, 10}) s.Line(4, y, 12, y, grey);
        break;
    case MenuPicture::Links:
        s.Ellipse(1, 1, 15, 15, RGB(120, 180, 250), blue);
        s.Ellipse(5, 1, 11, 15, kNone, blue);
        s.Line(1, 8, 15, 8, blue);
        break;
    case MenuPicture::ShowClock: DrawClock(s, green); break;
    case MenuPicture::HideClock: DrawClock(s, grey); break;
    case MenuPicture::Close:
        s.Line(3, 3, 13, 13, red, s.U(3));
        s.Line(13, 3, 3, 13, red, s.U(3));
        break;
    case MenuPicture::TurnOff:
        s.Arc(2, 2, 14, 14, {5, 0}, {11, 0}, red, s.U(2));
        s.Line(8, 1, 8, 8, red, s.U(2));
        break;
    case MenuPicture::Restart:
        s.Arc(2, 2, 14, 14, {8, 0}, {16, 8}, green, s.U(2));
        s.Polygon({{8, 0}, {12, 3}, {8, 6}}, green);
        break;
    case MenuPicture::ClearDocuments:
        s.Rect(4, 4, 12, 15, RGB(190, 190, 190), black);
        s.Line(2, 3, 14, 3, black, s.U(2));
        for (int x : {6, 8, 10}) s.Line(x, 6, x, 13, grey);
        break;
    case MenuPicture::HotKeys:
        s.Rect(1, 4, 15, 13, RGB(220, 220, 220), black);
        s.Rect(3, 6, 13, 10, white);
        break;
    case MenuPicture::OpenCd:
        DrawDisc(s);
        s.Polygon({{8, 0}, {14, 6}, {2, 6}}, green);
        break;
    case MenuPicture::CloseCd:
        DrawDisc(s);
        s.Polygon({{2, 10}, {14, 10}, {8, 16}}, green);
        break;
    }
}

void InsertItem(HMENU menu, const MenuItem& item) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    std::string caption = item.caption;
    ui::UniqueMenu submenu;
    if (item.kind == MenuItemKind::Separator) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.fType = item.radio ? MFT_RADIOCHECK : MFT_STRING;
        info.fState = (item.enabled ? MFS_ENABLED : MFS_DISABLED) | (item.isDefault ? MFS_DEFAULT : 0u) |
                      (item.checked ? MFS_CHECKED : MFS_UNCHECKED);
        info.wID = static_cast<UINT>(MenuCommandId(item.command, item.index));
        info.dwTypeData = caption.data();
        info.cch = static_cast<UINT>(caption.size());
        if (item.picture != MenuPicture::None) {
            // Drawn on request by the menus' own owner window, see TrayMenus::MenuWindowProc.
            info.fMask |= MIIM_BITMAP | MIIM_DATA;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = static_cast<ULONG_PTR>(item.picture);
        }
        if (item.kind == MenuItemKind::Submenu) {
            submenu = BuildPopupMenu(item.children);
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
        }
    }
    if (!InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info))
        throw AppError("Cannot build the menu item " + item.caption);
    submenu.release();  // the parent menu owns it now
}

// The chooser's own submenu: found in the model, where it exists even while every item is hidden.
bool IsChooser(const MenuItem& item) {
    return item.kind == MenuItemKind::Submenu && !item.children.empty() &&
           item.children.front().command == MenuCommand::ChooseCd;
}

}  // namespace

void DrawMenuPicture(HDC dc, const RECT& box, MenuPicture picture, bool selected) {
    const int size = std::min({ui::Scale(kMenuPictureSize), static_cast<int>(box.right - box.left),
                               static_cast<int>(box.bottom - box.top)});
    POINT origin{box.left + (box.right - box.left - size) / 2, box.top + (box.bottom - box.top - size) / 2};
    Sketch sketch(dc, origin, size, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    DrawPicture(sketch, picture);
}

void AppendMenuItems(HMENU menu, const Menu& model) {
    for (const MenuItem& item : model)
        if (item.visible) InsertItem(menu, item);
}

ui::UniqueMenu BuildPopupMenu(const Menu& model) {
    ui::UniqueMenu menu(CreatePopupMenu());
    if (!menu) throw AppError("Out of system resources");
    AppendMenuItems(menu.get(), model);
    return menu;
}

TrayMenus::TrayMenus() : mainModel_(BuildMainMenu()), powerModel_(BuildPowerMenu()) {
    main_ = BuildPopupMenu(mainModel_);
    power_ = BuildPopupMenu(powerModel_);
    // The chooser's items all start hidden, so its submenu is found by its position.
    int position = 0;
    for (const MenuItem& item : powerModel_) {
        if (!item.visible) continue;
        if (IsChooser(item)) chooser_ = GetSubMenu(power_.get(), position);
        ++position;
    }
}

void TrayMenus::SetEnabled(MenuCommand command, bool enabled) {
    for (Menu* model : {&mainModel_, &powerModel_}) {
        if (MenuItem* item = FindMenuItem(*model, command)) {
            item->enabled = enabled;
            HMENU menu = model == &mainModel_ ? Main() : Power();
            EnableMenuItem(menu, static_cast<UINT>(MenuCommandId(command)),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
}

void TrayMenus::ShowCdChooser(const CdChooser& chooser) {
    ApplyCdChooser(powerModel_, chooser);
    if (!chooser_) return;
    while (GetMenuItemCount(chooser_) > 0) DeleteMenu(chooser_, 0, MF_BYPOSITION);
    for (const MenuItem& item : powerModel_)
        if (IsChooser(item)) AppendMenuItems(chooser_, item.children);
}

namespace {
constexpr const char* kMenuWindowClass = "TikoraTrayMenuOwner";

bool IsPicture(ULONG_PTR data) {
    return data > static_cast<ULONG_PTR>(MenuPicture::None) && data <= static_cast<ULONG_PTR>(kLastMenuPicture);
}
}  // namespace

TrayMenus::~TrayMenus() {
    if (menuWindow_) DestroyWindow(menuWindow_);
}

void TrayMenus::CreateMenuWindow(HWND owner) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &TrayMenus::MenuWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kMenuWindowClass;
    RegisterClassExA(&wc);  // fails harmlessly when the class exists already
    // A tool window has no taskbar button; it never gets a size, so nothing of it is drawn.
    menuWindow_ = CreateWindowExA(WS_EX_TOOLWINDOW, kMenuWindowClass, "", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                                  GetModuleHandleA(nullptr), this);
    if (!menuWindow_) throw AppError("Out of system resources");
}

LRESULT CALLBACK TrayMenus::MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayMenus*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure->CtlType != ODT_MENU || !IsPicture(measure->itemData)) break;
            measure->itemWidth = static_cast<UINT>(ui::Scale(kMenuPictureSize));
            measure->itemHeight = static_cast<UINT>(ui::Scale(kMenuPictureSize));
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (draw->CtlType != ODT_MENU || !IsPicture(draw->itemData)) break;
            DrawMenuPicture(draw->hDC, draw->rcItem, static_cast<MenuPicture>(draw->itemData),
                            (draw->itemState & ODS_SELECTED) != 0);
            ++self->picturesDrawn_;
            return TRUE;
        }
        case WM_ACTIVATE:
            // Under Wine a press on the desktop hands it the foreground while the menu loop runs
            // on; losing the activation ends the menu as a press elsewhere does on Windows.
            if (LOWORD(wParam) == WA_INACTIVE && self->tracking_) EndMenu();
            break;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int TrayMenus::Track(TrayMenu which, POINT at, HWND owner) {
    // A tray click that the open menu's loop dispatches must not open a second menu inside it.
    if (tracking_) return 0;
    if (!menuWindow_) CreateMenuWindow(owner);
    // The menu's owner must be the foreground window, or the menu would not close when the user
    // presses elsewhere. It must also be a shown window: Wine gives the X keyboard focus only to
    // a shown window, and without it Esc and the arrow keys never reach the menu. Shown without
    // a size at the pointer, under the menu, it shows nothing; the clock is never activated.
    SetWindowPos(menuWindow_, nullptr, at.x, at.y, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetForegroundWindow(menuWindow_);
    tracking_ = true;
    int id = static_cast<int>(TrackPopupMenu(MenuFor(which),
                                             TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD |
                                                 TPM_NONOTIFY,
                                             at.x, at.y, 0, menuWindow_, nullptr));
    tracking_ = false;
    // Hiding the active window would activate the next window in line, the clock perhaps: the
    // hidden owner takes the foreground back first, as it had it before the menu.
    if (GetForegroundWindow() == menuWindow_) SetForegroundWindow(owner);
    ShowWindow(menuWindow_, SW_HIDE);
    // This message lets the owner's switch to the foreground finish, or the next menu would
    // close as soon as it opens.
    PostMessageA(owner, WM_NULL, 0, 0);
    return id;
}

}  // namespace tikora
