// Catapult arming by hand and automatically, and the flight status.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::actCatapultArmExecute(TObject*) {}

// Filled by its own operation.
void TFormMain::tmrAutoCatArmCheckTimer(TObject*) {}

// Filled by its own operation.
void TFormMain::chkbxAutoCatArmingClick(TObject*) {}

}  // namespace hf
