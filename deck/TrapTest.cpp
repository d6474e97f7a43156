// The trap test: has the aircraft caught the cables?
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::tmrCheckForCatchTimer(TObject*) {}

}  // namespace hf
