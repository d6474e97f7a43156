// Command line of fsstandin.exe, parsed portably so it can be tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/ServerCore.h"

namespace hf::sim {

struct StandInPoke {
    std::uint32_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

struct StandInOptions {
    bool uipcWindow = false;  // --class UIPCMAIN | FS98MAIN | both
    bool fs98Window = true;
    std::uint32_t serverVersion = DefaultServerVersion;  // --version N
    std::uint32_t simulatorWord = SimulatorTag | DefaultSimulator;  // --sim N | --sim-word N
    std::optional<std::uint32_t> reply;  // --reply N: give N whatever the block held
    std::uint32_t delayMs = 0;           // --delay-ms N: wait before each reply
    std::uint32_t hotKeySlots = DefaultHotKeySlots;  // --hotkey-slots N
    std::vector<StandInPoke> pokes;      // --poke OFF=VALUE[:SIZE], --text OFF=TEXT
    std::string logPath;                 // --log FILE (JSON lines)
    std::string readyFile;               // --ready-file FILE: written once the window is up
    std::string stopFile;                // --stop-file FILE: quit when it appears
    std::uint32_t quitAfterSeconds = 600;  // --quit-after S (0 = never)
    std::string scenarioPath;            // --scenario FILE: fly it with the flight model
    std::string tracePath;               // --trace FILE: the speed trace as CSV at the end
    std::string signalDir;               // --signal-dir DIR: a scenario's `wait NAME` ends
                                         // when the file NAME appears in DIR
};

inline constexpr const char* StandInUsage =
    "fsstandin [--class FS98MAIN|UIPCMAIN|both] [--version N] [--sim N | --sim-word N]\n"
    "          [--reply N] [--delay-ms N] [--hotkey-slots N] [--poke OFFSET=VALUE[:SIZE]]\n"
    "          [--text OFFSET=TEXT] [--log FILE] [--ready-file FILE] [--stop-file FILE]\n"
    "          [--quit-after SECONDS] [--scenario FILE [--trace FILE] [--signal-dir DIR]]\n"
    "Numbers are decimal or 0x-hexadecimal; SIZE is 1, 2 or 4 bytes (default 4).\n";

// Parses the arguments after the program name. On a bad argument: nullopt and `error`.
std::optional<StandInOptions> parseStandInOptions(std::span<const std::string> args,
                                                  std::string& error);

// Sets up the core's memory and faults as the options say.
void applyStandInOptions(const StandInOptions& options, ServerCore& core);

}  // namespace hf::sim
