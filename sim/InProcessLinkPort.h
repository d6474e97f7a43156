// The operating system and the interface module's window within one process, for native
// tests: window search, registered message, atoms, named mappings and the blocking send,
// with a switch for every failure the link must handle. Blocking waits move the virtual
// clock instead of sleeping.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/LinkPort.h"
#include "sim/ServerCore.h"
#include "testing/VirtualClock.h"

namespace hf::sim {

// Which server windows exist.
enum class ServerWindows { None, UipcOnly, Fs98Only, Both };

inline constexpr WindowHandle UipcWindow = 0x00010010;  // class "UIPCMAIN"
inline constexpr WindowHandle Fs98Window = 0x00010020;  // class "FS98MAIN"
inline constexpr std::uint32_t DefaultProcessId = 6700;  // block "FSASMLIB:IPC:1A2C:1"
inline constexpr std::uint32_t ErrorAlreadyExists = 183;
inline constexpr std::uint32_t ErrorInvalidWindowHandle = 1400;
inline constexpr std::uint32_t ErrorTimeout = 1460;

struct Faults {
    ServerWindows windows = ServerWindows::Fs98Only;
    bool registerMessageFails = false;  // RegisterWindowMessageA gives 0
    bool atomFails = false;             // GlobalAddAtomA gives 0
    bool mappingFails = false;          // CreateFileMappingA gives 0
    bool mappingExists = false;         // another process holds the name (it stays held): 183
    bool viewFails = false;             // MapViewOfFile gives null

    // Sends that fail before the server handles one: `failSends` upcoming sends fail
    // (3 = the fourth try succeeds); `hung` makes every send fail.
    int failSends = 0;
    bool hung = false;
    // A failed send waits out its time-out on the clock (a hung server); otherwise it
    // fails at once. GetLastError gives `lastErrorAfterFailedSend` afterwards.
    bool failedSendWaits = true;
    std::uint32_t lastErrorAfterFailedSend = 0;

    // Runs on the served block before the reply: a server that scribbles on ids and sizes.
    std::function<void(std::span<std::uint8_t>)> scribble;
};

class InProcessLinkPort : public LinkPort {
public:
    InProcessLinkPort(ServerCore& core, hf::testing::VirtualClock& clock);
    ~InProcessLinkPort() override;

    Faults faults;
    void setProcessId(std::uint32_t pid) { processId_ = pid; }

    // --- LinkPort --------------------------------------------------------------------------
    WindowHandle FindWindowExA(const char* className) override;
    std::uint32_t RegisterWindowMessageA(const char* name) override;
    std::uint16_t GlobalAddAtomA(const char* name) override;
    void GlobalDeleteAtom(std::uint16_t atom) override;
    ObjectHandle CreateFileMappingA(std::uint32_t sizeLow, const char* name) override;
    void* MapViewOfFile(ObjectHandle mapping) override;
    void UnmapViewOfFile(void* view) override;
    void CloseHandle(ObjectHandle handle) override;
    std::uintptr_t SendMessageTimeoutA(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam,
                                       std::uint32_t timeoutMs,
                                       std::uintptr_t* reply) override;
    std::uint32_t GetLastError() override { return lastError_; }
    std::uint32_t GetCurrentProcessId() override { return processId_; }
    void Sleep(std::uint32_t ms) override;

    // --- records for tests ---------------------------------------------------------------
    // Every port call by name, in order ("FindWindowExA(UIPCMAIN)", "Sleep(100)", ...).
    const std::vector<std::string>& calls() const { return calls_; }
    const std::vector<std::string>& atomNames() const { return atomNames_; }  // GlobalAddAtomA
    const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }
    std::int64_t sleptMs() const;
    int sendCount() const { return sends_; }       // SendMessageTimeoutA calls
    int servedCount() const { return served_; }    // of them, blocks the server served
    // Objects still held: atoms with a reference, mapping handles, mapped views.
    std::size_t liveAtoms() const;
    std::size_t openHandles() const;
    std::size_t mappedViews() const;
    void clearRecords();

    // A second process's mapping, so a test can make a name exist already.
    void createForeignMapping(const std::string& name);

private:
    struct Mapping {
        std::string name;
        std::vector<std::uint8_t> bytes;
        int handles = 0;
        int views = 0;
    };
    struct Atom {
        std::string name;
        int references = 0;
    };

    Mapping* mappingByName(const std::string& name);
    void dropIfUnused(std::uint32_t mappingId);
    bool windowExists(WindowHandle window) const;

    ServerCore& core_;
    hf::testing::VirtualClock& clock_;
    std::uint32_t processId_ = DefaultProcessId;
    std::uint32_t lastError_ = 0;
    std::uint32_t ipcMessage_ = 0;
    std::map<std::string, std::uint32_t> messages_;  // registered names

    std::map<std::uint16_t, Atom> atoms_;
    std::uint16_t nextAtom_ = 0xC001;
    std::map<std::uint32_t, Mapping> mappings_;      // by mapping id
    std::map<ObjectHandle, std::uint32_t> handles_;  // handle -> mapping id
    ObjectHandle nextHandle_ = 0x100;
    std::uint32_t nextMapping_ = 1;

    std::vector<std::string> calls_;
    std::vector<std::string> atomNames_;
    std::vector<std::uint32_t> sleeps_;
    int sends_ = 0;
    int served_ = 0;
};

}  // namespace hf::sim
