#pragma once
// The search window's details panel: the selected file's large shell icon, display name,
// folder, type, size, times and four attribute marks, read afresh from the file system at
// every fill.
#include <array>
#include <string>

#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/handles_win.h"
#include "ui/subclass_win.h"

namespace tikora {

class DetailsPanel {
public:
    // `at` is the panel's place in the form's client area (96-DPI pixels).
    void Create(HWND form, ui::Bounds at);
    HWND Hwnd() const { return panel_.Hwnd(); }
    void SetBounds(const ui::Bounds& at) { panel_.SetBounds(at); }

    // Cleared texts, no marks, the icon painted over.
    void Clear();
    // Clears, then shows `path`; stays cleared when the file has gone.
    void Fill(const std::string& path);

    // The texts as shown, in the order name, location, type, size, created, modified.
    std::array<std::string, 6> Texts() const;
    // The marks shown: read-only, hidden, system, archive.
    std::array<bool, 4> Marks() const;

private:
    void PaintIcon(HICON icon);

    ui::Panel panel_;
    ui::Panel iconFrame_;
    ui::Subclass panelColour_;
    ui::Subclass frameColour_;
    HWND icon_ = nullptr;
    ui::UniqueBitmap iconPicture_;
    ui::Label name_, location_, type_, size_, created_, modified_, attributes_;
    std::array<ui::ImageControl, 4> boxes_;
    std::array<ui::ImageControl, 4> ticks_;
    std::array<ui::Label, 4> markNames_;
};

}  // namespace tikora
