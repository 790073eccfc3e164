// Drawing the main window: a full redraw (background, button bar, decks A
// and B) drawn on the canvas and painted to the window, the decks' own
// refresh that the 100 ms display timer does, and the worst text field.
// The console's panels add their drawing to the full redraw as they come.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWindow>

#include "console/window/TTolv.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "playlists/NastawyEmisji.h"

namespace {

// The main window at the size of a 1296 x 1014 screen, shown offscreen
// with both decks playing something.
class OknoGlowne {
public:
    OknoGlowne() {
        NastawyDomyslne();
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        WgrywanieDomyslne();
        Nastawy.LOGZbiorJest = false;
        okno_ = std::make_unique<TTolv>();
        for (quint8 s = 1; s <= 2; ++s) {
            MIXMagnetType& r = okno_->Silnik().Odtwarzacz[s];
            r.SygnalSlotu.Nazwa = QStringLiteral("Wykonawca %1 - tytuł nagrania, który się nie mieści w polu").arg(s);
            r.Element = s;
        }
        okno_->resize(1296, 1014);
        okno_->show();
        while (!okno_->windowHandle() || !okno_->windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }
    TTolv& operator*() { return *okno_; }
    TTolv* operator->() { return okno_.get(); }

private:
    std::unique_ptr<TTolv> okno_;
};

void BM_PelneOdrysowanieOkna(benchmark::State& state) {
    OknoGlowne okno;
    for (auto _ : state) {
        okno->RysujOkno();
        QCoreApplication::processEvents();  // the paint that puts it on the screen
    }
}
BENCHMARK(BM_PelneOdrysowanieOkna)->Unit(benchmark::kMillisecond);

void BM_OdswiezenieOdtwarzaczy(benchmark::State& state) {
    OknoGlowne okno;
    for (auto _ : state) {
        okno->RysujOdtwarzacze();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OdswiezenieOdtwarzaczy)->Unit(benchmark::kMillisecond);

// A sunken text field with a text far wider than the field: the cut point.
void BM_PoleZDlugimTekstem(benchmark::State& state) {
    TRForm forma;
    forma.resize(400, 40);
    TRect r;
    Prostokat(r, 2, 2, 300, 30);
    const QString tekst(int(state.range(0)), QLatin1Char('W'));
    for (auto _ : state) {
        forma.PiszPoleWklesleE(r, KolorCzarny, tekst, KolorSzary, KolorBialy);
        benchmark::DoNotOptimize(forma.Plotno().constBits());
    }
}
BENCHMARK(BM_PoleZDlugimTekstem)->Arg(60)->Arg(255)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
