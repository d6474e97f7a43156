#include "ExpectedTexts.h"

namespace hf::testing {

const ExpectedTexts Expected = {
    "Hookfast v2.6 Freeware for FS2004/X",
    "FSUIPC/WideClient not currently available -- Is FS running?",
    "Program only works with FS2004/X -- Connection Aborted",
    "Program only works with FSUIPC 2.83 or later -- Connection Aborted",
    "FSX connection status : Okay,  FSUIPC Ver : 3.999z",
    "Hookfast enabled",
    "Hookfast deactivated",
    "HFast disabled while resetting",
    "not found",
    "Sound files found",
    "  &FLIGHT STATUS  ",
    "SHIFT+<key>",
};

}  // namespace hf::testing
