#include "deck/ZoneFile.h"

#include <string>

namespace hf {

namespace {

// Every default lies outside the valid range, so a zone lacking a key is invalid.
constexpr double MissingCoordinate = 666.0;
constexpr double MissingDeckAltFeet = 100000.0;

}  // namespace

std::string ZoneNumberText(int number) {
    std::string text = std::to_string(number);
    if (text.size() < 2) {
        text.insert(0, 1, '0');
    }
    return text;
}

std::string ZoneSectionName(int number) {
    return "Zone" + ZoneNumberText(number);
}

void ReadCatchZones(const ProfileDocument& zoneFile, double feetPerMetre, ZoneLoad& load) {
    for (int number = 1;; ++number) {
        const std::string section = ZoneSectionName(number);
        if (!zoneFile.SectionHasKeys(section)) {
            return;
        }
        ++load.Found;
        TCatchZoneData zone;
        zone.CarrierIdent = zoneFile.ReadString(section, "CarrierIdent", "");
        zone.FrontRightLat = zoneFile.ReadFloat(section, "FrontRightCornerLat", MissingCoordinate);
        zone.FrontRightLon = zoneFile.ReadFloat(section, "FrontRightCornerLon", MissingCoordinate);
        zone.FrontLeftLat = zoneFile.ReadFloat(section, "FrontLeftCornerLat", MissingCoordinate);
        zone.FrontLeftLon = zoneFile.ReadFloat(section, "FrontLeftCornerLon", MissingCoordinate);
        zone.BackRightLat = zoneFile.ReadFloat(section, "BackRightCornerLat", MissingCoordinate);
        zone.BackRightLon = zoneFile.ReadFloat(section, "BackRightCornerLon", MissingCoordinate);
        zone.BackLeftLat = zoneFile.ReadFloat(section, "BackLeftCornerLat", MissingCoordinate);
        zone.BackLeftLon = zoneFile.ReadFloat(section, "BackLeftCornerLon", MissingCoordinate);
        zone.DeckAlt = zoneFile.ReadFloat(section, "DeckAltInFeet", MissingDeckAltFeet) / feetPerMetre;
        zone.CatchZoneHeight = zoneFile.ReadFloat(section, "CableCatchZoneHeightInFeet", MissingCoordinate) / feetPerMetre;
        zone.RunwayHeading = zoneFile.ReadFloat(section, "RunwayHeadingInDegreesMag", MissingCoordinate);
        if (zone.IsValid()) {
            load.Zones.push_back(std::move(zone));
        } else {
            load.FailedZoneNumbers.push_back(ZoneNumberText(number));
        }
    }
}

std::string BuildZoneLoadLog(const ZoneLogTexts& texts, std::string_view zoneFilePath, std::string_view dateText,
                             std::string_view timeText, std::span<const std::string> failedZoneNumbers,
                             bool completeLoad) {
    if (failedZoneNumbers.empty()) {
        return {};
    }
    std::string log;
    auto line = [&log](std::string_view text) {
        log += text;
        log += "\r\n";
    };
    line(texts.Title);
    line("  " + std::string(zoneFilePath));
    line(std::string(texts.RunResetTime) + std::string(dateText) + "  " + std::string(timeText));
    line("");
    for (const std::string& number : failedZoneNumbers) {
        line(std::string(texts.FailedZone) + number + ".");
    }
    if (completeLoad) {
        line("");
        line(texts.VerifyFields);
        line(texts.VerifyRanges);
    }
    return log;
}

}  // namespace hf
