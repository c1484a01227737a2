// The picture box: its window class, where the picture goes, and drawing each kind of picture.
#include "viewer/picture_box_win.h"

#include <algorithm>

#include "core/errors.h"
#include "ui/application_win.h"
#include "ui/bitmap_win.h"
#include "ui/dpi_win.h"
#include "ui/font_win.h"
#include "viewer/picture_decoder.h"

namespace tikora {

namespace {

SIZE ContentSize(const LoadedPicture& picture) {
    if (picture.bitmap) {
        // A decoded picture may already be at its fitted size: draw what the bitmap holds.
        BITMAP info{};
        GetObjectA(picture.bitmap.get(), sizeof info, &info);
        return {info.bmWidth, std::abs(info.bmHeight)};
    }
    return {picture.width, picture.height};
}

}  // namespace

void PictureBox::Create(HWND parent, const Args& args) {
    ui::EnsureControlClass("TikoraPictureBox", &PictureBox::Proc);
    background_ = args.background;
    cursor_ = args.cursor ? args.cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    brush_.reset(CreateSolidBrush(background_));
    CreateWindowed(parent, "TikoraPictureBox", args.text, WS_CLIPSIBLINGS, 0, args.at, args.common);
}

void PictureBox::SetPicture(LoadedPicture picture) {
    picture_ = std::move(picture);
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void PictureBox::Clear() { SetPicture(LoadedPicture{}); }

bool PictureBox::HasPicture() const { return picture_.bitmap || picture_.icon || picture_.metafile; }

RECT PictureBox::PictureRect() const {
    if (!HasPicture()) return RECT{};
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const SIZE content = ContentSize(picture_);
    const ShownSize shown = FitInto(content.cx, content.cy, client.right, client.bottom);
    const int left = (client.right - shown.width) / 2;
    const int top = (client.bottom - shown.height) / 2;
    return RECT{left, top, left + shown.width, top + shown.height};
}

LRESULT CALLBACK PictureBox::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = static_cast<PictureBox*>(FromHandle(hwnd));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        if (Route(message, wParam, lParam, result)) return result;
        switch (message) {
            case WM_ERASEBKGND: return 1;  // WM_PAINT fills everything
            case WM_PAINT: self->Paint(); return 0;
            case WM_SIZE:
                InvalidateRect(hwnd, nullptr, FALSE);
                return 0;
            case WM_SETCURSOR:
                if (LOWORD(lParam) == HTCLIENT) {
                    SetCursor(self->cursor_);
                    return TRUE;
                }
                break;
            case WM_LBUTTONUP:
                if (self->onClick) self->onClick();
                return 0;
        }
    } catch (...) {
        ui::Application::Instance().HandleError(std::current_exception());
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void PictureBox::Paint() {
    ui::PaintDc paint(Hwnd());
    HDC dc = paint.get();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const RECT at = PictureRect();
    // The ground around the picture, without flicker under it.
    ExcludeClipRect(dc, at.left, at.top, at.right, at.bottom);
    FillRect(dc, &client, brush_.get());
    SelectClipRgn(dc, nullptr);
    if (!HasPicture()) return;
    const int width = at.right - at.left;
    const int height = at.bottom - at.top;
    if (picture_.bitmap) {
        ui::UniqueMemoryDc memory(CreateCompatibleDC(dc));
        ui::SelectedObject selected(memory.get(), picture_.bitmap.get());
        const SIZE content = ContentSize(picture_);
        if (content.cx == width && content.cy == height) {
            BitBlt(dc, at.left, at.top, width, height, memory.get(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            SetBrushOrgEx(dc, 0, 0, nullptr);
            StretchBlt(dc, at.left, at.top, width, height, memory.get(), 0, 0, content.cx, content.cy, SRCCOPY);
        }
    } else if (picture_.icon) {
        DrawIconEx(dc, at.left, at.top, picture_.icon.get(), width, height, 0, nullptr, DI_NORMAL);
    } else {
        PlayEnhMetaFile(dc, picture_.metafile.get(), &at);
    }
}

LoadedPicture MakePlaceholderPicture() {
    constexpr int kWidth = 195, kHeight = 32;
    Image image(kWidth, kHeight);
    // A grey gradient from light at the top to darker at the bottom.
    for (int y = 0; y < kHeight; ++y) {
        const unsigned level = 236 - static_cast<unsigned>(y * 56 / (kHeight - 1));
        for (int x = 0; x < kWidth; ++x) image.At(x, y) = Rgb(level, level, level);
    }
    LoadedPicture picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.bitmap = ui::MakeBitmap(image);
    // The words, drawn onto the gradient once.
    HDC screen = GetDC(nullptr);
    ui::UniqueMemoryDc memory(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    ui::UniqueFont font = ui::MakeDialogFont(ui::FontBase::Designer, FW_BOLD);
    ui::SelectedObject bitmap(memory.get(), picture.bitmap.get());
    ui::SelectedObject selected(memory.get(), font.get());
    SetBkMode(memory.get(), TRANSPARENT);
    SetTextColor(memory.get(), RGB(64, 64, 64));
    RECT r{0, 0, kWidth, kHeight};
    DrawTextA(memory.get(), kNoPreviewText, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return picture;
}

}  // namespace tikora
