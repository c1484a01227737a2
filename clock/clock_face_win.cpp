#include "clock/clock_face_win.h"

#include <algorithm>

#include "clock/builtin_skin.h"
#include "core/bmp_reader.h"
#include "core/errors.h"
#include "ui/dpi_win.h"

namespace tikora {

namespace {

constexpr const char* kFaceClass = "TikoraClockFace";

// A 32-bit top-down DIB section holding the picture.
ui::UniqueBitmap MakeBitmap(const Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw AppError("Out of system resources");
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<uint32_t*>(bits));
    return ui::UniqueBitmap(bitmap);
}

// Reads the part of a skin file the glyphs use, with our own checked decoder: no system loader
// ever sees a broken file, and a huge picture costs only the strip.
Image ReadBitmapFile(const std::string& path) { return ReadBmpFile(path, kStripWidth, kStripHeight); }

}  // namespace

ClockFace::ClockFace() = default;

ClockFace::~ClockFace() {
    Destroy();
    if (digitDc_ && digitOld_) SelectObject(digitDc_.get(), digitOld_);
    if (separatorDc_ && separatorOld_) SelectObject(separatorDc_.get(), separatorOld_);
}

void ClockFace::CreateIn(HWND parent, Handlers handlers) {
    handlers_ = std::move(handlers);
    frameBitmap_ = MakeBitmap(RenderFrame());
    glyphs_.Load(RenderBuiltinSkin());
    RebuildGlyphBitmaps();
    ui::WindowSpec spec;
    spec.className = kFaceClass;
    spec.caption = "";
    spec.style = WS_CHILD | WS_VISIBLE;
    spec.owner = parent;
    spec.x = 0;
    spec.y = 0;
    spec.clientWidth = kFaceWidthWithSeconds;
    spec.clientHeight = kFaceHeight;
    spec.outerSize = true;
    spec.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    Create(spec);
}

void ClockFace::LoadSkin(const std::string& path) {
    Image picture = ReadBitmapFile(path);
    try {
        glyphs_.Load(picture);
    } catch (...) {
        RebuildGlyphBitmaps();
        throw;
    }
    RebuildGlyphBitmaps();
}

void ClockFace::ReplaceSkin(const std::string& path) {
    glyphs_.Replace(ReadBitmapFile(path));
    RebuildGlyphBitmaps();
}

void ClockFace::SetGlyphs(const GlyphSets& glyphs) {
    glyphs_ = glyphs;
    RebuildGlyphBitmaps();
}

void ClockFace::RebuildGlyphBitmaps() {
    auto rebuild = [](const GlyphSet& set, ui::UniqueMemoryDc& dc, ui::UniqueBitmap& bitmap, HGDIOBJ& old) {
        if (dc && old) SelectObject(dc.get(), old);
        old = nullptr;
        bitmap.reset();
        if (!set.Strip()) return;
        if (!dc) dc.reset(CreateCompatibleDC(nullptr));
        bitmap = MakeBitmap(*set.Strip());
        old = SelectObject(dc.get(), bitmap.get());
    };
    rebuild(glyphs_.digits, digitDc_, digitBitmap_, digitOld_);
    rebuild(glyphs_.separators, separatorDc_, separatorBitmap_, separatorOld_);
    // Old glyphs must not stay on the face: repaint the frame and draw anew.
    Invalidate();
}

void ClockFace::SetShowSecond(bool showSecond) {
    showSecond_ = showSecond;
    Invalidate();
}

void ClockFace::Invalidate() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
    stale_ = true;
}

void ClockFace::PaintFrame(HDC dc) {
    ui::UniqueMemoryDc source(CreateCompatibleDC(dc));
    ui::SelectedObject selected(source.get(), frameBitmap_.get());
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, ui::Scale(kFrameWidth), ui::Scale(kFrameHeight), source.get(), 0, 0, kFrameWidth,
               kFrameHeight, SRCCOPY);
    if (!showSecond_) {
        // The edge piece, the frame's rightmost columns, closes the narrow face on the right.
        StretchBlt(dc, ui::Scale(kEdgePieceLeft), 0, ui::Scale(kEdgePieceWidth), ui::Scale(kFrameHeight),
                   source.get(), kFrameWidth - kEdgePieceWidth, 0, kEdgePieceWidth, kFrameHeight, SRCCOPY);
    }
}

void ClockFace::Draw(const std::string& text, const FaceOptions& options) {
    FacePlan plan = PlanFace(text, options);
    // The glyphs stay on the window's surface until it repaints itself; copying the same cells
    // again fifty times a second would only cost CPU time.
    if (!stale_ && plan == lastPlan_) return;

    ui::WindowDc dc(Hwnd());
    if (!dc) return;
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    for (size_t i = 0; i < plan.count; ++i) {
        const GlyphDraw& draw = plan.draws[i];
        bool digit = draw.set == GlyphDraw::Set::Digit;
        const GlyphSet& set = digit ? glyphs_.digits : glyphs_.separators;
        if (!set.Has(draw.cell)) continue;
        HDC source = digit ? digitDc_.get() : separatorDc_.get();
        int width = set.CellWidth();
        StretchBlt(dc.get(), ui::Scale(draw.x), ui::Scale(kGlyphTop), ui::Scale(width), ui::Scale(kCellHeight), source,
                   draw.cell * width, 0, width, kCellHeight, SRCCOPY);
    }
    lastPlan_ = plan;
    stale_ = false;
    // The face carries what it shows, for screen readers; set only when it changes.
    std::string shown = options.showSecond ? text : text.substr(0, 5);
    if (shown != lastText_) {
        lastText_ = shown;
        SetWindowTextA(Hwnd(), shown.c_str());
    }
}

LRESULT ClockFace::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            ui::PaintDc dc(Hwnd());
            PaintFrame(dc.get());
            stale_ = true;
            return 0;
        }
        // The window class asks for double clicks, so a quick second press of the right or the
        // middle button arrives as a double click: it is a press like any other.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (handlers_.pressed) handlers_.pressed();
            return 0;
        case WM_LBUTTONDBLCLK:
            if (handlers_.doubleClicked) handlers_.doubleClicked();
            return 0;
        case WM_GETDLGCODE: return DLGC_STATIC;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace tikora
