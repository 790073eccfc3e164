// The list panels' rules without a window: scrolling, cursor keys, the
// thumb, row texts by kind, the header's times and the time list's column.
#include <gtest/gtest.h>

#include "console/engine/PanelListy.h"
#include "playlists/D_Timelista.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 H = 3'600'000;

StanListy lista(qint32 pierwszy, qint32 kursor, qint32 ilosc, qint32 wierszy = 7) {
    StanListy s;
    s.Pierwszy = pierwszy;
    s.Kursor = kursor;
    s.Ilosc = ilosc;
    s.Wierszy = wierszy;
    return s;
}

struct PustaPlaylista : ::testing::Test {
    void SetUp() override { WyczyscPlayliste(); }
    void TearDown() override {
        WyczyscPlayliste();
        StanTimelisty = StanListy{};
        Satelita = NastawySatelity{};
    }
    TElemPListy& element(int n, quint8 rodzaj) {
        TElemPListy& e = Playlista[size_t(n)];
        InitElemPListy(e);
        e.Typ = rodzaj;
        StanPlaylisty.Ilosc = std::max(StanPlaylisty.Ilosc, n);
        return e;
    }
};

}  // namespace

TEST(PanelListy, ScrollingKeepsTheCursorInView) {
    struct Wiersz {
        const char* co;
        StanListy stan;
        bool srodek;
        qint32 pierwszy;
    } wiersze[] = {
        {"down past the last visible row scrolls one row", lista(1, 8, 50), false, 2},
        {"up past the first visible row scrolls one row", lista(8, 7, 50), false, 7},
        {"a far jump scrolls by whole pages", lista(1, 30, 50), false, 29},
        {"a jump back by whole pages", lista(29, 3, 50), false, 1},
        {"inside the page nothing moves", lista(5, 9, 50), false, 5},
        {"centred: three rows above the cursor", lista(1, 20, 50), true, 17},
        {"centred near the top stays at 1", lista(1, 2, 50), true, 1},
        {"never past the count", lista(40, 12, 10), false, 8},
        {"an empty list shows from row 1", lista(5, 0, 0), false, 1},
    };
    for (auto& w : wiersze) {
        PrzewinDoKursora(w.stan, w.srodek);
        EXPECT_EQ(w.stan.Pierwszy, w.pierwszy) << w.co;
    }
}

TEST(PanelListy, CursorKeysClampAndScroll) {
    struct Wiersz {
        KrokKursora krok;
        StanListy stan;
        qint32 kursor, pierwszy;
    } wiersze[] = {
        {KrokKursora::Dol, lista(1, 7, 20), 8, 2},
        {KrokKursora::Gora, lista(1, 1, 20), 1, 1},
        {KrokKursora::StronaDol, lista(1, 3, 20), 10, 8},
        {KrokKursora::StronaDol, lista(15, 18, 20), 20, 15},
        {KrokKursora::StronaGora, lista(8, 10, 20), 3, 1},
        {KrokKursora::Poczatek, lista(15, 18, 20), 1, 1},
        {KrokKursora::Koniec, lista(1, 1, 20), 20, 15},
        {KrokKursora::Koniec, lista(1, 0, 0), 0, 1},
        {KrokKursora::Dol, lista(1, 0, 0), 0, 1},
    };
    for (auto& w : wiersze) {
        RuchKursora(w.stan, w.krok);
        EXPECT_EQ(w.stan.Kursor, w.kursor) << int(w.krok);
        EXPECT_EQ(w.stan.Pierwszy, w.pierwszy) << int(w.krok);
    }
}

TEST(PanelListy, RectanglesRowsAndThumb) {
    StanListy s = lista(3, 4, 10);
    UstawProstokatyListy(s, {0, 100, 400, 400}, 30, 40);
    EXPECT_EQ(s.Lista.Top, 130);
    EXPECT_EQ(s.Pasek.Left, 384);
    EXPECT_EQ(s.Wierszy, 6);  // 266 pixels hold six whole rows of 40
    EXPECT_EQ(s.Kursor, 4);   // a resize keeps the list's state
    EXPECT_EQ(ElementWPunkcie(s, {50, 131}, 40), 3);
    EXPECT_EQ(ElementWPunkcie(s, {50, 130 + 5 * 40 + 1}, 40), 8);
    s.Ilosc = 5;
    EXPECT_EQ(ElementWPunkcie(s, {50, 130 + 3 * 40 + 1}, 40), 0) << "below the last element";
    EXPECT_EQ(ElementWPunkcie(s, {390, 131}, 40), 0) << "on the bar";

    const Suwak pusty = SuwakListy(lista(1, 0, 0), 200);
    EXPECT_EQ(pusty.Od, 0);
    EXPECT_EQ(pusty.Do, 200);
    const Suwak w = SuwakListy(lista(11, 11, 100, 7), 200);
    EXPECT_EQ(w.Od, 20);
    EXPECT_EQ(w.Do, 34);
    const Suwak maly = SuwakListy(lista(501, 501, 1000, 7), 200);
    EXPECT_EQ(maly.Do - maly.Od, 6);
    EXPECT_EQ(SuwakListy(lista(96, 99, 100, 7), 200).Do, 200) << "the last row shown";
    EXPECT_EQ(PierwszyDlaSuwaka(lista(1, 1, 100), 100, 200), 51);
}

