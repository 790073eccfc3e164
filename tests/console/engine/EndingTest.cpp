// Ending elements on the engine: history and XML bytes, the played criteria,
// the fade-outs, ending once, element numbers across clear and undo, and an
// hour of Automat.
#include "console/support/EndingRig.h"
#include "console/engine/ZakonczenieEmisji.h"
#include "foundation/DialogiSkrypt.h"
#include "library/DBaza.h"

#include <QFile>
#include <QRegularExpression>

#include <chrono>
#include <condition_variable>
#include <future>

using namespace Qt::StringLiterals;

namespace {

const QByteArray NaglowekXML =
    "<GSSchedule schemaVersion=\"2.0.0.0\" xmlns:gs_pe=\"PEContentSchemaGS\" xmlns:gs_sl=\"SLContentSchemaGS\" "
    "xmlns:gs_s=\"SongSchemaGS\" xmlns:gs_l=\"LinkSchemaGS\" xmlns:gs_b=\"BreakSchemaGS\" "
    "xmlns:gs_err=\"OperationStatusSchemaGS\" xmlns=\"ScheduleSchemaGS\">\r\n"
    "<Day scheduledDate=\"2026-12-06\">\r\n"
    "<Hour scheduledTime=\"0:00:00\" />\r\n";

class EndingTest : public ::testing::Test, protected EndingRig {
protected:
    void grajKursor(qint32 n, quint8 zrodlo = ZrodloKlaw) {
        StanPlaylisty.Kursor = n;
        silnik->GrajKolejny(0, TrybKursor, zrodlo);
        StartPoPrzygotowaniu(*silnik);
    }
    QStringList stopy() const { return logi().filter(u"STOP  "_s); }
};

TEST_F(EndingTest, AWholeRecordingWritesItsHistoryLineAndXmlEvent) {
    Emisja.CzyHSTXML = true;
    silnik->OtworzPlikiHistorii();
    const QString plik = wav(u"T1.WAV"_s, 225'400);
    TElemPListy& e = dodaj(plik, 14 * 3600'000, 225'400);
    e.Tyt = u"T"_s;
    e.Pta = u"A"_s;
    e.Wyk = u"W"_s;
    e.Rok = u"1999"_s;
    grajKursor(1);

    const int tiki = tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    EXPECT_EQ(tiki, 7514);  // 225 400 ms in 30 ms ticks
    EXPECT_EQ(hst(u"26_12_06.HST"_s), ("14:03:27; " + plik + "; 100%; 03:45; T; A; W; ; ; ; ; ; 1999\r\n").toUtf8());
    EXPECT_EQ(hst(u"26_12_06.XML"_s),
              NaglowekXML +
                  "<Hour scheduledTime=\"14:00:00\" />\r\n"
                  "<Event entryType=\"Song\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"14:03:27\" "
                  "duration=\"225\" editCode=\"0\" failureCode=\"0\">\r\n"
                  "<ProgramElement><gs_s:Song><gs_pe:Media ID=\"T1\" /></gs_s:Song></ProgramElement>\r\n"
                  "</Event>\r\n"
                  "</Day></GSSchedule>\r\n");
    EXPECT_EQ(stopy(), QStringList{u"0 0 0 0 S S S PROG STOP  1 E1"_s});
    EXPECT_TRUE(Playlista[1].Typ & TypZagrany);
    EXPECT_EQ(Playlista[1].Wznow, 0);  // played to its end
    EXPECT_EQ(silnik->Odtwarzacz[1].SygnalSlotu.Nazwa, NazwaPustegoSygnalu);
    EXPECT_TRUE(wyjscia.datagramy.contains(u"1 STOP"_s));

    // Nothing more happens on later ticks: the element was ended once.
    tik(10);
    EXPECT_EQ(stopy().size(), 1);
}

// The event log writes on its own: while a log write hangs (a log folder
// on a share that does not answer), an element ends and its history line is
// written all the same. Lines past the log's room are dropped, and how many
// is said once, when the log has room again.
TEST_F(EndingTest, AHangingLogWriteHoldsNoHistoryLineAndItsOverflowIsCounted) {
    std::mutex m;
    std::condition_variable cv;
    bool pusc = false;
    LogWiele([&] {
        std::unique_lock l(m);
        cv.wait(l, [&] { return pusc; });
        return QStringList{};
    });
    const QString plik = wav(u"T1.WAV"_s, 30'000);
    dodaj(plik, 14 * 3600'000, 30'000).Tyt = u"T"_s;
    grajKursor(1);
    tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    auto historia = std::async(std::launch::async, [&] { silnik->Historia.Oproznij(); });
    const bool czekala = historia.wait_for(std::chrono::seconds(30)) != std::future_status::ready;
    const QByteArray linia = dir.read(u"HST/26_12_06.HST"_s);
    const unsigned long long zalanie = PisarzLogu::Miejsca + 5;
    for (unsigned long long i = 0; i < zalanie; ++i) Log(u"linia %1"_s.arg(i));
    {
        std::lock_guard l(m);
        pusc = true;
    }
    cv.notify_all();
    historia.wait();
    EXPECT_FALSE(czekala) << "the day files waited for the log";
    EXPECT_TRUE(linia.startsWith("14:03:27; " + plik.toUtf8() + "; 100%; 00:30; T;")) << linia.toStdString();

    const QStringList log = logi();
    const QStringList pominiete = log.filter(u"Pominięte linie dziennika (zapis nie nadążał): "_s);
    ASSERT_EQ(pominiete.size(), 1);
    EXPECT_EQ(log.filter(QRegularExpression(u"^linia \\d+$"_s)).size() + pominiete[0].section(u' ', -1).toULongLong(),
              zalanie);
    EXPECT_EQ(log.last(), pominiete[0]);
}

TEST_F(EndingTest, AnElementCrossingMidnightStaysInItsStartDay) {
    Emisja.CzyHSTXML = true;
    zegar.set(QDate(2026, 12, 6), 86'390'000);  // 23:59:50
    silnik->OtworzPlikiHistorii();
    dodaj(wav(u"M1.WAV"_s, 30'000), 86'390'000, 30'000);
    grajKursor(1);
    tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    ASSERT_EQ(zegar.date(), QDate(2026, 12, 7));
    EXPECT_TRUE(hst(u"26_12_06.HST"_s).startsWith("23:59:50; "));
    EXPECT_TRUE(hst(u"26_12_06.XML"_s).contains("airDate=\"2026-12-06\" airTime=\"23:59:50\" duration=\"30\""));
    EXPECT_FALSE(QFile::exists(dir.path() + u"/HST/26_12_07.HST"_s));
}

// A clock whose every reading moves it on by a millisecond: a start that
// reads the date and the time apart sees two different moments.
struct ZegarTykajacy final : platform::Clock {
    explicit ZegarTykajacy(platform::ManualClock& z) : zegar(z) {}
    qint64 msOfDay() const override { return czytaj(zegar.msOfDay()); }
    QDate date() const override { return czytaj(zegar.date()); }
    qint64 monotonicMs() const override { return zegar.monotonicMs(); }
    QDateTime now() const override { return czytaj(zegar.now()); }
    template <class T>
    T czytaj(T v) const {
        zegar.advance(1);
        return v;
    }
    platform::ManualClock& zegar;
};

TEST_F(EndingTest, StartTimesAreWrittenWithTheirLeadingZeroAndAStartKeepsItsDay) {
    Emisja.CzyHSTXML = true;
    struct Wiersz {
        qint64 ms;
        const char* czas;
        const char* godzina;
    };
    const Wiersz wiersze[] = {{5 * 3600'000, "05:00:00", "5"},
                              {(9 * 3600 + 59 * 60 + 59) * 1000, "09:59:59", "9"},
                              {86'399'999, "23:59:59", "23"}};
    zegar.set(QDate(2026, 12, 6), 0);
    silnik->OtworzPlikiHistorii();
    QByteArray historia;
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.czas);
        zegar.set(QDate(2026, 12, 6), w.ms);
        const QString plik = wav(u"S%1.WAV"_s.arg(StanPlaylisty.Ilosc + 1), 7'000);
        dodaj(plik, qint32(w.ms), 7'000);
        StanPlaylisty.Kursor = StanPlaylisty.Ilosc;
        silnik->Przygotuj(StanPlaylisty.Ilosc, 0);
        silnik->OproznijPrzygotowania();
        {
            ZegarTykajacy tykajacy(zegar);
            platform::ScopedClock zakres(&tykajacy);
            silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
        }
        const MIXMagnetType& r = silnik->Odtwarzacz[1];
        EXPECT_EQ(r.CzasStartu.str(), QString::fromLatin1(w.czas));  // also EMI= and the play count
        EXPECT_EQ(r.DataStartu.str(), u"2026-12-06"_s);
        EXPECT_EQ(r.StartMS, qint32(w.ms));
        tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
        historia += QByteArray(w.czas) + "; " + plik.toUtf8() + "; 100%; 00:07; E" +
                    QByteArray::number(StanPlaylisty.Ilosc) + "; ; ; ; ; ; ; ; \r\n";
        EXPECT_TRUE(hst(u"26_12_06.XML"_s)
                        .contains(QByteArray("<Hour scheduledTime=\"") + w.godzina + ":00:00\" />\r\n<Event entryType="
                                  "\"Song\" status=\"Happened\" airDate=\"2026-12-06\" airTime=\"" + w.czas + "\""));
    }
    EXPECT_EQ(hst(u"26_12_06.HST"_s), historia);
    EXPECT_FALSE(QFile::exists(dir.path() + u"/HST/26_12_07.HST"_s));
}

TEST_F(EndingTest, AMediaIdThatIsNotLettersAndDigitsWritesNoEvent) {
    Emisja.CzyHSTXML = true;
    silnik->OtworzPlikiHistorii();
    dodaj(wav(u"T_1.WAV"_s, 7'000), 0, 7'000);
    grajKursor(1);
    tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    EXPECT_TRUE(hst(u"26_12_06.HST"_s).startsWith("14:03:27; "));
    EXPECT_EQ(hst(u"26_12_06.XML"_s), NaglowekXML + "</Day></GSSchedule>\r\n");
    EXPECT_EQ(logi().filter(u"XML: identyfikator \"T_1\" niepoprawny"_s).size(), 1);
}

TEST_F(EndingTest, StoppedAt40PercentKeepsItsResumePointAndWritesNothing) {
    Emisja.ProcHST = 50;
    BazaNagran.BazaLicznikJest = BazaNagran.BazaLicznikDodaj = true;
    silnik->OtworzPlikiHistorii();
    dodaj(wav(u"L.WAV"_s, 100'000), 0, 100'000);
    grajKursor(1);
    tik(1334);  // 40 020 ms
    silnik->PrzyciskStop(1);

    EXPECT_TRUE(hst(u"26_12_06.HST"_s).isEmpty());
    EXPECT_FALSE(Playlista[1].Typ & TypZagrany);
    EXPECT_EQ(Playlista[1].Wznow, 40'020);
    EXPECT_EQ(stopy(), QStringList{u"0 0 0 0 S S S MYSZ STOP  1 E1"_s});
    tik(5);
    EXPECT_EQ(stopy().size(), 1);
    EXPECT_FALSE(logi().join(u'\n').contains(u"STOP  1 Nie_ma"_s));
}

// With a damaged database in use, or none, each play that cannot be kept is logged.
TEST_F(EndingTest, PlaysDuringAPartialDatabaseAreLoggedOneLineEach) {
    DialogiSkrypt dialogi;  // the damaged file is reported
    BazaNagran.BazaLicznikJest = BazaNagran.BazaLicznikDodaj = true;
    const QString a = wav(u"A.WAV"_s, 7'000), b = wav(u"B.WAV"_s, 7'000);
    dir.write(u"BAZA.BAZ"_s, "WERSJA=2\r\nPOZYCJI=2\r\nAdr=" + a.toUtf8() + "\r\nKONIEC OPISU\r\n");
    BazaNagran.BazaZbior = dir.file(u"BAZA.BAZ"_s);
    BazaWczytajOdNowa();
    for (const QString& p : {a, b})
        dodaj(p, 0, 7'000), grajKursor(StanPlaylisty.Ilosc), tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    const QString linia = u"Odegranie nie zapisane - baza nagrań niepełna: 2026-12-06 "_s;
    EXPECT_EQ(logi().filter(u"Odegranie"_s), QStringList({linia + u"14:03:27 "_s + a, linia + u"14:03:34 "_s + b}));
    // No table at all (the file unreadable): each play is logged too.
    BazaCzyscWszystko(), BazaWczytana = false;
    dodaj(a, 0, 7'000), grajKursor(StanPlaylisty.Ilosc), tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    EXPECT_EQ(logi().filter(u"nie wczytana"_s),
              QStringList{u"Odegranie nie zapisane - baza nagrań nie wczytana: 2026-12-06 14:03:41 "_s + a});
}

TEST_F(EndingTest, FOutFallsFromZeroAndEndsTheElementOnItsSixtyEighthTick) {
    Emisja.PoziomStop = 6000;  // 60 dB
    Emisja.CzasStop = 2000;
    TElemPListy& e = dodaj(wav(u"F.WAV"_s, 600'000), 0, 600'000);
    e.Wzm = -1000;
    grajKursor(1);
    tik(10);
    EXPECT_EQ(gracze[1].glosnosc, -1000);

    silnik->PrzyciskFOut(1);
    tik();
    // The fade counts from 0: the gain is added once, by the loop.
    EXPECT_EQ(silnik->Odtwarzacz[1].FadePoziom, -90);
    tik(66);
    EXPECT_EQ(silnik->Odtwarzacz[1].FadePoziom, -6030);
    EXPECT_TRUE(stan.OdtwarzaczZajety[1]);
    tik();
    EXPECT_FALSE(stan.OdtwarzaczZajety[1]);
    EXPECT_EQ(stopy(), QStringList{u"0 0 0 0 S S S FADE STOP  1 E1"_s});
    EXPECT_EQ(wyjscia.datagramy.filter(u"1 FADE"_s).size(), 1);

    // A request on a slot that carries nothing is not served.
    silnik->ZadanieFade(2);
    EXPECT_EQ(silnik->Odtwarzacz[2].FadeZadanie, 0);
}

TEST_F(EndingTest, FadeArithmetic) {
    EXPECT_EQ(KrokFade(6000, 2000, 30), 90);
    EXPECT_EQ(KrokFade(6000, 20, 30), 6000);  // shorter than a tick: at once
    EXPECT_EQ(KrokFade(100, 10'000, 30), 1);  // never a step of 0 that would never end
    EXPECT_EQ(KrokFade(0, 2000, 30), 0);
    EXPECT_EQ(PoziomKoncaFade(6000), -6000);
    EXPECT_EQ(PoziomKoncaFade(12'000), -10'000);
    EXPECT_EQ(SlowoStopu(3), u"FADE "_s);
    EXPECT_EQ(SlowoStopu(8), u"SRLM "_s);
    EXPECT_EQ(SlowoStopu(9), QString());
}

TEST_F(EndingTest, AutoStopFadesTheOtherDeck) {
    silnik->AutostopJest = true;
    Emisja.PoziomStop = 3000;
    Emisja.CzasStop = 300;  // 10 ticks of 300
    dodaj(wav(u"A.WAV"_s, 600'000), 0, 600'000);
    dodaj(wav(u"B.WAV"_s, 600'000), 0, 600'000);
    grajKursor(1);
    tik(5);
    grajKursor(2);
    EXPECT_EQ(silnik->Odtwarzacz[1].FadeTrwa, 1);  // asked by the start, begun by the tick that made it
    tik(10);
    EXPECT_FALSE(stan.OdtwarzaczZajety[1]);
    EXPECT_TRUE(stan.OdtwarzaczZajety[2]);
    EXPECT_EQ(stopy(), QStringList{u"0 0 1 0 S P S FADE STOP  1 E1"_s});
}

TEST_F(EndingTest, ElementNumbersFollowClearAndUndo) {
    for (int i = 0; i < 3; ++i) dodaj(wav(u"N%1.WAV"_s.arg(i), 600'000), i * 600'000, 600'000);
    grajKursor(1);
    tik();
    ZapiszUndoPlaylisty(u"Test"_s);
    // Element 1 ends, 2 starts on the same deck; the snapshot still says 1.
    silnik->PrzyciskStop(1);
    grajKursor(2);
    ASSERT_EQ(silnik->Odtwarzacz[1].Element, 2);
    ASSERT_TRUE(PrzywrocUndoPlaylisty(false));
    EXPECT_EQ(silnik->Odtwarzacz[1].Element, 2);

    // Cleared under a playing deck: the number goes, nothing is marked.
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) InitElemPListy(Playlista[i]);
    StanPlaylisty.Ilosc = 0;
    silnik->PrzemapujElementyOdtwarzaczy();
    EXPECT_EQ(silnik->Odtwarzacz[1].Element, 0);
    dodaj(wav(u"X.WAV"_s, 1000), 0, 1000);
    dodaj(wav(u"Y.WAV"_s, 1000), 0, 1000);
    silnik->PrzyciskStop(1);
    EXPECT_FALSE(Playlista[2].Typ & TypZagrany);
}

// A playlist cleared under a playing deck: the element still came from the
// playlist, so its history line is written with "playlist only" on.
TEST_F(EndingTest, AnElementOfAClearedPlaylistStillGetsItsHistoryLine) {
    Emisja.HSTTylkoPLista = true;
    silnik->OtworzPlikiHistorii();
    dodaj(wav(u"T1.WAV"_s, 6000), 14 * 3600'000, 6000);
    grajKursor(1);
    tik();
    for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) InitElemPListy(Playlista[i]);
    StanPlaylisty.Ilosc = 0;
    silnik->PrzemapujElementyOdtwarzaczy();
    ASSERT_EQ(silnik->Odtwarzacz[1].Element, 0);
    tikDo([&] { return !stan.OdtwarzaczZajety[1]; });
    EXPECT_TRUE(hst(u"26_12_06.HST"_s).startsWith("14:03:27; ")) << hst(u"26_12_06.HST"_s).toStdString();
}

TEST_F(EndingTest, SatelliteComesBackUnlessTheNextElementFollowsWithTheSameKind) {
    silnik->SatWlaczony = true;
    for (int i = 0; i < 3; ++i) dodaj(wav(u"S%1.WAV"_s.arg(i), 60'000), 0, 60'000, i == 2 ? RodzajJNG : RodzajSND);
    grajKursor(1);  // the next mark moves to 2, the same kind
    silnik->SatWejscieStart = false;
    silnik->PrzyciskStop(1);
    EXPECT_FALSE(silnik->SatWejscieStart);

    grajKursor(2);  // next is 3, a jingle
    silnik->PrzyciskStop(1);
    EXPECT_TRUE(silnik->SatWejscieStart);
}

TEST_F(EndingTest, AnHourOfAutomat) {
    Emisja.CzyHSTXML = true;
    silnik->OtworzPlikiHistorii();
    const int n = 150;  // 24 s each
    const qint32 start = qint32(zegar.msOfDay());
    for (int i = 0; i < n; ++i) dodaj(wav(u"A%1.WAV"_s.arg(i, 3, 10, QChar(u'0')), 24'000), start + i * 24'000, 24'000);
    StanPlaylisty.DoGrania = 1;
    silnik->PrzelaczAutomat();
    ASSERT_TRUE(stan.TrybAutomat);

    int cisza = 0, najdluzszaCisza = 0;
    bool zaczeto = false;
    for (int t = 0; t < 3600 * 1000 / 30 + 100; ++t) {
        tik();
        const bool gra = gracze.StanOdtwarzacza(1) || gracze.StanOdtwarzacza(2) || gracze.StanOdtwarzacza(3);
        zaczeto = zaczeto || gra;
        if (zaczeto && !gra && StanPlaylisty.Ilosc > 0 && !(Playlista[n].Typ & TypZagrany))
            najdluzszaCisza = std::max(najdluzszaCisza, ++cisza);
        else
            cisza = 0;
    }
    // Every element started once and ended once, in order.
    QStringList starty = logi().filter(u"START "_s), konce = stopy();
    ASSERT_EQ(starty.size(), n);
    ASSERT_EQ(konce.size(), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_TRUE(starty[i].contains(u"A%1.WAV"_s.arg(i, 3, 10, QChar(u'0')))) << starty[i].toStdString();
        EXPECT_TRUE(konce[i].endsWith(u" E%1"_s.arg(i + 1))) << konce[i].toStdString();
        EXPECT_TRUE(Playlista[i + 1].Typ & TypZagrany);
    }
    const QStringList historia = QString::fromLatin1(hst(u"26_12_06.HST"_s)).split(u"\r\n"_s, Qt::SkipEmptyParts);
    ASSERT_EQ(historia.size(), n);
    for (int i = 0; i < n; ++i) EXPECT_TRUE(historia[i].contains(u"A%1.WAV; 100%; 00:24"_s.arg(i, 3, 10, QChar(u'0'))));
    EXPECT_EQ(hst(u"26_12_06.XML"_s).count("<Event entryType=\"Song\""), n);
    EXPECT_TRUE(hst(u"26_12_06.XML"_s).endsWith("</Event>\r\n</Day></GSSchedule>\r\n"));
    // Back to back: at most one idle tick between two elements.
    EXPECT_LE(najdluzszaCisza, 1);
}

}  // namespace
