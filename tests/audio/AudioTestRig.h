#pragma once
// A stepped virtual sound card for the back-end tests: time moves only when
// the test mixes another block, and the refill step runs right after it.
#include "audio/cbDSMixer.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/ReleaseWorker.h"
#include "platform/audio/VirtualDevice.h"

#include <QCoreApplication>
#include <cstring>
#include <vector>

struct AudioRig {
    explicit AudioRig(const QStringList& devices = {"Virtual"}) {
        platform::DeviceHub::instance().useVirtualDevices(devices, true);
    }
    ~AudioRig() {
        platform::flushReleases();  // the files are closed before their folder goes
        platform::DeviceHub::instance().useVirtualDevices({"Virtual"}, true);
    }

    std::shared_ptr<platform::VirtualDevice> device(int index = 0) {
        auto d = platform::DeviceHub::instance().openVirtual(index);
        if (d && !capturing_) {
            d->startCapture();
            capturing_ = true;
        }
        return d;
    }

    // Mixes `blocks` blocks of 10 ms, running the channel's refill step after
    // each; stops early once the channel has stopped when untilStop is set.
    // Returns the blocks mixed.
    int run(TcbDSMixerChannel& ch, int blocks, bool untilStop = false) {
        auto d = device(ch.Mixer()->Device());
        const int frames = d->format().rate / 100;
        for (int i = 0; i < blocks; ++i) {
            d->step(frames);
            ch.UpdateNow();
            if (untilStop && ch.State() == 0) return i + 1;
        }
        return blocks;
    }

    std::vector<int16_t> captured(int index = 0) {
        const QByteArray b = device(index)->capture();
        std::vector<int16_t> s(size_t(b.size()) / 2);
        std::memcpy(s.data(), b.constData(), s.size() * 2);
        return s;
    }
    void clear(int index = 0) { device(index)->clearCapture(); }

    QString wav(const QString& name, int rate, int channels, int ms, double freq = 1000) {
        dir.write(name, fixtures::wavFile(rate, channels, 16, fixtures::tone16(rate, channels, freq, ms)));
        return dir.file(name);
    }

    TempProgramFolder dir;
    bool capturing_ = false;
};

inline std::vector<int16_t> samplesOf(const QByteArray& pcm) {
    std::vector<int16_t> s(size_t(pcm.size()) / 2);
    std::memcpy(s.data(), pcm.constData(), s.size() * 2);
    return s;
}
