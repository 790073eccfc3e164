#pragma once
// Compressed audio made on the fly for the audio tests: MP3 through LAME and
// MP2 layer II frames of silence written by hand (LAME writes only layer III).
#include <QByteArray>
#include <lame/lame.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace fixtures {

// A CBR MP3 of a sine tone (no Xing/Info frame).
inline QByteArray mp3Tone(int rate, int channels, double frequency, int ms, int kbps = 128,
                          double amplitude = 0.5) {
    lame_t gf = lame_init();
    lame_set_in_samplerate(gf, rate);
    lame_set_out_samplerate(gf, rate);
    lame_set_num_channels(gf, channels);
    lame_set_mode(gf, channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf, kbps);
    lame_set_bWriteVbrTag(gf, 0);
    lame_set_quality(gf, 7);
    lame_init_params(gf);
    const int frames = int(int64_t(rate) * ms / 1000);
    std::vector<short> pcm(size_t(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        const auto s = short(std::lround(amplitude * 32767 * std::sin(2 * M_PI * frequency * i / rate)));
        for (int c = 0; c < channels; ++c) pcm[size_t(i) * channels + c] = s;
    }
    std::vector<unsigned char> out(size_t(frames) * 5 / 4 + 7200 + 16384);
    int n = channels == 2 ? lame_encode_buffer_interleaved(gf, pcm.data(), frames, out.data(), int(out.size()))
                          : lame_encode_buffer(gf, pcm.data(), pcm.data(), frames, out.data(), int(out.size()));
    QByteArray mp3(reinterpret_cast<const char*>(out.data()), n > 0 ? n : 0);
    n = lame_encode_flush(gf, out.data(), int(out.size()));
    if (n > 0) mp3.append(reinterpret_cast<const char*>(out.data()), n);
    lame_close(gf);
    return mp3;
}

// MPEG-1 layer II, 48 kHz, stereo, 192 kbit/s: `count` frames of silence.
// With every bit allocation 0 a frame is its header and zeros; each frame
// holds 1 152 samples (24 ms).
inline QByteArray mp2Silence48k(int count) {
    QByteArray frame(576, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFD);  // MPEG-1, layer II, no CRC
    frame[2] = char(0xA4);  // 192 kbit/s, 48 kHz, no padding
    frame[3] = char(0x00);  // stereo
    QByteArray out;
    for (int i = 0; i < count; ++i) out.append(frame);
    return out;
}

// A WAV file with format tag 0x50 around MPEG data, with optional chunks after it.
inline QByteArray mpegInWav(const QByteArray& mpeg, const QByteArray& afterId = {}, const QByteArray& after = {}) {
    auto le32 = [](QByteArray& b, uint32_t v) {
        for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [](QByteArray& b, uint16_t v) {
        b.append(char(v & 0xFF));
        b.append(char(v >> 8));
    };
    QByteArray fmt;
    le16(fmt, 0x50);
    le16(fmt, 2);
    le32(fmt, 48000);
    le32(fmt, 192000 / 8);
    le16(fmt, 576);
    le16(fmt, 0);
    QByteArray body = "WAVEfmt ";
    le32(body, uint32_t(fmt.size()));
    body.append(fmt);
    body.append("data");
    le32(body, uint32_t(mpeg.size()));
    body.append(mpeg);
    if (mpeg.size() % 2) body.append('\0');
    if (!afterId.isEmpty()) {
        body.append(afterId.left(4));
        le32(body, uint32_t(after.size()));
        body.append(after);
    }
    QByteArray out = "RIFF";
    le32(out, uint32_t(body.size()));
    return out + body;
}

}  // namespace fixtures
