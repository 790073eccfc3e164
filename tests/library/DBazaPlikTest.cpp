// The database and counters files: bytes written, read back, damaged files.
#include "BazaFixture.h"

#include <QDir>

#include "common/Fifo.h"

#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "library/DBazaWewn.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

#include <sys/resource.h>

#include <csignal>

#include <map>

using namespace Qt::StringLiterals;

namespace {

const QString Naglowek =
    u"; Baza nagrań Halvorin\nWERSJA=2\n; Liczba nagrań w bazie:\nPOZYCJI=%1\n;\n; Nagrania:"_s;

QStringList header(int n) { return Naglowek.arg(n).split(u'\n'); }

class DBazaPlikTest : public BazaTest {
protected:
    void writeAndKeep() {
        BazaKompletna = true;
        BazaZmieniona = true;
        BazaZapisz(false);
    }
    void reread() {
        BazaCzyscWszystko();
        BazaCzytaj();
    }
};

TEST_F(DBazaPlikTest, OneRecordFileIsWrittenToTheByteAndReadBack) {
    BAZARekordTyp& r = add(u"D:\\MUZYKA\\SONG.WAV"_s, u"Piosenka"_s, u"Zespół Łódź"_s, u"A123"_s, 185000);
    r.Kat = u"MUZYKA"_s;
    r.Tyx = r.Wyx = r.Czx = r.Kox = 1;
    r.EmC = 3;
    r.EmT = 2;
    r.EmO = u"2024-01-05 12:00:00"_s;
    writeAndKeep();
    EXPECT_FALSE(BazaZmieniona);

    QStringList want = header(1);
    want << u"; -------------------------"_s << u"Tyt=Piosenka"_s << u"Wyk=Zespół Łódź"_s << u"Kod=A123"_s
         << u"Tot= 3:05"_s << u"Adr=D:\\MUZYKA\\SONG.WAV"_s << u"Kat=MUZYKA"_s << u"Tyx=1"_s << u"Wyx=1"_s
         << u"Kox=1"_s << u"Czx=1"_s << u"EmC=3"_s << u"EmT=2"_s << u"EmO=2024-01-05 12:00:00"_s << u"KONIEC OPISU"_s;
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), lines(want));
    EXPECT_TRUE(bytes(u"D:\\RADIO\\BAZA.BAZ"_s).contains("Zesp\xf3\xb3 \xa3\xf3\x64\x9f")) << "Windows-1250 on disk";

    reread();
    ASSERT_EQ(BazaLiczba, 1);
    EXPECT_TRUE(BazaWczytana);
    EXPECT_FALSE(BazaZmieniona);
    const BAZARekordTyp& b = BazaRekordy[1];
    EXPECT_EQ(b.Wyk, u"Zespół Łódź"_s);
    EXPECT_EQ(b.Tot, u" 3:05"_s);
    EXPECT_EQ(b.Dlugosc, 185000) << "the length order is derived from Tot";
    EXPECT_EQ(b.EmC, 3);
    EXPECT_EQ(b.EmT, 2);
    EXPECT_EQ(b.EmO, u"2024-01-05 12:00:00"_s);
    EXPECT_EQ(b.Odw[0], 1);
    EXPECT_TRUE(dialogs.Bledy().isEmpty());
}

// A line break inside a text would end the line early and start a phantom
// record that takes the original's counters.
TEST_F(DBazaPlikTest, LineBreaksInTextsStayInOneRecord) {
    BazaNagran.BazaLicznikJest = true;
    BAZARekordTyp& r = add(u"D:\\A.WAV"_s, u"Tytuł\r\nAdr=D:\\FANTOM.WAV"_s, u"Wyk\nEmC=9"_s);
    r.EmC = 4;
    r.EmO = u"2024-01-05 12:00:00\rx"_s;
    writeAndKeep();
    BazaLicznikiZapisz();
    reread();
    ASSERT_EQ(BazaLiczba, 1);
    EXPECT_EQ(BazaRekordy[1].Tyt, u"Tytuł  Adr=D:\\FANTOM.WAV"_s);
    EXPECT_EQ(BazaRekordy[1].Wyk, u"Wyk EmC=9"_s);
    EXPECT_EQ(BazaRekordy[1].EmC, 4);
    EXPECT_EQ(BazaRekordy[1].EmO, u"2024-01-05 12:00:00 x"_s);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.LIC"_s).count("KONIEC OPISU"), 1);
}

