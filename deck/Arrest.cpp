// The arrest and trapping anywhere.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::tmrDecelTimer(TObject*) {}

// Filled by its own operation.
void TFormMain::tmrMovingCarrierDecelTimer(TObject*) {}

}  // namespace hf
