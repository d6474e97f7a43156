#include "ProgramFixture.h"

#include <fstream>
#include <random>

namespace hf::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device entropy;
    path_ = fs::temp_directory_path() / ("hf_ui_" + std::to_string(entropy()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& name, const std::string& contents) const {
    std::ofstream(path_ / name, std::ios::binary) << contents;
}

ProgramTest::ProgramTest() {
    // The program's folder holds the shipped zone file, as a release folder does.
    fs::copy_file(fs::path(HF_ASSETS_DIR) / "Hookfast.dat", folder.path() / "Hookfast.dat",
                  fs::copy_options::overwrite_existing);
    core.setClock([this] { return clock.nowMs(); });
    SetLinkPort(&port);
}

ProgramTest::~ProgramTest() {
    form.reset();
    LinkClose();
    SetLinkPort(nullptr);
}

void ProgramTest::startProgram() {
    // A second start in one test replaces the window; the old one's link goes first, or the
    // new start would find it open and stop at the connection check.
    if (form) {
        form.reset();
        LinkClose();
    }
    form = std::make_unique<TFormMain>(host, timers, view);
    form->Create();
    form->Show();
}

std::vector<std::pair<std::string, int>> ProgramTest::messages() const {
    return messagesSince(-1);
}

std::vector<std::pair<std::string, int>> ProgramTest::messagesSince(std::int64_t ms) const {
    std::vector<std::pair<std::string, int>> shown;
    for (const auto& message : core.messages()) {
        if (message.timeMs > ms) shown.emplace_back(message.text, message.seconds);
    }
    return shown;
}

}  // namespace hf::testing
