// Building the database by scanning, the network copies of the database file
// and the update of a local folder from its network twin.
#include "BazaFixture.h"

#include <QFile>
#include <QThread>

#include <atomic>

#include <unistd.h>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "common/WavWriter.h"
#include "foundation/Dialogi.h"
#include "foundation/KestKopia.h"
#include "library/DKatalog.h"

using namespace Qt::StringLiterals;

namespace {

class DBazaSkanTest : public BazaTest {
protected:
    // A WAV of `ms` at 8 kHz mono with a description.
    void recording(const QString& stored, int ms, const QString& tyt, const QString& wyk, const QString& kod) {
        put(stored, fixtures::wavFile(8000, 1, 8, fixtures::tone8(8000, 1, 440, ms)));
        SygnalType s;
        s.Adres = stored;
        OpisNagraniaTyp o;
        o.Tyt = tyt;
        o.Wyk = wyk;
        o.Kod = kod;
        o.Ktg = u"MUZYKA"_s;
        ZapiszDAT(s, o);
    }
    void station() {
        recording(u"D:\\MUZYKA\\a.wav"_s, 3600, u"Alfa"_s, u"Zenek"_s, u"K1"_s);
        recording(u"D:\\MUZYKA\\SUB\\B.WAV"_s, 1400, u"Beta"_s, u"Adam"_s, u"K2"_s);
        put(u"D:\\MUZYKA\\C.TXT"_s, "x");
        BazaNagran.BAZAKatalogiSzukajJest = true;
        BazaNagran.BAZAKatalogSzukaj[0] = u"D:\\MUZYKA"_s;
        BazaNagran.BAZAKatalogSzukaj[1] = u"D:\\NIE_MA"_s;
    }
    void setTime(const QString& stored, const QDateTime& t) {
        QFile f(fs(stored));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    }
};

TEST_F(DBazaSkanTest, CreateScansSortsAndSaves) {
    station();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(0), u"Czy utworzyć bazę nagrań?"_s);
    ASSERT_EQ(BazaLiczba, 2);
    // Performer order; paths as listed; texts from the descriptions.
    const BAZARekordTyp& b = BazaRekordy[1];
    EXPECT_EQ(b.Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);
    EXPECT_EQ(b.Wyk, u"Adam"_s);
    EXPECT_EQ(b.Kod, u"K2"_s);
    EXPECT_EQ(b.Kat, u"MUZYKA"_s);
    EXPECT_EQ(b.Dlugosc, 1400);
    EXPECT_EQ(b.Tot, u" 0:01"_s);
    EXPECT_EQ(BazaRekordy[2].Adr, u"D:\\MUZYKA\\a.wav"_s);
    EXPECT_EQ(BazaRekordy[2].Tot, u" 0:04"_s);
    EXPECT_EQ((std::array<int, 4>{b.Wyx, b.Tyx, b.Czx, b.Kox}), (std::array<int, 4>{1, 2, 1, 2}));
    EXPECT_FALSE(BazaZmieniona);
    EXPECT_TRUE(bytes(u"D:\\RADIO\\BAZA.BAZ"_s).contains("Adr=D:\\MUZYKA\\a.wav\r\n"));
    const auto stan = dialogs.Zapisy(RodzajDialogu::Stan);
    ASSERT_FALSE(stan.isEmpty());
    EXPECT_TRUE(stan[1].teksty.at(0).startsWith(u"Szukanie nagrań w:  D:\\MUZYKA\\"_s));
    EXPECT_EQ(stan[1].liczba, 10) << "abort button, no gauge";
}

