#include "platform/audio/Channel.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {
constexpr size_t kInputPiece = 64;
}  // namespace

Channel::Channel(PcmFormat file, int64_t ringBytes, PcmFormat device, int maxBlockFrames)
    : file_(file), device_(device), maxBlock_(std::max(64, maxBlockFrames)) {
    const int align = file_.blockAlign();
    size_ = std::max<int64_t>(align, ringBytes / align * align);
    // The ring is set aside here, once, so the callback never allocates. It
    // is not filled: the callback reads only what was written, so its pages
    // are touched by the writer as it goes, not all at once by the start.
    ring_.reset(new unsigned char[size_t(size_)]);
    // A fade step of the on-air loop (30 ms) must be heard at once but must
    // not click: about 5 ms of ramp.
    rampFrames_ = std::max(1, device_.rate / 200);

    in_.assign(size_t(maxBlock_) * file_.channels, 0.0f);
    out_.assign(size_t(maxBlock_) * file_.channels, 0.0f);
    if (file_.rate != device_.rate) {
        soxr_error_t err = nullptr;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t q = soxr_quality_spec(SOXR_HQ, 0);
        const soxr_runtime_spec_t rt = soxr_runtime_spec(1);
        soxr_ = soxr_create(double(file_.rate), double(device_.rate), unsigned(file_.channels), &err, &io, &q,
                            &rt);
        if (err || !soxr_) {
            soxr_delete(soxr_);
            soxr_ = nullptr;  // falls back to playing unresampled rather than not at all
        } else {
            soxr_set_input_fn(soxr_, &Channel::soxrInput, this,
                              size_t(maxBlock_));
            warmResampler();
        }
    }
}

Channel::~Channel() { soxr_delete(soxr_); }

// soxr grows its internal buffers on first use; running it on silence here
// (off the real-time thread) leaves them at their working size.
void Channel::warmResampler() {
    if (!soxr_) return;
    warming_ = true;
    for (int i = 0; i < 4; ++i) soxr_output(soxr_, out_.data(), size_t(maxBlock_));
    warming_ = false;
}

int64_t Channel::write(const void* src, int64_t bytes) {
    const int align = file_.blockAlign();
    const int64_t w = written_.load(std::memory_order_relaxed);
    const int64_t n = std::min(bytes, size_ - (w - consumed())) / align * align;
    if (n <= 0) return 0;
    const int64_t at = w % size_;
    const int64_t first = std::min(n, size_ - at);
    std::memcpy(ring_.get() + at, src, size_t(first));
    std::memcpy(ring_.get(), static_cast<const unsigned char*>(src) + first, size_t(n - first));
    written_.store(w + n, std::memory_order_release);
    return n;
}

int64_t Channel::writeSilence(int64_t bytes) {
    const int align = file_.blockAlign();
    const int64_t w = written_.load(std::memory_order_relaxed);
    const int64_t n = std::min(bytes, size_ - (w - consumed())) / align * align;
    if (n <= 0) return 0;
    const int fill = file_.bits == 8 ? 0x80 : 0;
    const int64_t at = w % size_;
    const int64_t first = std::min(n, size_ - at);
    std::memset(ring_.get() + at, fill, size_t(first));
    std::memset(ring_.get(), fill, size_t(n - first));
    written_.store(w + n, std::memory_order_release);
    return n;
}

void Channel::discard() {
    starvedFrames_.store(0, std::memory_order_relaxed);
    base_ = written_.load(std::memory_order_relaxed);
    consumed_.store(base_, std::memory_order_release);
    heard_.store(base_, std::memory_order_release);
    current_ = target_.load(std::memory_order_relaxed);
    if (soxr_) {
        soxr_clear(soxr_);
        soxr_set_input_fn(soxr_, &Channel::soxrInput, this,
                          size_t(maxBlock_));
        warmResampler();
    }
}

int64_t Channel::starvedMs() const {
    return file_.rate > 0 ? starvedFrames_.load(std::memory_order_relaxed) * 1000 / file_.rate : 0;
}

float Channel::gainOf(int v) {
    if (v <= -10000) return 0.0f;
    return std::pow(10.0f, float(v) / 2000.0f);
}

void Channel::setVolume(int v) {
    volume_.store(v, std::memory_order_relaxed);
    target_.store(gainOf(v), std::memory_order_relaxed);
}

