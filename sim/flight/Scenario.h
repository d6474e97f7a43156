// Scenario files: plain text, one command a line, run by the flight stand-in at given times.
//
//   # comment (also after a command; a text value runs to the end of its line)
//   approach <name> <key> <value> ...   defines a straight-in approach (see README.md)
//   at <ms> approach <name>             starts a defined approach
//   at <ms> set <offset> <type> <value> pokes a value (types u8 i8 u16 i16 u32 i32 f64 text)
//   at <ms> press <key>                 the pilot presses a hot key: shift+F10, shift+ctrl+F12,
//                                       or a key definition (0x00010179 = Shift+F10)
//   at <ms> thrust <ft/s^2>             engine thrust on the deck at idle
//   at <ms> place <lat> <lon> deck <m> heading <deg>      parked on a deck, at a standstill
//   at <ms> cruise <lat> <lon> alt <m> heading <deg> [speed <kt>] [ground <m>]  level flight
//   at <ms> climb <m/s>                 vertical speed in the air (negative: descend)
//   at <ms> crash                       the simulator's crash flag; the aircraft lies still
//   at <ms> tank <name> capacity <gal> level <percent>   one of the six tanks
//   at <ms> wait <signal>               waits for the host's signal; the times after it
//                                       count from the signal
//   at <ms> fault none|no-reply|reply <n>|refuse-read <offset>|refuse-write <offset>
//                                       the server's fault from then on (none ends it)
//   at <ms> end                         the scenario is over
//
// Times are whole milliseconds from the start (or from the last wait) and never go back.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/ServerCore.h"
#include "sim/flight/FlightModel.h"

namespace hf::sim::flight {

// "line <n>: <what is wrong>" (with the file name in front when read from a file).
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct StartApproach {
    Approach approach;
};
struct SetOffset {
    std::uint32_t offset = 0;
    std::vector<std::uint8_t> bytes;
};
struct PressKey {
    std::uint32_t keyDefinition = 0;
};
struct SetThrust {
    double thrust = 0;
};
struct EndScenario {};
struct PlaceOnDeck {
    Placement placement;
};
struct StartCruise {
    Cruise cruise;
};
struct SetClimb {
    double metresPerSecond = 0;
};
struct CrashAircraft {};
struct WaitSignal {
    std::string name;
};

struct SetFault {
    ServerFault fault;
};

using ScenarioAction =
    std::variant<StartApproach, SetOffset, PressKey, SetThrust, EndScenario, PlaceOnDeck,
                 StartCruise, SetClimb, CrashAircraft, WaitSignal, SetFault>;

// The six tanks by their names in scenarios, in the program's tank order: level and
// capacity offsets (8388608 = a full tank; capacities in US gallons).
struct TankOffsets {
    std::string_view name;
    std::uint32_t level;
    std::uint32_t capacity;
};
inline constexpr TankOffsets Tanks[] = {
    {"centre", 0x0B74, 0x0B78},    {"centre2", 0x1244, 0x1248},   {"left-main", 0x0B7C, 0x0B80},
    {"right-main", 0x0B94, 0x0B98}, {"left-aux", 0x0B84, 0x0B88}, {"right-aux", 0x0B9C, 0x0BA0},
};
inline constexpr double FullTankLevel = 8388608.0;

struct ScenarioCommand {
    std::int64_t atMs = 0;  // from the start, or from the last wait's signal
    int line = 0;
    ScenarioAction action;
};

struct Scenario {
    std::map<std::string, Approach> approaches;
    std::vector<ScenarioCommand> commands;  // in time order
    // Time of the end command, or of the last command when there is none (counted from the
    // last wait before it, if any).
    std::int64_t endMs() const;
};

Scenario ParseScenario(std::string_view text);
Scenario LoadScenario(const std::string& path);

}  // namespace hf::sim::flight
