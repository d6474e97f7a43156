// Requests are written straight into the shared block: queueing and the exchange make no
// heap allocation. This program counts every allocation made through operator new.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"

namespace {

std::atomic<long> Allocations{0};

// A server that answers every exchange at once and records nothing, so whatever is
// allocated during an exchange is the link's own doing.
class QuietPort final : public hf::LinkPort {
public:
    hf::WindowHandle FindWindowExA(const char*) override { return 0; }
    std::uint32_t RegisterWindowMessageA(const char*) override { return 0; }
    std::uint16_t GlobalAddAtomA(const char*) override { return 0; }
    void GlobalDeleteAtom(std::uint16_t) override {}
    hf::ObjectHandle CreateFileMappingA(std::uint32_t, const char*) override { return 0; }
    void* MapViewOfFile(hf::ObjectHandle) override { return nullptr; }
    void UnmapViewOfFile(void*) override {}
    void CloseHandle(hf::ObjectHandle) override {}
    std::uintptr_t SendMessageTimeoutA(hf::WindowHandle, std::uint32_t, std::uintptr_t,
                                       std::intptr_t, std::uint32_t,
                                       std::uintptr_t* reply) override {
        *reply = 1;
        return 1;
    }
    std::uint32_t GetLastError() override { return 0; }
    std::uint32_t GetCurrentProcessId() override { return 1; }
    void Sleep(std::uint32_t) override {}
};

}  // namespace

void* operator new(std::size_t size) {
    ++Allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(LinkAllocation, QueueingAndExchangingAllocateNothing) {
    hf::testing::VirtualClock clock;
    hf::sim::ServerCore core;
    hf::sim::InProcessLinkPort standIn(core, clock);
    hf::SetLinkPort(&standIn);
    std::uint32_t code = 99;
    ASSERT_TRUE(hf::LinkOpen(0, code));

    QuietPort quiet;
    hf::SetLinkPort(&quiet);
    std::array<double, 10> values{};
    const double accel = -20.0;
    const long before = Allocations.load();
    for (int exchange = 0; exchange < 1000; ++exchange) {
        for (double& v : values) ASSERT_TRUE(hf::LinkRead(0x3090, 8, &v, code));
        ASSERT_TRUE(hf::LinkWrite(0x3070, 8, &accel, code));
        ASSERT_TRUE(hf::LinkProcess(code));
    }
    const long made = Allocations.load() - before;
    EXPECT_EQ(made, 0) << "allocations in 1000 exchanges of 11 requests";

    hf::SetLinkPort(&standIn);
    hf::LinkClose();
    hf::SetLinkPort(nullptr);
}
