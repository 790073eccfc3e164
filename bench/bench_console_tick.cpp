// One on-air tick with a full 10 000-element playlist and three players
// playing (decks A and B crossfading, player 3 ducking them), in Automat.
#include <benchmark/benchmark.h>

#include "audio/OdtwarzaczeSlotow.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

namespace {

// Players that always play, their positions moving with the clock.
class GraczeStale final : public OdtwarzaczeSlotow {
public:
    explicit GraczeStale(platform::Clock& zegar) : zegar_(zegar) {}
    void UtworzOdtwarzacz(quint8) override {}
    void ZwolnijOdtwarzacz(quint8) override {}
    bool OdtwarzaczIstnieje(quint8 s) const override { return s <= 3; }
    void OtworzPlikOdtwarzacza(quint8, const QString&) override {}
    QString PlikOdtwarzacza(quint8 s) const override { return s <= 3 ? QStringLiteral("x.wav") : QString(); }
    void UstawPozycjeOdtwarzacza(quint8, qint64) override {}
    qint64 PozycjaOdtwarzacza(quint8 s) override { return s <= 3 ? 1000 + zegar_.monotonicMs() % 100'000 : 0; }
    qint64 DlugoscOdtwarzacza(quint8 s) const override { return s <= 3 ? 3'600'000 : 0; }
    void GrajOdtwarzacz(quint8) override {}
    void ZatrzymajOdtwarzacz(quint8) override {}
    quint8 StanOdtwarzacza(quint8 s) const override { return s >= 1 && s <= 3 ? 1 : 0; }
    void UstawGlosnoscOdtwarzacza(quint8 s, int v) override { glosnosc_[s] = v; }
    int GlosnoscOdtwarzacza(quint8 s) const override { return glosnosc_[s]; }
    void UstawGlosnoscSystemowa(int) override {}

private:
    platform::Clock& zegar_;
    int glosnosc_[6] = {};
};

void BM_TikEmisji(benchmark::State& state) {
    platform::ManualClock zegar;
    platform::ScopedClock zakres(&zegar);
    NastawyDomyslne();
    DomyslneNastawyEmisji();
    DomyslneNastawySatelity();
    WgrywanieDomyslne();
    Nastawy.LOGZbiorJest = false;
    WyczyscPlayliste();
    for (int i = 1; i <= MaksPlaylisty; ++i) {
        TElemPListy& e = Playlista[i];
        e.Typ = RodzajSND;
        e.Ide = QStringLiteral("E%1").arg(i);
        e.Adr = QStringLiteral("D:\\MUZYKA\\%1.WAV").arg(i);
        e.Emi = (i * 180'000) % DobaMs;
        e.Trw = e.NwK = e.FOu = 180'000;
    }
    StanPlaylisty.Ilosc = MaksPlaylisty;
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 9'000;  // far ahead: nothing starts

    StanKonsoli stan;
    GraczeStale gracze(zegar);
    SilnikEmisji silnik(stan, gracze);
    for (quint8 s = 1; s <= 3; ++s) {
        MIXMagnetType& r = silnik.Odtwarzacz[s];
        r.SygnalSlotu.Nazwa = QStringLiteral("E%1").arg(s);
        r.Element = s;
        r.Emi = 12 * 3'600'000;
        r.NwP = r.Emi;
        r.FIn = r.Emi + 50'000;
        r.FOu = r.Emi + 60'000;
        r.NwK = r.Emi + 3'600'000;
        r.FIT = 1;
        r.RodzajElementu = s == 3 ? RodzajDJ_ : RodzajSND;
        r.Kac = s == 3 ? -1200 : 0;
        r.KFI = r.Emi + 2'000;
        r.KFO = r.Emi + 3'000'000;
        stan.OdtwarzaczZajety[s] = 1;
    }
    stan.TrybAutomat = true;
    for (auto _ : state) {
        zegar.advance(SilnikEmisji::InterwalTimer1);
        silnik.Timer1Timer();
    }
}
BENCHMARK(BM_TikEmisji);

}  // namespace

BENCHMARK_MAIN();
