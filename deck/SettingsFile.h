// The settings file beside the program and the small helpers its readers and writers share.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "deck/Profile.h"

namespace hf {

class TComboBox;

inline constexpr std::string_view SettingsFileName = "Hookfast.INI";
inline constexpr std::string_view DefaultDatFileName = "Hookfast.dat";

// The pattern with its "%s" replaced by the text (the edition's error messages).
std::string FormatWithText(std::string_view pattern, std::string_view text);

// A settings file that could not be written: the edition's "Unable to write to <path>".
class SettingsWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes one key. A write that fails raises SettingsWriteError naming the file by
// `shownPath` (its path as a window shows it); the file keeps what it held before.
void WriteSetting(Profile& settings, std::string_view shownPath, std::string_view section,
                  std::string_view key, std::string_view value);
// Writes the keys with one rewrite of the file; raises as WriteSetting does, and then none
// of them is written.
void WriteSettings(Profile& settings, std::string_view shownPath, const std::vector<ProfileEntry>& entries);

// Position of the combo box entry with that name, compared as the file system compares
// names: every letter of the code page without regard to case, so that ZONÉ.DAT names
// Zoné.dat; -1 when none.
int FindEntryIgnoringCase(const TComboBox& combo, std::string_view name);

}  // namespace hf
