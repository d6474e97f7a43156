// hflinkbench.exe: what LinkProcess costs next to the same exchange made by hand, against a
// running server window.
//
//   hflinkbench.exe [ROUNDS [REPETITIONS]]     (defaults 300 and 9)
//
// The hand-made exchange is the least a client can do: the same read records, copied from a
// ready image into a named block of the same kind (its own atom, a name of the same length)
// and sent with the same registered message, so the server opens, maps and serves the same
// bytes for both; its answers are left in the block. A WM_NULL round trip, which the server
// answers without touching any block, shows what the message alone costs.
//
// Each repetition makes ROUNDS exchanges of every kind, one of each in turn, each timed on
// its own. The table gives the minimum and the median over the repetitions of each
// repetition's median exchange, and the mean time spent outside SendMessageTimeoutA: the
// client's own work (queueing, the answer walk) plus the stopwatch's.
// Exit code 0 when every exchange succeeded and read back what was written.
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "BenchTiming.h"
#include "link/SimLink.h"

namespace {

using hf::bench::Spread;
using hf::bench::Stopwatch;

constexpr std::uint32_t ReadId = 1;
constexpr std::uint32_t ReadHeaderSize = 16;

struct Request {
    std::uint32_t offset;
    std::uint32_t size;
};

// The trap test's ten reads, and the arrest's one.
constexpr std::array<Request, 10> TrapTestReads = {{{0x0580, 4}, {0x057C, 4}, {0x0366, 2},
                                                    {0x0570, 4}, {0x0574, 4}, {0x0568, 4},
                                                    {0x056C, 4}, {0x0560, 4}, {0x0564, 4},
                                                    {0x3BA0, 8}}};
constexpr std::array<Request, 1> SpeedRead = {{{0x3090, 8}}};

// A value for every byte the benchmark reads, written to the server first, so each kind of
// exchange can show it was served.
std::uint8_t PatternByte(std::uint32_t offset) { return static_cast<std::uint8_t>(offset * 7 + 1); }

bool Fail(const char* what, std::uint32_t code = 0) {
    std::printf("failed: %s (code %u)\n", what, code);
    return false;
}

// A request block made and filled by hand, as a client without the link library would:
// the records are laid out once, and each exchange copies them into the block and sends.
class HandBlock {
public:
    explicit HandBlock(std::span<const Request> reads) : reads_(reads) {
        for (const Request& r : reads) {
            const std::uint32_t header[4] = {ReadId, r.offset, r.size, 0};
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(header);
            image_.insert(image_.end(), bytes, bytes + ReadHeaderSize);
            image_.insert(image_.end(), r.size, 0);
        }
        image_.insert(image_.end(), 4, 0);  // the terminator
    }
    HandBlock(const HandBlock&) = delete;
    HandBlock& operator=(const HandBlock&) = delete;
    ~HandBlock() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
        if (atom_) GlobalDeleteAtom(atom_);
    }

    // A block named as the link names its own, with another sequence number.
    bool open(std::uint32_t sequence) {
        char name[64];
        std::snprintf(name, sizeof name, "FSASMLIB:IPC:%X:%X",
                      static_cast<unsigned>(GetCurrentProcessId()), sequence);
        atom_ = GlobalAddAtomA(name);
        mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      hf::LinkBlockSize, name);
        if (mapping_ == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return false;
        view_ = static_cast<std::uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
        return atom_ != 0 && view_ != nullptr;
    }

    bool exchange(hf::LinkPort& port, hf::WindowHandle server, std::uint32_t message) {
        std::memcpy(view_, image_.data(), image_.size());
        std::uintptr_t reply = 0;
        return port.SendMessageTimeoutA(server, message, atom_, 0, 2000, &reply) != 0 && reply == 1;
    }

    // Whether the answers in the block are the values written to the server.
    bool answersMatch() const {
        std::size_t at = 0;
        for (const Request& r : reads_) {
            at += ReadHeaderSize;
            for (std::uint32_t i = 0; i < r.size; ++i)
                if (view_[at + i] != PatternByte(r.offset + i)) return false;
            at += r.size;
        }
        return true;
    }

private:
    std::span<const Request> reads_;
    std::vector<std::uint8_t> image_;
    ATOM atom_ = 0;
    HANDLE mapping_ = nullptr;
    std::uint8_t* view_ = nullptr;
};

// Through the link, as the program makes its exchanges.
class LinkExchange {
public:
    explicit LinkExchange(std::span<const Request> reads) : reads_(reads) {
        for (const Request& r : reads) buffers_.emplace_back(r.size);
    }
    bool exchange() {
        std::uint32_t code = 0;
        for (std::size_t i = 0; i < reads_.size(); ++i)
            if (!hf::LinkRead(reads_[i].offset, reads_[i].size, buffers_[i].data(), code)) return false;
        return hf::LinkProcess(code);
    }
    bool answersMatch() const {
        for (std::size_t i = 0; i < reads_.size(); ++i)
            for (std::uint32_t j = 0; j < reads_[i].size; ++j)
                if (buffers_[i][j] != PatternByte(reads_[i].offset + j)) return false;
        return true;
    }

private:
    std::span<const Request> reads_;
    std::vector<std::vector<std::uint8_t>> buffers_;
};