int Channel::pullFloat(float* dst, int frames) noexcept {
    const int align = file_.blockAlign();
    const int ch = file_.channels;
    const int64_t c = consumed_.load(std::memory_order_relaxed);
    const int64_t avail = (written_.load(std::memory_order_acquire) - c) / align;
    const int n = int(std::min<int64_t>(avail, frames));
    int64_t at = c % size_;
    // The ring in runs up to its end, each converted in one flat loop over
    // its samples (vector code), as the callback does it every period.
    for (int done = 0; done < n;) {
        const int run = int(std::min<int64_t>(n - done, (size_ - at) / align));
        const unsigned char* r = ring_.get() + at;
        float* d = dst + size_t(done) * ch;
        const int samples = run * ch;
        if (file_.bits == 16) {
            for (int j = 0; j < samples; ++j)
                d[j] = float(int16_t(uint16_t(r[2 * j]) | uint16_t(r[2 * j + 1]) << 8)) * (1.0f / 32768.0f);
        } else {
            for (int j = 0; j < samples; ++j) d[j] = float(int(r[j]) - 128) * (1.0f / 128.0f);
        }
        done += run;
        at += int64_t(run) * align;
        if (at >= size_) at = 0;
    }
    if (n < frames) {
        std::fill(dst + size_t(n) * ch, dst + size_t(frames) * ch, 0.0f);
        underruns_.fetch_add(1, std::memory_order_relaxed);
        dry_ = true;
        // A run of silence goes on from the last call unless data came in this one.
        const int64_t before = n > 0 ? 0 : starvedFrames_.load(std::memory_order_relaxed);
        starvedFrames_.store(before + (frames - n), std::memory_order_relaxed);
    } else if (starvedFrames_.load(std::memory_order_relaxed) != 0) {
        starvedFrames_.store(0, std::memory_order_relaxed);
    }
    consumed_.store(c + int64_t(n) * align, std::memory_order_release);
    return n;
}

size_t Channel::soxrInput(void* self, const void** data, size_t requested) {
    auto* ch = static_cast<Channel*>(self);
    // Small pieces: what soxr takes beyond its need waits in its input queue,
    // and that would put the played position (and the end) behind the ring's.
    const int frames = int(std::min<size_t>(requested, kInputPiece));
    if (ch->warming_) {
        std::fill(ch->in_.begin(), ch->in_.begin() + size_t(frames) * ch->file_.channels, 0.0f);
    } else {
        ch->pullFloat(ch->in_.data(), frames);
    }
    *data = ch->in_.data();
    // Never 0: that would tell soxr the input has ended for good. A dry
    // ring gives silence instead.
    return size_t(std::max(frames, 1));
}

void Channel::addFrames(float* acc, const float* src, int frames, float g) const noexcept {
    const int fch = file_.channels;
    const int dch = device_.channels;
    if (fch == dch) {
        for (int k = 0; k < frames * dch; ++k) acc[k] += src[k] * g;
    } else if (fch == 1) {
        for (int i = 0; i < frames; ++i) {
            acc[2 * i] += src[i] * g;
            acc[2 * i + 1] += src[i] * g;
        }
    } else {
        for (int i = 0; i < frames; ++i) acc[i] += (src[2 * i] + src[2 * i + 1]) * 0.5f * g;
    }
}

bool Channel::mixInto(float* acc, int frames) noexcept {
    dry_ = false;
    const int fch = file_.channels;
    const int dch = device_.channels;
    const float target = target_.load(std::memory_order_relaxed);
    const float step = (target - current_) / float(rampFrames_);
    while (frames > 0) {
        const int n = std::min(frames, maxBlock_);
        if (soxr_) {
            const size_t got = soxr_output(soxr_, out_.data(), size_t(n));
            if (got < size_t(n)) std::fill(out_.begin() + got * fch, out_.begin() + size_t(n) * fch, 0.0f);
        } else {
            pullFloat(out_.data(), n);
        }
        const float* src = out_.data();
        int i = 0;
        // While the gain moves to its target it changes frame by frame...
        for (; i < n && current_ != target; ++i) {
            current_ += step;
            if ((step > 0 && current_ >= target) || (step < 0 && current_ <= target) || step == 0) current_ = target;
            addFrames(acc, src, 1, current_);
            src += fch;
            acc += dch;
        }
        // ...then it holds, and the rest is one loop the compiler vectorizes.
        addFrames(acc, src, n - i, current_);
        src += size_t(n - i) * fch;
        acc += size_t(n - i) * dch;
        frames -= n;
    }
    int64_t heard = consumed_.load(std::memory_order_relaxed);
    if (soxr_) {
        // soxr_delay counts output frames; what it holds came from the ring
        // at the file's rate.
        const double held = soxr_delay(soxr_) * file_.rate / device_.rate;
        heard = std::max(base_, heard - int64_t(std::lround(held)) * file_.blockAlign());
    }
    heard_.store(heard, std::memory_order_release);
    return dry_;
}

}  // namespace platform
