// The timers of the user-interface thread on Win32: SetTimer on a message-only window, ticks
// dispatched by the message loop as WM_TIMER.
#pragma once

#include <windows.h>

#include <map>

#include "host/HostServices.h"
#include "ui/Controls.h"

namespace hf {

class Win32Timers final : public TimerDriver {
public:
    Win32Timers(HINSTANCE instance, HostServices& host);
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
