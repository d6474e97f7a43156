#include "sim/ServerCore.h"

#include <algorithm>
#include <iterator>
#include <ostream>

#include "sim/JsonText.h"

namespace hf::sim {

namespace {

std::uint32_t loadU32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

constexpr std::uint32_t ReadId = 1;
constexpr std::uint32_t WriteId = 2;
constexpr std::size_t ReadHeader = 16;
constexpr std::size_t WriteHeader = 12;

// True when a well-formed record of the kind (ReadId or WriteId) in the block covers the offset.
bool BlockHolds(const std::uint8_t* block, std::size_t size, std::uint32_t kind, std::uint32_t offset) {
    std::size_t pos = 0;
    while (pos + 4 <= size) {
        const std::uint32_t id = loadU32(block + pos);
        const std::size_t header = id == ReadId ? ReadHeader : id == WriteId ? WriteHeader : 0;
        if (header == 0 || pos + header > size) return false;
        const std::uint32_t start = loadU32(block + pos + 4);
        const std::uint32_t n = loadU32(block + pos + 8);
        if (n > size - pos - header) return false;
        if (id == kind && start <= offset && offset - start < n) return true;
        pos += header + n;
    }
    return false;
}

}  // namespace

ServerCore::ServerCore() {
    setServerVersion(DefaultServerVersion);
    setSimulator(DefaultSimulator);
    setHotKeySlotCount(DefaultHotKeySlots);
}

void ServerCore::pokeBytes(std::uint32_t offset, const void* data, std::size_t size) {
    if (offset >= OffsetMemorySize) return;
    const std::size_t n = std::min<std::size_t>(size, OffsetMemorySize - offset);
    std::memcpy(memory_.data() + offset, data, n);
}

void ServerCore::peekBytes(std::uint32_t offset, void* data, std::size_t size) const {
    auto* out = static_cast<std::uint8_t*>(data);
    std::memset(out, 0, size);
    if (offset >= OffsetMemorySize) return;
    const std::size_t n = std::min<std::size_t>(size, OffsetMemorySize - offset);
    std::memcpy(out, memory_.data() + offset, n);
}

void ServerCore::setServerVersion(std::uint32_t version) { poke(ServerVersionOffset, version); }

void ServerCore::setSimulator(std::uint16_t index) {
    setSimulatorWord(SimulatorTag | index);
}

void ServerCore::setSimulatorWord(std::uint32_t raw) { poke(SimulatorWordOffset, raw); }

std::uint16_t ServerCore::libraryVersion() const { return libraryVersion_; }

void ServerCore::setHotKeySlotCount(std::uint32_t count) {
    poke(HotKeySlotCountOffset, count);
}

bool ServerCore::pressHotKey(std::uint32_t keyDefinition) {
    const auto count = peek<std::uint32_t>(HotKeySlotCountOffset);
    bool matched = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t slot = HotKeySlotsOffset + 4 * i;
        if (slot + 4 > OffsetMemorySize) break;
        const auto value = peek<std::uint32_t>(slot);
        if (value != 0 && (value & 0x00FFFFFF) == (keyDefinition & 0x00FFFFFF)) {
            poke<std::uint32_t>(slot, (value & 0x00FFFFFF) | 0x01000000);
            matched = true;
        }
    }
    if (matched) {
        poke<std::uint8_t>(HotKeyCounterOffset,
                           static_cast<std::uint8_t>(peek<std::uint8_t>(HotKeyCounterOffset) + 1));
        logNote("hotkey", hexWord(keyDefinition));
    }
    return matched;
}

void ServerCore::setFault(const ServerFault& fault) {
    if (fault == fault_) return;
    fault_ = fault;
    switch (fault.kind) {
        case ServerFault::Kind::None: logNote("fault", "none"); break;
        case ServerFault::Kind::NoReply: logNote("fault", "no-reply"); break;
        case ServerFault::Kind::Reply: logNote("fault", "reply " + std::to_string(fault.value)); break;
        case ServerFault::Kind::RefuseRead: logNote("fault", "refuse-read " + hexWord(fault.value)); break;
        case ServerFault::Kind::RefuseWrite: logNote("fault", "refuse-write " + hexWord(fault.value)); break;
    }
}

bool ServerCore::answering() {
    if (beforeServe) beforeServe();
    return fault_.kind != ServerFault::Kind::NoReply;
}

