#pragma once
// One capture device: a sound card's input stream or the file-fed stand-in.
// The producer (the card's callback, or the feeder) only copies into a ring
// set aside when the device opens and counts what did not fit; the GUI takes
// whole blocks in the order they were captured. One producer, one consumer,
// no lock.
#include "platform/audio/AudioFormat.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {

class InputDevice {
public:
    // What the GUI takes at once: the size of one capture buffer.
    static constexpr int kBlockBytes = 16384;
    // The ring holds this many blocks (about 6 s of 44.1 kHz stereo): enough
    // for a GUI that sits in a modal loop for a while.
    static constexpr int kRingBlocks = 64;

    InputDevice(QString name, PcmFormat format);
    virtual ~InputDevice() = default;
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    const QString& name() const { return name_; }
    const PcmFormat& format() const { return format_; }
    virtual bool isVirtual() const { return false; }

    // Whole blocks waiting to be taken.
    int blocksReady() const;
    // Copies the oldest whole block (kBlockBytes) into dst; false when no
    // whole block is there yet. Consumer side only.
    bool takeBlock(char* dst);
    // Captured pieces dropped because the ring was full.
    uint64_t overruns() const { return overruns_.load(std::memory_order_relaxed); }

protected:
    // Producer side: real-time safe. A piece that does not fit whole is
    // dropped and counted, so the blocks that are taken stay contiguous.
    void push(const void* src, size_t bytes) noexcept;

private:
    const QString name_;
    const PcmFormat format_;
    std::vector<char> ring_;
    std::atomic<uint64_t> written_{0};  // bytes ever pushed (producer)
    std::atomic<uint64_t> read_{0};     // bytes ever taken (consumer)
    std::atomic<uint64_t> overruns_{0};
};

// A capture device fed from a WAV file: its PCM, then silence for ever. A
// file in another format than the one asked for gives silence only (it
// would play at the wrong speed). Stepped by a test, or in real time on a
// thread of its own paced by the steady clock, as a card would deliver.
class FileInput final : public InputDevice {
public:
    // fsPath: a Linux path; empty gives silence.
    FileInput(QString name, PcmFormat format, const QString& fsPath, bool realTime);
    ~FileInput() override;

    bool isVirtual() const override { return true; }
    bool realTime() const { return realTime_; }
    // Whether the file's PCM is being given (false: silence only).
    bool fileUsed() const { return !pcm_.isEmpty(); }

    // Stepped mode: captures `frames` frames now, on the calling thread.
    void step(int64_t frames);
    // Stepped mode: captures exactly `blocks` whole blocks.
    void stepBlocks(int blocks);

private:
    void produce(int64_t frames);

    const bool realTime_;
    QByteArray pcm_;
    int64_t pos_ = 0;  // bytes of pcm_ given
    std::vector<char> chunk_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace platform
