// The armed catapult's watch, the launch and the stroke.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::tmrLaunchCheckTimer(TObject*) {}

// Filled by its own operation.
void TFormMain::tmrAccelTimer(TObject*) {}

}  // namespace hf
