#include "sim/flight/FlightSim.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ostream>
#include <string>

#include "sim/JsonText.h"
#include "sim/flight/FlightOffsets.h"

namespace hf::sim::flight {

namespace {

std::string Fixed(double value, int decimals) {
    std::array<char, 400> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return {text.data(), result.ptr};
}

}  // namespace

FlightSim::FlightSim(ServerCore& core, FlightSimOptions options)
    : core_(core), options_(options), model_(options.parameters) {
    previousOnWrite_ = core_.onWrite;
    core_.onWrite = [this](std::uint32_t offset, std::span<const std::uint8_t> bytes) { onWrite(offset, bytes); };
    previousBeforeServe_ = core_.beforeServe;
    core_.beforeServe = [this] {
        if (previousBeforeServe_) previousBeforeServe_();
        advanceTo(core_.nowMs());
    };
    timeMs_ = core_.nowMs();
    const AircraftState& s = model_.state();
    trace_.push_back({timeMs_, s.forwardSpeed, s.altitude, s.onGround});
    nextSampleMs_ = timeMs_ + options_.sampleMs;
    nextLogMs_ = timeMs_;
    publish();
}

FlightSim::~FlightSim() {
    core_.onWrite = previousOnWrite_;
    core_.beforeServe = previousBeforeServe_;
}

void FlightSim::load(Scenario scenario) {
    scenario_ = std::move(scenario);
    nextCommand_ = 0;
    segmentStartMs_ = 0;
    waitNoted_ = false;
    ended_ = false;
    core_.logNote("scenario", std::to_string(scenario_->commands.size()) + " commands, end at " +
                                  std::to_string(scenario_->endMs()) + " ms");
}

std::optional<std::string> FlightSim::awaitedSignal() const {
    if (!scenario_ || nextCommand_ >= scenario_->commands.size()) return std::nullopt;
    const ScenarioCommand& next = scenario_->commands[nextCommand_];
    const auto* wait = std::get_if<WaitSignal>(&next.action);
    if (wait == nullptr || segmentStartMs_ + next.atMs > timeMs_) return std::nullopt;
    return wait->name;
}

void FlightSim::signal(const std::string& name, std::int64_t atMs) {
    signals_.emplace(name, atMs);
    advanceTo(atMs);
}

void FlightSim::advanceTo(std::int64_t nowMs) {
    if (advancing_) return;  // a write noticed while a command runs; the advance goes on
    advancing_ = true;
    while (scenario_ && nextCommand_ < scenario_->commands.size()) {
        const ScenarioCommand& command = scenario_->commands[nextCommand_];
        const std::int64_t dueMs = segmentStartMs_ + command.atMs;
        if (dueMs > nowMs) break;
        stepTo(dueMs);
        if (const auto* wait = std::get_if<WaitSignal>(&command.action)) {
            const auto given = signals_.find(wait->name);
            if (given == signals_.end() || given->second > nowMs) {
                if (!waitNoted_) core_.logNote("wait", "signal=" + wait->name);
                waitNoted_ = true;
                break;
            }
            segmentStartMs_ = std::max(dueMs, given->second);
            stepTo(segmentStartMs_);
            core_.logNote("signal", "signal=" + wait->name);
            waitNoted_ = false;
            ++nextCommand_;
            continue;
        }
        ++nextCommand_;
        run(command);
    }
    stepTo(nowMs);
    publish();
    advancing_ = false;
}

void FlightSim::stepTo(std::int64_t ms) {
    ReadControls(core_, model_.state());
    while (timeMs_ < ms) {
        const std::int64_t next = std::min(ms, nextSampleMs_);
        model_.step(static_cast<double>(next - timeMs_));
        timeMs_ = next;
        noteEvents();
        if (timeMs_ >= nextSampleMs_) {
            const AircraftState& s = model_.state();
            trace_.push_back({timeMs_, s.forwardSpeed, s.altitude, s.onGround});
            nextSampleMs_ = timeMs_ + options_.sampleMs;
        }
        if (options_.logSampleMs > 0 && timeMs_ >= nextLogMs_) {
            const AircraftState& s = model_.state();
            core_.logNote("flight", "speed=" + Fixed(s.forwardSpeed, 2) + " side=" + Fixed(s.lateralSpeed, 2) +
                                        " alt=" + Fixed(s.altitude, 2) +
                                        " ground=" + (s.onGround ? "1" : "0") + " lat=" + Fixed(s.latitude, 7) +
                                        " lon=" + Fixed(s.longitude, 7) +
                                        " t=" + std::to_string(timeMs_));
            nextLogMs_ = timeMs_ + options_.logSampleMs;
        }
    }
}

void FlightSim::noteEvents() {
    if (model_.touchdown() && !touchdownNoted_) {
        const Touchdown& t = *model_.touchdown();
        core_.logNote("touchdown", "t=" + Fixed(t.timeMs, 1) + " lat=" + Fixed(t.latitude, 7) + " lon=" +
                                       Fixed(t.longitude, 7) + " speed=" + Fixed(t.forwardSpeed, 2));
        touchdownNoted_ = true;
    }
    if (model_.stoppedAtMs() && !stopNoted_) {
        core_.logNote("stopped", "t=" + Fixed(*model_.stoppedAtMs(), 1));
        stopNoted_ = true;
    }
}

void FlightSim::run(const ScenarioCommand& command) {
    core_.logNote("command", "line=" + std::to_string(command.line));
    if (const auto* start = std::get_if<StartApproach>(&command.action)) {
        model_.startApproach(start->approach);
        touchdownNoted_ = false;
        stopNoted_ = false;
        core_.logNote("approach", start->approach.name);
        const Touchdown planned = model_.plannedTouchdown();
        core_.logNote("planned-touchdown", "t=" + Fixed(planned.timeMs, 1) + " lat=" + Fixed(planned.latitude, 7) +
                                               " lon=" + Fixed(planned.longitude, 7) +
                                               " speed=" + Fixed(planned.forwardSpeed, 2));
    } else if (const auto* set = std::get_if<SetOffset>(&command.action)) {
        core_.pokeBytes(set->offset, set->bytes.data(), set->bytes.size());
        AbsorbState(core_, set->offset, set->bytes.size(), model_.state());
        takeAccelerations(set->offset, set->bytes.size());
    } else if (const auto* press = std::get_if<PressKey>(&command.action)) {
        if (!core_.pressHotKey(press->keyDefinition)) {
            core_.logNote("press-unmatched", std::to_string(press->keyDefinition));
        }
    } else if (const auto* thrust = std::get_if<SetThrust>(&command.action)) {
        model_.state().groundThrust = thrust->thrust;
    } else if (const auto* place = std::get_if<PlaceOnDeck>(&command.action)) {
        model_.place(place->placement);
        touchdownNoted_ = false;
        stopNoted_ = false;
        core_.logNote("place", "lat=" + Fixed(place->placement.latitude, 7) + " lon=" +
                                   Fixed(place->placement.longitude, 7) + " deck=" +
                                   Fixed(place->placement.deckAltitude, 2));
    } else if (const auto* cruise = std::get_if<StartCruise>(&command.action)) {
        model_.cruise(cruise->cruise);
        touchdownNoted_ = false;
        stopNoted_ = false;
        core_.logNote("cruise", "alt=" + Fixed(cruise->cruise.altitude, 2) + " ground=" +
                                    Fixed(cruise->cruise.groundAltitude, 2));
    } else if (const auto* climb = std::get_if<SetClimb>(&command.action)) {
        model_.setClimbRate(climb->metresPerSecond);
        core_.logNote("climb", "rate=" + Fixed(climb->metresPerSecond, 2));
    } else if (std::holds_alternative<CrashAircraft>(command.action)) {
        model_.crash();
        core_.logNote("crash");
    } else if (const auto* fault = std::get_if<SetFault>(&command.action)) {
        core_.setFault(fault->fault);
    } else if (std::holds_alternative<EndScenario>(command.action)) {
        ended_ = true;
        core_.logNote("scenario-end");
    }
    publish();
}

void FlightSim::onWrite(std::uint32_t offset, std::span<const std::uint8_t> bytes) {
    if (Overlaps(offset, bytes.size(), LateralAccelOffset, 8) || Overlaps(offset, bytes.size(), ForwardAccelOffset, 8)) {
        advanceTo(core_.nowMs());  // the forces in force so far act up to the write
        takeAccelerations(offset, bytes.size());
    }
    if (previousOnWrite_) previousOnWrite_(offset, bytes);
}

void FlightSim::takeAccelerations(std::uint32_t offset, std::size_t size) {
    for (const std::uint32_t field : {ForwardAccelOffset, LateralAccelOffset}) {
        if (!Overlaps(offset, size, field, 8)) continue;
        const double value = core_.peek<double>(field);
        if (field == ForwardAccelOffset) {
            model_.writeForwardAcceleration(value);
        } else {
            model_.writeLateralAcceleration(value);
        }
        core_.logNote("accel", "offset=" + hexWord(field) + " value=" + Fixed(value, 3) +
                                   " speed=" + Fixed(model_.state().forwardSpeed, 2));
    }
}

void FlightSim::publish() {
    PublishState(model_.state(), core_);
}

void FlightSim::writeTraceCsv(std::ostream& out) const {
    out << "time_ms,forward_speed_fps,altitude_m,on_ground\n";
    for (const auto& s : trace_) {
        out << s.timeMs << ',' << Fixed(s.forwardSpeed, 3) << ',' << Fixed(s.altitude, 3) << ','
            << (s.onGround ? 1 : 0) << '\n';
    }
}

}  // namespace hf::sim::flight
