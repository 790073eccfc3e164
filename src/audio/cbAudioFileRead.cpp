#include "audio/cbAudioFileRead.h"

#include "platform/Paths.h"

#include <algorithm>
#include <map>

namespace {

const std::map<uint32_t, const char*>& messages() {
    static const std::map<uint32_t, const char*> m = {
        {0x08000001, "Invalid buffer size."},
        {0x80040154, "A specified class is not registered in the registration database."},
        {0x80040110, "This class cannot be created as part of an aggregate."},
        {0x80004004, "The update aborted."},
        {0x80070057, "One of the parameters is invalid."},
        {0x80004003, "This method tried to access an invalid pointer."},
        {0x80004002, "No interface."},
        {0x00040001, "The asynchronous update is pending."},
        {0x00040002, "Sample was not updated after forced completion."},
        {0x00040003, "Reached the end of the stream; the sample wasn't updated."},
        {0x80040401, "An IMediaStream object could not be removed from an IMultiMediaStream object because it "
                     "still contains at least one allocated sample."},
        {0x80040402, "The specified purpose ID can't be used for the call."},
        {0x80040403, "No stream can be found with the specified attributes."},
        {0x80040404, "One or more media streams don't support seeking."},
        {0x80040405, "The stream formats are not compatible."},
        {0x80040406, "This sample already has a pending update."},
        {0x80040407, "The object can't accept the call because its initialize function or equivalent has not "
                     "been called."},
        {0x80040408, "Source already defined."},
        {0x80040409, "The stream type is not valid for this operation."},
        {0x8004040A, "The IMultiMediaStream object is not in running state."},
    };
    return m;
}

// What the system itself says for the codes this reader raises on Linux.
const std::map<uint32_t, const char*>& platformTexts() {
    static const std::map<uint32_t, const char*> m = {
        {kAudioFileNotFound, "The system cannot find the file specified."},
        {kAudioInvalidFileFormat, "The file format is invalid."},
        {kAudioUnsupportedStream, "Cannot play back the file. The format is not supported."},
    };
    return m;
}

}  // namespace

EAudioReadError::EAudioReadError(const QString& message, uint32_t code)
    : std::runtime_error(message.toStdString()), ErrorCode(code) {}

QString AudioReadErrorText(uint32_t code) {
    if (auto it = messages().find(code); it != messages().end()) return QString::fromLatin1(it->second);
    if (auto it = platformTexts().find(code); it != platformTexts().end())
        return QString::fromLatin1(it->second).left(300);
    return QStringLiteral("Unrecognized error value.");
}

void CheckAudioResult(uint32_t code) {
    if (code != 0) throw EAudioReadError(AudioReadErrorText(code), code);
}

TcbAudioFileReader::TcbAudioFileReader(const QString& fileName) {
    platform::DecoderError err = platform::DecoderError::None;
    decoder_ = platform::openDecoder(platform::resolvePath(fileName), &err);
    if (!decoder_) {
        switch (err) {
        case platform::DecoderError::CannotOpen: CheckAudioResult(kAudioFileNotFound); break;
        case platform::DecoderError::Unsupported: CheckAudioResult(kAudioUnsupportedStream); break;
        default: CheckAudioResult(kAudioInvalidFileFormat); break;
        }
    }
    const platform::PcmFormat f = decoder_->format();
    format_.wFormatTag = 1;
    format_.nChannels = uint16_t(f.channels);
    format_.nSamplesPerSec = uint32_t(f.rate);
    format_.nBlockAlign = uint16_t(f.blockAlign());
    format_.nAvgBytesPerSec = uint32_t(f.bytesPerSecond());
    format_.wBitsPerSample = uint16_t(f.bits);
    duration_ = frameTime(decoder_->lengthFrames());
}

TcbAudioFileReader::~TcbAudioFileReader() = default;

int64_t TcbAudioFileReader::frameTime(int64_t frame) const {
    return frame * 10000000 / int64_t(format_.nSamplesPerSec);
}

int TcbAudioFileReader::Read(void* buffer, int size) {
    const int64_t limit = start_ + end_;
    if (end_ != 0 && limit <= position_) return 0;
    if (!buffer || size <= 0) return 0;
    int64_t bytes = decoder_->read(buffer, size);
    if (bytes <= 0) return 0;  // end of the stream; a decode error ends it too
    const int64_t frames = bytes / format_.nBlockAlign;
    sampleStart_ = frameTime(frame_);
    frame_ += frames;
    sampleEnd_ = std::max(sampleStart_, frameTime(frame_));
    if (end_ != 0 && sampleEnd_ > limit) {
        // Cut to whole frames before the limit. A block that starts at or past
        // the limit, or spans no time at all, gives nothing.
        const int64_t span = sampleEnd_ - sampleStart_;
        if (limit <= sampleStart_ || span <= 0) {
            bytes = 0;
        } else {
            bytes = bytes * (limit - sampleStart_) / span;
            bytes -= bytes % format_.nBlockAlign;
        }
        sampleEnd_ = limit;
    }
    position_ = sampleEnd_;
    return int(bytes);
}

void TcbAudioFileReader::Seek(int64_t position) {
    if (position == position_) return;
    if (position < start_) position = start_;
    if (position > duration_) position = duration_;
    if (end_ != 0 && position > start_ + end_) position = start_ + end_;
    const int64_t frame = position * int64_t(format_.nSamplesPerSec) / 10000000;
    decoder_->seekFrame(frame);
    frame_ = frame;
    position_ = position;
}

void TcbAudioFileReader::SetStartPos(int64_t position) {
    if (position < 0) position = 0;
    // The start is stored before seeking, so the seek is clamped against the
    // new start and not the old one.
    start_ = position;
    if (position_ < position) Seek(position);
}

void TcbAudioFileReader::SetEndPos(int64_t length) {
    if (length < 0) length = 0;
    if (length != 0 && length < kMinEnd) length = kMinEnd;
    if (length > kMaxEnd) length = kMaxEnd;
    end_ = length;
    if (end_ != 0 && start_ + end_ < position_) Seek(start_);
}
