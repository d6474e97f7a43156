// The hot keys through the whole window: one slot per key across starts and resets, servers
// without free slots, the release after one poll interval, the change counter, the checks
// that serve a press once, and the Shift or Shift+Ctrl definitions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProgramFixture.h"

namespace hf {
namespace {

enum Key : std::uint32_t {
    F1 = 0x70, F2 = 0x71, F3 = 0x72, F5 = 0x74, F6 = 0x75, F7 = 0x76,
    F8 = 0x77, F9 = 0x78, F10 = 0x79, F11 = 0x7A, F12 = 0x7B,
};
constexpr std::uint32_t Shift(std::uint32_t key) { return 0x00010100 + key; }
constexpr std::uint32_t ShiftCtrl(std::uint32_t key) { return 0x00010300 + key; }
constexpr std::uint32_t SlotOffset(std::uint32_t index) { return 0x3210 + 4 * index; }
constexpr std::uint32_t Pressed = 0x01000000;
constexpr std::uint32_t CounterOffset = 0x32FE;
constexpr std::uint32_t ForeignDefinition = 0x00020141;  // another client's key
const std::string NoSlotNote = " (some keys not available/already allocated)";

// Registration order: F12 takes the first free slot.
const std::vector<std::uint32_t> RegisteredShift = {
    Shift(F12), Shift(F9), Shift(F10), Shift(F11), Shift(F8), Shift(F5),
    Shift(F6),  Shift(F1), Shift(F2),  Shift(F3),  Shift(F7)};

class HotKeysTest : public hf::testing::ProgramTest {
protected:
    struct SlotWrite {
        std::uint32_t offset;
        std::uint32_t value;
        std::int64_t timeMs;
    };

    std::vector<std::uint32_t> serverSlots() const {
        std::vector<std::uint32_t> values;
        const auto count = core.peek<std::uint32_t>(0x320C);
        for (std::uint32_t i = 0; i < count; ++i) {
            values.push_back(core.peek<std::uint32_t>(SlotOffset(i)));
        }
        return values;
    }
    // The key definitions the server holds for the program, sorted.
    std::vector<std::uint32_t> heldDefinitions() const {
        std::vector<std::uint32_t> held;
        for (std::uint32_t value : serverSlots()) {
            if (value != 0 && value != ForeignDefinition) held.push_back(value);
        }
        std::sort(held.begin(), held.end());
        return held;
    }
    static std::vector<std::uint32_t> sorted(std::vector<std::uint32_t> values) {
        std::sort(values.begin(), values.end());
        return values;
    }
    std::vector<SlotWrite> slotWrites() const {
        std::vector<SlotWrite> found;
        for (const auto& write : core.writes()) {
            if (write.offset < SlotOffset(0) || write.offset >= SlotOffset(56)) continue;
            std::uint32_t value = 0;
            std::memcpy(&value, write.bytes.data(), 4);
            found.push_back({write.offset, value, write.timeMs});
        }
        return found;
    }
    std::uint32_t slotValue(std::uint32_t offset) const { return core.peek<std::uint32_t>(offset); }

    // The actions the keys run, recorded instead of run (all but the reset).
    void recordActions() {
        for (TAction* action : {&form->actBattleDamage1, &form->actBattleDamage2,
                                &form->actBattleDamage3, &form->actFuelLoad,
                                &form->actFuelOFFload, &form->actFuelRateToggle,
                                &form->actShowStatus, &form->actCatapultArm,
                                &form->actManualOverride}) {
            action->OnExecute = {action->Name(), [this, action](TObject*) {
                                     actions.push_back(action->Name());
                                 }};
        }
    }
    // The pilot presses and the poll runs once.
    void pressAndPoll(std::initializer_list<std::uint32_t> definitions) {
        for (std::uint32_t definition : definitions) {
            ASSERT_TRUE(core.pressHotKey(definition)) << std::hex << definition;
        }
        timers.Advance(form->tmrKeystroke.Interval());
    }
    bool polling() const { return timers.Scheduled(form->tmrKeystroke); }

