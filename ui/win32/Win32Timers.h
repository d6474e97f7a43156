// The timers of the user-interface thread on Win32: SetTimer on a hidden window, ticks
// dispatched by the message loop as WM_TIMER.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "host/HostServices.h"
#include "ui/Controls.h"

namespace hf {

class Win32Timers final : public TimerDriver {
public:
    // The hidden window also carries the application's title.
    Win32Timers(HINSTANCE instance, HostServices& host, const std::string& applicationTitle);
    ~Win32Timers() override;
    Win32Timers(const Win32Timers&) = delete;
    Win32Timers& operator=(const Win32Timers&) = delete;

    void Start(TTimer& timer) override;
    void Stop(TTimer& timer) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Tick(UINT_PTR id);

    HostServices& host_;
    HWND window_ = nullptr;
    std::map<UINT_PTR, TTimer*> timers_;
    UINT_PTR nextId_ = 1;
};

}  // namespace hf
