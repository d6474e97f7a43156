// The two forms a file's name takes in the program. A path handed to the host is UTF-8, so
// that a folder named in any letters is reached by its real name; the Win32 host turns it
// into UTF-16 for the wide functions. A name shown in a window, compared or written to the
// settings is in the system's ANSI code page, as the windows' text is. Windows-1252 is the
// code page of the Western-European systems the program was made on; the test host takes it
// as its system's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace hf {

// UTF-8 to UTF-16 and back. A system name may hold a lone surrogate: it travels as the
// three bytes UTF-8 would give it, so every UTF-16 name comes back unchanged. Bytes that are
// no UTF-8 become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// One Windows-1252 byte as its character (the five bytes the code page leaves free are the
// control characters of their number, as the system maps them), and a character as its byte
// when the code page has one.
char32_t Cp1252ToUnicode(unsigned char byte);
std::optional<char> UnicodeToCp1252(char32_t c);

// Windows-1252 text as UTF-8: every byte has its character (the five the code page leaves
// free are taken as the control characters of their number, as the system does).
std::string Cp1252ToUtf8(std::string_view text);
// UTF-8 as Windows-1252 when the code page writes every character of it, exactly.
std::optional<std::string> Utf8ToCp1252(std::string_view text);
// UTF-8 as Windows-1252 for the eye: "?" for each character the code page lacks, never a
// look-alike (an "L" for "Ł" would name another file).
std::string Utf8ToCp1252Shown(std::string_view text);

}  // namespace hf
