// The program entry shared by the three editions.
#pragma once

#include <windows.h>

namespace hf {

// Initialises the user-interface library, sets the application title, creates the main
// window (which runs the first start) and runs the message loop until the window closes.
int RunHookfast(HINSTANCE instance);

}  // namespace hf
