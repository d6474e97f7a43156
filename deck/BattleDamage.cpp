// Battle damage at three levels.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::actBattleDamage1Execute(TObject*) {}

// Filled by its own operation.
void TFormMain::actBattleDamage2Execute(TObject*) {}

// Filled by its own operation.
void TFormMain::actBattleDamage3Execute(TObject*) {}

}  // namespace hf
