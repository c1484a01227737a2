#pragma once
// The standard controls as typed objects: each is made from its own creation record and reports
// through callbacks. Label, panel, push button, tool button, check box, radio button, edit, memo,
// combo box and list box.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/control_win.h"
#include "ui/handles_win.h"
#include "ui/subclass_win.h"

namespace tikora::ui {

using Callback = std::function<void()>;

class Label final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        DWORD align = SS_LEFT;  // SS_LEFT, SS_CENTER, SS_RIGHT
        bool noPrefix = false;  // "&" shown as it is instead of underlining the next letter
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
};

// A container with bevels, drawn as the designer's panels: the outer bevel along its edge, the
// inner one just inside. Controls inside it are created with it as their parent.
class Panel final : public Control {
public:
    enum class Bevel { None, Raised, Lowered };
    struct Args {
        Bounds at;
        Bevel outer = Bevel::Raised;
        Bevel inner = Bevel::None;
        const char* text = "";  // shown centred, as the designer's panels do
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    std::function<void(int width, int height)> onResize;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Paint();
    Bevel outer_ = Bevel::Raised;
    Bevel inner_ = Bevel::None;
    HFONT font_ = nullptr;  // the caption's font (WM_SETFONT); a plain window class keeps none
};

class PushButton final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        bool isDefault = false;  // Enter presses it
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    Callback onClick;

protected:
    void OnCommand(int code, int id) override;
};

// A button that never takes the keyboard focus: no tab stop, a click leaves the focus where it
// was, and Enter and Esc never press it. Text or a picture (the bitmap must outlive the button).
class ToolButton final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        HBITMAP picture = nullptr;
        HBITMAP pictureBesideText = nullptr;  // shown left of the text, both centred together
        bool flat = false;                    // drawn without the raised edge of a push button
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    Callback onClick;

private:
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Inside(LPARAM lParam) const;
    Subclass subclass_;
    bool pressed_ = false;
};

class CheckBox final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        bool checked = false;  // the state it is created with; no reaction runs
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    bool Checked() const;
    // Sets the state; when it really changes, runs the same reaction as a click.
    void SetChecked(bool checked);
    Callback onClick;

protected:
    void OnCommand(int code, int id) override;
};

class RadioButton final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        bool groupStart = false;  // the first button of a group
        bool checked = false;
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    bool Checked() const;
    // As for the check box: the reaction runs only when the state really changes.
    void SetChecked(bool checked);
    Callback onClick;

protected:
    void OnCommand(int code, int id) override;
};

// A tooltip over one control, with the text that control's hint shows.
class Tooltip {
public:
    Tooltip() = default;
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;
    void Attach(HWND control);
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }
    HWND Hwnd() const { return tip_; }

private:
    HWND tip_ = nullptr;
    HWND control_ = nullptr;
    std::string text_;
};

class Edit final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        bool readOnly = false;
        bool password = false;
        int maxLength = 0;  // 0: no limit
        bool digitsOnly = false;  // only the digits 0 to 9 can be typed
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    // The tooltip shown over the box.
    void SetHint(const std::string& text) { tooltip_.SetText(text); }
    const std::string& Hint() const { return tooltip_.Text(); }
    void SelectAll();
    Callback onChange;

protected:
    void OnCommand(int code, int id) override;

private:
    Tooltip tooltip_;
};

class Memo final : public Control {
public:
    struct Args {
        Bounds at;
        const char* text = "";
        bool readOnly = false;
        bool wordWrap = true;
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    Callback onChange;

protected:
    void OnCommand(int code, int id) override;
};

class ComboBox final : public Control {
public:
    struct Args {
        Bounds at;  // the height is that of the open list
        bool dropDownList = true;  // false: the text can be typed
        std::vector<std::string> items;
        bool sorted = false;  // the list keeps its entries in the system's order, case ignored
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    void AddItem(const std::string& text);
    // An entry carrying a number; where it lands in a sorted list, the number goes with it.
    void AddItem(const std::string& text, LPARAM data);
    LPARAM ItemData(int index) const;
    void Clear();
    int Count() const;
    std::string Item(int index) const;
    int SelectedIndex() const;  // -1: none
    void SetSelectedIndex(int index);
    Callback onSelectionChanged;
    Callback onChange;  // the typed text changed

protected:
    void OnCommand(int code, int id) override;
};

class ListBox final : public Control {
public:
    struct Args {
        Bounds at;
        bool sorted = false;
        std::vector<std::string> items;
        int horizontalExtent = 0;  // 96-DPI pixels the items can be scrolled across; 0: no horizontal bar
        int itemHeight = 0;        // 96-DPI pixels; 0: the font's
        CommonArgs common;
    };
    void Create(HWND parent, const Args& args);
    void AddItem(const std::string& text);
    void DeleteItem(int index);
    void Clear();
    int Count() const;
    std::string Item(int index) const;
    int SelectedIndex() const;
    // The selected entry's text; none when nothing is selected.
    std::optional<std::string> SelectedItem() const;
    void SetSelectedIndex(int index);
    Callback onSelectionChanged;
    Callback onDoubleClick;

protected:
    void OnCommand(int code, int id) override;
};

}  // namespace tikora::ui
