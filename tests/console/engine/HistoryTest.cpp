// The history day file, the played criteria and the category switches.
#include <gtest/gtest.h>

#include <QFile>

#include "common/TempFolder.h"
#include "console/engine/HistoriaEmisji.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

class HistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        NastawyDomyslne();
        DomyslneNastawyEmisji();
        Emisja.KatHST = folder.path() + u"/HST"_s;
        folder.file(u"HST/x"_s);
    }
    QByteArray hst(const QString& name) const { return folder.read(u"HST/"_s + name); }

    TempProgramFolder folder;
    platform::ManualClock zegar{QDate(2026, 12, 6), (14 * 3600 + 3 * 60 + 27) * 1000};
    platform::ScopedClock scoped{&zegar};
};

PolaHistorii pola() {
    PolaHistorii p;
    p.Tyt = u"T"_s;
    p.Pta = u"A"_s;
    p.Wyk = u"W"_s;
    p.Rok = u"1999"_s;
    return p;
}

TEST_F(HistoryTest, ShortAndFullLinesAreTheStationsBytes) {
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    ASSERT_TRUE(QFile::exists(folder.path() + u"/HST/26_12_06.HST"_s));
    EXPECT_TRUE(hst(u"26_12_06.HST"_s).isEmpty());
    EXPECT_EQ(pliki.DzienTekst, u"26_12_06"_s);

    const QString krotki = TekstHistorii(100, 225'400, pola(), false, pliki.DzienTekst);
    EXPECT_TRUE(pliki.DopiszLinie(QDate(2026, 12, 6), u"14:03:27"_s, u"D:\\MUZYKA\\T1.WAV"_s, krotki));

    PolaHistorii p = pola();
    p.Wyk = u"Łódź"_s;
    p.Gen = u"M"_s;
    p.KodRodzaju = u"mu"_s;
    p.Tmc = u"szybkie"_s;
    const QString pelny = TekstHistorii(91, 61'999, p, true, pliki.DzienTekst);
    EXPECT_TRUE(pliki.DopiszLinie(QDate(2026, 12, 6), u"14:07:12"_s, u"D:\\MUZYKA\\T2.WAV"_s, pelny));

    EXPECT_EQ(hst(u"26_12_06.HST"_s),
              QByteArray("14:03:27; D:\\MUZYKA\\T1.WAV; 100%; 03:45; T; A; W; ; ; ; ; ; 1999\r\n"
                         "14:07:12; D:\\MUZYKA\\T2.WAV; 26_12_06; 91%; 01:01; T; A; \xA3\xF3\x64\x9F; ; ; ; ; ; 1999; "
                         "M; ; ; ; mu; ; ; szybkie\r\n"));
    // An empty text writes nothing.
    EXPECT_FALSE(pliki.DopiszLinie(QDate(2026, 12, 6), u"14:09:00"_s, u"X"_s, QString()));
}

TEST_F(HistoryTest, OpeningKeepsWhatIsThereAndTheIdPrefixesTheNames) {
    folder.write(u"HST/26_12_06.HST"_s, "earlier line\r\n");
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));
    EXPECT_EQ(hst(u"26_12_06.HST"_s), QByteArray("earlier line\r\n"));

    Nastawy.IdZbioryJest = true;
    Nastawy.Id = u"ST2"_s;
    pliki.OtworzPlikiHistorii(QDate(2027, 1, 2));
    EXPECT_TRUE(QFile::exists(folder.path() + u"/HST/ST227_01_02.HST"_s));
    // An Id that would name another folder is made safe as the log's name is.
    Nastawy.Id = u"a/../b:c"_s;
    pliki.OtworzPlikiHistorii(QDate(2027, 1, 2));
    EXPECT_EQ(pliki.ZbiorHST, Emisja.KatHST + u"/a_.._b_c27_01_02.HST"_s);
    EXPECT_TRUE(QFile::exists(folder.path() + u"/HST/a_.._b_c27_01_02.HST"_s));

    // With history files off nothing is opened or created.
    Emisja.CzyHST = false;
    PlikiHistorii wylaczone;
    wylaczone.OtworzPlikiHistorii(QDate(2027, 1, 3));
    EXPECT_FALSE(QFile::exists(folder.path() + u"/HST/27_01_03.HST"_s));
    EXPECT_FALSE(wylaczone.DopiszLinie(QDate(2027, 1, 3), u"00:00:01"_s, u"X"_s, u"1%"_s));
}

TEST_F(HistoryTest, ALastLineWithoutItsEndGetsOneBeforeTheNextLine) {
    const struct {
        QByteArray przed, po;
    } przypadki[] = {
        {"10:00:00; A.WAV; 100%", "10:00:00; A.WAV; 100%\r\n11:00:00; B.WAV; 100%\r\n"},
        {"10:00:00; A.WAV; 100%\r", "10:00:00; A.WAV; 100%\r\n11:00:00; B.WAV; 100%\r\n"},
        {"10:00:00; A.WAV; 100%\r\n", "10:00:00; A.WAV; 100%\r\n11:00:00; B.WAV; 100%\r\n"},
        {"10:00:00; A.WAV; 100%\n", "10:00:00; A.WAV; 100%\n11:00:00; B.WAV; 100%\r\n"},
        {"", "11:00:00; B.WAV; 100%\r\n"},
    };
    // The event log's lines go on the same way.
    Nastawy.LOGZbiorJest = true;
    Nastawy.LOGKatalog = folder.path();
    for (const auto& p : przypadki) {
        folder.write(u"HST/26_12_06.HST"_s, p.przed);
        PlikiHistorii pliki;
        EXPECT_TRUE(pliki.DopiszLinie(QDate(2026, 12, 6), u"11:00:00"_s, u"B.WAV"_s, u"100%"_s));
        EXPECT_EQ(hst(u"26_12_06.HST"_s), p.po) << p.przed.toStdString();
        QFile::remove(LogZbior());
        folder.write(u"Tolvane_2026-12-06.LOG"_s, p.przed);
        Log(u"B"_s);
        EXPECT_EQ(folder.read(u"Tolvane_2026-12-06.LOG"_s), QByteArray(p.po).replace("11:00:00; B.WAV; 100%", "14:03:27->  B"));
    }
}