    std::vector<std::string> actions;
};

TEST_F(HotKeysTest, FirstStartRegistersEveryKeyInOneSlot) {
    startProgram();
    ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
    std::vector<std::uint32_t> expected = RegisteredShift;
    expected.resize(56, 0);
    EXPECT_EQ(serverSlots(), expected);
    EXPECT_EQ(form->ManualOverrideKeySlot, SlotOffset(0));
    EXPECT_EQ(form->TrapAnywhereKeySlot, SlotOffset(2));
    EXPECT_EQ(form->FuelRateKeySlot, SlotOffset(10));
    EXPECT_EQ(form->KeyComboBase, 0u);
    EXPECT_TRUE(polling());
    EXPECT_FALSE(form->lblConnectionInfo.Caption().ends_with(NoSlotNote));
}

TEST_F(HotKeysTest, ResetsWithTheWindowShownOrHiddenKeepOneSlotPerKey) {
    core.poke(SlotOffset(3), ForeignDefinition);  // another client's slot among ours
    startProgram();
    for (bool shown : {true, false}) {
        if (!shown) form->Hide();  // the reset comes from the toolbar
        for (int reset = 1; reset <= 3; ++reset) {
            SCOPED_TRACE(::testing::Message() << "shown " << shown << ", reset " << reset);
            form->actResetProgram.Execute();
            EXPECT_EQ(heldDefinitions(), sorted(RegisteredShift));
            EXPECT_EQ(slotValue(SlotOffset(3)), ForeignDefinition);
            EXPECT_TRUE(polling());
        }
    }
}

TEST_F(HotKeysTest, ServersWithoutEnoughFreeSlots) {
    struct Case {
        const char* what;
        std::uint32_t slotCount;
        std::vector<std::uint32_t> freeSlots;
    };
    for (const Case& c : {Case{"every slot taken", 56, {}}, Case{"no slots at all", 0, {}},
                          Case{"three free", 56, {5, 20, 40}}}) {
        SCOPED_TRACE(c.what);
        core.setHotKeySlotCount(c.slotCount);
        for (std::uint32_t i = 0; i < 56; ++i) {
            const bool free = std::find(c.freeSlots.begin(), c.freeSlots.end(), i) !=
                              c.freeSlots.end();
            core.poke(SlotOffset(i), free ? 0u : ForeignDefinition);
        }
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled());
        const bool some = !c.freeSlots.empty();
        EXPECT_EQ(polling(), some);
        EXPECT_EQ(form->lblConnectionInfo.Caption().ends_with(NoSlotNote), !some);
        if (some) {
            // The first keys of the registration order get them; the rest are silently dead.
            EXPECT_EQ(form->ManualOverrideKeySlot, SlotOffset(5));
            EXPECT_EQ(form->CatapultKeySlot, SlotOffset(20));
            EXPECT_EQ(form->TrapAnywhereKeySlot, SlotOffset(40));
            for (std::uint32_t slot : {form->ResetKeySlot, form->StatusKeySlot,
                                       form->FuelLoadKeySlot, form->BattleDamage1KeySlot,
                                       form->FuelRateKeySlot}) {
                EXPECT_EQ(slot, 0u);
            }
        }
        form->Close();
        form.reset();
        LinkClose();
    }
}

// A server may report more slots than lie below the message line's seconds (0x32FA): the
// program takes none that would overlap them, the counter at 0x32FE or what follows, and a
// scan with no free slot in reach ends after the last one below 0x32F8.
TEST_F(HotKeysTest, SlotsReportedBeyondTheMessageLineAreNeverTaken) {
    constexpr std::uint32_t LastSlotEnd = 0x32F8;
    constexpr std::uint32_t Handshake = 0x3304;  // the link's version words, 0x3304-0x330B
    struct Case {
        const char* what;
        std::uint32_t slotCount;
        std::uint32_t taken;
    };
    for (const Case& c : {Case{"70 slots, 56 taken", 70, 56},
                          Case{"0xFFFFFFFF slots, 56 taken", 0xFFFFFFFF, 56},
                          Case{"70 slots, 58 taken", 70, 58}}) {
        SCOPED_TRACE(c.what);
        core.setHotKeySlotCount(c.slotCount);
        for (std::uint32_t i = 0; i < c.taken; ++i) core.poke(SlotOffset(i), ForeignDefinition);
        startProgram();
        ASSERT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
        const bool some = c.taken < 58;
        EXPECT_EQ(polling(), some);
        EXPECT_EQ(form->lblConnectionInfo.Caption().ends_with(NoSlotNote), !some);
        EXPECT_EQ(form->ManualOverrideKeySlot, some ? SlotOffset(56) : 0u);
        EXPECT_EQ(form->CatapultKeySlot, some ? SlotOffset(57) : 0u);
        for (std::uint32_t slot : {form->TrapAnywhereKeySlot, form->ResetKeySlot,
                                   form->StatusKeySlot, form->FuelRateKeySlot}) {
            EXPECT_EQ(slot, 0u);
        }
        // Each of the eleven scans reads the count and at most the 58 slots below 0x32F8.
        std::size_t slotReads = 0;
        for (const auto& exchange : core.exchanges()) {
            for (const auto& record : exchange) {
                if (record.kind != hf::sim::SimRecord::Read) continue;
                EXPECT_FALSE(record.offset >= LastSlotEnd && record.offset < Handshake &&
                             record.offset != CounterOffset)
                    << std::hex << record.offset;
                if (record.offset >= SlotOffset(0) && record.offset < LastSlotEnd) ++slotReads;
            }
        }
        EXPECT_LE(slotReads, 11u * 58u);
        if (some) {
            pressAndPoll({Shift(F12)});
            EXPECT_TRUE(form->btnManualDisable.Down());
        }
        form->Close();
        // Through the start, a press and the close: at 0x32F8 and above only the message
        // line (its seconds and its text) and the link's handshake were written.
        for (const auto& write : core.writes()) {
            if (write.offset < LastSlotEnd) continue;
            EXPECT_TRUE(write.offset == 0x32FA || write.offset == 0x3380 ||
                        write.offset == Handshake + 6)
                << std::hex << write.offset;
        }
        if (some) {  // both slots given back
            EXPECT_EQ(slotValue(SlotOffset(56)), 0u);
            EXPECT_EQ(slotValue(SlotOffset(57)), 0u);
        }
        form.reset();
        LinkClose();
        core.clearRecords();
        for (std::uint32_t i = 0; i < 58; ++i) core.poke(SlotOffset(i), 0u);
    }
}

// The poll, the F10 check and the release use the same bound: a slot field that names no
// slot below the message line is never read or written, and the release forgets it.
TEST_F(HotKeysTest, ARecordedSlotBeyondTheTableIsNeitherPolledNorGivenBack) {
    startProgram();
    recordActions();
    form->FuelLoadKeySlot = 0x32F8;       // over the message line's seconds
    form->TrapAnywhereKeySlot = 0x32FE;   // the counter itself
    core.clearRecords();
    core.poke<std::uint8_t>(CounterOffset, 77);
    timers.Advance(250);
    form->ReleaseHotKeys();
    for (const auto& exchange : core.exchanges()) {
        for (const auto& record : exchange) {
            const bool write = record.kind == hf::sim::SimRecord::Write;
            EXPECT_FALSE(record.offset == 0x32F8 || (record.offset == CounterOffset && write));
        }
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(form->FuelLoadKeySlot, 0u);
    EXPECT_EQ(form->TrapAnywhereKeySlot, 0u);
    // The others went back; the two real slots whose fields were overwritten stay taken.
    EXPECT_EQ(heldDefinitions(), sorted({Shift(F10), Shift(F5)}));
}

TEST_F(HotKeysTest, ReleaseStopsThePollThenGivesEverySlotBackOneIntervalLater) {
    startProgram();
    core.clearRecords();
    const std::int64_t start = clock.nowMs();
    form->ReleaseHotKeys();
    EXPECT_FALSE(polling());
    const auto writes = slotWrites();
    ASSERT_EQ(writes.size(), 11u);
    // Release order F9, F12, F11, F8, F5, F6, F1, F2, F3, F7, F10 by their slot indexes.
    const std::vector<std::uint32_t> order = {1, 0, 3, 4, 5, 6, 7, 8, 9, 10, 2};
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].offset, SlotOffset(order[i]));
        EXPECT_EQ(writes[i].value, 0u);
        EXPECT_GE(writes[i].timeMs, start + 250);
    }
    EXPECT_TRUE(heldDefinitions().empty());

    // Slots given back are another client's to take: a second release must not free them.
    core.poke(SlotOffset(0), ForeignDefinition);
    core.clearRecords();
    form->ReleaseHotKeys();
    EXPECT_TRUE(slotWrites().empty());
    EXPECT_EQ(slotValue(SlotOffset(0)), ForeignDefinition);
    // Nor may a poll that another manoeuvre switches on serve that client's press.
    recordActions();
    form->tmrKeystroke.SetEnabled(true);
    core.pressHotKey(ForeignDefinition);
    timers.Advance(250);
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(slotValue(SlotOffset(0)), ForeignDefinition | Pressed);
}

