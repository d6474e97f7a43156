// A window's text as the view compares it with the model's.
#pragma once

#include <windows.h>

#include <string>

namespace hf {

inline std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace hf
