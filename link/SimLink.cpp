#include "link/SimLink.h"

#include <cstdio>
#include <cstring>

namespace hf {

const std::array<std::string_view, 9> SimNames = {
    "Any", "FS98", "FS2K", "CFS2", "CFS1", "FLY", "FS2002", "FS2004", "FSX"};

namespace {

constexpr std::uint32_t ReadId = 1;
constexpr std::uint32_t WriteId = 2;
constexpr std::uint32_t ReadHeaderSize = 16;
constexpr std::uint32_t WriteHeaderSize = 12;
constexpr std::uint32_t TerminatorSize = 4;
constexpr std::uint32_t SendTimeoutMs = 2000;
constexpr std::uint32_t RetryPauseMs = 100;
constexpr int SendTries = 10;

constexpr const char* ServerClassFirst = "UIPCMAIN";
constexpr const char* ServerClassSecond = "FS98MAIN";
constexpr const char* IpcName = "FSASMLIB:IPC";
constexpr std::uint32_t HandshakeServerVersion = 0x3304;
constexpr std::uint32_t HandshakeSimVersion = 0x3308;
constexpr std::uint32_t HandshakeLibraryVersion = 0x330A;
constexpr int HandshakePasses = 5;
constexpr std::uint32_t HandshakePauseMs = 100;
constexpr std::uint32_t LowestServerVersion = 0x19980005;
constexpr std::uint32_t SimTag = 0xFADE0000;
constexpr std::uint32_t ErrorAlreadyExists = 183;
// A send that timed out leaves ERROR_TIMEOUT on Windows XP and later (and under Wine); older
// systems left 0.
constexpr std::uint32_t ErrorTimeout = 1460;

// What the client queued, in queue order. The answer walk takes its copy destinations and
// sizes from here, never from the block, which every process may write. The smallest
// record is a write header, so this many records fill the queue.
struct QueuedRecord {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    void* destination = nullptr;
};
constexpr std::size_t SideTableCapacity = (LinkQueueLimit - TerminatorSize) / WriteHeaderSize;

LinkState State;
std::array<QueuedRecord, SideTableCapacity> Queued;
std::size_t QueuedCount = 0;
LinkPort* Port = nullptr;

// The silent server: the code of the exchange that used all its tries (0 while the server
// answers) and the window it was sent to; whether the current operation may try once more.
struct Silence {
    std::uint32_t code = LinkOk;
    WindowHandle window = 0;
    bool freshAttempt = false;
} Silent;

void storeU32(std::uint8_t* at, std::uint32_t value) { std::memcpy(at, &value, sizeof value); }

std::uint32_t loadU32(const std::uint8_t* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void emptyQueue() {
    State.NextRequest = State.ViewBase;
    QueuedCount = 0;
}

// Room for one more record of `header` + `size` bytes; refuses sums that wrap.
bool roomFor(std::uint32_t header, std::uint32_t size) {
    const auto used = static_cast<std::uint32_t>(State.NextRequest - State.ViewBase);
    std::uint32_t record = 0;
    std::uint32_t need = 0;
    if (__builtin_add_overflow(size, header, &record)) return false;
    if (__builtin_add_overflow(used, TerminatorSize, &need)) return false;
    if (__builtin_add_overflow(need, record, &need)) return false;
    return need <= LinkQueueLimit && QueuedCount < Queued.size();
}

// Copies the answers of the queued reads back. Stops at the first record whose id or size
// is not what was queued, or that would reach past the block: false then.
bool walkAnswers(std::size_t count) {
    std::uint32_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const QueuedRecord& q = Queued[i];
        const std::uint32_t header = q.id == ReadId ? ReadHeaderSize : WriteHeaderSize;
        if (LinkBlockSize - at < header) return false;
        const std::uint8_t* record = State.ViewBase + at;
        if (loadU32(record) != q.id || loadU32(record + 8) != q.size) return false;
        if (LinkBlockSize - at - header < q.size) return false;
        if (q.id == ReadId && q.destination != nullptr && q.size != 0)
            std::memcpy(q.destination, record + header, q.size);
        at += header + q.size;
    }
    return true;
}

bool fail(std::uint32_t& code, std::uint32_t value) {
    code = value;
    return false;
}

// The link's stop routine: at program end the link gives its objects back.
struct LinkModule {
    ~LinkModule() {
        if (Port != nullptr && (State.ViewBase || State.MappingAtom || State.MappingHandle))
            LinkClose();
    }
} Module;

}  // namespace

void SetLinkPort(LinkPort* port) {
    Port = port;
    Silent = {};
}

void LinkFreshAttempt() { Silent.freshAttempt = true; }
void LinkNoFreshAttempt() { Silent.freshAttempt = false; }
bool LinkServerSilent() { return Silent.code != LinkOk && !Silent.freshAttempt; }
const LinkState& Link() { return State; }

bool LinkRead(std::uint32_t offset, std::uint32_t size, void* destination, std::uint32_t& code) {
    if (State.ViewBase == nullptr) return fail(code, LinkNotOpen);
    if (!roomFor(ReadHeaderSize, size)) return fail(code, LinkQueueFull);
    std::uint8_t* record = State.NextRequest;
    storeU32(record, ReadId);
    storeU32(record + 4, offset);
    storeU32(record + 8, size);
    // The server may look for the caller's address here; only its low 32 bits fit.
    storeU32(record + 12, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(destination)));
    std::memset(record + ReadHeaderSize, 0, size);
    State.NextRequest = record + ReadHeaderSize + size;
    Queued[QueuedCount++] = {ReadId, size, destination};
    code = LinkOk;
    return true;
}

