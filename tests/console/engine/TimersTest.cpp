// The console's timers with the stepped clock: midnight and automatic
// loads, the synchronous time list, the DI reset, the satellite re-join.
#include <gtest/gtest.h>

#include <QTimer>

#include "console/support/KonsolaTestPomoc.h"
#include "console/support/TrybyRig.h"
#include "library/DKatalogNastawy.h"

namespace {

constexpr qint64 H = 3'600'000;
constexpr qint64 M = 60'000;

struct TimersTest : ::testing::Test, TrybyRig {
    void naGodzine(QDate d, qint64 ms) { zegar.set(d, ms); }
    // The timers' handlers, the read worker let finish what they asked.
    void automat() {
        timery->AutomatTimerTimer();
        silnik->Odczyt.Oproznij();
    }
    void autoodczyt() {
        timery->PListaAutoodczytTimerTimer();
        silnik->Odczyt.Oproznij();
    }
};

}  // namespace

TEST(TimeCrossing, FiresOnceEvenWhenTheThreadWasBusy) {
    PrzejscieCzasu p(H);
    const QDate d(2024, 3, 5);
    EXPECT_FALSE(p.Minal(d, H));          // the first look only takes the time
    EXPECT_FALSE(p.Minal(d, H + 300));
    PrzejscieCzasu q(H);
    EXPECT_FALSE(q.Minal(d, H - 100));
    EXPECT_TRUE(q.Minal(d, H + 1500));    // 01:00:00 itself never seen
    EXPECT_FALSE(q.Minal(d, H + 1800));
    PrzejscieCzasu polnoc(0);
    EXPECT_FALSE(polnoc.Minal(d, 24 * H - 200));
    EXPECT_TRUE(polnoc.Minal(d.addDays(1), 1200));
    // A clock set by half a day or more is not a crossing.
    PrzejscieCzasu skok(0);
    EXPECT_FALSE(skok.Minal(d, 6 * H));
    EXPECT_FALSE(skok.Minal(d.addDays(1), 6 * H));
}

TEST(TimerInterval, ZeroStopsTheTimer) {
    QTimer t;
    UstawTimer(t, 300);
    EXPECT_TRUE(t.isActive());
    EXPECT_EQ(t.interval(), 300);
    UstawTimer(t, 0);
    EXPECT_FALSE(t.isActive());
    UstawTimer(t, 1000, false);
    EXPECT_FALSE(t.isActive());
}

TEST_F(TimersTest, AutomaticLoadAtMidnightByNameFormatStartsTheFirstElement) {
    Satelita.SatPLJest = true;
    Satelita.SatPLNazwaFormat = QStringLiteral("MMDDRRRR");
    Satelita.SatPLKatalog = folder.file(QStringLiteral("PL"));
    QDir().mkpath(Satelita.SatPLKatalog);
    playlista(folder.file(QStringLiteral("PL/03052024.MIX")), 3, 0, QStringLiteral("M"));
    playlista(folder.file(QStringLiteral("PL/20240305.MIX")), 2, 0, QStringLiteral("R"));

    naGodzine(QDate(2024, 3, 4), 24 * H - 700);
    autoodczyt();
    EXPECT_EQ(StanPlaylisty.Ilosc, 0);
    // The GUI thread was busy over the whole second 00:00:00.
    zegar.advance(2000);
    autoodczyt();
    StartPoPrzygotowaniu(*silnik);  // on air once its file is read
    EXPECT_TRUE(PlaylistaZbior.endsWith(QStringLiteral("03052024.MIX")));
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_TRUE(stan.TrybAutomat);
    ASSERT_EQ(gracze.otwarte.size(), 1);
    EXPECT_TRUE(gracze.otwarte[0].endsWith(QStringLiteral("M1.WAV")));
    EXPECT_TRUE(wLogu(QStringLiteral("PROG START 1")));

    // Once only.
    zegar.advance(300);
    autoodczyt();
    EXPECT_EQ(gracze.otwarte.size(), 1);
}

TEST_F(TimersTest, UnreadablePlaylistAtMidnightLeavesTheCurrentOne) {
    Satelita.SatPLJest = true;
    Satelita.SatPLNazwaFormat = QStringLiteral("RRRRMMDD");
    Satelita.SatPLKatalog = folder.path();
    wPamieci(4);
    PlaylistaZbior = QStringLiteral("DZIS.MIX");
    // A file that is there but cannot be read.
    QDir().mkpath(folder.file(QStringLiteral("20240305.MIX")));
    folder.write(QStringLiteral("20240305.SEL"), QByteArray("TYP=1\r\n"));

    naGodzine(QDate(2024, 3, 4), 24 * H - 100);
    autoodczyt();
    zegar.advance(300);
    autoodczyt();
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(PlaylistaZbior, QStringLiteral("DZIS.MIX"));
    EXPECT_EQ(Playlista[2].Emi, 8000);
    EXPECT_TRUE(gracze.otwarte.isEmpty());
}

