#pragma once
// The common controls as typed objects: list view in report mode, date/time picker, up-down,
// status bar, tool bar, cool bar, splitter and image.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "core/datetime.h"
#include "core/image.h"
#include "ui/control_win.h"
#include "ui/controls_win.h"
#include "ui/handles_win.h"

namespace tikora::ui {

class ListView final : public Control {
public:
    struct Column {
        const char* title = "";
        int width = 0;  // 96-DPI pixels
        int align = LVCFMT_LEFT;
    };
    struct Args {
        Bounds at;
        std::vector<Column> columns;
        bool fullRowSelect = true;
        bool gridLines = false;
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    // Appends a row: the first text is the item, the others its subitems. Returns its index.
    int AddRow(const std::vector<std::string>& cells);
    void Clear();
    int Count() const;
    std::string Cell(int row, int column) const;
    int SelectedIndex() const;  // the first selected row, -1: none
    void SetSelectedIndex(int row);
    Callback onSelectionChanged;
    Callback onDoubleClick;

protected:
    LRESULT OnNotify(NMHDR& header) override;
};

class DateTimePicker final : public Control {
public:
    enum class Kind { Date, Time };
    struct Args {
        Bounds at;
        Kind kind = Kind::Date;
        const char* format = nullptr;  // a custom display format ("HH:mm:ss"); nullptr: the system's
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    DateTime Value() const;
    void SetValue(const DateTime& value);
    Callback onChange;

protected:
    LRESULT OnNotify(NMHDR& header) override;
};

// Arrows that step a number, shown in the buddy control next to it.
class UpDown final : public Control {
public:
    struct Args {
        Bounds at;
        int minimum = 0;
        int maximum = 100;
        int position = 0;
        HWND buddy = nullptr;  // placed against its right edge and showing the number
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    int Position() const;
    void SetPosition(int position);
    Callback onChange;

protected:
    void OnScroll(int code) override;
};

class StatusBar final : public Control {
public:
    struct Args {
        std::vector<int> panelWidths;  // 96-DPI pixels; -1 for the last: to the right edge
        CommonArgs common;
    };
    // Sits along the bottom of its parent and follows its size.
    void Create(HWND parent, const Args& args);
    void SetPanelText(int panel, const std::string& text);
    std::string PanelText(int panel) const;
    // The parent's size changed: the bar follows.
    void Resize();
};

class ToolBar final : public Control {
public:
    struct Button {
        Callback onClick;
        int image = -1;          // index in the image list, -1: none
        const char* hint = "";   // shown as the tooltip
        bool separator = false;
    };
    struct Args {
        Bounds at;
        std::vector<Image> images;  // all of the same size; the top-left pixel's colour is transparent
        std::vector<Button> buttons;
        CommonArgs common;
    };
    ToolBar() = default;
    ~ToolBar() override;
    void Create(HWND parent, const Args& args);
    void SetButtonEnabled(int index, bool enabled);
    bool ButtonEnabled(int index) const;
    // A group of buttons switched together, and whether all of them are enabled.
    void SetButtonsEnabled(std::span<const int> indexes, bool enabled);
    bool ButtonsEnabled(std::span<const int> indexes) const;
    std::string Hint(int index) const;

protected:
    void OnCommand(int code, int id) override;
    LRESULT OnNotify(NMHDR& header) override;

private:
    std::vector<Button> buttons_;
    HIMAGELIST images_ = nullptr;
    int firstId_ = 0;
};

// A bar of bands, each holding one child control (usually a tool bar).
class CoolBar final : public Control {
public:
    struct Args {
        Bounds at;
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    // The child must be a child of this bar (create it with Hwnd() as its parent).
    void AddBand(Control& child, int minWidth, int minHeight);
};

// A bar the user drags to resize the control before it.
class Splitter final : public Control {
public:
    struct Args {
        Bounds at;
        bool vertical = true;  // a vertical bar moved left and right
        bool live = false;     // the controls follow the pointer during the drag, not only at its end
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    // Called with the new position (device pixels in the parent) at the end of a drag, and
    // with every move of the pointer during a live drag.
    std::function<void(int position)> onMoved;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Where the bar's leading edge goes for the pointer at `along` (in the bar's coordinates).
    int PositionFor(int along) const;
    bool vertical_ = true;
    bool live_ = false;
    bool dragging_ = false;
    int grab_ = 0;
};

// A row split by a splitter, `height` high from `top` (device pixels): `left` `leftWidth` wide,
// the splitter `splitterWidth` wide after it, and each of `right` filling the rest of `width`.
void LayOutSplitRow(HWND left, const Splitter& splitter, std::initializer_list<HWND> right, int top, int height,
                    int leftWidth, int splitterWidth, int width);

class ImageControl final : public Control {
public:
    struct Args {
        Bounds at;
        // What the picture shows, in words, for screen readers; it is not drawn.
        const char* name = "";
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    void SetPicture(const Image& image);

private:
    UniqueBitmap bitmap_;
};

}  // namespace tikora::ui
