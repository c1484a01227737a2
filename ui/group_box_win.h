#pragma once
// The designer's group box as a container: an etched frame with its caption in the top edge.
// The controls of the group are created with it as their parent (positions stay in the form's
// client area), so it paints the ground under them, passes their notifications on to them and
// lets Tab walk into them. A plain BS_GROUPBOX button paints no ground and, in a form that clips
// its children, leaves its inside unpainted.
#include <windows.h>

#include "ui/control_win.h"

namespace tikora::ui {

class GroupBox final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Paint();
    HFONT font_ = nullptr;
};

}  // namespace tikora::ui