TEST_F(DBazaSkanTest, UpdateAddsOnlyNewPathsAndCountersSurviveARebuild) {
    station();
    BazaNagran.BazaLicznikJest = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    BazaWczytajOdNowa();  // paths upper-cased as loaded
    ASSERT_EQ(BazaLiczba, 2);
    BazaRekordy[2].EmC = 5;
    BazaRekordy[2].Tyt = u"Poprawiony"_s;

    recording(u"D:\\MUZYKA\\C.WAV"_s, 500, u"Gamma"_s, u"Basia"_s, u"K3"_s);
    BazaAktualizacja = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    BazaAktualizacja = false;
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).last().teksty.at(0), u"Czy aktualizować bazę nagrań?"_s);
    ASSERT_EQ(BazaLiczba, 3);
    const int a = BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s);
    EXPECT_EQ(BazaRekordy[a].Tyt, u"Poprawiony"_s);
    EXPECT_EQ(BazaRekordy[a].EmC, 5);

    // The window's create: counters out, table anew, counters back in.
    BazaLicznikiZapisz();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].EmC, 0);
    BazaLicznikiCzytaj();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].EmC, 5);
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\MUZYKA\\A.WAV"_s)].Adr, u"D:\\MUZYKA\\a.wav"_s);
}

// A station without a database file: the update builds the whole table,
// which is saved; with a file that was never read it is not.
TEST_F(DBazaSkanTest, UpdateWithoutADatabaseFileIsSaved) {
    station();
    BazaAktualizacja = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_TRUE(errors().isEmpty());
    EXPECT_FALSE(BazaZmieniona);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s).count("KONIEC OPISU"), 2);

    const QByteArray plik = lines({u"WERSJA=2"_s, u"POZYCJI=1"_s, u"Adr=D:\\INNY.WAV"_s, u"KONIEC OPISU"_s});
    put(u"D:\\RADIO\\BAZA.BAZ"_s, plik);
    BazaCzyscWszystko();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), plik);
    EXPECT_EQ(errors().size(), 1);
}

TEST_F(DBazaSkanTest, AbortedCreateSavesNothingAndRefusesLaterSaves) {
    station();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    const QByteArray dobry = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
    ASSERT_FALSE(dobry.isEmpty());

    {
        DialogiZPompowaniem przerwij([](int) { StanPrzerwij = true; });
        BazaUtworz();
        EXPECT_EQ(przerwij.info, QStringList{u"Przerwano tworzenie bazy nagrań"_s});
    }
    EXPECT_LT(BazaLiczba, 2);
    BazaZmieniona = true;
    BazaZapisz(false);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), dobry);
}

// A drive that is gone before the build is named and nothing changes; one
// that vanishes while it is searched leaves the old table and files alone.
TEST_F(DBazaSkanTest, PlacesThatCannotBeListedNeverEmptyTheTable) {
    station();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    ASSERT_EQ(BazaLiczba, 2);
    const QByteArray plik = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
    BazaNagran.BAZAKatalogiSzukajJest = false;
    BazaNagran.BazaDyski = u"C,E"_s;
    dialogs.Wyczysc();
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(1), u"Brak dostępu do: C:\\, E:\\"_s);
    EXPECT_EQ(infos(), QStringList{u"Brak dostępu do miejsc szukania nagrań - baza nie zmieniona | C:\\, E:\\"_s});
    EXPECT_EQ(BazaLiczba, 2);

    BazaNagran.BazaDyski = u"D:\\MUZYKA"_s;
    {
        DialogiZPompowaniem znika([this](int) { QDir(fs(u"D:\\MUZYKA"_s)).removeRecursively(); });
        BazaUtworz();
        EXPECT_EQ(znika.info, QStringList{u"Zniknęło miejsce szukania nagrań - baza nie zmieniona"_s});
    }
    EXPECT_EQ(BazaLiczba, 2);
    EXPECT_TRUE(BazaKompletna);
    EXPECT_EQ(BazaPozycjaAdresu(u"D:\\MUZYKA\\a.wav"_s), 2);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), plik);
}

