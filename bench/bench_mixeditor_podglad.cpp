// Cost on the calling thread of starting the mix editor's preview: eight
// players opened, seeked, set and started at once on one output (the virtual
// device of a machine without a sound card, playing in real time on its own
// thread), from WAV and from MP3 files, on either back-end. The goal is all
// eight within one 30 ms tick of the window's timer.
#include "WavDoPomiaru.h"
#include "audio/MP3export.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/NastawyEmisji.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <benchmark/benchmark.h>

#include "GlownaQt.h"

namespace {

QString plikMP3() {
    const QString path = QDir::temp().filePath(QStringLiteral("tolvane-bench-podglad.mp3"));
    if (QFile::exists(path)) return path;
    int kod = -1;
    KompresujMP3(WavDoPomiaru(30), path, 192, kod, 0);
    return path;
}

// range(0): 0 WAV, 1 MP3; range(1): 1 streaming back-end, 0 file players.
void BM_OsiemOdtwarzaczyNaRaz(benchmark::State& state) {
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    const QString plik = state.range(0) ? plikMP3() : WavDoPomiaru(30);
    Emisja.CzyPlayerZgodnoscWinXP = state.range(1) != 0;
    Emisja.KanalPFL = 0;
    OdtwarzaczeEdytora ed;
    ed.EdUtworzMiksery();
    for (quint8 n = 1; n <= 8; ++n) ed.EdUtworzOdtwarzacz(n);
    qint64 pozycja = 0;
    for (auto _ : state) {
        // What the preview does on pressing play, after the window opened the files.
        state.PauseTiming();
        for (quint8 n = 1; n <= 8; ++n) ed.EdOtworzPlikOdtwarzacza(n, plik);
        state.ResumeTiming();
        for (quint8 n = 1; n <= 8; ++n) {
            ed.EdUstawPozycjeOdtwarzacza(n, 1000 * n);
            ed.EdUstawGlosnoscOdtwarzacza(n, -300);
            ed.EdGrajOdtwarzacz(n);
        }
        state.PauseTiming();
        QThread::msleep(2);
        for (quint8 n = 1; n <= 8; ++n) {
            pozycja += ed.EdPozycjaOdtwarzacza(n);
            ed.EdZatrzymajOdtwarzacz(n);
            ed.EdOtworzPlikOdtwarzacza(n, QString());
        }
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(pozycja);
    for (quint8 n = 8; n >= 1; --n) ed.EdZwolnijOdtwarzacz(n);
    ed.EdZwolnijMiksery();
}
BENCHMARK(BM_OsiemOdtwarzaczyNaRaz)
    ->ArgNames({"mp3", "strumien"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Iterations(100)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
