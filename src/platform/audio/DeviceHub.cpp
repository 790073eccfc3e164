#include "platform/audio/DeviceHub.h"

#include "platform/Clock.h"
#include "platform/audio/InputDevice.h"
#include "platform/audio/VirtualDevice.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <condition_variable>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

const char* const kVirtualName = "Virtual device";
const char* const kVirtualInputName = "Virtual input";

void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// PortAudio's calls are serialised: the GUI thread opens a card on first use
// while the watcher may be reopening another. Never destroyed, so that a
// device freed during exit can still take it.
std::mutex& paLock() {
    static auto* m = new std::mutex;
    return *m;
}
bool paUp = false;  // under paLock(): streams may be opened

QString paErrorText(PaError e) {
    QString text = QString::fromUtf8(Pa_GetErrorText(e));
    if (e == paUnanticipatedHostError) {
        const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo();
        if (host && host->errorText && *host->errorText) text += QStringLiteral(": ") + QString::fromUtf8(host->errorText);
    }
    return text;
}

}  // namespace

// Streams being closed on a helper thread (see PortAudioOutput::retire).
std::atomic<int> closing{0};

// One card's stream; its callback only renders the device's mix. The stream
// and the watch fields are changed under paLock().
class PortAudioOutput final : public OutputDevice {
public:
    PortAudioOutput(QString name, int paIndex, PcmFormat f) : OutputDevice(std::move(name), f), paIndex_(paIndex) {}
    ~PortAudioOutput() override {
        std::lock_guard lock(paLock());
        retire();
    }

    QString open() {
        PaStreamParameters p{};
        p.device = paIndex_;
        p.channelCount = format().channels;
        p.sampleFormat = format().bits == 8 ? paUInt8 : paInt16;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex_);
        if (!info) return paErrorText(paInvalidDevice);
        // The safer of the card's two latencies: a studio console wants no
        // dropouts more than it wants a few milliseconds; the positions
        // take the latency off.
        p.suggestedLatency = info->defaultHighOutputLatency;
        auto token = std::make_shared<Token>();
        token->dev = this;
        PaStream* stream = nullptr;
        PaError e = Pa_OpenStream(&stream, nullptr, &p, format().rate, paFramesPerBufferUnspecified, paNoFlag,
                                  &PortAudioOutput::callback, token.get());
        if (e != paNoError) return paErrorText(e);
        if (const PaStreamInfo* si = Pa_GetStreamInfo(stream))
            setLatencyFrames(std::llround(si->outputLatency * format().rate));
        e = Pa_StartStream(stream);
        if (e != paNoError) {
            Pa_CloseStream(stream);
            return paErrorText(e);
        }
        stream_ = stream;
        token_ = std::move(token);
        return {};
    }

    // Lets go of the stream. Closing waits for the stream's thread, and a
    // thread stuck inside the host (a write that never returns) would hold
    // the caller forever: the close runs on a helper thread, waited for a
    // bounded time and otherwise left to finish whenever it can. From here
    // on the old stream's callbacks play silence and never touch the mix.
    void retire() {
        if (!stream_) return;
        token_->current.store(false);
        waitForRenderPass();
        auto done = std::make_shared<Done>();
        lastClose_ = done;
        closing.fetch_add(1);
        std::thread([stream = stream_, token = token_, done] {
            Pa_AbortStream(stream);
            Pa_CloseStream(stream);
            {
                std::lock_guard lock(done->m);
                done->done = true;
            }
            done->cv.notify_all();
            closing.fetch_sub(1);
        }).detach();
        stream_ = nullptr;
        token_.reset();
        std::unique_lock lock(done->m);
        done->cv.wait_for(lock, std::chrono::milliseconds(kCloseWaitMs), [&done] { return done->done; });
    }

    static constexpr int kCloseWaitMs = 500;

    // Whether the last stream let go is still being closed (its thread stuck
    // in the host). A card gets no new close while one hangs: each would
    // leave a thread and a descriptor behind.
    bool closePending() const {
        if (!lastClose_) return false;
        std::lock_guard lock(lastClose_->m);
        return !lastClose_->done;
    }

    // Watch state, under paLock().
    bool failing = false;
    int64_t nextTry = 0;
    int64_t lastFrames = -1;
    int64_t lastProgress = 0;
    uint64_t underrunsTold = 0;
    int64_t underrunsToldAt = -DeviceHub::kUnderrunReportMs;  // the first is told at once
    // Told as silent (OpenFailed, Stalled) and not heard calling back since:
    // Playing is told when its frames move again, not when a stream opens.
    bool silent = false;
    int64_t stalledToldAt = 0;
    // Since when a silent card's frames have kept moving (-1: they have
    // not): a stream that takes a block or two and hangs again is no card
    // playing again.
    int64_t movingSince = -1;

