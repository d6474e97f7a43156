// The whole program headless: TFormMain in virtual time against the in-process stand-in,
// with a program folder of its own in a temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"
#include "sim/ServerCore.h"
#include "testing/HeadlessTimers.h"
#include "testing/TestHost.h"
#include "testing/VirtualClock.h"
#include "ui/FormHookfast.h"
#include "ui/ToolbarForm.h"
#include "ui/View.h"

namespace hf::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& contents = "RIFF") const;

private:
    std::filesystem::path path_;
};

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    ~ProgramTest() override;

    // Creates the window (the first start runs) and shows it, as the program entry does.
    void startProgram();
    // Pilot messages the stand-in showed, as (text, seconds).
    std::vector<std::pair<std::string, int>> messages() const;
    std::vector<std::pair<std::string, int>> messagesSince(std::int64_t ms) const;

    TempFolder folder;
    VirtualClock clock;
    hf::sim::ServerCore core;
    hf::sim::InProcessLinkPort port{core, clock};
    TestHost host{clock, folder.path()};
    HeadlessTimers timers{clock};
    HeadlessView view;
    std::unique_ptr<TFormMain> form;
};

}  // namespace hf::testing
