// Fuel transfers: loading and offloading the six tanks in one-second steps at the selected
// rate. A transfer runs exactly while FuelLoadActive or FuelOffloadActive is set.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "deck/SimData.h"
#include "lang/HFastResourceStrings.h"
#include "ui/FormHookfast.h"

namespace hf {

namespace {

using TankLevels = std::array<std::uint32_t, 6>;

// The aircraft's altitude and the ground below it.
struct HeightValues {
    std::uint32_t AltitudeLo = 0;
    std::int32_t AltitudeHi = 0;
    std::int16_t Ground = 0;
};

void QueueHeight(SimExchange& exchange, HeightValues& v) {
    exchange.Read(offsets::AltitudeLo, v.AltitudeLo)
        .Read(offsets::AltitudeHi, v.AltitudeHi)
        .Read(offsets::GroundAltitude, v.Ground);
}

bool LoadAllowedAt(const HeightValues& v) {
    return HeightAboveGround(DecodeAltitude(v.AltitudeLo, v.AltitudeHi), v.Ground) >=
           AglLoadLimitMetres;
}

void QueueCapacities(SimExchange& exchange, std::array<std::uint32_t, 6>& capacities) {
    for (std::size_t i = 0; i < offsets::Tanks.size(); ++i)
        exchange.Read(offsets::Tanks[i].Capacity, capacities[i]);
}

void QueueLevels(SimExchange& exchange, TankLevels& levels) {
    for (std::size_t i = 0; i < offsets::Tanks.size(); ++i)
        exchange.Read(offsets::Tanks[i].Level, levels[i]);
}

// One exchange for one tank's new level; its outcome is deliberately ignored, the next step
// computes from a fresh reading anyway.
void WriteLevel(std::size_t tank, std::uint32_t level) {
    SimExchange exchange;
    exchange.Write(offsets::Tanks[tank].Level, level).Process();
}

// The messages, the label and the rate all need a selected item; before the settings are
// loaded there is none, and a start then goes with the first rate.
void EnsureRateSelected(TRadioGroup& rates) {
    if (rates.ItemIndex() < 0 && !rates.Items().empty()) rates.SetItemIndex(0);
}

}  // namespace

void TFormMain::actFuelLoadExecute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::FuelLoadNotAvailable, 3);
        return;
    }
    if (FuelLoadActive) {
        SetFuelLoadActive(false, {});
        return;
    }
    HeightValues height;
    SimExchange exchange;
    QueueHeight(exchange, height);
    QueueCapacities(exchange, TankCapacity);
    if (!exchange.Process()) return;
    if (LoadAllowedAt(height)) {
        EnsureRateSelected(rdgrpFuelTransferRate);
        SetFuelLoadActive(true, {});
    } else {
        ShowSimMessage(rs::FuelLoadBelow5000, 3);
    }
}

void TFormMain::actFuelOFFloadExecute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::FuelOffloadNotAvailable, 3);
        return;
    }
    if (FuelOffloadActive) {
        SetFuelOffloadActive(false, {});
        return;
    }
    SimExchange exchange;
    QueueCapacities(exchange, TankCapacity);
    if (!exchange.Process()) return;
    EnsureRateSelected(rdgrpFuelTransferRate);
    SetFuelOffloadActive(true, {});
}

void TFormMain::actFuelRateToggleExecute(TObject*) {
    if (btnManualDisable.Down()) {
        ShowSimMessage(rs::FuelRateNotAvailable, 3);
        return;
    }
    rdgrpFuelTransferRate.SetItemIndex(rdgrpFuelTransferRate.ItemIndex() == 0 ? 1 : 0);
    ShowSimMessage(std::string(rs::FuelRateNowSet) + rdgrpFuelTransferRate.SelectedText(), 7);
}