// A slot is forgotten only when its release went through: the next release gives back the
// others, but not one that another add-on has taken meanwhile.
TEST_F(HotKeysTest, ASlotWhoseReleaseFailedStaysRecordedForTheNextRelease) {
    struct Case {
        const char* what;
        std::function<void()> fault;
    };
    for (const Case& c : {Case{"bad data in reply", [this] { core.replyOverride = 0; }},
                          Case{"no answer", [this] {
                                   port.faults.failSends = 10;
                                   port.faults.failedSendWaits = false;
                               }}}) {
        SCOPED_TRACE(c.what);
        startProgram();
        c.fault();
        form->ReleaseHotKeys();
        EXPECT_EQ(form->ManualOverrideKeySlot, SlotOffset(0));
        EXPECT_EQ(form->FuelRateKeySlot, SlotOffset(10));
        core.replyOverride.reset();
        port.faults = {};
        core.poke(SlotOffset(0), ForeignDefinition);
        LinkFreshAttempt();  // the next release comes with a new operation, which tries again
        form->ReleaseHotKeys();
        EXPECT_TRUE(heldDefinitions().empty());
        EXPECT_EQ(slotValue(SlotOffset(0)), ForeignDefinition);
        EXPECT_EQ(form->ManualOverrideKeySlot, 0u);
        EXPECT_EQ(form->FuelRateKeySlot, 0u);
        form->Close();
        core.poke(SlotOffset(0), 0u);
    }
}

