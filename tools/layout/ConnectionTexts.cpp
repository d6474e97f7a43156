// hf_connection_texts_<edition>: the texts the connection label shows when the operating
// system refuses one of the link's objects (the registered message, the atom, the shared
// block, its view). A stand-in window cannot cause these, so the program runs headless here
// against the in-process stand-in with each refusal, and prints what the label then holds,
// one "lblConnectionInfo TAB text" a line in the edition's bytes, for hflayout to measure in
// the real label.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "link/SimLink.h"
#include "sim/InProcessLinkPort.h"
#include "sim/ServerCore.h"
#include "testing/HeadlessTimers.h"
#include "testing/TestHost.h"
#include "testing/VirtualClock.h"
#include "ui/FormHookfast.h"
#include "ui/View.h"

namespace {

using hf::sim::Faults;

std::string LabelAfterStart(void (*refuse)(Faults&), const std::filesystem::path& folder) {
    hf::testing::VirtualClock clock;
    hf::sim::ServerCore core;
    core.setClock([&clock] { return clock.nowMs(); });
    hf::sim::InProcessLinkPort port(core, clock);
    refuse(port.faults);
    hf::SetLinkPort(&port);
    hf::testing::TestHost host(clock, folder);
    hf::testing::HeadlessTimers timers(clock);
    hf::HeadlessView view;
    std::string label;
    {
        hf::TFormMain form(host, timers, view);
        form.Create();
        label = form.lblConnectionInfo.Caption();
    }
    hf::LinkClose();
    hf::SetLinkPort(nullptr);
    return label;
}

}  // namespace

int main() {
    std::random_device entropy;
    const auto folder = std::filesystem::temp_directory_path() / ("hf_texts_" + std::to_string(entropy()));
    std::filesystem::create_directories(folder);
    void (*const refusals[])(Faults&) = {
        [](Faults& f) { f.registerMessageFails = true; },
        [](Faults& f) { f.atomFails = true; },
        [](Faults& f) { f.mappingFails = true; },
        [](Faults& f) { f.viewFails = true; },
    };
    for (auto refuse : refusals) {
        const std::string label = LabelAfterStart(refuse, folder);
        std::printf("lblConnectionInfo\t%s\n", label.c_str());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
