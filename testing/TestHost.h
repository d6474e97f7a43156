// Host services for native tests: virtual time, a real program folder in a temporary
// directory whose files a test can make fail, and wave players that only record what they
// were asked to do. Its system is a Western-European Windows: paths are UTF-8, shown names
// Windows-1252, and a volume keeps the short names a test gives it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/HostServices.h"
#include "host/Random.h"
#include "testing/TestFiles.h"
#include "testing/VirtualClock.h"

namespace hf::testing {

class TestHost final : public hf::HostServices {
public:
    // The program file lies in `programFolder`, which the test owns.
    TestHost(VirtualClock& clock, std::filesystem::path programFolder);

    double Now() override { return clock_.localDateTime(); }
    std::uint64_t MonotonicMs() override { return static_cast<std::uint64_t>(clock_.nowMs()); }
    void Sleep(std::uint32_t ms) override;
    void Randomize() override;
    std::uint32_t Random(std::uint32_t range) override { return random_.Next(range); }
    std::string ProgramFilePath() override;
    hf::FileListing ListFiles(const std::string& folder, const std::string& mask) override;
    bool FileExists(const std::string& path) override;
    hf::FileSystem& Files() override { return files; }
    std::string WorkingDirectory() override { return workingDirectory_; }
    void SetWorkingDirectory(const std::string& folder) override { workingDirectory_ = folder; }
    std::string PathOfName(std::string_view name) override;
    std::string ShownPath(std::string_view path) override;
    std::unique_ptr<hf::WavePlayer> CreateWavePlayer() override;
    void SetHourglassCursor(bool busy) override { cursorChanges.push_back(busy); }
    void ReportError(const std::string& message) override { errors.push_back(message); }
    std::string ShortDateText(double dateTime) override;
    std::string LongTimeText(double dateTime) override;

    const std::filesystem::path& programFolder() const { return folder_; }
    // The program file is in another folder from now on (before the window is made).
    void setProgramFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    // The folder as the program sees it: with a trailing delimiter, in UTF-8.
    std::string programFolderText() const;
    // The volume keeps `shortName` as the short name of the program folder's file `longName`
    // (both UTF-8): the listing offers it for a long name the code page cannot write, and
    // the file opens under it.
    void setShortName(const std::string& longName, const std::string& shortName);

    // The settings and zone files, with their faults.
    TestFiles files;
    // Draws follow this seed instead of the clock.
    std::optional<std::uint32_t> fixedSeed;
    // Paths (as given to Open) whose opening fails with a device error.
    std::set<std::string> failingWaves;
    // The volume keeps short names: a wave path that the code page cannot write reaches the
    // device in its short form. Without them the device cannot be given such a path.
    bool volumeHasShortNames = true;
    // How long a clip plays when the caller waits for its end.
    std::uint32_t clipLengthMs = 1500;

    // --- records ----------------------------------------------------------------------------
    struct WaveEvent {
        std::string action;  // "open", "play", "play-wait", "close"
        std::string path;
        std::int64_t timeMs = 0;
    };
    std::vector<WaveEvent> waveEvents;
    std::vector<bool> cursorChanges;  // true = hourglass, false = default
    std::vector<std::string> errors;  // default error reports
    std::vector<std::uint32_t> sleeps;
    int listings = 0;                 // folder listings made

private:
    friend class TestWavePlayer;

    // A path as the program gives it, as a path of this machine.
    std::filesystem::path resolve(const std::string& path) const;

    VirtualClock& clock_;
    std::filesystem::path folder_;
    std::string workingDirectory_;
    std::map<std::string, std::string> shortNames_;  // long name -> short name
    hf::UniformRandom random_;
};

}  // namespace hf::testing
