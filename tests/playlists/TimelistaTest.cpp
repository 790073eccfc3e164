#include "playlists/PlaylistFixture.h"

#include "foundation/KestDysk2.h"
#include "platform/Cp1250.h"

using namespace Qt::StringLiterals;

class TimelistTest : public PlaylistTest {
protected:
    QString lista(const QString& nazwa, const QByteArray& tresc) const {
        folder.write(nazwa, tresc);
        return folder.file(nazwa);
    }
    void wpis(int i, qint32 czas, const QString& tyt, qint32 trw = 0, quint8 stan = 0) {
        Timelista[i].Czas = czas;
        Timelista[i].Tyt = tyt;
        Timelista[i].Adr = u" "_s;
        Timelista[i].Trw = trw;
        Timelista[i].Stan = stan;
    }
};

TEST_F(TimelistTest, WrittenAndReadBack) {
    const QString dzwiek = wav(u"SPOT.WAV"_s, 2500);
    wpis(1, 25'509, u"Spot A"_s);
    Timelista[1].Adr = dzwiek;
    wpis(2, -1, u"Żółw"_s);
    wpis(3, 12 * 3600, u" "_s);
    StanTimelisty.Ilosc = 3;
    ASSERT_TRUE(ZapiszTimeliste(folder.file(u"T.LST"_s)));
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(folder.read(u"T.LST"_s), QByteArray(" 7:05:09 Spot A\r\nD:\\SPOT.WAV\r\n"
                                                  "--:--:-- \xaf\xf3\xb3w\r\n \r\n"
                                                  "12:00:00  \r\n \r\n"));

    CzyscTimeliste();
    StanTimelisty.Kursor = 3;
    WczytajTimeliste(folder.file(u"T.LST"_s));
    ASSERT_EQ(StanTimelisty.Ilosc, 3);
    EXPECT_EQ(StanTimelisty.Kursor, 1);
    EXPECT_EQ(Timelista[1].Czas, 25'509);
    EXPECT_EQ(Timelista[1].Tyt, u"Spot A"_s);
    EXPECT_EQ(Timelista[1].Trw, 2500);
    EXPECT_EQ(Timelista[2].Czas, -1);
    EXPECT_EQ(Timelista[2].Tyt, u"Żółw"_s);
    EXPECT_EQ(Timelista[2].Adr, u" "_s);
    EXPECT_EQ(Timelista[2].Trw, 0);
    EXPECT_EQ(Timelista[3].Tyt, u" "_s);

    // A failed write reports its code.
    EXPECT_FALSE(ZapiszTimeliste(folder.path() + u"/brak/T.LST"_s));
    EXPECT_NE(BladIO, 0);
}

TEST_F(TimelistTest, LooseLinesAndBlankTails) {
    // Any separator, a malformed time, a title line without an address, LF endings.
    WczytajTimeliste(lista(u"A.LST"_s, "09:00:00|Rano\nD:\\R.WAV\n1x:00:00 Zle\n\n13:00:00\n"));
    ASSERT_EQ(StanTimelisty.Ilosc, 3);
    EXPECT_EQ(Timelista[1].Tyt, u"Rano"_s);
    EXPECT_EQ(Timelista[1].Trw, 0) << "a missing file has no length";
    EXPECT_EQ(Timelista[2].Czas, -1);
    EXPECT_EQ(Timelista[2].Adr, u" "_s);
    EXPECT_EQ(Timelista[3].Czas, 13 * 3600);
    EXPECT_EQ(Timelista[3].Tyt, u" "_s);

    WczytajTimeliste(lista(u"B.LST"_s, "09:00:00 A\r\nD:\\A.WAV\r\n\r\n\r\n"));
    EXPECT_EQ(StanTimelisty.Ilosc, 1) << "blank lines at the end are no entry";
    WczytajTimeliste(lista(u"C.LST"_s, ""));
    EXPECT_EQ(StanTimelisty.Ilosc, 0);

    StanTimelisty.Ilosc = 1;
    WczytajTimeliste(folder.path() + u"/BRAK.LST"_s);
    EXPECT_EQ(BladIO, 2);
    EXPECT_EQ(StanTimelisty.Ilosc, 1) << "an unreadable file changes nothing";
}

TEST_F(TimelistTest, ThousandEntriesAtMost) {
    QByteArray b;
    for (int i = 0; i < MaksTimelisty + 1; ++i) b += "12:00:00 X" + QByteArray::number(i) + "\r\n \r\n";
    WczytajTimeliste(lista(u"D.LST"_s, b));
    EXPECT_EQ(StanTimelisty.Ilosc, MaksTimelisty);
    const auto info = dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty, (QStringList{u"Brak pamięci na wczytanie całej listy !"_s, u"(Maksymalnie 1000\t pozycji)"_s}));

    StanTimelisty.Ilosc = MaksTimelisty - 1;
    DoklejTimeliste(lista(u"E.LST"_s, "12:00:00 a\r\n \r\n12:00:01 b\r\n \r\n"));
    EXPECT_EQ(StanTimelisty.Ilosc, MaksTimelisty);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 2);
}

