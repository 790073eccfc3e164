// Damaged playlist files, list files and emission settings fed to their
// readers: nothing may crash or hang, and what is read stays within the
// bounds the rest of the program relies on.
#include "playlists/PlaylistFixture.h"

#include "common/Fuzz.h"
#include "common/FuzzNastawy.h"
#include "foundation/KestDysk2.h"

using namespace Qt::StringLiterals;

namespace {

class FuzzPlaylistTest : public PlaylistTest {
protected:
    // A few elements of every shape the writer has: kinds, modes, marks set
    // and unset, hours, Polish texts, header keys of an advert list.
    void wypelnij() {
        const QString dzwiek = wav(u"A.WAV"_s, 300);
        for (int i = 1; i <= 6; ++i) {
            TElemPListy& e = Playlista[i];
            e.Typ = quint8(i == 3 ? RodzajBRK : i + 5) | (i % 2 ? TypGrajO : 0);
            e.Aut = quint8(i % 2);
            e.Emi = i == 2 ? -1 : i * 3'600'000 + 17;
            e.Trw = i == 4 ? 0 : 185'000 * i;
            e.Int = i * 1000;
            e.Out = i == 5 ? 0 : 170'000;
            e.NwP = 500 * (i - 1);
            e.NwK = 180'000;
            e.FIn = 1500;
            e.FOu = 175'000;
            e.FIT = quint8(i % 3);
            e.FOT = quint8((i + 1) % 3);
            e.Mix = i == 1 ? -1 : 3000;
            e.Wzm = -150 * i;
            e.Kac = i == 6 ? -1200 : 0;
            e.KFI = 2000;
            e.KFO = 9000;
            e.Sel = u"12:00:00"_s;
            e.Ide = u"ID"_s + QString::number(i);
            e.MID = u"m"_s + QString::number(i);
            e.Tyt = u"Żółta łódź "_s + QString::number(i);
            e.Wyk = u"Wykonawca"_s;
            e.Pta = u"Płyta"_s;
            e.Rok = u"1999"_s;
            e.PS1 = u"RADIO"_s;
            e.Adr = i == 1 ? dzwiek : u"D:\\MUZYKA\\BRAK"_s + QString::number(i) + u".MP3"_s;
        }
        StanPlaylisty.Ilosc = 6;
    }
};

// Whatever a damaged file gave, the playlist is one the program can hold and
// write, and what it writes it reads back the same.
TEST_F(FuzzPlaylistTest, DamagedMixFiles) {
    wypelnij();
    const QString plik = folder.file(u"LISTA.MIX"_s);
    ASSERT_EQ(ZapiszPlaylisteMIX(plik, 1, StanPlaylisty.Ilosc), WynikZapisuMIX::Zapisano);
    QByteArray zLista = folder.read(u"LISTA.MIX"_s);
    zLista.replace("WERSJA=2\r\n", "WERSJA=2\r\nADRES1LST=D:\\LST\\R.LST\r\nDATA1LST=2024.01.05_10:00:00\r\n");
    const std::vector<QByteArray> seeds{folder.read(u"LISTA.MIX"_s), zLista};

    const QString drugi = folder.file(u"DRUGI.MIX"_s);
    const QString trzeci = folder.file(u"TRZECI.MIX"_s);
    int n = 0;
    fuzz::run("MIX", plik, seeds, [&] {
        dialogi.Wyczysc();
        // Every other input is appended to a list that holds an element.
        const int start = n++ % 2;
        StanPlaylisty.Ilosc = start;
        if (start) {
            InitElemPListy(Playlista[1]);
            Playlista[1].Typ = RodzajSND;
            Playlista[1].Emi = 23 * 3'600'000;
            Playlista[1].Trw = 200'000;
        }
        WczytajPlaylisteMIX(plik, start);
        const int ilosc = StanPlaylisty.Ilosc;
        ASSERT_GE(ilosc, start);
        ASSERT_LE(ilosc, MaksPlaylisty);
        for (int i = 1; i <= ilosc; ++i) {
            const quint8 k = RodzajElemPListy(Playlista[i].Typ);
            ASSERT_TRUE(k != 0 && k != 7 && k <= 15) << "element " << i << " of kind " << int(k);
            ASSERT_GE(Playlista[i].Trw, 0);
            if (start) ASSERT_TRUE(Playlista[i].Emi >= 0 && Playlista[i].Emi < DobaMs);
        }
        EXPECT_FALSE(dialogi.StanWidoczny()) << "the progress dialog is closed";

        // What was read is written; from then on, reading and writing again
        // changes nothing.
        ASSERT_EQ(ZapiszPlaylisteMIX(drugi, 1, ilosc), WynikZapisuMIX::Zapisano);
        WczytajPlaylisteMIX(drugi, 0);
        ASSERT_EQ(StanPlaylisty.Ilosc, ilosc);
        ASSERT_EQ(ZapiszPlaylisteMIX(trzeci, 1, ilosc), WynikZapisuMIX::Zapisano);
        WczytajPlaylisteMIX(trzeci, 0);
        ASSERT_EQ(ZapiszPlaylisteMIX(drugi, 1, ilosc), WynikZapisuMIX::Zapisano);
        ASSERT_EQ(folder.read(u"DRUGI.MIX"_s), folder.read(u"TRZECI.MIX"_s));
    }, 500);
}

TEST_F(FuzzPlaylistTest, DamagedListFiles) {
    const QString dzwiek = wav(u"B.WAV"_s, 200);
    const QString plik = folder.file(u"LISTA.LST"_s);
    const qint32 czasy[] = {-1, 0, 9 * 3600 + 5 * 60, 12 * 3600, 12 * 3600, 86'399};
    StanTimelisty.Ilosc = int(std::size(czasy));
    for (int i = 1; i <= StanTimelisty.Ilosc; ++i) {
        Timelista[i].Czas = czasy[i - 1];
        Timelista[i].Tyt = u"Reklama "_s + QString::number(i) + u" żółć"_s;
        Timelista[i].Adr = i % 2 ? dzwiek : u"D:\\REKLAMY\\BRAK.WAV"_s;
    }
    ASSERT_TRUE(ZapiszTimeliste(plik));
    const std::vector<QByteArray> seeds{folder.read(u"LISTA.LST"_s)};

    const QString drugi = folder.file(u"DRUGA.LST"_s);
    fuzz::run("LST", plik, seeds, [&] {
        dialogi.Wyczysc();
        CzyscTimeliste();
        WczytajTimeliste(plik);
        ASSERT_GE(StanTimelisty.Ilosc, 0);
        ASSERT_LE(StanTimelisty.Ilosc, MaksTimelisty);
        // A second list merged in keeps the limit and the time order of what it adds.
        DoklejTimeliste(plik);
        ASSERT_LE(StanTimelisty.Ilosc, MaksTimelisty);
        for (int i = 1; i <= StanTimelisty.Ilosc; ++i) {
            const TElemTListy& e = Timelista[i];
            ASSERT_TRUE(e.Czas >= -1 && e.Czas < 25 * 3600) << "entry " << i << " at " << e.Czas;
            ASSERT_GE(e.Trw, 0);
            ASSERT_FALSE(e.Tyt.isEmpty());
            ASSERT_FALSE(e.Adr.isEmpty());
        }
        // Written and read back, the list is the same list.
        const int ilosc = StanTimelisty.Ilosc;
        ASSERT_TRUE(ZapiszTimeliste(drugi));
        WczytajTimeliste(drugi);
        ASSERT_EQ(StanTimelisty.Ilosc, ilosc);
    }, 200);
}

TEST_F(FuzzPlaylistTest, DamagedEmissionSettings) {
    const QString plik = folder.file(u"TOLVANE.INI"_s);
    QFile(plik).open(QIODevice::WriteOnly);
    ZapiszNastawyEmisji(plik);
    ZapiszNastawySatelity(plik);
    const std::vector<QByteArray> seeds{folder.read(u"TOLVANE.INI"_s)};

    fuzz::run("EmisjaMIX", plik, seeds, [&] {
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        WczytajNastawyEmisji(plik);
        WczytajNastawySatelity(plik);
        fuzz::SprawdzSekcje(SekcjaEmisji());
        fuzz::SprawdzSekcje(SekcjaSatelity());
    }, 12);
}

}  // namespace
