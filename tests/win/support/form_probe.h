#pragma once
// Looking into a form from a test: control texts, finding a control at any depth, and checking
// the layout against the design's table.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ui/dpi_win.h"

namespace tikora::testing {

inline std::string WindowText(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The first control, at any depth, of that class and (unless null) that text.
inline HWND FindControl(HWND root, const char* className, const char* text = nullptr) {
    struct Search {
        const char* className;
        const char* text;
        HWND found = nullptr;
    } search{className, text};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char cls[64] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (lstrcmpiA(cls, s->className) != 0 || (s->text && WindowText(hwnd) != s->text)) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Labels, check boxes and radio buttons: the controls whose bounds follow their caption.
inline bool GrowsToText(HWND control) {
    char cls[64] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0) return true;
    const LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(cls, "Button") == 0 && (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                                             kind == BS_AUTORADIOBUTTON);
}

// One row of a layout table: the control, then left, top, width, height in the form's client area.
struct Place {
    const char* className;
    const char* text;  // null: the first of the class
    int x, y, width, height;
};

inline void ExpectLayout(HWND form, int clientWidth, int clientHeight, const std::vector<Place>& places) {
    RECT client{};
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, ui::Scale(clientWidth));
    EXPECT_EQ(client.bottom, ui::Scale(clientHeight));
    for (const Place& p : places) {
        HWND control = FindControl(form, p.className, p.text);
        ASSERT_TRUE(control) << p.className << " " << (p.text ? p.text : "");
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        const RECT expected{ui::Scale(p.x), ui::Scale(p.y), ui::Scale(p.x + p.width), ui::Scale(p.y + p.height)};
        // Captions grow to their text where the font in use is wider than the designer's: for
        // those the designed size is the least, and the place is exact.
        const bool grows = GrowsToText(control);
        const bool fits = grows ? r.left == expected.left && r.top == expected.top && r.right >= expected.right &&
                                      r.bottom >= expected.bottom
                                : EqualRect(&r, &expected);
        EXPECT_TRUE(fits) << (p.text ? p.text : p.className) << " at " << r.left << "," << r.top << " "
                          << r.right - r.left << " x " << r.bottom - r.top;
    }
}

}  // namespace tikora::testing
