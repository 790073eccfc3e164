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
#include <memory>
#include <mutex>
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
    // Takes the channel out of the mix without waiting: a render pass under
    // way may still be mixing it (a card's callback can hang inside its
    // pass). Returns a mark for renderedSince; a channel that was not
    // attached gives a mark that is passed at once.
    uint64_t detach(Channel* ch);
    // No render pass touches what was detached at `mark` any more.
    bool renderedSince(uint64_t mark) const;
    // Frees a channel detached at `mark` once no pass touches it: at once,
    // else on a later call of retire or attach, or with the device.
    void retire(std::unique_ptr<Channel> ch, uint64_t mark);

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
    // The bounds of a render pass (render calls them).
    void beginPass() noexcept { pass_.fetch_add(1); }
    void endPass() noexcept { pass_.fetch_add(1); }
    void setLatencyFrames(int64_t frames) { latency_.store(frames, std::memory_order_relaxed); }
    // Returns once a render pass under way (if any) has ended; bounded, in
    // case the pass belongs to a stream that died inside its callback. For
    // the device's own stream changes, never for the tick.
    void waitForRenderPass() const;
    void noteUnderrun() noexcept { underruns_.fetch_add(1, std::memory_order_relaxed); }

private:
    void freeRetired();

    const QString name_;
    const PcmFormat format_;
    std::array<std::atomic<Channel*>, kMaxChannels> slots_{};
    std::atomic<uint64_t> pass_{0};  // odd while a render pass runs
    std::vector<float> acc_;
    std::mutex retiredMutex_;  // taken by the channels' owners, never by a pass
    std::vector<std::pair<uint64_t, std::unique_ptr<Channel>>> retired_;
    std::atomic<int64_t> frames_{0};
    std::atomic<int64_t> latency_{0};
    std::atomic<uint64_t> underruns_{0};
};

}  // namespace platform
