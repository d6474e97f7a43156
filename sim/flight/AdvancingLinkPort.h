// A link port in front of another that lets the flight model catch up with the clock before
// every exchange, so that each block the server core serves sees the aircraft as it is at
// that moment. In-process use: wrap the in-process port and install this one.
#pragma once

#include <functional>
#include <utility>

#include "link/LinkPort.h"

namespace hf::sim::flight {

class AdvancingLinkPort : public LinkPort {
public:
    AdvancingLinkPort(LinkPort& inner, std::function<void()> beforeSend)
        : inner_(inner), beforeSend_(std::move(beforeSend)) {}

    WindowHandle FindWindowExA(const char* className) override { return inner_.FindWindowExA(className); }
    std::uint32_t RegisterWindowMessageA(const char* name) override { return inner_.RegisterWindowMessageA(name); }
    std::uint16_t GlobalAddAtomA(const char* name) override { return inner_.GlobalAddAtomA(name); }
    void GlobalDeleteAtom(std::uint16_t atom) override { inner_.GlobalDeleteAtom(atom); }
    ObjectHandle CreateFileMappingA(std::uint32_t sizeLow, const char* name) override {
        return inner_.CreateFileMappingA(sizeLow, name);
    }
    void* MapViewOfFile(ObjectHandle mapping) override { return inner_.MapViewOfFile(mapping); }
    void UnmapViewOfFile(void* view) override { inner_.UnmapViewOfFile(view); }
    void CloseHandle(ObjectHandle handle) override { inner_.CloseHandle(handle); }
    std::uintptr_t SendMessageTimeoutA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam, std::uint32_t timeoutMs,
                                       std::uintptr_t* reply) override {
        if (beforeSend_) beforeSend_();
        return inner_.SendMessageTimeoutA(window, message, wParam, lParam, timeoutMs, reply);
    }
    std::uint32_t GetLastError() override { return inner_.GetLastError(); }
    std::uint32_t GetCurrentProcessId() override { return inner_.GetCurrentProcessId(); }
    void Sleep(std::uint32_t ms) override { inner_.Sleep(ms); }

private:
    LinkPort& inner_;
    std::function<void()> beforeSend_;
};

}  // namespace hf::sim::flight
