// Sounds and simulator effects: the catch and catapult sounds, the deck radio calls, the
// battle-damage sounds, the aircraft smoke and the special-sound value.
#include <array>
#include <exception>
#include <string>
#include <string_view>

#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

// Radio clips, opened relative to the working directory (the program's folder).
constexpr std::string_view PilotOnApproachClip = "Ops_Sounds\\RADIO_PILOT_ON_APPROACH.wav";
constexpr std::string_view DeckOfficerRogerClip = "Ops_Sounds\\RADIO_DECKOFFICER_ROGER.wav";
constexpr std::string_view PilotOnCatClip = "Ops_Sounds\\RADIO_PILOT_ON_CAT.wav";
constexpr std::string_view DeckOfficerCatSetClip = "Ops_Sounds\\RADIO_DECKOFFICER_CAT_SET.wav";
constexpr std::string_view DeckOfficerCatDisengagedClip =
    "Ops_Sounds\\RADIO_DECKOFFICER_CAT_DISENGAGED.wav";
constexpr std::string_view PilotTitleClipPrefix = "Ops_Sounds\\RADIO_PILOT_";
constexpr std::string_view DeckOfficerTitleClipPrefix = "Ops_Sounds\\RADIO_DECKOFFICER_";
constexpr std::string_view TitleClipSuffix = "_ID.wav";

constexpr std::array<std::string_view, 4> DamageSoundFiles = {
    "DamageFarExplosion.wav", "DamageNearExplosion.wav", "DamageRadio.wav",
    "DamageElectricalSystem.wav"};

constexpr std::uint32_t AircraftTitleSize = 256;

// One clip of a radio sequence: a clip that cannot be opened or played is skipped.
void PlayOpsClip(TMediaPlayer& player, std::string path) {
    player.Close();
    player.SetFileName(std::move(path));
    try {
        player.Open();
        player.Play(true);
    } catch (const std::exception&) {
    }
}

// The aircraft title as the clip names use it: the text before the first zero byte, with
// blanks and control characters cut from both ends. False when the exchange failed.
bool ReadAircraftTitle(std::string& title) {
    std::array<char, AircraftTitleSize> raw{};
    SimExchange exchange;
    exchange.ReadBytes(offsets::AircraftTitle, AircraftTitleSize, raw.data());
    title.clear();
    if (!exchange.Process()) return false;
    std::string_view text(raw.data(), raw.size());
    text = text.substr(0, text.find('\0'));
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    title.assign(text);
    return true;
}

// A clip made for one aircraft, played only when the pilot has it. The title is the
// simulator's text, in the code page: the file is reached by its real name.
void PlayTitleClip(TFormMain& form, std::string_view prefix, const std::string& title) {
    std::string name(prefix);
    name.append(title).append(TitleClipSuffix);
    std::string path = form.Host().PathOfName(name);
    if (form.Host().FileExists(path)) PlayOpsClip(form.mplyrOpsSounds, std::move(path));
}

void WriteInt16(std::uint32_t offset, std::int16_t value) {
    SimExchange exchange;
    exchange.Write(offset, value).Process();
}

}  // namespace

void TFormMain::PlayCatchSound() {
    if (mplyrCatchSound.FileName().empty()) return;
    try {
        mplyrCatchSound.Play(false);
        lblOtherStatus.SetCaption(std::string(rs::CatchSoundPlayed));
    } catch (const std::exception&) {
    }
}

void TFormMain::PlayCatapultSound() {
    if (!CatapultSoundPlayed && !mplyrCatapultSound.FileName().empty()) {
        try {
            mplyrCatapultSound.Play(false);
            lblOtherStatus.SetCaption(std::string(rs::CatapultSoundPlayed));
            CatapultSoundPlayed = true;
        } catch (const std::exception&) {
        }
    }
    if (chkbxCatSmoke.Checked()) SetSmoke(true);
}

void TFormMain::SetSmoke(bool on) { WriteInt16(offsets::Smoke, on ? 1 : 0); }

void TFormMain::SetSpecialSound(bool on) {
    if (!chkbxSpecialSoundHandling.Checked()) return;
    WriteInt16(offsets::SpecialSound, on ? SpecialSoundOnValue : SpecialSoundOffValue);
}

void TFormMain::PlayApproachOpsSounds() {
    if (!chkbxOpsSounds.Checked()) return;
    PlayOpsClip(mplyrOpsSounds, std::string(PilotOnApproachClip));
    std::string title;
    if (ReadAircraftTitle(title)) PlayTitleClip(*this, PilotTitleClipPrefix, title);
    PlayOpsClip(mplyrOpsSounds, std::string(DeckOfficerRogerClip));
    mplyrOpsSounds.Close();
}

void TFormMain::PlayCatDisengagedOpsSounds() {
    if (!chkbxOpsSounds.Checked()) return;
    std::string title;
    if (ReadAircraftTitle(title)) PlayTitleClip(*this, DeckOfficerTitleClipPrefix, title);
    PlayOpsClip(mplyrOpsSounds, std::string(DeckOfficerCatDisengagedClip));
    mplyrOpsSounds.Close();
}

void TFormMain::PlayCatSetOpsSounds() {
    if (!chkbxOpsSounds.Checked()) return;
    std::string title;
    if (ReadAircraftTitle(title)) PlayTitleClip(*this, PilotTitleClipPrefix, title);
    PlayOpsClip(mplyrOpsSounds, std::string(PilotOnCatClip));
    PlayOpsClip(mplyrOpsSounds, std::string(DeckOfficerRogerClip));
    if (!title.empty()) PlayTitleClip(*this, DeckOfficerTitleClipPrefix, title);
    PlayOpsClip(mplyrOpsSounds, std::string(DeckOfficerCatSetClip));
    mplyrOpsSounds.Close();
}

void TFormMain::PlayDamageSound(int index) {
    if (!chkbxDamageSounds.Checked()) return;
    if (index < 0 || index >= static_cast<int>(DamageSoundFiles.size())) return;
    mplyrBattleDamage.Close();
    mplyrBattleDamage.SetFileName(std::string(DamageSoundFiles[static_cast<std::size_t>(index)]));
    try {
        mplyrBattleDamage.Open();
        mplyrBattleDamage.Play(false);
    } catch (const std::exception&) {
    }
}

}  // namespace hf
