#pragma once
// The file player of the player slots' second back-end and of the preview
// window: plays one file on an output device chosen by name.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

class TcbDSMixer;
class TcbDSMixerChannel;
struct TPreparedFile;

// Names of the output devices, offered for the player settings.
QStringList RendererNames();

class TBasicPlayer {
public:
    // Plays on the last output device whose name contains deviceName
    // (case-sensitive); on the default device when the text is empty or no
    // name contains it (told once to the device hub's notice handler).
    explicit TBasicPlayer(const QString& deviceName);
    ~TBasicPlayer();
    TBasicPlayer(const TBasicPlayer&) = delete;
    TBasicPlayer& operator=(const TBasicPlayer&) = delete;

    // An empty name stops and unloads. Failures are not reported: the
    // duration is then 0.
    void SetFileName(const QString& name);
    // A file opened, positioned and decoded ahead (PrepareAudioFile): the
    // same as SetFileName and a seek to where it was prepared, reading nothing.
    void SetPrepared(std::shared_ptr<TPreparedFile> prepared);
    void Play();
    void Stop();
    void SetPosition(int64_t ms);
    int64_t GetPosition();
    // Hundredths of a decibel, -10 000 (silence) to 0 (full level).
    void SetVolume(int volume);

    // 1 playing, 0 stopped; only Play and Stop change it: the player does
    // not notice the end of its file by itself.
    uint8_t State() const { return state_; }
    int64_t Duration() const { return duration_; }
    int Volume() const { return volume_; }
    QString FileName() const { return fileName_; }
    int DeviceIndex() const { return deviceIndex_; }
    // How long its device has had nothing of the file to play (a disk that
    // does not answer); 0 while it plays or is stopped.
    int64_t StarvedMs();

private:
    std::unique_ptr<TcbDSMixer> mixer_;
    TcbDSMixerChannel* channel_ = nullptr;  // owned by mixer_
    int deviceIndex_ = 0;
    uint8_t state_ = 0;
    QString fileName_;
    int64_t duration_ = 0;
    int volume_ = 0;
};
