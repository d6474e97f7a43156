// The load-failure log goes through the program's one file writer: replaced whole or left
// as it was, whatever the disk does, and a failure reaches the pilot.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "ZonesFixture.h"

namespace hf::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* EarlierLog = "an earlier log\r\n";

class LogFileTest : public ZonesTest {
protected:
    LogFileTest() {
        // The settings name the zone file already: the start writes nothing but the log.
        writeFile("Hookfast.INI", "[General]\r\nLastDatFileUsed=Hookfast.dat\r\n");
        writeFile("Hookfast.dat", ZoneSection("Zone01") + ZoneSection("Zone02", {{"CarrierIdent", ""}}));
        writeFile("HFastDatLoadErrorLog.txt", EarlierLog);
    }
    // Nothing in the folder but what the test put there.
    void expectNoTemporaryFile() const {
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            EXPECT_EQ(name.find('~'), std::string::npos) << name;
        }
    }
};

struct LogFault {
    const char* what;
    std::function<void(TestHost&, const std::string& logPath)> set;
};

TEST_F(LogFileTest, AFailedWriteLeavesTheEarlierLogWholeAndTellsThePilot) {
    const LogFault faults[] = {
        {"full disk", [](TestHost& h, const std::string&) { h.files.faults.diskFull = true; }},
        {"the replace refused", [](TestHost& h, const std::string&) { h.files.faults.replaceRefused = FileReplace::Failed; }},
        {"the log read-only", [](TestHost& h, const std::string& log) { h.files.faults.readOnly.insert(log); }},
        {"held open and not writable in place",
         [](TestHost& h, const std::string&) {
             h.files.faults.replaceRefused = FileReplace::Held;
             h.files.faults.overwriteFails = true;
         }},
    };
    for (const LogFault& fault : faults) {
        SCOPED_TRACE(fault.what);
        host.files.faults = {};
        writeFile("HFastDatLoadErrorLog.txt", EarlierLog);
        fault.set(host, path("HFastDatLoadErrorLog.txt"));
        startProgram();
        EXPECT_EQ(form->lblConnectionInfo.Caption(),
                  "Connection to FSUIPC OK, but...Cannot create file \"" + path("HFastDatLoadErrorLog.txt") + "\"");
        EXPECT_FALSE(form->cmbDatFile.Enabled());
        EXPECT_EQ(readFile("HFastDatLoadErrorLog.txt"), EarlierLog);
        expectNoTemporaryFile();
        form->Close();
    }
}

TEST_F(LogFileTest, TheLogReplacesTheEarlierOneWholeAlsoWhenAnotherProgramHoldsIt) {
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "held open" : "free");
        host.files.faults = {};
        if (held) host.files.faults.replaceRefused = FileReplace::Held;
        writeFile("HFastDatLoadErrorLog.txt", EarlierLog);
        host.files.clearCalls();
        startProgram();
        EXPECT_TRUE(form->cmbDatFile.Enabled()) << form->lblConnectionInfo.Caption();
        const std::string log = readFile("HFastDatLoadErrorLog.txt");
        EXPECT_EQ(log.rfind("HFast .dat load failure log for file : \r\n", 0), 0u) << log;
        EXPECT_NE(log.find("  -- Failed to load Zone #02.\r\n"), std::string::npos);
        EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
        expectNoTemporaryFile();
        // Through the file port: a temporary file on the disk first, then the replace.
        const auto& calls = host.files.calls();
        EXPECT_NE(std::find(calls.begin(), calls.end(), "CreateDurably(HFastDatLoadErrorLog~000)"), calls.end());
        EXPECT_NE(std::find(calls.begin(), calls.end(), "Replace(HFastDatLoadErrorLog~000,HFastDatLoadErrorLog.txt)"),
                  calls.end());
        form->Close();
    }
}

}  // namespace
}  // namespace hf::testing
