// hflinkbench.exe: what a link exchange costs next to the bare message round trip it rides
// on, against a running stand-in. Prints the times and their ratio; exit code 0 when every
// exchange succeeded.
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "link/SimLink.h"
#include "link/Win32LinkPort.h"

namespace {

double seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class F>
double timeRounds(int rounds, F&& round) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i)
        if (!round()) return -1;
    QueryPerformanceCounter(&end);
    return seconds(start, end) / rounds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (rounds <= 0) return 2;
    hf::SetLinkPort(&hf::SystemLinkPort());
    std::uint32_t code = 0;
    if (!hf::LinkOpen(0, code)) {
        std::printf("open failed: code %u\n", code);
        return 1;
    }

    std::array<double, 10> values{};
    auto tenReads = [&] {
        for (double& v : values)
            if (!hf::LinkRead(0x3090, 8, &v, code)) return false;
        return hf::LinkProcess(code);
    };
    auto oneRead = [&] { return hf::LinkRead(0x3090, 8, values.data(), code) && hf::LinkProcess(code); };
    const HWND server = reinterpret_cast<HWND>(hf::Link().ServerWindow);
    auto bare = [&] {
        DWORD_PTR reply = 0;
        return SendMessageTimeoutA(server, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &reply) != 0;
    };

    // Warm up both sides first.
    timeRounds(rounds / 10 + 1, tenReads);
    timeRounds(rounds / 10 + 1, bare);
    const double bareTime = timeRounds(rounds, bare);
    const double oneTime = timeRounds(rounds, oneRead);
    const double tenTime = timeRounds(rounds, tenReads);
    hf::LinkClose();
    if (bareTime <= 0 || oneTime <= 0 || tenTime <= 0) {
        std::printf("an exchange failed: code %u\n", code);
        return 1;
    }
    std::printf("rounds: %d\n", rounds);
    std::printf("bare SendMessageTimeoutA round trip: %.1f us\n", bareTime * 1e6);
    std::printf("LinkProcess with 1 read: %.1f us\n", oneTime * 1e6);
    std::printf("LinkProcess with 10 reads: %.1f us\n", tenTime * 1e6);
    std::printf("ratio 10-read exchange / bare round trip: %.2f\n", tenTime / bareTime);
    return 0;
}
