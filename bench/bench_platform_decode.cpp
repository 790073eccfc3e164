// Decoding speed of MPEG files as a multiple of real time. The MP3 is made
// with LAME (60 s of stereo music-like tones at 44.1 kHz, 128 kbit/s) and
// left in the temporary folder so that other decoders can be timed on the
// same file. The MP2 is taken from $TOLVANE_BENCH_MP2 when set, otherwise
// made of hand-written silent layer II frames (which decode faster than
// music would).
#include "platform/audio/Decoder.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include "Mp3DoPomiaru.h"

#include <cmath>
#include <cstdio>
#include <vector>

using namespace platform;

namespace {

QString makeMp3() {
    const QString path = QDir::temp().filePath("tolvane-bench-60s.mp3");
    if (QFile::exists(path)) return path;
    const int rate = 44100, seconds = 60, frames = rate * seconds;
    std::vector<short> pcm(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        pcm[size_t(2 * i)] = short(6000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 1375 * t) +
                                   2000 * std::sin(2 * M_PI * 5100 * t * (1 + 0.01 * std::sin(t))));
        pcm[size_t(2 * i + 1)] = short(6000 * std::sin(2 * M_PI * 330 * t) + 3000 * std::sin(2 * M_PI * 2750 * t));
    }
    const QByteArray mp3 = Mp3DoPomiaru(pcm.data(), frames, rate, 128);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(mp3);
    return path;
}

QString makeMp2() {
    const QByteArray env = qgetenv("TOLVANE_BENCH_MP2");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    const QString path = QDir::temp().filePath("tolvane-bench-silence.mp2");
    QByteArray frame(576, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFD);
    frame[2] = char(0xA4);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        for (int i = 0; i < 2500; ++i) f.write(frame);  // 60 s at 48 kHz
    return path;
}

void decodeAll(benchmark::State& state, const QString& path) {
    std::vector<char> buf(64 * 1024);
    double audioSeconds = 0;
    for (auto _ : state) {
        auto d = openDecoder(path);
        if (!d) {
            state.SkipWithError("cannot open");
            return;
        }
        int64_t bytes = 0;
        for (int64_t n; (n = d->read(buf.data(), int64_t(buf.size()))) > 0;) bytes += n;
        audioSeconds += double(bytes) / d->format().bytesPerSecond();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["x_real_time"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

void BM_DecodeMp3(benchmark::State& state) { decodeAll(state, makeMp3()); }
void BM_DecodeMp2(benchmark::State& state) { decodeAll(state, makeMp2()); }
BENCHMARK(BM_DecodeMp3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeMp2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