TEST_F(PustaPlaylista, RowTextsByKind) {
    struct Wiersz {
        quint8 rodzaj;
        const char* wyk;
        QString gorny, dolny;
    } wiersze[] = {
        {RodzajSND, "Wykonawca", u"Wykonawca"_s, u"Tytuł"_s},
        {RodzajSND, "", u"A.B. PIOSENKA_Ż"_s, u"Tytuł"_s},
        {RodzajINF, "", u"INFO"_s, u"Tytuł"_s},
        {RodzajBRK, "", u"BREAK"_s, u"Tytuł"_s},
        {RodzajALR, "", u"ALARM"_s, u"Tytuł"_s},
        {RodzajREK, "", u"ID1    Tytuł"_s, QString()},
        {RodzajDJ_, "", u"ID1"_s, u"Tytuł"_s},
        {RodzajJNG, "Wyk", u"Wyk"_s, u"Tytuł"_s},
        {RodzajSPO, "", u"ID1"_s, u"Tytuł"_s},
        {RodzajPRO, "", u"ID1"_s, QString()},
        {RodzajWHI, "Wyk", u"WHISPER - Wyk"_s, u"Tytuł"_s},
        {RodzajSWE, "", u"SWEEPER - ID1"_s, u"Tytuł"_s},
        {RodzajLOP, "", u"LOOP - ID1"_s, u"Tytuł"_s},
    };
    for (const auto& w : wiersze) {
        TElemPListy& e = element(1, w.rodzaj);
        e.Ide = u"ID1"_s;
        e.Adr = u"C:\\MUZ\\a.b. piosenka_ż.mp3"_s;
        e.Wyk = QString::fromUtf8(w.wyk);
        e.Tyt = u"Tytuł"_s;
        e.Trw = 65'500;
        e.NwP = 500;
        const TekstyWierszaType t = TekstyWiersza(e);
        EXPECT_EQ(t.Gorny, w.gorny) << int(w.rodzaj);
        EXPECT_EQ(t.Dolny, w.dolny) << int(w.rodzaj);
        EXPECT_EQ(t.Dlugosc, u"01:05.000"_s) << int(w.rodzaj);
    }
    TElemPListy& e = element(1, RodzajSND);
    e.Ide = u"ID1"_s;
    EXPECT_EQ(TekstyWiersza(e).Dolny, u"ID1"_s) << "an empty title shows the identifier";
    e.BrakZbioru = 1;
    EXPECT_EQ(TekstyWiersza(e).Dolny, u"!!! Nie ma nagrania !!!"_s);
}

TEST_F(PustaPlaylista, HeaderLengthAndEndAcrossMidnight) {
    element(1, RodzajSND).Emi = 10 * H;
    TElemPListy& ostatni = element(2, RodzajSND);
    ostatni.Emi = 11 * H;
    ostatni.NwK = 180'000;
    EXPECT_EQ(DlugoscPlaylisty() + u" - "_s + KoniecPlaylisty(0), u"01:03:00.000 - 11:03:00.000"_s);
    EXPECT_EQ(KoniecPlaylisty(-3'000), u"11:02:57.000"_s) << "the deviation moves the end";
    // Over midnight, and an untimed BREAK at the end counts for nothing.
    Playlista[1].Emi = 23 * H;
    ostatni.Emi = 24 * H - 60'000;
    element(3, RodzajBRK);
    EXPECT_EQ(DlugoscPlaylisty(), u"01:02:00.000"_s);
    EXPECT_EQ(KoniecPlaylisty(0), u"00:02:00.000"_s);
}

TEST(PanelListy, RowTimesOnBothClocks) {
    EXPECT_EQ(CzasWiersza(13 * H + 5 * 60'000, false), u"13:05:00"_s);
    EXPECT_EQ(CzasWiersza(13 * H + 5 * 60'000, true), u"01:05:00 PM"_s);
    EXPECT_EQ(CzasWiersza(10 * 60'000, true), u"12:10:00 AM"_s);
    EXPECT_EQ(CzasWiersza(-1, true), u"--:--:--"_s);
    EXPECT_EQ(CzasWiersza(25 * H, false), u"01:00:00"_s);
}

TEST_F(PustaPlaylista, TimeListColumnMarksAndGroupLength) {
    const qint32 trwania[] = {30'000, 20'000, 40'000, 10'000};
    for (int i = 1; i <= 4; ++i) {
        Timelista[size_t(i)] = TElemTListy{};
        Timelista[size_t(i)].Czas = i <= 3 ? 14 * 3600 : 15 * 3600;
        Timelista[size_t(i)].Trw = trwania[i - 1];
    }
    Timelista[4].Stan = StanOdrzucony + StanDoklejony;
    StanTimelisty.Ilosc = 4;
    EXPECT_EQ(TekstCzasuTimelisty(1, false).Tekst, u" 14:00:00"_s);
    EXPECT_EQ(TekstCzasuTimelisty(2, false).Tekst, QString(13, u' '));
    const TekstCzasuTL suma = TekstCzasuTimelisty(3, false);
    EXPECT_EQ(suma.Tekst, u"  1:30.00"_s);
    EXPECT_TRUE(suma.Szary);
    EXPECT_EQ(TekstCzasuTimelisty(4, false).Tekst, u"-15:00:00"_s);
    Timelista[1].Stan = StanZagrany;
    EXPECT_EQ(TekstCzasuTimelisty(1, true).Tekst, u"+02:00:00 PM"_s);
    Satelita.SatRLOfsLiczMS = 1'000;
    EXPECT_EQ(TekstCzasuTimelisty(3, false).Tekst, u"  1:33.00"_s) << "the offset counts once per entry";
}
