#pragma once
// Plain descriptions of PCM data, shared by decoders, channels and devices.
#include <cstdint>

namespace platform {

// What a sound card can play at all. A header outside this is damaged: a
// rate of 1 Hz would make an element of a few seconds "play" for hours.
constexpr int kMinCardRate = 8000;
constexpr int kMaxCardRate = 192000;
constexpr int kMaxCardChannels = 8;
constexpr bool cardCanPlay(long long rate, long long channels) {
    return rate >= kMinCardRate && rate <= kMaxCardRate && channels >= 1 && channels <= kMaxCardChannels;
}

// Interleaved integer PCM: 8-bit unsigned or 16-bit signed little-endian.
struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;

    int blockAlign() const { return channels * bits / 8; }
    // In 64 bits: a damaged header's rate times its frame size need not fit an int.
    long long bytesPerSecond() const { return (long long)rate * blockAlign(); }
    bool valid() const {
        return cardCanPlay(rate, channels) && (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
    }
    bool operator==(const PcmFormat&) const = default;
};

}  // namespace platform
