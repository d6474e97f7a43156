#include "sim/flight/Scenario.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "sim/ServerCore.h"
#include "sim/flight/FlightOffsets.h"

namespace hf::sim::flight {

namespace {

class LineReader {
public:
    LineReader(std::string_view line, int number) : rest_(line), number_(number) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw ScenarioError("line " + std::to_string(number_) + ": " + what);
    }

    // The end of the line, or of what comes before a comment: a '#' that begins a word.
    bool atEnd() {
        skipBlanks();
        return rest_.empty() || rest_.front() == '#';
    }

    std::string_view word(const char* what) {
        if (atEnd()) fail("missing " + std::string(what));
        std::size_t n = 0;
        while (n < rest_.size() && !IsBlank(rest_[n])) ++n;
        std::string_view w = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return w;
    }

    // Everything up to the end of the line, '#' and inner blanks kept, outer blanks trimmed.
    std::string_view remainder() {
        skipBlanks();
        std::string_view r = rest_;
        while (!r.empty() && IsBlank(r.back())) r.remove_suffix(1);
        rest_ = {};
        return r;
    }

    double number(const char* what) {
        const std::string_view w = word(what);
        double value = 0;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
        if (ec != std::errc{} || end != w.data() + w.size() || !std::isfinite(value)) {
            fail(std::string(what) + " must be a number, not '" + std::string(w) + "'");
        }
        return value;
    }

    // Decimal, or hexadecimal after 0x; an optional minus sign.
    std::int64_t integer(const char* what) {
        const std::string_view w = word(what);
        std::string_view digits = w;
        bool negative = false;
        if (!digits.empty() && digits.front() == '-') {
            negative = true;
            digits.remove_prefix(1);
        }
        int base = 10;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            digits.remove_prefix(2);
        }
        std::uint64_t magnitude = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
        if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() ||
            magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            fail(std::string(what) + " must be a whole number, not '" + std::string(w) + "'");
        }
        const auto value = static_cast<std::int64_t>(magnitude);
        return negative ? -value : value;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
    void skipBlanks() {
        while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
    }

    std::string_view rest_;
    int number_;
};