std::uint32_t ServerCore::serveBlock(std::uint8_t* block, std::size_t size) {
    if (beforeServe) beforeServe();
    if (fault_.kind == ServerFault::Kind::NoReply ||
        (fault_.kind == ServerFault::Kind::RefuseRead && BlockHolds(block, size, ReadId, fault_.value)) ||
        (fault_.kind == ServerFault::Kind::RefuseWrite && BlockHolds(block, size, WriteId, fault_.value))) {
        exchanges_.emplace_back();
        if (log_) {
            *log_ << "{\"t\":" << nowMs() << ",\"exchange\":" << exchanges_.size()
                  << ",\"reply\":" << ReplyBadBlock << ",\"refused\":true,\"records\":[]}\n";
            log_->flush();
        }
        return ReplyBadBlock;
    }
    std::vector<SimRecord> records;
    std::string recordLog;
    bool messageShown = false;
    bool bad = false;
    std::size_t pos = 0;

    auto logRecord = [&](const char* op, std::uint32_t offset, const std::uint8_t* data,
                         std::uint32_t n) {
        if (!recordLog.empty()) recordLog += ',';
        recordLog += "{\"op\":\"";
        recordLog += op;
        recordLog += "\",\"offset\":\"" + hexWord(offset) + "\",\"size\":" + std::to_string(n) +
                     ",\"data\":\"" + hexBytes({data, n}) + "\"}";
    };

    while (true) {
        if (pos + 4 > size) {  // no terminator inside the block
            bad = true;
            break;
        }
        const std::uint32_t id = loadU32(block + pos);
        if (id == 0) break;
        const std::size_t header = id == ReadId ? ReadHeader : id == WriteId ? WriteHeader : 0;
        if (header == 0 || pos + header > size) {
            bad = true;
            break;
        }
        const std::uint32_t offset = loadU32(block + pos + 4);
        const std::uint32_t n = loadU32(block + pos + 8);
        if (n > size - pos - header) {
            bad = true;
            break;
        }
        std::uint8_t* data = block + pos + header;
        if (id == ReadId) {
            peekBytes(offset, data, n);
            records.push_back({SimRecord::Read, offset, n});
            logRecord("read", offset, data, n);
        } else {
            records.push_back({SimRecord::Write, offset, n});
            logRecord("write", offset, data, n);
            applyWrite(offset, {data, n}, messageShown);
        }
        pos += header + n;
    }

    const std::uint32_t reply = fault_.kind == ServerFault::Kind::Reply ? fault_.value
                                : replyOverride                          ? *replyOverride
                                : bad                                    ? ReplyBadBlock
                                                                         : ReplyServed;
    exchanges_.push_back(std::move(records));
    if (log_) {
        *log_ << "{\"t\":" << nowMs() << ",\"exchange\":" << exchanges_.size()
              << ",\"reply\":" << reply << (bad ? ",\"bad\":true" : "") << ",\"records\":["
              << recordLog << "]}\n";
    }
    if (messageShown) {
        SimMessage m;
        std::array<char, MessageTextSize> text{};
        peekBytes(MessageTextOffset, text.data(), text.size());
        m.text.assign(text.begin(), std::find(text.begin(), text.end(), '\0'));
        m.seconds = peek<std::uint16_t>(MessageSecondsOffset);
        m.timeMs = nowMs();
        if (log_) {
            *log_ << "{\"t\":" << m.timeMs << ",\"message\":\"" << jsonEscape(m.text)
                  << "\",\"seconds\":" << m.seconds << "}\n";
        }
        messages_.push_back(std::move(m));
    }
    if (log_) log_->flush();
    if (onServed) onServed();
    return reply;
}

void ServerCore::applyWrite(std::uint32_t offset, std::span<const std::uint8_t> bytes,
                            bool& messageShown) {
    // The version words are the server's own: the client's library version written to
    // 0x330A is kept aside and the simulator's tag in the same bytes stays as it is.
    const std::uint64_t end = std::uint64_t{offset} + bytes.size();
    const bool handshake = offset < LibraryVersionOffset + 2 && end > ServerVersionOffset;
    if (handshake) {
        if (offset == LibraryVersionOffset && bytes.size() >= 2)
            std::memcpy(&libraryVersion_, bytes.data(), 2);
    } else {
        pokeBytes(offset, bytes.data(), bytes.size());
    }
    writes_.push_back({offset, {bytes.begin(), bytes.end()}, nowMs()});
    // The simulator shows the text at 0x3380 when the client sets its duration.
    if (offset <= MessageSecondsOffset && MessageSecondsOffset < offset + std::uint64_t{bytes.size()})
        messageShown = true;
    if (onWrite) onWrite(offset, bytes);
}

std::vector<SimWrite> ServerCore::writesTo(std::uint32_t offset) const {
    std::vector<SimWrite> out;
    std::copy_if(writes_.begin(), writes_.end(), std::back_inserter(out),
                 [offset](const SimWrite& w) { return w.offset == offset; });
    return out;
}

void ServerCore::clearRecords() {
    messages_.clear();
    writes_.clear();
    exchanges_.clear();
}

void ServerCore::logNote(const std::string& event, const std::string& detail) {
    if (!log_) return;
    *log_ << "{\"t\":" << nowMs() << ",\"event\":\"" << jsonEscape(event) << "\"";
    if (!detail.empty()) *log_ << ",\"detail\":\"" << jsonEscape(detail) << "\"";
    *log_ << "}\n";
    log_->flush();
}

}  // namespace hf::sim
