// A day's scheduler export at the limit: 10 000 format-1 songs whose
// identifiers are resolved through a 60 000-record database.
#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include "GlownaQt.h"
#include "OdczytDoPomiaru.h"

#include <QCoreApplication>

#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

struct Stacja {
    QTemporaryDir dir;
    DialogiSkrypt dialogi;
    QString plik;
    Stacja() {
        platform::setProgramFolder(dir.path());
        KatalogStartowy = dir.path();
        BazaNastawyDomyslne();
        KatalogNastawyDomyslne();
        DomyslneNastawyEmisji();
        Emisja.CzySzukacNagran = true;
        Emisja.CzySzukacWBazie = true;
        BazaCzyscWszystko();
        for (int i = 1; i <= BazaMaks; ++i) {
            BAZARekordTyp& r = *BazaRekordy.Dodaj();
            r.Tyt = QStringLiteral("Tytuł ") + QString::number(i);
            r.Adr = QStringLiteral("H:\\MUZYKA\\KATALOG") + QString::number(i % 100) + QStringLiteral("\\A") +
                    QString::number(i) + QStringLiteral(".MP3");
        }
        BazaAdresyZmienione();
        BazaKompletna = true;
        BazaWczytana = true;
        QStringList l{QStringLiteral("WERSJA=1"), QStringLiteral("POZYCJI=10000")};
        for (int i = 0; i < 10'000; ++i) {
            const QString id = QStringLiteral("A") + QString::number((qint64(i) * 7919) % BazaMaks + 1);
            l << QStringLiteral("TYP=SND") << QStringLiteral("TEMISJA=10:00:00") << QStringLiteral("TTRWA=03:20.000")
              << QStringLiteral("ID=") + id << QStringLiteral("TYTUL=Utwór") << QStringLiteral("ARTYSTA=Zespół")
              << QStringLiteral("ADRES=");
        }
        plik = dir.path() + QStringLiteral("/DZIEN.SEL");
        platform::writeTextFileAtomic(plik, l);
    }
};

void BM_Import10000(benchmark::State& state) {
    static Stacja s;
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    PlayerSloty sloty;
    sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    OdtwarzaczeZPlayerSloty gracze(sloty);
    StanKonsoli stan;
    SilnikEmisji silnik(stan, gracze);
    for (auto _ : state) {
        StanPlaylisty.Ilosc = 0;
        CzytajDoPomiaru(silnik, s.plik);
        if (StanPlaylisty.Ilosc != 10'000 || Playlista[1].Adr.isEmpty())
            state.SkipWithError("the import did not resolve the day");
    }
}
BENCHMARK(BM_Import10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
