#include "ui/MediaPlayer.h"

#include <stdexcept>

namespace hf {

TMediaPlayer::TMediaPlayer(std::string name, HostServices& host)
    : name_(std::move(name)), host_(host) {}

void TMediaPlayer::Open() {
    if (!device_) device_ = host_.CreateWavePlayer();
    device_->Open(fileName_);
}

void TMediaPlayer::Play(bool wait) {
    if (!device_) throw std::runtime_error("The device is not open");
    device_->Play(wait);
}

void TMediaPlayer::Close() {
    if (device_) device_->Close();
}

}  // namespace hf
