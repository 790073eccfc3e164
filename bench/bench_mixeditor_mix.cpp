// The mix model on a full playlist (10 000 elements over 23 days): building
// a mix, applying it with a sort that moves a new voice into place, and
// accepting it into the on-air playlist.
#include <benchmark/benchmark.h>

#include "GlownaQt.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

#include "PelnaPlaylista.h"
#include "foundation/DialogiSkrypt.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Paths.h"

namespace {

struct Stacja {
    QTemporaryDir dir;
    DialogiSkrypt dialogi;
    std::unique_ptr<TablicaPlaylisty> wzor = std::make_unique<TablicaPlaylisty>();
    Stacja() {
        platform::setProgramFolder(dir.path());
        WgrywanieDomyslne();
        Wgrywanie.WgrajModyfikacjaPytaj = false;
        WypelnijPlayliste(MaksPlaylisty - 1);  // room for the voice
        StanPlaylisty.Kursor = 5'000;
        *wzor = Playlista;
        SzerokoscWidoku = 800;
    }
    void odnow() const {
        std::copy(wzor->begin(), wzor->end(), Playlista.begin());
        StanPlaylisty.Ilosc = MaksPlaylisty - 1;
        StanPlaylisty.Kursor = 5'000;
        UndoJest = false;
    }
};

Stacja& stacja() {
    static Stacja s;
    return s;
}

// Song 2 moved by a second and a voice put over the transition.
void edytuj() {
    SladMiksuTyp& s2 = SladyMiksu[SladPiosenki2];
    for (qint32* t : {&s2.Emisja, &s2.Intro, &s2.NowyPoczatek, &s2.NowyKoniec, &s2.KoniecFadeIn, &s2.PoczatekFadeOut})
        *t += 1'000;
    SladMiksuTyp& g = SladyMiksu[SladGlosu1];
    g.Uzyty = 1;
    g.Kolor = KolorSladuDJ;
    g.Adres = QStringLiteral("D:\\DJ\\DJ_30001.WAV");
    g.Emisja = g.NowyPoczatek = SladyMiksu[SladPiosenki1].Emisja + 150'000;
    g.Czas = 20'000;
    g.NowyKoniec = g.Emisja + 20'000;
    ZmianyMiksu = true;
}

void BM_UstawMiks(benchmark::State& state) {
    stacja().odnow();
    for (auto _ : state) UstawMiks(true);
}
BENCHMARK(BM_UstawMiks)->Unit(benchmark::kMillisecond);

void BM_ZastosujMiks(benchmark::State& state) {
    stacja().odnow();
    for (auto _ : state) {
        state.PauseTiming();
        UstawMiks(true);
        edytuj();
        state.ResumeTiming();
        ZastosujMiks();
    }
}
BENCHMARK(BM_ZastosujMiks)->Unit(benchmark::kMillisecond);

void BM_AkceptujMiks(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        stacja().odnow();
        UstawMiks(true);
        edytuj();
        state.ResumeTiming();
        if (AkceptujMiks() != WynikAkceptacji::Zapisano) state.SkipWithError("not written");
    }
}
BENCHMARK(BM_AkceptujMiks)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return GlownaQt<QCoreApplication>(argc, argv);
}
