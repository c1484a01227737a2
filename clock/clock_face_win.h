#pragma once
// The clock face: a child control over the clock window's whole client area. It holds the glyph
// bitmaps of the skin and the frame, draws the time, carries the shown time as its text so screen
// readers can read what is drawn, and takes the mouse for its owner.
#include <windows.h>

#include <functional>
#include <string>

#include "clock/face.h"
#include "clock/glyphs.h"
#include "ui/handles_win.h"
#include "ui/window_win.h"

namespace tikora {

class ClockFace final : public ui::Window {
public:
    struct Handlers {
        std::function<void()> pressed;        // any button pressed: the drag starts
        std::function<void()> doubleClicked;  // left double click
    };

    ClockFace();
    ~ClockFace() override;

    // Creates the control in the clock window, with the built-in skin and frame.
    void CreateIn(HWND parent, Handlers handlers);

    // Loads a skin strip; throws PictureError when the file is not a readable bitmap and AppError
    // "Invalid image size" when it is too small (the glyphs are gone then).
    void LoadSkin(const std::string& path);
    // As LoadSkin, but a picture below the strip size is refused before the glyphs are touched.
    void ReplaceSkin(const std::string& path);
    // Puts glyph sets back, for instance the previous ones after a skin was refused.
    void SetGlyphs(const GlyphSets& glyphs);
    const GlyphSets& Glyphs() const { return glyphs_; }

    // The layout with seconds or without: the frame's edge piece closes the narrow face.
    void SetShowSecond(bool showSecond);
    // Draws what the plan for `text` shows. Nothing is copied while the plan is the one already
    // on the surface.
    void Draw(const std::string& text, const FaceOptions& options);
    // The surface must be drawn in full at the next draw (the window was shown or resized).
    void Invalidate();
    // The glyphs are copied again at the next draw, without a repaint of the frame in between:
    // for a face whose frame has just been painted.
    void RedrawGlyphs() { stale_ = true; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintFrame(HDC dc);
    void RebuildGlyphBitmaps();

    Handlers handlers_;
    GlyphSets glyphs_;
    ui::UniqueMemoryDc digitDc_;
    ui::UniqueBitmap digitBitmap_;
    ui::UniqueMemoryDc separatorDc_;
    ui::UniqueBitmap separatorBitmap_;
    HGDIOBJ digitOld_ = nullptr;
    HGDIOBJ separatorOld_ = nullptr;
    ui::UniqueBitmap frameBitmap_;
    bool showSecond_ = false;
    std::string lastText_;
    FacePlan lastPlan_;
    bool stale_ = true;
};

}  // namespace tikora