TEST_F(DBazaPlikTest, TotTexts) {
    EXPECT_EQ(BazaTotTekst(185000), u" 3:05"_s);
    EXPECT_EQ(BazaTotTekst(6000000), u"100:00"_s);
    EXPECT_EQ(BazaTotTekst(599499), u"9:59"_s.prepend(u' '));
    EXPECT_EQ(BazaTotTekst(599500), u"10:00"_s) << "rounded to the nearest second";
    EXPECT_EQ(BazaTotTekst(0), u" 0:00"_s);
    EXPECT_EQ(BazaTotNaMs(u" 3:05"_s), 185000);
    EXPECT_EQ(BazaTotNaMs(u"100:00"_s), 6000000);
    EXPECT_EQ(BazaTotNaMs(u"3:75"_s), 0);
    EXPECT_EQ(BazaTotNaMs(u"abc"_s), 0);
}

TEST_F(DBazaPlikTest, ReaderAcceptsOlderFormsAndDropsBlocksWithoutPath) {
    QStringList f = {u"; Baza nagrań Halvorin"_s, u"WERSJA=1"_s, u"POZYCJI=3"_s, u"POCZCZSINDX=17"_s,
                     u"; -------------------------"_s,
                     u"; -------------------------"_s,  // an empty record: dropped
                     u"tyt=Pierwszy   "_s, u"adr=d:\\muzyka\\ąę.wav"_s, u"kat=Muzyka Łódź"_s, u"EmC=x"_s,
                     u"Tyx=70000"_s, u"Nieznany=1"_s, u"KONIEC"_s,
                     u"Tyt=Bez adresu"_s, u"KONIEC OPISU"_s,
                     u"Adr=D:\\B.WAV"_s, u"KONIEC OPISU  "_s};
    put(u"D:\\RADIO\\BAZA.BAZ"_s, lines(f));
    reread();
    ASSERT_EQ(BazaLiczba, 2);
    EXPECT_EQ(BazaRekordy[1].Tyt, u"Pierwszy"_s);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\MUZYKA\\ĄĘ.WAV"_s) << "Polish upper case";
    EXPECT_EQ(BazaRekordy[1].Kat, u"MUZYKA ŁóDź"_s) << "only ASCII letters upper-cased";
    EXPECT_EQ(BazaRekordy[1].EmC, 0);
    EXPECT_EQ(BazaRekordy[2].Adr, u"D:\\B.WAV"_s);
    EXPECT_TRUE(BazaWczytana);
    EXPECT_TRUE(BazaKompletna);
}

// The reader turns bytes into text through its own tables: every byte of
// the code page in every text field, and the widest words, must come back
// out of a load and a save exactly as they were.
TEST_F(DBazaPlikTest, ALoadedFileIsSavedBackByteForByte) {
    QByteArray wszystkie;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n') wszystkie += char(b);
    wszystkie += 'x';  // trailing blanks are not part of a value
    QByteArray plik = platform::toCp1250(header(2).join(u"\r\n"_s)) + "\r\n";
    for (int i = 1; i <= 2; ++i) {
        plik += "; -------------------------\r\n";
        for (const char* k : {"Tyt=", "Wyk=", "Kod=", "Tot="})
            plik += k + wszystkie + "\r\n";
        plik += "Adr=D:\\\xa5\xca\xa3\x8c\x8f\xaf\xd3\xc6\xd1 " + QByteArray::number(i) + ".WAV\r\n";
        for (const char* k : {"Nas=", "Nar=", "Jak=", "Gen=", "Typ="})
            plik += k + wszystkie + "\r\n";
        plik += "Kat=MUZYKA \xb9\xea\r\n";
        for (const char* k : {"Era=", "BPM=", "Tem=", "Key=", "Fil=", "Zaa="})
            plik += k + wszystkie + "\r\n";
        plik += "Tyx=" + QByteArray::number(i) + "\r\nWyx=" + QByteArray::number(3 - i) +
                "\r\nKox=" + QByteArray::number(i) + "\r\nCzx=" + QByteArray::number(3 - i) + "\r\nEmC=65535\r\nEmD=1\r\nEmT=9\r\nEmM=10\r\nEmR=100\r\nEmO=" + wszystkie +
                "\r\nKONIEC OPISU\r\n";
    }
    put(u"D:\\RADIO\\BAZA.BAZ"_s, plik);
    reread();
    ASSERT_EQ(BazaLiczba, 2);
    EXPECT_EQ(BazaRekordy[2].Adr, u"D:\\ĄĘŁŚŹŻÓĆŃ 2.WAV"_s);
    writeAndKeep();
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), plik);
}

