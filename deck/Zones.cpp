// Catch zones and the zone file: the list of valid zones, the zone-file list and its loading.
#include "ui/FormHookfast.h"

namespace hf {

// Filled by its own operation.
bool TFormMain::InitCatchZoneList() { return true; }

// Filled by its own operation.
bool TFormMain::FillDatFileList() { return true; }

// Filled by its own operation.
bool TFormMain::LoadCatchZones() { return true; }

// Filled by its own operation.
void TFormMain::cmbDatFileChange(TObject*) {}

}  // namespace hf
