#include "platform/audio/OutputDevice.h"

#include "platform/audio/Channel.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform {

OutputDevice::OutputDevice(QString name, PcmFormat format) : name_(std::move(name)), format_(format) {
    acc_.assign(size_t(kMaxBlockFrames) * format_.channels, 0.0f);
    for (auto& s : slots_) s.store(nullptr, std::memory_order_relaxed);
}

// A stream that ends calls back no more: what was retired goes with it.
OutputDevice::~OutputDevice() = default;

bool OutputDevice::attach(Channel* ch) {
    freeRetired();
    for (auto& s : slots_)
        if (s.load() == ch) return true;
    for (auto& s : slots_) {
        Channel* expected = nullptr;
        if (s.compare_exchange_strong(expected, ch)) return true;
    }
    return false;
}

uint64_t OutputDevice::detach(Channel* ch) {
    bool found = false;
    for (auto& s : slots_) {
        Channel* expected = ch;
        if (s.compare_exchange_strong(expected, nullptr)) found = true;
    }
    // A pass that began after the slot was cleared cannot see the channel;
    // one under way now (the count odd) may hold it until the count moves.
    return found ? pass_.load() : 0;
}

bool OutputDevice::renderedSince(uint64_t mark) const { return (mark & 1) == 0 || pass_.load() != mark; }

void OutputDevice::retire(std::unique_ptr<Channel> ch, uint64_t mark) {
    if (ch && !renderedSince(mark)) {
        std::lock_guard lock(retiredMutex_);
        retired_.emplace_back(mark, std::move(ch));
    }
    ch.reset();
    freeRetired();
}

void OutputDevice::freeRetired() {
    std::vector<std::unique_ptr<Channel>> done;
    {
        std::lock_guard lock(retiredMutex_);
        if (retired_.empty()) return;
        for (auto it = retired_.begin(); it != retired_.end();) {
            if (renderedSince(it->first)) {
                done.push_back(std::move(it->second));
                it = retired_.erase(it);
            } else {
                ++it;
            }
        }
    }
}

void OutputDevice::waitForRenderPass() const {
    const uint64_t p = pass_.load();
    if ((p & 1) == 0) return;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (pass_.load() == p && std::chrono::steady_clock::now() < limit) std::this_thread::yield();
}

void OutputDevice::render(void* dst, int frames) noexcept {
    beginPass();
    const int dch = format_.channels;
    // Adding and taking away 1.5 x 2^23 leaves a float of that size no
    // fraction bits: it rounds half to even as nearbyint does, without a
    // call per sample. Exact for the clamped range.
    constexpr float kRound = 12582912.0f;
    bool dry = false;
    while (frames > 0) {
        const int n = std::min(frames, kMaxBlockFrames);
        float* acc = acc_.data();
        bool any = false;
        for (auto& s : slots_) {
            Channel* ch = s.load();
            if (!ch) continue;
            if (!any) std::fill(acc, acc + size_t(n) * dch, 0.0f);
            any = true;
            if (ch->mixInto(acc, n)) dry = true;
        }
        if (format_.bits == 16) {
            auto* out = static_cast<int16_t*>(dst);
            if (!any) {
                std::fill(out, out + size_t(n) * dch, int16_t(0));
            } else {
                for (int i = 0; i < n * dch; ++i) {
                    const float v = std::clamp(acc[i] * 32768.0f, -32768.0f, 32767.0f);
                    out[i] = int16_t((v + kRound) - kRound);
                }
            }
            dst = out + size_t(n) * dch;
        } else {
            auto* out = static_cast<uint8_t*>(dst);
            if (!any) {
                std::fill(out, out + size_t(n) * dch, uint8_t(128));
            } else {
                for (int i = 0; i < n * dch; ++i) {
                    const float v = std::clamp(acc[i] * 128.0f, -128.0f, 127.0f);
                    out[i] = uint8_t(int((v + kRound) - kRound) + 128);
                }
            }
            dst = out + size_t(n) * dch;
        }
        frames -= n;
        frames_.fetch_add(n, std::memory_order_relaxed);
    }
    if (dry) noteUnderrun();
    endPass();
}

}  // namespace platform
