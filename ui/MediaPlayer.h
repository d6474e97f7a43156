// A wave-audio player without buttons: a file name and the device it opens.
#pragma once

#include <memory>
#include <string>

#include "host/HostServices.h"
#include "ui/Controls.h"

namespace hf {

class TMediaPlayer : public TObject {
public:
    TMediaPlayer(std::string name, HostServices& host);

    const std::string& Name() const { return name_; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

    // Opens FileName on the wave-audio device; throws with the device's text on failure.
    void Open();
    // Plays from the current position, waiting for the end or not; throws on failure.
    void Play(bool wait);
    void Close();

private:
    std::string name_;
    HostServices& host_;
    std::string fileName_;
    std::unique_ptr<WavePlayer> device_;
};

}  // namespace hf