bool WritePattern() {
    std::vector<std::vector<std::uint8_t>> values;
    std::uint32_t code = 0;
    auto queue = [&](const auto& reads) {
        for (const Request& r : reads) {
            values.emplace_back(r.size);
            for (std::uint32_t i = 0; i < r.size; ++i) values.back()[i] = PatternByte(r.offset + i);
            if (!hf::LinkWrite(r.offset, r.size, values.back().data(), code)) return false;
        }
        return true;
    };
    return queue(TrapTestReads) && queue(SpeedRead) && hf::LinkProcess(code);
}

struct Kind {
    const char* label = "";
    std::function<bool()> exchange;
    std::function<bool()> verify;
    std::vector<double> samples;  // this repetition: us per exchange
    double own = 0;               // this repetition: us outside SendMessageTimeoutA, summed
    Spread total;                 // the median exchange of each repetition
    Spread outside;               // the mean time outside the send of each repetition
};

// One exchange of the kind, timed on its own.
bool TimeOne(Kind& kind, hf::bench::TimingLinkPort& port) {
    const std::int64_t sendBefore = port.sendTicks;
    const Stopwatch watch;
    if (!kind.exchange()) return Fail(kind.label);
    const std::int64_t elapsed = watch.ticks();
    kind.samples.push_back(Stopwatch::Microseconds(elapsed));
    kind.own += Stopwatch::Microseconds(elapsed - (port.sendTicks - sendBefore));
    return true;
}

double Median(std::vector<double> values) { return Spread{std::move(values)}.median(); }

void PrintRatio(const char* what, const Kind& link, const Kind& hand) {
    std::printf("ratio LinkProcess / hand-made, %s: %.3f (medians), %.3f (minimums)\n", what,
                link.total.median() / hand.total.median(), link.total.min() / hand.total.min());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = hf::bench::CountArgument(argc, argv, 1, 300);
    const int repetitions = hf::bench::CountArgument(argc, argv, 2, 9);
    if (rounds == 0 || repetitions == 0) return 2;
    hf::bench::TimingLinkPort port;
    const hf::bench::InstalledPort installed(port);
    std::uint32_t code = 0;
    if (!hf::LinkOpen(0, code)) {
        Fail("open", code);
        return 1;
    }
    if (!WritePattern()) {
        Fail("writing the values");
        return 1;
    }

    const hf::WindowHandle server = hf::Link().ServerWindow;
    const std::uint32_t message = hf::Link().ServerMessage;
    HandBlock handOne(SpeedRead);
    HandBlock handTen(TrapTestReads);
    if (!handOne.open(2) || !handTen.open(3)) {
        Fail("blocks of its own");
        return 1;
    }
    LinkExchange linkOne(SpeedRead);
    LinkExchange linkTen(TrapTestReads);

    auto kind = [](const char* label, std::function<bool()> exchange,
                   std::function<bool()> verify) {
        Kind k;
        k.label = label;
        k.exchange = std::move(exchange);
        k.verify = std::move(verify);
        return k;
    };
    auto nullRoundTrip = [&] {
        std::uintptr_t reply = 0;
        return port.SendMessageTimeoutA(server, WM_NULL, 0, 0, 2000, &reply) != 0;
    };
    std::array<Kind, 5> kinds = {
        kind("WM_NULL, no block", nullRoundTrip, [] { return true; }),
        kind("hand-made, 1 read", [&] { return handOne.exchange(port, server, message); },
             [&] { return handOne.answersMatch(); }),
        kind("LinkProcess, 1 read", [&] { return linkOne.exchange(); },
             [&] { return linkOne.answersMatch(); }),
        kind("hand-made, 10 reads", [&] { return handTen.exchange(port, server, message); },
             [&] { return handTen.answersMatch(); }),
        kind("LinkProcess, 10 reads", [&] { return linkTen.exchange(); },
             [&] { return linkTen.answersMatch(); }),
    };

    // Round by round every kind makes one exchange, in turn (the order reversed every other
    // round), so a change in the machine's load falls on all of them alike.
    auto repetition = [&](int count) {
        for (Kind& kind : kinds) kind.samples.clear(), kind.own = 0;
        for (int round = 0; round < count; ++round) {
            for (std::size_t i = 0; i < kinds.size(); ++i)
                if (!TimeOne(kinds[round % 2 == 0 ? i : kinds.size() - 1 - i], port)) return false;
        }
        for (Kind& kind : kinds) {
            if (!kind.verify()) return Fail("answers differ from the values written");
        }
        return true;
    };
    if (!repetition(rounds / 10 + 1)) return 1;  // warm-up
    for (int rep = 0; rep < repetitions; ++rep) {
        if (!repetition(rounds)) return 1;
        for (Kind& kind : kinds) {
            kind.total.values.push_back(Median(kind.samples));
            // A mean, as these few ticks of the counter are too coarse for a median.
            kind.outside.values.push_back(kind.own / rounds);
        }
    }
    hf::LinkClose();

    hf::bench::PrintTableHead(repetitions, rounds, "exchanges of each kind", "exchange");
    for (const Kind& kind : kinds) hf::bench::PrintTableRow(kind.label, kind.total, kind.outside);
    PrintRatio("1 read", kinds[2], kinds[1]);
    PrintRatio("10 reads", kinds[4], kinds[3]);
    std::printf("client's own cost per exchange, 10 reads: %.2f us (LinkProcess), %.2f us (hand-made), "
                "%.2f us (the stopwatch alone, WM_NULL)\n",
                kinds[4].outside.median(), kinds[3].outside.median(), kinds[0].outside.median());
    return 0;
}
