// Fuel transfers.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::actFuelLoadExecute(TObject*) {}

// Filled by its own operation.
void TFormMain::actFuelOFFloadExecute(TObject*) {}

// Filled by its own operation.
void TFormMain::actFuelRateToggleExecute(TObject*) {}

// Filled by its own operation.
void TFormMain::tmrFuelOpsTimer(TObject*) {}

}  // namespace hf
