// The status line: its pieces in order, the identifier cut to fit, the 100 characters the
// simulator shows, and the short answers while disabled or without a nearest zone.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DeckFixture.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

struct Scene {
    std::string flight = "Flying";
    bool hookOption = false;
    std::string hookState;
    std::string checking = "NOT NEEDED";
    bool loading = false;
    bool offloading = false;
    int rate = 0;
    bool armed = false;
    double heading = 270.0;
    std::string ident = "ALPHA";
    bool autocat = false;
};

// The plain scene with the changes of one case.
template <typename Edit>
Scene with(Edit edit) {
    Scene scene;
    edit(scene);
    return scene;
}

class StatusLineTest : public hf::testing::DeckTest {
protected:
    void SetUp() override { startInZone(); }

    // The options first (their clicks may touch the labels), then the run state.
    void set(const Scene& s) {
        form->chkbxDetectTailhook.SetChecked(s.hookOption);
        form->chkbxAutoCatArming.SetChecked(s.autocat);
        form->rdgrpFuelTransferRate.SetItemIndex(s.rate);
        form->lblFlightStatus.SetCaption(s.flight);
        form->lblTailhookState.SetCaption(s.hookState);
        form->lblActivelyCheckingStatus.SetCaption(s.checking);
        form->FuelLoadActive = s.loading;
        form->FuelOffloadActive = s.offloading;
        form->tmrLaunchCheck.SetEnabled(s.armed);
        zone().RunwayHeading = s.heading;
        zone().CarrierIdent = s.ident;
        form->AnnouncedCarrierIdent = s.ident;
        form->NearestZoneIndex = 0;
        core.clearRecords();
    }
    Messages status() {
        core.clearRecords();
        form->actShowStatus.Execute();
        return messages();
    }
    // What the simulator shows of a line.
    static Messages shown(const std::string& line) { return {{line.substr(0, 100), 7}}; }
};

TEST_F(StatusLineTest, PiecesComeInOrder) {
    struct Case {
        const char* name;
        Scene scene;
        std::string line;
    };
    const std::string cables = "Nearest cables rwy hdg 270 (\"ALPHA\")";
    const std::vector<Case> cases = {
        {"plain", {}, "FLYING, TRAPPING NOT NEEDED, " + cables},
        {"tailhook shown after the flight status",
         with([](Scene& s) {
             s.flight = "Landed";
             s.hookOption = true;
             s.hookState = "Tailhook is DOWN";
         }),
         "LANDED, Tailhook is DOWN, TRAPPING NOT NEEDED, " + cables},
        {"empty tailhook piece keeps its separator",
         with([](Scene& s) { s.hookOption = true; }),
         "FLYING, , TRAPPING NOT NEEDED, " + cables},
        {"no flight status",
         with([](Scene& s) { s.flight = ""; }),
         "TRAPPING NOT NEEDED, " + cables},
        {"loading at the first rate",
         with([](Scene& s) { s.checking = "Active"; s.loading = true; }),
         "FLYING, TRAPPING ACTIVE, LOADING FUEL @ 500 GPM (DROGUE), " + cables},
        {"offloading at the second rate",
         with([](Scene& s) {
             s.flight = "";
             s.offloading = true;
             s.rate = 1;
         }),
         "TRAPPING NOT NEEDED, OFFLOADING FUEL @ 1200 GPM (BOOM), " + cables},
        {"armed and automatic arming",
         with([](Scene& s) { s.armed = true; s.autocat = true; }),
         "FLYING, TRAPPING NOT NEEDED, CAT ARMED, " + cables + ", AUTOCAT"},
        {"heading in the general number form",
         with([](Scene& s) { s.heading = 352.5; s.ident = "CVN-65"; }),
         "FLYING, TRAPPING NOT NEEDED, Nearest cables rwy hdg 352.5 (\"CVN-65\")"},
        {"only a to z are upper-cased",
         with([](Scene& s) {
             s.flight = "vol \xe9lev\xe9";
             s.checking = "n\xe9" "cessaire";
         }),
         "VOL \xe9LEV\xe9, TRAPPING N\xe9" "CESSAIRE, " + cables},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        set(c.scene);
        EXPECT_EQ(status(), shown(c.line));
    }
}

TEST_F(StatusLineTest, TheIdentifierIsCutToFitTheClosingQuoteAndBracket) {
    const std::string before = "FLYING, TRAPPING NOT NEEDED, Nearest cables rwy hdg 270 (\"";
    const std::string ident(80, 'X');
    const std::string line = before + ident.substr(0, 97 - before.size()) + "\")";
    ASSERT_EQ(line.size(), 99u);

    set(with([&](Scene& s) { s.ident = ident; }));
    EXPECT_EQ(status(), shown(line));

    // The AUTOCAT piece falls beyond the 100 characters shown, all but its comma.
    set(with([&](Scene& s) {
        s.ident = ident;
        s.autocat = true;
    }));
    EXPECT_EQ(status(), (Messages{{line + ",", 7}}));
}

TEST_F(StatusLineTest, NoRoomLeavesTheIdentifierOut) {
    for (const std::size_t length : {49u, 56u}) {  // text before it of 97 and of 104
        SCOPED_TRACE(length);
        set(with([&](Scene& s) { s.checking = std::string(length, 'W'); }));
        const std::string before = "FLYING, TRAPPING " + std::string(length, 'W') +
                                   ", Nearest cables rwy hdg 270 (\"";
        ASSERT_GE(before.size(), 97u);
        EXPECT_EQ(status(), shown(before + "\")"));
    }
}

TEST_F(StatusLineTest, WithoutANearestZoneTheCablesPieceIsLeftOut) {
    set(with([](Scene& s) { s.autocat = true; }));
    form->NearestZoneIndex = -1;
    EXPECT_EQ(status(), shown("FLYING, TRAPPING NOT NEEDED, AUTOCAT"));
    form->NearestZoneIndex = 1;  // past the end of the list
    EXPECT_EQ(status(), shown("FLYING, TRAPPING NOT NEEDED, AUTOCAT"));
    form->NearestZoneIndex = 0;
    form->CatchZones.reset();
    EXPECT_EQ(status(), shown("FLYING, TRAPPING NOT NEEDED, AUTOCAT"));
}

TEST_F(StatusLineTest, WhileDisabledOnlyTheShortAnswer) {
    set(with([](Scene& s) { s.loading = true; s.armed = true; s.autocat = true; }));
    form->btnManualDisable.SetDown(true);
    EXPECT_EQ(status(), (Messages{{"HFast status: manually disabled", 3}}));
}

}  // namespace
}  // namespace hf
