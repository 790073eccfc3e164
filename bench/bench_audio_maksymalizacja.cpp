// Normalising a 10-minute 44.1 kHz stereo WAV in place, against
// `sox -D in.wav out.wav norm` on the same file: wall time of each run with
// the file in the page cache, median of five repetitions. The file is made
// once in the temporary folder; each run of ours works on a fresh copy (the
// copy is not timed). Without sox its benchmark is skipped with a message.
#include "audio/Maksymalizacja.h"
#include "WavDoPomiaru.h"
#include "foundation/DialogiSkrypt.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

constexpr int kSeconds = 600;

QString source() { return WavDoPomiaru(kSeconds); }

QString copyPath() { return QDir::temp().filePath("tolvane-bench-copy.wav"); }

void freshCopy(const QString& from) {
    QFile::remove(copyPath());
    QFile::copy(from, copyPath());
    QFile::setPermissions(copyPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void BM_MaksymalizujPlik(benchmark::State& state) {
    const QString in = source();
    DialogiSkrypt dialogi;
    for (auto _ : state) {
        freshCopy(in);
        dialogi.Wyczysc();
        const auto t0 = std::chrono::steady_clock::now();
        MaksymalizujPlik(copyPath(), OpcjeMaksymalizacji{});
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        if (!dialogi.Zapisy(RodzajDialogu::Info).isEmpty() || !dialogi.Zapisy(RodzajDialogu::Blad).isEmpty()) {
            state.SkipWithError("the recording was not amplified");
            return;
        }
    }
    state.counters["x_real_time"] =
        benchmark::Counter(double(kSeconds) * double(state.iterations()), benchmark::Counter::kIsRate);
    QFile::remove(copyPath());
}

void BM_SoxNorm(benchmark::State& state) {
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty()) {
        state.SkipWithError("sox is not installed (apt-get install sox): nothing to compare with");
        return;
    }
    const QString in = source();
    const QByteArray cmd = (sox + QStringLiteral(" -V1 -D '") + in + QStringLiteral("' '") + copyPath() +
                            QStringLiteral("' norm"))
                               .toLocal8Bit();
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const int rc = std::system(cmd.constData());
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        if (rc != 0) {
            state.SkipWithError("sox failed");
            return;
        }
    }
    state.counters["x_real_time"] =
        benchmark::Counter(double(kSeconds) * double(state.iterations()), benchmark::Counter::kIsRate);
    QFile::remove(copyPath());
}

// The source was just written and each copy just made: both read from the page cache.
BENCHMARK(BM_MaksymalizujPlik)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_SoxNorm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
