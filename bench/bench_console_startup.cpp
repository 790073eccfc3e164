// The main window's creation on a settings file of 10 MB: every section the
// program writes, with 10 MB of comments and keys no section knows in the
// middle (a file grown by hand or by a broken tool). The station must still
// come up in well under a second.
#include <benchmark/benchmark.h>

#include "GlownaQt.h"
#include "StacjaDoPomiaru.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "console/window/TTolv.h"
#include "foundation/A1761DRIVER.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/RelayCard.h"
#include "platform/TextFile.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

namespace {

// The defaults of every section, then `megabajty` MB of filler inside "Emisja MIX".
void ZapiszDuzeNastawy(const QString& plik, int megabajty) {
    DomyslneKonfiguracji();
    ZapiszKonfiguracje(plik);
    QStringList linie;
    platform::readTextLines(plik, linie);
    QStringList wypelnienie;
    qint64 bajty = 0;
    for (int i = 0; bajty < qint64(megabajty) * 1024 * 1024; ++i) {
        const QString l = i % 2 ? QStringLiteral("; komentarz numer %1 dopisany recznie do zbioru konfiguracyjnego").arg(i)
                                : QStringLiteral("KluczNieznany%1=wartosc klucza, ktorego zadna sekcja nie zna").arg(i);
        bajty += l.size() + 2;
        wypelnienie << l;
    }
    const qsizetype emisja = linie.indexOf(QStringLiteral("[Emisja MIX]"));
    linie = linie.mid(0, emisja + 1) + wypelnienie + linie.mid(emisja + 1);
    platform::writeTextFileAtomic(plik, linie);
}

void BM_StartOknaZDuzymiNastawami(benchmark::State& state) {
    const StacjaDoPomiaru stacja;
    const QString plik = stacja.folder.path() + QStringLiteral("/TOLVANE.INI");
    ZapiszDuzeNastawy(plik, int(state.range(0)));
    state.counters["MB"] = double(QFileInfo(plik).size()) / (1024 * 1024);
    for (auto _ : state) {
        TTolv okno;
        okno.FormCreate({});
        benchmark::DoNotOptimize(Emisja.CzasCross);
    }
}
BENCHMARK(BM_StartOknaZDuzymiNastawami)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return GlownaQt<QApplication>(argc, argv);
}
