#include "platform/audio/MpegDecoder.h"

#include <mpg123.h>

#include <mutex>

namespace platform {
namespace {

mpg123_ssize_t readCb(void* h, void* dst, size_t n) {
    return mpg123_ssize_t(static_cast<FileRange*>(h)->read(dst, int64_t(n)));
}
off_t seekCb(void* h, off_t offset, int whence) {
    return off_t(static_cast<FileRange*>(h)->seek(int64_t(offset), whence));
}

}  // namespace

std::unique_ptr<MpegDecoder> MpegDecoder::open(std::unique_ptr<FileRange> file) {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
    if (!file || !file->isOpen()) return nullptr;

    std::unique_ptr<MpegDecoder> d(new MpegDecoder);
    int err = MPG123_OK;
    d->mh_ = mpg123_new(nullptr, &err);
    if (!d->mh_) return nullptr;
    mpg123_handle* mh = d->mh_;
    // Quiet: a broken file must not flood the terminal from the refill thread.
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    mpg123_format_none(mh);
    const long* rates = nullptr;
    size_t nRates = 0;
    mpg123_rates(&rates, &nRates);
    for (size_t i = 0; i < nRates; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);

    d->file_ = std::move(file);
    if (mpg123_replace_reader_handle(mh, readCb, seekCb, nullptr) != MPG123_OK) return nullptr;
    if (mpg123_open_handle(mh, d->file_.get()) != MPG123_OK) return nullptr;
    mpg123_set_filesize(mh, off_t(d->file_->size()));

    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(mh, &rate, &channels, &encoding) != MPG123_OK) return nullptr;
    if (rate <= 0 || (channels != 1 && channels != 2) || encoding != MPG123_ENC_SIGNED_16) return nullptr;
    d->format_ = PcmFormat{int(rate), channels, 16};
    const off_t len = mpg123_length(mh);
    d->length_ = len > 0 ? int64_t(len) : 0;
    return d;
}

MpegDecoder::~MpegDecoder() {
    if (mh_) {
        mpg123_close(mh_);
        mpg123_delete(mh_);
    }
}

int64_t MpegDecoder::read(void* dst, int64_t maxBytes) {
    const int align = format_.blockAlign();
    int64_t want = maxBytes / align * align;
    if (ended_ || want <= 0) return 0;
    auto* out = static_cast<unsigned char*>(dst);
    int64_t total = 0;
    while (total < want) {
        size_t done = 0;
        const int r = mpg123_read(mh_, out + total, size_t(want - total), &done);
        total += int64_t(done);
        if (r == MPG123_OK) {
            if (done == 0) break;
            continue;
        }
        if (r == MPG123_NEW_FORMAT) {
            // The encoding is fixed to 16 bit; a stream that changes its rate
            // or channel count mid-way is cut there rather than played wrong.
            long rate = 0;
            int ch = 0, enc = 0;
            mpg123_getformat(mh_, &rate, &ch, &enc);
            if (rate == format_.rate && ch == format_.channels) continue;
        }
        // MPG123_DONE, or an error: a broken stream ends where it breaks.
        ended_ = true;
        break;
    }
    return total / align * align;
}

bool MpegDecoder::seekFrame(int64_t frame) {
    if (frame < 0) frame = 0;
    const off_t r = mpg123_seek(mh_, off_t(frame), SEEK_SET);
    if (r < 0) {
        ended_ = true;
        return false;
    }
    ended_ = false;
    return true;
}

}  // namespace platform
