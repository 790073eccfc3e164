#pragma once
// Lists the sound devices by name and opens one output stream per physical
// device, shared by every channel routed to it. A sound card's stream, once
// opened, stays open for the whole run: players come and go per element, the
// stream does not.
//
// Entry 0 of each list is the default device. A card is opened at a rate it
// takes (its own default first; the channels resample to it). A card that
// will not open is never replaced in silence: its channels wait on it, the
// hub reports it and tries it again every few seconds, and a stream whose
// callback stops is reopened. The virtual device (samples consumed in real
// time, or stepped by a test) plays only where it is asked for: with
// TOLVANE_AUDIO=virtual, through its own entry at the end of the list, or on
// a machine without any sound device.
#include "platform/audio/AudioFormat.h"
#include "platform/audio/OutputDevice.h"

#include <QSet>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

class VirtualDevice;
class PortAudioOutput;
class InputDevice;
class FileInput;

// What the hub has to tell about a device; the program logs it and shows
// the operator which devices are silent.
struct DeviceNotice {
    enum Kind {
        NoMatch,     // `device`, a name from the settings, matches no device; `detail`: the default device used
        OpenFailed,  // `device` will not open; `detail`: PortAudio's text; it is tried again every few seconds
        Stalled,     // `device`'s stream stopped calling back; it is being reopened (told again at most
                     // every kUnderrunReportMs while it stays silent)
        Playing,     // `device`'s stream has called back for kStallMs after OpenFailed or Stalled;
                     // `detail`: its rate in Hz
        Underruns,   // `count` blocks of `device` went out with a channel dry since the last such notice
        CardFound,   // a machine that had no sound device has one now; `device`: the default one
    };
    Kind kind;
    QString device;
    QString detail;
    uint64_t count = 0;
};

class DeviceHub {
public:
    static constexpr int kRetryMs = 3000;            // a card that will not open is tried this often
    static constexpr int kStallMs = 400;             // a callback silent this long has died
    static constexpr int kWatchPeriodMs = 100;       // how often the watcher looks
    static constexpr int kUnderrunReportMs = 60000;  // underruns are told at most this often

    static DeviceHub& instance();
    ~DeviceHub();

    QStringList outputNames();
    QStringList inputNames();
    // Index of the last output name containing `text` (case-sensitive);
    // -1 for an empty text or when none contains it.
    int lastOutputContaining(const QString& text);
    // The entry a device name from the settings chooses: the last name that
    // contains it; the default device (0) for an empty name, and for a name
    // that matches nothing, which is told once (NoMatch).
    int outputForName(const QString& text);

    // The device of list entry `index` (out of range: entry 0); never null.
    // A card keeps the format it was opened at; a virtual device takes the
    // first opener's format and later openers share it as it is.
    std::shared_ptr<OutputDevice> openOutput(int index, PcmFormat wanted);

    // Receives the notices, on the thread that noticed (the caller of
    // openOutput, or the watcher); null: none. Never called again once this
    // returns with another handler.
    void setNoticeHandler(std::function<void(const DeviceNotice&)> handler);
    // One look at the open cards, at platform::clock()'s monotonic time:
    // retries those that would not open, reopens those whose callback
    // stopped and tells the underruns.
    void watch();
    // Runs watch() every kWatchPeriodMs on a thread of the hub's own.
    void startWatching();
    void stopWatching();

    // Replaces enumeration with virtual devices of these names (entry 0 the
    // first), stepped by the caller or running in real time. Cards open
    // until now are closed; virtual devices opened before keep working
    // until their last user lets go.
    void useVirtualDevices(const QStringList& names, bool stepped);
    // Closes the open cards and lists PortAudio's devices afresh (a test
    // writes its own ALSA configuration first).
    void usePortAudio();
    // Lets a test refuse a rate on a device, as a card that does not take it
    // would (null: every rate PortAudio takes).
    void setStreamGate(std::function<bool(const QString& device, int rate)> gate);

    // ---- capture ----
    // Whether input entry `index` takes the format (a question only; out of
    // range: entry 0).
    bool isInputFormatSupported(int index, PcmFormat format);
    // Opens and starts input entry `index` (out of range: entry 0) in the
    // format; null, with PortAudio's text in `error`, when it will not.
    // Each call opens a stream of its own, closed when the last user lets go.
    std::shared_ptr<InputDevice> openInput(int index, PcmFormat format, QString* error = nullptr);
    // What the virtual input is fed from (a Linux path to a WAV file; empty:
    // silence). Starts as the environment variable TOLVANE_CAPTURE_FILE.
    void setCaptureFile(const QString& fsPath);
    // The virtual input opened last, while someone still uses it.
    std::shared_ptr<FileInput> openVirtualInput();

    bool isVirtual();
    // No sound device was found although none was asked to be virtual: the
    // virtual device plays, and watch() lists the devices again every
    // kRetryMs until one is there (then CardFound).
    bool isCardless();
    // The open virtual device of an entry (null when not open or not virtual).
    std::shared_ptr<VirtualDevice> openVirtual(int index);

private:
    DeviceHub() = default;
    void enumerate();        // under mutex_
    void dropCards();        // under mutex_
    void forget();           // under mutex_: cards closed, nothing listed
    void lookForCards(std::vector<DeviceNotice>& notices);  // under mutex_
    PcmFormat chooseFormat(int paIndex, const QString& name);  // under the PortAudio lock
    QString startStream(PortAudioOutput& dev);                 // under the PortAudio lock
    void tell(const std::vector<DeviceNotice>& notices);
    void noteWatchNeed();  // under mutex_: wakes the watcher when it has something to look at

    struct Entry {
        QString name;
        int paIndex = -1;  // -1: virtual
    };
    std::mutex mutex_;
    bool enumerated_ = false;
    bool paInitialised_ = false;
    bool virtual_ = false;
    bool cardless_ = false;
    int64_t nextLook_ = 0;
    bool stepped_ = false;
    std::vector<Entry> outputs_, inputs_;
    QString captureFile_;
    bool captureFileSet_ = false;
    std::weak_ptr<FileInput> virtualInput_;
    // Virtual devices, by -1 - entry; they live while someone uses them.
    std::map<int, std::weak_ptr<OutputDevice>> virtualOpen_;
    // Cards by PortAudio index; they stay open.
    std::map<int, std::shared_ptr<PortAudioOutput>> cards_;
    QSet<QString> noMatchTold_;
    std::function<bool(const QString&, int)> gate_;  // under the PortAudio lock

    std::mutex noticeMutex_;
    std::function<void(const DeviceNotice&)> handler_;

    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    bool watchStop_ = false;
    // Open cards, or no card at all to look for: without either (only
    // virtual devices) the watcher sleeps until one comes.
    std::atomic<bool> watchNeeded_{false};
    std::thread watcher_;
};

}  // namespace platform
