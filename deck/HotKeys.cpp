// Hot keys: the interface module's hot-key slots, their registration, release and poll.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::RegisterHotKeys() { HotKeysRegistered = true; }

// Filled by its own operation.
void TFormMain::ReleaseHotKeys() { HotKeysRegistered = false; }

// Filled by its own operation.
void TFormMain::tmrKeystrokeTimer(TObject*) {}

// Filled by its own operation.
void TFormMain::rdgrpCtrlKeysClick(TObject*) {}

}  // namespace hf
