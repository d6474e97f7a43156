// The program's own window classes, and the classic way a window procedure finds its C++
// object: the object's address travels in CreateWindowEx's last argument and is kept in
// GWLP_USERDATA at WM_NCCREATE, before any other message of the window is handled.
#pragma once

#include <windows.h>

namespace hf {

// The object of the window, or nullptr for the few messages that come before WM_NCCREATE.
template <class Owner>
Owner* InstanceOf(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        return owner;
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Registers a window class of the program's own: button-face background, arrow cursor, the
// default icon.
inline void RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

}  // namespace hf
