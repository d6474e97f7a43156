// The connection check of every start: open the link, accept only FS2004 and FSX with
// FSUIPC 2.83 or later, and describe the outcome in the connection label.
#include <array>
#include <exception>
#include <string>

#include "lang/HFastResourceStrings.h"
#include "lang/ResultCodeTexts.h"
#include "link/SimLink.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr std::array<std::string_view, 2> SupportedSims = {"FS2004", "FSX"};

// The character 48 + n: digits for 0-9, then the six characters after "9".
char VersionDigit(std::uint32_t nibble) { return static_cast<char>(48 + (nibble & 0xF)); }

std::string FsuipcVersionText(std::uint32_t version) {
    std::string text;
    text += VersionDigit(version >> 28);
    text += rs::VersionPoint;
    text += VersionDigit(version >> 24);
    text += VersionDigit(version >> 20);
    text += VersionDigit(version >> 16);
    if ((version & 0xFFFF) != 0) {
        // The build letter: 1 gives "a"; a low byte of 0 gives the character before it.
        text += static_cast<char>((96 + (version & 0xFF)) % 256);
    }
    return text;
}

bool VersionAtLeast283(std::uint32_t version) {
    const std::uint32_t major = version >> 28;
    const std::uint32_t minor1 = (version >> 24) & 0xF;
    const std::uint32_t minor2 = (version >> 20) & 0xF;
    if (major <= 1) return false;
    if (major == 2 && minor1 <= 7) return false;
    if (major == 2 && minor1 == 8 && minor2 <= 2) return false;
    return true;
}

std::string Failure(std::string_view reason) {
    return std::string(reason) + std::string(rs::Dashes) + std::string(rs::IsFsRunning);
}

}  // namespace

std::int16_t TFormMain::SupportedSimIndex(std::string_view name) const {
    for (std::size_t i = 0; i < SupportedSims.size(); ++i) {
        if (name == SupportedSims[i]) return static_cast<std::int16_t>(i + 1);
    }
    return static_cast<std::int16_t>(SupportedSims.size() + 1);
}

bool TFormMain::ConnectToSimulator() {
    try {
        std::uint32_t code = LinkOk;
        if (!LinkOpen(0, code)) {
            lblConnectionInfo.SetCaption(Failure(ResultCodeTexts.at(code)));
            return false;
        }
        const std::uint32_t simIndex = Link().SimVersion;
        const bool named = simIndex < SimNames.size();
        const std::string_view name = named ? SimNames[simIndex] : std::string_view();
        if (!named || SupportedSimIndex(name) > 2) {
            LinkClose();
            lblConnectionInfo.SetCaption(rs::OnlyFs2004X);
            return false;
        }
        const std::uint32_t version = Link().ServerVersion;
        lblConnectionInfo.SetCaption(std::string(name) + std::string(rs::ConnectionStatus) +
                                     std::string(ResultCodeTexts.at(code)) +
                                     std::string(rs::FsuipcVer) + FsuipcVersionText(version));
        if (!VersionAtLeast283(version)) {
            LinkClose();
            lblConnectionInfo.SetCaption(rs::OnlyFsuipc283);
            return false;
        }
        return true;
    } catch (const std::exception& error) {
        lblConnectionInfo.SetCaption(Failure(error.what()));
        return false;
    }
}

}  // namespace hf
