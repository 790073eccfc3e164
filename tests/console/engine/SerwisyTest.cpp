// News and programme insertion: the file a marker finds, the element that
// goes in after it, the dialogs outside #AKT, the timed "GRAJ O" start and
// Automat going on while the cursor stands on a break.
#include <gtest/gtest.h>

#include "console/engine/SerwisyEmisji.h"
#include "console/support/TrybyRig.h"
#include "foundation/KestPods2.h"
#include "platform/AudioFixtures.h"

namespace {

constexpr qint32 Godz = 3'600'000;
constexpr qint32 Min = 60'000;

struct SerwisyRig : TrybyRig {
    SerwisyEmisji serwisy{*silnik, *timery};

    SerwisyRig(qint64 msDoby = 13 * Godz + 50 * Min) {
        zegar.set(QDate(2024, 3, 5), msDoby);
        Emisja.SERWISJest = true;
        Emisja.SERWISKatalog = folder.path() + QStringLiteral("/SERWIS");
        Emisja.AUDYCJAKatalog = folder.path() + QStringLiteral("/AUDYCJA");
        Satelita.SatPLNazwaFormat = QStringLiteral("RRRRMMDD");
    }
    // An MP3 of `ms` in the folder under `rel`; its path.
    QString mp3(const QString& rel, int ms = 2000) {
        folder.write(rel, fixtures::mp3Tone(22050, 1, 440, ms, 32));
        return folder.file(rel);
    }
    TElemPListy& dodaj(quint8 rodzaj, const QString& tytul, qint32 emi, const QString& adres = {}, qint32 trw = 0) {
        const int n = ++StanPlaylisty.Ilosc;
        TElemPListy& e = Playlista[n];
        InitElemPListy(e);
        e.Typ = rodzaj;
        e.Ide = QStringLiteral("E%1").arg(n);
        e.Tyt = tytul;
        e.Emi = emi;
        e.Adr = adres;
        e.Trw = e.NwK = e.FOu = trw;
        return e;
    }
    // The 500 ms tick after the display took its whole-second time.
    void serwisTik(qint64 krok = 500) {
        zegar.advance(krok);
        timery->TimerWyswietlaczTimer();
        silnik->OproznijPrzygotowania();  // the next element is read ahead meanwhile
        serwisy.SERWISTimerTimer();
    }
};

// ---- which file a marker finds and what goes in ----

struct Szukanie {
    const char* nazwa;
    const char* format;
    const char* tytul;
    qint32 czas;                 // the clock, ms of the day
    std::vector<const char*> pliki;  // made in the program folder
    const char* zapas;           // SERWISDzwiekNazwa / AUDYCJADzwiekNazwa
    const char* znaleziony;      // relative path, or "" for none
    const char* log;             // the message up to " -> "
};

class ZnalezienieSerwisu : public ::testing::TestWithParam<Szukanie> {};

TEST_P(ZnalezienieSerwisu, FindsTheDayFileAndInsertsItAfterTheMarker) {
    const Szukanie& p = GetParam();
    SerwisyRig r(p.czas);
    Satelita.SatPLNazwaFormat = QString::fromLatin1(p.format);
    const bool audycja = QString::fromUtf8(p.tytul).startsWith(QStringLiteral("#AUDYCJA"));
    (audycja ? Emisja.AUDYCJADzwiekNazwa : Emisja.SERWISDzwiekNazwa) = QString::fromLatin1(p.zapas);
    for (const char* f : p.pliki) r.mp3(QString::fromUtf8(f));
    const QString piosenka = r.dzwiek(QStringLiteral("A.WAV"));
    r.dodaj(RodzajSND, QStringLiteral("A"), 13 * Godz + 55 * Min, piosenka, 4000);
    r.dodaj(audycja ? RodzajINF : RodzajBRK, QString::fromUtf8(p.tytul), 14 * Godz);
    r.dodaj(RodzajSND, QStringLiteral("B"), 14 * Godz + 5000, piosenka, 4000);
    r.dodaj(RodzajSND, QStringLiteral("C"), 14 * Godz + 9000, piosenka, 4000);
    StanPlaylisty.Kursor = 3;
    StanPlaylisty.DoGrania = 3;
    r.silnik->Odtwarzacz[3].Element = 4;  // carried, not playing
    r.serwisy.TrybAKT = true;

    r.serwisy.WstawSerwis(2);
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());  // #AKT asks nothing
    const QString szukany = *p.znaleziony ? r.folder.file(QString::fromUtf8(p.znaleziony)) : QString();
    if (szukany.isEmpty()) {
        EXPECT_EQ(StanPlaylisty.Ilosc, 4);
        EXPECT_TRUE(r.wLogu(QString::fromUtf8(p.log) + QStringLiteral(" -> "))) << r.log().join('\n').toStdString();
        return;
    }
    ASSERT_EQ(StanPlaylisty.Ilosc, 5);
    const TElemPListy& w = Playlista[3];
    EXPECT_EQ(RodzajElemPListy(w.Typ), audycja ? RodzajAUD : RodzajJNG);
    EXPECT_EQ(QString(w.Tyt), QString::fromUtf8(p.tytul));
    EXPECT_EQ(w.Emi, 14 * Godz);
    EXPECT_NEAR(w.NwK - w.NwP, 2000, 100);
    EXPECT_TRUE(platform::resolvePath(w.Adr) == szukany || w.Adr.str().endsWith(QString::fromUtf8(p.znaleziony).mid(2)))
        << w.Adr.str().toStdString();
    // The elements after it follow its end less the crossfade, earlier too.
    const qint32 cross = audycja ? Emisja.CzasACross : Emisja.CzasJCross;
    EXPECT_EQ(Playlista[4].Emi, 14 * Godz + w.NwK - w.NwP - cross);
    EXPECT_EQ(Playlista[5].Emi - Playlista[4].Emi, 4000);
    // Cursor, next and the deck keep their elements.
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
    EXPECT_EQ(r.silnik->Odtwarzacz[3].Element, 5);
    EXPECT_TRUE(UndoJest);
    EXPECT_TRUE(r.wLogu(QString::fromUtf8(p.log) + QStringLiteral(" -> ") + w.Adr.str()))
        << r.log().join('\n').toStdString();
    EXPECT_EQ(r.silnik->Komunikat, QString::fromUtf8(p.log) + QStringLiteral(" -> ") + w.Adr.str());