void TFormMain::SetFuelLoadActive(bool active, std::string_view reason) {
    if (FuelOffloadActive) {
        ShowSimMessage(rs::FuelOffloadInProgress, 3);
        return;
    }
    if (active && !FuelLoadActive) {
        ShowSimMessage(std::string(rs::FuelLoadStarted) + rdgrpFuelTransferRate.SelectedText(), 3);
    } else if (!active && FuelLoadActive) {
        ShowSimMessage(std::string(rs::FuelLoadTerminated) + std::string(reason), 6);
    }
    FuelLoadActive = active;
    lblFuelTransferStatus.SetCaption(
        active ? std::string(rs::Loading) + rdgrpFuelTransferRate.SelectedText() : std::string());
}

void TFormMain::SetFuelOffloadActive(bool active, std::string_view reason) {
    if (FuelLoadActive) {
        ShowSimMessage(rs::FuelLoadInProgress, 3);
        return;
    }
    if (active && !FuelOffloadActive) {
        ShowSimMessage(std::string(rs::FuelOffloadStarted) + rdgrpFuelTransferRate.SelectedText(),
                       3);
    } else if (!active && FuelOffloadActive) {
        ShowSimMessage(std::string(rs::FuelOffloadTerminated) + std::string(reason), 6);
    }
    FuelOffloadActive = active;
    lblFuelTransferStatus.SetCaption(
        active ? std::string(rs::Offloading) + rdgrpFuelTransferRate.SelectedText()
               : std::string());
}

std::uint32_t TFormMain::FuelRateForTank(std::uint32_t capacity) {
    const double perTank = static_cast<double>(rdgrpFuelTransferRate.SelectedObject()) /
                           static_cast<double>(capacity);
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<std::uint32_t>(std::nearbyint(perTank));
}

void TFormMain::tmrFuelOpsTimer(TObject*) {
    if (btnManualDisable.Down()) return;
    if (FuelLoadActive) {
        FuelLoadStep();
    } else if (FuelOffloadActive) {
        FuelOffloadStep();
    }
}

void TFormMain::FuelLoadStep() {
    TankLevels levels{};
    HeightValues height;
    SimExchange exchange;
    QueueLevels(exchange, levels);
    QueueHeight(exchange, height);
    if (!exchange.Process()) return;

    std::array<bool, 6> takes{};
    for (std::size_t i = 0; i < takes.size(); ++i)
        takes[i] = TankCapacity[i] != 0 && levels[i] < NearlyFullTankLevel;
    const auto n = static_cast<std::uint32_t>(std::count(takes.begin(), takes.end(), true));

    if (!LoadAllowedAt(height)) {
        SetFuelLoadActive(false, rs::ReasonBelow5000);
        return;
    }
    if (n == 0) {
        SetFuelLoadActive(false, rs::ReasonTanksFull);
        return;
    }
    for (std::size_t i = 0; i < takes.size(); ++i) {
        if (!takes[i]) continue;
        const std::uint64_t share = FuelRateForTank(TankCapacity[i]) / n;
        const std::uint64_t level = std::min<std::uint64_t>(levels[i] + share, FullTankLevel);
        WriteLevel(i, static_cast<std::uint32_t>(level));
    }
}

void TFormMain::FuelOffloadStep() {
    TankLevels levels{};
    SimExchange exchange;
    QueueLevels(exchange, levels);
    if (!exchange.Process()) return;

    std::array<bool, 6> gives{};
    for (std::size_t i = 0; i < gives.size(); ++i)
        gives[i] = TankCapacity[i] != 0 && levels[i] > LowTankLevel;
    const auto n = static_cast<std::uint32_t>(std::count(gives.begin(), gives.end(), true));

    if (n == 0) {
        SetFuelOffloadActive(false, rs::ReasonBelow10);
        return;
    }
    for (std::size_t i = 0; i < gives.size(); ++i) {
        if (!gives[i]) continue;
        const std::int64_t share = FuelRateForTank(TankCapacity[i]) / n;
        const std::int64_t level =
            std::max<std::int64_t>(static_cast<std::int64_t>(levels[i]) - share, LowTankLevel);
        WriteLevel(i, static_cast<std::uint32_t>(level));
    }
}

}  // namespace hf
