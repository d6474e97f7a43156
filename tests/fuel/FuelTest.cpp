// Fuel transfers through the whole window: the start and stop requests with their messages
// and label, the shares each step writes, the endings, the pause and what a reset or a
// closed link leaves.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "GateFixture.h"
#include "TableRows.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using Messages = std::vector<std::pair<std::string, int>>;
using Levels = std::vector<std::uint32_t>;

constexpr std::uint32_t Full = 8388608;
constexpr std::uint32_t Half = 4194304;

class FuelTest : public hf::testing::GateTest {
protected:
    void SetUp() override {
        startWith({hf::testing::PointZone("CV1", 10.0, 20.0)});
        ASSERT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 0);
        for (int tank = 1; tank <= 6; ++tank) setTank(tank, 0, 0);
        setHeight(3000, 0);
        core.clearRecords();
    }

    // Tanks are numbered 1 to 6 in the program's order.
    void setTank(int tank, std::uint32_t capacity, std::uint32_t level) {
        core.poke(offsets::Tanks[tank - 1].Capacity, capacity);
        core.poke(offsets::Tanks[tank - 1].Level, level);
    }
    void setHeight(std::int32_t altitudeMetres, std::int16_t groundMetres,
                   std::int32_t fraction = 0) {
        core.poke(offsets::AltitudeLo, fraction);
        core.poke(offsets::AltitudeHi, altitudeMetres);
        core.poke(offsets::GroundAltitude, groundMetres);
    }
    void load() { form->actFuelLoad.Execute(); }
    void offload() { form->actFuelOFFload.Execute(); }
    void toggle() { form->actFuelRateToggle.Execute(); }
    void step() { form->tmrFuelOpsTimer(nullptr); }

    Levels writesTo(int tank) const {
        Levels values;
        for (const auto& write : core.writesTo(offsets::Tanks[tank - 1].Level)) {
            std::uint32_t value = 0;
            EXPECT_EQ(write.bytes.size(), 4u);
            std::memcpy(&value, write.bytes.data(), 4);
            values.push_back(value);
        }
        return values;
    }
    std::size_t levelWriteCount() const {
        std::size_t count = 0;
        for (int tank = 1; tank <= 6; ++tank) count += writesTo(tank).size();
        return count;
    }
    std::string label() const { return form->lblFuelTransferStatus.Caption(); }
};

TEST_F(FuelTest, RateForTankRoundsHalvesToEven) {
    struct Case {
        int item;
        std::uint32_t capacity;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {1, 100, 1677722},     // 1677721.6
        {1, 200, 838861},      // 838860.8
        {1, 1, 167772160},
        {0, 100, 699051},      // 699050.67
        {0, 6, 11650844},      // 11650844.5, the even neighbour
        {0, 2, 34952534},      // 34952533.5, the even neighbour is above
        {0, 4294967295u, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.capacity);
        form->rdgrpFuelTransferRate.SetItemIndex(c.item);
        EXPECT_EQ(form->FuelRateForTank(c.capacity), c.expected);
    }
}

TEST_F(FuelTest, LoadStartsAndStopsWithMessagesAndLabel) {
    setTank(3, 100, Half);
    load();
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_EQ(label(), "LOADING @ 500 GPM (drogue)");
    load();
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(label(), "");
    offload();
    EXPECT_TRUE(form->FuelOffloadActive);
    EXPECT_EQ(label(), "OFFLOADING @ 500 GPM (drogue)");
    offload();
    EXPECT_FALSE(form->FuelOffloadActive);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(messages(), (Messages{{"Fuel Load started: 500 GPM (drogue)", 3},
                                    {"Fuel Load terminated", 6},
                                    {"Fuel OFFLoad started: 500 GPM (drogue)", 3},
                                    {"Fuel OFFLoad terminated", 6}}));
    EXPECT_EQ(levelWriteCount(), 0u);
}