TEST_F(DBazaPlikTest, EmptyRecordIsSeparatorAndEndLine) {
    add(QString()).Tot.clear();
    add(u"D:\\A.WAV"_s);
    writeAndKeep();
    const QByteArray b = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
    EXPECT_TRUE(b.contains("; Nagrania:\r\n; -------------------------\r\nKONIEC OPISU\r\n; -------------------------\r\n"
                           "Tot= 0:00\r\nAdr=D:\\A.WAV\r\nKONIEC OPISU\r\n"));
    reread();
    EXPECT_EQ(BazaLiczba, 1);
}

TEST_F(DBazaPlikTest, MissingFileLeavesTableAndSaysSo) {
    add(u"D:\\A.WAV"_s);
    BazaWczytana = true;
    BazaCzytaj();
    EXPECT_EQ(BazaLiczba, 1);
    EXPECT_FALSE(BazaWczytana);
    EXPECT_EQ(infos(), QStringList{u"Nie znaleziono bazy nagrań | D:\\RADIO\\BAZA.BAZ"_s});
}

TEST_F(DBazaPlikTest, NIE_MAStandsForTheProgramFoldersFile) {
    BazaNagran.BazaZbior = u"NIE_MA"_s;
    add(u"D:\\A.WAV"_s);
    writeAndKeep();
    EXPECT_TRUE(QFileInfo::exists(folder.path() + u"/BAZA.BAZ"_s));
    EXPECT_EQ(BazaSciezkaLicznikow(), folder.path() + u"/BAZA.LIC"_s);
    BazaNagran.BazaZbior = u"D:\\RADIO.2\\BAZA.BAZ"_s;
    EXPECT_EQ(BazaSciezkaLicznikow(), u"D:\\RADIO.2\\BAZA.LIC"_s) << "the extension is replaced, not the first dot";
}

