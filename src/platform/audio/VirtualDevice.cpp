#include "platform/audio/VirtualDevice.h"

#include "platform/TextFile.h"
#include "platform/audio/Pacer.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <chrono>

namespace platform {

VirtualDevice::VirtualDevice(QString name, PcmFormat format, bool realTime)
    : OutputDevice(std::move(name), format), realTime_(realTime) {
    block_.assign(size_t(kMaxBlockFrames) * format.blockAlign(), 0);
    if (realTime_) {
        thread_ = std::thread([this] { runPaced(this->format().rate, kPeriodMs, stop_, [this](int64_t f) { mixAndKeep(int(f)); }); });
    }
}

VirtualDevice::~VirtualDevice() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
}

void VirtualDevice::step(int frames) {
    if (realTime_) return;
    mixAndKeep(frames);
}

void VirtualDevice::mixAndKeep(int frames) {
    const int align = format().blockAlign();
    while (frames > 0) {
        const int n = std::min(frames, kMaxBlockFrames);
        render(block_.data(), n);
        // Nobody keeps the samples unless a test asked: no lock for that.
        if (capturing_.load()) {
            std::lock_guard lock(captureMutex_);
            if (capturing_.load()) capture_.append(reinterpret_cast<const char*>(block_.data()), n * align);
        }
        frames -= n;
    }
}

void VirtualDevice::startCapture() {
    std::lock_guard lock(captureMutex_);
    capturing_ = true;
}

void VirtualDevice::stopCapture() {
    std::lock_guard lock(captureMutex_);
    capturing_ = false;
}

QByteArray VirtualDevice::capture() const {
    std::lock_guard lock(captureMutex_);
    return capture_;
}

void VirtualDevice::clearCapture() {
    std::lock_guard lock(captureMutex_);
    capture_.clear();
}

bool VirtualDevice::saveCapture(const QString& fsPath) const {
    const QByteArray data = capture();
    const PcmFormat f = format();
    auto le32 = [](QByteArray& b, quint32 v) {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    };
    auto le16 = [](QByteArray& b, quint16 v) {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    };
    QByteArray out = "RIFF";
    le32(out, quint32(36 + data.size()));
    out.append("WAVEfmt ");
    le32(out, 16);
    le16(out, 1);
    le16(out, quint16(f.channels));
    le32(out, quint32(f.rate));
    le32(out, quint32(f.bytesPerSecond()));
    le16(out, quint16(f.blockAlign()));
    le16(out, quint16(f.bits));
    out.append("data");
    le32(out, quint32(data.size()));
    out.append(data);
    return writeWholeFile(fsPath, out);
}

}  // namespace platform