    // Once in, never twice; the inserted programme is no marker itself.
    r.serwisy.WstawSerwis(2);
    r.serwisy.WstawSerwis(3);
    EXPECT_EQ(StanPlaylisty.Ilosc, 5);
}

const qint32 T1350 = 13 * Godz + 50 * Min;

INSTANTIATE_TEST_SUITE_P(
    Serwisy, ZnalezienieSerwisu,
    ::testing::Values(
        Szukanie{"DateNameFirst", "RRRRMMDD", "#SERWIS O 14:00", T1350,
                 {"SERWIS/20240305_1400.MP3", "SERWIS/N_2024-03-05_14.MP3"}, "", "SERWIS/20240305_1400.MP3",
                 "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"HourNameSecond", "RRRRMMDD", "#SERWIS O 14:00", T1350, {"SERWIS/N_2024-03-05_14.MP3"}, "",
                 "SERWIS/N_2024-03-05_14.MP3", "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"FallbackLast", "RRRRMMDD", "#SERWIS O 14:00", T1350, {"SERWIS/OGOLNY.MP3"}, "OGOLNY",
                 "SERWIS/OGOLNY.MP3", "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"AmericanDate", "MMDDRRRR", "#SERWIS O 14:00", T1350,
                 {"SERWIS/03052024_1400.MP3", "SERWIS/20240305_1400.MP3"}, "", "SERWIS/03052024_1400.MP3",
                 "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"PlayAtForm", "RRRRMMDD", "#SERWIS GRAJ O 14:00", T1350, {"SERWIS/20240305_1400.MP3"}, "",
                 "SERWIS/20240305_1400.MP3", "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"AfterMidnightIsTomorrow", "RRRRMMDD", "#SERWIS O 00:00", 23 * Godz + 58 * Min,
                 {"SERWIS/20240305_0000.MP3", "SERWIS/20240306_0000.MP3"}, "", "SERWIS/20240306_0000.MP3",
                 "Wstawienie dźwięku serwisu o 00:00"},
        Szukanie{"BadTimeBuildsNoDateName", "RRRRMMDD", "#SERWIS O 1x:00", T1350,
                 {"SERWIS/20240305_1x00.MP3", "SERWIS/OGOLNY.MP3"}, "OGOLNY", "SERWIS/OGOLNY.MP3",
                 "Wstawienie dźwięku serwisu o 1x:00"},
        Szukanie{"FullPathInTheTitle", "RRRRMMDD", "#SERWIS O 14:00 D:\\NEWS\\PILNE.MP3", T1350,
                 {"drives/d/NEWS/PILNE.MP3", "SERWIS/20240305_1400.MP3"}, "", "drives/d/NEWS/PILNE.MP3",
                 "Wstawienie dźwięku serwisu o 14:00"},
        Szukanie{"NothingFound", "RRRRMMDD", "#SERWIS O 14:00", T1350, {}, "", "",
                 "Brak dźwięku serwisu 14:00"},
        Szukanie{"Programme", "RRRRMMDD", "#AUDYCJA O 09:00", 8 * Godz,
                 {"AUDYCJA/20240305_0900.MP3"}, "", "AUDYCJA/20240305_0900.MP3",
                 "Wstawienie dźwięku audycji o 09:00"},
        Szukanie{"ProgrammeHasNoHourName", "RRRRMMDD", "#AUDYCJA O 09:00", 8 * Godz,
                 {"AUDYCJA/N_2024-03-05_09.MP3"}, "", "", "Brak dźwięku audycji 09:00"},
        Szukanie{"ProgrammeFallback", "RRRRMMDD", "#AUDYCJA GRAJ O 09:00", 8 * Godz,
                 {"AUDYCJA/STALA.MP3"}, "STALA", "AUDYCJA/STALA.MP3", "Wstawienie dźwięku audycji o 09:00"}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// ---- the operator's dialogs and refusals ----

TEST(Serwisy, OutsideAktTheOperatorIsAskedAndNoInsertsNothing) {
    SerwisyRig r;
    r.mp3(QStringLiteral("SERWIS/20240305_1400.MP3"));
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 14:00"), 14 * Godz);

    r.dialogi.Odpowiedz(OdpowiedzNie);
    r.serwisy.WstawSerwis(1);
    auto pytania = r.dialogi.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0].teksty, QStringList({QStringLiteral("Czy wstawić Serwis?"), QStringLiteral("#SERWIS O 14:00")}));
    EXPECT_EQ(StanPlaylisty.Ilosc, 1);

    // The start of a marker at the cursor hands it over; yes inserts.
    StanPlaylisty.Kursor = 1;
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_TRUE(r.dialogi.Bledy().isEmpty());
}

