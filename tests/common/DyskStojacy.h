#pragma once
// A disk that stops answering, stood in front of real audio files: while the
// gate is shut, every read of a decoder it wraps waits at it (`most` at
// most, so nothing hangs for good). It wraps the decoders opened while it
// stands whose format `which` picks (every one without it).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/audio/Decoder.h"

struct Gate {
    std::mutex m;
    std::condition_variable cv;
    bool open = true;
    int reading = 0;   // reads waiting at the gate now
    int decoders = 0;  // decoders alive
    std::chrono::milliseconds most{1000};
    void set(bool o) {
        std::lock_guard lock(m);
        open = o;
        cv.notify_all();
    }
    int count(int Gate::* what) {
        std::lock_guard lock(m);
        return this->*what;
    }
};

class SlowDecoder final : public platform::Decoder {
public:
    SlowDecoder(std::unique_ptr<platform::Decoder> inner, std::shared_ptr<Gate> gate)
        : inner_(std::move(inner)), gate_(std::move(gate)) {
        std::lock_guard lock(gate_->m);
        ++gate_->decoders;
    }
    ~SlowDecoder() override {
        std::lock_guard lock(gate_->m);
        --gate_->decoders;
    }
    platform::PcmFormat format() const override { return inner_->format(); }
    int64_t lengthFrames() const override { return inner_->lengthFrames(); }
    int64_t read(void* dst, int64_t maxBytes) override {
        {
            std::unique_lock lock(gate_->m);
            ++gate_->reading;
            gate_->cv.wait_for(lock, gate_->most, [this] { return gate_->open; });
            --gate_->reading;
        }
        return inner_->read(dst, maxBytes);
    }
    bool seekFrame(int64_t frame) override { return inner_->seekFrame(frame); }

private:
    std::unique_ptr<platform::Decoder> inner_;
    std::shared_ptr<Gate> gate_;
};

struct DiskOnGate {
    explicit DiskOnGate(std::shared_ptr<Gate> g, std::function<bool(const platform::PcmFormat&)> which = {}) {
        platform::setDecoderWrapper([g, which](std::unique_ptr<platform::Decoder> d) -> std::unique_ptr<platform::Decoder> {
            return which && !which(d->format()) ? std::move(d) : std::make_unique<SlowDecoder>(std::move(d), g);
        });
    }
    ~DiskOnGate() { platform::setDecoderWrapper(nullptr); }
};
