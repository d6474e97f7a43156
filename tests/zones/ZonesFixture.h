// The window with zone files and a settings file of the test's own in its folder.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "ProgramFixture.h"

namespace hf::testing {

// Key overrides of a zone: a value replaces the key's, nothing removes the key.
using ZoneKeys = std::map<std::string, std::optional<std::string>>;

// A valid zone section (the shipped demo carrier) with the given changes.
std::string ZoneSection(const std::string& section, const ZoneKeys& changes = {});

class ZonesTest : public ProgramTest {
protected:
    // Builds the window, runs the first start and shows it; `beforeCreate` may wrap events.
    void startWith(const std::function<void(TFormMain&)>& beforeCreate);
    void writeFile(const std::string& name, const std::string& text) const;
    std::string readFile(const std::string& name) const;
    bool exists(const std::string& name) const;
    std::string path(const std::string& name) const { return host.programFolderText() + name; }
    // The user's edit, with the view's default error report for what no handler caught.
    void type(TEdit& edit, const std::string& text);
    bool scheduled(const TTimer& timer) const { return timers.Scheduled(timer); }
};

}  // namespace hf::testing
