#pragma once
// Decodes one audio file to PCM blocks between a start and an end position.
// Times are in 100-ns units, as the streaming mixer keeps them.
#include "platform/audio/Decoder.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

// The PCM format of the decoded data.
struct TWaveFormatPcm {
    uint16_t wFormatTag = 1;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
};

class EAudioReadError : public std::runtime_error {
public:
    EAudioReadError(const QString& message, uint32_t code);
    virtual ~EAudioReadError() = default;
    QString Message() const { return QString::fromUtf8(what()); }
    uint32_t ErrorCode;
};

// The message of a reader result code ("Unrecognized error value." when
// there is none).
QString AudioReadErrorText(uint32_t code);
// Raises EAudioReadError for any code but 0.
void CheckAudioResult(uint32_t code);

// Result codes the reader raises on Linux for files it cannot open.
constexpr uint32_t kAudioFileNotFound = 0x80070002;
constexpr uint32_t kAudioInvalidFileFormat = 0x8004022F;
constexpr uint32_t kAudioUnsupportedStream = 0x80040265;

class TcbAudioFileReader {
public:
    // fileName is a stored path (drive letters allowed); raises EAudioReadError.
    explicit TcbAudioFileReader(const QString& fileName);
    ~TcbAudioFileReader();
    TcbAudioFileReader(const TcbAudioFileReader&) = delete;
    TcbAudioFileReader& operator=(const TcbAudioFileReader&) = delete;

    // Bytes decoded into buffer (whole frames); 0 at the end of the stream
    // or of the end position.
    int Read(void* buffer, int size);
    void Seek(int64_t position);
    void SetStartPos(int64_t position);
    void SetEndPos(int64_t length);

    const TWaveFormatPcm& Format() const { return format_; }
    int64_t Duration() const { return duration_; }
    int64_t Position() const { return position_; }
    int64_t StartPos() const { return start_; }
    int64_t EndPos() const { return end_; }
    // Stream times of the last block read.
    int64_t SampleStart() const { return sampleStart_; }
    int64_t SampleEnd() const { return sampleEnd_; }

    static constexpr int64_t kMinEnd = 100000;                 // 10 ms
    static constexpr int64_t kMaxEnd = 1000000000000000LL;     // 10^15

private:
    int64_t frameTime(int64_t frame) const;

    std::unique_ptr<platform::Decoder> decoder_;
    TWaveFormatPcm format_;
    int64_t duration_ = 0;
    int64_t position_ = 0, start_ = 0, end_ = 0;
    int64_t sampleStart_ = 0, sampleEnd_ = 0;
    int64_t frame_ = 0;  // where the decoder stands
};
