// The trap gates: once a second, whether the trap test runs.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::tmrIsCatchCheckNeededForNormalTrappingTimer(TObject*) {}

// Filled by its own operation.
void TFormMain::tmrIsCatchCheckNeededForForcedTrappingTimer(TObject*) {}

}  // namespace hf