private:
    struct Done {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
    };
    std::shared_ptr<Done> lastClose_;
    // What a stream's callback sees: its device while it is the device's
    // stream, nothing once retired.
    struct Token {
        PortAudioOutput* dev = nullptr;
        std::atomic<bool> current{true};
    };
    static int callback(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                        PaStreamCallbackFlags flags, void* user) {
        auto* token = static_cast<Token*>(user);
        if (!token->current.load()) return paAbort;
        PortAudioOutput* dev = token->dev;
        if (flags & paOutputUnderflow) dev->noteUnderrun();
        dev->render(out, int(frames));
        return paContinue;
    }
    const int paIndex_;
    PaStream* stream_ = nullptr;
    std::shared_ptr<Token> token_;
};

// One card's capture stream; its callback only copies into the device's
// ring.
class PortAudioInput final : public InputDevice {
public:
    PortAudioInput(QString name, PcmFormat f) : InputDevice(std::move(name), f) {}
    ~PortAudioInput() override {
        if (!stream_) return;  // never opened: no lock needed (openInput may hold it)
        std::lock_guard pa(paLock());
        Pa_AbortStream(stream_);
        Pa_CloseStream(stream_);
    }

    // Under paLock().
    QString open(int paIndex) {
        PaStreamParameters p{};
        p.device = paIndex;
        p.channelCount = format().channels;
        p.sampleFormat = paInt16;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex);
        if (!info) return paErrorText(paInvalidDevice);
        p.suggestedLatency = info->defaultHighInputLatency;
        PaStream* stream = nullptr;
        PaError e = Pa_OpenStream(&stream, &p, nullptr, format().rate, paFramesPerBufferUnspecified, paNoFlag,
                                  &PortAudioInput::callback, this);
        if (e != paNoError) return paErrorText(e);
        e = Pa_StartStream(stream);
        if (e != paNoError) {
            Pa_CloseStream(stream);
            return paErrorText(e);
        }
        stream_ = stream;
        return {};
    }

private:
    static int callback(const void* in, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                        PaStreamCallbackFlags, void* user) {
        auto* dev = static_cast<PortAudioInput*>(user);
        if (in) dev->push(in, size_t(frames) * size_t(dev->format().blockAlign()));
        return paContinue;
    }
    PaStream* stream_ = nullptr;
};

DeviceHub& DeviceHub::instance() {
    static DeviceHub hub;
    return hub;
}

DeviceHub::~DeviceHub() {
    stopWatching();
    std::lock_guard lock(mutex_);
    dropCards();
}

void DeviceHub::dropCards() {
    // Freed after the lock is let go: a card's destructor takes it too.
    std::map<int, std::shared_ptr<PortAudioOutput>> cards;
    cards.swap(cards_);
    std::lock_guard pa(paLock());
    for (auto& [index, dev] : cards) dev->retire();
    // A stream whose close is still stuck would hang the termination too;
    // PortAudio is then left as it is.
    if (paInitialised_ && closing.load() == 0) Pa_Terminate();
    paInitialised_ = false;
    paUp = false;
    noteWatchNeed();
}

