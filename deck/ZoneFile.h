// Reading a catch-zone file into zones, and the text of the load-failure log.
// The window's LoadCatchZones glues these to its controls, the log file and its error path.
#pragma once

#include "deck/CatchZone.h"
#include "deck/Profile.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hf {

// The zone's number as its section name writes it: at least two digits (1 -> "01", 100 -> "100").
std::string ZoneNumberText(int number);

// "Zone" + ZoneNumberText(number).
std::string ZoneSectionName(int number);

struct ZoneLoad {
    std::vector<TCatchZoneData> Zones;           // the valid zones, in file order
    int Found = 0;                               // zone sections read, valid or not
    std::vector<std::string> FailedZoneNumbers;  // number texts of the invalid zones, in file order
};

// Reads Zone01, Zone02, ... until the first section that is missing or holds no key. Each
// zone takes its twelve keys with their defaults, the two feet values divided by
// feetPerMetre; a valid zone is appended to load.Zones, an invalid one noted as failed.
// Throws NumberOverflow for a number too large for a double; load then holds what was read
// before the zone in which the number stands (that zone is counted in Found).
void ReadCatchZones(const ProfileDocument& zoneFile, double feetPerMetre, ZoneLoad& load);

// The edition's texts of the log, from its text table.
struct ZoneLogTexts {
    std::string_view Title;         // "HFast .dat load failure log for file : "
    std::string_view RunResetTime;  // "Run/Reset time: "
    std::string_view FailedZone;    // "  -- Failed to load Zone #"
    std::string_view VerifyFields;  // "Verify that the failed zones contain all the required data fields"
    std::string_view VerifyRanges;  // "and that the values fall within acceptable ranges.  See HFast*.txt."
};

// The whole text of "HFastDatLoadErrorLog.txt": the header (zoneFilePath is the full path,
// dateText and timeText the local date and time as the user's formats show them), one line
// per failed zone, and after a complete load the trailer. Every line ends in CRLF. Empty when
// there is no failed zone: then no log is written.
std::string BuildZoneLoadLog(const ZoneLogTexts& texts, std::string_view zoneFilePath, std::string_view dateText,
                             std::string_view timeText, std::span<const std::string> failedZoneNumbers,
                             bool completeLoad);

}  // namespace hf
