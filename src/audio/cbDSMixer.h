#pragma once
// The streaming back-end of the player slots: one mixer per output device
// and on it one streaming channel per player. A channel decodes its file
// through TcbAudioFileReader into a 4 000 ms ring that a refill thread of its
// own tops up every tenth of the ring; the device's callback plays the ring.
#include "audio/cbAudioFileRead.h"
#include "platform/audio/AudioFormat.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace platform {
class Channel;
class OutputDevice;
}  // namespace platform

class TcbDSMixerChannel;

enum TacahBitsPerSample { bs8Bit, bs16Bit };
enum TacahLevel { lNormal, lPriority, lExclusive };

// A sound device or buffer call that failed.
class EDirectXError : public std::runtime_error {
public:
    EDirectXError(const QString& message, uint32_t code);
    QString Message() const { return QString::fromUtf8(what()); }
    uint32_t ErrorCode;
};

constexpr uint32_t kDSErrUninitialized = 0x887800AA;
constexpr uint32_t kDSErrOutOfMemory = 0x8007000E;

class TcbDSMixer {
public:
    explicit TcbDSMixer(QObject* AOwner = nullptr);
    virtual ~TcbDSMixer();
    TcbDSMixer(const TcbDSMixer&) = delete;
    TcbDSMixer& operator=(const TcbDSMixer&) = delete;

    TacahBitsPerSample BitsPerSample() const { return bitsPerSample_; }
    void SetBitsPerSample(TacahBitsPerSample v) { bitsPerSample_ = v; }
    bool Stereo() const { return stereo_; }
    void SetStereo(bool v) { stereo_ = v; }
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    TacahLevel Level() const { return level_; }
    void SetLevel(TacahLevel v) { level_ = v; }
    int SpeakerConfig() const { return speakerConfig_; }
    // Kept; Linux devices have no speaker configuration to apply.
    void SetSpeakerConfig(int v) { speakerConfig_ = v; }

    int Device() const { return device_; }
    // Taken only for an index of the enumerated output devices.
    void SetDevice(int index);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }

    // Opens the device (when enabled and not open yet); channels call it on
    // their first buffer.
    void Open();
    // Releases every channel's buffer and the device.
    void Close();
    bool IsOpen() const { return output_ != nullptr; }
    std::shared_ptr<platform::OutputDevice> Output() const { return output_; }

    void AddChannel(TcbDSMixerChannel* ch);
    void RemoveChannel(TcbDSMixerChannel* ch);
    int ChannelCount() const { return int(channels_.size()); }

    // Output devices: descriptions and identifiers (the default device, entry
    // 0, has an empty identifier); capture devices likewise.
    static QStringList DeviceDescriptions();
    static QStringList DeviceIds();
    static QStringList CaptureDescriptions();
    static QStringList CaptureIds();

protected:
    // Called after the device is opened and after it is released.
    virtual void DeviceCreated() {}
    virtual void DeviceReleased() {}

private:
    TacahBitsPerSample bitsPerSample_ = bs16Bit;
    bool stereo_ = true;
    int frequency_ = 44100;
    TacahLevel level_ = lPriority;
    int speakerConfig_ = 4;
    int device_ = 0;
    bool enabled_ = true;
    std::shared_ptr<platform::OutputDevice> output_;
    std::vector<TcbDSMixerChannel*> channels_;
};

// One slot: a byte range of the channel's stream (the 64-bit count of bytes
// written to the ring, which never wraps) and the stream times written there.
struct TPositionTime {
    int64_t BufStart = 0, BufEnd = 0;
    int64_t StreamStart = 0, StreamEnd = 0;  // 100-ns units
};

class TPositionTimes {
public:
    static constexpr int kSlots = 50;
    void Add(int64_t bufStart, int64_t bufEnd, int64_t streamStart, int64_t streamEnd);
    void Clear();
    bool Empty() const { return count_ == 0; }
    // The stream time (100-ns) playing at `cursor`; false when nothing is recorded.
    bool Lookup(int64_t cursor, int64_t& time) const;

private:
    std::array<TPositionTime, kSlots> items_{};
    int next_ = 0;
    int count_ = 0;
};

