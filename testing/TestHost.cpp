#include "testing/TestHost.h"

#include <fstream>
#include <stdexcept>

#include "host/DateTime.h"
#include "host/FileMask.h"

namespace hf::testing {

namespace fs = std::filesystem;

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
    workingDirectory_ = fs::current_path().string();
}

void TestHost::Sleep(std::uint32_t ms) {
    sleeps.push_back(ms);
    clock_.advance(ms);
}

void TestHost::Randomize() {
    random_.Seed(fixedSeed ? *fixedSeed : static_cast<std::uint32_t>(clock_.nowMs() * 7919 + 1));
}

std::string TestHost::ProgramFilePath() { return (folder_ / "Hookfast.exe").string(); }

std::string TestHost::programFolderText() const { return (folder_ / "").string(); }

std::vector<std::string> TestHost::ListFiles(const std::string& folder, const std::string& mask) {
    ++listings;
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.starts_with(".")) continue;
        if (hf::MatchesMask(name, mask)) names.push_back(name);
    }
    hf::SortNamesIgnoringCase(names);
    return names;
}

fs::path TestHost::resolve(const std::string& path) const {
    // The program names files the Windows way ("Ops_Sounds\\clip.wav"); relative names are
    // taken against the working directory, as the system does.
    std::string native = path;
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    const fs::path given(native);
    return given.is_absolute() ? given : fs::path(workingDirectory_) / given;
}

bool TestHost::FileExists(const std::string& path) { return fs::is_regular_file(resolve(path)); }

void TestHost::WriteTextFile(const std::string& path, std::string_view contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    out.close();
    if (!out) throw std::runtime_error("Cannot create file \"" + path + "\"");
    writtenFiles.push_back(path);
}

std::unique_ptr<hf::WavePlayer> TestHost::CreateWavePlayer() {
    return std::make_unique<TestWavePlayer>(*this);
}

std::string TestHost::ShortDateText(double dateTime) { return hf::PlainDateText(dateTime); }
std::string TestHost::LongTimeText(double dateTime) { return hf::PlainTimeText(dateTime); }

}  // namespace hf::testing
