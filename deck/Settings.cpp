// The settings file and the option setters.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
bool TFormMain::LoadSettings() { return true; }

// Filled by its own operation.
void TFormMain::SaveSettings() {}

// Filled by its own operation.
void TFormMain::SetCatapultSpeedCutoff(std::int32_t) {}

// Filled by its own operation.
void TFormMain::SetCatapultHoldFactor(std::int32_t) {}

// Filled by its own operation.
void TFormMain::SetTimingResolutionFactor(std::int32_t) {}

// Filled by its own operation.
void TFormMain::SetCatapultAccelFactor(double) {}

// Filled by its own operation.
void TFormMain::SetCableCatchAccelFactor(double) {}

// Filled by its own operation.
void TFormMain::edtCatapultCutoffChange(TObject*) {}

// Filled by its own operation.
void TFormMain::edtCatapultHoldFactorChange(TObject*) {}

// Filled by its own operation.
void TFormMain::edtTimingResolutionChange(TObject*) {}

// Filled by its own operation.
void TFormMain::edtAccelFactorChange(TObject*) {}

// Filled by its own operation.
void TFormMain::edtDecelFactorChange(TObject*) {}

// Filled by its own operation.
void TFormMain::lblWhenTrappingAnywhereClick(TObject*) {}

}  // namespace hf
