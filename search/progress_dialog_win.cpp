// The search progress dialog: layout, counters, "Stop" and the close box.
#include "search/progress_dialog_win.h"

#include <string>

#include "ui/dpi_win.h"

namespace tikora {

void CounterLabel::Create(HWND parent, ui::Bounds at) { label_.Create(parent, {.at = at, .noPrefix = true}); }

void CounterLabel::Blank() {
    shown_ = pending_ = -1;
    label_.SetText("");
}

void CounterLabel::Set(int value) {
    pending_ = value;
    if (value == shown_) return;
    // GetTickCount wraps after 49.7 days; the unsigned difference stays right across the wrap.
    const DWORD now = GetTickCount();
    if (shown_ < 0 || static_cast<DWORD>(now - shownAt_) >= kRepaintMs) Show(value, now);
}

void CounterLabel::Flush() {
    if (pending_ >= 0 && pending_ != shown_) Show(pending_, GetTickCount());
}

void CounterLabel::Show(long long value, DWORD now) {
    shown_ = value;
    shownAt_ = now;
    label_.SetText(std::to_string(value));
}

namespace {

// Sizes a caption to its text and returns where its counter starts: at the designed place, or
// just after the caption when the dialog font draws it wider than the design's font did.
int CounterLeft(ui::Label& caption, int designLeft) {
    HWND hwnd = caption.Hwnd();
    const std::string text = caption.Text();
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    RECT box{};
    GetWindowRect(hwnd, &box);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&box), 2);
    SetWindowPos(hwnd, nullptr, 0, 0, extent.cx, box.bottom - box.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int after = MulDiv(box.left + extent.cx, 96, ui::SystemDpi()) + 1;
    return designLeft > after ? designLeft : after;
}

}  // namespace

ProgressDialog::ProgressDialog(ui::FormName name, Layout layout)
    : ui::Form(ui::FormSpec{.className = name.className,
                            .caption = name.caption,
                            .border = ui::BorderStyle::Dialog,
                            .clientWidth = 219,
                            .clientHeight = 98}),
      layout_(layout) {}

ProgressDialog::~ProgressDialog() { Destroy(); }

void ProgressDialog::OnCreate() {
    foldersCaption_.Create(Hwnd(), {.at = {10, 10, 0, 13}, .text = "Folders found - ", .noPrefix = true});
    filesCaption_.Create(Hwnd(), {.at = {10, 35, 0, 13}, .text = "Files found - ", .noPrefix = true});
    folders_.Create(Hwnd(), {CounterLeft(foldersCaption_, layout_.folderCounterLeft), 10, 100, 13});
    files_.Create(Hwnd(), {CounterLeft(filesCaption_, layout_.fileCounterLeft), 35, 100, 13});
    stop_.Create(Hwnd(), {.at = {130, 62, 80, 25}, .text = "Stop"});
    stop_.onClick = [this] { OnClose(); };
}

void ProgressDialog::OnShow() {
    folders_.Blank();
    files_.Blank();
}

void ProgressDialog::OnClose() {
    folders_.Flush();
    files_.Flush();
    Hide();
    if (onStop) onStop();
}

}  // namespace tikora
