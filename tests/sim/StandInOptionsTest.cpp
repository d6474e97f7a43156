// The command line of fsstandin.exe.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/StandInOptions.h"

using hf::sim::parseStandInOptions;

TEST(StandInOptions, ParsesEveryOptionAndAppliesItToTheCore) {
    const std::vector<std::string> args = {
        "--class", "both", "--version", "0x19980005", "--sim", "7", "--reply", "2",
        "--delay-ms", "2500", "--poke", "0x0AEC=2:2", "--poke", "0x0B78=40",
        "--text", "0x3D00=Jet = fast", "--log", "Z:\\x\\log.jsonl", "--quit-after", "0",
        "--scenario", "Z:\\s\\hooked-approach.txt", "--trace", "Z:\\x\\trace.csv",
        "--signal-dir", "Z:\\tmp\\signals"};
    std::string error;
    auto o = parseStandInOptions(args, error);
    ASSERT_TRUE(o) << error;
    EXPECT_TRUE(o->uipcWindow);
    EXPECT_TRUE(o->fs98Window);
    EXPECT_EQ(o->delayMs, 2500u);
    EXPECT_EQ(o->logPath, "Z:\\x\\log.jsonl");
    EXPECT_EQ(o->quitAfterSeconds, 0u);
    EXPECT_EQ(o->scenarioPath, "Z:\\s\\hooked-approach.txt");
    EXPECT_EQ(o->tracePath, "Z:\\x\\trace.csv");
    EXPECT_EQ(o->signalDir, "Z:\\tmp\\signals");

    hf::sim::ServerCore core;
    core.poke<std::uint32_t>(0x0AEC, 0xFFFFFFFF);
    hf::sim::applyStandInOptions(*o, core);
    EXPECT_EQ(core.peek<std::uint32_t>(0x3304), 0x19980005u);
    EXPECT_EQ(core.peek<std::uint32_t>(0x3308), 0xFADE0007u);
    EXPECT_EQ(core.replyOverride, 2u);
    EXPECT_EQ(core.peek<std::uint32_t>(0x0AEC), 0xFFFF0002u);  // two bytes only
    EXPECT_EQ(core.peek<std::uint32_t>(0x0B78), 40u);
    std::array<char, 12> title{};
    core.peekBytes(0x3D00, title.data(), title.size());
    EXPECT_STREQ(title.data(), "Jet = fast");
}

TEST(StandInOptions, RefusesBadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {"--class", "FS2004"}, {"--version"},          {"--version", "12abc"},
        {"--version", "-1"},   {"--sim", "0x10000"},   {"--poke", "0x10000=1"},
        {"--poke", "0x100=256:1"}, {"--poke", "0x100=1:3"}, {"--poke", "0x100"},
        {"--frobnicate", "1"}, {"--reply", "0x100000000"}, {"--trace", "t.csv"},
        {"--scenario"}};
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parseStandInOptions(args, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}