bool LinkWrite(std::uint32_t offset, std::uint32_t size, const void* source, std::uint32_t& code) {
    if (State.ViewBase == nullptr) return fail(code, LinkNotOpen);
    // Nothing to copy from: refused rather than read through a null pointer.
    if (source == nullptr && size != 0) return fail(code, LinkBadData);
    if (!roomFor(WriteHeaderSize, size)) return fail(code, LinkQueueFull);
    std::uint8_t* record = State.NextRequest;
    storeU32(record, WriteId);
    storeU32(record + 4, offset);
    storeU32(record + 8, size);
    if (size != 0) std::memcpy(record + WriteHeaderSize, source, size);
    State.NextRequest = record + WriteHeaderSize + size;
    Queued[QueuedCount++] = {WriteId, size, nullptr};
    code = LinkOk;
    return true;
}

bool LinkProcess(std::uint32_t& code) {
    if (State.ViewBase == nullptr) return fail(code, LinkNotOpen);
    if (State.NextRequest == State.ViewBase) return fail(code, LinkNothingQueued);
    storeU32(State.NextRequest, 0);
    const std::size_t sent = QueuedCount;
    emptyQueue();  // from here on the queue is empty whatever the outcome
    if (LinkServerSilent()) return fail(code, Silent.code);
    Silent.freshAttempt = false;

    std::uintptr_t reply = 0;
    bool delivered = false;
    for (int tries = 0; tries < SendTries && !delivered; ++tries) {
        delivered = Port->SendMessageTimeoutA(State.ServerWindow, State.ServerMessage,
                                              State.MappingAtom, 0, SendTimeoutMs, &reply) != 0;
        if (!delivered) Port->Sleep(RetryPauseMs);
    }
    if (!delivered) {
        const std::uint32_t error = Port->GetLastError();
        Silent.code = error == 0 || error == ErrorTimeout ? LinkTimedOut : LinkSendFailed;
        Silent.window = State.ServerWindow;
        return fail(code, Silent.code);
    }
    Silent.code = LinkOk;
    if (reply != 1) return fail(code, LinkBadData);

    // The table still holds this exchange's entries: nothing can queue during the send.
    if (!walkAnswers(sent)) return fail(code, LinkBadData);
    code = LinkOk;
    return true;
}

bool LinkOpen(std::uint32_t requiredSim, std::uint32_t& code) {
    if (State.ViewBase != nullptr) return fail(code, LinkAlreadyOpen);
    if (Port == nullptr) return fail(code, LinkNoServer);
    State.ServerVersion = 0;
    State.SimVersion = 0;

    bool foundSecondClass = false;
    State.ServerWindow = Port->FindWindowExA(ServerClassFirst);
    if (State.ServerWindow == 0) {
        foundSecondClass = true;
        State.ServerWindow = Port->FindWindowExA(ServerClassSecond);
        if (State.ServerWindow == 0) return fail(code, LinkNoServer);
    }
    // A simulator started anew has another window: it gets its handshake.
    if (State.ServerWindow != Silent.window) Silent.code = LinkOk;

    State.ServerMessage = Port->RegisterWindowMessageA(IpcName);
    if (State.ServerMessage == 0) return fail(code, LinkNoMessage);

    std::array<char, 64> name{};
    std::snprintf(name.data(), name.size(), "%s:%X:%X", IpcName,
                  static_cast<unsigned>(Port->GetCurrentProcessId()), 1u);
    State.MappingAtom = Port->GlobalAddAtomA(name.data());
    if (State.MappingAtom == 0) {
        LinkClose();
        return fail(code, LinkNoAtom);
    }

    State.MappingHandle = Port->CreateFileMappingA(LinkBlockSize, name.data());
    if (State.MappingHandle == 0 || Port->GetLastError() == ErrorAlreadyExists) {
        LinkClose();
        return fail(code, LinkNoMapping);
    }

    State.ViewBase = static_cast<std::uint8_t*>(Port->MapViewOfFile(State.MappingHandle));
    if (State.ViewBase == nullptr) {
        LinkClose();
        return fail(code, LinkNoView);
    }
    emptyQueue();

    for (int pass = 1; pass <= HandshakePasses && (State.ServerVersion == 0 || State.SimVersion == 0);
         ++pass) {
        bool ok = LinkRead(HandshakeServerVersion, 4, &State.ServerVersion, code) &&
                  LinkRead(HandshakeSimVersion, 4, &State.SimVersion, code);
        if (ok && pass == 1) {
            const auto library = static_cast<std::uint16_t>(State.LibraryVersion);
            ok = LinkWrite(HandshakeLibraryVersion, 2, &library, code);
        }
        ok = ok && LinkProcess(code);
        if (!ok) {
            LinkClose();
            return false;
        }
        Port->Sleep(HandshakePauseMs);
    }

    if (State.ServerVersion < LowestServerVersion || (State.SimVersion & 0xFFFF0000) != SimTag) {
        LinkClose();
        return fail(code, foundSecondClass ? LinkWideClient : LinkBadVersion);
    }
    State.SimVersion &= 0xFFFF;
    if (requiredSim != 0 && requiredSim != State.SimVersion) {
        LinkClose();
        return fail(code, LinkWrongSim);
    }
    code = LinkOk;
    return true;
}

void LinkClose() {
    State.ServerWindow = 0;
    State.ServerMessage = 0;
    State.NextRequest = nullptr;
    QueuedCount = 0;
    if (State.MappingAtom != 0) {
        Port->GlobalDeleteAtom(State.MappingAtom);
        State.MappingAtom = 0;
    }
    if (State.ViewBase != nullptr) {
        Port->UnmapViewOfFile(State.ViewBase);
        State.ViewBase = nullptr;
    }
    if (State.MappingHandle != 0) {
        Port->CloseHandle(State.MappingHandle);
        State.MappingHandle = 0;
    }
}

}  // namespace hf
