// The operating-system calls the simulator link makes, and nothing more.
// The Win32 build passes them straight to the system; tests put a stand-in
// server behind them and run in virtual time.
#pragma once

#include <cstdint>

namespace hf {

using WindowHandle = std::uintptr_t;  // HWND
using ObjectHandle = std::uintptr_t;  // HANDLE of a file mapping

class LinkPort {
public:
    virtual ~LinkPort() = default;

    // FindWindowExA(no parent, no child after, className, no title).
    virtual WindowHandle FindWindowExA(const char* className) = 0;
    virtual std::uint32_t RegisterWindowMessageA(const char* name) = 0;
    virtual std::uint16_t GlobalAddAtomA(const char* name) = 0;
    virtual void GlobalDeleteAtom(std::uint16_t atom) = 0;
    // CreateFileMappingA(paging file, no security, PAGE_READWRITE, 0, sizeLow, name).
    virtual ObjectHandle CreateFileMappingA(std::uint32_t sizeLow, const char* name) = 0;
    // MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, whole object).
    virtual void* MapViewOfFile(ObjectHandle mapping) = 0;
    virtual void UnmapViewOfFile(void* view) = 0;
    virtual void CloseHandle(ObjectHandle handle) = 0;
    // SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, timeoutMs, &reply).
    // Returns the function's own result: 0 when nothing was delivered in time.
    virtual std::uintptr_t SendMessageTimeoutA(WindowHandle window, std::uint32_t message,
                                               std::uintptr_t wParam, std::intptr_t lParam,
                                               std::uint32_t timeoutMs,
                                               std::uintptr_t* reply) = 0;
    virtual std::uint32_t GetLastError() = 0;
    virtual std::uint32_t GetCurrentProcessId() = 0;
    virtual void Sleep(std::uint32_t ms) = 0;
};

}  // namespace hf
