#include "link/Win32LinkPort.h"

#include <windows.h>

#include <new>

namespace hf {

namespace {

HWND window(WindowHandle h) { return reinterpret_cast<HWND>(h); }
HANDLE object(ObjectHandle h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

WindowHandle Win32LinkPort::FindWindowExA(const char* className) {
    return reinterpret_cast<WindowHandle>(::FindWindowExA(nullptr, nullptr, className, nullptr));
}

std::uint32_t Win32LinkPort::RegisterWindowMessageA(const char* name) {
    return ::RegisterWindowMessageA(name);
}

std::uint16_t Win32LinkPort::GlobalAddAtomA(const char* name) { return ::GlobalAddAtomA(name); }

void Win32LinkPort::GlobalDeleteAtom(std::uint16_t atom) { ::GlobalDeleteAtom(atom); }

ObjectHandle Win32LinkPort::CreateFileMappingA(std::uint32_t sizeLow, const char* name) {
    return reinterpret_cast<ObjectHandle>(
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeLow, name));
}

void* Win32LinkPort::MapViewOfFile(ObjectHandle mapping) {
    return ::MapViewOfFile(object(mapping), FILE_MAP_WRITE, 0, 0, 0);
}

void Win32LinkPort::UnmapViewOfFile(void* view) { ::UnmapViewOfFile(view); }

void Win32LinkPort::CloseHandle(ObjectHandle handle) { ::CloseHandle(object(handle)); }

std::uintptr_t Win32LinkPort::SendMessageTimeoutA(WindowHandle target, std::uint32_t message,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  std::uint32_t timeoutMs,
                                                  std::uintptr_t* reply) {
    DWORD_PTR result = 0;
    const LRESULT sent = ::SendMessageTimeoutA(window(target), message, wParam, lParam,
                                               SMTO_BLOCK, timeoutMs, &result);
    if (reply) *reply = result;
    return static_cast<std::uintptr_t>(sent);
}

std::uint32_t Win32LinkPort::GetLastError() { return ::GetLastError(); }

std::uint32_t Win32LinkPort::GetCurrentProcessId() { return ::GetCurrentProcessId(); }

void Win32LinkPort::Sleep(std::uint32_t ms) { ::Sleep(ms); }

Win32LinkPort& SystemLinkPort() {
    // Never destroyed: the link's stop at program end closes an open link through this port,
    // and a function-local static made after the link's own would be gone by then.
    alignas(Win32LinkPort) static unsigned char storage[sizeof(Win32LinkPort)];
    static Win32LinkPort* const port = new (storage) Win32LinkPort;
    return *port;
}

}  // namespace hf