template <class T>
std::vector<std::uint8_t> Bytes(T value) {
    std::vector<std::uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

template <class T>
std::vector<std::uint8_t> IntegerBytes(LineReader& in, std::string_view type) {
    const std::int64_t value = in.integer("value");
    if (value < static_cast<std::int64_t>(std::numeric_limits<T>::min()) ||
        value > static_cast<std::int64_t>(std::numeric_limits<T>::max())) {
        in.fail("value " + std::to_string(value) + " does not fit " + std::string(type));
    }
    return Bytes(static_cast<T>(value));
}

std::vector<std::uint8_t> ValueBytes(LineReader& in, std::string_view type) {
    if (type == "u8") return IntegerBytes<std::uint8_t>(in, type);
    if (type == "i8") return IntegerBytes<std::int8_t>(in, type);
    if (type == "u16") return IntegerBytes<std::uint16_t>(in, type);
    if (type == "i16") return IntegerBytes<std::int16_t>(in, type);
    if (type == "u32") return IntegerBytes<std::uint32_t>(in, type);
    if (type == "i32") return IntegerBytes<std::int32_t>(in, type);
    if (type == "f64") return Bytes(in.number("value"));
    if (type == "text") {
        const std::string_view text = in.remainder();
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return bytes;
    }
    in.fail("unknown type '" + std::string(type) + "' (u8 i8 u16 i16 u32 i32 f64 text)");
}

// "none", "no-reply", "reply <n>", "refuse-read <offset>" or "refuse-write <offset>".
ServerFault ParseFault(LineReader& in) {
    const std::string_view kind = in.word("fault");
    if (kind == "none") return {};
    if (kind == "no-reply") return {ServerFault::Kind::NoReply, 0};
    if (kind == "reply") {
        const std::int64_t value = in.integer("reply value");
        if (value < 0 || value > 0xFFFFFFFF) in.fail("reply value must be a 32-bit value");
        return {ServerFault::Kind::Reply, static_cast<std::uint32_t>(value)};
    }
    if (kind == "refuse-read" || kind == "refuse-write") {
        const std::int64_t offset = in.integer("offset");
        if (offset < 0 || offset >= static_cast<std::int64_t>(OffsetMemorySize)) {
            in.fail("offset " + std::to_string(offset) + " lies outside the offset memory");
        }
        return {kind == "refuse-read" ? ServerFault::Kind::RefuseRead : ServerFault::Kind::RefuseWrite,
                static_cast<std::uint32_t>(offset)};
    }
    in.fail("unknown fault '" + std::string(kind) + "' (none no-reply reply refuse-read refuse-write)");
}

Approach ParseApproach(LineReader& in) {
    Approach a;
    a.name = std::string(in.word("approach name"));
    bool touchdown = false, deck = false, heading = false;
    while (!in.atEnd()) {
        const std::string_view key = in.word("key");
        if (key == "touchdown") {
            a.touchdownLat = in.number("touchdown latitude");
            a.touchdownLon = in.number("touchdown longitude");
            if (a.touchdownLat <= -90 || a.touchdownLat >= 90 || a.touchdownLon < -180 || a.touchdownLon >= 180) {
                in.fail("touchdown point out of range");
            }
            touchdown = true;
        } else if (key == "deck") {
            a.deckAltitude = in.number("deck altitude");
            deck = true;
        } else if (key == "heading") {
            a.heading = in.number("heading");
            if (a.heading < 0 || a.heading >= 360) in.fail("heading must be from 0 to below 360");
            heading = true;
        } else if (key == "glide") {
            a.glidePath = in.number("glide path");
            if (a.glidePath <= 0 || a.glidePath >= 45) in.fail("glide path must be above 0 and below 45 degrees");
        } else if (key == "speed") {
            a.speedKnots = in.number("speed");
            if (a.speedKnots <= 0) in.fail("speed must be above 0 knots");
        } else if (key == "distance") {
            a.distance = in.number("distance");
            if (a.distance < 0) in.fail("distance must not be negative");
        } else if (key == "offset") {
            a.offset = in.number("offset");
        } else if (key == "bank") {
            a.bank = in.number("bank");
        } else {
            in.fail("unknown approach key '" + std::string(key) +
                    "' (touchdown deck heading glide speed distance offset bank)");
        }
    }
    if (!touchdown || !deck || !heading) {
        in.fail("approach '" + a.name + "' needs touchdown, deck and heading");
    }
    return a;
}

void CheckPosition(LineReader& in, double lat, double lon) {
    if (lat <= -90 || lat >= 90 || lon < -180 || lon >= 180) in.fail("position out of range");
}

double Heading(LineReader& in) {
    const double heading = in.number("heading");
    if (heading < 0 || heading >= 360) in.fail("heading must be from 0 to below 360");
    return heading;
}

// place <lat> <lon> deck <metres> heading <degrees true>
Placement ParsePlacement(LineReader& in) {
    Placement p;
    p.latitude = in.number("latitude");
    p.longitude = in.number("longitude");
    CheckPosition(in, p.latitude, p.longitude);
    bool deck = false, heading = false;
    while (!in.atEnd()) {
        const std::string_view key = in.word("key");
        if (key == "deck") {
            p.deckAltitude = in.number("deck altitude");
            deck = true;
        } else if (key == "heading") {
            p.heading = Heading(in);
            heading = true;
        } else {
            in.fail("unknown place key '" + std::string(key) + "' (deck heading)");
        }
    }
    if (!deck || !heading) in.fail("place needs deck and heading");
    return p;
}

// cruise <lat> <lon> alt <metres> heading <degrees true> [speed <knots>] [ground <metres>]
Cruise ParseCruise(LineReader& in) {
    Cruise c;
    c.latitude = in.number("latitude");
    c.longitude = in.number("longitude");
    CheckPosition(in, c.latitude, c.longitude);
    bool alt = false, heading = false;
    while (!in.atEnd()) {
        const std::string_view key = in.word("key");
        if (key == "alt") {
            c.altitude = in.number("altitude");
            alt = true;
        } else if (key == "heading") {
            c.heading = Heading(in);
            heading = true;
        } else if (key == "speed") {
            c.speedKnots = in.number("speed");
            if (c.speedKnots <= 0) in.fail("speed must be above 0 knots");
        } else if (key == "ground") {
            c.groundAltitude = in.number("ground altitude");
        } else {
            in.fail("unknown cruise key '" + std::string(key) + "' (alt heading speed ground)");
        }
    }
    if (!alt || !heading) in.fail("cruise needs alt and heading");
    if (c.altitude <= c.groundAltitude) in.fail("cruise altitude must be above the ground");
    return c;
}

// A key definition as the program registers it: the virtual-key code in byte 0, the
// modifiers in byte 1 (1 Shift, 2 Ctrl) and 1 in byte 2. Written as shift+ctrl+F12, or as
// the number itself.
std::uint32_t ParseKey(LineReader& in) {
    const std::string_view w = in.word("key");
    if (!w.empty() && w.front() >= '0' && w.front() <= '9') {
        LineReader number(w, 0);  // the number rules of every other command
        std::int64_t key = 0;
        try {
            key = number.integer("key definition");
        } catch (const ScenarioError&) {
            key = -1;
        }
        if (key <= 0 || key > 0xFFFFFFFF) in.fail("key definition must be a 32-bit value above 0");
        return static_cast<std::uint32_t>(key);
    }
    auto lower = [](std::string_view text) {
        std::string out(text);
        for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    };
    std::uint32_t modifiers = 0;
    std::string_view rest = w;
    for (std::size_t plus; (plus = rest.find('+')) != std::string_view::npos; rest.remove_prefix(plus + 1)) {
        const std::string modifier = lower(rest.substr(0, plus));
        if (modifier == "shift") modifiers |= 1;
        else if (modifier == "ctrl") modifiers |= 2;
        else in.fail("unknown modifier '" + modifier + "' in '" + std::string(w) + "' (shift ctrl)");
    }
    const std::string key = lower(rest);
    int function = 0;
    if (key.size() >= 2 && key[0] == 'f') {
        const auto [end, ec] = std::from_chars(key.data() + 1, key.data() + key.size(), function);
        if (ec != std::errc{} || end != key.data() + key.size()) function = 0;
    }
    if (function < 1 || function > 12) {
        in.fail("unknown key '" + std::string(rest) + "' (F1 to F12, after shift+ or ctrl+)");
    }
    constexpr std::uint32_t VirtualKeyF1 = 0x70;
    return 0x00010000 | modifiers << 8 | (VirtualKeyF1 + static_cast<std::uint32_t>(function) - 1);
}

// tank <name> capacity <gallons> level <percent of full>: the capacity, then the level.
std::pair<SetOffset, SetOffset> ParseTank(LineReader& in) {
    const std::string_view name = in.word("tank name");
    const auto tank = std::find_if(std::begin(Tanks), std::end(Tanks),
                                   [&](const TankOffsets& t) { return t.name == name; });
    if (tank == std::end(Tanks)) {
        in.fail("unknown tank '" + std::string(name) +
                "' (centre centre2 left-main right-main left-aux right-aux)");
    }
    std::optional<std::uint32_t> capacity;
    std::optional<std::uint32_t> level;
    while (!in.atEnd()) {
        const std::string_view key = in.word("key");
        if (key == "capacity") {
            const std::int64_t gallons = in.integer("capacity");
            if (gallons < 0 || gallons > 0xFFFFFFFF) in.fail("capacity must fit 32 bits");
            capacity = static_cast<std::uint32_t>(gallons);
        } else if (key == "level") {
            const double percent = in.number("level");
            const double units = std::round(percent / 100.0 * FullTankLevel);
            if (units < 0 || units > 4294967295.0) in.fail("level must be from 0 to 511 percent");
            level = static_cast<std::uint32_t>(units);
        } else {
            in.fail("unknown tank key '" + std::string(key) + "' (capacity level)");
        }
    }
    if (!capacity || !level) in.fail("tank needs capacity and level");
    return {SetOffset{tank->capacity, Bytes(*capacity)}, SetOffset{tank->level, Bytes(*level)}};
}

}  // namespace

