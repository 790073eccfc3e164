#pragma once
// The sound card of a machine that has none: consumes samples on a clock,
// either in real time on its own thread or when a test steps it. It can keep
// what it mixed and write it to a WAV file, so a test can check the samples.
#include "platform/audio/OutputDevice.h"

#include <QByteArray>
#include <atomic>
#include <mutex>
#include <thread>

namespace platform {

class VirtualDevice final : public OutputDevice {
public:
    // In real time the samples are taken this often, as a card with a high
    // latency takes them, a couple of thousand frames at a time: positions
    // and ends move in steps of it, and the device's thread wakes 25 times a
    // second rather than 100 (each wake costs more than the mixing).
    static constexpr int kPeriodMs = 40;

    VirtualDevice(QString name, PcmFormat format, bool realTime);
    ~VirtualDevice() override;

    bool isVirtual() const override { return true; }
    bool realTime() const { return realTime_; }
    bool stepped() const override { return !realTime_; }

    // Stepped mode: mixes `frames` frames now, on the calling thread.
    void step(int frames);
    // Stepped mode: mixes whole milliseconds (rounded to frames).
    void stepMs(int ms) { step(int(int64_t(ms) * format().rate / 1000)); }
    // Stepped mode: a render pass begins and does not end until
    // endHeldPass, as the pass of a card whose callback hangs inside its mix
    // never ends. No step in between.
    void holdPass() {
        if (!realTime_) beginPass();
    }
    void endHeldPass() {
        if (!realTime_) endPass();
    }
    // Pretends the samples reach the listener this much later, as a sound
    // card's buffer makes them.
    void setLatency(int64_t frames) { setLatencyFrames(frames); }

    // Keeps every mixed byte from now on (device format, interleaved).
    void startCapture();
    void stopCapture();
    QByteArray capture() const;
    void clearCapture();
    // The capture as a PCM WAV file of the device format.
    bool saveCapture(const QString& fsPath) const;

private:
    void mixAndKeep(int frames);

    const bool realTime_;
    std::vector<unsigned char> block_;
    mutable std::mutex captureMutex_;  // the real-time thread is not a sound callback
    std::atomic<bool> capturing_{false};  // set under captureMutex_; read first without it
    QByteArray capture_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace platform
