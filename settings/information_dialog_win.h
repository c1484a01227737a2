#pragma once
// The information dialog: a picture of the left-click tray menu and one line under it. Created
// once at start, shown and hidden.
#include <windows.h>

#include "ui/common_controls_win.h"
#include "ui/controls_win.h"
#include "ui/form_win.h"
#include "ui/handles_win.h"

namespace tikora {

inline constexpr const char* kInformationText = "Left click on the icon";
// The picture in words, for screen readers.
inline constexpr const char* kInformationPictureName =
    "The tray icon's left-click menu: Turn off, Restart, Start Menu, Hot keys, Choose..., Open CD, Close CD";
// The bitmap resource of the picture (resources/pictures.rc).
inline constexpr const char* kInformationPicture = "INFORMATION";

class InformationDialog final : public ui::Form {
public:
    // The class name and caption come from the window catalogue.
    explicit InformationDialog(ui::FormName name);
    ~InformationDialog() override;

    // Whether the picture was found in the program's resources.
    bool HasPicture() const { return hasPicture_; }

protected:
    void OnCreate() override;
    // Enter and Esc hide the dialog, as the close box does.
    void OnCommand(int id, int code, HWND control) override;

private:
    ui::UniqueFont font_;
    ui::ImageControl picture_;
    ui::Label label_;
    bool hasPicture_ = false;
};

}  // namespace tikora
