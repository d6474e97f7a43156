// The operating program with zones of the test's own, and the aircraft's values written
// straight into the stand-in's offsets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "deck/CatchZone.h"

namespace hf::testing {

// A zone that only its front-right corner places: all four corners coincide, so no point
// is ever inside it and the trap test can never catch in it.
TCatchZoneData PointZone(std::string ident, double lat, double lon, double heading = 350.0);

class GateTest : public ProgramTest {
protected:
    // Starts the program with the shipped zone file beside it, then puts `zones` in place of
    // whatever it loaded, as a fresh reset leaves the search (no zone found yet), and forgets
    // what the start sent and showed.
    void startWith(std::vector<TCatchZoneData> zones);

    // The aircraft at whole units of the position halves (low halves 0); gives the position
    // the program decodes.
    std::pair<double, double> placeAircraft(double lat, double lon);
    void setFlight(std::uint16_t onGround, std::int32_t gear, double speed,
                   std::uint16_t slew = 0, std::int16_t crash = 0);
    void setTitle(const std::string& title);

    // Writes the program made to one offset, as 16-bit values.
    std::vector<std::int16_t> int16WritesTo(std::uint32_t offset) const;
    // Wave-player events as "action path".
    std::vector<std::string> waveLog() const;
    std::string opsClip(const std::string& name) const { return "Ops_Sounds\\" + name; }
    void writeOpsClip(const std::string& name) const;
};

}  // namespace hf::testing
