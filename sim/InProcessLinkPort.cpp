#include "sim/InProcessLinkPort.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace hf::sim {

namespace {

constexpr std::uint32_t ErrorNotEnoughMemory = 8;
constexpr std::uint32_t ErrorInvalidHandle = 6;
constexpr std::uint32_t FirstRegisteredMessage = 0xC1A0;

bool sameAtomName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string text(const char* s) { return s ? s : "(null)"; }

}  // namespace

InProcessLinkPort::InProcessLinkPort(ServerCore& core, hf::testing::VirtualClock& clock)
    : core_(core), clock_(clock) {}

InProcessLinkPort::~InProcessLinkPort() = default;

bool InProcessLinkPort::windowExists(WindowHandle window) const {
    switch (faults.windows) {
        case ServerWindows::None: return false;
        case ServerWindows::UipcOnly: return window == UipcWindow;
        case ServerWindows::Fs98Only: return window == Fs98Window;
        case ServerWindows::Both: return window == UipcWindow || window == Fs98Window;
    }
    return false;
}

WindowHandle InProcessLinkPort::FindWindowExA(const char* className) {
    calls_.push_back("FindWindowExA(" + text(className) + ")");
    const std::string name = text(className);
    const WindowHandle window = name == "UIPCMAIN" ? UipcWindow
                                : name == "FS98MAIN" ? Fs98Window
                                                     : 0;
    return window != 0 && windowExists(window) ? window : 0;
}

std::uint32_t InProcessLinkPort::RegisterWindowMessageA(const char* name) {
    calls_.push_back("RegisterWindowMessageA(" + text(name) + ")");
    if (faults.registerMessageFails || !name) return 0;
    auto [it, added] = messages_.try_emplace(
        name, FirstRegisteredMessage + static_cast<std::uint32_t>(messages_.size()));
    if (it->first == "FSASMLIB:IPC") ipcMessage_ = it->second;
    return it->second;
}

std::uint16_t InProcessLinkPort::GlobalAddAtomA(const char* name) {
    calls_.push_back("GlobalAddAtomA(" + text(name) + ")");
    atomNames_.push_back(text(name));
    if (faults.atomFails || !name) return 0;
    for (auto& [atom, entry] : atoms_) {
        if (sameAtomName(entry.name, name)) {
            ++entry.references;
            return atom;
        }
    }
    const std::uint16_t atom = nextAtom_++;
    atoms_[atom] = {name, 1};
    return atom;
}

void InProcessLinkPort::GlobalDeleteAtom(std::uint16_t atom) {
    calls_.push_back("GlobalDeleteAtom");
    auto it = atoms_.find(atom);
    if (it != atoms_.end() && --it->second.references <= 0) atoms_.erase(it);
}

InProcessLinkPort::Mapping* InProcessLinkPort::mappingByName(const std::string& name) {
    for (auto& [id, mapping] : mappings_)
        if (mapping.name == name) return &mapping;
    return nullptr;
}

void InProcessLinkPort::createForeignMapping(const std::string& name) {
    if (mappingByName(name)) return;
    Mapping m{name, std::vector<std::uint8_t>(0x8000), 0, 0};
    m.handles = 1;  // held by the other process, never given back here
    mappings_.emplace(nextMapping_++, std::move(m));
}

ObjectHandle InProcessLinkPort::CreateFileMappingA(std::uint32_t sizeLow, const char* name) {
    calls_.push_back("CreateFileMappingA(" + std::to_string(sizeLow) + "," + text(name) + ")");
    if (faults.mappingFails || sizeLow == 0) {
        lastError_ = ErrorNotEnoughMemory;
        return 0;
    }
    const std::string key = name ? name : "";
    if (faults.mappingExists && !key.empty()) createForeignMapping(key);

    std::uint32_t id = 0;
    for (auto& [mid, mapping] : mappings_)
        if (!key.empty() && mapping.name == key) id = mid;
    if (id != 0) {
        lastError_ = ErrorAlreadyExists;
    } else {
        id = nextMapping_++;
        mappings_.emplace(id, Mapping{key, std::vector<std::uint8_t>(sizeLow), 0, 0});
        lastError_ = 0;
    }
    ++mappings_.at(id).handles;
    const ObjectHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = id;
    return handle;
}

