#pragma once
// A picture on a plain ground: drawn centred, and shrunk proportionally (never enlarged) when it
// is larger than the control. The viewer's pane, its placeholder and the full-screen views use it.
// Its window text names what it shows, for screen readers ("No preview available" for the
// placeholder, whose words are part of its picture).
#include <windows.h>

#include <functional>

#include "ui/control_win.h"
#include "viewer/picture_file_win.h"

namespace tikora {

class PictureBox final : public ui::Control {
public:
    struct Args {
        ui::Bounds at;
        COLORREF background = GetSysColor(COLOR_BTNFACE);
        const char* text = "";
        HCURSOR cursor = nullptr;  // null: the arrow
        ui::CommonArgs common;
    };
    void Create(HWND parent, const Args& args);

    void SetPicture(LoadedPicture picture);
    void Clear();
    bool HasPicture() const;
    const LoadedPicture& Picture() const { return picture_; }

    // Where the picture lands in the client area (device pixels); empty without a picture.
    RECT PictureRect() const;

    std::function<void()> onClick;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Paint();

    LoadedPicture picture_;
    COLORREF background_ = 0;
    HCURSOR cursor_ = nullptr;
    ui::UniqueBrush brush_;
};

// The placeholder's picture: the words "No preview available" on a grey gradient, 195 x 32.
LoadedPicture MakePlaceholderPicture();
inline constexpr const char* kNoPreviewText = "No preview available";

}  // namespace tikora
