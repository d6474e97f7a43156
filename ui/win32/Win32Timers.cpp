#include "ui/win32/Win32Timers.h"

#include <exception>

#include "ui/win32/WindowInstance.h"

namespace hf {

namespace {
constexpr const char* TimerWindowClass = "THookfastTimers";
}

Win32Timers::Win32Timers(HINSTANCE instance, HostServices& host) : host_(host) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = TimerWindowClass;
    RegisterClassA(&windowClass);
    // Message-only: never on the taskbar, in Alt+Tab or among the program's windows.
    window_ = CreateWindowExA(0, TimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, this);
}

Win32Timers::~Win32Timers() {
    for (const auto& [id, timer] : timers_) KillTimer(window_, id);
    DestroyWindow(window_);
}

void Win32Timers::Start(TTimer& timer) {
    if (timer.DriverData == 0) timer.DriverData = nextId_++;
    timers_[timer.DriverData] = &timer;
    // Setting a timer that exists restarts its interval.
    SetTimer(window_, timer.DriverData, timer.Interval(), nullptr);
}

void Win32Timers::Stop(TTimer& timer) {
    if (timer.DriverData == 0) return;
    KillTimer(window_, timer.DriverData);
    timers_.erase(timer.DriverData);
}

void Win32Timers::Tick(UINT_PTR id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    try {
        found->second->Fire();
    } catch (const std::exception& error) {
        host_.ReportError(error.what());
    }
}

LRESULT CALLBACK Win32Timers::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = InstanceOf<Win32Timers>(window, message, lParam);
    if (message == WM_TIMER) {
        if (self != nullptr) self->Tick(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace hf
