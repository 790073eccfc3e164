#pragma once
// MPEG audio (layers 1-3: MP2, MP3, S48, MPEG inside WAV) through libmpg123.
#include "platform/audio/Decoder.h"
#include "platform/audio/FileRange.h"

#include <memory>

struct mpg123_handle_struct;

namespace platform {

class MpegDecoder final : public Decoder {
public:
    // Takes the file, already limited to the MPEG data. Output is forced to
    // 16-bit at the stream's own rate; gapless trimming is off so that the
    // markers stored with a recording stay aligned with what is heard; the
    // length is estimated from the header or file size, never by scanning
    // the whole file (opening runs on the GUI thread).
    static std::unique_ptr<MpegDecoder> open(std::unique_ptr<FileRange> file);
    ~MpegDecoder() override;

    PcmFormat format() const override { return format_; }
    int64_t lengthFrames() const override { return length_; }
    int64_t read(void* dst, int64_t maxBytes) override;
    bool seekFrame(int64_t frame) override;

private:
    MpegDecoder() = default;
    std::unique_ptr<FileRange> file_;
    mpg123_handle_struct* mh_ = nullptr;
    PcmFormat format_;
    int64_t length_ = 0;
    bool ended_ = false;
};

}  // namespace platform
