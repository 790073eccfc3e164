#include "platform/audio/DeviceHub.h"

#include "platform/audio/VirtualDevice.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

const char* const kVirtualName = "Virtual device";

void silentAlsa(const char*, int, const char*, int, const char*, ...) {}

// One PortAudio stream; its callback only renders the device's mix.
class PortAudioOutput final : public OutputDevice {
public:
    PortAudioOutput(QString name, PcmFormat f) : OutputDevice(std::move(name), f) {}
    ~PortAudioOutput() override {
        if (stream_) {
            Pa_StopStream(stream_);
            Pa_CloseStream(stream_);
        }
    }
    bool start(int paIndex) {
        PaStreamParameters p{};
        p.device = paIndex;
        p.channelCount = format().channels;
        p.sampleFormat = format().bits == 8 ? paUInt8 : paInt16;
        const PaDeviceInfo* info = Pa_GetDeviceInfo(paIndex);
        if (!info) return false;
        p.suggestedLatency = info->defaultLowOutputLatency;
        if (Pa_OpenStream(&stream_, nullptr, &p, format().rate, paFramesPerBufferUnspecified, paNoFlag,
                          &PortAudioOutput::callback, this) != paNoError) {
            stream_ = nullptr;
            return false;
        }
        if (Pa_StartStream(stream_) != paNoError) {
            Pa_CloseStream(stream_);
            stream_ = nullptr;
            return false;
        }
        return true;
    }

private:
    static int callback(const void*, void* out, unsigned long frames, const PaStreamCallbackTimeInfo*,
                        PaStreamCallbackFlags, void* self) {
        static_cast<PortAudioOutput*>(self)->render(out, int(frames));
        return paContinue;
    }
    PaStream* stream_ = nullptr;
};

}  // namespace

DeviceHub& DeviceHub::instance() {
    static DeviceHub hub;
    return hub;
}

DeviceHub::~DeviceHub() {
    if (paInitialised_) Pa_Terminate();
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
        // host APIs are probed, once, at start-up.
        const int saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        const PaError init = Pa_Initialize();
        if (saved >= 0 && null >= 0) dup2(saved, STDERR_FILENO);
        if (saved >= 0) close(saved);
        if (null >= 0) close(null);
        if (init == paNoError) {
            paInitialised_ = true;
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
        }
    }
    if (outputs_.empty()) {
        virtual_ = true;
        outputs_.push_back({kVirtualName, -1});
    }
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

std::shared_ptr<OutputDevice> DeviceHub::openOutput(int index, PcmFormat wanted) {
    std::lock_guard lock(mutex_);
    enumerate();
    if (index < 0 || index >= int(outputs_.size())) index = 0;
    if (!wanted.valid()) wanted = PcmFormat{};
    const Entry& e = outputs_[size_t(index)];
    const int key = e.paIndex >= 0 ? e.paIndex : -1 - index;
    if (auto dev = open_[key].lock()) return dev;

    std::shared_ptr<OutputDevice> dev;
    if (e.paIndex >= 0) {
        auto pa = std::make_shared<PortAudioOutput>(e.name, wanted);
        if (pa->start(e.paIndex)) dev = pa;
    }
    if (!dev) dev = std::make_shared<VirtualDevice>(e.paIndex >= 0 ? QString(kVirtualName) : e.name, wanted,
                                                    !stepped_);
    open_[key] = dev;
    return dev;
}

void DeviceHub::useVirtualDevices(const QStringList& names, bool stepped) {
    std::lock_guard lock(mutex_);
    enumerated_ = true;
    virtual_ = true;
    stepped_ = stepped;
    outputs_.clear();
    inputs_.clear();
    for (const auto& n : names) outputs_.push_back({n, -1});
    if (outputs_.empty()) outputs_.push_back({kVirtualName, -1});
    open_.clear();
}

bool DeviceHub::isVirtual() {
    std::lock_guard lock(mutex_);
    enumerate();
    return virtual_;
}

std::shared_ptr<VirtualDevice> DeviceHub::openVirtual(int index) {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= int(outputs_.size())) index = 0;
    auto it = open_.find(-1 - index);
    if (it == open_.end()) return nullptr;
    return std::dynamic_pointer_cast<VirtualDevice>(it->second.lock());
}

}  // namespace platform
