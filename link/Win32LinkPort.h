// The link's operating-system calls passed straight to Win32.
#pragma once

#include "link/LinkPort.h"

namespace hf {

class Win32LinkPort final : public LinkPort {
public:
    WindowHandle FindWindowExA(const char* className) override;
    std::uint32_t RegisterWindowMessageA(const char* name) override;
    std::uint16_t GlobalAddAtomA(const char* name) override;
    void GlobalDeleteAtom(std::uint16_t atom) override;
    ObjectHandle CreateFileMappingA(std::uint32_t sizeLow, const char* name) override;
    void* MapViewOfFile(ObjectHandle mapping) override;
    void UnmapViewOfFile(void* view) override;
    void CloseHandle(ObjectHandle handle) override;
    std::uintptr_t SendMessageTimeoutA(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam,
                                       std::uint32_t timeoutMs,
                                       std::uintptr_t* reply) override;
    std::uint32_t GetLastError() override;
    std::uint32_t GetCurrentProcessId() override;
    void Sleep(std::uint32_t ms) override;
};

// The one port of a Win32 program. It lives to the end of the process, so the link's stop
// at program end can still close through it.
Win32LinkPort& SystemLinkPort();

}  // namespace hf
