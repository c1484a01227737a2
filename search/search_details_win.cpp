// Filling the details panel: find record, shell icon and names, times through the DOS step.
#include "search/search_details_win.h"

#include <shellapi.h>

#include "core/datetime.h"
#include "search/search_pictures.h"
#include "search/search_texts.h"
#include "ui/bitmap_win.h"
#include "ui/dpi_win.h"

namespace tikora {

namespace {

constexpr int kIconSize = 32;
constexpr DWORD kMarkBits[4] = {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                                FILE_ATTRIBUTE_ARCHIVE};
constexpr const char* kMarkNames[4] = {"Read-only", "Hidden", "System", "Archive"};

uint32_t WindowColour() {
    const COLORREF c = GetSysColor(COLOR_WINDOW);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The window colour behind the panel and behind the labels on it.
LRESULT WindowColoured(const ui::Subclass& subclass, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT r{};
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_WINDOW));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    return subclass.Previous(hwnd, message, wParam, lParam);
}

std::optional<DateTime> LocalDosTime(const FILETIME& time) {
    FILETIME local{};
    WORD date = 0;
    WORD clock = 0;
    // Outside 1980..2107 the conversion fails: the line then shows no date rather than garbage.
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToDosDateTime(&local, &date, &clock)) return std::nullopt;
    return FromDosDateTime(date, clock);
}

}  // namespace

void DetailsPanel::Create(HWND form, ui::Bounds at) {
    panel_.Create(form, {.at = at, .outer = ui::Panel::Bevel::None});
    panelColour_.Install(panel_.Hwnd(), [this](HWND h, UINT m, WPARAM w, LPARAM l) {
        return WindowColoured(panelColour_, h, m, w, l);
    });
    HWND panel = panel_.Hwnd();
    auto place = [&at](int x, int y, int width, int height) { return ui::Bounds{at.x + x, at.y + y, width, height}; };
    iconFrame_.Create(panel, {.at = place(8, 8, 37, 37), .outer = ui::Panel::Bevel::Lowered, .inner = ui::Panel::Bevel::Raised});
    frameColour_.Install(iconFrame_.Hwnd(), [this](HWND h, UINT m, WPARAM w, LPARAM l) {
        return WindowColoured(frameColour_, h, m, w, l);
    });
    const RECT iconBox = ui::ScaleRect(2, 2, kIconSize, kIconSize);
    icon_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZECONTROL, iconBox.left,
                            iconBox.top, iconBox.right - iconBox.left, iconBox.bottom - iconBox.top, iconFrame_.Hwnd(),
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    constexpr int kWide = 1200;  // the labels are clipped by the panel, never by themselves
    name_.Create(panel, {.at = place(8, 55, kWide, 13), .text = "File name:", .noPrefix = true});
    location_.Create(panel, {.at = place(8, 75, kWide, 13), .text = "Location:", .noPrefix = true});
    type_.Create(panel, {.at = place(7, 95, kWide, 13), .text = "Type of file:    ", .noPrefix = true});
    size_.Create(panel, {.at = place(8, 115, kWide, 13), .text = "Size:", .noPrefix = true});
    created_.Create(panel, {.at = place(8, 135, kWide, 13), .text = "Created:", .noPrefix = true});
    modified_.Create(panel, {.at = place(8, 155, kWide, 13), .text = "Modified:", .noPrefix = true});
    attributes_.Create(panel, {.at = place(8, 181, 100, 13), .text = "Attributes:"});
    const uint32_t background = WindowColour();
    for (int i = 0; i < 4; ++i) {
        const int top = 205 + 25 * i;
        boxes_[i].Create(panel, {.at = place(8, top, 13, 13)});
        boxes_[i].SetPicture(AttributeBoxPicture(false, background));
        ticks_[i].Create(panel, {.at = place(8, top, 13, 13), .common = {.visible = false}});
        ticks_[i].SetPicture(AttributeBoxPicture(true, background));
        markNames_[i].Create(panel, {.at = place(30, top, 100, 13), .text = kMarkNames[i]});
        // The ticked box lies over the empty one.
        SetWindowPos(ticks_[i].Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    PaintIcon(nullptr);
}

void DetailsPanel::Clear() {
    for (auto& tick : ticks_) tick.SetVisible(false);
    name_.SetText("File name: ");
    type_.SetText("Type of file: ");
    size_.SetText("Size: ");
    created_.SetText("Created: ");
    modified_.SetText("Modified: ");
    location_.SetText("Location: ");
    PaintIcon(nullptr);
}

void DetailsPanel::PaintIcon(HICON icon) {
    const int size = ui::Scale(kIconSize);
    Image blank(size, size, WindowColour());
    ui::UniqueBitmap picture = ui::MakeBitmap(blank);
    if (icon) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, picture.get());
        DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    SendMessageA(icon_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    iconPicture_ = std::move(picture);
}

void DetailsPanel::Fill(const std::string& path) {
    Clear();
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    FindClose(find);

    SHFILEINFOA info{};
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON) && info.hIcon) {
        PaintIcon(info.hIcon);
        DestroyIcon(info.hIcon);
    }
    SHFILEINFOA names{};
    SHGetFileInfoA(path.c_str(), 0, &names, sizeof names, SHGFI_DISPLAYNAME);
    name_.SetText(std::string("File name:  ") + names.szDisplayName);
    SHFILEINFOA type{};
    SHGetFileInfoA(path.c_str(), 0, &type, sizeof type, SHGFI_TYPENAME);
    type_.SetText(std::string("Type of file:  ") + type.szTypeName);
    location_.SetText("Location:  " + LocationText(path));
    for (int i = 0; i < 4; ++i) ticks_[i].SetVisible((data.dwFileAttributes & kMarkBits[i]) != 0);
    created_.SetText(FileTimeLine("Created:", LocalDosTime(data.ftCreationTime)));
    modified_.SetText(FileTimeLine("Modified:", LocalDosTime(data.ftLastWriteTime)));
    const uint64_t bytes = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    size_.SetText(SizeText(bytes, GetFormatSettings().decimalSeparator));
}

std::array<std::string, 6> DetailsPanel::Texts() const {
    return {name_.Text(), location_.Text(), type_.Text(), size_.Text(), created_.Text(), modified_.Text()};
}

std::array<bool, 4> DetailsPanel::Marks() const {
    std::array<bool, 4> marks{};
    for (int i = 0; i < 4; ++i) marks[i] = (GetWindowLongA(ticks_[i].Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
    return marks;
}

}  // namespace tikora
