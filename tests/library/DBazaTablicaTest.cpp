// Sort orders, lookups by path and counting plays.
#include "BazaFixture.h"

using namespace Qt::StringLiterals;

namespace {

class DBazaTablicaTest : public BazaTest {};

QStringList adresy() {
    QStringList l;
    for (int i = 1; i <= BazaLiczba; ++i)
        l << BazaRekordy[i].Adr;
    return l;
}

// A wrong number never hands out a record whose changes would go nowhere,
// and the count cannot drift from the records the table holds.
TEST_F(DBazaTablicaTest, RecordNumbersOutsideTheTableAreRefused) {
    add(u"D:\\A.WAV"_s);
    for (int nr : {0, -1, 2, BazaMaks, BazaMaks + 1}) {
        SCOPED_TRACE(nr);
        EXPECT_THROW(BazaRekordy[nr].Tyt = u"zgubiony"_s, std::out_of_range);
        EXPECT_EQ(std::as_const(BazaRekordy)[nr].Tyt, QString()) << "reading past the count gives an empty record";
    }
    EXPECT_EQ(BazaLiczba, 1);
    BazaRekordy.Dodaj()->Adr = u"D:\\B.WAV"_s;
    EXPECT_EQ(BazaLiczba, 2);
    EXPECT_EQ(BazaRekordy[2].Adr, u"D:\\B.WAV"_s);
    BazaRekordy.Przytnij(1);
    EXPECT_EQ(BazaLiczba, 1);
    EXPECT_THROW(BazaRekordy[2], std::out_of_range);
}

TEST_F(DBazaTablicaTest, FourOrdersSetTheirRanksAndInverseEntries) {
    add(u"D:\\1"_s, u"beta"_s, u"Żuk"_s, u"K2"_s, 3000);
    add(u"D:\\2"_s, u"Alfa"_s, u"zenon"_s, u"k1"_s, 1000);
    add(u"D:\\3"_s, u"ąbc"_s, u"Adam"_s, u"K10"_s, 2000);
    add(u"D:\\4"_s, u"Beta2"_s, u"Ewa"_s, QString(), 2000);

    BazaSortuj(BazaWgTytulu);
    // ASCII letters without case; ą (0xB9) after every ASCII letter.
    EXPECT_EQ(adresy(), (QStringList{u"D:\\2"_s, u"D:\\1"_s, u"D:\\4"_s, u"D:\\3"_s}));
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(BazaRekordy[k].Tyx, k);

    BazaSortuj(BazaWgWykonawcy);
    // "zenon" and "Żuk": z before Ż (0xAF), and z equals Z.
    EXPECT_EQ(adresy(), (QStringList{u"D:\\3"_s, u"D:\\4"_s, u"D:\\2"_s, u"D:\\1"_s}));

    BazaSortuj(BazaWgCzasu);
    EXPECT_EQ(BazaRekordy[1].Adr, u"D:\\2"_s);
    EXPECT_EQ(BazaRekordy[4].Adr, u"D:\\1"_s);

    BazaSortuj(BazaWgKodu);
    EXPECT_EQ(adresy(), (QStringList{u"D:\\4"_s, u"D:\\2"_s, u"D:\\3"_s, u"D:\\1"_s}));
    EXPECT_EQ(dialogs.Zapisy(RodzajDialogu::Stan).last().teksty.at(0), u"Sortowanie wg kodów"_s);

    // Ranks moved with their records; the inverse entries walk each order.
    BazaBudujIndeksy();
    QStringList tytuly;
    for (int k = 1; k <= 4; ++k)
        tytuly << BazaRekordy[BazaRekordy[k].Odw[BazaWgTytulu - 1]].Tyt;
    EXPECT_EQ(tytuly, (QStringList{u"Alfa"_s, u"beta"_s, u"Beta2"_s, u"ąbc"_s}));
    QStringList wykonawcy;
    for (int k = 1; k <= 4; ++k)
        wykonawcy << BazaRekordy[BazaRekordy[k].Odw[BazaWgWykonawcy - 1]].Wyk;
    EXPECT_EQ(wykonawcy, (QStringList{u"Adam"_s, u"Ewa"_s, u"zenon"_s, u"Żuk"_s}));
}

TEST_F(DBazaTablicaTest, LookupsComparePolishUpperCase) {
    add(u"D:\\Muzyka\\Łąka.wav"_s);
    add(u"D:\\MUZYKA\\A123.MP3"_s);
    add(u"D:\\INNE\\A12.MP3"_s);
    add(u"D:\\DRUGI\\A12.WAV"_s);
    add(u"D:\\BEZ\\A12"_s);

    EXPECT_TRUE(BazaJestAdres(u"d:\\muzyka\\ŁĄKA.WAV"_s));
    EXPECT_FALSE(BazaJestAdres(u"D:\\MUZYKA\\ŁĄKA"_s));
    EXPECT_EQ(BazaPozycjaAdresu(u"D:\\DRUGI\\A12.WAV"_s), 4);

    EXPECT_EQ(BazaSzukajAdres(u"a12"_s), u"D:\\INNE\\A12.MP3"_s) << "whole file name, first in physical order";
    EXPECT_EQ(BazaSzukajAdres(u"A1"_s), QString());
    EXPECT_EQ(BazaSzukajAdres(u"A123"_s), u"D:\\MUZYKA\\A123.MP3"_s);
    EXPECT_EQ(BazaSzukajAdres(QString()), QString());

    // Records moved by a sort are found at their new places.
    BazaSortuj(BazaWgKodu);
    add(u"D:\\NOWY.WAV"_s);
    BazaRekordy[1].Adr = u"D:\\ZMIENIONY.WAV"_s;
    BazaAdresyZmienione();
    EXPECT_EQ(BazaRekordy[BazaPozycjaAdresu(u"D:\\DRUGI\\A12.WAV"_s)].Adr, u"D:\\DRUGI\\A12.WAV"_s);
    EXPECT_EQ(BazaPozycjaAdresu(u"D:\\NOWY.WAV"_s), 6);
    EXPECT_EQ(BazaPozycjaAdresu(u"D:\\ZMIENIONY.WAV"_s), 1);

    BazaCzyscWszystko();
    EXPECT_FALSE(BazaJestAdres(u"D:\\NOWY.WAV"_s));
    EXPECT_EQ(BazaSzukajAdres(u"A12"_s), QString());
}

TEST_F(DBazaTablicaTest, CountingDayMonthYear) {
    BAZARekordTyp& r = add(u"D:\\A.WAV"_s);
    auto play = [](const QString& t) { BazaDodajOdegranie(u"d:\\a.wav"_s, t); };

    play(u"2024-01-05 10:00:00"_s);  // first play
    EXPECT_EQ((std::array<int, 4>{r.EmC, r.EmD, r.EmM, r.EmR}), (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_TRUE(BazaZmieniona);
    play(u"2024-01-05 11:00:00"_s);  // same day
    EXPECT_EQ((std::array<int, 4>{r.EmC, r.EmD, r.EmM, r.EmR}), (std::array<int, 4>{2, 2, 2, 2}));
    play(u"2024-01-06 11:00:00"_s);  // next day
    EXPECT_EQ((std::array<int, 4>{r.EmC, r.EmD, r.EmM, r.EmR}), (std::array<int, 4>{3, 1, 3, 3}));
    play(u"2024-02-05 11:00:00"_s);  // next month
    EXPECT_EQ((std::array<int, 4>{r.EmC, r.EmD, r.EmM, r.EmR}), (std::array<int, 4>{4, 1, 1, 4}));
    play(u"2025-01-05 11:00:00"_s);  // next year
    EXPECT_EQ((std::array<int, 4>{r.EmC, r.EmD, r.EmM, r.EmR}), (std::array<int, 4>{5, 1, 1, 1}));
    EXPECT_EQ(r.EmO, u"2025-01-05 11:00:00"_s);
    EXPECT_EQ(r.EmT, 0);

    r.EmC = 65535;
    play(u"2025-01-05 12:00:00"_s);
    EXPECT_EQ(r.EmC, 0) << "16-bit counters wrap";

    // A date label in another form is counted with today's date.
    play(u"05.01.2025 13:00:00"_s);
    EXPECT_EQ(r.EmO, u"2024-01-05 13:00:00"_s);
    EXPECT_EQ(r.EmR, 1);

    play(u"2024-01-05 13:00:00"_s);
    BazaDodajOdegranie(u"D:\\INNY.WAV"_s, u"2024-01-05 13:00:00"_s);
    EXPECT_EQ(r.EmD, 2);
}

TEST_F(DBazaTablicaTest, UnrestrictedBands) {
    BAZARekordTyp& r = add(u"D:\\A.WAV"_s);
    auto at = [this](int h, int m) { clock.set(QDate(2024, 1, 5), (h * 60 + m) * 60000LL); };  // a Friday

    at(0, 30);
    EXPECT_TRUE(BazaPasmoBezOgraniczen()) << "defaults cover the hour 0";
    BazaDodajOdegranie(u"D:\\A.WAV"_s, u"2024-01-05 00:30:00"_s);
    EXPECT_EQ(r.EmC, 0);

    auto& B = BazaNagran;
    B.BazaPasmo1Poczatek = 12;
    B.BazaPasmo1Koniec = 12;
    at(12, 30);
    EXPECT_TRUE(BazaPasmoBezOgraniczen());
    BazaDodajOdegranie(u"D:\\A.WAV"_s, u"2024-01-05 12:30:00"_s);
    EXPECT_EQ(r.EmC, 0);
    at(13, 0);
    EXPECT_FALSE(BazaPasmoBezOgraniczen());
    B.BazaPasmo2Poczatek = 14;
    B.BazaPasmo2Koniec = 13;  // end below start: no hour
    at(13, 59);
    EXPECT_FALSE(BazaPasmoBezOgraniczen());
    at(14, 0);
    EXPECT_FALSE(BazaPasmoBezOgraniczen());

    B.BazaPasmoDzien1 = 6;  // Friday, 1 = Sunday
    B.BazaPasmoDzien1Poczatek = 18;
    B.BazaPasmoDzien1Koniec = 23;
    at(23, 59);
    EXPECT_TRUE(BazaPasmoBezOgraniczen());
    clock.set(QDate(2024, 1, 6), 23 * 3600000LL);
    EXPECT_FALSE(BazaPasmoBezOgraniczen());
    B.BazaPasmoDzien2 = 7;
    B.BazaPasmoDzien2Poczatek = 0;
    B.BazaPasmoDzien2Koniec = 24;
    EXPECT_TRUE(BazaPasmoBezOgraniczen());
}

}  // namespace