// The channel's lock: taken for at most a bounded wait, then given up.
// Built on a plain mutex and condition so that ThreadSanitizer sees every
// hand-over (it does not follow pthread's timed locks). Nobody holds it
// across a file read.
class TChannelLock {
public:
    bool try_lock();
    bool try_lock_for(std::chrono::milliseconds wait);
    void lock();
    void unlock();

private:
    std::mutex m_;
    std::condition_variable free_;
    bool held_ = false;
    int waiting_ = 0;  // wakes only when someone waits
};

// One read of the refill: taken under the channel lock, done without it, so
// that a slow disk holds up only the refill and never the channel's control.
struct TRefillJob {
    std::shared_ptr<TcbAudioFileReader> reader;
    uint64_t generation = 0;
    int64_t seekTo = -1;  // 100-ns units; made before the read
    int want = 0;
    int got = 0;
    int64_t sampleStart = 0, sampleEnd = 0;
    // Seeks and reads into `scratch` (at least `want` bytes); a read error
    // ends the data there.
    void Run(unsigned char* scratch);
};

// A file opened, positioned and its first blocks decoded ahead of its start,
// on a worker: a channel takes it over without touching the disk, so the
// start of an element costs the caller no read and no decoding.
struct TPreparedFile {
    // Its file, when nobody took it, is closed on the release worker.
    ~TPreparedFile();
    QString fileName;
    std::shared_ptr<TcbAudioFileReader> reader;
    int64_t startMs = 0;              // where it was positioned
    std::vector<unsigned char> data;  // decoded from there
    int want = 0;                     // asked for; data.size() < want: the data ended
    int64_t sampleStart = 0, sampleEnd = 0;  // their stream times, 100-ns
};
// Opens `fileName`, seeks to `startMs` and decodes `prefillMs` from there.
// Raises what TcbDSMixerChannel::Open raises for a file it cannot play.
std::shared_ptr<TPreparedFile> PrepareAudioFile(const QString& fileName, int64_t startMs,
                                                int prefillMs = 200);

class TcbUpdateChannelThread {
public:
    // How long destroying a channel waits for a read under way; a thread
    // still reading then is left to finish on its own and never touches the
    // channel again.
    static constexpr std::chrono::milliseconds kTerminateWait{250};

    TcbUpdateChannelThread(TcbDSMixerChannel* channel, int periodMs);
    ~TcbUpdateChannelThread();  // Terminate()
    // Ends the thread; safe to call twice.
    void Terminate();
    // Ends the thread without waiting when it is in a read (stuck on a
    // disk): it finishes that read on its own and never touches the channel
    // again. False, and nothing changed, when it is not in a read. Callable
    // under the channel's lock.
    bool Abandon();
    void Enable();
    void Disable();
    bool Enabled() const;
    int Period() const { return period_; }

private:
    struct Core;
    static void Execute(std::shared_ptr<Core> core);
    const int period_;
    std::shared_ptr<Core> core_;
    std::thread thread_;
};

class TcbDSMixerChannel {
public:
    // Read on the calling thread when play starts: enough for the first
    // blocks of any device; the refill thread fills the rest of the ring.
    static constexpr int kPrefillMs = 200;

    explicit TcbDSMixerChannel(TcbDSMixer* mixer);
    virtual ~TcbDSMixerChannel();
    TcbDSMixerChannel(const TcbDSMixerChannel&) = delete;
    TcbDSMixerChannel& operator=(const TcbDSMixerChannel&) = delete;

    // Opens a file (stopping first); an empty name only closes. Raises
    // EAudioReadError and "Audio file is empty.", "Invalid number of
    // channels.", "Invalid number of bits per sample.".
    void Open(const QString& fileName);
    // Takes over a prepared file, positioned at its start: no seek is
    // needed, and Play plays its decoded blocks before reading anything.
    void OpenPrepared(std::shared_ptr<TPreparedFile> prepared);
    void Play();
    void Stop();
    void SetPosition(int64_t ms);
    int64_t GetPosition();
    // Hundredths of a decibel, -10 000 (silence) to 0 (full level).
    void SetVolume(int v);
    void SetPan(int p);
    void SetStartPos(int64_t ms);
    void SetEndPos(int64_t ms);

    // Never wait on the channel lock, so a busy lock cannot make a playing
    // channel look stopped.
    uint8_t State() const { return state_.load(); }
    int Volume() const { return volume_.load(); }
    int Pan() const { return pan_; }
    QString FileName() const;
    int64_t Length() const { return length_.load(); }
    int64_t StartPos() const { return startMs_; }
    int64_t EndPos() const { return endMs_; }

