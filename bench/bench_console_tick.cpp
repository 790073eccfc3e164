// On-air ticks with a full 10 000-element playlist: a quiet tick with three
// players playing (decks A and B crossfading, player 3 ducking them), and the
// tick at which an element ends (history line and XML event of a day that
// already holds 10 000 of them) and the next one starts, in Automat.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "settings/Konfiguracja.h"
#include "audio/OdtwarzaczeSlotow.h"
#include "audio/Sygnaly2.h"
#include "console/engine/HarmonogramXML.h"
#include "console/engine/SilnikEmisji.h"
#include "console/engine/StanKonsoli.h"
#include "foundation/KestSter2.h"
#include "mixeditor/NastawyWgrywania.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
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
    DomyslneKonfiguracji();
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

// Players that play each file for a given time on the clock and then stop.
class GraczeKrotkie final : public OdtwarzaczeSlotow {
public:
    GraczeKrotkie(platform::Clock& zegar, qint64 dlugosc) : zegar_(zegar), dlugosc_(dlugosc) {}
    void UtworzOdtwarzacz(quint8 s) override { jest_[s] = true; }
    void ZwolnijOdtwarzacz(quint8 s) override { jest_[s] = false; }
    bool OdtwarzaczIstnieje(quint8 s) const override { return jest_[s]; }
    void OtworzPlikOdtwarzacza(quint8 s, const QString& p) override {
        plik_[s] = p;
        gra_[s] = false;
    }
    QString PlikOdtwarzacza(quint8 s) const override { return plik_[s]; }
    void UstawPozycjeOdtwarzacza(quint8, qint64) override {}
    qint64 PozycjaOdtwarzacza(quint8 s) override { return gra_[s] ? qMin(dlugosc_, uplynelo(s)) : 0; }
    qint64 DlugoscOdtwarzacza(quint8 s) const override { return plik_[s].isEmpty() ? 0 : dlugosc_; }
    void GrajOdtwarzacz(quint8 s) override {
        gra_[s] = true;
        start_[s] = zegar_.monotonicMs();
    }
    void ZatrzymajOdtwarzacz(quint8 s) override { gra_[s] = false; }
    quint8 StanOdtwarzacza(quint8 s) const override { return gra_[s] && uplynelo(s) < dlugosc_ ? 1 : 0; }
    void UstawGlosnoscOdtwarzacza(quint8, int) override {}
    int GlosnoscOdtwarzacza(quint8) const override { return 0; }
    void UstawGlosnoscSystemowa(int) override {}

private:
    qint64 uplynelo(quint8 s) const { return zegar_.monotonicMs() - start_[s]; }
    platform::Clock& zegar_;
    qint64 dlugosc_;
    bool jest_[6] = {};
    bool gra_[6] = {};
    qint64 start_[6] = {};
    QString plik_[6];
};

// Two seconds of 8 kHz mono silence: long enough for the read-ahead.
bool zapiszWav(const QString& sciezka) {
    SygnalType s;
    s.Rodzaj = RodzajWAV;
    s.Probkowanie = 8000;
    s.Kanaly = 1;
    s.Bity = 16;
    s.Dlugosc = 16000;
    SygnalWAVType h = BudujNaglowekWAV(s);
    const QByteArray pcm(32000, char(0));
    h.RozmiarDanych = quint32(pcm.size());
    h.RozmiarRIFF = quint32(36 + pcm.size());
    QFile f(sciezka);
    return f.open(QIODevice::WriteOnly) && f.write(h.Bajty()) == SygnalWAVType::Rozmiar && f.write(pcm) == pcm.size();
}

