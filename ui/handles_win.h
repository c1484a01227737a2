#pragma once
// Move-only owners of Win32 handles and GDI objects.
#include <windows.h>

#include <utility>

namespace tikora::ui {

// Traits give the invalid value (a handle whose invalid value is INVALID_HANDLE_VALUE, which
// cannot be a template argument, needs traits of its own).
template <typename T>
struct NullIsInvalid {
    static T Invalid() { return T{}; }
};

template <typename T, typename Deleter, typename InvalidTraits = NullIsInvalid<T>>
class UniqueHandle {
public:
    UniqueHandle() : handle_(InvalidTraits::Invalid()) {}
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != InvalidTraits::Invalid(); }
    T release() { return std::exchange(handle_, InvalidTraits::Invalid()); }
    void reset() { reset(InvalidTraits::Invalid()); }
    void reset(T handle) {
        T old = std::exchange(handle_, handle);
        if (old != InvalidTraits::Invalid()) Deleter{}(old);
    }

private:
    T handle_;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

template <typename T>
using UniqueGdi = UniqueHandle<T, GdiObjectDeleter>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniquePen = UniqueGdi<HPEN>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;

// A window DC from GetDC, remembering its window for ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const PAINTSTRUCT& Info() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC for the lifetime of the guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tikora::ui
