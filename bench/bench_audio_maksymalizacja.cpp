// Normalising a 10-minute 44.1 kHz stereo WAV in place, against
// `sox -D in.wav out.wav norm` on the same file: wall time of each run with
// the file in the page cache, median of five repetitions. The file is made
// once in the temporary folder; each run of ours works on a fresh copy (the
// copy is not timed). Without sox its benchmark is skipped with a message.
#include "audio/Maksymalizacja.h"
#include "foundation/DialogiSkrypt.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kRate = 44100;
constexpr int kSeconds = 600;

QString source() {
    const QString path = QDir::temp().filePath("tolvane-bench-10min.wav");
    if (QFile::exists(path)) return path;
    const qint64 frames = qint64(kRate) * kSeconds;
    QByteArray b(44 + frames * 4, '\0');
    char* p = b.data();
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, p + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, p + at); };
    memcpy(p, "RIFF", 4);
    put32(4, quint32(b.size() - 8));
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 2);
    put32(24, kRate);
    put32(28, kRate * 4);
    put16(32, 4);
    put16(34, 16);
    memcpy(p + 36, "data", 4);
    put32(40, quint32(frames * 4));
    // Music-like tones at about -8 dB, so that there is something to gain.
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        const auto l = qint16(7000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 1375 * t));
        const auto r = qint16(6000 * std::sin(2 * M_PI * 330 * t) + 5000 * std::sin(2 * M_PI * 2750 * t));
        qToLittleEndian(l, p + 44 + i * 4);
        qToLittleEndian(r, p + 46 + i * 4);
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(b);
    return path;
}

QString copyPath() { return QDir::temp().filePath("tolvane-bench-10min-copy.wav"); }

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
