// The operating program with the rectangle zone as the nearest one and the aircraft standing
// ready for a launch at its front-left corner: on the deck, gear down, parking brake set,
// stopped, throttle back, no crash or slew.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "DeckFixture.h"

namespace hf::testing {

class CatapultTest : public DeckTest {
protected:
    void startReady();

    void setBrake(std::int16_t value);
    void setThrottle(std::int16_t value);
    void setAircraft(std::uint8_t engineType, std::int32_t kind);
    void placeAtCorner(double dLat = 0, double dLon = 0);

    // The handlers as their controls and timers run them.
    void armAction() { form->actCatapultArm.Execute(); }
    void autoTick() { form->tmrAutoCatArmCheck.OnTimer()(&form->tmrAutoCatArmCheck); }
    void watchTick() { form->tmrLaunchCheck.OnTimer()(&form->tmrLaunchCheck); }
    void strokeTick() { form->tmrAccel.OnTimer()(&form->tmrAccel); }

    bool armed() const { return form->tmrLaunchCheck.Enabled(); }
    std::string armLabel() const { return form->lblCatArmStatus.Caption(); }
    std::vector<double> accelWrites() const;
    // Arms by hand from the ready state and forgets what arming sent and showed.
    void armByHand();
};

}  // namespace hf::testing
