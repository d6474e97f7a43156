// Hot keys: the interface module's hot-key slots, their registration, release and poll.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
void TFormMain::RegisterHotKeys() { HotKeysRegistered = true; }

// Filled by its own operation.
void TFormMain::ReleaseHotKeys() { HotKeysRegistered = false; }

// Filled by its own operation.
void TFormMain::tmrKeystrokeTimer(TObject*) {}

// The server sets the top byte of a slot to 1 when its combination has been pressed.
bool TFormMain::IsHotKeyPressed(std::uint32_t slotValue) const { return (slotValue >> 24) == 1; }

// Filled by its own operation.
void TFormMain::rdgrpCtrlKeysClick(TObject*) {}

}  // namespace hf