// A damaged file is reported, keeps only its complete records, and neither
// they nor anything counted or built afterwards can replace the file or the
// counters file (even one newer than the database, holding the counters of
// records the table lacks).
TEST_F(DBazaPlikTest, DamagedFilesNeverReplaceTheFile) {
    const QString plik = u"D:\\RADIO\\BAZA.BAZ"_s, lic = u"D:\\RADIO\\BAZA.LIC"_s;
    const QStringList dobry = {u"; -------------------------"_s, u"Adr=D:\\A.WAV"_s, u"EmC=3"_s, u"KONIEC OPISU"_s};
    BazaNagran.BazaLicznikJest = true;
    struct Case {
        const char* name;
        QStringList file;
        int kept;         // complete records taken (the table is then in use)
        const char* ile;  // what the message says was read
    };
    const QList<Case> cases = {
        {"missing header", {u"; -------------------------"_s, u"Adr=D:\\A.WAV"_s, u"KONIEC OPISU"_s}, 0, nullptr},
        {"missing POZYCJI", {u"WERSJA=2"_s, u"Adr=D:\\A.WAV"_s, u"KONIEC OPISU"_s}, 0, nullptr},
        {"last block cut", header(2) + dobry + QStringList{u"; -------------------------"_s, u"Tyt=Uci"_s}, 1, "1 z 2"},
        {"last block without its end line", header(2) + dobry + QStringList{u"Adr=D:\\B.WAV"_s}, 1, "1 z 2"},
        {"key line after the last end line", header(1) + dobry + QStringList{u"Tyt=Zbłąkany"_s}, 1, "1 z 1"},
        {"cut at a record boundary", header(32) + dobry, 1, "1 z 32"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.Wyczysc();
        put(plik, lines(c.file));
        put(lic, lines(header(2) + dobry + QStringList{u"; -------------------------"_s, u"Adr=D:\\Z.WAV"_s,
                                                        u"EmC=9"_s, u"KONIEC OPISU"_s}));
        QFile(fs(lic)).setFileTime(QFileInfo(fs(plik)).lastModified().addSecs(60), QFileDevice::FileModificationTime);
        const QByteArray przed = bytes(plik), licPrzed = bytes(lic);
        reread();
        ASSERT_EQ(BazaLiczba, c.kept);
        EXPECT_EQ(BazaWczytana, c.kept > 0);
        EXPECT_EQ(std::as_const(BazaRekordy)[1].EmC, c.kept ? 3 : 0);
        EXPECT_FALSE(BazaKompletna);
        EXPECT_EQ(BladIO, 215);
        EXPECT_EQ(errors(), QStringList{c.ile ? u"Nieprawidłowy format zbioru - baza wczytana w części ("_s +
                                                    QString::fromUtf8(c.ile) +
                                                    u" nagrań), zapis bazy zablokowany |  (D:\\RADIO\\BAZA.BAZ)"_s
                                              : u"Nieprawidłowy format zbioru |  (D:\\RADIO\\BAZA.BAZ)"_s});

        // Something counted or built afterwards still cannot replace the files.
        BazaDodajOdegranie(u"D:\\A.WAV"_s, u"2024-01-05 12:00:00"_s);
        clock.advance(BazaLicznikiZwlokaMs);
        BazaLicznikiSprawdz();
        BazaLicznikiOproznij();
        add(u"D:\\NOWY.WAV"_s);
        BazaZmieniona = true;
        BazaZapisz(false);
        EXPECT_EQ(bytes(plik), przed);
        EXPECT_EQ(bytes(lic), licPrzed);
        EXPECT_TRUE(BazaZmieniona);
        EXPECT_EQ(errors().size(), 2);
    }
}

// A FIFO or a device where the files should be: refused unread, nothing waits.
TEST_F(DBazaPlikTest, DatabaseAndCountersThatAreNotRegularFilesAreRefusedUnread) {
    QDir().mkpath(fs(u"D:\\RADIO"_s));
    FifoFeeder baza(fs(u"D:\\RADIO\\BAZA.BAZ"_s));
    reread();
    EXPECT_FALSE(baza.wasRead());
    EXPECT_FALSE(BazaWczytana);
    EXPECT_EQ(BladIO, 215);
    EXPECT_EQ(errors(), QStringList{u"Nieprawidłowy format zbioru |  (D:\\RADIO\\BAZA.BAZ)"_s});

    BazaNagran.BazaLicznikJest = true;
    FifoFeeder liczniki(fs(u"D:\\RADIO\\BAZA.LIC"_s));
    add(u"D:\\A.WAV"_s);
    BazaKompletna = true;
    BazaLicznikiCzytaj();
    EXPECT_FALSE(liczniki.wasRead());
    EXPECT_EQ(BazaRekordy[1].EmC, 0);
}

TEST_F(DBazaPlikTest, RanksThatAreNotAPermutationAreRebuilt) {
    QStringList f = header(3);
    f << u"; -------------------------"_s << u"Tyt=C"_s << u"Tot= 0:03"_s << u"Adr=D:\\1.WAV"_s << u"Tyx=40000"_s
      << u"Wyx=2"_s << u"Czx=3"_s << u"KONIEC OPISU"_s;
    f << u"; -------------------------"_s << u"Tyt=a"_s << u"Tot= 0:01"_s << u"Adr=D:\\2.WAV"_s << u"Tyx=2"_s
      << u"Wyx=2"_s << u"Czx=1"_s << u"KONIEC OPISU"_s;
    f << u"; -------------------------"_s << u"Tyt=B"_s << u"Tot= 0:02"_s << u"Adr=D:\\3.WAV"_s << u"Tyx=2"_s
      << u"Wyx=1"_s << u"Czx=2"_s << u"KONIEC OPISU"_s;
    put(u"D:\\RADIO\\BAZA.BAZ"_s, lines(f));
    reread();
    ASSERT_EQ(BazaLiczba, 3);
    EXPECT_TRUE(BazaWczytana);
    // Physical order is the file's; the titles' ranks were rebuilt by title.
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\1.WAV"_s);
    EXPECT_EQ(BazaRekordy[1].Tyx, 3);
    EXPECT_EQ(BazaRekordy[2].Tyx, 1);
    EXPECT_EQ(BazaRekordy[3].Tyx, 2);
    // Valid length ranks were kept; inverse entries follow every order.
    EXPECT_EQ(BazaRekordy[1].Czx, 3);
    for (int k = 1; k <= 3; ++k)
        for (int j = 0; j < 4; ++j) {
            const int p = BazaRekordy[k].Odw[j];
            ASSERT_GE(p, 1);
            ASSERT_LE(p, 3);
        }
    EXPECT_EQ(BazaRekordy[1].Odw[0], 2);  // first by title: "a"
    EXPECT_EQ(BazaRekordy[1].Odw[2], 2);  // shortest
}

TEST_F(DBazaPlikTest, MoreThanTheLimitIsReadInPartAndNeverSaved) {
    QByteArray b = lines(header(BazaMaks + 1));
    for (int i = 1; i <= BazaMaks + 1; ++i)
        b += "; -------------------------\r\nAdr=D:\\" + QByteArray::number(i) + ".WAV\r\nKONIEC OPISU\r\n";
    put(u"D:\\RADIO\\BAZA.BAZ"_s, b);
    reread();
    EXPECT_EQ(BazaLiczba, BazaMaks);
    EXPECT_TRUE(BazaWczytana);
    EXPECT_EQ(infos(), QStringList{u"Brak pamięci na wczytanie całej bazy! | (Maksymalnie 60000 pozycji)"_s});
    BazaZmieniona = true;
    BazaZapisz(false);
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), b) << "the 60 001st record is not lost";
}

