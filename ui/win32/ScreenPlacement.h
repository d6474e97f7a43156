// Where a form's window stands on the screen: its normal (restored) place, whatever state
// it is in, and the place it is shown at.
#pragma once

#include <windows.h>

namespace hf {

// Where the window stands when it is neither minimised nor maximised, in screen coordinates.
RECT NormalRect(HWND window);

// Puts the window at the place (screen coordinates, frame included); a minimised window
// keeps its state and comes back there when restored.
void PlaceWindow(HWND window, const RECT& place);

// Where a window meant for the place is shown: moved the least distance that puts it whole on
// the work area of the monitor it is mostly on (the nearest, if on none), or where it does not
// fit, its top-left corner on that work area.
RECT ShownPlace(const RECT& place);

}  // namespace hf
