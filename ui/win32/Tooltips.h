// Hints: one tooltip window per form, whose tools are the windows that show a hint.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hf {

// The tooltip window of a form (shown for disabled controls too, "&" shown as it is).
HWND CreateTooltip(HINSTANCE instance, HWND form);

// The tooltip shows text over each of the windows; over those of `shown` it no longer shows
// an earlier text. `shown` becomes the windows it now shows the text over.
void ShowHintOver(HWND tooltip, const std::vector<HWND>& windows, const std::string& text,
                  std::vector<HWND>& shown);

// The same for a form's own hint, over its client area; true when the tooltip now has it.
bool ShowFormHint(HWND tooltip, HWND form, const std::string& text, bool shown);

}  // namespace hf
