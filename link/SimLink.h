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
// at program end a link still open is closed through it. A new port is a new system: what
// the link knew of a silent server is forgotten.
void SetLinkPort(LinkPort* port);

// Read-only view of the module state (versions, handles, queue pointers).
const LinkState& Link();

bool LinkOpen(std::uint32_t requiredSim, std::uint32_t& code);
void LinkClose();
bool LinkRead(std::uint32_t offset, std::uint32_t size, void* destination, std::uint32_t& code);
bool LinkWrite(std::uint32_t offset, std::uint32_t size, const void* source, std::uint32_t& code);
bool LinkProcess(std::uint32_t& code);

// A server that let an exchange use all its tries (code 11 or 12) is taken as silent: the
// exchanges after it, the opening's handshake with the same window included, fail at once
// with that code, without sending or sleeping (the queue is emptied as usual), until a fresh
// attempt. So one operation of the program waits at most one exchange's tries, and a close
// after a hang waits for none. An answer, or an open that finds another server window, ends
// the silence.
//
// A new operation of the program (a timer tick, the pilot's action, the first start) makes a
// fresh attempt: its first exchange tries the server again, silent or not.
void LinkFreshAttempt();
// The close makes none: a silent server is not tried again, and a fresh attempt that no
// exchange has used yet is taken back.
void LinkNoFreshAttempt();
// An exchange now would fail at once: the server is silent and no fresh attempt is pending.
bool LinkServerSilent();

// Simulator names by the index SimVersion holds after a successful open.
extern const std::array<std::string_view, 9> SimNames;

}  // namespace hf