// Zone loads that fail after the settings load registered the keys give them back before the
// link closes: on a 24-slot server three failed resets used to leave every key dead.
TEST_F(HotKeysTest, FailedZoneLoadsGiveTheirKeysBack) {
    core.setHotKeySlotCount(24);
    std::ifstream shipped(folder.path() / "Hookfast.dat", std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(shipped), {}};
    folder.write("Hookfast.dat", "[Zone01]\r\nCarrierIdent=incomplete\r\n");
    startProgram();
    ASSERT_FALSE(form->cmbDatFile.Enabled());
    EXPECT_TRUE(heldDefinitions().empty());
    EXPECT_FALSE(polling());
    for (int reset = 0; reset < 3; ++reset) form->actResetProgram.Execute();
    EXPECT_TRUE(heldDefinitions().empty());

    folder.write("Hookfast.dat", good);
    form->actResetProgram.Execute();
    ASSERT_TRUE(form->cmbDatFile.Enabled());
    EXPECT_EQ(heldDefinitions(), sorted(RegisteredShift));
    EXPECT_FALSE(form->lblConnectionInfo.Caption().ends_with(NoSlotNote));
    form->Close();
    EXPECT_TRUE(heldDefinitions().empty());
}

// A stop that could not give the slots back leaves them recorded; the next start gives back
// those that still hold its keys and leaves alone one that another add-on has taken since.
TEST_F(HotKeysTest, SlotsKeptFromAnEarlierConnectionGoBackOnlyWhileTheyAreStillOurs) {
    startProgram();
    port.faults.hung = true;
    form->actResetProgram.Execute();
    EXPECT_NE(form->lblConnectionInfo.Caption().find("Is FS running?"), std::string::npos);
    EXPECT_EQ(form->ManualOverrideKeySlot, SlotOffset(0));

    port.faults.hung = false;
    core.poke(SlotOffset(0), ForeignDefinition);  // F12's slot, freed and taken meanwhile
    core.poke(SlotOffset(1), Shift(F9) | Pressed);  // still F9's, pressed meanwhile
    core.clearRecords();
    form->actResetProgram.Execute();
    ASSERT_TRUE(form->cmbDatFile.Enabled());
    EXPECT_EQ(slotValue(SlotOffset(0)), ForeignDefinition);
    EXPECT_EQ(heldDefinitions(), sorted(RegisteredShift));
    EXPECT_NE(form->ManualOverrideKeySlot, SlotOffset(0));
    EXPECT_FALSE(form->HotKeySlotsUnconfirmed);
}

