// Compressing a five-minute 44.1 kHz stereo voice track to MP3 at 256 kbit/s:
// the program's export against the encoder's own command-line tool on the
// same file with the same settings (constant bit rate, quality 2, stereo,
// no tag, copyright and original set, no replay-gain analysis). The goal is
// at least 0.95 times the tool's speed. Without the tool its run is skipped.
#include "WavDoPomiaru.h"
#include "audio/MP3export.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

#include "GlownaQt.h"

namespace {

constexpr int kSekundy = 300;

QString wyjscie(const char* nazwa) { return QDir::temp().filePath(QString::fromLatin1(nazwa)); }

void BM_KompresujMP3(benchmark::State& state) {
    const QString wav = WavDoPomiaru(kSekundy);
    const QString mp3 = wyjscie("tolvane-bench-export.mp3");
    for (auto _ : state) {
        int kod = -1;
        KompresujMP3(wav, mp3, 256, kod, 0);
        if (kod != 0) state.SkipWithError("export failed");
    }
    state.counters["x_czasu_rzeczywistego"] =
        benchmark::Counter(double(kSekundy) * double(state.iterations()), benchmark::Counter::kIsRate);
    QFile::remove(mp3);
}
BENCHMARK(BM_KompresujMP3)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_NarzedzieLame(benchmark::State& state) {
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (lame.isEmpty()) {
        state.SkipWithError("the lame tool is not installed: nothing to compare with");
        return;
    }
    const QString wav = WavDoPomiaru(kSekundy);
    const QString mp3 = wyjscie("tolvane-bench-lame.mp3");
    const QStringList args{"--quiet", "--cbr", "-b", "256", "-q", "2", "-m", "s", "-t", "-c", "--noreplaygain", wav, mp3};
    for (auto _ : state) {
        if (QProcess::execute(lame, args) != 0) state.SkipWithError("lame failed");
    }
    state.counters["x_czasu_rzeczywistego"] =
        benchmark::Counter(double(kSekundy) * double(state.iterations()), benchmark::Counter::kIsRate);
    QFile::remove(mp3);
}
BENCHMARK(BM_NarzedzieLame)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
