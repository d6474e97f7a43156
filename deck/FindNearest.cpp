// The nearest catch zone and the 15-second heartbeat of the program.
#include <exception>
#include <string>

#include "deck/Geometry.h"
#include "deck/NumberFormat.h"
#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

// A search that finds nothing nearer gives this; so does a failed exchange.
constexpr double NoZoneDistance = 180.0;

}  // namespace

double TFormMain::FindNearestZone() {
    double best = NoZoneDistance;
    PositionHalves position;
    std::int16_t magVar = 0;
    SimExchange exchange;
    exchange.ReadPosition(position).Read(offsets::MagVar, magVar);
    if (exchange.Process()) {
        MagVar = DecodeMagVar(magVar);
    }
    // Without a zone list nothing was loaded and nothing operates: there is nothing to
    // search and nothing to stop, so only the variation is kept.
    std::exception_ptr saveError;
    if (exchange.ok && CatchZones) {
        const double lat = position.Latitude();
        const double lon = position.Longitude();
        for (std::size_t i = 0; i < CatchZones->size(); ++i) {
            const TCatchZoneData& zone = (*CatchZones)[i];
            const double d = CornerDistance(lat, lon, zone.FrontRightLat, zone.FrontRightLon);
            if (d < best) {
                best = d;
                NearestZoneIndex = static_cast<std::int32_t>(i);
            }
        }
        if (NearestZoneIndex == -1) {
            saveError = StopOperationsHoldingSaveError();
            ResetProgramState(false);
            lblNearestCarrier.SetCaption(rs::NearestCablesError);
        } else {
            const TCatchZoneData& zone =
                CatchZones->at(static_cast<std::size_t>(NearestZoneIndex));
            const std::string heading = FormatGeneral(zone.RunwayHeading);
            if (zone.CarrierIdent != AnnouncedCarrierIdent) {
                AnnouncedCarrierIdent = zone.CarrierIdent;
                ShowSimMessage(std::string(rs::NearestCablesAnnounce) + heading + ") \"" +
                                   AnnouncedCarrierIdent + "\"",
                               5);
            }
            lblNearestCarrier.SetCaption(std::string(rs::NearestCablesLabel) +
                                         AnnouncedCarrierIdent + " (" + std::string(rs::RwyHdg) +
                                         " " + heading + ")");
            lblCurrentMagVar.SetCaption(std::string(rs::CurrentMagVar) + FormatMagVar(MagVar) +
                                        std::string(rs::DegUnit));
        }
    }
    NearestZoneDistance = best;
    if (saveError) std::rethrow_exception(saveError);
    return best;
}

const TCatchZoneData* TFormMain::NearestZone() const {
    if (!CatchZones || NearestZoneIndex < 0 ||
        static_cast<std::size_t>(NearestZoneIndex) >= CatchZones->size()) {
        return nullptr;
    }
    return &(*CatchZones)[static_cast<std::size_t>(NearestZoneIndex)];
}

void TFormMain::tmrFindNearestTimer(TObject*) {
    lblFlightStatus.SetColor(lblFlightStatus.Color() == clBtnFace ? clWhite : clBtnFace);
    tmrFindNearest.SetEnabled(false);
    if (NearestZoneIndex == -1) {
        ShowSimMessage(rs::HookfastEnabled, 3);
    } else if (btnManualDisable.Down() && chkbxShowDisableReminders.Checked()) {
        ShowSimMessage(rs::ManuallyDisabled, 3);
    }
    FindNearestZone();
    lblCableCatchStatus.SetCaption({});
    tmrFindNearest.SetEnabled(true);
    tmrIsCatchCheckNeeded.SetEnabled(true);
    tmrAutoCatArmCheck.SetEnabled(true);
}

}  // namespace hf
