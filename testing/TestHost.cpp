#include "testing/TestHost.h"

#include <stdexcept>

#include "host/DateTime.h"
#include "host/FileMask.h"
#include "host/PathText.h"

namespace hf::testing {

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path FromUtf8(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

}  // namespace

class TestWavePlayer final : public hf::WavePlayer {
public:
    explicit TestWavePlayer(TestHost& host) : host_(host) {}

    void Open(const std::string& path) override {
        record("open", path);
        const fs::path full = host_.resolve(path);
        if (host_.failingWaves.count(path) != 0) {
            throw std::runtime_error("The specified device cannot play this file");
        }
        if (!fs::exists(full)) throw std::runtime_error("The specified file was not found");
        if (!host_.volumeHasShortNames && !hf::Utf8ToCp1252(Utf8(full))) {
            throw hf::UnreachablePath("no short form of " + path);
        }
        path_ = path;
    }
    void Play(bool wait) override {
        if (path_.empty()) throw std::runtime_error("The device is not open");
        record(wait ? "play-wait" : "play", path_);
        if (wait) host_.Sleep(host_.clipLengthMs);
    }
    void Close() override {
        if (path_.empty()) return;
        record("close", path_);
        path_.clear();
    }

private:
    void record(const char* action, const std::string& path) {
        host_.waveEvents.push_back({action, path, host_.clock_.nowMs()});
    }

    TestHost& host_;
    std::string path_;
};

TestHost::TestHost(VirtualClock& clock, fs::path programFolder)
    : clock_(clock), folder_(std::move(programFolder)) {
    workingDirectory_ = Utf8(fs::current_path());
}

void TestHost::Sleep(std::uint32_t ms) {
    sleeps.push_back(ms);
    clock_.advance(ms);
}

void TestHost::Randomize() {
    random_.Seed(fixedSeed ? *fixedSeed : static_cast<std::uint32_t>(clock_.nowMs() * 7919 + 1));
}

std::string TestHost::ProgramFilePath() { return Utf8(folder_ / "Hookfast.exe"); }

std::string TestHost::programFolderText() const { return Utf8(folder_ / ""); }

void TestHost::setShortName(const std::string& longName, const std::string& shortName) {
    shortNames_[longName] = shortName;
    files.shortPaths[programFolderText() + shortName] = programFolderText() + longName;
}

hf::FileListing TestHost::ListFiles(const std::string& folder, const std::string& mask) {
    ++listings;
    hf::FileListing listing;
    std::error_code error;
    fs::directory_iterator entries(FromUtf8(folder), error);
    if (error) {
        listing.Unreadable = true;
        return listing;
    }
    for (const auto& entry : entries) {
        const std::string name = Utf8(entry.path().filename());
        if (!entry.is_regular_file() || name.starts_with(".") || !hf::MatchesMask(name, mask)) continue;
        std::optional<std::string> shown = hf::Utf8ToCp1252(name);
        if (!shown && shortNames_.count(name) != 0) shown = shortNames_.at(name);
        if (shown) {
            listing.Names.push_back(std::move(*shown));
        } else {
            ++listing.Unnamed;
        }
    }
    hf::SortNamesIgnoringCase(listing.Names);
    return listing;
}

fs::path TestHost::resolve(const std::string& path) const {
    // The program names files the Windows way ("Ops_Sounds\\clip.wav"); relative names are
    // taken against the working directory, as the system does.
    std::string native = files.realPath(path);
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    const fs::path given = FromUtf8(native);
    return given.is_absolute() ? given : FromUtf8(workingDirectory_) / given;
}

bool TestHost::FileExists(const std::string& path) { return fs::is_regular_file(resolve(path)); }

std::string TestHost::PathOfName(std::string_view name) { return hf::Cp1252ToUtf8(name); }

std::string TestHost::ShownPath(std::string_view path) { return hf::Utf8ToCp1252Shown(path); }

std::unique_ptr<hf::WavePlayer> TestHost::CreateWavePlayer() {
    return std::make_unique<TestWavePlayer>(*this);
}

std::string TestHost::ShortDateText(double dateTime) { return hf::PlainDateText(dateTime); }
std::string TestHost::LongTimeText(double dateTime) { return hf::PlainTimeText(dateTime); }

}  // namespace hf::testing