TEST_F(HotKeysTest, OnlyAChangedCounterByteLetsThePollReadTheSlots) {
    startProgram();
    recordActions();
    // Reads of the counter and of the slots in one poll interval.
    const auto exchangesOfOnePoll = [&] {
        core.clearRecords();
        timers.Advance(250);
        std::size_t reads = 0;
        for (const auto& exchange : core.exchanges()) {
            for (const auto& record : exchange) {
                const bool hotKeys = record.offset == CounterOffset ||
                                     (record.offset >= SlotOffset(0) &&
                                      record.offset < SlotOffset(56));
                if (record.kind == hf::sim::SimRecord::Read && hotKeys) ++reads;
            }
        }
        return reads;
    };
    // The three upper bytes may do what they like.
    core.poke<std::uint8_t>(CounterOffset + 1, 7);
    core.poke<std::uint8_t>(CounterOffset + 3, 9);
    EXPECT_EQ(exchangesOfOnePoll(), 1u);
    // A changed counter byte with nothing pressed: every key's slot is read, none re-armed.
    core.poke<std::uint8_t>(CounterOffset, 42);
    EXPECT_EQ(exchangesOfOnePoll(), 12u);
    EXPECT_EQ(form->HotKeyCounter, 42);
    EXPECT_TRUE(slotWrites().empty());
    EXPECT_EQ(exchangesOfOnePoll(), 1u);  // seen already
    EXPECT_TRUE(actions.empty());

    // Whatever the read gave, the poll brings the nearest-zone heartbeat back.
    for (bool readFails : {false, true}) {
        SCOPED_TRACE(readFails);
        form->tmrFindNearest.SetEnabled(false);
        if (readFails) core.replyOverride = 0;
        form->tmrKeystrokeTimer(&form->tmrKeystroke);
        core.replyOverride.reset();
        EXPECT_TRUE(form->tmrFindNearest.Enabled());
    }
}

TEST_F(HotKeysTest, APressRunsItsActionOnceAndReArmsItsSlot) {
    startProgram();
    recordActions();
    struct Case {
        std::uint32_t key;
        const char* action;
    };
    for (const Case& c : {Case{F1, "actBattleDamage1"}, Case{F2, "actBattleDamage2"},
                          Case{F3, "actBattleDamage3"}, Case{F5, "actFuelLoad"},
                          Case{F6, "actFuelOFFload"}, Case{F7, "actFuelRateToggle"},
                          Case{F8, "actShowStatus"}, Case{F9, "actCatapultArm"},
                          Case{F12, "actManualOverride"}}) {
        SCOPED_TRACE(c.action);
        actions.clear();
        pressAndPoll({Shift(c.key)});
        EXPECT_EQ(actions, std::vector<std::string>{c.action});
        const auto writes = slotWrites();
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes.back().value, Shift(c.key));
        EXPECT_EQ(slotValue(writes.back().offset), Shift(c.key));
        timers.Advance(1000);
        EXPECT_EQ(actions.size(), 1u);
        core.clearRecords();
    }
}

TEST_F(HotKeysTest, F12TogglesBothOverrideButtonsBeforeTheAction) {
    startProgram();
    bool downWhenRun = false;
    form->actManualOverride.OnExecute = {"actManualOverride", [&](TObject*) {
        downWhenRun = form->btnManualDisable.Down() && form->frmToolbar->btnManualOverride.Down();
    }};
    pressAndPoll({Shift(F12)});
    EXPECT_TRUE(downWhenRun);
    pressAndPoll({Shift(F12)});
    EXPECT_FALSE(form->btnManualDisable.Down());
    EXPECT_FALSE(form->frmToolbar->btnManualOverride.Down());
}

TEST_F(HotKeysTest, F11ResetsInsideThePollAndReArmsTheNewSlot) {
    startProgram();
    // Another client takes slot 0 as soon as the reset gives it back, so F11's new slot lies
    // one further on.
    const std::uint32_t oldSlot = form->ResetKeySlot;
    bool taken = false;
    core.onWrite = [&](std::uint32_t offset, std::span<const std::uint8_t> bytes) {
        std::uint32_t value = 0;
        std::memcpy(&value, bytes.data(), 4);
        if (!taken && offset == SlotOffset(0) && value == 0) {
            taken = true;
            core.poke(SlotOffset(0), ForeignDefinition);
        }
    };
    pressAndPoll({Shift(F11)});
    core.onWrite = nullptr;
    ASSERT_TRUE(taken);
    EXPECT_TRUE(std::any_of(core.messages().begin(), core.messages().end(), [](const auto& m) {
        return m.text == "HFast disabled while resetting";
    }));
    EXPECT_EQ(oldSlot, SlotOffset(3));
    EXPECT_EQ(form->ResetKeySlot, SlotOffset(4));
    EXPECT_EQ(slotValue(form->ResetKeySlot), Shift(F11));  // re-armed, press cleared
    EXPECT_EQ(heldDefinitions(), sorted(RegisteredShift));
    EXPECT_TRUE(polling());
}

