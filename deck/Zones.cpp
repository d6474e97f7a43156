// Catch zones and the zone file: the list of valid zones, the zone-file list and its loading.
#include <exception>
#include <stdexcept>
#include <string>

#include "deck/Profile.h"
#include "deck/SettingsFile.h"
#include "deck/SimData.h"
#include "deck/ZoneFile.h"
#include "lang/HFastResourceStrings.h"
#include "link/SimLink.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

constexpr std::string_view ZoneLoadLogName = "HFastDatLoadErrorLog.txt";

ZoneLogTexts EditionLogTexts() {
    return {rs::LogHeader, rs::LogRunResetTime, rs::LogFailedZone, rs::LogTrailer1,
            rs::LogTrailer2};
}

// Restores the default cursor however the handler ends.
struct HourglassWhileBusy {
    explicit HourglassWhileBusy(HostServices& host) : host_(host) { host_.SetHourglassCursor(true); }
    ~HourglassWhileBusy() { host_.SetHourglassCursor(false); }
    HourglassWhileBusy(const HourglassWhileBusy&) = delete;
    HourglassWhileBusy& operator=(const HourglassWhileBusy&) = delete;

private:
    HostServices& host_;
};

}  // namespace

bool TFormMain::InitCatchZoneList() {
    if (CatchZones) {
        CatchZones->clear();
    } else {
        CatchZones = std::make_unique<std::vector<TCatchZoneData>>();
    }
    return true;
}

bool TFormMain::FillDatFileList() {
    const FileListing& listing = lstboxDatFiles.Listing();
    if (listing.Names.empty()) {
        // "No .dat files found" only where there is none: a folder that cannot be read, or
        // zone files left out for their names, say so.
        if (listing.Unreadable) {
            lblConnectionInfo.SetCaption(std::string(rs::FolderUnreadable) + host_.ShownPath(ProgramFolder));
        } else if (listing.Unnamed != 0) {
            lblConnectionInfo.SetCaption(std::string(rs::DatNamesUnshown));
        } else {
            lblConnectionInfo.SetCaption(std::string(rs::NoDatFiles));
        }
        return false;
    }
    cmbDatFile.ClearItems();
    for (const std::string& name : listing.Names) cmbDatFile.AddItem(name);
    return true;
}

bool TFormMain::SelectDefaultDatFile(Profile& settings) {
    const int entry = FindEntryIgnoringCase(cmbDatFile, DefaultDatFileName);
    if (entry < 0) {
        lblConnectionInfo.SetCaption(std::string(rs::HookfastDatNotFound));
        return false;
    }
    cmbDatFile.SetItemIndex(entry);
    WriteSetting(settings, host_.ShownPath(settings.Path()), "General", "LastDatFileUsed",
                 DefaultDatFileName);
    return true;
}

bool TFormMain::LoadCatchZones() {
    // The entry is a shown name; the file is reached by its real one.
    const std::string path = ProgramFolder + host_.PathOfName(cmbDatFile.Text());
    const std::string logPath = ProgramFolder + std::string(ZoneLoadLogName);
    // The zone timers stop with the link: nothing is left to watch. Keys that the settings
    // load registered go back first, or their slots would stay taken after the link closed.
    const auto stopWatching = [this](const std::string& reason) {
        if (AnyHotKeySlotRecorded()) ReleaseHotKeys();
        LinkClose();
        tmrCheckForCatch.SetEnabled(false);
        tmrFindNearest.SetEnabled(false);
        tmrIsCatchCheckNeeded.SetEnabled(false);
        lblConnectionInfo.SetCaption(reason);
    };
    const auto logText = [&](const ZoneLoad& load, bool completeLoad) {
        if (load.FailedZoneNumbers.empty()) return std::string();
        const double now = host_.Now();
        return BuildZoneLoadLog(EditionLogTexts(), host_.ShownPath(path), host_.ShortDateText(now),
                                host_.LongTimeText(now), load.FailedZoneNumbers, completeLoad);
    };
    // Replaced whole or left as it was; a failure goes to the caller.
    const auto writeLog = [&](const std::string& log) {
        if (log.empty()) return;
        if (!ReplaceFileContent(host_.Files(), logPath, log)) {
            throw std::runtime_error(FormatWithText(rs::CannotCreateFile, host_.ShownPath(logPath)));
        }
    };

    if (!CatchZones) CatchZones = std::make_unique<std::vector<TCatchZoneData>>();
    CatchZones->clear();
    ZoneLoad load;
    try {
        const Profile zoneFile(path, host_.Files());
        ReadCatchZones(zoneFile.Document(), FeetPerMetre, load);
    } catch (const std::exception& error) {
        // The zones read before the error stay; the log keeps what it has, without trailer.
        *CatchZones = std::move(load.Zones);
        stopWatching(error.what() + std::string("  ") + std::string(rs::DatLoadException));
        writeLog(logText(load, false));
        return false;
    }
    *CatchZones = std::move(load.Zones);

    if (CatchZones->empty()) {
        // No log: one from an earlier load stays as it was.
        lblNumOfCarriersLoaded.SetCaption({});
        stopWatching(std::string(rs::NoValidZones));
        return false;
    }
    lblNumOfCarriersLoaded.SetCaption(std::string(rs::CableZonesCount) +
                                      std::to_string(CatchZones->size()) + " " +
                                      std::string(rs::OutOf) + " " + std::to_string(load.Found));
    writeLog(logText(load, true));
    return true;
}

void TFormMain::cmbDatFileChange(TObject*) {
    const HourglassWhileBusy busy(host_);
    std::exception_ptr failure;
    try {
        tmrCheckForCatch.SetEnabled(false);
        tmrFindNearest.SetEnabled(false);
        tmrIsCatchCheckNeeded.SetEnabled(false);
        ResetProgramState(false);
        if (LoadCatchZones()) {
            cmbDatFile.SetEnabled(true);
            pgMain.SetEnabled(true);
            btnManualDisable.SetEnabled(true);
        }
    } catch (...) {
        failure = std::current_exception();
    }
    // Also after an error: a loaded file is watched at once (an error leaves the list
    // disabled, so then no search runs).
    if (cmbDatFile.Enabled()) {
        tmrFindNearestTimer(&tmrFindNearest);
        tmrFindNearest.SetEnabled(true);
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace hf
