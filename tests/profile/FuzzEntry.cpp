#include "FuzzEntry.h"

#include "deck/Numbers.h"
#include "deck/Profile.h"
#include "deck/ZoneFile.h"
#include "host/AsciiCase.h"

#include <array>
#include <string>
#include <string_view>

namespace hf {

namespace {

struct Broken {
    const char* What;
};

void Require(bool condition, const char* what) {
    if (!condition) {
        throw Broken{what};
    }
}

constexpr std::array<std::string_view, 6> Sections = {"General", "zone01", "Zone02", "CableOps", "ZONE03", "X"};
constexpr std::array<std::string_view, 6> Keys = {"CarrierIdent", "LastLeft", "DeckAltInFeet", "carrierident",
                                                  "RunwayHeadingInDegreesMag", "K"};

// What the reader trims: blanks, tabs, vertical tabs, form feeds and Ctrl-Z.
constexpr std::string_view Trimmed = " \t\v\f\x1A";

std::string_view Unquoted(std::string_view value) {
    while (!value.empty() && Trimmed.find(value.front()) != std::string_view::npos) {
        value.remove_prefix(1);
    }
    while (!value.empty() && Trimmed.find(value.back()) != std::string_view::npos) {
        value.remove_suffix(1);
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value.substr(0, MaxValueLength);
}

}  // namespace

namespace {

void Exercise(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProfileDocument document(bytes);
    Require(document.Bytes() == bytes, "an unchanged document gives back its bytes");

    ZoneLoad load;
    bool overflow = false;
    try {
        ReadCatchZones(document, 3.2808, load);
    } catch (const NumberOverflow&) {
        overflow = true;
    }
    for (const TCatchZoneData& zone : load.Zones) {
        Require(zone.IsValid(), "only valid zones are kept");
    }
    Require(static_cast<std::size_t>(load.Found) == load.Zones.size() + load.FailedZoneNumbers.size() + (overflow ? 1 : 0),
            "every zone read is kept or failed");
    const ZoneLogTexts texts{"T", "R", "F#", "V1", "V2"};
    const std::string log = BuildZoneLoadLog(texts, "p", "d", "t", load.FailedZoneNumbers, !overflow);
    Require(log.empty() == load.FailedZoneNumbers.empty(), "a log exactly when zones failed");
    Require(log.empty() || log.substr(log.size() - 2) == "\r\n", "the last log line ends in CRLF");

    // Write one key, named by the first byte, with a value from the rest of the input.
    if (size == 0) {
        return;
    }
    const std::string_view section = Sections[data[0] % Sections.size()];
    const std::string_view key = Keys[(data[0] / Sections.size()) % Keys.size()];
    std::string value(bytes.substr(1, 64));
    for (char& c : value) {
        if (c == '\r' || c == '\n') {
            c = '.';
        }
    }
    std::array<std::string, Sections.size() * Keys.size()> before;
    for (std::size_t s = 0; s < Sections.size(); ++s) {
        for (std::size_t k = 0; k < Keys.size(); ++k) {
            before[s * Keys.size() + k] = document.ReadString(Sections[s], Keys[k], "\x01none");
        }
    }
    ProfileDocument written(bytes);
    written.Set(section, key, value);
    const ProfileDocument reread(written.Bytes());
    Require(reread.ReadString(section, key, "\x01none") == Unquoted(value), "a written key reads back");
    for (std::size_t s = 0; s < Sections.size(); ++s) {
        for (std::size_t k = 0; k < Keys.size(); ++k) {
            const bool same = reread.ReadString(Sections[s], Keys[k], "\x01none") == before[s * Keys.size() + k];
            const bool isWritten = AsciiLower(Sections[s]) == AsciiLower(section) && AsciiLower(Keys[k]) == AsciiLower(key);
            Require(same || isWritten, "a write leaves other keys alone");
        }
    }
}

}  // namespace

const char* ExerciseProfileBytes(const std::uint8_t* data, std::size_t size) {
    try {
        Exercise(data, size);
    } catch (const Broken& broken) {
        return broken.What;
    }
    return nullptr;
}

}  // namespace hf