TEST(Serwisy, AMissingSoundIsShownOutsideAktAndOnlyLoggedInIt) {
    SerwisyRig r;
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 14:00"), 14 * Godz);
    const QString brak = QStringLiteral("Brak dźwięku serwisu 14:00 -> ") + Emisja.SERWISKatalog +
                         QStringLiteral("\\N_2024-03-05_14.MP3");
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.serwisy.WstawSerwis(1);
    auto info = r.dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty, QStringList({brak, QStringLiteral("#SERWIS O 14:00")}));

    r.dialogi.Wyczysc();
    r.serwisy.TrybAKT = true;
    r.serwisy.WstawSerwis(1);
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
    EXPECT_EQ(r.log().filter(brak).size(), 2);
}

TEST(Serwisy, InAktARefusedInsertIsLoggedNeverShown) {
    SerwisyRig r;
    r.mp3(QStringLiteral("SERWIS/20240305_1400.MP3"));
    const QString piosenka = r.dzwiek(QStringLiteral("A.WAV"));
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 14:00"), 14 * Godz);
    r.dodaj(RodzajSND, QStringLiteral("A"), 14 * Godz, piosenka, 4000);
    r.serwisy.TrybAKT = true;
    // Element 2 plays: the news would go in before it.
    r.stan.OdtwarzaczZajety[1] = 1;
    r.silnik->Odtwarzacz[1].Element = 2;
    r.serwisy.WstawSerwis(1);
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
    EXPECT_TRUE(r.wLogu(QStringLiteral("Nie można wstawiać elementu przed graną pozycją #SERWIS O 14:00")));
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
}

