#pragma once
// One small interface in front of every audio file format the program plays.
// A decoder gives whole frames of integer PCM at the file's own rate; it never
// throws and never reads outside the file's audio data.
#include "platform/audio/AudioFormat.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual PcmFormat format() const = 0;
    // Length in frames; for compressed files an estimate made without
    // reading the whole file.
    virtual int64_t lengthFrames() const = 0;
    // Decodes up to maxBytes (rounded down to whole frames) into dst.
    // Returns the bytes given; 0 at the end of the data or after a decode
    // error (a broken file simply ends there).
    virtual int64_t read(void* dst, int64_t maxBytes) = 0;
    // Moves to a frame (clamped to 0 .. length); false when impossible.
    virtual bool seekFrame(int64_t frame) = 0;
};

enum class DecoderError { None, CannotOpen, NotAudio, Unsupported };

// Opens a file by looking at its contents: RIFF/WAVE (PCM, or MPEG inside
// WAV) or a bare MPEG audio stream (MP2, MP3, S48). fsPath is a Linux path.
std::unique_ptr<Decoder> openDecoder(const QString& fsPath, DecoderError* error = nullptr);

// What a player would make of the file: it is opened as above and its first
// audio decoded: Plays only when sound comes out; Empty when the decoder
// opens the file but no frame decodes.
enum class ProbeResult { Plays, CannotOpen, NotAudio, Unsupported, Empty };
ProbeResult probeDecoder(const QString& fsPath);

// Wraps every decoder opened from now on (an empty function: none), so a
// test can stand a slow disk or network share in front of a real file.
using DecoderWrapper = std::function<std::unique_ptr<Decoder>(std::unique_ptr<Decoder>)>;
void setDecoderWrapper(DecoderWrapper wrapper);

}  // namespace platform
