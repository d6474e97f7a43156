// The keystrokes tab of each edition: the key-combination prefix of the choice before every
// key text, and the note on a server without a free slot. Built once per edition.
#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"

namespace hf {
namespace {

struct EditionLabels {
    std::string shiftPrefix;
    std::string shiftCtrlPrefix;
    std::string fuelLoadText;
    std::string trapAnywhereText;
    std::string noSlotNote;
};

#if defined(HF_EDITION_NL)
const EditionLabels Expected{"SHIFT+", "SHIFT+CTRL+", "F5   Brandstof TANKEN Aan/Uit",
                             "F10   Overal vangen bij landing Aan/Uit",
                             " (sommige toetsen niet beschikbaar/reeds toegewezen)"};
#elif defined(HF_EDITION_FR)
const EditionLabels Expected{"MAJ+", "MAJ+CTRL+", "F5   Ravitaillement marche/arrêt",
                             "F10   Appontage hors zone marche/arrêt",
                             " (certaines touches non disponibles/déjà attribuées)"};
#else
const EditionLabels Expected{"SHIFT+", "SHIFT+CTRL+", "F5   Fuel LOAD On/Off",
                             "F10   Toggle Trap On Landing Anywhere",
                             " (some keys not available/already allocated)"};
#endif

class KeyLabelsTest : public hf::testing::ProgramTest {
protected:
    std::vector<const TLabel*> keyLabels() const {
        return {&form->lblFuelLoadKey,       &form->lblFuelOffloadKey,
                &form->lblFuelTransferRateKey, &form->lblStatusKey,
                &form->lblCatapultKey,       &form->lblManualOverrideKey,
                &form->lblResetKey,          &form->lblToggleTrapOnLandingAnywhere,
                &form->lblBattleDamage1Key,  &form->lblBattleDamage2Key,
                &form->lblBattleDamage3Key};
    }
    void expectPrefix(const std::string& prefix) const {
        for (const TLabel* label : keyLabels()) {
            EXPECT_TRUE(label->Caption().starts_with(prefix + "F")) << label->Caption();
        }
        EXPECT_EQ(form->lblFuelLoadKey.Caption(), prefix + Expected.fuelLoadText);
        EXPECT_EQ(form->lblToggleTrapOnLandingAnywhere.Caption(),
                  prefix + Expected.trapAnywhereText);
    }
};

TEST_F(KeyLabelsTest, EveryLabelCarriesThePrefixOfTheChoice) {
    startProgram();
    expectPrefix(Expected.shiftPrefix);  // the default choice, Shift
    form->rdgrpCtrlKeys.SetItemIndex(1);
    expectPrefix(Expected.shiftCtrlPrefix);
    form->rdgrpCtrlKeys.SetItemIndex(-1);  // no selection counts as Shift and Ctrl
    expectPrefix(Expected.shiftCtrlPrefix);
    form->rdgrpCtrlKeys.SetItemIndex(0);
    expectPrefix(Expected.shiftPrefix);
}

TEST_F(KeyLabelsTest, NoFreeSlotIsNotedAfterTheConnectionStatus) {
    core.setHotKeySlotCount(0);
    startProgram();
    const std::string& info = form->lblConnectionInfo.Caption();
    ASSERT_GT(info.size(), Expected.noSlotNote.size());
    EXPECT_TRUE(info.ends_with(Expected.noSlotNote)) << info;
}

}  // namespace
}  // namespace hf
