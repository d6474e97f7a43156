// The frame of a form's window (its class and styles, whether it is the main window) and the
// style every control window has.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Form.h"

namespace hf {

inline bool IsMainForm(const TForm& form) { return form.Owner() == nullptr; }

inline std::string WindowClassOf(const TForm& form) { return "T" + form.Name(); }

// The main window has a fixed single border; the toolbar is sizeable without border icons.
inline DWORD FormStyle(const TForm& form) {
    return IsMainForm(form) ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                            : WS_POPUP | WS_CAPTION | WS_THICKFRAME;
}

inline DWORD FormExStyle(const TForm& form) { return IsMainForm(form) ? 0 : WS_EX_TOOLWINDOW; }

inline constexpr DWORD ChildStyle = WS_CHILD | WS_CLIPSIBLINGS;

}  // namespace hf
