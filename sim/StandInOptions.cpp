#include "sim/StandInOptions.h"

#include <cerrno>
#include <cstdlib>

namespace hf::sim {

namespace {

std::optional<std::uint32_t> number(const std::string& text) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

// "OFFSET=REST": the offset must fit the 64 KiB memory.
bool splitAssignment(const std::string& text, std::uint32_t& offset, std::string& rest) {
    const auto eq = text.find('=');
    if (eq == std::string::npos) return false;
    const auto off = number(text.substr(0, eq));
    if (!off || *off >= OffsetMemorySize) return false;
    offset = *off;
    rest = text.substr(eq + 1);
    return true;
}

std::optional<StandInPoke> poke(const std::string& text) {
    StandInPoke p;
    std::string rest;
    if (!splitAssignment(text, p.offset, rest)) return std::nullopt;
    std::uint32_t size = 4;
    if (const auto colon = rest.rfind(':'); colon != std::string::npos) {
        const auto s = number(rest.substr(colon + 1));
        if (!s || (*s != 1 && *s != 2 && *s != 4)) return std::nullopt;
        size = *s;
        rest.resize(colon);
    }
    const auto value = number(rest);
    if (!value || (size < 4 && *value >> (8 * size) != 0)) return std::nullopt;
    for (std::uint32_t i = 0; i < size; ++i)
        p.bytes.push_back(static_cast<std::uint8_t>(*value >> (8 * i)));
    return p;
}

std::optional<StandInPoke> textPoke(const std::string& text) {
    StandInPoke p;
    std::string rest;
    if (!splitAssignment(text, p.offset, rest)) return std::nullopt;
    p.bytes.assign(rest.begin(), rest.end());
    p.bytes.push_back(0);
    return p;
}

}  // namespace

std::optional<StandInOptions> parseStandInOptions(std::span<const std::string> args,
                                                  std::string& error) {
    StandInOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (i + 1 >= args.size()) {
            error = "missing value after " + flag;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        auto bad = [&] {
            error = "bad value for " + flag + ": " + value;
            return std::nullopt;
        };
        if (flag == "--class") {
            if (value == "FS98MAIN") o.uipcWindow = false, o.fs98Window = true;
            else if (value == "UIPCMAIN") o.uipcWindow = true, o.fs98Window = false;
            else if (value == "both") o.uipcWindow = true, o.fs98Window = true;
            else return bad();
        } else if (flag == "--version" || flag == "--sim" || flag == "--sim-word" ||
                   flag == "--reply" || flag == "--delay-ms" || flag == "--quit-after" ||
                   flag == "--hotkey-slots") {
            const auto n = number(value);
            if (!n) return bad();
            if (flag == "--version") o.serverVersion = *n;
            else if (flag == "--sim") {
                if (*n > 0xFFFF) return bad();
                o.simulatorWord = SimulatorTag | *n;
            } else if (flag == "--sim-word") o.simulatorWord = *n;
            else if (flag == "--reply") o.reply = *n;
            else if (flag == "--delay-ms") o.delayMs = *n;
            else if (flag == "--hotkey-slots") o.hotKeySlots = *n;
            else o.quitAfterSeconds = *n;
        } else if (flag == "--poke" || flag == "--text") {
            auto p = flag == "--poke" ? poke(value) : textPoke(value);
            if (!p) return bad();
            o.pokes.push_back(std::move(*p));
        } else if (flag == "--log") {
            o.logPath = value;
        } else if (flag == "--ready-file") {
            o.readyFile = value;
        } else if (flag == "--stop-file") {
            o.stopFile = value;
        } else if (flag == "--scenario") {
            o.scenarioPath = value;
        } else if (flag == "--trace") {
            o.tracePath = value;
        } else if (flag == "--signal-dir") {
            o.signalDir = value;
        } else {
            error = "unknown option " + flag;
            return std::nullopt;
        }
    }
    if (!o.tracePath.empty() && o.scenarioPath.empty()) {
        error = "--trace needs --scenario: only a flight has a trace";
        return std::nullopt;
    }
    return o;
}

void applyStandInOptions(const StandInOptions& options, ServerCore& core) {
    core.setServerVersion(options.serverVersion);
    core.setSimulatorWord(options.simulatorWord);
    core.setHotKeySlotCount(options.hotKeySlots);
    core.replyOverride = options.reply;
    for (const auto& p : options.pokes) core.pokeBytes(p.offset, p.bytes.data(), p.bytes.size());
}

}  // namespace hf::sim