void DeviceHub::noteWatchNeed() {
    const bool needed = !cards_.empty() || cardless_;
    if (watchNeeded_.exchange(needed) || !needed) return;
    { std::lock_guard lock(watchMutex_); }
    watchWake_.notify_all();
}

void DeviceHub::enumerate() {
    if (enumerated_) return;
    enumerated_ = true;
    outputs_.clear();
    inputs_.clear();
    const QByteArray env = qgetenv("TOLVANE_AUDIO");
    if (env != "virtual") {
        // ALSA reports every missing card on stderr; JACK would try to start
        // a server. Neither belongs in a studio program's output.
        snd_lib_error_set_handler(&silentAlsa);
        setenv("JACK_NO_START_SERVER", "1", 0);
        // JACK's client library still prints when no server runs; it has no
        // switch short of linking JACK itself, so stderr is muted while the
        // host APIs are probed.
        const int saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        std::unique_lock pa(paLock());
        // PortAudio lists ALSA's devices from its configuration as last
        // read: a configuration changed since is read again first.
        snd_config_update();
        const PaError init = Pa_Initialize();
        if (saved >= 0 && null >= 0) dup2(saved, STDERR_FILENO);
        if (saved >= 0) close(saved);
        if (null >= 0) close(null);
        if (init == paNoError) {
            paInitialised_ = true;
            paUp = true;
            const int n = Pa_GetDeviceCount();
            const int defOut = Pa_GetDefaultOutputDevice();
            const int defIn = Pa_GetDefaultInputDevice();
            if (defOut != paNoDevice) outputs_.push_back({QString::fromUtf8(Pa_GetDeviceInfo(defOut)->name), defOut});
            if (defIn != paNoDevice) inputs_.push_back({QString::fromUtf8(Pa_GetDeviceInfo(defIn)->name), defIn});
            for (int i = 0; i < n; ++i) {
                const PaDeviceInfo* d = Pa_GetDeviceInfo(i);
                if (!d) continue;
                const QString name = QString::fromUtf8(d->name);
                if (d->maxOutputChannels > 0) outputs_.push_back({name, i});
                if (d->maxInputChannels > 0) inputs_.push_back({name, i});
            }
            // Devices but no default: entry 0 still means "the default",
            // which is then the virtual device.
            if (defOut == paNoDevice && !outputs_.empty()) outputs_.insert(outputs_.begin(), {kVirtualName, -1});
            // The settings may ask for the virtual device by its name.
            else if (!outputs_.empty()) outputs_.push_back({kVirtualName, -1});
        }
    }
    if (outputs_.empty()) {
        virtual_ = true;
        cardless_ = env != "virtual";
        nextLook_ = clock().monotonicMs() + kRetryMs;
        outputs_.push_back({kVirtualName, -1});
    }
    // The virtual input comes with the virtual device: the default where no
    // card captures, otherwise the last entry.
    inputs_.push_back({kVirtualInputName, -1});
    noteWatchNeed();
}

QStringList DeviceHub::outputNames() {
    std::lock_guard lock(mutex_);
    enumerate();
    QStringList out;
    for (const auto& e : outputs_) out << e.name;
    return out;
}

QStringList DeviceHub::inputNames() {
    std::lock_guard lock(mutex_);
    enumerate();
    QStringList out;
    for (const auto& e : inputs_) out << e.name;
    return out;
}

int DeviceHub::lastOutputContaining(const QString& text) {
    if (text.isEmpty()) return -1;
    const QStringList names = outputNames();
    for (int i = int(names.size()) - 1; i >= 0; --i)
        if (names[i].contains(text, Qt::CaseSensitive)) return i;
    return -1;
}

int DeviceHub::outputForName(const QString& text) {
    if (text.isEmpty()) return 0;
    const int found = lastOutputContaining(text);
    if (found >= 0) return found;
    std::vector<DeviceNotice> notices;
    {
        std::lock_guard lock(mutex_);
        if (!noMatchTold_.contains(text)) {
            noMatchTold_.insert(text);
            notices.push_back({DeviceNotice::NoMatch, text, outputs_.front().name});
        }
    }
    tell(notices);
    return 0;
}

