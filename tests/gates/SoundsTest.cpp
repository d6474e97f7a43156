// Sounds and effects: the catch and catapult sounds, the radio sequences with the
// aircraft's own clips, the damage sounds, smoke and the special-sound value.
#include <gtest/gtest.h>

#include "GateFixture.h"
#include "deck/SimData.h"

namespace hf {
namespace {

using Log = std::vector<std::string>;

class SoundsTest : public hf::testing::GateTest {
protected:
    // The clips played with waiting, in order.
    Log clipsPlayed() const {
        Log played;
        for (const auto& event : host.waveEvents) {
            if (event.action == "play-wait") played.push_back(event.path);
        }
        return played;
    }
};

TEST_F(SoundsTest, CatchAndCatapultSoundsPlayWhenFoundAndSayItInTheStatus) {
    folder.write("CableCatch.wav");
    folder.write("Catapult.wav");
    startWith({});
    form->chkbxCatSmoke.SetChecked(true);
    form->PlayCatchSound();
    EXPECT_EQ(form->lblOtherStatus.Caption(), "Cable catch sound played");
    form->PlayCatapultSound();
    EXPECT_EQ(form->lblOtherStatus.Caption(), "Catapult sound played");
    EXPECT_TRUE(form->CatapultSoundPlayed);
    form->PlayCatapultSound();  // once per launch; the smoke goes on every time
    const std::string folderText = host.programFolderText();
    EXPECT_EQ(waveLog(), (Log{"play " + folderText + "CableCatch.wav",
                              "play " + folderText + "Catapult.wav"}));
    EXPECT_EQ(int16WritesTo(offsets::Smoke), (std::vector<std::int16_t>{1, 1}));
    form->SetSmoke(false);
    EXPECT_EQ(int16WritesTo(offsets::Smoke).back(), 0);
}

TEST_F(SoundsTest, MissingCatchAndCatapultSoundsAreSkippedButTheSmokeStillComes) {
    startWith({});
    const std::string status = form->lblOtherStatus.Caption();
    ASSERT_NE(status.find("CableCatch.wav not found"), std::string::npos);
    form->chkbxCatSmoke.SetChecked(true);
    form->PlayCatchSound();
    form->PlayCatapultSound();
    EXPECT_EQ(form->lblOtherStatus.Caption(), status);
    EXPECT_FALSE(form->CatapultSoundPlayed);
    EXPECT_TRUE(host.waveEvents.empty());
    EXPECT_EQ(int16WritesTo(offsets::Smoke), (std::vector<std::int16_t>{1}));
    form->chkbxCatSmoke.SetChecked(false);
    form->PlayCatapultSound();
    EXPECT_EQ(int16WritesTo(offsets::Smoke).size(), 1u);
}

TEST_F(SoundsTest, SpecialSoundIsWrittenOnlyWithItsOption) {
    startWith({});
    form->chkbxSpecialSoundHandling.SetChecked(false);
    form->SetSpecialSound(false);
    form->SetSpecialSound(true);
    EXPECT_TRUE(core.writesTo(offsets::SpecialSound).empty());
    form->chkbxSpecialSoundHandling.SetChecked(true);
    form->SetSpecialSound(false);
    form->SetSpecialSound(true);
    EXPECT_EQ(int16WritesTo(offsets::SpecialSound), (std::vector<std::int16_t>{0, 1}));
}

TEST_F(SoundsTest, RadioSequencesPlayTheirClipsInOrderWithTheTrimmedTitle) {
    for (const char* clip : {"RADIO_PILOT_ON_APPROACH.wav", "RADIO_DECKOFFICER_ROGER.wav",
                             "RADIO_PILOT_ON_CAT.wav", "RADIO_DECKOFFICER_CAT_SET.wav",
                             "RADIO_DECKOFFICER_CAT_DISENGAGED.wav",
                             "RADIO_PILOT_Demo Hornet_ID.wav",
                             "RADIO_DECKOFFICER_Demo Hornet_ID.wav"}) {
        writeOpsClip(clip);
    }
    startWith({});
    form->chkbxOpsSounds.SetChecked(true);
    setTitle(" \t Demo Hornet  \r\n");

    form->PlayCatSetOpsSounds();
    EXPECT_EQ(clipsPlayed(), (Log{opsClip("RADIO_PILOT_Demo Hornet_ID.wav"),
                                  opsClip("RADIO_PILOT_ON_CAT.wav"),
                                  opsClip("RADIO_DECKOFFICER_ROGER.wav"),
                                  opsClip("RADIO_DECKOFFICER_Demo Hornet_ID.wav"),
                                  opsClip("RADIO_DECKOFFICER_CAT_SET.wav")}));
    // Each clip is closed before the next opens, and the last one after the sequence.
    EXPECT_EQ(waveLog().back(), "close " + opsClip("RADIO_DECKOFFICER_CAT_SET.wav"));
    EXPECT_EQ(host.waveEvents.back().timeMs - host.waveEvents.front().timeMs,
              5 * static_cast<std::int64_t>(host.clipLengthMs));

    host.waveEvents.clear();
    form->PlayApproachOpsSounds();
    form->PlayCatDisengagedOpsSounds();
    EXPECT_EQ(clipsPlayed(), (Log{opsClip("RADIO_PILOT_ON_APPROACH.wav"),
                                  opsClip("RADIO_PILOT_Demo Hornet_ID.wav"),
                                  opsClip("RADIO_DECKOFFICER_ROGER.wav"),
                                  opsClip("RADIO_DECKOFFICER_Demo Hornet_ID.wav"),
                                  opsClip("RADIO_DECKOFFICER_CAT_DISENGAGED.wav")}));
}

TEST_F(SoundsTest, ABlankTitleNamesNoAircraftAndMissingClipsAreSkipped) {
    writeOpsClip("RADIO_PILOT__ID.wav");
    writeOpsClip("RADIO_DECKOFFICER__ID.wav");
    writeOpsClip("RADIO_DECKOFFICER_CAT_SET.wav");
    startWith({});
    form->chkbxOpsSounds.SetChecked(true);
    setTitle("   ");
    form->PlayCatSetOpsSounds();
    // The two fixed clips that are missing are tried and skipped; the deck officer's title
    // clip is not even tried for a blank title.
    EXPECT_EQ(clipsPlayed(),
              (Log{opsClip("RADIO_PILOT__ID.wav"), opsClip("RADIO_DECKOFFICER_CAT_SET.wav")}));
    Log opened;
    for (const auto& event : host.waveEvents) {
        if (event.action == "open") opened.push_back(event.path);
    }
    EXPECT_EQ(opened, (Log{opsClip("RADIO_PILOT__ID.wav"), opsClip("RADIO_PILOT_ON_CAT.wav"),
                           opsClip("RADIO_DECKOFFICER_ROGER.wav"),
                           opsClip("RADIO_DECKOFFICER_CAT_SET.wav")}));

    host.waveEvents.clear();
    form->chkbxOpsSounds.SetChecked(false);
    form->PlayCatSetOpsSounds();
    form->PlayApproachOpsSounds();
    form->PlayCatDisengagedOpsSounds();
    EXPECT_TRUE(host.waveEvents.empty());
}

TEST_F(SoundsTest, DamageSoundsByIndexOnlyWithTheirOption) {
    for (const char* name : {"DamageFarExplosion.wav", "DamageNearExplosion.wav",
                             "DamageRadio.wav"}) {
        folder.write(name);
    }
    startWith({});
    form->chkbxDamageSounds.SetChecked(false);
    form->PlayDamageSound(0);
    EXPECT_TRUE(host.waveEvents.empty());

    form->chkbxDamageSounds.SetChecked(true);
    for (int index : {0, 1, 2, 3, 4, -1}) form->PlayDamageSound(index);
    // Index 3's file is missing: tried and skipped, and nothing is left open after it.
    EXPECT_EQ(waveLog(), (Log{"open DamageFarExplosion.wav", "play DamageFarExplosion.wav",
                              "close DamageFarExplosion.wav", "open DamageNearExplosion.wav",
                              "play DamageNearExplosion.wav", "close DamageNearExplosion.wav",
                              "open DamageRadio.wav", "play DamageRadio.wav",
                              "close DamageRadio.wav", "open DamageElectricalSystem.wav"}));
}

}  // namespace
}  // namespace hf
