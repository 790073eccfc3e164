// Cost on the calling thread of starting an element on the real player
// slots, on the virtual device of a machine without a sound card (it plays
// in real time on its own thread): the console's sequence for one element
// (free, create, open, seek, volume, play) over a WAV and an MP3 file, on
// either back-end. The goal is well under a millisecond: it runs inside the
// 30 ms on-air tick. Reported as median, p99 and max of the starts, with the
// starts in which the thread blocked (waited) counted apart from those in
// which it was only preempted.
#include "WavDoPomiaru.h"
#include "audio/PlayerSloty.h"
#include "platform/audio/DeviceHub.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include "GlownaQt.h"
#include "Mp3DoPomiaru.h"
#include "Probki.h"
#include "StartNaSlocie.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 30;

std::vector<short> music() {
    const int frames = kRate * kSeconds;
    std::vector<short> pcm(size_t(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const auto v = short(6000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 1375 * t) +
                             2000 * std::sin(2 * M_PI * 5100 * t * (1 + 0.01 * std::sin(t))));
        pcm[size_t(2 * i)] = v;
        pcm[size_t(2 * i + 1)] = short(v / 2);
    }
    return pcm;
}

QString wavFile() {
    const QString path = QDir::temp().filePath("tolvane-bench-start.wav");
    if (QFile::exists(path)) return path;
    const std::vector<short> pcm = music();
    const quint32 bytes = quint32(pcm.size() * 2);
    const QByteArray h = NaglowekWavDoPomiaru(bytes);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(h);
        f.write(reinterpret_cast<const char*>(pcm.data()), qint64(bytes));
    }
    return path;
}

QString mp3File() {
    const QString path = QDir::temp().filePath("tolvane-bench-start.mp3");
    if (QFile::exists(path)) return path;
    const std::vector<short> pcm = music();
    const QByteArray mp3 = Mp3DoPomiaru(pcm.data(), int(pcm.size() / 2), kRate, 192, 7);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(mp3);
    return path;
}

// range(0): 0 WAV, 1 MP3; range(1): 1 streaming back-end, 0 file players.
void BM_StartElementuNaSlocie(benchmark::State& state) {
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    const QString plik = state.range(0) ? mp3File() : wavFile();
    PlayerSloty sloty;
    OpcjeOdtwarzaczy o;
    o.CzyPlayerZgodnoscWinXP = state.range(1) != 0;
    sloty.UstawOpcje(o);
    sloty.UtworzMiksery();
    for (quint8 s = 1; s <= PlayerSloty::LiczbaSlotow; ++s) sloty.UtworzOdtwarzacz(s);
    qint64 pozycja = 0;
    Probki probki;
    for (auto _ : state) {
        probki.start();
        const auto t0 = std::chrono::steady_clock::now();
        StartNaSlocie(sloty, plik);
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(t);
        probki.dodaj(t);
        // A little time on air, then the element ends.
        QThread::msleep(2);
        pozycja += sloty.PozycjaOdtwarzacza(1);
        sloty.ZatrzymajOdtwarzacz(1);
        sloty.OtworzPlikOdtwarzacza(1, QString());
        QCoreApplication::processEvents();
    }
    probki.zglos(state);
    benchmark::DoNotOptimize(pozycja);
}
BENCHMARK(BM_StartElementuNaSlocie)
    ->ArgNames({"mp3", "strumien"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Iterations(500)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