void* InProcessLinkPort::MapViewOfFile(ObjectHandle mapping) {
    calls_.push_back("MapViewOfFile");
    auto it = handles_.find(mapping);
    if (faults.viewFails || it == handles_.end()) {
        lastError_ = faults.viewFails ? ErrorNotEnoughMemory : ErrorInvalidHandle;
        return nullptr;
    }
    Mapping& m = mappings_.at(it->second);
    ++m.views;
    return m.bytes.data();
}

void InProcessLinkPort::UnmapViewOfFile(void* view) {
    calls_.push_back("UnmapViewOfFile");
    for (auto& [id, mapping] : mappings_) {
        if (mapping.views > 0 && mapping.bytes.data() == view) {
            --mapping.views;
            dropIfUnused(id);
            return;
        }
    }
}

void InProcessLinkPort::CloseHandle(ObjectHandle handle) {
    calls_.push_back("CloseHandle");
    auto it = handles_.find(handle);
    if (it == handles_.end()) return;
    const std::uint32_t id = it->second;
    handles_.erase(it);
    --mappings_.at(id).handles;
    dropIfUnused(id);
}

void InProcessLinkPort::dropIfUnused(std::uint32_t mappingId) {
    auto it = mappings_.find(mappingId);
    if (it != mappings_.end() && it->second.handles <= 0 && it->second.views <= 0)
        mappings_.erase(it);
}

std::uintptr_t InProcessLinkPort::SendMessageTimeoutA(WindowHandle window, std::uint32_t message,
                                                      std::uintptr_t wParam, std::intptr_t,
                                                      std::uint32_t timeoutMs,
                                                      std::uintptr_t* reply) {
    calls_.push_back("SendMessageTimeoutA");
    ++sends_;
    if (!windowExists(window)) {
        lastError_ = ErrorInvalidWindowHandle;
        return 0;
    }
    if (faults.hung || faults.failSends > 0) {
        if (faults.failSends > 0) --faults.failSends;
        if (faults.failedSendWaits) clock_.advance(timeoutMs);
        lastError_ = faults.lastErrorAfterFailedSend;
        return 0;
    }
    if (!core_.answering()) {  // the server's window hangs: the send waits out its time-out
        clock_.advance(timeoutMs);
        lastError_ = ErrorTimeout;
        return 0;
    }
    std::uintptr_t value = 0;  // what the window procedure gives for a message it ignores
    auto atom = atoms_.find(static_cast<std::uint16_t>(wParam));
    if (message != 0 && message == ipcMessage_ && wParam <= 0xFFFF && atom != atoms_.end()) {
        if (Mapping* m = mappingByName(atom->second.name)) {
            ++served_;
            value = core_.serveBlock(m->bytes.data(), m->bytes.size());
            if (faults.scribble) faults.scribble(m->bytes);
        }
    }
    if (reply) *reply = value;
    return 1;
}

void InProcessLinkPort::Sleep(std::uint32_t ms) {
    calls_.push_back("Sleep(" + std::to_string(ms) + ")");
    sleeps_.push_back(ms);
    clock_.advance(ms);
}

std::int64_t InProcessLinkPort::sleptMs() const {
    return std::accumulate(sleeps_.begin(), sleeps_.end(), std::int64_t{0});
}

std::size_t InProcessLinkPort::liveAtoms() const { return atoms_.size(); }
std::size_t InProcessLinkPort::openHandles() const { return handles_.size(); }

std::size_t InProcessLinkPort::mappedViews() const {
    std::size_t n = 0;
    for (const auto& [id, m] : mappings_) n += static_cast<std::size_t>(m.views);
    return n;
}

void InProcessLinkPort::clearRecords() {
    calls_.clear();
    atomNames_.clear();
    sleeps_.clear();
    sends_ = 0;
    served_ = 0;
}

}  // namespace hf::sim