TEST(Serwisy, AQuestionFromInsideTheTickWaitsForItsEnd) {
    SerwisyRig r;
    r.mp3(QStringLiteral("SERWIS/20240305_1400.MP3"));
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 14:00"), 14 * Godz);
    StanPlaylisty.Kursor = 1;
    r.silnik->Timer1Zajety = true;
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloProg);
    r.silnik->Timer1Zajety = false;
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
    ASSERT_EQ(r.silnik->KomunikatyOczekujace.size(), 1);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.silnik->PokazKomunikaty();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).value(0).teksty.value(0), QStringLiteral("Czy wstawić Serwis?"));
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
}

// ---- #AKT in Automat: the timed news ----

struct GrajO {
    const char* nazwa;
    int margines;        // SERWISGrajOMarginesS
    qint64 krok;         // ms between the timer's ticks
    bool reklamaKursor;  // the cursor stands on an advert
    bool zagrany;        // the news already played
    bool naDeku;         // the news is carried by deck 3
    qint64 pierwszyTik;  // the clock of the first tick
    bool startuje;
    qint32 znacznik = 0;  // cursor and next mark at the start (0: the cursor 1, the mark 3)
    bool automat = false;  // the on-air tick runs too, the decks idle
};

class GrajOTest : public ::testing::TestWithParam<GrajO> {};

