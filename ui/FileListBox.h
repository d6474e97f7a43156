// The hidden file list of the main window: the names of a folder's files that match a mask.
// Pointing it at a folder makes that folder the working directory; it reads the folder
// when it is first used and again only after it was pointed at another folder. The folder is
// a path (UTF-8), the names are shown names (host/HostServices.h).
#pragma once

#include <string>
#include <vector>

#include "host/HostServices.h"
#include "ui/Controls.h"

namespace hf {

class TFileListBox : public TControl {
public:
    TFileListBox(TForm& form, TControl* parent, std::string name, HostServices& host);

    const std::string& Mask() const { return mask_; }
    void SetMask(std::string mask);
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& folder);
    // The names, without folder, as the windows show them, in the host's order (by name
    // without regard to case).
    const std::vector<std::string>& Items() { return Listing().Names; }
    // The whole reading: also the files left out for their names and whether the folder
    // could be read at all.
    const FileListing& Listing();

private:
    HostServices& host_;
    std::string mask_ = "*.*";
    std::string directory_;
    FileListing listing_;
    bool read_ = false;
};

}  // namespace hf
