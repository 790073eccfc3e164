// Resolving a stored path in a folder of 10 000 files: a name that exists
// (in another case than on disk) and a name that does not. The on-air loop
// checks elements down the playlist, so a run of missing files costs one
// such lookup each.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/Paths.h"

namespace {

struct DriveWithFiles {
    QTemporaryDir home;
    explicit DriveWithFiles(int files) {
        const QString folder = home.path() + QStringLiteral("/drives/d/Muzyka");
        QDir().mkpath(folder);
        for (int i = 0; i < files; ++i) QFile(folder + QStringLiteral("/Nagranie%1.wav").arg(i)).open(QIODevice::WriteOnly);
        // A folder last changed long ago, as a station's music folder is.
        const timespec dayAgo[2] = {{time(nullptr) - 86'400, 0}, {time(nullptr) - 86'400, 0}};
        utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), dayAgo, 0);
        platform::setProgramFolder(home.path());
        platform::clearPathCache();
    }
    ~DriveWithFiles() { platform::setProgramFolder(QString()); }
};

void BM_LookupExisting(benchmark::State& state) {
    DriveWithFiles d(int(state.range(0)));
    const QString path = QStringLiteral("D:\\MUZYKA\\NAGRANIE4321.WAV");
    for (auto _ : state) benchmark::DoNotOptimize(platform::resolvePath(path));
}
BENCHMARK(BM_LookupExisting)->Arg(10'000)->Unit(benchmark::kMicrosecond);

void BM_LookupMissing(benchmark::State& state) {
    DriveWithFiles d(int(state.range(0)));
    const QString path = QStringLiteral("D:\\MUZYKA\\BRAK.WAV");
    for (auto _ : state) benchmark::DoNotOptimize(platform::resolvePath(path));
}
BENCHMARK(BM_LookupMissing)->Arg(10'000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
