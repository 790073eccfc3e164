// Automat playing a day of 8 s tones (mix 1 s) on the real player slots and a
// stepped virtual sound card, while an operator edits the list at random
// every few seconds: Ctrl+P, delete, move, insert, change and undo. Some
// recordings were never there, one goes missing a few seconds after the
// start. The air runs on the manual clock at four times real time: the
// players' refill threads keep real time, and faster than that a ring would
// run dry. Counters (goal: 0 and 0):
//   ponowne  - elements that went on air a second time,
//   dziury   - starts made with no other deck playing: the outgoing element
//              had ended before the next one started (a hole in the air).
// Also: starts, edits made and the ticks with no deck playing. With
// NASTEPNY_SLAD set every start is printed with its time and element.
// range(0): 1 streaming back-end, 0 file players; range(1): minutes.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <random>

#include "GlownaQt.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "audio/PlayerSloty.h"
#include "WavDoPomiaru.h"
#include "console/commands/KomendyEdycji.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "console/engine/WyjsciaEmisji.h"
#include "foundation/KestSter2.h"
#include "foundation/DialogiTak.h"
#include "foundation/UslugaDialogow.h"
#include "platform/Clock.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"
#include "settings/Konfiguracja.h"

namespace {

constexpr qint32 H12 = 12 * 3'600'000;
constexpr int Dlugosc = 8'000;
constexpr int Miks = 1'000;
constexpr int Tempo = 4;

// Each start with its element and whether another deck played at that moment.
class Starty final : public WyjsciaEmisji {
public:
    Starty(OdtwarzaczeSlotow& gracze) : gracze_(gracze) {}
    void WyslijStanOdtwarzacza(quint8 slot, const QString& z) override {
        if (z != QLatin1String("START") || !silnik) return;
        bool inny = false;
        for (quint8 s = 1; s <= 3; ++s)
            if (s != slot && gracze_.StanOdtwarzacza(s) == 1) inny = true;
        ++startow;
        if (startow > 1 && !inny) ++dziury;
        if (++zagrane[silnik->Odtwarzacz[slot].SygnalSlotu.Nazwa] == 2) ++ponowne;
        if (qEnvironmentVariableIsSet("NASTEPNY_SLAD"))
            qInfo("%s START %d %s%s", qPrintable(platform::clock().now().time().toString("hh:mm:ss.zzz")), slot,
                  qPrintable(silnik->Odtwarzacz[slot].SygnalSlotu.Nazwa), inny ? "" : " DZIURA");
    }
    SilnikEmisji* silnik = nullptr;
    QHash<QString, int> zagrane;
    int startow = 0, dziury = 0, ponowne = 0;

private:
    OdtwarzaczeSlotow& gracze_;
};

void BM_AutomatZEdycjami(benchmark::State& state) {
    const bool strumien = state.range(0) != 0;
    const int minuty = qEnvironmentVariableIsSet("NASTEPNY_MINUTY") ? qEnvironmentVariableIntValue("NASTEPNY_MINUTY")
                                                                      : int(state.range(1));
    platform::DeviceHub::instance().useVirtualDevices({"Bench"}, true);
    platform::ManualClock zegar(QDate(2026, 12, 6), H12 - 1'000);
    platform::ScopedClock zakres(&zegar);
    DomyslneKonfiguracji();
    Nastawy.LOGZbiorJest = false;
    Emisja.TOfset = 0;
    DialogiTak tak;
    QTemporaryDir dir;
    // One tone of silence-free samples; each element's file links to it.
    const QString wzor = dir.filePath(QStringLiteral("wzor.wav"));
    {
        QFile f(wzor);
        const quint32 bajty = quint32(44'100LL * Dlugosc / 1000 * 4);
        QByteArray b = NaglowekWavDoPomiaru(bajty);
        b.resize(qsizetype(44 + bajty));
        for (quint32 i = 0; i < bajty / 2; ++i) qToLittleEndian<qint16>(qint16((i % 100) * 200 - 10'000), b.data() + 44 + 2 * i);
        if (f.open(QIODevice::WriteOnly)) f.write(b);
    }
    const auto ton = [&](const QString& nazwa) {
        const QString plik = dir.filePath(nazwa);
        QFile::link(wzor, plik);
        return plik;
    };
    const QString zapas = ton(QStringLiteral("zapas.wav"));

    int ponowne = 0, dziury = 0, startow = 0, edycji = 0, ciszy = 0;
    for (auto _ : state) {
        WyczyscPlayliste();
        // Enough for the minutes whatever the edits pass over.
        const int elementow = 2 * minuty * 60'000 / (Dlugosc - Miks) + 20;
        QString usuwany;
        for (int i = 1; i <= elementow; ++i) {
            TElemPListy& e = Playlista[i];
            InitElemPListy(e);
            e.Typ = RodzajSND;
            e.Ide = QStringLiteral("U%1").arg(i, 3, 10, QLatin1Char('0'));
            const QString nazwa = e.Ide + QStringLiteral(".wav");
            // Every ninth was never there; the fourth goes a few seconds in.
            e.Adr = i % 9 == 0 ? dir.filePath(nazwa) : ton(nazwa);
            if (i == 4) usuwany = e.Adr;
            e.Emi = H12 + (i - 1) * (Dlugosc - Miks);
            e.Trw = e.NwK = e.FOu = Dlugosc;
            e.Mix = Miks;
        }
        StanPlaylisty.Ilosc = elementow;
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;

        PlayerSloty sloty;
        OpcjeOdtwarzaczy o;
        o.CzyPlayerZgodnoscWinXP = strumien;
        sloty.UstawOpcje(o);
        sloty.UtworzMiksery();
        OdtwarzaczeZPlayerSloty gracze(sloty);
        StanKonsoli stan;
        Starty starty(gracze);
        SilnikEmisji silnik(stan, gracze, &starty);
        starty.silnik = &silnik;
        KomendyEdycji k(silnik);
        int nowych = 0;
        std::mt19937 g(7);
        const auto los = [&](int od, int do_) { return od + int(g() % unsigned(do_ - od + 1)); };
        k.Zrodla.NagranieZPrzegladarki = [&](KomendyEdycji::Wybor& w) {
            w.Plik = zapas;
            w.Nazwa = QStringLiteral("N%1").arg(++nowych);
            return true;
        };
        stan.TrybAutomat = true;
        const int tikow = minuty * 60'000 / SilnikEmisji::InterwalTimer1;
        int doEdycji = 100;
        QElapsedTimer sciana;
        sciana.start();
        for (int t = 0; t < tikow; ++t) {
            const qint64 wyprzedza = qint64(t) * SilnikEmisji::InterwalTimer1 / Tempo - sciana.elapsed();
            if (wyprzedza > 0) QThread::msleep(quint64(wyprzedza));
            if (auto karta = platform::DeviceHub::instance().openVirtual(0)) karta->stepMs(SilnikEmisji::InterwalTimer1);
            zegar.advance(SilnikEmisji::InterwalTimer1);
            silnik.Pliki.Oproznij();
            silnik.Odczyt.Oproznij();
            silnik.OproznijPrzygotowania();
            silnik.Timer1Timer();
            silnik.PoTiku();
            // The display refresh, as the window's timer runs it.
            if (t % 3 == 0) silnik.OdswiezOdtwarzacze();
            if (t == 150) QFile::remove(usuwany);
            if (qEnvironmentVariableIsSet("NASTEPNY_SLAD")) {
                static QString naDeku[4];
                for (quint8 d = 1; d <= 2; ++d) {
                    const qint32 el = silnik.Odtwarzacz[d].Element;
                    const QString teraz = el >= 1 && el <= StanPlaylisty.Ilosc ? QString(Playlista[el].Ide) : QString();
                    static qint32 bylo[4];
                    if (el != bylo[d])
                        qInfo("%s DEK %d el %d (%s %d) -> %d %s", qPrintable(platform::clock().now().time().toString("hh:mm:ss.zzz")), d, bylo[d],
                              qPrintable(bylo[d] >= 1 && bylo[d] <= StanPlaylisty.Ilosc ? QString(Playlista[bylo[d]].Ide) : QString()),
                              bylo[d] >= 1 && bylo[d] <= StanPlaylisty.Ilosc ? Playlista[bylo[d]].Typ : -1, el, qPrintable(teraz));
                    bylo[d] = el;
                    if (naDeku[d] != teraz && !naDeku[d].isEmpty()) {
                        for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i)
                            if (Playlista[i].Ide == naDeku[d] && !(Playlista[i].Typ & TypZagrany))
                                qInfo("%s NIEOZNACZONY %s deck %d at %d", qPrintable(platform::clock().now().time().toString("hh:mm:ss.zzz")), qPrintable(naDeku[d]), d, i);
                    }
                    naDeku[d] = teraz;
                }
            }
            bool gra = false;
            for (quint8 s = 1; s <= 3; ++s) gra = gra || gracze.StanOdtwarzacza(s) == 1;
            if (!gra && t > 10) {
                ++ciszy;
                if (qEnvironmentVariableIsSet("NASTEPNY_SLAD"))
                    qInfo("%s CISZA next %d %s aut %d", qPrintable(platform::clock().now().time().toString("hh:mm:ss.zzz")),
                          StanPlaylisty.DoGrania, qPrintable(Playlista[std::max(1, StanPlaylisty.DoGrania)].Ide), stan.TrybAutomat);
            }
            if (--doEdycji > 0 || StanPlaylisty.Ilosc < 3) continue;
            doEdycji = los(60, 200);
            // Around what is next, where an operator works.
            const qint32 n = std::max(1, StanPlaylisty.DoGrania);
            StanPlaylisty.Kursor = std::clamp(n + los(-1, 6), 1, StanPlaylisty.Ilosc);
            ++edycji;
            const int op = los(0, 5);
            const bool slad = qEnvironmentVariableIsSet("NASTEPNY_SLAD");
            const QString przed = slad ? QStringLiteral("%1 next %2 %3").arg(StanPlaylisty.Kursor).arg(StanPlaylisty.DoGrania).arg(Playlista[std::max(1, StanPlaylisty.DoGrania)].Ide) : QString();
            switch (op) {
            case 0: silnik.KursorNaNastepny(); break;
            case 1: k.KomendaUsun(); break;
            case 2: k.KomendaWstaw(); break;
            case 3: k.KomendaZmien(); break;
            case 4:
                k.RozpocznijPrzesuwanie();
                StanPlaylisty.Kursor = std::clamp(n + los(-1, 6), 1, StanPlaylisty.Ilosc);
                if (stan.TrybPrzesuwania) k.PrzesunElement(false);
                k.Wyjdz();
                break;
            default: k.CofnijOperacje(); break;
            }
            if (slad)
                qInfo("%s EDYCJA %d kursor %s -> next %d %s aut %d", qPrintable(platform::clock().now().time().toString("hh:mm:ss.zzz")), op,
                      qPrintable(przed), StanPlaylisty.DoGrania, qPrintable(Playlista[std::max(1, StanPlaylisty.DoGrania)].Ide), stan.TrybAutomat);
            if (!stan.TrybAutomat && StanPlaylisty.Ilosc > 1) silnik.PrzelaczAutomat();
        }
        silnik.StopWszystko();
        ponowne += starty.ponowne;
        dziury += starty.dziury;
        startow += starty.startow;
    }
    state.counters["ponowne"] = ponowne;
    state.counters["dziury"] = dziury;
    state.counters["startow"] = startow;
    state.counters["edycji"] = edycji;
    state.counters["tikow_ciszy"] = ciszy;
}
BENCHMARK(BM_AutomatZEdycjami)
    ->Args({1, 10})
    ->Args({0, 10})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return GlownaQt<QCoreApplication>(argc, argv); }