    int BufferLength() const { return bufferLength_; }
    int64_t BufferSize() const { return bufferSize_; }
    int64_t Threshold() const { return threshold_; }
    QString MutexName() const;
    TcbDSMixer* Mixer() const { return mixer_; }
    uint64_t Underruns() const;
    // While playing: how long the device has had nothing of this channel to
    // play (the refill held up by a disk that does not answer); 0 otherwise.
    int64_t StarvedMs();

    // Called on the GUI thread once the channel stopped at the end of its data.
    std::function<void()> OnEnd;

    // What the refill thread does each period, done now on the calling
    // thread after any read of the refill thread under way (tests drive a
    // stepped device with it).
    void UpdateNow();

    // The mixer is closing: give back the ring and the device.
    void ReleaseBuffer();

private:
    friend class TcbUpdateChannelThread;
    bool TryLock();
    // The lock, with no read of the current reader under way; waits at most
    // the lock's bounded time.
    bool TryLockIdleReader();
    void Unlock();
    // Under the lock: the next read the ring needs, or false (nothing to
    // read, or the end of play found and handled).
    bool BeginRefill(TRefillJob& job);
    // Takes the lock and publishes what the job read.
    void EndRefill(const TRefillJob& job, const unsigned char* data);
    void ApplyJob(const TRefillJob& job, const unsigned char* data);  // under the lock
    bool ReaderBusy() const { return reader_ && busyReader_ == reader_.get(); }
    void FlushSeek();
    void Prefill();
    int NextWaitMs() const;
    void NoteTimeToEnd();
    void CreateBuffer();
    void DetachLocked();
    void ReadyRingLocked();
    void ReleaseBufferLocked();
    void ReleaseReaderLocked();
    void TakeReaderLocked(std::shared_ptr<TcbAudioFileReader> reader);
    void WriteSilence(int64_t count);
    void StopLocked();
    void PostEnd();
    void ApplyPositions();
    int64_t ClampTime(int64_t t) const;  // as the reader clamps a seek
    int64_t ComputePosition();

    TcbDSMixer* mixer_;
    std::shared_ptr<platform::OutputDevice> output_;
    std::unique_ptr<platform::Channel> buffer_;
    // The ring left the mix at detachMark_ and was not emptied since (a
    // pass may still be mixing it until the device has rendered since).
    bool detached_ = false;
    uint64_t detachMark_ = 0;
    QString fileName_;
    mutable std::mutex nameMutex_;  // fileName_ is read without the channel lock
    bool prefilled_ = false;
    bool ending_ = false;
    int rate_ = 0, channels_ = 0, bits_ = 0, blockAlign_ = 0;
    std::atomic<int64_t> length_{0};
    int64_t startMs_ = 0, endMs_ = 0;
    int bufferLength_ = 4000;
    int64_t bufferSize_ = 0, threshold_ = 0;
    std::atomic<int> volume_{0};
    int pan_ = 0;
    std::atomic<int64_t> endPosition_{-1};  // ring byte count where the data ends
    std::atomic<int> msToEnd_{-1};          // as last seen; -1 while unknown
    int64_t lastStreamEnd_ = 0;
    // The reader is shared with a refill job under way, which may outlive
    // the channel's interest in it (a new file, or the channel destroyed).
    std::shared_ptr<TcbAudioFileReader> reader_;
    const TcbAudioFileReader* busyReader_ = nullptr;  // read by the refill thread now
    uint64_t generation_ = 0;  // a job of an older generation is thrown away
    int64_t pendingSeek_ = -1;  // 100-ns; made by whoever reads next
    int64_t durationTime_ = 0, startTime_ = 0, endTime_ = 0;  // the reader's, 100-ns
    int64_t idleTime_ = 0;      // where play starts next (100-ns)
    int64_t playFrom_ = 0;      // where the current play started (100-ns)
    std::shared_ptr<TPreparedFile> prepared_;  // decoded blocks the next Play starts with
    std::atomic<uint8_t> state_{0};
    std::atomic<int64_t> lastPosition_{0};
    TPositionTimes positions_;
    std::vector<unsigned char> scratch_;  // the calling thread's reads
    TChannelLock lock_;
    int mutexNumber_ = -1;
    std::unique_ptr<QObject> notifier_;  // lives on the GUI thread; receives end of play
    std::unique_ptr<TcbUpdateChannelThread> thread_;
};
