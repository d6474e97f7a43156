// hfprobe.exe: opens the simulator link across processes, prints what it finds, closes.
// Exit code 0 when the link opened, otherwise the link's result code.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "ResultCodeTexts.h"
#include "link/SimLink.h"
#include "link/Win32LinkPort.h"

namespace {

void printResult(std::uint32_t code) {
    const std::string_view text = code < hf::ResultCodeTexts.size() ? hf::ResultCodeTexts[code]
                                                                     : "(no text)";
    std::printf("code %u: %.*s\n", code, static_cast<int>(text.size()), text.data());
}

}  // namespace

int main() {
    hf::SetLinkPort(&hf::SystemLinkPort());
    std::uint32_t code = 0;
    const bool opened = hf::LinkOpen(0, code);
    printResult(code);
    const hf::LinkState& link = hf::Link();
    std::printf("server version: 0x%08X\n", link.ServerVersion);
    if (!opened) {
        std::printf("simulator word: 0x%08X\n", link.SimVersion);
        return static_cast<int>(code);
    }
    const std::string_view sim = link.SimVersion < hf::SimNames.size()
                                     ? hf::SimNames[link.SimVersion]
                                     : std::string_view("(unnamed)");
    std::printf("simulator: %u (%.*s)\n", link.SimVersion, static_cast<int>(sim.size()),
                sim.data());

    std::uint32_t version = 0;
    std::uint32_t simWord = 0;
    std::uint32_t slots = 0;
    std::int16_t engines = 0;
    std::array<char, 256> title{};
    const bool queued = hf::LinkRead(0x3304, 4, &version, code) &&
                        hf::LinkRead(0x3308, 4, &simWord, code) &&
                        hf::LinkRead(0x320C, 4, &slots, code) &&
                        hf::LinkRead(0x0AEC, 2, &engines, code) &&
                        hf::LinkRead(0x3D00, title.size(), title.data(), code);
    if (!queued || !hf::LinkProcess(code)) {
        printResult(code);
        hf::LinkClose();
        return static_cast<int>(code);
    }
    title.back() = '\0';
    std::printf("0x3304: 0x%08X\n0x3308: 0x%08X\n0x320C: %u\n0x0AEC: %d\n0x3D00: \"%s\"\n",
                version, simWord, slots, engines, title.data());
    hf::LinkClose();
    return 0;
}
