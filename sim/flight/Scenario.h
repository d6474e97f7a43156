// Scenario files: plain text, one command a line, run by the flight stand-in at given times.
//
//   # comment (also after a command; a text value runs to the end of its line)
//   approach <name> <key> <value> ...   defines a straight-in approach (see README.md)
//   at <ms> approach <name>             starts a defined approach
//   at <ms> set <offset> <type> <value> pokes a value (types u8 i8 u16 i16 u32 i32 f64 text)
//   at <ms> press <key definition>      the pilot presses a hot key (0x00010179: Shift+F10)
//   at <ms> thrust <ft/s^2>             engine thrust on the deck
//   at <ms> fault none|no-reply|reply <n>|refuse-read <offset>
//                                       the server's fault from then on (none ends it)
//   at <ms> end                         the scenario is over
//
// Times are whole milliseconds from the start and never go back.
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
struct SetFault {
    ServerFault fault;
};

using ScenarioAction =
    std::variant<StartApproach, SetOffset, PressKey, SetThrust, EndScenario, SetFault>;

struct ScenarioCommand {
    std::int64_t atMs = 0;
    int line = 0;
    ScenarioAction action;
};

struct Scenario {
    std::map<std::string, Approach> approaches;
    std::vector<ScenarioCommand> commands;  // in time order
    // Time of the end command, or of the last command when there is none.
    std::int64_t endMs() const;
};

Scenario ParseScenario(std::string_view text);
Scenario LoadScenario(const std::string& path);

}  // namespace hf::sim::flight
