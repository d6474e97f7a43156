// Host services on Win32: the system clock, files of the program's folder (the wide
// functions, so a folder named in any letters works), MCI wave audio,
// the screen cursor and a message box for errors nobody caught.
#pragma once

#include "host/HostServices.h"
#include "host/Random.h"
#include "host/SystemFiles.h"
#include "host/TickCount.h"

namespace hf {

class Win32Host final : public HostServices {
public:
    double Now() override;
    std::uint64_t MonotonicMs() override;
    void Sleep(std::uint32_t ms) override;
    void Randomize() override;
    std::uint32_t Random(std::uint32_t range) override { return random_.Next(range); }
    std::string ProgramFilePath() override;
    FileListing ListFiles(const std::string& folder, const std::string& mask) override;
    bool FileExists(const std::string& path) override;
    FileSystem& Files() override { return files_; }
    std::string WorkingDirectory() override;
    void SetWorkingDirectory(const std::string& folder) override;
    std::string PathOfName(std::string_view name) override;
    std::string ShownPath(std::string_view path) override;
    std::unique_ptr<WavePlayer> CreateWavePlayer() override;
    void SetHourglassCursor(bool busy) override;
    void ReportError(const std::string& message) override;
    std::string ShortDateText(double dateTime) override;
    std::string LongTimeText(double dateTime) override;

private:
    SystemFiles files_;
    UniformRandom random_;
    WidenedTickCount ticks_;
};

}  // namespace hf
