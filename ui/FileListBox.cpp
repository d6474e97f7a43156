#include "ui/FileListBox.h"

namespace hf {

TFileListBox::TFileListBox(TForm& form, TControl* parent, std::string name, HostServices& host)
    : TControl(form, parent, ControlKind::FileListBox, std::move(name)), host_(host) {
    SetVisible(false);
}

void TFileListBox::SetMask(std::string mask) {
    if (mask == mask_) return;
    mask_ = std::move(mask);
    read_ = false;
}

void TFileListBox::SetDirectory(const std::string& folder) {
    host_.SetWorkingDirectory(folder);
    if (folder == directory_) return;
    directory_ = folder;
    read_ = false;
}

const FileListing& TFileListBox::Listing() {
    if (!read_) {
        listing_ = host_.ListFiles(directory_, mask_);
        read_ = true;
    }
    return listing_;
}

}  // namespace hf