TEST_F(DBazaPlikTest, SaveAsksAndWritesOnlyWhenChanged) {
    add(u"D:\\A.WAV"_s);
    BazaKompletna = true;
    BazaZmieniona = true;
    dialogs.Odpowiedz(OdpowiedzNie);
    BazaZapisz(true);
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\RADIO\\BAZA.BAZ"_s)));
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Decyzja).at(0).teksty.at(0), u"Czy zapisać bazę nagrań?"_s);

    BazaZmieniona = false;
    BazaZapisz(false);
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\RADIO\\BAZA.BAZ"_s)));

    BazaZmieniona = true;
    BazaZapisz(false);
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\RADIO\\BAZA.BAZ"_s)));
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Stan).last().teksty.at(0), u"Zapis bazy nagrań BAZA"_s);
}

TEST_F(DBazaPlikTest, WriteFailureKeepsChangesAndReportsCode) {
    BazaNagran.BazaZbior = u"D:\\NIE\\MA\\TAKIEGO\\BAZA.BAZ"_s;
    add(u"D:\\A.WAV"_s);
    writeAndKeep();
    EXPECT_TRUE(BazaZmieniona);
    ASSERT_EQ(errors().size(), 1);
    EXPECT_NE(BladIO, 0);
}

TEST_F(DBazaPlikTest, CountersFileAndReattachmentByPath) {
    BazaNagran.BazaLicznikJest = true;
    BAZARekordTyp& a = add(u"D:\\MUZYKA\\Łąka.wav"_s);
    a.EmC = 7;
    a.EmD = 1;
    a.EmR = 65535;
    a.EmO = u"2024-01-05 10:00:00"_s;
    add(u"D:\\MUZYKA\\B.WAV"_s);
    BazaKompletna = true;
    BazaLicznikiZapisz();
    QStringList want = {u"; Liczniki nagrań"_s, u"WERSJA=1"_s, u"; Liczba nagrań w bazie:"_s, u"POZYCJI=2"_s, u";"_s,
                        u"; Liczniki:"_s, u"; -------------------------"_s, u"Adr=D:\\MUZYKA\\Łąka.wav"_s,
                        u"EmC=7"_s, u"EmD=1"_s, u"EmR=65535"_s, u"EmO=2024-01-05 10:00:00"_s, u"KONIEC OPISU"_s,
                        u"; -------------------------"_s, u"Adr=D:\\MUZYKA\\B.WAV"_s, u"KONIEC OPISU"_s};
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.LIC"_s), lines(want));
    // A record holding no counts never writes its empty set over the file's.
    BazaRekordy[1] = BAZARekordTyp{}, BazaRekordy[1].Adr = u"D:\\MUZYKA\\Łąka.wav"_s;
    BazaLicznikiZapisz();
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.LIC"_s), lines(want));

    // A rebuilt table lists the path in another letter case: the counters follow.
    BazaCzyscWszystko();
    add(u"D:\\MUZYKA\\B.WAV"_s);
    add(u"D:\\muzyka\\ŁĄKA.WAV"_s);
    BazaKompletna = true;
    BazaLicznikiCzytaj();
    EXPECT_EQ(BazaRekordy[2].EmC, 7);
    EXPECT_EQ(BazaRekordy[2].EmR, 65535);
    EXPECT_EQ(BazaRekordy[2].EmO, u"2024-01-05 10:00:00"_s);
    EXPECT_EQ(BazaRekordy[1].EmC, 0);
    EXPECT_FALSE(BazaZmieniona) << "the database was written";
    EXPECT_TRUE(QFileInfo::exists(fs(u"D:\\RADIO\\BAZA.BAZ"_s)));
}

TEST_F(DBazaPlikTest, CountersOffOrMissing) {
    add(u"D:\\A.WAV"_s);
    BazaLicznikiZapisz();
    EXPECT_FALSE(QFileInfo::exists(fs(u"D:\\RADIO\\BAZA.LIC"_s))) << "counters off";
    BazaNagran.BazaLicznikJest = true;
    BazaLicznikiCzytaj();
    EXPECT_EQ(infos(), QStringList{u"Nie znaleziono zbioru liczników bazy nagrań | D:\\RADIO\\BAZA.BAZ"_s});
}

