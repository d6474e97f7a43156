// The portable core of the simulator stand-in: the offset memory of the interface module,
// serving a client's request block in place. Hosts (in-process for native tests, the
// fsstandin.exe window for Wine tests) deliver the block; a flight model or a scenario may
// drive the memory and watch the writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace hf::sim {

inline constexpr std::size_t OffsetMemorySize = 0x10000;

// Handshake and service offsets the core knows about.
inline constexpr std::uint32_t ServerVersionOffset = 0x3304;
inline constexpr std::uint32_t SimulatorWordOffset = 0x3308;
inline constexpr std::uint32_t LibraryVersionOffset = 0x330A;
inline constexpr std::uint32_t HotKeySlotCountOffset = 0x320C;
inline constexpr std::uint32_t HotKeySlotsOffset = 0x3210;
inline constexpr std::uint32_t HotKeyCounterOffset = 0x32FE;
inline constexpr std::uint32_t MessageSecondsOffset = 0x32FA;
inline constexpr std::uint32_t MessageTextOffset = 0x3380;
inline constexpr std::uint32_t MessageTextSize = 128;

inline constexpr std::uint32_t DefaultServerVersion = 0x39990000;  // 3.999
inline constexpr std::uint16_t DefaultSimulator = 8;               // FSX
inline constexpr std::uint32_t SimulatorTag = 0xFADE0000;
inline constexpr std::uint32_t DefaultHotKeySlots = 56;

// Reply value of an exchange: 1 served; 0 when the block could not be walked.
inline constexpr std::uint32_t ReplyServed = 1;
inline constexpr std::uint32_t ReplyBadBlock = 0;

struct SimMessage {
    std::string text;  // Windows-1252 bytes up to the first zero
    std::uint16_t seconds = 0;
    std::int64_t timeMs = 0;
};

struct SimWrite {
    std::uint32_t offset = 0;
    std::vector<std::uint8_t> bytes;
    std::int64_t timeMs = 0;
};

// A fault the server shows from a moment on, until another replaces it (a scenario's
// `fault` command): no answer at all, a fixed reply value, or a refused read or write of one
// offset.
struct ServerFault {
    enum class Kind : std::uint8_t { None, NoReply, Reply, RefuseRead, RefuseWrite };
    Kind kind = Kind::None;
    std::uint32_t value = 0;  // the reply value, or the offset whose reads or writes are refused
    bool operator==(const ServerFault&) const = default;
};

struct SimRecord {
    enum Kind : std::uint8_t { Read, Write } kind = Read;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

class ServerCore {
public:
    ServerCore();

    // --- offset memory (open to flight models and scenarios) -------------------------
    // Offsets wrap nothing: bytes beyond the 64 KiB memory read as zero and are not stored.
    template <class T>
    void poke(std::uint32_t offset, T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        pokeBytes(offset, &value, sizeof value);
    }
    template <class T>
    T peek(std::uint32_t offset) const {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        peekBytes(offset, &value, sizeof value);
        return value;
    }
    void pokeBytes(std::uint32_t offset, const void* data, std::size_t size);
    void peekBytes(std::uint32_t offset, void* data, std::size_t size) const;
    std::span<std::uint8_t, OffsetMemorySize> memory() { return memory_; }
    std::span<const std::uint8_t, OffsetMemorySize> memory() const { return memory_; }

    // --- handshake ----------------------------------------------------------------------
    void setServerVersion(std::uint32_t version);           // 0x3304
    void setSimulator(std::uint16_t index);                 // 0x3308 = 0xFADE0000 | index
    void setSimulatorWord(std::uint32_t raw);               // 0x3308 as given (wrong tag)
    // Last value a client wrote to 0x330A. Writes into 0x3304-0x330B change no memory: the
    // version words stay the server's.
    std::uint16_t libraryVersion() const;

    // --- hot-key service ----------------------------------------------------------------
    void setHotKeySlotCount(std::uint32_t count);           // 0x320C
    // The pilot presses a combination: byte 3 of every slot holding that definition is set
    // and the counter byte at 0x32FE moves on. False when no slot holds it.
    bool pressHotKey(std::uint32_t keyDefinition);

    // --- serving --------------------------------------------------------------------------
    // Serves a request block in place: read records get their data filled, write records are
    // applied (in record order). The walk ends at a zero id; a record with an unknown id or
    // one that would reach past `size` stops it and makes the reply ReplyBadBlock.
    std::uint32_t serveBlock(std::uint8_t* block, std::size_t size);

    // Reply value to give whatever the block held (0 or 2 for the bad-data fault). The
    // block is still served, so a client that copied answers anyway would be caught.
    std::optional<std::uint32_t> replyOverride;

    // --- faults in force from a moment on ----------------------------------------------
    // No reply: the host does not answer within the client's time-out. Reply: as
    // replyOverride, in force over it. Refuse read (write): a block holding a read (write) of that
    // offset is not served at all and gets ReplyBadBlock. Each change is noted in the log.
    void setFault(const ServerFault& fault);
    const ServerFault& fault() const { return fault_; }
    // Whether the server answers an exchange now. Hosts ask before serving a block: a model
    // on the host's clock catches up first (beforeServe), so a fault that comes due at this
    // moment counts. A block served while it is false is left as it is.
    bool answering();

    // Time stamps for the log, messages and writes (ms); hosts set their clock.
    void setClock(std::function<std::int64_t()> nowMs) { nowMs_ = std::move(nowMs); }
    std::int64_t nowMs() const { return nowMs_ ? nowMs_() : 0; }

    // Called before every block is served, before its first record is read: a model that
    // lives on the host's clock catches up here, so each exchange sees it as it is now.
    std::function<void()> beforeServe;
    // Called for every applied write record, after the memory changed.
    std::function<void(std::uint32_t offset, std::span<const std::uint8_t> bytes)> onWrite;
    // Called after every served block (before the host replies).
    std::function<void()> onServed;

    // --- records for tests ----------------------------------------------------------------
    const std::vector<SimMessage>& messages() const { return messages_; }
    const std::vector<SimWrite>& writes() const { return writes_; }
    std::vector<SimWrite> writesTo(std::uint32_t offset) const;
    // The records of each served exchange, in order.
    const std::vector<std::vector<SimRecord>>& exchanges() const { return exchanges_; }
    std::size_t exchangeCount() const { return exchanges_.size(); }
    void clearRecords();

    // Exchange log as JSON lines: one line per exchange, one per pilot message, and notes.
    // The stream must outlive the core or be reset to null.
    void setLog(std::ostream* log) { log_ = log; }
    void logNote(const std::string& event, const std::string& detail = {});

private:
    void applyWrite(std::uint32_t offset, std::span<const std::uint8_t> bytes,
                    bool& messageShown);

    std::array<std::uint8_t, OffsetMemorySize> memory_{};
    std::function<std::int64_t()> nowMs_;
    std::vector<SimMessage> messages_;
    std::vector<SimWrite> writes_;
    std::vector<std::vector<SimRecord>> exchanges_;
    std::ostream* log_ = nullptr;
    std::uint16_t libraryVersion_ = 0;
    ServerFault fault_;
};

}  // namespace hf::sim