TEST_F(DBazaSkanTest, WhatIsSearched) {
    station();
    // Playing players: not even the question, only why.
    BazaOdtwarzaczeGraja = [] { return true; };
    BazaUtworz();
    EXPECT_TRUE(dialogs.Zapisy(RodzajDialogu::Decyzja).isEmpty());
    BazaOdtwarzaczeGraja = nullptr;

    // Only six extensions of the list are taken.
    BazaNagran.BazaTypy = u".A1:.A2:.A3:.A4:.A5:.A6:.WAV"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaLiczba, 0);

    // A drive with a path searches only that tree; drive C does not exist.
    BazaNagran.BazaTypy = u".WAV"_s;
    BazaNagran.BAZAKatalogiSzukajJest = false;
    BazaNagran.BazaDyski = u"D:\\MUZYKA\\SUB"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    ASSERT_EQ(BazaLiczba, 1);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);

    BazaNagran.BazaDyski = u"C,D"_s;
    dialogs.Odpowiedz(OdpowiedzTak);
    BazaUtworz();
    EXPECT_EQ(BazaLiczba, 2);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\MUZYKA\\SUB\\B.WAV"_s);
}

TEST_F(DBazaSkanTest, DatabaseCopiedFromTheNetwork) {
    auto& B = BazaNagran;
    B.BAZAKatalogSiec = u"D:\\SIEC"_s;
    B.BazaKopiujJest = true;
    put(u"D:\\SIEC\\BAZA.BAZ"_s,
        lines({u"WERSJA=2"_s, u"POZYCJI=1"_s, u"Adr=D:\\X.WAV"_s, u"KONIEC OPISU"_s}));
    put(u"D:\\RADIO\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=0"_s}));
    setTime(u"D:\\SIEC\\BAZA.BAZ"_s, QDateTime(QDate(2020, 1, 1), QTime(0, 0)));

    // Older network file: both questions; "no" to the second leaves the local file.
    dialogs.Odpowiedz(OdpowiedzTak);
    dialogs.Odpowiedz(OdpowiedzNie);
    EXPECT_FALSE(BazaKopiujZSieci());
    const auto d = dialogs.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(d.size(), 2);
    EXPECT_EQ(d[0].teksty.at(0), u"Czy kopiować bazę nagrań?"_s);
    EXPECT_EQ(d[1].teksty.at(0), u"Zbiór starszy od bazy lokalnej - czy kopiować?"_s);

    dialogs.Odpowiedz(OdpowiedzTak);
    dialogs.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(BazaKopiujZSieci());
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), bytes(u"D:\\SIEC\\BAZA.BAZ"_s));
    EXPECT_EQ(BazaLiczba, 1);
    EXPECT_TRUE(BazaWczytana);
    EXPECT_EQ(BazaDzis, u"2024-01-05"_s);

    // At start-up: no questions when the network file is newer.
    dialogs.Wyczysc();
    B.BazaStartKopiuj = true;
    put(u"D:\\SIEC\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=0"_s}));
    setTime(u"D:\\RADIO\\BAZA.BAZ"_s, QDateTime(QDate(2019, 1, 1), QTime(0, 0)));
    BazaKopiujZSieciStart();
    EXPECT_TRUE(dialogs.Zapisy(RodzajDialogu::Decyzja).isEmpty());
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), bytes(u"D:\\SIEC\\BAZA.BAZ"_s));

    QFile::remove(fs(u"D:\\SIEC\\BAZA.BAZ"_s));
    BazaKopiujZSieciStart();
    EXPECT_EQ(infos().last(), u"Nie znaleziono sieciowego zbioru bazy nagrań | D:\\SIEC\\BAZA.BAZ"_s);
}