TEST_F(HistoryTest, LinesGoToTheDayTheElementStartedOn) {
    Emisja.CzyHSTXML = true;
    PlikiHistorii pliki;
    pliki.OtworzPlikiHistorii(QDate(2026, 12, 6));

    // The first element of the new day opens (creates) the new day's files.
    EXPECT_TRUE(pliki.DopiszLinie(QDate(2026, 12, 7), u"00:00:04"_s, u"B.WAV"_s, u"100%"_s));
    EXPECT_EQ(hst(u"26_12_07.HST"_s), QByteArray("00:00:04; B.WAV; 100%\r\n"));
    EXPECT_TRUE(QFile::exists(folder.path() + u"/HST/26_12_07.XML"_s));
    EXPECT_EQ(pliki.OstatniaGodzina, u"0"_s);

    // One that began before midnight and ended after it belongs to its day.
    EXPECT_TRUE(pliki.DopiszLinie(QDate(2026, 12, 6), u"23:58:30"_s, u"A.WAV"_s, u"100%"_s));
    EXPECT_EQ(hst(u"26_12_06.HST"_s), QByteArray("23:58:30; A.WAV; 100%\r\n"));
    EXPECT_EQ(hst(u"26_12_07.HST"_s), QByteArray("00:00:04; B.WAV; 100%\r\n"));
}

TEST_F(HistoryTest, PlayedCriteriaAndResumePoint) {
    // Defaults: ProcHST 90, THST 5.
    EXPECT_EQ(ProcentOdegrania(1000), 100);
    EXPECT_EQ(ProcentOdegrania(909), 90);
    EXPECT_EQ(ProcentOdegrania(-3), 0);

    auto o = OcenOdegranie(90, 200'000, 0, u"W"_s);
    EXPECT_FALSE(o.Zagrany);  // more than ProcHST is needed
    EXPECT_TRUE(o.Dlugi);
    o = OcenOdegranie(91, 5'999, 0, u"W"_s);
    EXPECT_TRUE(o.Zagrany);
    EXPECT_FALSE(o.Dlugi);  // whole seconds: 5 is not above 5
    EXPECT_TRUE(OcenOdegranie(91, 6'000, 0, u"W"_s).Dlugi);
    EXPECT_FALSE(OcenOdegranie(100, 6'000, 1, u"W"_s).Zagrany);  // started by a GPI decision

    Emisja.ProcHST = 50;
    EXPECT_FALSE(OcenOdegranie(ProcentOdegrania(400), 90'000, 0, u"W"_s).Zagrany);
    EXPECT_EQ(PunktWznowienia(135'000, 90'000), 90'000);
    EXPECT_EQ(PunktWznowienia(501, 90'000), 90'000);
    EXPECT_EQ(PunktWznowienia(500, 224'900), 0);

    Emisja.CzyReklamaJakoBelka = true;
    o = OcenOdegranie(1, 1'000, 0, u"Reklama"_s);
    EXPECT_TRUE(o.Zagrany);
    EXPECT_FALSE(o.Dlugi);

    Emisja.HSTBezKryterium = true;
    o = OcenOdegranie(0, 0, 1, u"W"_s);
    EXPECT_TRUE(o.Zagrany && o.Dlugi);
}

TEST_F(HistoryTest, CategorySwitches) {
    // Defaults: recordings yes, adverts and others no, playlist elements only.
    EXPECT_TRUE(KategoriaDoHistorii(RodzajSND, 3));
    EXPECT_FALSE(KategoriaDoHistorii(RodzajSND, 0));
    EXPECT_FALSE(KategoriaDoHistorii(RodzajREK, 3));
    EXPECT_FALSE(KategoriaDoHistorii(RodzajJNG, 3));

    Emisja.HSTTylkoPLista = false;
    EXPECT_TRUE(KategoriaDoHistorii(RodzajSND, 0));

    Emisja.HSTSNDZapisJest = false;
    EXPECT_FALSE(KategoriaDoHistorii(RodzajSND, 3));
    Emisja.HSTInneZapisJest = true;
    EXPECT_TRUE(KategoriaDoHistorii(RodzajSND, 3));  // falls through to "others"
    EXPECT_TRUE(KategoriaDoHistorii(RodzajJNG, 3));
    Emisja.HSTInneZapisJest = false;
    Emisja.HSTREKZapisJest = true;
    EXPECT_TRUE(KategoriaDoHistorii(RodzajREK, 3));
    EXPECT_FALSE(KategoriaDoHistorii(RodzajPRO, 3));
}

}  // namespace
