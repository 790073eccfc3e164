#pragma once
// One output device (a sound card stream or the virtual device) and the
// channels routed to it. Its render pass sums the channels in float and
// clamps to the device format; it takes no lock, allocates nothing and
// never waits.
#include "platform/audio/AudioFormat.h"

#include <QString>
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

namespace platform {

class Channel;

class OutputDevice {
public:
    static constexpr int kMaxChannels = 32;
    static constexpr int kMaxBlockFrames = 4096;

    OutputDevice(QString name, PcmFormat format);
    virtual ~OutputDevice();
    OutputDevice(const OutputDevice&) = delete;
    OutputDevice& operator=(const OutputDevice&) = delete;

    const QString& name() const { return name_; }
    const PcmFormat& format() const { return format_; }
    virtual bool isVirtual() const { return false; }
    // Time on this device moves only when a test steps it, as fast as the
    // test likes; nothing filled on another thread can keep pace with that.
    virtual bool stepped() const { return false; }

    // The callback starts mixing the channel with its next pass. False when
    // every slot is taken.
    bool attach(Channel* ch);
    // When this returns, no render pass touches the channel any more (it
    // waits, at most for the pass under way).
    void detach(Channel* ch);

    int64_t framesRendered() const { return frames_.load(std::memory_order_relaxed); }
    // Frames between the mix and the listener: what the stream buffers
    // after the callback (0 for the virtual device).
    int64_t latencyFrames() const { return latency_.load(std::memory_order_relaxed); }
    // Render passes in which a channel's ring ran dry, plus the stream's own
    // reports of an output underflow.
    uint64_t underruns() const { return underruns_.load(std::memory_order_relaxed); }

protected:
    // Mixes `frames` frames into dst in the device format (8-bit unsigned or
    // 16-bit signed, interleaved). Real-time safe.
    void render(void* dst, int frames) noexcept;
    void setLatencyFrames(int64_t frames) { latency_.store(frames, std::memory_order_relaxed); }
    // Returns once a render pass under way (if any) has ended; bounded, in
    // case the pass belongs to a stream that died inside its callback.
    void waitForRenderPass() const;
    void noteUnderrun() noexcept { underruns_.fetch_add(1, std::memory_order_relaxed); }

private:
    const QString name_;
    const PcmFormat format_;
    std::array<std::atomic<Channel*>, kMaxChannels> slots_{};
    std::atomic<uint64_t> pass_{0};  // odd while a render pass runs
    std::vector<float> acc_;
    std::atomic<int64_t> frames_{0};
    std::atomic<int64_t> latency_{0};
    std::atomic<uint64_t> underruns_{0};
};

}  // namespace platform