PcmFormat DeviceHub::chooseFormat(int paIndex, const QString& name) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex);
    PcmFormat f{44100, 2, 16};
    if (!info) return f;
    f.channels = std::clamp(info->maxOutputChannels, 1, 2);
    PaStreamParameters p{};
    p.device = paIndex;
    p.channelCount = f.channels;
    p.sampleFormat = paInt16;
    p.suggestedLatency = info->defaultHighOutputLatency;
    // The card's own rate first, then the common ones: the channels resample
    // whatever the files hold to the card's rate.
    std::vector<int> rates{int(std::lround(info->defaultSampleRate))};
    for (int r : {48000, 44100, 96000, 88200, 32000, 22050, 16000, 11025, 8000, 176400, 192000})
        if (std::find(rates.begin(), rates.end(), r) == rates.end()) rates.push_back(r);
    int fallback = 0;
    for (int r : rates) {
        if (!cardCanPlay(r, f.channels) || (gate_ && !gate_(name, r))) continue;
        if (!fallback) fallback = r;
        if (Pa_IsFormatSupported(nullptr, &p, r) == paFormatIsSupported) {
            f.rate = r;
            return f;
        }
    }
    // Nothing answers now (the card is busy or gone): keep trying at its
    // own rate.
    f.rate = fallback ? fallback : rates.front();
    return f;
}

QString DeviceHub::startStream(PortAudioOutput& dev) {
    if (!paUp) return paErrorText(paNotInitialized);
    if (gate_ && !gate_(dev.name(), dev.format().rate)) return paErrorText(paInvalidSampleRate);
    return dev.open();
}

std::shared_ptr<OutputDevice> DeviceHub::openOutput(int index, PcmFormat wanted) {
    std::vector<DeviceNotice> notices;
    std::shared_ptr<OutputDevice> dev;
    {
        std::lock_guard lock(mutex_);
        enumerate();
        if (index < 0 || index >= int(outputs_.size())) index = 0;
        if (!wanted.valid()) wanted = PcmFormat{};
        const Entry e = outputs_[size_t(index)];
        if (e.paIndex < 0) {
            auto& slot = virtualOpen_[-1 - index];
            dev = slot.lock();
            if (!dev) {
                dev = std::make_shared<VirtualDevice>(e.name, wanted, !stepped_);
                slot = dev;
            }
        } else if (auto it = cards_.find(e.paIndex); it != cards_.end()) {
            dev = it->second;
        } else {
            std::lock_guard pa(paLock());
            auto card = std::make_shared<PortAudioOutput>(e.name, e.paIndex, chooseFormat(e.paIndex, e.name));
            const QString error = startStream(*card);
            const int64_t now = clock().monotonicMs();
            card->lastProgress = now;
            if (!error.isEmpty()) {
                card->failing = true;
                card->silent = true;
                card->nextTry = now + kRetryMs;
                notices.push_back({DeviceNotice::OpenFailed, e.name, error});
            }
            cards_[e.paIndex] = card;
            dev = card;
            noteWatchNeed();
        }
    }
    tell(notices);
    return dev;
}

void DeviceHub::lookForCards(std::vector<DeviceNotice>& notices) {
    const int64_t now = clock().monotonicMs();
    if (!cardless_ || now < nextLook_) return;
    nextLook_ = now + kRetryMs;
    // PortAudio lists its devices only when it starts: started again. Only
    // virtual devices are open here; those in use play on until their users
    // let go, and the next opener gets the card.
    dropCards();
    enumerated_ = false;
    virtual_ = false;
    cardless_ = false;
    outputs_.clear();
    inputs_.clear();
    virtualOpen_.clear();
    noMatchTold_.clear();
    enumerate();
    if (!cardless_) notices.push_back({DeviceNotice::CardFound, outputs_.front().name, {}});
}

bool DeviceHub::isCardless() {
    std::lock_guard lock(mutex_);
    enumerate();
    return cardless_;
}

