// Hot keys: the interface module's hot-key slots, their registration, release and poll.
// Each key is a function key held with Shift (or Shift and Ctrl); the server flags a press
// in byte 3 of the slot that holds its definition and moves the counter byte on.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "deck/HotKeySlots.h"
#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"
#include "ui/ToolbarForm.h"

namespace hf {

namespace {

// Byte 2 is 1 and byte 1 is 1 (Shift); the Shift+Ctrl choice adds 0x200 (byte 1 = 3).
constexpr std::uint32_t KeyDefinitionBase = 0x00010100;
constexpr std::uint32_t ShiftCtrlComboBase = 0x200;

enum VirtualKey : std::uint32_t {
    VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F5 = 0x74, VK_F6 = 0x75, VK_F7 = 0x76,
    VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B,
};

// A key's slot field in the window, by member pointer, so that every order below names the
// same field and the re-arm reads it after the action (a reset moves the F11 slot).
using SlotField = std::uint32_t TFormMain::*;

struct HotKey {
    std::uint32_t VirtualKeyCode;
    SlotField Slot;
};

constexpr HotKey F1{VK_F1, &TFormMain::BattleDamage1KeySlot};
constexpr HotKey F2{VK_F2, &TFormMain::BattleDamage2KeySlot};
constexpr HotKey F3{VK_F3, &TFormMain::BattleDamage3KeySlot};
constexpr HotKey F5{VK_F5, &TFormMain::FuelLoadKeySlot};
constexpr HotKey F6{VK_F6, &TFormMain::FuelOffloadKeySlot};
constexpr HotKey F7{VK_F7, &TFormMain::FuelRateKeySlot};
constexpr HotKey F8{VK_F8, &TFormMain::StatusKeySlot};
constexpr HotKey F9{VK_F9, &TFormMain::CatapultKeySlot};
constexpr HotKey F10{VK_F10, &TFormMain::TrapAnywhereKeySlot};
constexpr HotKey F11{VK_F11, &TFormMain::ResetKeySlot};
constexpr HotKey F12{VK_F12, &TFormMain::ManualOverrideKeySlot};

// F12 first, so that the override key is the last to miss a slot on a crowded server.
constexpr std::array<HotKey, 11> RegistrationOrder = {F12, F9, F10, F11, F8, F5,
                                                      F6,  F1, F2,  F3,  F7};
constexpr std::array<HotKey, 11> ReleaseOrder = {F9, F12, F11, F8, F5, F6,
                                                 F1, F2,  F3,  F7, F10};

std::uint32_t KeyDefinition(std::uint32_t virtualKeyCode, std::uint32_t comboBase) {
    return KeyDefinitionBase + virtualKeyCode + comboBase;
}

// The check every key but F10 shares: a pressed slot runs the action, then gets the key's
// definition back with the top byte 0, which clears the press.
template <class Action>
void CheckKey(TFormMain& form, const HotKey& key, Action&& action) {
    std::uint32_t& slot = form.*key.Slot;
    if (!IsHotKeySlot(slot)) return;
    std::uint32_t value = 0;
    if (!SimExchange().Read(slot, value).Process()) return;
    if (!form.IsHotKeyPressed(value)) return;
    action();
    // Read again: a reset inside the action has registered the keys afresh.
    if (!IsHotKeySlot(slot)) return;
    SimExchange().Write(slot, KeyDefinition(key.VirtualKeyCode, form.KeyComboBase)).Process();
}

}  // namespace

void TFormMain::RegisterHotKeys() {
    // Slots that an earlier stop could not give back go back first; one that still cannot
    // stays the key's slot, so that no key ever holds two.
    GiveBackHotKeySlots();
    KeyComboBase = rdgrpCtrlKeys.ItemIndex() == 0 ? 0 : ShiftCtrlComboBase;
    bool anySlot = false;
    for (const HotKey& key : RegistrationOrder) {
        if (this->*key.Slot == 0) {
            AllocateHotKeySlot(KeyDefinition(key.VirtualKeyCode, KeyComboBase), this->*key.Slot);
        }
        anySlot = anySlot || this->*key.Slot != 0;
    }
    HotKeysRegistered = true;
    if (anySlot) {
        tmrKeystroke.SetEnabled(true);
        return;
    }
    tmrKeystroke.SetEnabled(false);
    std::string text = lblConnectionInfo.Caption();
    text.append(" (")
        .append(rs::SomeKeys)
        .append(" ")
        .append(rs::NotAvailable)
        .append("/")
        .append(rs::AlreadyAllocated)
        .append(")");
    lblConnectionInfo.SetCaption(std::move(text));
}

void TFormMain::AllocateHotKeySlot(std::uint32_t keyDefinition, std::uint32_t& slotField) {
    slotField = 0;
    std::uint32_t slotCount = 0;
    if (!SimExchange().Read(offsets::HotKeySlotCount, slotCount).Process()) return;

    // A server that reports more slots than fit below the message line gets no more than
    // fit. A slot whose read fails counts as taken; the scan goes on past it.
    const std::uint32_t usable = std::min(slotCount, MaxHotKeySlots);
    std::optional<std::uint32_t> free;
    for (std::uint32_t index = 0; index < usable && !free; ++index) {
        const std::optional<std::uint32_t> slot = HotKeySlotOffset(index);
        if (!slot) break;
        std::uint32_t value = 0;
        if (SimExchange().Read(*slot, value).Process() && value == 0) free = slot;
    }
    if (!free) return;
    if (SimExchange().Write(*free, keyDefinition).Process()) slotField = *free;
}

void TFormMain::ReleaseHotKeys() {
    tmrKeystroke.SetEnabled(false);
    HotKeysRegistered = false;
    if (LinkServerSilent()) {
        // The simulator no longer answers and the exchanges would fail at once: the slots
        // stay recorded for the next start, without the wait.
        HotKeySlotsUnconfirmed = AnyHotKeySlotRecorded();
        return;
    }
    // One poll interval, so that a poll the server is still answering cannot re-arm a slot
    // after it has been given back.
    host_.Sleep(tmrKeystroke.Interval());
    GiveBackHotKeySlots();
}

void TFormMain::GiveBackHotKeySlots() {
    constexpr std::uint32_t Free = 0;
    bool silent = false;  // an exchange failed all its tries: the rest stay recorded
    for (const HotKey& key : ReleaseOrder) {
        std::uint32_t& slot = this->*key.Slot;
        if (slot == 0 || silent) continue;
        if (!IsHotKeySlot(slot)) {
            slot = 0;  // no slot of the table: nothing of ours to give back there
            continue;
        }
        if (HotKeySlotsUnconfirmed) {
            // Held since an earlier connection: give it back only if it still holds this
            // key, pressed or not; otherwise it is no longer ours.
            std::uint32_t value = 0;
            SimExchange read;
            if (!read.Read(slot, value).Process()) {
                silent = ExchangeGaveUp(read.code);
                continue;
            }
            const std::uint32_t definition = KeyDefinition(key.VirtualKeyCode, KeyComboBase);
            if ((value & 0x00FFFFFF) != definition) {
                slot = 0;
                continue;
            }
        }
        SimExchange write;
        if (write.Write(slot, Free).Process()) {
            // Given back: the slot may be another client's by the next release or poll, so
            // it is no longer ours to clear or re-arm.
            slot = 0;
        } else {
            // Not given back: the slot stays recorded for a later release. One that failed
            // all its tries spares the simulator the rest.
            silent = ExchangeGaveUp(write.code);
        }
    }
    HotKeySlotsUnconfirmed = AnyHotKeySlotRecorded();
}

bool TFormMain::AnyHotKeySlotRecorded() const {
    for (const HotKey& key : ReleaseOrder) {
        if (this->*key.Slot != 0) return true;
    }
    return false;
}

void TFormMain::tmrKeystrokeTimer(TObject*) {
    std::array<std::uint8_t, 4> counter{};
    if (SimExchange().Read(offsets::HotKeyCounter, counter).Process() &&
        counter[0] != HotKeyCounter) {
        HotKeyCounter = counter[0];
        CheckCatapultArmKey();
        CheckTrapAnywhereKey();
        CheckManualOverrideKey();
        CheckResetKey();
        CheckShowStatusKey();
        CheckFuelLoadKey();
        CheckFuelOffloadKey();
        CheckBattleDamage1Key();
        CheckBattleDamage2Key();
        CheckBattleDamage3Key();
        CheckFuelRateKey();
    }
    // Brings the nearest-zone heartbeat back after a catapult disarm or an arrest.
    tmrFindNearest.SetEnabled(true);
}

// The server sets the top byte of a slot to 1 when its combination has been pressed.
bool TFormMain::IsHotKeyPressed(std::uint32_t slotValue) const { return (slotValue >> 24) == 1; }

void TFormMain::CheckBattleDamage1Key() {
    CheckKey(*this, F1, [this] { actBattleDamage1.Execute(); });
}

void TFormMain::CheckBattleDamage2Key() {
    CheckKey(*this, F2, [this] { actBattleDamage2.Execute(); });
}

void TFormMain::CheckBattleDamage3Key() {
    CheckKey(*this, F3, [this] { actBattleDamage3.Execute(); });
}

void TFormMain::CheckFuelLoadKey() {
    CheckKey(*this, F5, [this] { actFuelLoad.Execute(); });
}

void TFormMain::CheckFuelOffloadKey() {
    CheckKey(*this, F6, [this] { actFuelOFFload.Execute(); });
}

void TFormMain::CheckFuelRateKey() {
    CheckKey(*this, F7, [this] { actFuelRateToggle.Execute(); });
}

void TFormMain::CheckShowStatusKey() {
    CheckKey(*this, F8, [this] { actShowStatus.Execute(); });
}

void TFormMain::CheckCatapultArmKey() {
    // Automatic arming owns the catapult: the press stays flagged until it is switched off.
    if (chkbxAutoCatArming.Checked()) return;
    CheckKey(*this, F9, [this] { actCatapultArm.Execute(); });
}

void TFormMain::CheckResetKey() {
    CheckKey(*this, F11, [this] { actResetProgram.Execute(); });
}

void TFormMain::CheckManualOverrideKey() {
    // The toolbar's override toggle: both buttons flip, then the action lines them up.
    CheckKey(*this, F12, [this] {
        btnManualDisable.SetDown(!btnManualDisable.Down());
        frmToolbar->btnManualOverride.SetDown(!frmToolbar->btnManualOverride.Down());
        actManualOverride.Execute();
    });
}

void TFormMain::rdgrpCtrlKeysClick(TObject*) {
    ReleaseHotKeys();
    const std::string_view prefix =
        rdgrpCtrlKeys.ItemIndex() == 0 ? rs::KeyPrefixShift : rs::KeyPrefixShiftCtrl;
    RegisterHotKeys();
    const std::array<std::pair<TLabel*, std::string_view>, 11> labels = {{
        {&lblFuelLoadKey, rs::KeyFuelLoad},
        {&lblFuelOffloadKey, rs::KeyFuelOffload},
        {&lblFuelTransferRateKey, rs::KeyFuelRate},
        {&lblStatusKey, rs::KeyStatus},
        {&lblCatapultKey, rs::KeyCatapult},
        {&lblManualOverrideKey, rs::KeyManualOverride},
        {&lblResetKey, rs::KeyReset},
        {&lblToggleTrapOnLandingAnywhere, rs::KeyTrapAnywhere},
        {&lblBattleDamage1Key, rs::KeyBattleDamage1},
        {&lblBattleDamage2Key, rs::KeyBattleDamage2},
        {&lblBattleDamage3Key, rs::KeyBattleDamage3},
    }};
    for (const auto& [label, keyText] : labels) {
        label->SetCaption(std::string(prefix).append(keyText));
    }
}

}  // namespace hf