// Each iteration is the one tick that finds the playing element ended: its
// STOP, history line and XML event, then Automat starting the next element
// (header, START line, the next mark, the read-ahead of the one after).
void BM_TikKoncaElementu(benchmark::State& state) {
    constexpr qint64 Dlugosc = 30;  // every element ends at the next tick
    QTemporaryDir dir;
    platform::ManualClock zegar(QDate(2026, 12, 6), 12 * 3'600'000);
    platform::ScopedClock zakres(&zegar);
    DomyslneKonfiguracji();
    Nastawy.LOGZbiorJest = true;
    Nastawy.LOGKatalog = dir.path();
    Emisja.CzyHST = true;
    Emisja.CzyHSTXML = true;
    Emisja.HSTBezKryterium = true;  // every element counts, however short
    Emisja.KatHST = dir.path();

    constexpr int Plikow = 20;
    for (int i = 0; i < Plikow; ++i)
        if (!zapiszWav(dir.filePath(QStringLiteral("S%1.WAV").arg(i)))) state.SkipWithError("no WAV written");
    WyczyscPlayliste();
    for (int i = 1; i <= MaksPlaylisty; ++i) {
        TElemPListy& e = Playlista[i];
        e.Typ = RodzajSND;
        e.Ide = QStringLiteral("S%1").arg(i % Plikow);
        e.Adr = dir.filePath(QStringLiteral("S%1.WAV").arg(i % Plikow));
        e.Tyt = QStringLiteral("Tytuł %1").arg(i);
        e.Emi = (12 * 3'600'000 + i * 30) % DobaMs;
        e.Trw = e.NwK = e.FOu = 1000;
    }
    StanPlaylisty.Ilosc = MaksPlaylisty;
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;

    // The day so far: 10 000 lines and events already in the day files.
    {
        QFile hst(dir.filePath(QStringLiteral("26_12_06.HST")));
        QFile xml(dir.filePath(QStringLiteral("26_12_06.XML")));
        if (!hst.open(QIODevice::WriteOnly) || !xml.open(QIODevice::WriteOnly)) state.SkipWithError("no day files");
        QByteArray h, x;
        for (const QString& l : LinieNowegoHarmonogramu(QDate(2026, 12, 6)))
            if (!l.startsWith(QStringLiteral("</Day>"))) x += l.toUtf8() + "\r\n";
        for (int i = 0; i < MaksPlaylisty; ++i) {
            h += "11:00:00; D:\\MUZYKA\\S1.WAV; 100%; 03:00; Tytul; Plyta; Wykonawca; ; ; ; ; ; 1999\r\n";
            x += "<Event entryType=\"Song\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"11:00:00\" "
                 "duration=\"180\" editCode=\"0\" failureCode=\"0\">\r\n"
                 "<ProgramElement><gs_s:Song><gs_pe:Media ID=\"S1\" /></gs_s:Song></ProgramElement>\r\n</Event>\r\n";
        }
        x += ZamkniecieHarmonogramu;
        hst.write(h);
        xml.write(x);
    }

    StanKonsoli stan;
    GraczeKrotkie gracze(zegar, Dlugosc);
    SilnikEmisji silnik(stan, gracze);
    silnik.OtworzPlikiHistorii();
    stan.TrybAutomat = true;
    silnik.Pliki.Oproznij();
    silnik.OproznijPrzygotowania();
    silnik.Timer1Timer();  // the first element starts
    for (auto _ : state) {
        zegar.advance(SilnikEmisji::InterwalTimer1);
        silnik.Timer1Timer();
        // On air the next element ends minutes later: the writer is idle again.
        state.PauseTiming();
        silnik.Historia.Oproznij();
        if (StanPlaylisty.DoGrania >= MaksPlaylisty - 1) StanPlaylisty.DoGrania = StanPlaylisty.Kursor = 1;
        // ... and the workers have found the files and prepared the next start.
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TikKoncaElementu)->Unit(benchmark::kMicrosecond);

// A start in Automat with 3 000 elements whose files are missing ahead of the
// one that plays, in a folder of 10 000 files: each missing file is looked up
// (and skipped) on the way. Two ticks: the walk, then the start.
void BM_StartZaBrakami(benchmark::State& state) {
    constexpr int Brakow = 3000;
    QTemporaryDir dir;
    platform::ManualClock zegar(QDate(2026, 12, 6), 12 * 3'600'000);
    platform::ScopedClock zakres(&zegar);
    DomyslneKonfiguracji();
    Nastawy.LOGZbiorJest = false;
    Emisja.CzyHST = false;
    Emisja.CzyHSTXML = false;
    // Stored paths as a station keeps them: drive D: is a folder of the program's.
    platform::setProgramFolder(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("drives/d/MUZYKA"));
    const QString muzyka = dir.filePath(QStringLiteral("drives/d/MUZYKA"));
    for (int i = 0; i < 10'000; ++i) {
        QFile f(muzyka + QStringLiteral("/N%1.WAV").arg(i));
        if (!f.open(QIODevice::WriteOnly)) state.SkipWithError("no folder of files");
    }
    if (!zapiszWav(muzyka + QStringLiteral("/GRA.WAV"))) state.SkipWithError("no WAV written");
    const QString gra = QStringLiteral("D:\\MUZYKA\\GRA.WAV");
    WyczyscPlayliste();
    for (int i = 1; i <= Brakow + 1; ++i) {
        TElemPListy& e = Playlista[i];
        InitElemPListy(e);
        e.Typ = RodzajSND;
        e.Ide = QStringLiteral("E%1").arg(i);
        e.Adr = i <= Brakow ? QStringLiteral("D:\\MUZYKA\\BRAK%1.WAV").arg(i) : gra;
        e.Emi = 12 * 3'600'000;
        e.Trw = e.NwK = e.FOu = 1000;
    }
    StanPlaylisty.Ilosc = Brakow + 1;
    for (auto _ : state) {
        state.PauseTiming();
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
        StanKonsoli stan;
        GraczeKrotkie gracze(zegar, 60'000);
        SilnikEmisji silnik(stan, gracze);
        stan.TrybAutomat = true;
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        state.ResumeTiming();
        // The tick that finds the cursor's file missing walks past the rest to
        // the one that plays; the next tick starts it.
        for (int tik = 0; tik < 2; ++tik) {
            zegar.advance(SilnikEmisji::InterwalTimer1);
            silnik.Timer1Timer();
            state.PauseTiming();
            silnik.OproznijPrzygotowania();
            state.ResumeTiming();
        }
        state.PauseTiming();
        const qint32 gra1 = silnik.Odtwarzacz[1].Element;
        state.ResumeTiming();
        if (gra1 != Brakow + 1) {
            state.SkipWithError(("the playable element did not start: " + std::to_string(gra1)).c_str());
            break;
        }
    }
    platform::setProgramFolder(QString());
}
BENCHMARK(BM_StartZaBrakami)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