// A network folder that stands in for an unreachable one (the program
// folder), one gone since start-up, or one that holds the local file itself
// is no network folder: nothing is copied and the table stays.
TEST_F(DBazaSkanTest, NoCopyWithoutARealNetworkFolder) {
    const QString lokalny = u"D:\\RADIO\\BAZA.BAZ"_s;
    const QByteArray baza = lines({u"WERSJA=2"_s, u"POZYCJI=1"_s, u"Adr=D:\\X.WAV"_s, u"KONIEC OPISU"_s});
    struct Case {
        const char* name;
        QString configured;  // BAZAKatalogSiec in the settings file
        bool removeAfterRead;
        QStringList said;
    };
    const QString brak = u"Nie znaleziono sieciowego zbioru bazy nagrań | "_s;
    const Case cases[] = {
        {"unreachable at start-up", u"H:\\SIEC"_s, false, {brak + u"H:\\SIEC\\BAZA.BAZ"_s}},
        {"gone since start-up", u"D:\\SIEC"_s, true, {brak + u"D:\\SIEC\\BAZA.BAZ"_s}},
        {"the local folder", u"D:\\RADIO"_s, false, {}},
    };
    for (const Case& c : cases) {
        for (const bool start : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (start ? ", at start-up" : ", on command"));
            // The program folder's own file, newer, would be copied over.
            put(u"D:\\SIEC\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=0"_s}));
            QFile(folder.file(u"BAZA.BAZ"_s)).open(QIODevice::WriteOnly);
            put(lokalny, baza);
            const QString ini = folder.file(u"TOLVANE.INI"_s);
            put(ini, lines({u"[Baza nagran]"_s, u"BAZAKatalogSiec="_s + c.configured}));
            BazaNastawyCzytaj(ini);
            if (c.removeAfterRead)
                QDir(fs(u"D:\\SIEC"_s)).removeRecursively();
            auto& B = BazaNagran;
            B.BazaStartKopiuj = B.BazaKopiujJest = true;
            B.BazaKopiujPytaj = false;
            BazaCzyscWszystko();
            BazaCzytaj();
            dialogs.Wyczysc();
            if (start)
                BazaKopiujZSieciStart();
            else
                EXPECT_FALSE(BazaKopiujZSieci());
            EXPECT_EQ(bytes(lokalny), baza);
            EXPECT_EQ(BazaLiczba, 1);
            EXPECT_TRUE(dialogs.Zapisy(RodzajDialogu::Decyzja).isEmpty());
            EXPECT_EQ(infos(), c.said);
        }
    }
}

// The counters are this station's plays: the copied table gets them back,
// those counted before the copy and one counted while it runs, whether or
// not the counters file is on.
TEST_F(DBazaSkanTest, PlaysCountedBeforeANetworkCopyAreKept) {
    auto& B = BazaNagran;
    B.BAZAKatalogSiec = u"D:\\SIEC"_s;
    B.BazaKopiujJest = true;
    B.BazaKopiujPytaj = false;
    QStringList siec = {u"WERSJA=2"_s, u"POZYCJI=2"_s, u"; -------------------------"_s, u"Adr=D:\\X.WAV"_s,
                        u"EmC=9"_s, u"KONIEC OPISU"_s, u"; -------------------------"_s, u"Adr=D:\\Y.WAV"_s,
                        u"KONIEC OPISU"_s};
    for (int i = 0; i < 100; ++i)  // long enough for the copy to pump events
        siec << u"; "_s + QString(100, u'x');
    const QString x = u"D:\\X.WAV"_s;
    for (const bool plikLicznikow : {false, true}) {
        SCOPED_TRACE(plikLicznikow ? "counters file on" : "counters file off");
        B.BazaLicznikJest = plikLicznikow;
        QFile::remove(fs(u"D:\\RADIO\\BAZA.LIC"_s));
        put(u"D:\\RADIO\\BAZA.BAZ"_s, lines({u"WERSJA=2"_s, u"POZYCJI=1"_s, u"Adr=D:\\X.WAV"_s, u"EmC=2"_s,
                                               u"EmO=2024-01-04 10:00:00"_s, u"KONIEC OPISU"_s}));
        put(u"D:\\SIEC\\BAZA.BAZ"_s, lines(siec));
        BazaCzyscWszystko();
        BazaCzytaj();
        BazaDodajOdegranie(x, u"2024-01-05 10:00:00"_s);
        {
            // The copy's disk waits until the program has pumped once, so the
            // play is counted while the copy runs, however fast the disk.
            std::atomic<bool> policzone{false};
            UstawZapisKopii([&](int fd, const char* bufor, size_t n) -> ssize_t {
                for (int i = 0; i < 5000 && !policzone; ++i) QThread::msleep(1);
                return ::write(fd, bufor, n);
            });
            DialogiZPompowaniem tik([&](int pompa) {
                if (pompa == 1) {
                    BazaDodajOdegranie(x, u"2024-01-05 11:00:00"_s);
                    policzone = true;
                }
            });
            EXPECT_TRUE(BazaKopiujZSieci());
            UstawZapisKopii({});
        }
        ASSERT_EQ(BazaLiczba, 2);
        const BAZARekordTyp& r = BazaRekordy[BazaPozycjaAdresu(x)];
        EXPECT_EQ(r.EmC, 4);
        EXPECT_EQ(r.EmD, 2);
        EXPECT_EQ(r.EmO, u"2024-01-05 11:00:00"_s);
        // Saved with the counters it had; the play counted during the copy
        // goes with the next save.
        const QByteArray baza = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
        EXPECT_TRUE(baza.contains("EmC=3\r\n") && !baza.contains("EmC=9")) << baza.constData();
        EXPECT_TRUE(BazaZmieniona);
        EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.LIC"_s).contains("Adr=D:\\X.WAV\r\nEmC=3\r\n"), plikLicznikow);
    }
}

