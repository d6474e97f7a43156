#include "ZonesFixture.h"

#include <fstream>
#include <iterator>

namespace hf::testing {

namespace fs = std::filesystem;

std::string ZoneSection(const std::string& section, const ZoneKeys& changes) {
    ZoneKeys keys = {
        {"CarrierIdent", "CVN-70 Carl Vinson"},
        {"FrontRightCornerLat", "32.600335"},   {"FrontRightCornerLon", "-117.449832"},
        {"FrontLeftCornerLat", "32.600341"},    {"FrontLeftCornerLon", "-117.450151"},
        {"BackRightCornerLat", "32.599659"},    {"BackRightCornerLon", "-117.449849"},
        {"BackLeftCornerLat", "32.599665"},     {"BackLeftCornerLon", "-117.450168"},
        {"DeckAltInFeet", "63"},                {"CableCatchZoneHeightInFeet", "4"},
        {"RunwayHeadingInDegreesMag", "350"},
    };
    for (const auto& [key, value] : changes) keys[key] = value;
    std::string text = "[" + section + "]\r\n";
    for (const auto& [key, value] : keys) {
        if (value) text += key + "=" + *value + "\r\n";
    }
    return text;
}

void ZonesTest::startWith(const std::function<void(TFormMain&)>& beforeCreate) {
    form = std::make_unique<TFormMain>(host, timers, view);
    beforeCreate(*form);
    form->Create();
    form->Show();
}

void ZonesTest::writeFile(const std::string& name, const std::string& text) const {
    folder.write(name, text);
}

std::string ZonesTest::readFile(const std::string& name) const {
    std::ifstream in(folder.path() / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ZonesTest::exists(const std::string& name) const { return fs::exists(folder.path() / name); }

void ZonesTest::type(TEdit& edit, const std::string& text) {
    try {
        edit.SetText(text);
    } catch (const std::exception& error) {
        host.ReportError(error.what());
    }
}

}  // namespace hf::testing
