// The folder browser on a full folder: 20 000 files read and sorted each of
// the four ways, and one page drawn in the description mode (the provider
// reads each drawn row's description). Goal: read and sort under 200 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "audio/Sygnaly2.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "library/DKatalog.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"

namespace {

struct Folder {
    QTemporaryDir dir;
    Folder() {
        platform::setProgramFolder(dir.path());
        KatalogStartowy = dir.path();
        KatalogNastawyDomyslne();
        const QString m = dir.path() + QStringLiteral("/drives/c/MUZYKA");
        QDir().mkpath(m);
        // Names in no order, sizes and types mixed, as a station's folder is.
        for (int i = 0; i < KatalogPozycje; ++i) {
            const qint64 j = (qint64(i) * 7919) % KatalogPozycje;
            QFile f(m + QStringLiteral("/N%1%2").arg(j, 5, 10, QChar(u'0')).arg(i % 3 ? QStringLiteral(".WAV")
                                                                                    : QStringLiteral(".mp3")));
            if (f.open(QIODevice::WriteOnly))
                f.write(QByteArray(int(j % 97), 'x'));
        }
    }
};

Folder& folder() {
    static Folder f;
    return f;
}

void BM_CzytajISortuj(benchmark::State& state) {
    folder();
    ListaKatalogu lista;
    lista.Katalog = QStringLiteral("C:\\MUZYKA");
    for (auto _ : state)
        KatalogCzytaj(lista, QStringLiteral(".WAV:.MP3"), int(state.range(0)));
    state.counters["pozycje"] = lista.Liczba;
}
BENCHMARK(BM_CzytajISortuj)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

TKatalog* okno = nullptr;

// Each iteration turns to a page not drawn yet in this read.
void BM_StronaTrybu3(benchmark::State& state) {
    TKatalog& o = *okno;
    for (auto _ : state) {
        if (o.Pierwszy() + 2 * o.WierszyStrony() > o.Lista().Liczba) {
            state.PauseTiming();
            o.Komenda(1411);  // read again: nothing drawn yet
            state.ResumeTiming();
        }
        o.Komenda(153);
    }
    state.counters["dostawcy"] = o.WywolaniaDostawcow();
}
BENCHMARK(BM_StronaTrybu3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    folder();
    DialogiSkrypt dialogi;
    TKatalog o;
    okno = &o;
    KatStan stan;
    stan.Typy = QStringLiteral(".WAV:.MP3");
    stan.KatalogStart = QStringLiteral("C:\\MUZYKA");
    stan.Tryb3Tekst = QStringLiteral("Opis");
    stan.Tryb3 = [](const QString& s) { return TytulPliku(s); };
    // The benchmarks run inside the window's modal loop, as the operator's
    // commands do.
    QTimer::singleShot(0, [&] {
        benchmark::RunSpecifiedBenchmarks();
        o.Komenda(10);
    });
    o.PokazKatalog(stan);
    benchmark::Shutdown();
    return 0;
}
