#include "ui/win32/ApplicationWindow.h"

#include "ui/win32/WindowInstance.h"

namespace hf {

namespace {

constexpr const char* ApplicationClass = "TApplication";
// Posted to itself: give the activation to the form in front.
constexpr UINT ForwardActivationMessage = WM_APP + 1;

}  // namespace

ApplicationWindow::ApplicationWindow(HINSTANCE instance, const std::string& title, ApplicationForms& forms)
    : forms_(forms) {
    RegisterWindowClass(instance, ApplicationClass, WindowProc);
    // Without size, in the middle of the screen, shown from the start of the message loop.
    window_ = CreateWindowExA(0, ApplicationClass, title.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                              nullptr, nullptr, instance, this);
}

ApplicationWindow::~ApplicationWindow() {
    if (window_ == nullptr) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK ApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = InstanceOf<ApplicationWindow>(window, message, lParam);
    if (self == nullptr || self->window_ != window) return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT ApplicationWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            // Chosen on the taskbar or with Alt+Tab: the form in front takes over.
            PostMessageA(window_, ForwardActivationMessage, 0, 0);
            return 0;
        case ForwardActivationMessage:
            ForwardActivation();
            return 0;
        case WM_SIZE:
            OnSize(wParam);
            return 0;
        case WM_CLOSE:
            forms_.CloseProgram();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void ApplicationWindow::OnSize(WPARAM kind) {
    // Minimised, the application takes its forms out of sight; restored, it brings back
    // those the program shows.
    if (kind == SIZE_MINIMIZED) {
        forms_.ShowForms(false);
    } else if (kind == SIZE_RESTORED) {
        forms_.ShowForms(true);
        PostMessageA(window_, ForwardActivationMessage, 0, 0);
    }
}

void ApplicationWindow::ForwardActivation() {
    if (Minimized()) return;
    if (HWND target = forms_.FormInFront()) SetForegroundWindow(target);
}

}  // namespace hf
