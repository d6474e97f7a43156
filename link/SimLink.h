// The simulator link: client side of the FSUIPC inter-process interface.
// One link per process; all state is module-wide and lives in the user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "LinkPort.h"

namespace hf {

inline constexpr std::uint32_t LinkBlockSize = 0x8000;   // bytes of the shared block
inline constexpr std::uint32_t LinkQueueLimit = 0x7F00;  // the last 256 bytes are never used

// Result codes given beside every boolean result (texts: ResultCodeTexts in lang/).
enum LinkResult : std::uint32_t {
    LinkOk = 0,
    LinkAlreadyOpen = 1,
    LinkNoServer = 2,
    LinkNoMessage = 3,
    LinkNoAtom = 4,
    LinkNoMapping = 5,
    LinkNoView = 6,
    LinkBadVersion = 7,
    LinkWrongSim = 8,
    LinkNotOpen = 9,
    LinkNothingQueued = 10,
    LinkTimedOut = 11,
    LinkSendFailed = 12,
    LinkBadData = 13,
    LinkWideClient = 14,
    LinkQueueFull = 15,
};

struct LinkState {
    std::uint32_t ServerVersion = 0;
    std::uint32_t SimVersion = 0;
    std::int32_t LibraryVersion = 1004;
    WindowHandle ServerWindow = 0;
    std::uint32_t ServerMessage = 0;
    std::uint16_t MappingAtom = 0;
    ObjectHandle MappingHandle = 0;
    std::uint8_t* ViewBase = nullptr;
    std::uint8_t* NextRequest = nullptr;
};

// The operating system behind the link. The Win32 programs install their port at start;
// tests install a stand-in. Must be set before the first LinkOpen and outlive an open link:
// at program end a link still open is closed through it.
void SetLinkPort(LinkPort* port);

// Read-only view of the module state (versions, handles, queue pointers).
const LinkState& Link();

bool LinkOpen(std::uint32_t requiredSim, std::uint32_t& code);
void LinkClose();
bool LinkRead(std::uint32_t offset, std::uint32_t size, void* destination, std::uint32_t& code);
bool LinkWrite(std::uint32_t offset, std::uint32_t size, const void* source, std::uint32_t& code);
bool LinkProcess(std::uint32_t& code);

// Simulator names by the index SimVersion holds after a successful open.
extern const std::array<std::string_view, 9> SimNames;

}  // namespace hf
