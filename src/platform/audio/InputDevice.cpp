#include "platform/audio/InputDevice.h"

#include "platform/audio/Decoder.h"
#include "platform/audio/Pacer.h"

#include <algorithm>
#include <cstring>

namespace platform {

InputDevice::InputDevice(QString name, PcmFormat format)
    : name_(std::move(name)), format_(format), ring_(size_t(kBlockBytes) * kRingBlocks) {}

int InputDevice::blocksReady() const {
    const uint64_t w = written_.load(std::memory_order_acquire);
    const uint64_t r = read_.load(std::memory_order_relaxed);
    return int((w - r) / kBlockBytes);
}

bool InputDevice::takeBlock(char* dst) {
    const uint64_t w = written_.load(std::memory_order_acquire);
    const uint64_t r = read_.load(std::memory_order_relaxed);
    if (w - r < uint64_t(kBlockBytes)) return false;
    const size_t cap = ring_.size();
    const size_t at = size_t(r % cap);
    const size_t first = std::min(size_t(kBlockBytes), cap - at);
    std::memcpy(dst, ring_.data() + at, first);
    std::memcpy(dst + first, ring_.data(), size_t(kBlockBytes) - first);
    read_.store(r + kBlockBytes, std::memory_order_release);
    return true;
}

void InputDevice::push(const void* src, size_t bytes) noexcept {
    const uint64_t w = written_.load(std::memory_order_relaxed);
    const uint64_t r = read_.load(std::memory_order_acquire);
    const size_t cap = ring_.size();
    if (bytes > cap - size_t(w - r)) {
        overruns_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const size_t at = size_t(w % cap);
    const size_t first = std::min(bytes, cap - at);
    const char* s = static_cast<const char*>(src);
    std::memcpy(ring_.data() + at, s, first);
    if (bytes > first) std::memcpy(ring_.data(), s + first, bytes - first);
    written_.store(w + bytes, std::memory_order_release);
}

FileInput::FileInput(QString name, PcmFormat format, const QString& fsPath, bool realTime)
    : InputDevice(std::move(name), format), realTime_(realTime) {
    if (!fsPath.isEmpty()) {
        if (auto dec = openDecoder(fsPath); dec && dec->format() == format) {
            QByteArray piece(1 << 16, Qt::Uninitialized);
            for (int64_t n; (n = dec->read(piece.data(), piece.size())) > 0;) pcm_.append(piece.constData(), n);
        }
    }
    // 10 ms at a time, as a card's period would hand them over.
    chunk_.assign(size_t(std::max(1, format.rate / 100)) * format.blockAlign(), 0);
    if (realTime_) {
        thread_ = std::thread([this] { runPaced(this->format().rate, 10, stop_, [this](int64_t f) { produce(f); }); });
    }
}

FileInput::~FileInput() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
}

void FileInput::step(int64_t frames) {
    if (!realTime_) produce(frames);
}

void FileInput::stepBlocks(int blocks) {
    const int align = format().blockAlign();
    // A block need not be whole frames (16 384 bytes of mono 8-bit are); the
    // remainder is carried by the bytes already in the ring.
    const int64_t target = int64_t(blocks) * kBlockBytes;
    int64_t given = 0;
    while (given < target) {
        const int64_t frames = std::max<int64_t>(1, (target - given) / align);
        produce(frames);
        given += frames * align;
    }
}

void FileInput::produce(int64_t frames) {
    const size_t align = size_t(format().blockAlign());
    while (frames > 0) {
        const size_t n = size_t(std::min<int64_t>(frames, int64_t(chunk_.size() / align)));
        const size_t bytes = n * align;
        const int64_t left = int64_t(pcm_.size()) - pos_;
        const size_t fromFile = size_t(std::clamp<int64_t>(left, 0, int64_t(bytes)));
        if (fromFile) std::memcpy(chunk_.data(), pcm_.constData() + pos_, fromFile);
        std::memset(chunk_.data() + fromFile, 0, bytes - fromFile);
        pos_ += int64_t(fromFile);
        push(chunk_.data(), bytes);
        frames -= int64_t(n);
    }
}

}  // namespace platform
