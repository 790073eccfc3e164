// Drawing the main window: a full redraw (background, button bar, decks A
// and B) drawn on the canvas and painted to the window, the decks' own
// refresh that the 100 ms display timer does, and the worst text field.
// The playlist and time-list panels are drawn full: 10 000 elements and
// 1 000 entries (only a page of each is drawn, but the header's times and
// the thumb look at the whole list).
#include <benchmark/benchmark.h>

#include "settings/Konfiguracja.h"
#include "GlownaQt.h"

#include <QApplication>
#include <QWindow>

#include "console/window/TTolv.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

namespace {

// The main window at the size of a 1296 x 1014 screen, shown offscreen
// with both decks playing something.
class OknoGlowne {
public:
    OknoGlowne() {
        DomyslneKonfiguracji();
        Nastawy.LOGZbiorJest = false;
        okno_ = std::make_unique<TTolv>();
        for (quint8 s = 1; s <= 2; ++s) {
            MIXMagnetType& r = okno_->Silnik().Odtwarzacz[s];
            r.SygnalSlotu.Nazwa = QStringLiteral("Wykonawca %1 - tytuł nagrania, który się nie mieści w polu").arg(s);
            r.Element = s;
        }
        for (int i = 1; i <= MaksPlaylisty; ++i) {
            TElemPListy& e = Playlista[size_t(i)];
            InitElemPListy(e);
            e.Typ = quint8(i % 15 + 1 == 7 ? 1 : i % 15 + 1);
            e.Ide = QStringLiteral("ID%1").arg(i);
            e.Wyk = QStringLiteral("Wykonawca %1").arg(i);
            e.Tyt = QStringLiteral("Tytuł nagrania numer %1, dłuższy niż pole").arg(i);
            e.Emi = qint32(qint64(i) * 180'000 % DobaMs);
            e.Trw = e.NwK = 180'000;
            e.Int = 5'000;
            e.Out = 170'000;
            e.Mix = 3'000;
        }
        StanPlaylisty.Ilosc = MaksPlaylisty;
        StanPlaylisty.Kursor = 5'000;
        for (int i = 1; i <= MaksTimelisty; ++i) {
            Timelista[size_t(i)].Tyt = QStringLiteral("Reklama %1").arg(i);
            Timelista[size_t(i)].Czas = i / 3 * 60;
            Timelista[size_t(i)].Trw = 30'000;
        }
        StanTimelisty.Ilosc = MaksTimelisty;
        StanTimelisty.Kursor = 500;
        okno_->Silnik().Komunikat = QStringLiteral("Brak reklamy: Reklama 7");
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

// The 100 ms display tick with the time correction on: the decks, the
// visible rows' corrected times, the blinking message and the countdown.
void BM_TikWyswietlacza(benchmark::State& state) {
    OknoGlowne okno;
    okno->Silnik().Stan.KorektaCzasuJest = true;
    for (auto _ : state) {
        okno->TimerWyswietlaczTimer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TikWyswietlacza)->Unit(benchmark::kMillisecond);

// The same tick with the timeline shown: its lanes, the blocks around the
// cursor of the 10 000 elements and the now-line are drawn again each time.
void BM_TikWyswietlaczaZWielosladem(benchmark::State& state) {
    OknoGlowne okno;
    okno->Silnik().Stan.KorektaCzasuJest = true;
    okno->Silnik().Stan.PanelDolny = PanelWieloslad;
    okno->RysujOkno();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        okno->TimerWyswietlaczTimer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TikWyswietlaczaZWielosladem)->Unit(benchmark::kMillisecond);

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
    return GlownaQt<QApplication>(argc, argv);
}
