// Manual override and the status line.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::actManualOverrideExecute(TObject*) {}

// Filled by its own operation.
void TFormMain::actShowStatusExecute(TObject*) {}

}  // namespace hf
