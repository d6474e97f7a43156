// The nearest-zone search: which zone is nearest, what the pilot is told and shown, and the
// stop when no zone is found after a reset.
#include <gtest/gtest.h>

#include "GateFixture.h"
#include "deck/Geometry.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using hf::testing::PointZone;
using Messages = std::vector<std::pair<std::string, int>>;

class NearestZoneTest : public hf::testing::GateTest {};

TEST_F(NearestZoneTest, PicksTheNearestFrontRightCornerInPlainDegrees) {
    struct Case {
        const char* what;
        double lat, lon;  // aircraft
        std::vector<TCatchZoneData> zones;
        int nearest;
        double distance;  // within 1e-5
    };
    const std::vector<Case> cases = {
        {"a tie keeps the earlier zone", 0, 0,
         {PointZone("FAR", 0.5, 0), PointZone("A", 0, 0.03), PointZone("B", 0.03, 0)}, 1, 0.03},
        {"the short way round the date line", 0, 179.9,
         {PointZone("EAST", 0, 179.5), PointZone("WEST", 0, -179.9)}, 1, 0.2},
        {"no cosine: 0.1 east at latitude 60 is farther than 0.07 north", 60, 0,
         {PointZone("EAST", 60, 0.1), PointZone("NORTH", 60.07, 0)}, 1, 0.07},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startWith(c.zones);
        const auto [lat, lon] = placeAircraft(c.lat, c.lon);
        const double distance = form->FindNearestZone();
        EXPECT_EQ(form->NearestZoneIndex, c.nearest);
        EXPECT_NEAR(distance, c.distance, 1e-5);  // positions come in whole units
        EXPECT_EQ(form->NearestZoneDistance, distance);
        EXPECT_EQ(distance, CornerDistance(lat, lon, c.zones[c.nearest].FrontRightLat,
                                           c.zones[c.nearest].FrontRightLon));
        form.reset();
        LinkClose();
    }
}

TEST_F(NearestZoneTest, AnnouncesANewCarrierOnceAndShowsHeadingAndVariation) {
    startWith({PointZone("CVN-70", 0, 0.01, 90), PointZone("cvn-70", 1, 0.01, 352.5),
               PointZone("CVN-70", 2, 0.01, 90)});
    placeAircraft(0, 0);
    core.poke<std::int16_t>(offsets::MagVar, -1820);
    form->FindNearestZone();
    EXPECT_EQ(form->lblNearestCarrier.Caption(), "Nearest cables: CVN-70 (rwy hdg 90)");
    EXPECT_EQ(form->lblCurrentMagVar.Caption(), "Current Mag Var: -10.0 deg");
    EXPECT_DOUBLE_EQ(form->MagVar, -1820 * 360.0 / 65536.0);
    form->FindNearestZone();  // the same carrier: no second announcement

    placeAircraft(1, 0);  // letter case counts
    form->FindNearestZone();
    EXPECT_EQ(form->lblNearestCarrier.Caption(), "Nearest cables: cvn-70 (rwy hdg 352.5)");
    placeAircraft(2, 0);
    form->FindNearestZone();
    EXPECT_EQ(messages(), (Messages{{"Nearest cables: (rwy hdg 90) \"CVN-70\"", 5},
                                    {"Nearest cables: (rwy hdg 352.5) \"cvn-70\"", 5},
                                    {"Nearest cables: (rwy hdg 90) \"CVN-70\"", 5}}));
    EXPECT_EQ(form->AnnouncedCarrierIdent, "CVN-70");
}

TEST_F(NearestZoneTest, KeepsThePreviousZoneWhenEveryZoneIsTooFar) {
    startWith({PointZone("CVN-70", 80, 0.01), PointZone("CVN-71", 80.5, 0.01)});
    placeAircraft(80.4, 0);
    form->FindNearestZone();
    ASSERT_EQ(form->NearestZoneIndex, 1);
    form->lblNearestCarrier.SetCaption({});

    placeAircraft(-80, 180);  // 180 degrees of longitude away from both
    EXPECT_EQ(form->FindNearestZone(), 180.0);
    EXPECT_EQ(form->NearestZoneDistance, 180.0);
    EXPECT_EQ(form->NearestZoneIndex, 1);
    EXPECT_EQ(form->lblNearestCarrier.Caption(), "Nearest cables: CVN-71 (rwy hdg 350)");
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(form->cmbDatFile.Enabled());
}

TEST_F(NearestZoneTest, FirstSearchWithEveryZoneTooFarStopsTheProgram) {
    startWith({PointZone("CVN-70", 0, 180.0)});  // exactly 180.0 away
    placeAircraft(0, 0);
    form->tmrFindNearestTimer(&form->tmrFindNearest);
    EXPECT_EQ(form->NearestZoneIndex, -1);
    EXPECT_EQ(form->NearestZoneDistance, 180.0);
    EXPECT_EQ(form->lblNearestCarrier.Caption(),
              "Error: unable to find nearest cables. Please send a bug report.");
    EXPECT_EQ(form->CatchZones, nullptr);
    EXPECT_EQ(Link().ViewBase, nullptr);
    EXPECT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_FALSE(form->pgMain.Enabled());
    // The heartbeat still switches its timers on; with the link closed they find nothing.
    EXPECT_TRUE(timers.Scheduled(form->tmrIsCatchCheckNeeded));
    EXPECT_EQ(messages(), (Messages{{"Hookfast enabled", 3}}));
}

TEST_F(NearestZoneTest, AFailedExchangeChangesNothingButTheDistance) {
    startWith({PointZone("CVN-70", 0, 0.01)});
    core.poke<std::int16_t>(offsets::MagVar, 2048);
    form->FindNearestZone();
    ASSERT_EQ(form->NearestZoneIndex, 0);
    const std::string label = form->lblNearestCarrier.Caption();

    core.poke<std::int16_t>(offsets::MagVar, 0);
    core.replyOverride = 0;
    EXPECT_EQ(form->FindNearestZone(), 180.0);
    EXPECT_EQ(form->NearestZoneDistance, 180.0);
    EXPECT_DOUBLE_EQ(form->MagVar, 11.25);
    EXPECT_EQ(form->NearestZoneIndex, 0);
    EXPECT_EQ(form->lblNearestCarrier.Caption(), label);
    EXPECT_TRUE(form->cmbDatFile.Enabled());
}

}  // namespace
}  // namespace hf
