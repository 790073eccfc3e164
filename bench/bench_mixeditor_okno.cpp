// The mix editor window's two hot paths: the 30 ms preview tick with all
// eight players playing (goal: well under 1 ms), and painting a 1 600 pixel
// time line at zoom 1 with two songs of 600 000-byte envelopes (goal: 10 ms).
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "GlownaQt.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/OdtwarzaczeEdytora.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "mixeditor/WykresMiksu.h"

namespace {

// Eight players that always play, a second into their files.
class GraczeStale final : public OdtwarzaczeSlotow {
public:
    void UtworzOdtwarzacz(quint8) override {}
    void ZwolnijOdtwarzacz(quint8) override {}
    bool OdtwarzaczIstnieje(quint8) const override { return true; }
    void OtworzPlikOdtwarzacza(quint8 s, const QString& p) override { plik[s & 15] = p; }
    QString PlikOdtwarzacza(quint8 s) const override { return plik[s & 15]; }
    void UstawPozycjeOdtwarzacza(quint8, qint64) override {}
    qint64 PozycjaOdtwarzacza(quint8) override { return pozycja; }
    qint64 DlugoscOdtwarzacza(quint8) const override { return 3'600'000; }
    void GrajOdtwarzacz(quint8) override {}
    void ZatrzymajOdtwarzacz(quint8) override {}
    quint8 StanOdtwarzacza(quint8) const override { return 1; }
    void UstawGlosnoscOdtwarzacza(quint8 s, int v) override { glosnosc[s & 15] = v; }
    int GlosnoscOdtwarzacza(quint8 s) const override { return glosnosc[s & 15]; }
    void UstawGlosnoscSystemowa(int) override {}

    QString plik[16];
    int glosnosc[16] = {};
    qint64 pozycja = 1000;
};

// Eight used tracks around 10:00, each with a fade in and out, the voices ducking.
void model(bool obwiednie) {
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) {
        SladMiksuTyp& s = SladyMiksu[n];
        s = SladMiksuTyp{};
        s.Uzyty = 1;
        s.Kolejny = n;
        s.Typ = 1;
        s.Kolor = 0x800000;
        s.Emisja = 36'000'000 + (n - 1) * 1000;
        s.Czas = n <= 2 ? 6'000'000 : 20'000;
        s.NowyPoczatek = s.Emisja;
        s.KoniecFadeIn = s.Emisja + 5000;
        s.PoczatekFadeOut = s.Emisja + s.Czas - 5000;
        s.NowyKoniec = s.Emisja + s.Czas;
        s.KoniecKaczkiWe = s.Emisja + 500;
        s.PoczatekKaczkiWy = s.Emisja + s.Czas - 500;
        s.PoziomKaczki = -1200;
        s.Wzmocnienie = -300;
        s.Wybrany = n == SladGlosu1;
        if (obwiednie && n <= 2) {
            s.Obwiednia = QByteArray(MaksObwiedniMiksu - 128, char(90));
            s.DlugoscObwiedni = MaksObwiedniMiksu;
            s.ObwiedniaJest = 1;
        }
    }
    Zakresy = ZakresyMiksu{};
    Zakresy.KursorPodgladu = 36'004'000;
}

// The window 1 600 x 800 over the model, on players that always play.
struct Stanowisko {
    explicit Stanowisko(bool obwiednie) {
        model(obwiednie);
        TEdycjaMiksow::Granice = {0, 0, 1600, 800};
        okno.show();
    }
    GraczeStale gracze;
    OdtwarzaczeEdytora ed{gracze};
    TEdycjaMiksow okno{ed, nullptr};
};

void BM_TikPodgladu(benchmark::State& state) {
    Stanowisko st(false);
    auto& okno = st.okno;
    auto& gracze = st.gracze;
    for (int n = 1; n <= LiczbaSladowMiksu; ++n) okno.OtworzPlikSladu(n, QStringLiteral("/dev/null"));
    okno.StartPodgladu();
    qint64 t = 0;
    for (auto _ : state) {
        // The players move on; the cursor stays well inside the view.
        gracze.pozycja = 1000 + (t++ % 3000);
        okno.MixyTimerTick();
        if (!okno.PodgladTrwa()) okno.StartPodgladu();
    }
    benchmark::DoNotOptimize(gracze.glosnosc[1]);
}
BENCHMARK(BM_TikPodgladu);

void BM_RysujWykres(benchmark::State& state) {
    Stanowisko st(true);
    auto& okno = st.okno;
    ZoomMiksu = 1;
    CentrujWidok();
    okno.RozmiescZnaczniki();
    WykresMiksu& w = *okno.Wykres();
    if (w.width() != 1600) state.SkipWithError("the time line is not 1 600 px wide");
    QImage obraz(w.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        w.render(&obraz);
        benchmark::DoNotOptimize(obraz.constBits());
    }
}
BENCHMARK(BM_RysujWykres)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return GlownaQt<QApplication>(argc, argv);
}
