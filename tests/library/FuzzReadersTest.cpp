// Damaged database and counters files fed to their readers: nothing may
// crash or hang, the table keeps its bounds, and a table the reader calls
// complete is written and read back whole.
#include "BazaFixture.h"

#include "common/Fuzz.h"

using namespace Qt::StringLiterals;

namespace {

class FuzzBazaTest : public BazaTest {
protected:
    // Records of every shape the writer has: counters set and unset, Polish
    // texts, long and empty fields, ranks.
    void rekordy() {
        BAZARekordTyp& a = add(u"D:\\MUZYKA\\Łąka.WAV"_s, u"Łąka"_s, u"Zespół"_s, u"A1"_s, 185'000);
        a.Kat = u"MUZYKA"_s;
        a.EmC = 7;
        a.EmD = 1;
        a.EmM = 3;
        a.EmR = 65535;
        a.EmT = 2;
        a.EmO = u"2024-01-05 10:00:00"_s;
        a.Tyx = a.Wyx = a.Czx = a.Kox = 1;
        BAZARekordTyp& b = add(u"D:\\MUZYKA\\B.MP3"_s, QString(120, u'x'), QString(), u"B2"_s, 3'600'000);
        b.Nas = u"wesoły"_s;
        b.Gen = u"M"_s;
        b.Key = u"a;b;c"_s;
        b.Tyx = b.Wyx = b.Czx = b.Kox = 2;
        add(u"D:\\JINGLE\\J.WAV"_s, u"Dżingiel"_s, u"Stacja"_s, QString(), 4000);
    }
};

TEST_F(FuzzBazaTest, DamagedDatabaseFiles) {
    rekordy();
    BazaKompletna = true;
    BazaZmieniona = true;
    BazaZapisz(false);
    const QString plik = fs(BazaSciezka());
    const std::vector<QByteArray> seeds{bytes(BazaSciezka())};

    fuzz::run("Baza", plik, seeds, [&] {
        dialogs.Wyczysc();
        BazaCzyscWszystko();
        BazaCzytaj();
        const int liczba = BazaLiczba;
        ASSERT_GE(liczba, 0);
        ASSERT_LE(liczba, BazaMaks);
        for (int i = 1; i <= liczba; ++i) ASSERT_FALSE(BazaRekordy[i].Adr.isEmpty()) << "record " << i;
        if (!BazaKompletna) return;
        // A complete table is saved and read back whole.
        BazaZmieniona = true;
        BazaZapisz(false);
        BazaCzyscWszystko();
        BazaCzytaj();
        ASSERT_EQ(BazaLiczba, liczba);
    }, 1000);
}

TEST_F(FuzzBazaTest, DamagedCountersFiles) {
    BazaNagran.BazaLicznikJest = true;
    rekordy();
    BazaKompletna = true;
    BazaLicznikiZapisz();
    const QString plik = fs(BazaSciezkaLicznikow());
    const std::vector<QByteArray> seeds{bytes(BazaSciezkaLicznikow())};

    fuzz::run("Liczniki", plik, seeds, [&] {
        dialogs.Wyczysc();
        BazaCzyscWszystko();
        rekordy();
        BazaKompletna = true;
        BazaLicznikiCzytaj();
        // Counters attach to the records there are; they never make new ones.
        ASSERT_EQ(BazaLiczba, 3);
    }, 1500);
}

}  // namespace
