// The flight model attached to the stand-in's server core: it keeps the aircraft's offsets
// current, takes the program's acceleration writes, runs a scenario's timed commands and
// records what happened. Time comes from the core's clock: before every served block the
// model catches up with it, and so it does for a write; a host may also call advanceTo on a
// timer of its own so that the aircraft flies while no client asks. Nothing here reads a
// clock of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/ServerCore.h"
#include "sim/flight/FlightModel.h"
#include "sim/flight/Scenario.h"

namespace hf::sim::flight {

struct FlightSample {
    std::int64_t timeMs = 0;
    double forwardSpeed = 0;  // ft/s
    double altitude = 0;      // metres
    bool onGround = false;
};

struct FlightSimOptions {
    FlightParameters parameters;
    std::int64_t sampleMs = 10;     // in-memory trace
    std::int64_t logSampleMs = 50;  // "flight" notes in the core's log; 0 = none
};

class FlightSim {
public:
    explicit FlightSim(ServerCore& core, FlightSimOptions options = {});
    ~FlightSim();
    FlightSim(const FlightSim&) = delete;
    FlightSim& operator=(const FlightSim&) = delete;

    // Commands run when the time reaches theirs; those already due run at the next advance.
    void load(Scenario scenario);
    // The signal a due `wait` command is held at, if any: the host gives it with signal().
    std::optional<std::string> awaitedSignal() const;
    // Gives a signal at a time on the core's clock. A wait held for it goes on from the later
    // of its own time and the signal's; the commands after it count from there.
    void signal(const std::string& name, std::int64_t atMs);
    // Moves the model on to the given time (ms on the core's clock): runs due commands in
    // order, integrates, records samples and publishes the offsets. Earlier times do nothing.
    void advanceTo(std::int64_t nowMs);

    FlightModel& model() { return model_; }
    const FlightModel& model() const { return model_; }
    std::int64_t timeMs() const { return timeMs_; }
    bool ended() const { return ended_; }
    const std::optional<Scenario>& scenario() const { return scenario_; }

    const std::vector<FlightSample>& trace() const { return trace_; }
    // time_ms,forward_speed_fps,altitude_m,on_ground with a header line.
    void writeTraceCsv(std::ostream& out) const;

private:
    void onWrite(std::uint32_t offset, std::span<const std::uint8_t> bytes);
    void takeAccelerations(std::uint32_t offset, std::size_t size);
    void run(const ScenarioCommand& command);
    void stepTo(std::int64_t ms);
    void noteEvents();
    void publish();

    ServerCore& core_;
    FlightSimOptions options_;
    FlightModel model_;
    std::function<void(std::uint32_t, std::span<const std::uint8_t>)> previousOnWrite_;
    std::function<void()> previousBeforeServe_;
    std::optional<Scenario> scenario_;
    std::size_t nextCommand_ = 0;
    std::int64_t segmentStartMs_ = 0;  // the commands' times count from here
    std::map<std::string, std::int64_t> signals_;
    bool waitNoted_ = false;
    std::int64_t timeMs_ = 0;
    bool ended_ = false;
    bool advancing_ = false;
    std::vector<FlightSample> trace_;
    std::int64_t nextSampleMs_ = 0;
    std::int64_t nextLogMs_ = 0;
    bool touchdownNoted_ = false;
    bool stopNoted_ = false;
};

}  // namespace hf::sim::flight