TEST_F(DBazaSkanTest, FolderUpdateFromTheNetworkTwin) {
    folder.drive(u'i');  // D's twin with KatSiecStart H
    const QDateTime stary(QDate(2020, 1, 1), QTime(0, 0)), nowy(QDate(2021, 1, 1), QTime(0, 0));
    put(u"I:\\MUZYKA\\NOWY.WAV"_s, "nowy");
    put(u"I:\\MUZYKA\\SAME.MP3"_s, "siec");
    put(u"D:\\MUZYKA\\SAME.MP3"_s, "loka");
    setTime(u"I:\\MUZYKA\\SAME.MP3"_s, stary);
    setTime(u"D:\\MUZYKA\\SAME.MP3"_s, stary);
    put(u"I:\\MUZYKA\\ROZMIAR.DAT"_s, "dluzszy");
    put(u"D:\\MUZYKA\\ROZMIAR.DAT"_s, "krotki");
    put(u"I:\\MUZYKA\\DATA.MIX"_s, "nowa");
    put(u"D:\\MUZYKA\\data.mix"_s, "star");
    setTime(u"I:\\MUZYKA\\DATA.MIX"_s, nowy);
    setTime(u"D:\\MUZYKA\\data.mix"_s, stary);
    put(u"I:\\MUZYKA\\INNY.TXT"_s, "txt");
    put(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s, "x");
    put(u"D:\\MUZYKA\\LOKALNY.TXT"_s, "x");

    // Without CzyAktUsun nothing local is deleted.
    dialogs.Odpowiedz(OdpowiedzTak);
    KatalogAktualizuj(u"D:\\MUZYKA"_s);
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(0), u"Czy aktualizować katalog?"_s);
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\NOWY.WAV"_s), "nowy");
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\SAME.MP3"_s), "loka") << "same size, not older: kept";
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\ROZMIAR.DAT"_s), "dluzszy");
    EXPECT_EQ(bytes(u"D:\\MUZYKA\\data.mix"_s), "nowa") << "older local file, name matched without case";
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\MUZYKA\\INNY.TXT"_s)));
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s)));

    Katalogi.CzyAktUsun = true;
    dialogs.Odpowiedz(OdpowiedzTak);
    KatalogAktualizuj(u"D:\\MUZYKA\\"_s);
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\MUZYKA\\ZNIKNAL.OBW"_s)));
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\MUZYKA\\LOKALNY.TXT"_s))) << "only the listed types are deleted";
    EXPECT_TRUE(errors().isEmpty());

    // No twin folder: said, nothing changed.
    QDir().mkpath(fs(u"D:\\INNE"_s));
    KatalogAktualizuj(u"D:\\INNE"_s);
    EXPECT_EQ(infos().last(), u"Nie ma katalogu sieciowego: | I:\\INNE"_s);
    KatalogAktualizuj(u"/tmp"_s);
    EXPECT_EQ(infos().last(), u"Nie ma katalogu sieciowego: | /tmp"_s);
}

