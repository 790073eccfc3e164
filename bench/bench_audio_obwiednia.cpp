// Building the envelope of a 4-minute 44.1 kHz stereo WAV, as a multiple of
// real time (goal: at least 500). The file is made once in the temporary
// folder and read from the page cache.
#include "audio/Obwiednia.h"
#include "WavDoPomiaru.h"
#include "foundation/DialogiSkrypt.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSeconds = 240;

void BM_TworzObwiednie(benchmark::State& state) {
    const QString wav = WavDoPomiaru(kSeconds);
    DialogiSkrypt dialogi;
    for (auto _ : state) {
        dialogi.Wyczysc();
        TworzObwiednie(wav);
    }
    if (QFile(ZbiorObwiedni(wav)).size() != 128 + kSeconds * 100) state.SkipWithError("no envelope of the whole file");
    state.counters["x_real_time"] =
        benchmark::Counter(double(kSeconds) * double(state.iterations()), benchmark::Counter::kIsRate);
    QFile::remove(ZbiorObwiedni(wav));
}
BENCHMARK(BM_TworzObwiednie)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