void DeviceHub::watch() {
    std::vector<std::shared_ptr<PortAudioOutput>> cards;
    std::vector<DeviceNotice> notices;
    {
        std::lock_guard lock(mutex_);
        if (enumerated_) lookForCards(notices);
        for (const auto& [index, card] : cards_) cards.push_back(card);
    }
    {
        std::lock_guard pa(paLock());
        const int64_t now = clock().monotonicMs();
        for (const auto& card : cards) {
            const QString rate = QString::number(card->format().rate);
            if (card->failing) {
                if (now < card->nextTry) continue;
                const QString error = startStream(*card);
                if (!error.isEmpty()) {
                    card->nextTry = now + kRetryMs;
                    continue;
                }
                card->failing = false;
                card->lastFrames = card->framesRendered();
                card->lastProgress = now;
                continue;
            }
            const int64_t frames = card->framesRendered();
            if (frames != card->lastFrames) {
                card->lastFrames = frames;
                card->lastProgress = now;
                if (card->silent) {
                    if (card->movingSince < 0) {
                        card->movingSince = now;
                    } else if (now - card->movingSince >= kStallMs) {
                        card->silent = false;
                        card->movingSince = -1;
                        notices.push_back({DeviceNotice::Playing, card->name(), rate});
                    }
                }
            } else if (now - card->lastProgress >= kStallMs) {
                // Told once, and again at most as often as underruns while
                // the card stays silent.
                if (!card->silent || now - card->stalledToldAt >= kUnderrunReportMs) {
                    notices.push_back({DeviceNotice::Stalled, card->name(), {}});
                    card->stalledToldAt = now;
                }
                card->silent = true;
                card->movingSince = -1;
                card->lastProgress = now;
                // While the last stream let go still hangs in its close, the
                // current one is left as it is and looked at again later.
                if (!card->closePending()) {
                    // The channels stay attached: they carry on from where
                    // they were once the new stream calls back.
                    card->retire();
                    const QString error = startStream(*card);
                    if (!error.isEmpty()) {
                        card->failing = true;
                        card->nextTry = now + kRetryMs;
                        notices.push_back({DeviceNotice::OpenFailed, card->name(), error});
                    }
                }
            }
            const uint64_t underruns = card->underruns();
            if (underruns > card->underrunsTold && now - card->underrunsToldAt >= kUnderrunReportMs) {
                notices.push_back({DeviceNotice::Underruns, card->name(), {}, underruns - card->underrunsTold});
                card->underrunsTold = underruns;
                card->underrunsToldAt = now;
            }
        }
    }
    tell(notices);
}

void DeviceHub::startWatching() {
    std::lock_guard lock(watchMutex_);
    if (watcher_.joinable()) return;
    watchStop_ = false;
    watcher_ = std::thread([this] {
        std::unique_lock lock(watchMutex_);
        for (;;) {
            watchWake_.wait(lock, [this] { return watchStop_ || watchNeeded_.load(); });
            if (watchWake_.wait_for(lock, std::chrono::milliseconds(kWatchPeriodMs), [this] { return watchStop_; }))
                break;
            lock.unlock();
            watch();
            lock.lock();
        }
    });
}

void DeviceHub::stopWatching() {
    std::thread t;
    {
        std::lock_guard lock(watchMutex_);
        watchStop_ = true;
        t = std::move(watcher_);
    }
    watchWake_.notify_all();
    if (t.joinable()) t.join();
}

void DeviceHub::setNoticeHandler(std::function<void(const DeviceNotice&)> handler) {
    std::lock_guard lock(noticeMutex_);
    handler_ = std::move(handler);
}

void DeviceHub::tell(const std::vector<DeviceNotice>& notices) {
    if (notices.empty()) return;
    std::lock_guard lock(noticeMutex_);
    if (!handler_) return;
    for (const auto& n : notices) handler_(n);
}

void DeviceHub::setStreamGate(std::function<bool(const QString& device, int rate)> gate) {
    std::lock_guard pa(paLock());
    gate_ = std::move(gate);
}