TEST_F(FuelTest, WithoutASelectedRateAStartTakesTheFirstRate) {
    form->SetCaptions();  // replaces the items, as at window creation: no selection
    ASSERT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), -1);
    setTank(3, 100, Half);
    load();
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 0);
    EXPECT_EQ(label(), "LOADING @ 500 GPM (drogue)");
    step();
    EXPECT_EQ(writesTo(3), (Levels{Half + 699051}));
}

struct LoadHeight : hf::testing::Row {
    std::int32_t altitude;
    std::int16_t ground;
    std::int32_t fraction;
    bool allowed;
};

const LoadHeight LoadHeights[] = {
    {"exactly 1524 m", 1624, 100, 0, true},
    {"a fraction of a metre below", 1623, 100, -65536, false},
    {"ground below sea level", 1500, -24, 0, true},
    {"low over high ground", 2000, 500, 0, false},
};

class LoadHeightTest : public FuelTest, public ::testing::WithParamInterface<LoadHeight> {};

TEST_P(LoadHeightTest, LoadRequestNeedsFiveThousandFeetAboveTheGround) {
    const LoadHeight& c = GetParam();
    setTank(2, 321, Half);
    setHeight(c.altitude, c.ground, c.fraction);
    load();
    EXPECT_EQ(form->FuelLoadActive, c.allowed);
    // The snapshot is taken whether or not the load is allowed.
    EXPECT_EQ(form->TankCapacity, (std::array<std::uint32_t, 6>{0, 321, 0, 0, 0, 0}));
    if (c.allowed) {
        EXPECT_EQ(messages(), (Messages{{"Fuel Load started: 500 GPM (drogue)", 3}}));
    } else {
        EXPECT_EQ(messages(), (Messages{{"Fuel load not allowed below 5000' AGL", 3}}));
        EXPECT_EQ(label(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(FuelTest, LoadHeightTest, ::testing::ValuesIn(LoadHeights),
                         hf::testing::RowName);

struct LoadTank {
    std::uint32_t capacity;
    std::uint32_t level;
    Levels written;
};
struct LoadStep : hf::testing::Row {
    int item;
    std::array<LoadTank, 6> tanks;
};

const LoadStep LoadSteps[] = {
    {"1200 GPM into 100 and 200 gallons, the others absent or full", 1,
     {{{0, 0, {}},
       {50, 8346665, {}},
       {100, Half, {Half + 838861}},
       {200, Half, {Half + 419430}},
       {0, 100, {}},
       {80, Full + 5, {}}}}},
    {"500 GPM into three tanks of 100 gallons", 0,
     {{{100, 0, {233017}},
       {100, Half, {Half + 233017}},
       {100, 10, {10 + 233017}},
       {0, 0, {}},
       {0, 0, {}},
       {0, 0, {}}}}},
    {"a nearly full tank is topped up to 100 %", 1,
     {{{0, 0, {}}, {0, 0, {}}, {100, 8346664, {Full}}, {0, 0, {}}, {0, 0, {}}, {0, 0, {}}}}},
    {"a share of 0 writes the level unchanged", 0,
     {{{0, 0, {}}, {0, 0, {}}, {0, 0, {}}, {0, 0, {}}, {4294967295u, 77, {77}}, {0, 0, {}}}}},
    {"a 6-gallon tank is filled in one step at 500 GPM", 0,
     {{{0, 0, {}}, {0, 0, {}}, {0, 0, {}}, {0, 0, {}}, {0, 0, {}}, {6, 0, {Full}}}}},
};

class LoadStepTest : public FuelTest, public ::testing::WithParamInterface<LoadStep> {};

TEST_P(LoadStepTest, LoadStepSharesTheFlowAmongTheTanksThatTakeFuel) {
    const LoadStep& c = GetParam();
    form->rdgrpFuelTransferRate.SetItemIndex(c.item);
    for (int tank = 1; tank <= 6; ++tank)
        setTank(tank, c.tanks[tank - 1].capacity, c.tanks[tank - 1].level);
    load();
    ASSERT_TRUE(form->FuelLoadActive);
    step();
    for (int tank = 1; tank <= 6; ++tank) {
        SCOPED_TRACE(tank);
        EXPECT_EQ(writesTo(tank), c.tanks[tank - 1].written);
    }
    EXPECT_TRUE(form->FuelLoadActive);
}

INSTANTIATE_TEST_SUITE_P(FuelTest, LoadStepTest, ::testing::ValuesIn(LoadSteps),
                         hf::testing::RowName);

TEST_F(FuelTest, StepsDecideOnTheSnapshotNotOnTheCurrentCapacities) {
    setTank(1, 100, Half);
    load();
    setTank(1, 0, Half);        // the aircraft changed: the snapshot still counts
    setTank(2, 100, 0);         // a tank the snapshot does not know is never served
    step();
    EXPECT_EQ(writesTo(1), (Levels{Half + 699051}));
    EXPECT_EQ(writesTo(2), Levels{});
}

struct LoadEnd : hf::testing::Row {
    std::uint32_t level;
    std::int32_t altitude;
    std::string message;
};

const LoadEnd LoadEnds[] = {
    {"tanks full", 8346665, 3000, "Fuel Load terminated (tanks are full)"},
    {"too low with tanks to fill", Half, 1000,
     "Fuel Load terminated (not allowed below 5000' AGL)"},
    {"too low with full tanks", Full, 1000, "Fuel Load terminated (not allowed below 5000' AGL)"},
};

class LoadEndTest : public FuelTest, public ::testing::WithParamInterface<LoadEnd> {};

TEST_P(LoadEndTest, LoadEndsWithTheFirstReasonThatHolds) {
    const LoadEnd& c = GetParam();
    setTank(4, 100, c.level);
    load();  // the request does not look at the levels
    ASSERT_TRUE(form->FuelLoadActive);
    setHeight(c.altitude, 0);
    step();
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(levelWriteCount(), 0u);
    EXPECT_EQ(messages(), (Messages{{"Fuel Load started: 500 GPM (drogue)", 3}, {c.message, 6}}));
}

INSTANTIATE_TEST_SUITE_P(FuelTest, LoadEndTest, ::testing::ValuesIn(LoadEnds),
                         hf::testing::RowName);

TEST_F(FuelTest, LoadStepAtExactlyFiveThousandFeetGoesOn) {
    setTank(3, 100, Half);
    load();
    setHeight(1524, 0);
    step();
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_EQ(writesTo(3), (Levels{Half + 699051}));
}

TEST_F(FuelTest, OffloadStepStopsAtTenPercent) {
    struct Tank {
        std::uint32_t capacity;
        std::uint32_t level;
        Levels written;
    };
    const std::array<Tank, 6> tanks = {{
        {100, 838862, {838861}},          // just above 10 %: ends at 10 %
        {100, 838861, {}},                // at 10 %: gives nothing
        {1, 5000000, {838861}},           // share far above the level: no wrap below zero
        {0, Full, {}},                    // no such tank
        {200, Full, {Full - 349525 / 4}},  // 69905067 / 200 = 349525.3
        {100, Half, {Half - 699051 / 4}},
    }};
    form->rdgrpFuelTransferRate.SetItemIndex(0);
    for (int tank = 1; tank <= 6; ++tank) setTank(tank, tanks[tank - 1].capacity, tanks[tank - 1].level);
    setHeight(10, 0);  // no altitude limit for offloading
    offload();
    ASSERT_TRUE(form->FuelOffloadActive);
    step();
    EXPECT_TRUE(form->FuelOffloadActive);
    // Four tanks give fuel: each gets its own rate divided by 4.
    for (int tank = 1; tank <= 6; ++tank) {
        SCOPED_TRACE(tank);
        EXPECT_EQ(writesTo(tank), tanks[tank - 1].written);
    }

    core.clearRecords();
    for (int tank = 1; tank <= 6; ++tank) setTank(tank, tanks[tank - 1].capacity, 838861);
    step();
    EXPECT_FALSE(form->FuelOffloadActive);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(levelWriteCount(), 0u);
    EXPECT_EQ(messages(), (Messages{{"Fuel OFFLoad terminated (not allowed below 10% capacity)", 6}}));
}

TEST_F(FuelTest, OnlyOneTransferRunsAtATime) {
    setTank(1, 100, Half);
    offload();
    core.clearRecords();
    load();
    setHeight(1000, 0);
    load();
    EXPECT_TRUE(form->FuelOffloadActive);
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(label(), "OFFLOADING @ 500 GPM (drogue)");
    EXPECT_EQ(messages(), (Messages{{"Fuel OFFLoad in progress -- load request ignored", 3},
                                    {"Fuel load not allowed below 5000' AGL", 3}}));

    offload();
    setHeight(3000, 0);
    load();
    core.clearRecords();
    offload();
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_FALSE(form->FuelOffloadActive);
    EXPECT_EQ(label(), "LOADING @ 500 GPM (drogue)");
    EXPECT_EQ(messages(), (Messages{{"Fuel Load in progress -- OffLoad request ignored", 3}}));
}

TEST_F(FuelTest, RateToggleChangesTheNextStepButNotTheLabel) {
    setTank(3, 100, Half);
    load();
    toggle();
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 1);
    step();
    EXPECT_EQ(writesTo(3), (Levels{Half + 1677722}));
    EXPECT_EQ(label(), "LOADING @ 500 GPM (drogue)");
    toggle();
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 0);
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_EQ(messages(), (Messages{{"Fuel Load started: 500 GPM (drogue)", 3},
                                    {"Fuel transfer rate now set to 1200 GPM (boom)", 7},
                                    {"Fuel transfer rate now set to 500 GPM (drogue)", 7}}));
}

TEST_F(FuelTest, ManualDisablePausesTheTransferAndRefusesTheActions) {
    setTank(3, 100, Half);
    load();
    core.clearRecords();
    form->btnManualDisable.SetDown(true);
    load();
    offload();
    toggle();
    timers.Advance(3000);
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 0);
    EXPECT_EQ(label(), "LOADING @ 500 GPM (drogue)");
    EXPECT_EQ(levelWriteCount(), 0u);
    EXPECT_EQ(messages(),
              (Messages{{"Fuel Load not available - HFast has been manually disabled", 3},
                        {"Fuel OFFLoad not available - HFast has been manually disabled", 3},
                        {"Fuel rate toggle not available - HFast has been manually disabled", 3}}));

    // Enabled again, the timer resumes the steps within a second, one per second.
    form->btnManualDisable.SetDown(false);
    timers.Advance(2000);
    EXPECT_EQ(writesTo(3), (Levels{Half + 699051, Half + 2 * 699051}));
}

TEST_F(FuelTest, ResetEndsTheTransferSilentlyAndKeepsTheRate) {
    setTank(3, 100, Half);
    form->rdgrpFuelTransferRate.SetItemIndex(1);
    load();
    core.clearRecords();
    form->ResetProgramState(false);
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_FALSE(form->FuelOffloadActive);
    EXPECT_EQ(form->TankCapacity, (std::array<std::uint32_t, 6>{}));
    EXPECT_EQ(label(), "");
    EXPECT_EQ(form->rdgrpFuelTransferRate.ItemIndex(), 1);
    EXPECT_EQ(messages(), Messages{});
}

TEST_F(FuelTest, ClosedLinkLeavesTheTransferRunningButIdle) {
    setTank(3, 100, Half);
    load();
    form->StopOperations();
    core.clearRecords();
    timers.Advance(3000);
    EXPECT_TRUE(form->FuelLoadActive);
    EXPECT_EQ(levelWriteCount(), 0u);
    offload();
    EXPECT_FALSE(form->FuelOffloadActive);
    // The pilot's stop still clears the state, though its message cannot be shown.
    load();
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(label(), "");
    load();
    EXPECT_FALSE(form->FuelLoadActive);
    EXPECT_EQ(messages(), Messages{});
}

}  // namespace
}  // namespace hf
