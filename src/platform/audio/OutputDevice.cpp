#include "platform/audio/OutputDevice.h"

#include "platform/audio/Channel.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace platform {

OutputDevice::OutputDevice(QString name, PcmFormat format) : name_(std::move(name)), format_(format) {
    acc_.assign(size_t(kMaxBlockFrames) * format_.channels, 0.0f);
    for (auto& s : slots_) s.store(nullptr, std::memory_order_relaxed);
}

OutputDevice::~OutputDevice() = default;

bool OutputDevice::attach(Channel* ch) {
    for (auto& s : slots_)
        if (s.load() == ch) return true;
    for (auto& s : slots_) {
        Channel* expected = nullptr;
        if (s.compare_exchange_strong(expected, ch)) return true;
    }
    return false;
}

void OutputDevice::detach(Channel* ch) {
    bool found = false;
    for (auto& s : slots_) {
        Channel* expected = ch;
        if (s.compare_exchange_strong(expected, nullptr)) found = true;
    }
    // A pass that started before the slot was cleared may still hold the
    // channel; it ends within one block.
    if (found) waitForRenderPass();
}

void OutputDevice::waitForRenderPass() const {
    const uint64_t p = pass_.load();
    if ((p & 1) == 0) return;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (pass_.load() == p && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
}

void OutputDevice::render(void* dst, int frames) noexcept {
    pass_.fetch_add(1);
    const int dch = format_.channels;
    bool dry = false;
    while (frames > 0) {
        const int n = std::min(frames, kMaxBlockFrames);
        float* acc = acc_.data();
        std::fill(acc, acc + size_t(n) * dch, 0.0f);
        for (auto& s : slots_) {
            Channel* ch = s.load();
            if (ch && ch->mixInto(acc, n)) dry = true;
        }
        if (format_.bits == 16) {
            auto* out = static_cast<int16_t*>(dst);
            for (int i = 0; i < n * dch; ++i) {
                const float v = std::nearbyint(acc[i] * 32768.0f);
                out[i] = int16_t(std::clamp(v, -32768.0f, 32767.0f));
            }
            dst = out + size_t(n) * dch;
        } else {
            auto* out = static_cast<uint8_t*>(dst);
            for (int i = 0; i < n * dch; ++i) {
                const float v = std::nearbyint(acc[i] * 128.0f);
                out[i] = uint8_t(int(std::clamp(v, -128.0f, 127.0f)) + 128);
            }
            dst = out + size_t(n) * dch;
        }
        frames -= n;
        frames_.fetch_add(n, std::memory_order_relaxed);
    }
    if (dry) noteUnderrun();
    pass_.fetch_add(1);
}

}  // namespace platform
