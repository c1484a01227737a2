#pragma once
// Translucency of the clock window through a layered window style and an alpha value.
#include <windows.h>

#include <functional>
#include <string>

namespace tikora {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up by name in User32, since systems before version 5 do not have the function;
// nullptr there.
SetLayeredWindowAttributesFn FindSetLayeredWindowAttributes();

inline constexpr BYTE kTranslucentAlpha = 128;
inline constexpr BYTE kOpaqueAlpha = 255;

// Adds WS_EX_LAYERED (it is never taken away again) and sets the alpha with LWA_ALPHA. Each
// step the system refuses is reported with the system's text for the error, and the next step
// runs all the same.
void SetWindowAlpha(HWND window, BYTE alpha, SetLayeredWindowAttributesFn setAttributes,
                    const std::function<void(const std::string&)>& report);

}  // namespace tikora