// The progress dialogs of the reader and the writer pump events, so the
// on-air tick may end an element and count it in the middle: that play is
// counted into the whole table once it is read or written, and is saved.
TEST_F(DBazaPlikTest, PlaysCountedWhileTheTableIsReadOrWrittenAreKept) {
    const int n = 1100;  // both pump: the reader every 256 records, the writer every 1 024
    for (int i = 1; i <= n; ++i)
        add(u"D:\\N%1.WAV"_s.arg(i)).EmC = 5;
    writeAndKeep();
    struct Case {
        const char* name;
        bool read;  // else written
        int record;
    };
    const Case cases[] = {
        {"read, record already read", true, 1},
        {"read, record not read yet", true, n},
        {"write, record already written", false, 1},
        {"write, record not written yet", false, n},
    };
    std::map<int, int> emc = {{1, 5}, {n, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString adr = u"D:\\N%1.WAV"_s.arg(c.record);
        {
            DialogiZPompowaniem tik([&](int pompa) {
                if (pompa == 1)
                    BazaDodajOdegranie(adr, u"2024-01-05 12:00:00"_s);
            });
            c.read ? reread() : writeAndKeep();
        }
        const int chcemy = ++emc[c.record];
        ASSERT_EQ(BazaLiczba, n);
        EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(adr)].EmC, chcemy);
        EXPECT_TRUE(BazaZmieniona) << "the play is not in the file yet";
        BazaZapisz(false);
        reread();
        EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(adr)].EmC, chcemy);
    }

    // With the counters on, such a play also reaches the counters file.
    BazaNagran.BazaLicznikJest = true;
    {
        DialogiZPompowaniem tik([](int pompa) {
            if (pompa == 1)
                BazaDodajOdegranie(u"D:\\N1.WAV"_s, u"2024-01-05 12:00:00"_s);
        });
        writeAndKeep();
    }
    BazaLicznikiOproznij();
    EXPECT_TRUE(bytes(u"D:\\RADIO\\BAZA.LIC"_s).contains("Adr=D:\\N1.WAV\r\nEmC=8\r\n"));
}

TEST_F(DBazaPlikTest, RereadSavesUnsavedCountsFirst) {
    add(u"D:\\A.WAV"_s);
    writeAndKeep();
    BazaWczytajOdNowa();
    ASSERT_EQ(BazaLiczba, 1);
    BazaDodajOdegranie(u"d:\\a.wav"_s, u"2024-01-05 12:00:00"_s);
    EXPECT_TRUE(BazaZmieniona);
    BazaWczytajOdNowa();
    EXPECT_EQ(BazaRekordy[1].EmC, 1);

    // A save that fails keeps the table and its plays.
    BazaDodajOdegranie(u"d:\\a.wav"_s, u"2024-01-05 12:00:00"_s);
    BazaNagran.BazaZbior = u"D:\\RADIO"_s;  // a folder: cannot be written over
    BazaWczytajOdNowa();
    ASSERT_EQ(BazaLiczba, 1);
    EXPECT_EQ(BazaRekordy[1].EmC, 2);
    EXPECT_TRUE(BazaZmieniona);
}