// A share that drops or comes back empty during the update never makes the
// local recordings look vanished: what is deleted is only what was really
// missing from the network folder while it was there.
TEST_F(DBazaSkanTest, FolderUpdateDeletesNothingMoreWhenTheShareDrops) {
    folder.drive(u'i');
    Katalogi.CzyAktUsun = true;
    const QString siec = u"I:\\MUZYKA"_s;
    struct Case {
        const char* name;
        int dropAtPump;       // the share goes at this pump (0: never)
        bool dropWhenAsked;   // the share goes while the question is open
        bool emptyShare;
        QStringList left;     // local files afterwards
        const char* onDeck = nullptr;  // a local file a deck holds
    };
    const QStringList wszystkie = {u"A.WAV"_s, u"B.MP3"_s, u"STARY1.MIX"_s, u"STARY2.OBW"_s};
    const QStringList bezStarych = {u"A.WAV"_s, u"B.MP3"_s, u"DUZY.WAV"_s};
    const Case cases[] = {
        {"share gone when the update is confirmed", 0, true, false, wszystkie},
        {"share gone among the deletions", 4, false, false, {u"A.WAV"_s, u"B.MP3"_s, u"STARY2.OBW"_s}},
        {"share gone while a file is copied", 5, false, false, bezStarych},
        {"share empty", 0, false, true, wszystkie},
        {"share stays", 0, false, false, bezStarych},
        {"a file on a deck", 0, false, false, {u"A.WAV"_s, u"B.MP3"_s, u"DUZY.WAV"_s, u"STARY2.OBW"_s}, "STARY2.OBW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(fs(u"D:\\MUZYKA"_s)).removeRecursively();
        QDir(fs(siec)).removeRecursively();
        QDir().mkpath(fs(siec));
        for (const QString& n : wszystkie)
            put(u"D:\\MUZYKA\\"_s + n, "x");
        if (!c.emptyShare) {
            const QDateTime t(QDate(2020, 1, 1), QTime(0, 0));
            for (const QString& n : {u"A.WAV"_s, u"B.MP3"_s}) {
                put(siec + u"\\"_s + n, "x");
                setTime(siec + u"\\"_s + n, t);
                setTime(u"D:\\MUZYKA\\"_s + n, t);
            }
            put(siec + u"\\DUZY.WAV"_s, QByteArray(3 * 8192, 'd'));  // its copy pumps
        }
        {
            DialogiZPompowaniem okno([&](int pompa) {
                if (pompa == c.dropAtPump)
                    QDir(fs(siec)).removeRecursively();
            });
            if (c.dropWhenAsked)
                okno.przyDecyzji = [&](const QString&) { QDir(fs(siec)).removeRecursively(); };
            KatalogZbiorWUzyciu = [&](const QString& s) { return c.onDeck && s.endsWith(QLatin1String(c.onDeck)); };
            KatalogAktualizuj(u"D:\\MUZYKA"_s);
            KatalogZbiorWUzyciu = nullptr;
            if (!c.emptyShare)
                EXPECT_EQ(okno.pytania, QStringList{u"Czy aktualizować katalog? | Zbiorów do usunięcia: "_s +
                                                    QString::number(c.onDeck ? 1 : 2)});
        }
        EXPECT_EQ(QDir(fs(u"D:\\MUZYKA"_s)).entryList(QDir::Files, QDir::Name), c.left);
    }
}

}  // namespace