TEST_F(HotKeysTest, KeysPressedBetweenTwoPollsAreServedInPollOrder) {
    startProgram();
    recordActions();
    pressAndPoll({Shift(F7), Shift(F1), Shift(F5), Shift(F12), Shift(F9)});
    EXPECT_EQ(actions, (std::vector<std::string>{"actCatapultArm", "actManualOverride",
                                                 "actFuelLoad", "actBattleDamage1",
                                                 "actFuelRateToggle"}));
}

TEST_F(HotKeysTest, ATopByteOtherThanOneIsNoPress) {
    startProgram();
    recordActions();
    core.poke(form->FuelLoadKeySlot, 0x02000000 | Shift(F5));
    core.poke<std::uint8_t>(CounterOffset, 5);
    core.clearRecords();
    timers.Advance(250);
    EXPECT_TRUE(actions.empty());
    EXPECT_TRUE(slotWrites().empty());
}

TEST_F(HotKeysTest, F9WaitsInItsSlotWhileAutomaticArmingIsOn) {
    startProgram();
    recordActions();
    form->chkbxAutoCatArming.SetChecked(true);
    pressAndPoll({Shift(F9)});
    EXPECT_TRUE(actions.empty());
    EXPECT_EQ(slotValue(form->CatapultKeySlot), Shift(F9) | Pressed);

    form->chkbxAutoCatArming.SetChecked(false);
    pressAndPoll({Shift(F8)});
    EXPECT_EQ(actions, (std::vector<std::string>{"actCatapultArm", "actShowStatus"}));
    EXPECT_EQ(slotValue(form->CatapultKeySlot), Shift(F9));
}

TEST_F(HotKeysTest, AFailedReArmLetsThePressRunAgainAtTheNextChangedCounter) {
    startProgram();
    recordActions();
    ASSERT_TRUE(core.pressHotKey(Shift(F6)));
    int served = 0;
    // Counter, F9, F10, F12, F11, F8, F5 and F6 are read; F6's re-arm is the 9th exchange.
    core.onServed = [&] {
        if (++served == 8) {
            port.faults.failSends = 10;  // every try of the re-arm goes unanswered
            port.faults.failedSendWaits = false;
        }
    };
    form->tmrKeystrokeTimer(&form->tmrKeystroke);
    core.onServed = nullptr;
    port.faults.failSends = 0;
    EXPECT_EQ(actions, std::vector<std::string>{"actFuelOFFload"});
    pressAndPoll({Shift(F8)});
    EXPECT_EQ(actions, (std::vector<std::string>{"actFuelOFFload", "actShowStatus",
                                                 "actFuelOFFload"}));
    EXPECT_EQ(slotValue(form->FuelOffloadKeySlot), Shift(F6));
}

TEST_F(HotKeysTest, TheShiftCtrlChoiceReRegistersEveryKeyWith0x200) {
    startProgram();
    recordActions();
    core.clearRecords();
    const std::int64_t start = clock.nowMs();
    form->rdgrpCtrlKeys.SetItemIndex(1);
    EXPECT_EQ(form->KeyComboBase, 0x200u);
    const auto writes = slotWrites();
    ASSERT_EQ(writes.size(), 22u);  // eleven given back, eleven taken
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(writes[i].value, 0u);
        EXPECT_GE(writes[i].timeMs, start + 250);
    }
    std::vector<std::uint32_t> expected;
    for (std::uint32_t definition : RegisteredShift) expected.push_back(definition + 0x200);
    EXPECT_EQ(heldDefinitions(), sorted(expected));
    EXPECT_EQ(form->lblCatapultKey.Caption(), "SHIFT+CTRL+F9   Arm/Disarm Catapult");
    EXPECT_TRUE(polling());

    EXPECT_FALSE(core.pressHotKey(Shift(F5)));  // no slot holds Shift+F5 any more
    pressAndPoll({ShiftCtrl(F5)});
    EXPECT_EQ(actions, std::vector<std::string>{"actFuelLoad"});
    EXPECT_EQ(slotValue(form->FuelLoadKeySlot), ShiftCtrl(F5));

    // No selection at all counts as Shift and Ctrl too.
    form->rdgrpCtrlKeys.SetItemIndex(-1);
    EXPECT_EQ(form->KeyComboBase, 0x200u);
    EXPECT_EQ(heldDefinitions(), sorted(expected));
}

}  // namespace
}  // namespace hf
