#pragma once
// An MP3 made with LAME from interleaved 16-bit stereo samples, for the
// benchmarks that start or decode one (constant bitrate, no Xing header).
#include <QByteArray>

#include <lame/lame.h>

#include <vector>

inline QByteArray Mp3DoPomiaru(const short* pcm, int ramek, int rate, int kbps, int jakosc = -1) {
    lame_t gf = lame_init();
    lame_set_in_samplerate(gf, rate);
    lame_set_num_channels(gf, 2);
    lame_set_brate(gf, kbps);
    lame_set_bWriteVbrTag(gf, 0);
    if (jakosc >= 0) lame_set_quality(gf, jakosc);
    lame_init_params(gf);
    std::vector<unsigned char> out(size_t(ramek) * 5 / 4 + 7200);
    int n = lame_encode_buffer_interleaved(gf, const_cast<short*>(pcm), ramek, out.data(), int(out.size()));
    QByteArray mp3(reinterpret_cast<const char*>(out.data()), n > 0 ? n : 0);
    n = lame_encode_flush(gf, out.data(), int(out.size()));
    if (n > 0) mp3.append(reinterpret_cast<const char*>(out.data()), n);
    lame_close(gf);
    return mp3;
}