TEST_P(GrajOTest, StartsOnceWithinTheMargin) {
    const GrajO& p = GetParam();
    SerwisyRig r(p.pierwszyTik - p.krok);
    Emisja.SERWISGrajOMarginesS = p.margines;
    Emisja.SERWISUstawDoGraniaMarginesS = 10;
    Emisja.SERWISUstawDoGraniaMarginesPozycjiNum = 2;
    const QString piosenka = r.dzwiek(QStringLiteral("A.WAV"));
    r.dodaj(p.reklamaKursor ? RodzajREK : RodzajSND, QStringLiteral("A"), 13 * Godz + 50 * Min, piosenka, 4000);
    TElemPListy& news = r.dodaj(RodzajJNG, QStringLiteral("#SERWIS GRAJ O 14:00"), 14 * Godz + 5 * Min,
                                r.mp3(QStringLiteral("SERWIS/N.MP3")), 2000);
    if (p.zagrany) news.Typ |= TypZagrany;
    r.dodaj(RodzajSND, QStringLiteral("B"), 14 * Godz + 7 * Min, piosenka, 4000);
    r.dodaj(RodzajSND, QStringLiteral("C"), 14 * Godz + 8 * Min, piosenka, 4000);
    StanPlaylisty.Kursor = p.znacznik ? p.znacznik : 1;
    StanPlaylisty.DoGrania = p.znacznik ? p.znacznik : 3;
    if (p.naDeku) r.silnik->Odtwarzacz[3].Element = 2;
    r.stan.TrybAutomat = true;
    r.serwisy.TrybAKT = true;

    qint64 start = -1;
    qint64 doKursora = -1;
    while (r.zegar.msOfDay() < 14 * Godz + 2 * Min) {
        r.serwisTik(p.krok);
        if (p.automat) r.silnik->Timer1Timer();
        if (doKursora < 0 && StanPlaylisty.Kursor == 2 && StanPlaylisty.DoGrania == 2) doKursora = r.zegar.msOfDay();
        if (start < 0 && r.gracze.StanOdtwarzacza(1) == 1) start = r.zegar.msOfDay();
    }
    const QStringList starty = r.log().filter(QStringLiteral("START 1")).filter(QStringLiteral("N.MP3"));
    if (!p.startuje) {
        EXPECT_EQ(start, -1);
        EXPECT_TRUE(starty.isEmpty());
        return;
    }
    if (p.znacznik != 2) EXPECT_GE(doKursora, 14 * Godz - 10'000 - 1000);
    ASSERT_GE(start, 14 * Godz);
    EXPECT_LE(start, 14 * Godz + qMax<qint64>(p.margines * 1000, p.krok));
    ASSERT_EQ(starty.size(), 1);
    EXPECT_TRUE(starty[0].contains(QStringLiteral("PROG START 1"))) << starty[0].toStdString();
    // What was next before the news took the mark is next after it.
    if (!p.automat)
        EXPECT_EQ(QString(Playlista[StanPlaylisty.DoGrania].Tyt), QString::fromLatin1(p.znacznik == 4 ? "C" : "B"));
}

const qint64 T1359 = 14 * Godz - Min;

INSTANTIATE_TEST_SUITE_P(
    Serwisy, GrajOTest,
    ::testing::Values(GrajO{"OnTime", 30, 500, false, false, false, T1359, true},
                      GrajO{"NoMarginEveryHalfSecond", 0, 500, false, false, false, T1359, true},
                      GrajO{"NoMarginATickMissed", 0, 3000, false, false, false, T1359 + 1000, true},
                      GrajO{"UnderAnAdvertCursor", 30, 500, true, false, false, T1359, false},
                      GrajO{"AlreadyPlayed", 30, 500, false, true, false, T1359, false},
                      GrajO{"OnADeck", 30, 500, false, false, true, T1359, false},
                      GrajO{"AfterTheMargin", 30, 500, false, false, false, 14 * Godz + 31'000, false},
                      GrajO{"BehindTheMark", 30, 500, false, false, false, T1359, true, 4},
                      GrajO{"AutomatWaitsForTheHour", 30, 500, false, false, false, T1359, true, 2, true}),
    [](const auto& info) { return std::string(info.param.nazwa); });

TEST(Serwisy, AktDoesNothingOutsideAutomatAndInsertsAheadInIt) {
    SerwisyRig r;
    r.mp3(QStringLiteral("SERWIS/20240305_1400.MP3"));
    const QString piosenka = r.dzwiek(QStringLiteral("A.WAV"));
    for (int i = 0; i < 6; ++i) r.dodaj(RodzajSND, QStringLiteral("S"), 13 * Godz + 50 * Min + i * 4000, piosenka, 4000);
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 14:00"), 14 * Godz);
    StanPlaylisty.Kursor = 1;
    Emisja.SERWISSzukajPozycjiNum = 5;
    r.serwisy.TrybAKT = true;
    r.serwisTik();
    EXPECT_EQ(StanPlaylisty.Ilosc, 7);  // Automat off
    r.stan.TrybAutomat = true;
    r.serwisTik();
    EXPECT_EQ(StanPlaylisty.Ilosc, 7);  // 7 is beyond the cursor + 5
    StanPlaylisty.Kursor = 2;
    r.serwisTik();
    EXPECT_EQ(StanPlaylisty.Ilosc, 8);
    EXPECT_EQ(RodzajElemPListy(Playlista[8].Typ), RodzajJNG);
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
}

// ---- Automat goes on while the cursor stands on a break ----

TEST(Serwisy, AnHourOfAutomatWithTheCursorParkedOnABreak) {
    SerwisyRig r(12 * Godz);
    const QString piosenka = r.dzwiek(QStringLiteral("A.WAV"), 60'000);
    r.dodaj(RodzajBRK, QStringLiteral("#SERWIS O 12:00"), 12 * Godz);
    for (int i = 0; i < 60; ++i) r.dodaj(RodzajSND, QStringLiteral("S"), 12 * Godz + i * Min, piosenka, 60'000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 2;
    r.silnik->FlagaNastepnego = false;
    r.silnik->PrzelaczAutomat();
    ASSERT_TRUE(r.stan.TrybAutomat);
    r.graj(Godz);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    const QStringList starty = r.log().filter(QStringLiteral("START "));
    EXPECT_EQ(starty.size(), 60);
    for (int i = 0; i < starty.size(); ++i) {
        // Logged at its planned second, with its planned time.
        const QString czas = PiszCzas(6, 12 * Godz + i * Min);
        EXPECT_TRUE(starty[i].startsWith(czas.left(8) + QStringLiteral("->")) && starty[i].contains(czas))
            << i << " " << starty[i].toStdString();
    }
    EXPECT_TRUE(r.dialogi.Zapisy().isEmpty());
}

}  // namespace
