// Editing at the top of a full playlist, as the operator does it while the
// day plays: the undo snapshot of all 10 000 elements, then the insertion
// (every later element re-timed and moved down) or the deletion (moved up,
// the gap closed). Goal: under 10 ms each.
#include <benchmark/benchmark.h>

#include "PelnaPlaylista.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"

namespace {

// Players that play nothing.
class GraczeCiche final : public OdtwarzaczeSlotow {
public:
    void UtworzOdtwarzacz(quint8) override {}
    void ZwolnijOdtwarzacz(quint8) override {}
    bool OdtwarzaczIstnieje(quint8) const override { return false; }
    void OtworzPlikOdtwarzacza(quint8, const QString&) override {}
    QString PlikOdtwarzacza(quint8) const override { return {}; }
    void UstawPozycjeOdtwarzacza(quint8, qint64) override {}
    qint64 PozycjaOdtwarzacza(quint8) override { return 0; }
    qint64 DlugoscOdtwarzacza(quint8) const override { return 0; }
    void GrajOdtwarzacz(quint8) override {}
    void ZatrzymajOdtwarzacz(quint8) override {}
    quint8 StanOdtwarzacza(quint8) const override { return 0; }
    void UstawGlosnoscOdtwarzacza(quint8, int) override {}
    int GlosnoscOdtwarzacza(quint8) const override { return 0; }
    void UstawGlosnoscSystemowa(int) override {}
};

struct Stanowisko {
    platform::ManualClock zegar;
    platform::ScopedClock zakres{&zegar};
    StanKonsoli stan;
    GraczeCiche gracze;
    std::unique_ptr<SilnikEmisji> silnik;
    TElemPListy nowy;

    Stanowisko() {
        NastawyDomyslne();
        WgrywanieDomyslne();
        Nastawy.LOGZbiorJest = false;
        WypelnijPlayliste(MaksPlaylisty - 1);
        // No next mark: the check of its file (none of these files exists,
        // so it would walk them all) is not what is measured.
        StanPlaylisty.DoGrania = 0;
        silnik = std::make_unique<SilnikEmisji>(stan, gracze);
        nowy = Playlista[2];
        nowy.Emi = 0;
        nowy.Ide = QStringLiteral("NOWY");
    }
    void wstaw() {
        StanPlaylisty.Kursor = 1;
        WstawRekordPlaylisty(*silnik, nowy);
    }
    void usun() {
        StanPlaylisty.Kursor = 2;
        UsunRekordPlaylisty(*silnik, true);
    }
};

void BM_WstawNaPoczatku(benchmark::State& state) {
    Stanowisko s;
    for (auto _ : state) {
        ZapiszUndoPlaylisty(QStringLiteral("Wstaw element"));
        s.wstaw();
        state.PauseTiming();
        s.usun();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WstawNaPoczatku)->Unit(benchmark::kMillisecond);

void BM_UsunNaPoczatku(benchmark::State& state) {
    Stanowisko s;
    for (auto _ : state) {
        state.PauseTiming();
        s.wstaw();
        StanPlaylisty.DoGrania = 0;
        state.ResumeTiming();
        ZapiszUndoPlaylisty(QStringLiteral("Usuń element"));
        s.usun();
    }
}
BENCHMARK(BM_UsunNaPoczatku)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
