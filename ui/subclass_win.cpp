// Each installed Subclass owns one of a fixed set of window procedures, so the procedure the
// system calls tells which Subclass it belongs to, however procedures are stacked on a window.
#include "ui/subclass_win.h"

#include <array>
#include <utility>

#include "core/errors.h"
#include "ui/application_win.h"

namespace tikora::ui {

namespace {
constexpr int kSlotCount = 256;

struct Slot {
    bool used = false;
    Subclass* owner = nullptr;  // nullptr: only passes messages on
    WNDPROC previous = nullptr;
    WNDPROC own = nullptr;
};
}  // namespace

struct SubclassSlots {
    using Slot = tikora::ui::Slot;
    static inline std::array<Slot, kSlotCount> slots{};

    template <int N>
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Slot& slot = slots[N];
        const WNDPROC previous = slot.previous;
        LRESULT result = 0;
        if (slot.owner && message != WM_NCDESTROY) {
            try {
                result = slot.owner->handler_(window, message, wParam, lParam);
            } catch (...) {
                Application::Instance().HandleError(std::current_exception());
            }
            return result;
        }
        if (message == WM_NCDESTROY) {
            // The window goes: whoever is on top, nothing calls this procedure again.
            if (slot.owner) {
                slot.owner->slot_ = -1;
                slot.owner->window_ = nullptr;
            }
            slot = Slot{};
        }
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }

    template <int... N>
    static constexpr std::array<WNDPROC, sizeof...(N)> Table(std::integer_sequence<int, N...>) {
        return {&Proc<N>...};
    }
    static inline const std::array<WNDPROC, kSlotCount> procs = Table(std::make_integer_sequence<int, kSlotCount>{});
};

void Subclass::Install(HWND window, Handler handler) {
    Remove();
    if (!window || !IsWindow(window)) throw AppError("Cannot subclass a window that does not exist");
    int free = -1;
    for (int i = 0; i < kSlotCount && free < 0; ++i)
        if (!SubclassSlots::slots[i].used) free = i;
    if (free < 0) throw AppError("Out of system resources");
    SubclassSlots::Slot& slot = SubclassSlots::slots[free];
    slot.used = true;
    slot.owner = this;
    slot.own = SubclassSlots::procs[free];
    window_ = window;
    slot_ = free;
    handler_ = std::move(handler);
    slot.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(slot.own)));
}

void Subclass::Remove() {
    if (slot_ < 0) return;
    SubclassSlots::Slot& slot = SubclassSlots::slots[slot_];
    if (IsWindow(window_) && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)) == slot.own) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(slot.previous));
        slot = SubclassSlots::Slot{};
    } else {
        slot.owner = nullptr;  // someone stacked on top: stay as a pass-through until WM_NCDESTROY
    }
    slot_ = -1;
    window_ = nullptr;
}

LRESULT Subclass::Previous(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    const WNDPROC previous = slot_ >= 0 ? SubclassSlots::slots[slot_].previous : nullptr;
    if (!previous) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace tikora::ui
