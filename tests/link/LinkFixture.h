// A link in front of the in-process stand-in, in virtual time.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"
#include "sim/ServerCore.h"
#include "testing/VirtualClock.h"

class LinkTest : public ::testing::Test {
protected:
    LinkTest() {
        core.setClock([this] { return clock.nowMs(); });
        hf::SetLinkPort(&port);
    }
    ~LinkTest() override {
        hf::LinkClose();
        hf::SetLinkPort(nullptr);
    }

    // Opens the link and forgets what the opening did, so a test sees only its own calls.
    void open() {
        std::uint32_t code = 99;
        ASSERT_TRUE(hf::LinkOpen(0, code));
        ASSERT_EQ(code, hf::LinkOk);
        port.clearRecords();
        core.clearRecords();
    }

    std::uint32_t u32At(std::uint32_t blockOffset) const {
        std::uint32_t v;
        std::memcpy(&v, hf::Link().ViewBase + blockOffset, sizeof v);
        return v;
    }
    std::uint32_t queuedBytes() const {
        return static_cast<std::uint32_t>(hf::Link().NextRequest - hf::Link().ViewBase);
    }

    hf::testing::VirtualClock clock;
    hf::sim::ServerCore core;
    hf::sim::InProcessLinkPort port{core, clock};
};
