#include "platform/audio/Decoder.h"

#include "platform/audio/FileRange.h"
#include "platform/audio/MpegDecoder.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// PCM WAV data is read as it is stored.
class WavDecoder final : public Decoder {
public:
    WavDecoder(std::unique_ptr<FileRange> file, PcmFormat f) : file_(std::move(file)), format_(f) {}
    PcmFormat format() const override { return format_; }
    int64_t lengthFrames() const override { return file_->size() / format_.blockAlign(); }
    int64_t read(void* dst, int64_t maxBytes) override {
        const int align = format_.blockAlign();
        const int64_t want = maxBytes / align * align;
        if (want <= 0) return 0;
        int64_t total = 0;
        auto* out = static_cast<char*>(dst);
        while (total < want) {
            const int64_t n = file_->read(out + total, want - total);
            if (n <= 0) break;  // end, or a read error: the data ends here
            total += n;
        }
        // A truncated file can end inside a frame; such a half frame is dropped.
        const int64_t whole = total / align * align;
        if (whole != total) file_->seek(whole - total, SEEK_CUR);
        return whole;
    }
    bool seekFrame(int64_t frame) override {
        frame = std::clamp<int64_t>(frame, 0, lengthFrames());
        return file_->seek(frame * format_.blockAlign(), SEEK_SET) >= 0;
    }

private:
    std::unique_ptr<FileRange> file_;
    PcmFormat format_;
};

struct WavInfo {
    bool riff = false;
    int tag = 0, channels = 0, rate = 0, bits = 0;
    bool hasFmt = false, hasData = false;
    int64_t dataStart = 0, dataEnd = 0;
};

// Walks the chunk list of a RIFF/WAVE file. Sizes are never trusted beyond
// the file's end: a truncated file plays what it holds.
WavInfo parseWav(FileRange& f) {
    WavInfo w;
    unsigned char h[12];
    if (!f.readAt(0, h, 12) || std::memcmp(h, "RIFF", 4) != 0) return w;
    w.riff = true;
    // A RIFF file of another form, or one whose "WAVE" tag is damaged, is
    // not guessed at: it has neither fmt nor data and is refused.
    if (std::memcmp(h + 8, "WAVE", 4) != 0) return w;
    int64_t at = 12;
    const int64_t size = f.fileSize();
    for (int guard = 0; guard < 10000 && at + 8 <= size; ++guard) {
        unsigned char c[8];
        if (!f.readAt(at, c, 8)) break;
        const int64_t len = qFromLittleEndian<quint32>(c + 4);
        const int64_t body = at + 8;
        if (std::memcmp(c, "fmt ", 4) == 0 && len >= 16 && body + 16 <= size) {
            unsigned char b[16];
            if (f.readAt(body, b, 16)) {
                w.tag = qFromLittleEndian<quint16>(b);
                w.channels = qFromLittleEndian<quint16>(b + 2);
                w.rate = int(qFromLittleEndian<quint32>(b + 4));
                w.bits = qFromLittleEndian<quint16>(b + 14);
                w.hasFmt = true;
            }
        } else if (std::memcmp(c, "data", 4) == 0 && !w.hasData) {
            w.hasData = true;
            w.dataStart = body;
            w.dataEnd = std::min(size, body + len);
        }
        if (w.hasFmt && w.hasData) break;
        at = body + len + (len & 1);
    }
    return w;
}

bool looksLikeText(FileRange& f) {
    // An empty file or one that is not audio at all is refused before
    // mpg123 is asked to hunt through it for a frame.
    return f.fileSize() < 4;
}

std::mutex wrapperMutex;
DecoderWrapper& wrapper() {
    static DecoderWrapper w;
    return w;
}

std::unique_ptr<Decoder> openUnwrapped(const QString& fsPath, DecoderError* error);

}  // namespace

void setDecoderWrapper(DecoderWrapper w) {
    std::lock_guard lock(wrapperMutex);
    wrapper() = std::move(w);
}

ProbeResult probeDecoder(const QString& fsPath) {
    DecoderError e = DecoderError::None;
    auto d = openUnwrapped(fsPath, &e);
    switch (e) {
    case DecoderError::None: break;
    case DecoderError::CannotOpen: return ProbeResult::CannotOpen;
    case DecoderError::NotAudio: return ProbeResult::NotAudio;
    case DecoderError::Unsupported: return ProbeResult::Unsupported;
    }
    if (!d) return ProbeResult::NotAudio;
    // An empty recording is what it is (its users say so themselves).
    if (d->lengthFrames() == 0) return ProbeResult::Plays;
    // The first frames, as a player's first refill takes them: an MPEG
    // stream whose headers look right but whose frames do not decode
    // would otherwise start and fall silent at once.
    std::vector<char> buf(size_t(std::max(d->format().blockAlign(), 1)) * 4608);
    return d->read(buf.data(), int64_t(buf.size())) > 0 ? ProbeResult::Plays : ProbeResult::Empty;
}

std::unique_ptr<Decoder> openDecoder(const QString& fsPath, DecoderError* error) {
    auto d = openUnwrapped(fsPath, error);
    std::lock_guard lock(wrapperMutex);
    if (d && wrapper()) d = wrapper()(std::move(d));
    return d;
}

namespace {

std::unique_ptr<Decoder> openUnwrapped(const QString& fsPath, DecoderError* error) {
    auto fail = [error](DecoderError e) -> std::unique_ptr<Decoder> {
        if (error) *error = e;
        return nullptr;
    };
    if (error) *error = DecoderError::None;
    auto file = std::make_unique<FileRange>();
    if (!file->open(fsPath)) return fail(DecoderError::CannotOpen);
    if (looksLikeText(*file)) return fail(DecoderError::NotAudio);

    const WavInfo w = parseWav(*file);
    if (w.riff) {
        if (!w.hasFmt || !w.hasData) return fail(DecoderError::NotAudio);
        file->limit(w.dataStart, w.dataEnd);
        if (w.tag == 1) {
            const PcmFormat f{w.rate, w.channels, w.bits};
            if (!f.valid()) return fail(DecoderError::Unsupported);
            return std::make_unique<WavDecoder>(std::move(file), f);
        }
        if (w.tag == 0x50 || w.tag == 0x55) {
            auto d = MpegDecoder::open(std::move(file));
            if (!d) return fail(DecoderError::NotAudio);
            return d;
        }
        return fail(DecoderError::Unsupported);
    }
    auto d = MpegDecoder::open(std::move(file));
    if (!d) return fail(DecoderError::NotAudio);
    return d;
}

}  // namespace
}  // namespace platform
