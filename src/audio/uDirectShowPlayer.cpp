#include "audio/uDirectShowPlayer.h"

#include "audio/cbDSMixer.h"
#include "platform/audio/DeviceHub.h"

#include <algorithm>

QStringList RendererNames() { return platform::DeviceHub::instance().outputNames(); }

TBasicPlayer::TBasicPlayer(const QString& deviceName) {
    // A name that matches nothing plays on the default device, and the hub
    // says so.
    deviceIndex_ = platform::DeviceHub::instance().outputForName(deviceName);
    mixer_ = std::make_unique<TcbDSMixer>();
    mixer_->SetDevice(deviceIndex_);
    channel_ = new TcbDSMixerChannel(mixer_.get());
}

TBasicPlayer::~TBasicPlayer() {
    // The mixer frees the channel still registered with it.
    mixer_.reset();
}

void TBasicPlayer::SetFileName(const QString& name) {
    fileName_ = name;
    duration_ = 0;
    try {
        channel_->Open(QString());
        if (name.isEmpty()) {
            state_ = 0;
            return;
        }
        channel_->Open(name);
        channel_->SetVolume(volume_);
        duration_ = channel_->Length();
        if (state_ == 1) channel_->Play();
    } catch (...) {
        duration_ = 0;
    }
}

void TBasicPlayer::SetPrepared(std::shared_ptr<TPreparedFile> prepared) {
    fileName_ = prepared ? prepared->fileName : QString();
    duration_ = 0;
    try {
        channel_->OpenPrepared(std::move(prepared));
        channel_->SetVolume(volume_);
        duration_ = channel_->Length();
        if (state_ == 1) channel_->Play();
    } catch (...) {
        duration_ = 0;
    }
}

void TBasicPlayer::Play() {
    if (state_ == 1) return;
    try {
        if (channel_->Length() > 0) channel_->Play();
    } catch (...) {
    }
    state_ = 1;
}

void TBasicPlayer::Stop() {
    channel_->Stop();
    state_ = 0;
}

void TBasicPlayer::SetPosition(int64_t ms) {
    if (channel_->Length() <= 0) return;
    try {
        // The channel stops when it seeks; a running player runs on.
        channel_->SetPosition(ms);
        if (state_ == 1) channel_->Play();
    } catch (...) {
    }
}

int64_t TBasicPlayer::GetPosition() {
    // At the end of the file the channel has stopped and rewound; the player
    // itself still runs and stands at the end, as a media graph does.
    if (state_ == 1 && channel_->State() == 0 && duration_ > 0) return duration_;
    return channel_->GetPosition();
}

int64_t TBasicPlayer::StarvedMs() { return channel_->StarvedMs(); }

void TBasicPlayer::SetVolume(int volume) {
    volume_ = std::clamp(volume, -10000, 0);
    channel_->SetVolume(volume_);
}