// Counted plays reach the counters file within a minute, written by the
// worker from a snapshot, the newest last; the database file is left alone.
TEST_F(DBazaPlikTest, CountedPlaysReachTheCountersFileWithinAMinute) {
    BazaNagran.BazaLicznikJest = true;
    add(u"D:\\X.WAV"_s);
    add(u"D:\\Y.WAV"_s);
    writeAndKeep();
    const QByteArray baza = bytes(u"D:\\RADIO\\BAZA.BAZ"_s);
    const QString lic = u"D:\\RADIO\\BAZA.LIC"_s;
    auto emc = [&](const char* adr) {
        const QByteArray b = bytes(lic);
        const qsizetype i = b.indexOf(QByteArray("Adr=") + adr + "\r\n");
        return i < 0 ? QByteArray("none") : b.mid(i).split('\n').value(1).trimmed();
    };
    auto play = [](const QString& adr) { BazaDodajOdegranie(adr, u"2024-01-05 12:00:00"_s); };

    play(u"D:\\X.WAV"_s);
    clock.advance(BazaLicznikiZwlokaMs - 1);
    BazaLicznikiSprawdz();
    BazaLicznikiTloCzekaj();
    EXPECT_FALSE(QFileInfo::exists(fs(lic))) << "not due yet";
    clock.advance(1);
    BazaLicznikiSprawdz();
    BazaLicznikiTloCzekaj();
    EXPECT_EQ(emc("D:\\X.WAV"), "EmC=1");

    // Snapshot after snapshot: the file ends with the newest.
    for (int i = 2; i <= 40; ++i) {
        play(u"D:\\X.WAV"_s);
        clock.advance(BazaLicznikiZwlokaMs);
        BazaLicznikiSprawdz();
    }
    play(u"D:\\Y.WAV"_s);
    BazaLicznikiSprawdz();  // not due: waits for the flush
    BazaLicznikiOproznij();
    EXPECT_EQ(emc("D:\\X.WAV"), "EmC=40");
    EXPECT_EQ(emc("D:\\Y.WAV"), "EmC=1");

    // A write of the whole file on this thread is never overtaken by an
    // older snapshot still queued.
    play(u"D:\\X.WAV"_s);
    clock.advance(BazaLicznikiZwlokaMs);
    BazaLicznikiSprawdz();
    play(u"D:\\X.WAV"_s);
    BazaLicznikiZapisz();
    BazaLicznikiOproznij();
    EXPECT_EQ(emc("D:\\X.WAV"), "EmC=42");

    // Shutdown writes what is pending at once.
    play(u"D:\\Y.WAV"_s);
    BazaLicznikiTloStop();
    EXPECT_EQ(emc("D:\\Y.WAV"), "EmC=2");
    EXPECT_EQ(bytes(u"D:\\RADIO\\BAZA.BAZ"_s), baza);
}

// Nothing is written while the counters are off or the table is being read,
// and a save that fails is tried again.
TEST_F(DBazaPlikTest, CountersSavedInTheBackgroundOnlyFromAWholeTable) {
    add(u"D:\\X.WAV"_s);
    for (int i = 1; i < 300; ++i)  // the reader pumps
        add(u"D:\\N%1.WAV"_s.arg(i));
    writeAndKeep();
    const QString lic = u"D:\\RADIO\\BAZA.LIC"_s;
    BazaDodajOdegranie(u"D:\\X.WAV"_s, u"2024-01-05 12:00:00"_s);
    clock.advance(BazaLicznikiZwlokaMs);
    BazaLicznikiOproznij();
    EXPECT_FALSE(QFileInfo::exists(fs(lic))) << "counters off";

    BazaNagran.BazaLicznikJest = true;
    BazaDodajOdegranie(u"D:\\X.WAV"_s, u"2024-01-05 12:00:00"_s);
    clock.advance(BazaLicznikiZwlokaMs);
    {
        DialogiZPompowaniem tik([](int) {
            BazaLicznikiSprawdz();
            BazaLicznikiTloCzekaj();
        });
        reread();
    }
    EXPECT_FALSE(QFileInfo::exists(fs(lic))) << "no snapshot of a half-read table";

    // The target cannot be written: logged, and written once it can.
    QDir().mkpath(fs(lic));
    BazaDodajOdegranie(u"D:\\X.WAV"_s, u"2024-01-05 12:00:00"_s);
    clock.advance(BazaLicznikiZwlokaMs);
    BazaLicznikiSprawdz();
    BazaLicznikiTloCzekaj();
    BazaLicznikiSprawdz();
    QDir().rmdir(fs(lic));
    BazaLicznikiSprawdz();
    BazaLicznikiTloCzekaj();
    EXPECT_FALSE(QFileInfo::exists(fs(lic))) << "tried again after the delay";
    clock.advance(BazaLicznikiZwlokaMs);
    BazaLicznikiSprawdz();
    BazaLicznikiTloCzekaj();
    EXPECT_TRUE(bytes(lic).contains("Adr=D:\\X.WAV\r\nEmC=1\r\n"));
}

// After a crash the counters file is newer than the database file: a load
// takes the plays from it; otherwise the database file's counters stand.
TEST_F(DBazaPlikTest, ALoadTakesTheCountersOfANewerCountersFile) {
    BazaNagran.BazaLicznikJest = true;
    add(u"D:\\X.WAV"_s).EmC = 5;
    writeAndKeep();
    BazaDodajOdegranie(u"D:\\X.WAV"_s, u"2024-01-05 12:00:00"_s);
    BazaLicznikiOproznij();
    for (const bool nowszy : {true, false}) {
        SCOPED_TRACE(nowszy ? "counters file newer" : "database file newer");
        QFile f(fs(u"D:\\RADIO\\BAZA.BAZ"_s));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(nowszy ? -3600 : 3600), QFileDevice::FileModificationTime);
        f.close();
        reread();
        EXPECT_EQ(BazaRekordy[1].EmC, nowszy ? 6 : 5);
        EXPECT_EQ(BazaZmieniona, nowszy) << "the database file is to get them";
    }
}

