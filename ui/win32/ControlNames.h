// Each window of the program carries the model name of its control in this window property
// (a global atom), so that a program in another process can find a control by name. The
// program removes the property and deletes the atom before the window is destroyed.
#pragma once

namespace hf {

inline constexpr const char* ControlNameProperty = "HfName";

}  // namespace hf