TEST_F(TimersTest, MidnightRollOverReadsTomorrowThenStartsAtMidnight) {
    Satelita.SatPListAutoJest = true;
    Satelita.SatPListAutoTS = 120;
    Satelita.SatPListAutoKat = folder.path();
    playlista(folder.file(QStringLiteral("240305.MIX")), 2, 0, QStringLiteral("N"));
    wPamieci(2);
    stan.OdtwarzaczZajety[1] = 1;  // today's element still plays
    silnik->PrzelaczAutomat();

    naGodzine(QDate(2024, 3, 4), 24 * H - 2 * M - 500);  // 23:57:59.5
    automat();
    EXPECT_NE(StanPlaylisty.Ilosc, 0);
    EXPECT_TRUE(PlaylistaZbior.isEmpty());
    EXPECT_TRUE(zegary.Wlaczony(TimerKonsoli::AutomatTimer));

    zegar.advance(1000);  // 23:58:00.5: the window opens after 23:58:00
    automat();
    EXPECT_TRUE(PlaylistaZbior.isEmpty());
    // With the durations checked after the read (N2 is longer than the list
    // says), the passes run on the worker: the program's thread looks at
    // nothing.
    Satelita.SatPListAutoTestJest = true;
    dzwiek(QStringLiteral("N2.WAV"), 5000);
    zegar.advance(1000);
    const quint64 spojrzenia = platform::fileSystemLooks();
    automat();
    EXPECT_EQ(platform::fileSystemLooks(), spojrzenia);
    Satelita.SatPListAutoTestJest = false;
    EXPECT_EQ(Playlista[2].Trw, 5000);
    EXPECT_TRUE(PlaylistaZbior.endsWith(QStringLiteral("240305.MIX")));
    EXPECT_FALSE(stan.TrybAutomat);
    EXPECT_FALSE(PlaylistaWczytana);
    EXPECT_EQ(StanPlaylisty.DoGrania, 1);
    EXPECT_TRUE(gracze.otwarte.isEmpty());

    stan.OdtwarzaczZajety[1] = 0;
    naGodzine(QDate(2024, 3, 4), 24 * H - 200);
    automat();
    EXPECT_TRUE(gracze.otwarte.isEmpty());
    zegar.advance(311);
    automat();
    StartPoPrzygotowaniu(*silnik);
    ASSERT_EQ(gracze.otwarte.size(), 1);
    EXPECT_TRUE(gracze.otwarte[0].endsWith(QStringLiteral("N1.WAV")));
    EXPECT_TRUE(PlaylistaWczytana);
    EXPECT_TRUE(stan.TrybAutomat);
}

