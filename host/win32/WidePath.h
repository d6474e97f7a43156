// The program's UTF-8 paths as the wide (UTF-16) Win32 functions take them, and back.
#pragma once

#include <string>
#include <string_view>

#include "host/PathText.h"

namespace hf {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Win32 wide functions take UTF-16");

inline std::wstring WidePath(std::string_view path) {
    const std::u16string wide = Utf8ToUtf16(path);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Utf8Path(std::wstring_view path) {
    return Utf16ToUtf8(std::u16string(path.begin(), path.end()));
}

}  // namespace hf
