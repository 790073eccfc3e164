#pragma once
// What a secondary buffer was: a ring of one file's own PCM, filled by one
// producer (the channel's refill thread or the GUI thread, one at a time)
// and consumed by one device's sound callback.
//
// Hand-over is single-producer/single-consumer: the producer publishes
// `written` with release and reads `consumed` with acquire; the callback does
// the opposite. The callback converts to float, resamples to the device
// rate (libsoxr), applies the volume with a short ramp and adds the result to
// the device's mix. It never locks, allocates or waits; when the ring runs
// dry it plays silence and counts the underrun.
#include "platform/audio/AudioFormat.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

struct soxr;

namespace platform {

class Channel {
public:
    // ringBytes is rounded down to whole frames. maxBlockFrames is the largest
    // block the device will ask for in one piece.
    Channel(PcmFormat file, int64_t ringBytes, PcmFormat device, int maxBlockFrames);
    ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    const PcmFormat& fileFormat() const { return file_; }
    const PcmFormat& deviceFormat() const { return device_; }
    int64_t ringBytes() const { return size_; }

    // Producer side. Counters run on forever (64 bits), so positions written
    // down by the producer never become ambiguous when the ring wraps.
    int64_t written() const { return written_.load(std::memory_order_acquire); }
    int64_t consumed() const { return consumed_.load(std::memory_order_acquire); }
    int64_t freeBytes() const { return size_ - (written() - consumed()); }
    // Copies up to `bytes` (whole frames, at most the free space); returns the count.
    int64_t write(const void* src, int64_t bytes);
    // Writes silence of this format (0x80 for 8-bit data, 0 for 16-bit).
    int64_t writeSilence(int64_t bytes);

    // Only while no device renders this channel (detached): drops what is
    // buffered and starts the resampler afresh, so a restart never plays the
    // ring's stale contents or the tail of the old position.
    void discard();
    // Only while detached: the next pass starts at the set level, without a
    // ramp from whatever level the channel last played at.
    void snapVolume() { current_ = target_.load(std::memory_order_relaxed); }

    // Hundredths of a decibel: 0 full level, -10 000 (or less) silence.
    // Applied by the callback with a ramp of a few milliseconds.
    void setVolume(int hundredthsDb);
    int volume() const { return volume_.load(std::memory_order_relaxed); }
    static float gainOf(int hundredthsDb);

    // Consumer side, called by the device's callback only. True when the
    // ring ran dry during the call (silence was played in its place).
    bool mixInto(float* acc, int frames) noexcept;

    // The ring byte count of the sample the device is mixing now: what the
    // callback took from the ring less what the resampler still holds. Never
    // before the point of the last discard.
    int64_t heard() const { return heard_.load(std::memory_order_acquire); }

    uint64_t underruns() const { return underruns_.load(std::memory_order_relaxed); }
    // How long the callback has been playing silence in place of data it
    // did not have, without a break (0 while it has data). The callback only
    // counts; whoever owns the channel decides what a long run means.
    int64_t starvedMs() const;

private:
    static size_t soxrInput(void* self, const void** data, size_t requested);
    int pullFloat(float* dst, int frames) noexcept;  // always fills `frames`
    // Adds `frames` frames of `src` (the file's channels) at gain `g` to
    // `acc` (the device's channels).
    void addFrames(float* acc, const float* src, int frames, float g) const noexcept;
    void warmResampler();

    const PcmFormat file_;
    const PcmFormat device_;
    const int maxBlock_;
    int64_t size_;
    std::unique_ptr<unsigned char[]> ring_;
    std::atomic<int64_t> written_{0};
    std::atomic<int64_t> consumed_{0};
    std::atomic<int64_t> heard_{0};
    int64_t base_ = 0;  // consumed_ at the last discard; set only while detached
    bool dry_ = false;  // consumer-owned

    std::atomic<int> volume_{0};
    std::atomic<float> target_{1.0f};
    float current_ = 1.0f;  // consumer-owned
    int rampFrames_;

    soxr* soxr_ = nullptr;
    bool warming_ = false;
    std::vector<float> in_;   // file-rate frames, file channels
    std::vector<float> out_;  // device-rate frames, file channels
    std::atomic<uint64_t> underruns_{0};
    std::atomic<int64_t> starvedFrames_{0};  // file-rate frames; written by the consumer (and discard)
};

}  // namespace platform
