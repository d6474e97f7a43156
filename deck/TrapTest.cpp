// The trap test: has the aircraft caught the cables? Up to twenty times a second while a
// trap gate lets it run; on a catch it stops the watching timers and starts the arrest.
#include <cmath>
#include <cstdint>
#include <string>

#include "deck/Geometry.h"
#include "deck/SimData.h"
#include "deck/Trapping.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr double BankLimitDegrees = 10.0;
constexpr double HeadingLimitDegrees = 30.0;

// The ten values of one trap test, read in one exchange.
struct CatchValues {
    std::int32_t Heading = 0;
    std::int32_t Bank = 0;
    std::uint16_t OnGround = 0;
    std::uint32_t AltitudeLo = 0;
    std::int32_t AltitudeHi = 0;
    PositionHalves Position;
    double Hook = 0;
};

bool ReadCatchValues(CatchValues& values) {
    SimExchange exchange;
    exchange.Read(offsets::Heading, values.Heading)
        .Read(offsets::Bank, values.Bank)
        .Read(offsets::OnGround, values.OnGround)
        .Read(offsets::AltitudeLo, values.AltitudeLo)
        .Read(offsets::AltitudeHi, values.AltitudeHi)
        .ReadPosition(values.Position)
        .Read(offsets::Tailhook, values.Hook);
    return exchange.Process();
}

// The difference of two headings in degrees, the short way round (0 to 180).
double HeadingDifference(double runwayHeading, double heading) {
    double diff = std::fmax(runwayHeading, heading) - std::fmin(runwayHeading, heading);
    if (diff > 180.0) diff = 360.0 - diff;
    return diff;
}

// Normal trapping: on the deck or in the height band, wings nearly level, on the landing
// heading and inside the zone; the first failing test decides.
bool CaughtInZone(const TCatchZoneData& zone, const CatchValues& values, double magVar) {
    const bool onGround = values.OnGround == 1;
    if (!onGround) {
        const double altitude = DecodeAltitude(values.AltitudeLo, values.AltitudeHi);
        if (!(zone.DeckAlt <= altitude && altitude <= zone.DeckAlt + zone.CatchZoneHeight)) {
            return false;
        }
    }
    if (!(std::fabs(DecodeAngle(values.Bank)) < BankLimitDegrees)) return false;
    const double heading = MagneticHeading(DecodeAngle(values.Heading), magVar);
    if (!(HeadingDifference(zone.RunwayHeading, heading) < HeadingLimitDegrees)) return false;
    return IsInsideCatchZone(zone, values.Position.Latitude(), values.Position.Longitude());
}

}  // namespace

void TFormMain::tmrCheckForCatchTimer(TObject*) {
    tmrCheckForCatch.SetEnabled(false);

    const auto caught = [this] {
        // During the wait after an arrest nothing is read.
        if (ArrestWaitLeftMs(Host().MonotonicMs(), LastArrestEndTime) > 0) return false;
        CatchValues values;
        if (!ReadCatchValues(values)) return false;
        const bool hookDown = !chkbxDetectTailhook.Checked() || values.Hook > TailhookDownAbove;
        if (!hookDown || tmrDecel.Enabled()) return false;
        if (TrapAnywhereArmed) return values.OnGround == 1;
        // The gates run the test only after a search that found a zone; should it ever run
        // without one, there is nothing to catch in.
        const TCatchZoneData* zone = NearestZone();
        return zone != nullptr && CaughtInZone(*zone, values, MagVar);
    };
    if (!caught()) {
        tmrCheckForCatch.SetEnabled(true);
        return;
    }

    SetSpecialSound(false);
    tmrLaunchCheck.SetEnabled(false);
    lblCatArmStatus.SetCaption(rs::CatapultDisarmed);
    tmrIsCatchCheckNeeded.SetEnabled(false);
    tmrCheckForCatch.SetEnabled(false);
    // The installed handler pair stays: the arrest's own end installs the normal pair.
    TrapAnywhereArmed = false;
    tmrAccel.SetEnabled(false);
    tmrKeystroke.SetEnabled(false);  // no hot keys during the arrest
    tmrFindNearest.SetEnabled(false);
    PlayCatchSound();
    lblCableCatchStatus.SetCaption(rs::CablesCaught);
    tmrDecel.SetEnabled(true);
}

}  // namespace hf
