// The texts one edition must show, written out here independently of its table.
#pragma once

#include <string>

namespace hf::testing {

struct ExpectedTexts {
    std::string windowTitle;
    std::string noServer;        // code-2 text + " -- " + the question
    std::string wrongSim;
    std::string oldFsuipc;
    std::string fsxStatus;       // for 3.999z
    std::string enabled;
    std::string deactivated;
    std::string resetting;
    std::string soundMissing;    // the "not found" word
    std::string soundsFound;
    std::string tabFlightStatus;
    std::string keyComboShift;
};

extern const ExpectedTexts Expected;

}  // namespace hf::testing
