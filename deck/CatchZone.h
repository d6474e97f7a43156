// One cable catch zone of a zone file.
#pragma once

#include <string>

namespace hf {

class TCatchZoneData {
public:
    double DeckAlt = 0;          // metres
    double CatchZoneHeight = 0;  // metres above the deck
    double RunwayHeading = 0;    // degrees magnetic
    std::string CarrierIdent;
    double BackRightLat = 0;
    double FrontLeftLon = 0;
    double FrontLeftLat = 0;
    double BackRightLon = 0;
    double FrontRightLat = 0;
    double FrontRightLon = 0;
    double BackLeftLon = 0;
    double BackLeftLat = 0;

    bool IsValid() const;
};

}  // namespace hf