std::int64_t Scenario::endMs() const {
    for (const auto& c : commands) {
        if (std::holds_alternative<EndScenario>(c.action)) return c.atMs;
    }
    return commands.empty() ? 0 : commands.back().atMs;
}

Scenario ParseScenario(std::string_view text) {
    Scenario scenario;
    int number = 0;
    bool ended = false;
    std::int64_t earliestMs = 0;  // the previous command's time; 0 again after a wait
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        ++number;

        LineReader in(line, number);
        if (in.atEnd()) continue;
        const std::string_view head = in.word("command");
        if (head == "approach") {
            Approach a = ParseApproach(in);
            if (scenario.approaches.count(a.name)) in.fail("approach '" + a.name + "' is defined twice");
            scenario.approaches.emplace(a.name, std::move(a));
            continue;
        }
        if (head != "at") in.fail("unknown command '" + std::string(head) + "' (at, approach)");

        if (ended) in.fail("command after the end");
        ScenarioCommand command;
        command.line = number;
        command.atMs = in.integer("time");
        if (command.atMs < 0) in.fail("time must not be negative");
        if (command.atMs < earliestMs) {
            in.fail("time " + std::to_string(command.atMs) + " comes before the previous command's " +
                    std::to_string(earliestMs));
        }
        earliestMs = command.atMs;

        const std::string_view verb = in.word("action");
        if (verb == "approach") {
            const std::string name{in.word("approach name")};
            auto it = scenario.approaches.find(name);
            if (it == scenario.approaches.end()) in.fail("approach '" + name + "' is not defined above");
            command.action = StartApproach{it->second};
        } else if (verb == "set") {
            const std::int64_t offset = in.integer("offset");
            const std::string_view type = in.word("type");
            SetOffset set{0, ValueBytes(in, type)};
            if (offset < 0 || offset + static_cast<std::int64_t>(set.bytes.size()) > static_cast<std::int64_t>(OffsetMemorySize)) {
                in.fail("offset " + std::to_string(offset) + " with " + std::to_string(set.bytes.size()) +
                        " bytes lies outside the offset memory");
            }
            set.offset = static_cast<std::uint32_t>(offset);
            if (const auto computed = ComputedOffsetIn(set.offset, set.bytes.size()); !computed.empty()) {
                in.fail("offset " + std::string(computed) + " follows from the flight model and cannot be set");
            }
            command.action = std::move(set);
        } else if (verb == "press") {
            command.action = PressKey{ParseKey(in)};
        } else if (verb == "place") {
            command.action = PlaceOnDeck{ParsePlacement(in)};
        } else if (verb == "cruise") {
            command.action = StartCruise{ParseCruise(in)};
        } else if (verb == "climb") {
            command.action = SetClimb{in.number("climb rate")};
        } else if (verb == "crash") {
            command.action = CrashAircraft{};
        } else if (verb == "tank") {
            auto [capacity, level] = ParseTank(in);
            ScenarioCommand first = command;
            first.action = std::move(capacity);
            scenario.commands.push_back(std::move(first));
            command.action = std::move(level);
        } else if (verb == "wait") {
            command.action = WaitSignal{std::string(in.word("signal name"))};
            earliestMs = 0;
        } else if (verb == "thrust") {
            command.action = SetThrust{in.number("thrust")};
        } else if (verb == "fault") {
            command.action = SetFault{ParseFault(in)};
        } else if (verb == "end") {
            command.action = EndScenario{};
            ended = true;
        } else {
            in.fail("unknown action '" + std::string(verb) +
                    "' (approach set press thrust place cruise climb crash tank wait end)");
        }
        if (!in.atEnd()) in.fail("unexpected '" + std::string(in.remainder()) + "' at the end of the line");
        scenario.commands.push_back(std::move(command));
    }
    return scenario;
}

Scenario LoadScenario(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ScenarioError(path + ": cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    try {
        return ParseScenario(text.str());
    } catch (const ScenarioError& e) {
        throw ScenarioError(path + ": " + e.what());
    }
}

}  // namespace hf::sim::flight