void DeviceHub::forget() {
    dropCards();
    enumerated_ = false;
    virtual_ = false;
    cardless_ = false;
    stepped_ = false;
    outputs_.clear();
    inputs_.clear();
    virtualOpen_.clear();
    noMatchTold_.clear();
    noteWatchNeed();
}

void DeviceHub::useVirtualDevices(const QStringList& names, bool stepped) {
    std::lock_guard lock(mutex_);
    forget();
    enumerated_ = true;
    virtual_ = true;
    stepped_ = stepped;
    for (const auto& n : names) outputs_.push_back({n, -1});
    if (outputs_.empty()) outputs_.push_back({kVirtualName, -1});
    inputs_.push_back({kVirtualInputName, -1});
}

void DeviceHub::usePortAudio() {
    std::lock_guard lock(mutex_);
    forget();
    enumerate();
}

bool DeviceHub::isInputFormatSupported(int index, PcmFormat format) {
    std::lock_guard lock(mutex_);
    enumerate();
    if (inputs_.empty() || format.bits != 16 || !format.valid()) return false;
    if (index < 0 || index >= int(inputs_.size())) index = 0;
    const Entry e = inputs_[size_t(index)];
    std::lock_guard pa(paLock());
    if (gate_ && !gate_(e.name, format.rate)) return false;
    if (e.paIndex < 0) return true;
    if (!paUp) return false;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(e.paIndex);
    if (!info) return false;
    PaStreamParameters p{};
    p.device = e.paIndex;
    p.channelCount = format.channels;
    p.sampleFormat = paInt16;
    p.suggestedLatency = info->defaultHighInputLatency;
    return Pa_IsFormatSupported(&p, nullptr, format.rate) == paFormatIsSupported;
}

std::shared_ptr<InputDevice> DeviceHub::openInput(int index, PcmFormat format, QString* error) {
    std::lock_guard lock(mutex_);
    enumerate();
    const auto fail = [error](const QString& text) -> std::shared_ptr<InputDevice> {
        if (error) *error = text;
        return nullptr;
    };
    if (inputs_.empty()) return fail(paErrorText(paDeviceUnavailable));
    if (format.bits != 16 || !format.valid()) return fail(paErrorText(paSampleFormatNotSupported));
    if (index < 0 || index >= int(inputs_.size())) index = 0;
    const Entry e = inputs_[size_t(index)];
    std::lock_guard pa(paLock());
    if (gate_ && !gate_(e.name, format.rate)) return fail(paErrorText(paInvalidSampleRate));
    if (e.paIndex < 0) {
        if (!captureFileSet_) {
            captureFile_ = qEnvironmentVariable("TOLVANE_CAPTURE_FILE");
            captureFileSet_ = true;
        }
        auto dev = std::make_shared<FileInput>(e.name, format, captureFile_, !stepped_);
        virtualInput_ = dev;
        return dev;
    }
    if (!paUp) return fail(paErrorText(paNotInitialized));
    auto dev = std::make_shared<PortAudioInput>(e.name, format);
    const QString text = dev->open(e.paIndex);
    if (!text.isEmpty()) return fail(text);
    return dev;
}

void DeviceHub::setCaptureFile(const QString& fsPath) {
    std::lock_guard lock(mutex_);
    captureFile_ = fsPath;
    captureFileSet_ = true;
}

std::shared_ptr<FileInput> DeviceHub::openVirtualInput() {
    std::lock_guard lock(mutex_);
    return virtualInput_.lock();
}

bool DeviceHub::isVirtual() {
    std::lock_guard lock(mutex_);
    enumerate();
    return virtual_;
}

std::shared_ptr<VirtualDevice> DeviceHub::openVirtual(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= int(outputs_.size())) index = 0;
    auto it = virtualOpen_.find(-1 - index);
    if (it == virtualOpen_.end()) return nullptr;
    return std::dynamic_pointer_cast<VirtualDevice>(it->second.lock());
}

}  // namespace platform