TEST_F(TimelistTest, AppendedEntriesGoInTimeOrder) {
    wpis(1, -1, u"bez czasu"_s);
    wpis(2, 12 * 3600 - 60, u"przed"_s);
    wpis(3, 12 * 3600, u"południe"_s, 0, 1);
    wpis(4, 12 * 3600 + 60, u"po"_s);
    StanTimelisty.Ilosc = 4;
    StanTimelisty.Kursor = 2;
    DoklejTimeliste(lista(u"F.LST"_s, "12:00:00 nowy1\r\n \r\n--:--:-- nowy0\r\n \r\n"
                                      "12:00:00 nowy2\r\n \r\n 5:00:00 rano\r\n \r\n"));
    ASSERT_EQ(StanTimelisty.Ilosc, 8);
    QStringList tytuly;
    for (int i = 1; i <= 8; ++i) tytuly << Timelista[i].Tyt;
    EXPECT_EQ(tytuly, (QStringList{u"bez czasu"_s, u"nowy0"_s, u"rano"_s, u"przed"_s, u"południe"_s, u"nowy1"_s,
                                   u"nowy2"_s, u"po"_s}));
    EXPECT_EQ(Timelista[6].Stan, StanDoklejony);
    EXPECT_EQ(Timelista[5].Stan, 1);
    EXPECT_EQ(StanTimelisty.Kursor, 2) << "the cursor stays";

    // Clearing the marks of the cursor's hour keeps the appended-list mark.
    Timelista[6].Stan = StanDoklejony + StanOdrzucony;
    StanTimelisty.Kursor = 5;
    ZerujStanGodzinyTListy();
    EXPECT_EQ(Timelista[5].Stan, 0);
    EXPECT_EQ(Timelista[6].Stan, StanDoklejony);
}

TEST_F(TimelistTest, HourLookupsOfBlockTitles) {
    wpis(1, -1, u"bez czasu"_s, 9999);
    wpis(2, 9 * 3600, u"a"_s, 15'000);
    wpis(3, 10 * 3600, u"b"_s, 20'000);
    wpis(4, 10 * 3600, u"c"_s, 30'000);
    StanTimelisty.Ilosc = 4;
    EXPECT_EQ(ZnajdzGodzineTListy(u"Reklama o 10:00"_s), 3);
    EXPECT_EQ(SzukajGodzinyTListy(u"Reklama o 10:00@LISTA2"_s), 3);
    EXPECT_EQ(SumaCzasowGodzinyTListy(u"Reklama o 10:00"_s), 50'000);
    EXPECT_EQ(ZnajdzGodzineTListy(u"Promos o 09:00"_s), 2) << "the hour is found by its colon, not by place";
    EXPECT_EQ(SumaCzasowGodzinyTListy(u"Promos o 09:00"_s), 15'000);
    EXPECT_EQ(ZnajdzGodzineTListy(u"Reklama o  9:00"_s), 2);
    EXPECT_EQ(ZnajdzGodzineTListy(u"Reklama o 11:00"_s), 0);
    EXPECT_EQ(SumaCzasowGodzinyTListy(u"Reklama o 11:00"_s), 0);
    for (const QString& zly : {u"Reklama"_s, u"Reklama o xx:yy"_s, u":00"_s, QString()}) {
        EXPECT_EQ(ZnajdzGodzineTListy(zly), 0) << zly.toStdString();
        EXPECT_EQ(SumaCzasowGodzinyTListy(zly), 0) << "never the untimed entries: " << zly.toStdString();
    }
}

// Clearing leaves nothing of the previous list even when no panel gave the
// list state its capacity.
TEST_F(TimelistTest, ClearingWithoutACapacityLeavesNothing) {
    StanTimelisty.Pojemnosc = 0;
    Timelista[5].Tyt = u"STARY"_s;
    Timelista[MaksTimelisty].Tyt = u"OSTATNI"_s;
    CzyscTimeliste();
    EXPECT_EQ(QString(Timelista[5].Tyt), QString(TElemTListy{}.Tyt));
    EXPECT_EQ(QString(Timelista[MaksTimelisty].Tyt), QString(TElemTListy{}.Tyt));
}
