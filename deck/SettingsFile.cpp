#include "deck/SettingsFile.h"

#include <algorithm>
#include <stdexcept>

#include "deck/Profile.h"
#include "host/Cp1252Case.h"
#include "lang/HFastResourceStrings.h"
#include "ui/Controls.h"

namespace hf {

std::string FormatWithText(std::string_view pattern, std::string_view text) {
    std::string result(pattern);
    const std::size_t at = result.find("%s");
    if (at != std::string::npos) result.replace(at, 2, text);
    return result;
}

void WriteSetting(Profile& settings, std::string_view shownPath, std::string_view section,
                  std::string_view key, std::string_view value) {
    WriteSettings(settings, shownPath, {{section, key, std::string(value)}});
}

void WriteSettings(Profile& settings, std::string_view shownPath, const std::vector<ProfileEntry>& entries) {
    try {
        settings.WriteStrings(entries);
    } catch (const ProfileWriteError&) {
        throw SettingsWriteError(FormatWithText(rs::UnableToWrite, shownPath));
    }
}

int FindEntryIgnoringCase(const TComboBox& combo, std::string_view name) {
    const auto& items = combo.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (EqualIgnoringCase1252(items[i], name)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace hf
