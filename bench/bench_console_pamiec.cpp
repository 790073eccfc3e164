// What the console holds in memory at its largest: the main window with
// every form created, a playlist of 10 000 elements read from its file, an
// undo snapshot of it, the mix editor's copies of it built, and a database
// of 60 000 records read from its file. Reported as the process's resident
// memory (VmRSS) and its peak (VmHWM) in MiB, beside the same window with an
// empty playlist and no database. The goal is under 120 MiB.
#include <benchmark/benchmark.h>

#include "GlownaQt.h"
#include "PelnaPlaylista.h"
#include "OdczytDoPomiaru.h"
#include "StacjaDoPomiaru.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "console/engine/OdczytPlaylisty.h"
#include "console/window/TTolv.h"
#include "foundation/A1761DRIVER.h"
#include "foundation/DialogiSkrypt.h"
#include "library/DBaza.h"
#include "library/DBazaNastawy.h"
#include "mixeditor/EdycjaPL.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/RelayCard.h"
#include "platform/audio/DeviceHub.h"
#include "playlists/D_PlaylistaPlik.h"

namespace {

// The files are made by a child process before anything else runs, so that
// what making them took is no part of the measured process's memory.
QString Katalog;
QString PlikMIX() { return Katalog + QStringLiteral("/DZIEN.MIX"); }
QString PlikBazy() { return Katalog + QStringLiteral("/BAZA.BAZ"); }

double MiB(const char* klucz) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(klucz)) return l.mid(qstrlen(klucz)).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

void ZapiszBaze(const QString& plik) {
    BazaCzyscWszystko();
    for (int i = 1; i <= BazaMaks; ++i) {
        BAZARekordTyp& r = *BazaRekordy.Dodaj();
        const QString n = QString::number(i);
        r.Tyt = QStringLiteral("Tytuł nagrania ") + n;
        r.Wyk = QStringLiteral("Wykonawca ") + QString::number(i % 5000);
        r.Kod = QStringLiteral("K") + n;
        r.Tot = BazaTotTekst(60000 + (i * 31337) % 400000);
        r.Adr = QStringLiteral("D:\\MUZYKA\\KATALOG") + QString::number(i % 100) + QStringLiteral("\\A") + n +
                QStringLiteral(".MP3");
        r.Kat = QStringLiteral("MUZYKA");
        r.Gen = QStringLiteral("Pop");
        r.EmC = quint16(i % 50);
        r.EmO = QStringLiteral("2024-01-05 12:00:00");
        r.Tyx = r.Wyx = r.Czx = r.Kox = quint16(i);
    }
    BazaNagran.BazaZbior = plik;
    BazaKompletna = BazaZmieniona = true;
    BazaZapisz(false);
    BazaCzyscWszystko();
}

bool ZrobPliki() {
    const pid_t pid = fork();
    if (pid == 0) {
        DialogiSkrypt dialogi;
        platform::setProgramFolder(Katalog);
        WypelnijPlayliste(MaksPlaylisty);
        ZapiszPlaylisteMIX(PlikMIX(), 1, MaksPlaylisty);
        ZapiszBaze(PlikBazy());
        _exit(QFile::exists(PlikMIX()) && QFile::exists(PlikBazy()) ? 0 : 1);
    }
    int stan = 0;
    return pid > 0 && waitpid(pid, &stan, 0) == pid && WIFEXITED(stan) && WEXITSTATUS(stan) == 0;
}

void BM_PamiecKonsoli(benchmark::State& state) {
    const bool pelna = state.range(0) != 0;
    const StacjaDoPomiaru stacja;
    DialogiSkrypt dialogi;
    for (auto _ : state) {
        auto okno = std::make_unique<TTolv>();
        okno->FormCreate({});
        if (pelna) {
            CzyscPlayliste(okno->Silnik());
            CzytajDoPomiaru(okno->Silnik(), PlikMIX());
            StanPlaylisty.Kursor = MaksPlaylisty / 2;
            ZapiszUndoPlaylisty(QStringLiteral("Pomiar"));
            state.counters["list_MiB"] = MiB("VmRSS:");
            BazaNagran.BazaZbior = PlikBazy();
            BazaWczytajOdNowa();
            state.counters["db_MiB"] = MiB("VmRSS:");
            UstawMiks(false);
            if (StanPlaylisty.Ilosc != MaksPlaylisty || BazaLiczba != BazaMaks)
                state.SkipWithError("the playlist or the database was not read whole");
        }
        state.counters["rss_MiB"] = MiB("VmRSS:");
        state.counters["hwm_MiB"] = MiB("VmHWM:");
        state.PauseTiming();
        WyczyscPlayliste();
        BazaCzyscWszystko();
        okno.reset();
        state.ResumeTiming();
    }
}
// The empty one first: its peak is the window's alone.
BENCHMARK(BM_PamiecKonsoli)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir pliki;
    Katalog = pliki.path();
    if (!ZrobPliki()) {
        std::fprintf(stderr, "the playlist and database files were not made\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return GlownaQt<QApplication>(argc, argv);
}