// A write that fails half way (a full disk, here a file-size limit) leaves
// every file that is rewritten whole as it was, to the byte: the database,
// the counters (written here and in the background), the playlist and the
// time list.
TEST_F(DBazaPlikTest, AWriteThatFailsHalfWayLeavesTheOldFiles) {
    BazaNagran.BazaLicznikJest = true;
    Emisja.PlaylistaFormat = 1;
    const QString mix = u"D:\\RADIO\\LISTA.MIX"_s, lst = u"D:\\RADIO\\LISTA.LST"_s;
    const QString baza = u"D:\\RADIO\\BAZA.BAZ"_s, lic = u"D:\\RADIO\\BAZA.LIC"_s;
    auto wypelnij = [](int n) {
        WyczyscPlayliste();
        CzyscTimeliste();
        for (int i = 1; i <= n; ++i) {
            Playlista[i].Typ = RodzajSND;
            Playlista[i].Tyt = u"Tytuł %1"_s.arg(i);
            Playlista[i].Adr = u"D:\\MUZYKA\\A%1.WAV"_s.arg(i);
            Timelista[i].Czas = i;
            Timelista[i].Tyt = u"Spot %1 "_s.arg(i) + QString(150, u'x');
            Timelista[i].Adr = u"D:\\SPOTY\\S%1.WAV"_s.arg(i);
        }
        StanPlaylisty.Ilosc = n;
        StanTimelisty.Ilosc = n;
    };
    // The old files, small.
    add(u"D:\\STARY.WAV"_s).EmC = 1;
    writeAndKeep();
    BazaLicznikiZapisz();
    wypelnij(1);
    ASSERT_EQ(ZapiszPlaylisteMIX(mix, 1, 1), WynikZapisuMIX::Zapisano);
    ASSERT_TRUE(ZapiszTimeliste(lst));
    const QStringList pliki = {baza, lic, mix, lst};
    QList<QByteArray> stare;
    for (const QString& p : pliki)
        stare << bytes(p);

    // New contents far past the limit.
    for (int i = 1; i <= 3000; ++i)
        add(u"D:\\MUZYKA\\NAGRANIE%1.WAV"_s.arg(i), u"Tytuł"_s, u"Wykonawca"_s);
    wypelnij(MaksTimelisty);
    BazaZmieniona = true;

    rlimit stary{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &stary), 0);
    const auto staryHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit maly = stary;
    maly.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &maly), 0);
    BazaZapisz(false);
    const bool zmienionaPoZapisie = BazaZmieniona;
    BazaLicznikiZapisz();
    BazaDodajOdegranie(u"D:\\STARY.WAV"_s, u"2024-01-05 12:00:00"_s);
    BazaLicznikiOproznij();
    const WynikZapisuMIX wynikMIX = ZapiszPlaylisteMIX(mix, 1, StanPlaylisty.Ilosc);
    const bool wynikLST = ZapiszTimeliste(lst);
    setrlimit(RLIMIT_FSIZE, &stary);
    std::signal(SIGXFSZ, staryHandler);

    EXPECT_TRUE(zmienionaPoZapisie) << "the database is still to be saved";
    EXPECT_EQ(errors().size(), 2) << errors().join(u"\n"_s).toStdString();
    EXPECT_EQ(wynikMIX, WynikZapisuMIX::Blad);
    EXPECT_FALSE(wynikLST);
    for (int i = 0; i < pliki.size(); ++i)
        EXPECT_EQ(bytes(pliki[i]), stare[i]) << pliki[i].toStdString();
    EXPECT_EQ(QDir(fs(u"D:\\RADIO"_s)).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{u"BAZA.BAZ"_s, u"BAZA.LIC"_s, u"LISTA.LST"_s, u"LISTA.MIX"_s}))
        << "no temporary file is left";

    // Once there is room, the counters pending in the background are written.
    clock.advance(BazaLicznikiZwlokaMs);
    BazaLicznikiSprawdz();
    BazaLicznikiOproznij();
    EXPECT_TRUE(bytes(lic).contains("Adr=D:\\STARY.WAV\r\nEmC=2\r\n"));
}

}  // namespace
