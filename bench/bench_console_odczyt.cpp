// A day's playlist of 10 000 elements read while the on-air loop ticks, with
// the music folder (100 folders of 100 recordings) behind a share that takes
// the given milliseconds for every look. The list goes through the passes
// of the next day's automatic load with its durations checked
// (SatPListAutoTestJest): every recording is opened for its length. Reported: the largest gap between two 30 ms ticks from the
// read asked until its list is on air (goal under 150 ms), how long that
// took, the looks the program's thread made at the disk meanwhile (goal 0),
// and the read worker's looks per distinct recording (folder times,
// listings and names not in a listing; goal well under one, the openings
// themselves being the shim's to count: udzial_sieciowy.sh).
#include <benchmark/benchmark.h>

#include "GlownaQt.h"
#include "PelnaPlaylista.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/engine/PrzebiegiOdczytu.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "platform/Paths.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "settings/Konfiguracja.h"

namespace {

struct Stacja {
    QTemporaryDir dir;
    DialogiSkrypt dialogi;
    QString plik;
    Stacja() {
        platform::setProgramFolder(dir.path());
        DomyslneKonfiguracji();
        Nastawy.LOGZbiorJest = false;
        Emisja.CzyHST = Emisja.CzyHSTXML = false;
        QDir(dir.path()).mkpath(QStringLiteral("drives/d/MUZYKA"));
        QByteArray wav(44, '\0');
        wav.replace(0, 4, "RIFF").replace(8, 8, "WAVEfmt ");
        WypelnijPlayliste();
        for (int i = 1; i <= MaksPlaylisty; ++i) {
            const QString folder = QStringLiteral("K%1").arg(i % 100);
            QDir(dir.path()).mkpath(QStringLiteral("drives/d/MUZYKA/") + folder);
            QFile f(dir.path() + QStringLiteral("/drives/d/MUZYKA/%1/A%2.WAV").arg(folder).arg(i));
            if (f.open(QIODevice::WriteOnly)) f.write(wav);
            Playlista[i].Adr = QStringLiteral("D:\\MUZYKA\\%1\\A%2.WAV").arg(folder).arg(i);
        }
        plik = dir.path() + QStringLiteral("/DZIEN.MIX");
        ZapiszPlaylisteMIX(plik, 1, MaksPlaylisty);
        WyczyscPlayliste();
    }
};

void BM_OdczytPodczasTiku(benchmark::State& state) {
    static Stacja s;
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, false);
    PlayerSloty sloty;
    sloty.UstawOpcje(OpcjeOdtwarzaczyZNastaw());
    sloty.UtworzMiksery();
    OdtwarzaczeZPlayerSloty gracze(sloty);
    StanKonsoli stan;
    SilnikEmisji silnik(stan, gracze);
    silnik.ZaplanujPoTiku = [&silnik] { QTimer::singleShot(0, [&silnik] { silnik.PoTiku(); }); };

    for (auto _ : state) {
        WyczyscPlayliste();
        platform::clearPathCache();
        platform::setFileSystemDelay(int(state.range(0)) * 1000);
        QEventLoop petla;
        QElapsedTimer zegar;
        qint64 ostatni = 0, przerwa = 0;
        int tiki = 0;
        QTimer tik;
        QObject::connect(&tik, &QTimer::timeout, [&] {
            const qint64 t = zegar.elapsed();
            przerwa = std::max(przerwa, t - ostatni);
            ostatni = t;
            silnik.Timer1Timer();
            // The display refresh rides on every third tick.
            if (++tiki % 3 == 0) OdczytNaWyswietlaczu(silnik);
        });
        // The worker's own count, read by pieces of work on its thread.
        quint64 watekPrzed = 0, watekPo = 0;
        silnik.Odczyt.Zlec([&watekPrzed] { watekPrzed = platform::fileSystemLooks(); }, {});
        const quint64 spojrzenia = platform::fileSystemLooks();
        zegar.start();
        tik.start(30);
        CzytajWTle(silnik, s.plik, 0, [&](OdczytanaLista& r) {
            auto nowa = std::make_shared<ListaNaBoku>(silnik, r, false);
            PrzebiegiListy co;
            co.Reklamy = co.Czasy = true;
            PrzebiegiPoOdczycie(silnik, nowa, r.Nagrania, co, [&, nowa] {
                nowa->Zatwierdz();
                silnik.Odczyt.Zlec([&watekPo] { watekPo = platform::fileSystemLooks(); }, [&petla] { petla.quit(); });
            });
        });
        petla.exec();
        tik.stop();
        platform::setFileSystemDelay(0);
        state.counters["przerwa_max_ms"] = double(przerwa);
        state.counters["odczyt_ms"] = double(zegar.elapsed());
        state.counters["spojrzenia_programu"] = double(platform::fileSystemLooks() - spojrzenia);
        state.counters["spojrzenia_watku_na_nagranie"] = double(watekPo - watekPrzed) / MaksPlaylisty;
        state.counters["pozycji"] = StanPlaylisty.Ilosc;
    }
}
BENCHMARK(BM_OdczytPodczasTiku)->Arg(10)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
