#pragma once
// Plain descriptions of PCM data, shared by decoders, channels and devices.
#include <cstdint>

namespace platform {

// Interleaved integer PCM: 8-bit unsigned or 16-bit signed little-endian.
struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;

    int blockAlign() const { return channels * bits / 8; }
    int bytesPerSecond() const { return rate * blockAlign(); }
    bool valid() const {
        return rate > 0 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
    }
    bool operator==(const PcmFormat&) const = default;
};

}  // namespace platform