TEST_F(TimersTest, TimeListBlockOfTwoEntriesThenAutomatAgain) {
    wPamieci(3);
    silnik->PrzelaczAutomat();
    silnik->AutostopJest = true;
    timery->TimelistaSynchroJest = true;
    StanTimelisty.Ilosc = 2;
    for (int i = 1; i <= 2; ++i) {
        Timelista[i] = TElemTListy{};
        Timelista[i].Czas = 12 * 3600 + 60;
    }
    // The block's playing: the entry goes on player 1 and is marked played.
    wyjscia.przyEmisjiTimelisty = [this] {
        stan.PauzaJest = true;
        silnik->SlotEmisjiTeraz = 1;
        silnik->SlotGra[1] = 1;
        Timelista[StanTimelisty.Kursor].Stan = StanZagrany;
        if (StanTimelisty.Kursor < StanTimelisty.Ilosc)
            ++StanTimelisty.Kursor;
    };

    naGodzine(QDate(2024, 3, 4), 12 * H + 59'000);
    timery->TListaSynchroKolejnoTimerTimer();
    EXPECT_EQ(timery->DoNastepnejTL, 1000);
    EXPECT_EQ(wyjscia.emisjeTimelisty, 0);
    zegar.advance(1000);
    timery->TListaSynchroKolejnoTimerTimer();
    EXPECT_EQ(wyjscia.emisjeTimelisty, 1);
    EXPECT_FALSE(stan.TrybAutomat);
    EXPECT_TRUE(timery->AutomatPrzedBlokiem);

    timery->TListaSynchroKolejnoTimerTimer();  // still playing
    EXPECT_EQ(wyjscia.emisjeTimelisty, 1);
    silnik->SlotGra[1] = 0;
    timery->TListaSynchroKolejnoTimerTimer();  // same time: the second entry now
    EXPECT_EQ(wyjscia.emisjeTimelisty, 2);
    silnik->SlotGra[1] = 0;
    timery->TListaSynchroKolejnoTimerTimer();
    EXPECT_FALSE(stan.PauzaJest);
    EXPECT_TRUE(stan.TrybAutomat);
    EXPECT_FALSE(timery->AutomatPrzedBlokiem);
}

TEST_F(TimersTest, DueEntryWaitsForThePlayersWithoutAutoStop) {
    wPamieci(3);
    timery->TimelistaSynchroJest = true;
    StanTimelisty.Ilosc = 1;
    Timelista[1] = TElemTListy{};
    Timelista[1].Czas = 12 * 3600;
    silnik->SlotGra[2] = 1;
    timery->TListaSynchroKolejnoTimerTimer();
    EXPECT_EQ(wyjscia.emisjeTimelisty, 0);
    silnik->SlotGra[2] = 0;
    timery->TListaSynchroKolejnoTimerTimer();
    EXPECT_EQ(wyjscia.emisjeTimelisty, 1);
}

TEST_F(TimersTest, DiTextClearedOnceAtOneOClock) {
    Emisja.CzyRDSZbiorDIJest = true;
    int& zapisy = wyjscia.zapisyDI;
    RDSInformacja = QStringLiteral("Informacja");
    naGodzine(QDate(2024, 3, 4), H - 50);
    timery->TimerWyswietlaczTimer();
    EXPECT_EQ(RDSInformacja, QStringLiteral("Informacja"));
    zegar.advance(1500);  // a refresh late by more than a second
    timery->TimerWyswietlaczTimer();
    EXPECT_TRUE(RDSInformacja.isEmpty());
    EXPECT_EQ(zapisy, 1);
    RDSInformacja = QStringLiteral("Nowa");
    zegar.advance(100);
    timery->TimerWyswietlaczTimer();
    EXPECT_EQ(RDSInformacja, QStringLiteral("Nowa"));

    // Skipped while the on-air loop runs.
    silnik->Timer1Zajety = true;
    stan.PauzaJest = true;
    timery->TimerWyswietlaczTimer();
    EXPECT_FALSE(timery->DataCzerwona);
    silnik->Timer1Zajety = false;
    timery->TimerWyswietlaczTimer();
    EXPECT_TRUE(timery->DataCzerwona);
}

TEST_F(TimersTest, SatelliteRejoinPicksTheAdvertOrDjElementNearNow) {
    wPamieci(5);
    const qint32 teraz = 12 * 3600 * 1000;
    Satelita.SatVTGrajMargS = 10;
    Playlista[1].Emi = teraz;              // a song: never
    Playlista[2].Typ = RodzajREK | TypZagrany;  // played already
    Playlista[2].Emi = teraz;
    Playlista[3].Typ = RodzajDJ_;
    Playlista[3].Emi = teraz + 30'000;     // outside the margin
    Playlista[4].Typ = RodzajREK;
    Playlista[4].Emi = teraz - 9'000;
    Playlista[5].Typ = RodzajREK;
    Playlista[5].Emi = teraz;
    for (int i = 1; i <= 5; ++i) Playlista[i].Adr = QStringLiteral("C:\\E%1.WAV").arg(i);
    StanPlaylisty.DoGrania = 1;
    timery->SatPlusTimerTimer();
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
    EXPECT_EQ(StanPlaylisty.Kursor, 4);

    // Not while a main player carries an element.
    StanPlaylisty.DoGrania = 2;
    stan.OdtwarzaczZajety[2] = 1;
    timery->SatPlusTimerTimer();
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
}

TEST_F(TimersTest, OneShotFadeStopsItself) {
    stan.OdtwarzaczZajety[1] = 1;
    stan.OdtwarzaczZajety[3] = 1;
    zegary.Wlacz(TimerKonsoli::SATPLMWycisz, true);
    timery->SATPLMWyciszTimerTimer();
    EXPECT_EQ(silnik->Odtwarzacz[1].FadeZadanie, 1);
    EXPECT_EQ(silnik->Odtwarzacz[2].FadeZadanie, 0);
    EXPECT_EQ(silnik->Odtwarzacz[3].FadeZadanie, 1);
    EXPECT_FALSE(zegary.Wlaczony(TimerKonsoli::SATPLMWycisz));
}

TEST_F(TimersTest, MidnightLoadsThatFailLeaveTheAirAsItWas) {
    // Today's playlist plays on in Automat across midnight, 4 s an element.
    const QString dzis = folder.file(QStringLiteral("DZIS.MIX"));
    playlista(dzis, 6, 24 * H - 8000, QStringLiteral("D"));
    CzytajPrzezWatek(*silnik, dzis);
    PlaylistaZbior = dzis;
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    silnik->PrzelaczAutomat();
    StanTimelisty.Ilosc = 2;
    Timelista[1].Tyt = QStringLiteral("Blok 1");
    Timelista[2].Tyt = QStringLiteral("Blok 2");
    TimelistaZbior = QStringLiteral("DZIS.LST");

    // Tomorrow's playlist for the roll-over is missing; the automatic loads
    // find a playlist that cannot be read (no reader for .SEL) and a time
    // list that is too large to be one.
    Satelita.SatPListAutoJest = true;
    Satelita.SatPListAutoKat = folder.path();
    Satelita.SatPLJest = Satelita.SatTLJest = true;
    Satelita.SatPLKatalog = Emisja.KatLista1 = folder.path();
    Satelita.SatPLNazwaFormat = QStringLiteral("RRRRMMDD");
    folder.write(QStringLiteral("20240305.SEL"), "0001 J01\r\n");
    QFile lst(folder.file(QStringLiteral("20240305.LST")));
    ASSERT_TRUE(lst.open(QIODevice::WriteOnly) && lst.resize(300LL * 1024 * 1024));  // sparse
    lst.close();

    naGodzine(QDate(2024, 3, 4), 24 * H - 8000);  // 23:59:52
    for (int i = 0; i < 50; ++i) {
        graj(300);
        automat();
        autoodczyt();
    }

    EXPECT_TRUE(AutoodczytZbior.isEmpty());
    EXPECT_TRUE(stan.TrybAutomat);
    EXPECT_EQ(StanPlaylisty.Ilosc, 6);
    EXPECT_EQ(PlaylistaZbior, dzis);
    EXPECT_EQ(StanTimelisty.Ilosc, 2);
    EXPECT_EQ(Timelista[2].Tyt, QStringLiteral("Blok 2"));
    EXPECT_EQ(TimelistaZbior, QStringLiteral("DZIS.LST"));

    // Both days' logs: every element started on time, none was faded or
    // restarted, and both failures were said.
    QStringList l;
    OproznijLog();
    for (const char* dzien : {"2024-03-04", "2024-03-05"})
        for (const QByteArray& b : folder.read(QStringLiteral("Tolvane_%1.LOG").arg(QLatin1String(dzien))).split('\n'))
            if (!b.trimmed().isEmpty()) l << platform::fromCp1250(b.trimmed());
    QStringList starty;
    for (const QString& s : l.filter(QStringLiteral(" START ")))
        starty << s.left(8) + QLatin1Char(' ') + s.section(QLatin1Char('/'), -1).section(QLatin1Char(' '), 0, 0);
    EXPECT_EQ(starty, (QStringList{QStringLiteral("23:59:52 D1.WAV"), QStringLiteral("23:59:56 D2.WAV"),
                                   QStringLiteral("00:00:00 D3.WAV"), QStringLiteral("00:00:04 D4.WAV")}));
    EXPECT_TRUE(l.filter(QStringLiteral("FADE STOP")).isEmpty());
    EXPECT_EQ(l.filter(QStringLiteral("Błąd odczytu playlisty: ")).filter(QStringLiteral("20240305.SEL")).size(), 1);
    EXPECT_EQ(l.filter(QStringLiteral("Błąd odczytu listy synchronicznej: ")).size(), 1);
}

// The day's time list loaded at midnight brings its recordings from the
// network twin of their drive.
TEST_F(TimersTest, TheMidnightTimeListCopiesItsRecordingsFromTheNetwork) {
    Satelita.SatTLJest = true;
    Satelita.SatPLNazwaFormat = QStringLiteral("RRRRMMDD");
    Emisja.KatLista1 = folder.path();
    Emisja.CzyKopiowacNagraniaTimelisty = true;
    Emisja.CzyPytacOKopiowanieNagranTimelisty = false;
    Katalogi.KatSiecStart = QStringLiteral("M");
    folder.write(QStringLiteral("drives/m/SIEC/T1.WAV"), "dzwiek");
    folder.write(QStringLiteral("20240305.LST"), "14:00:00 T1\r\nC:\\SIEC\\T1.WAV\r\n");
    naGodzine(QDate(2024, 3, 4), 24 * H - 1000);
    autoodczyt();
    naGodzine(QDate(2024, 3, 5), 500);
    autoodczyt();
    Katalogi.KatSiecStart = QStringLiteral("H");
    EXPECT_EQ(StanTimelisty.Ilosc, 1);
    EXPECT_EQ(folder.read(QStringLiteral("drives/c/SIEC/T1.WAV")), QByteArray("dzwiek"));
}
