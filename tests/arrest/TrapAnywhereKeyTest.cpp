// The F10 check: toggling trapping anywhere, too close to a zone, disabled, and the polls
// that find no press.
#include <gtest/gtest.h>

#include <cstring>

#include "DeckFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;

constexpr std::uint32_t Slot = 0x3210 + 4 * 3;
constexpr std::uint32_t ShiftF10 = 0x00010179;
constexpr std::uint32_t Pressed = 0x01000000 | ShiftF10;
const char* const TooClose =
    "Moving Carrier Trapping NOT enabled - too close to defined cable catch zone";

class TrapAnywhereKeyTest : public hf::testing::DeckTest {
protected:
    void SetUp() override { setUpAt(0.08); }
    // The aircraft `distance` degrees east of the zone's front-right corner, F10 in its slot
    // and pressed.
    void setUpAt(double distance) {
        startInZone();
        const TCatchZoneData& z = zone();
        placeAircraft(z.FrontRightLat, z.FrontRightLon + distance);
        form->AnnouncedCarrierIdent = z.CarrierIdent;  // announced already
        form->TrapAnywhereKeySlot = Slot;
        core.poke(Slot, Pressed);
        form->tmrIsCatchCheckNeeded.SetEnabled(false);
        core.clearRecords();
    }
    std::vector<std::uint32_t> slotWrites() const {
        std::vector<std::uint32_t> values;
        for (const auto& write : core.writesTo(Slot)) {
            std::uint32_t value = 0;
            std::memcpy(&value, write.bytes.data(), 4);
            values.push_back(value);
        }
        return values;
    }
    std::string gatePair() const { return std::string(form->tmrIsCatchCheckNeeded.OnTimer().Name); }
    std::string decelHandler() const { return std::string(form->tmrDecel.OnTimer().Name); }
};

TEST_F(TrapAnywhereKeyTest, PressArmsAwayFromZonesAndDisarmsWhenArmed) {
    form->CheckTrapAnywhereKey();
    EXPECT_TRUE(form->TrapAnywhereArmed);
    EXPECT_EQ(gatePair(), "tmrIsCatchCheckNeededForForcedTrappingTimer");
    EXPECT_EQ(decelHandler(), "tmrMovingCarrierDecelTimer");
    EXPECT_EQ(slotWrites(), std::vector<std::uint32_t>{ShiftF10});  // re-armed
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
    EXPECT_EQ(messages(), Messages{});  // arming shows nothing of its own

    core.poke(Slot, Pressed);
    form->CheckTrapAnywhereKey();
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(gatePair(), "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_EQ(decelHandler(), "tmrDecelTimer");
    EXPECT_EQ(slotWrites().size(), 2u);
}

TEST_F(TrapAnywhereKeyTest, TooCloseToAZoneStaysOff) {
    setUpAt(0.06);
    form->CheckTrapAnywhereKey();
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(gatePair(), "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_EQ(messages(), (Messages{{TooClose, 4}}));
    EXPECT_EQ(slotWrites(), std::vector<std::uint32_t>{ShiftF10});
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
}

TEST_F(TrapAnywhereKeyTest, FailedSearchArms) {
    setUpAt(0.01);
    int served = 0;
    core.onServed = [&] {
        if (++served == 1) {  // after the slot read, the search's exchange fails
            port.faults.failSends = 10;
            port.faults.failedSendWaits = false;
        }
    };
    form->CheckTrapAnywhereKey();
    EXPECT_TRUE(form->TrapAnywhereArmed);
}

TEST_F(TrapAnywhereKeyTest, KeyComboBaseGoesIntoTheReArmedDefinition) {
    form->KeyComboBase = 0x200;
    core.poke(Slot, Pressed + 0x200);
    form->CheckTrapAnywhereKey();
    EXPECT_TRUE(form->TrapAnywhereArmed);
    EXPECT_EQ(slotWrites(), std::vector<std::uint32_t>{0x00010379});
}

TEST_F(TrapAnywhereKeyTest, WhileDisabledThePressWaitsInItsSlot) {
    form->btnManualDisable.SetDown(true);
    for (bool reminders : {true, false}) {
        SCOPED_TRACE(reminders);
        core.clearRecords();
        form->chkbxShowDisableReminders.SetChecked(reminders);
        form->tmrIsCatchCheckNeeded.SetEnabled(false);
        form->CheckTrapAnywhereKey();
        EXPECT_FALSE(form->TrapAnywhereArmed);
        EXPECT_TRUE(slotWrites().empty());
        EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
        const Messages reminder = {{"HFast has been manually disabled", 3}};
        EXPECT_EQ(messages(), reminders ? reminder : Messages{});
    }
    // Enabled again: the press still in the slot toggles the mode at the next poll.
    form->btnManualDisable.SetDown(false);
    form->CheckTrapAnywhereKey();
    EXPECT_TRUE(form->TrapAnywhereArmed);
}

struct QuietPoll : hf::testing::Row {
    std::uint32_t slot;
    std::uint32_t value;
    bool failRead;
    std::size_t exchanges;
};

const QuietPoll QuietPolls[] = {
    {"not pressed", Slot, ShiftF10, false, 1},
    {"top byte 2", Slot, 0x02000000 | ShiftF10, false, 1},
    {"no slot allocated", 0, Pressed, false, 0},
    {"failed read", Slot, Pressed, true, 0},
};

class QuietPollTest : public TrapAnywhereKeyTest,
                      public ::testing::WithParamInterface<QuietPoll> {};

TEST_P(QuietPollTest, NoPressNoSlotOrFailedReadChangeNothing) {
    const QuietPoll& c = GetParam();
    form->TrapAnywhereKeySlot = c.slot;
    core.poke(Slot, c.value);
    if (c.failRead) core.replyOverride = 0;
    form->CheckTrapAnywhereKey();
    core.replyOverride.reset();
    EXPECT_FALSE(form->TrapAnywhereArmed);
    EXPECT_EQ(gatePair(), "tmrIsCatchCheckNeededForNormalTrappingTimer");
    EXPECT_TRUE(slotWrites().empty());
    EXPECT_TRUE(form->tmrIsCatchCheckNeeded.Enabled());
    if (!c.failRead) {
        EXPECT_EQ(core.exchangeCount(), c.exchanges);
    }
}

INSTANTIATE_TEST_SUITE_P(TrapAnywhereKeyTest, QuietPollTest, ::testing::ValuesIn(QuietPolls),
                         hf::testing::RowName);

}  // namespace
}  // namespace hf
