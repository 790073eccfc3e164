#include "playlists/NastawyEmisji.h"

#include "foundation/A1761DRIVER.h"
#include "foundation/KestWej.h"
#include "playlists/SettingsSectionCheck.h"

using namespace Qt::StringLiterals;

namespace {

const SettingsSection emisja{SekcjaEmisji(), DomyslneNastawyEmisji, WczytajNastawyEmisji, ZapiszNastawyEmisji};
const SettingsSection satelita{SekcjaSatelity(), DomyslneNastawySatelity, WczytajNastawySatelity,
                               ZapiszNastawySatelity};

class NastawyEmisjiTest : public SettingsSectionTest {
protected:
    void SetUp() override
    {
        SettingsSectionTest::SetUp();
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
    }
    // Reads both sections from a file holding these lines under their headers.
    void readEmisja(QStringList lines)
    {
        lines.prepend(u"[Emisja MIX]"_s);
        WczytajNastawyEmisji(settingsFile(lines));
    }
    void readSatelita(QStringList lines)
    {
        lines.prepend(u"[Satelita]"_s);
        WczytajNastawySatelity(settingsFile(lines));
    }
};

TEST_F(NastawyEmisjiTest, WrittenDefaultsAreTheStationsBytes)
{
    const QByteArray bytes = written({ZapiszNastawyEmisji, ZapiszNastawySatelity});
    const QStringList lines = writtenLines({ZapiszNastawyEmisji, ZapiszNastawySatelity});

    const QString banner = u"; ###  Emisja MIX  "_s + QString(81 - 19, QLatin1Char('#'));
    ASSERT_EQ(banner.size(), 81);
    EXPECT_TRUE(bytes.startsWith("\r\n" + platform::toCp1250(banner) + "\r\n[Emisja MIX]\r\n"
                                 "; Wyj\x9c" "cie pierwszego odtwarzacza\r\nKanal1=1\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n")) << "every line ends with CR LF";

    // 225 keys and the emergency start switch; the keys only read are not written.
    const qsizetype satStart = lines.indexOf(u"[Satelita]"_s);
    ASSERT_GT(satStart, 0);
    EXPECT_EQ(satStart - 2, 3 + 2 * 226);
    EXPECT_EQ(lines[satStart - 4], u"; Automatyczne uruchomienie playlisty awaryjnej AWARIA.MIX po starcie programu (0/1)"_s);
    EXPECT_EQ(lines[satStart - 3], u"AwariaStartJest=0"_s);
    for (const QString& l : lines) {
        EXPECT_FALSE(l.startsWith(u"Poziom0="_s) || l.startsWith(u"StolSterowanie="_s) ||
                     l.startsWith(u"CzyTestPRG="_s)) << l.toStdString();
    }

    EXPECT_EQ(lines[satStart - 1], u"; ###  Synchronizacja - rozszycia  "_s + QString(81 - 35, QLatin1Char('#')));
    EXPECT_EQ(lines.size() - satStart - 1, 2 * 52);
    EXPECT_EQ(lines.last(), u"GPIPlayer2=GPI1,2,0"_s);

    // Lines whose odd spacing, quotes and numbering are easy to lose.
    for (const QString& l : {u"; Czy grac Breaki (0 - nie, 1 - tak) ? "_s,
                             u";  Katalog docelowy kopiowanych zbiorów programu (PROGRAM - katalog programu)"_s,
                             u"; czas marginesu \"Graj o\" w s (od 0 do 999)"_s,
                             u"; Katalog zestawu singli nr3"_s, u"SingleKatAdres3="_s,
                             u"; Czy możliwe kopiowanie zestawu singli nr6"_s, u"SingleCzyKopiowanieZestawu6=0"_s,
                             u"PoziomStop=30"_s, u"SingleDyskiKopiowanie=C"_s, u"UDPBroadcastPort=10000"_s,
                             u"KatHST=C:\\TOLVANE"_s,
                             u"InfoEraElementy=lata < 60;lata 60;lata 70;lata 80;lata 90;lata 2000-5;lata 2006-10;"
                             u"lata > 2010;lata > 2015"_s})
        EXPECT_TRUE(lines.contains(l)) << l.toStdString();
}

TEST_F(NastawyEmisjiTest, EveryKeyKeepsItsRangeFallbackAndDefault)
{
    for (const SettingsSection* s : {&emisja, &satelita}) {
        checkNumberLimits(*s);
        checkBooleans(*s);
        checkFolders(*s);
    }

    // A key missing from the file leaves what the variable holds: first make
    // every value differ from its default, then read a section without keys.
    for (const SettingsSection* s : {&emisja, &satelita}) {
        s->defaults();
        const QStringList defaults = values(*s);
        QStringList lines{u"["_s + s->table.nazwa + u"]"_s};
        for (const OpisKlucza& k : s->table.klucze)
            lines << k.klucz + u"=1"_s;
        s->read(settingsFile(lines));
        const QStringList changed = values(*s);
        EXPECT_NE(changed, defaults);
        s->read(settingsFile({u"[Nastawy programu]"_s, u"Numer=1"_s, u"["_s + s->table.nazwa + u"]"_s}));
        EXPECT_EQ(values(*s), changed);
    }
}

TEST_F(NastawyEmisjiTest, ValuesThatCannotBeUsedGiveTheFallback)
{
    readEmisja({u"InfoZbiorPozycji=20"_s, u"PlaylistaFormat=7"_s, u"RDSPS=X"_s, u"RDSRT=RT2"_s,
                u"RDSRTTeraz=X"_s, u"InfoZbiorNazwa="_s, u"THST=0"_s, u"CzasJCross=5001"_s, u"CzasSCross=-1"_s});
    EXPECT_EQ(Emisja.InfoZbiorPozycji, 5);
    EXPECT_EQ(Emisja.PlaylistaFormat, 1);
    EXPECT_EQ(Emisja.RDSPS, u"PS1"_s);
    EXPECT_EQ(Emisja.RDSRT, u"RT2"_s);
    EXPECT_EQ(Emisja.RDSRTTeraz, u""_s);
    EXPECT_EQ(Emisja.InfoZbiorNazwa, u"INFO"_s);
    EXPECT_EQ(Emisja.THST, 5);
    EXPECT_EQ(Emisja.CzasJCross, 3000);
    EXPECT_EQ(Emisja.CzasSCross, 2000);

    readEmisja({u"PlaylistaFormat=3"_s});
    EXPECT_EQ(Emisja.PlaylistaFormat, 3);

    // Ports take the whole 16-bit range.
    readSatelita({u"UDPBroadcastPort=65535"_s, u"GPI1Port=65536"_s, u"UDPBroadcast2Port=65400"_s});
    EXPECT_EQ(Satelita.UDPBroadcastPort, 65535);
    EXPECT_EQ(Satelita.GPI1Port, 0);
    EXPECT_EQ(Satelita.UDPBroadcast2Port, 65400);
}

TEST_F(NastawyEmisjiTest, MusicLevelUnderItsOldNameYieldsToTheNewOne)
{
    readEmisja({u"Poziom0=-3"_s});
    EXPECT_EQ(Emisja.Poziom0SND, -3);
    readEmisja({u"Poziom0=-3"_s, u"Poziom0SND=-5"_s});
    EXPECT_EQ(Emisja.Poziom0SND, -5);
    readEmisja({u"Poziom0SND=-5"_s, u"Poziom0=-3"_s});
    EXPECT_EQ(Emisja.Poziom0SND, -5);
}

TEST_F(NastawyEmisjiTest, AutoStopLevelIsDecibelsInTheFileAndHundredthsInMemory)
{
    EXPECT_EQ(Emisja.PoziomStop, 3000);
    readEmisja({u"PoziomStop=45"_s});
    EXPECT_EQ(Emisja.PoziomStop, 4500);
    readEmisja({u"PoziomStop=3000"_s});  // a file written by the old program
    EXPECT_EQ(Emisja.PoziomStop, 6000);
    readEmisja({u"PoziomStop=-1"_s});
    EXPECT_EQ(Emisja.PoziomStop, 6000);
    readEmisja({u"PoziomStop=0"_s});
    EXPECT_EQ(Emisja.PoziomStop, 0);
    readEmisja({u"CzasStop=100"_s});
    EXPECT_EQ(Emisja.PoziomStop, 0) << "a missing key keeps the level";
}

TEST_F(NastawyEmisjiTest, TextKeysWithTheirOwnRules)
{
    Emisja.Kanal1Nazwa = u"Karta 1"_s;
    readEmisja({u"Kanal1Nazwa="_s, u"Kanal2Nazwa=Głośniki (USB)"_s, u"SingleDyskiKopiowanie="_s,
                u"SingleKatAdres1=F:\\SINGLE\\RANO"_s, u"SingleKatAdres6=F:\\SINGLE\\NOC"_s,
                u"SingleCzyKopiowanieZestawu6=1"_s, u"StolSterowanie=1"_s, u"CzyTestPRG=1"_s,
                u"AwariaStartJest=1"_s, u"SatPLNazwaFormat=MMDDRRRR"_s});
    EXPECT_EQ(Emisja.Kanal1Nazwa, u""_s) << "an empty name chooses the output by number";
    EXPECT_EQ(Emisja.Kanal2Nazwa, u"Głośniki (USB)"_s);
    EXPECT_EQ(Emisja.SingleDyskiKopiowanie, u"C"_s);
    EXPECT_EQ(Emisja.SingleKatAdres[0], u"F:\\SINGLE\\RANO"_s);
    EXPECT_EQ(Emisja.SingleKatAdres[5], u"F:\\SINGLE\\NOC"_s);
    EXPECT_EQ(Emisja.SingleKatAdres[1], u""_s);
    EXPECT_TRUE(Emisja.SingleCzyKopiowanieZestawu[5]);
    EXPECT_FALSE(Emisja.SingleCzyKopiowanieZestawu[0]);
    EXPECT_TRUE(Emisja.StolSterowanie);
    EXPECT_TRUE(Emisja.CzyTestPRG);
    EXPECT_TRUE(Emisja.AwariaStartJest);

    readEmisja({u"SingleDyskiKopiowanie=F,G"_s});
    EXPECT_EQ(Emisja.SingleDyskiKopiowanie, u"F,G"_s);

    // A pattern too short for its character places is kept as given; an
    // empty address keeps the one in use.
    readSatelita({u"GPIPlayer1=GP"_s, u"GPI1Adres="_s, u"SatPLNazwaFormat=MMDDRRRR"_s});
    EXPECT_EQ(Satelita.GPIPlayer1, u"GP"_s);
    EXPECT_EQ(Satelita.GPIPlayer2, u"GPI1,2,0"_s);
    EXPECT_EQ(Satelita.GPI1Adres, u"127.0.0.1"_s);
    EXPECT_EQ(Satelita.SatPLNazwaFormat, u"MMDDRRRR"_s);
}

TEST_F(NastawyEmisjiTest, TheCardAndTheInputWordFollowEveryReading)
{
    // What the relay card and the input word see is set by the readers, so a
    // second reading (a profile, the settings dialog) is never left behind.
    auto widok = [] {
        return u"%1 %2 %3 %4 %5"_s.arg(OpcjeGPI.Advantech1761Jest).arg(OpcjeGPI.GPI1Jest).arg(OpcjeGPI.GPIPlayer1,
                                                                                              OpcjeGPI.GPIPlayer2).arg(GPIWlaczone);
    };
    EXPECT_EQ(widok(), u"0 0 GPI1,1,0 GPI1,2,0 0"_s);
    readEmisja({u"Advantech1761Jest=1"_s, u"StartStol=1"_s});
    EXPECT_EQ(widok(), u"1 0 GPI1,1,0 GPI1,2,0 1"_s);
    readSatelita({u"GPI1Jest=1"_s, u"GPIPlayer1=GPI2,4,1"_s, u"GPIPlayer2=GPI2,5,1"_s});
    EXPECT_EQ(widok(), u"1 1 GPI2,4,1 GPI2,5,1 1"_s);
    readEmisja({u"Advantech1761Jest=0"_s, u"StartStol=0"_s});
    readSatelita({u"GPI1Jest=0"_s});
    EXPECT_EQ(widok(), u"0 0 GPI2,4,1 GPI2,5,1 0"_s);
    readSatelita({u"GPI1Jest=1"_s});
    DomyslneNastawySatelity();
    EXPECT_EQ(widok(), u"0 0 GPI1,1,0 GPI1,2,0 0"_s);
}

TEST_F(NastawyEmisjiTest, DefaultsClearTheNextDaysAutomaticLoad)
{
    AutoodczytZbior = u"C:\\TOLVANE\\261207.MIX"_s;
    AutoodczytNazwa = u"261207"_s;
    PlaylistaWczytana = true;
    DomyslneNastawyEmisji();
    EXPECT_TRUE(AutoodczytZbior.isEmpty());
    EXPECT_TRUE(AutoodczytNazwa.isEmpty());
    EXPECT_FALSE(PlaylistaWczytana);
}

TEST_F(NastawyEmisjiTest, WriteReadWriteGivesIdenticalBytes)
{
    const std::vector<std::function<void(const QString&)>> both{ZapiszNastawyEmisji, ZapiszNastawySatelity};
    auto readBack = [&](const QByteArray& bytes) {
        const QString path = folder_.file(u"R.INI"_s);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        DomyslneNastawyEmisji();
        DomyslneNastawySatelity();
        WczytajNastawyEmisji(path);
        WczytajNastawySatelity(path);
    };

    const QByteArray fromDefaults = written(both);
    readBack(fromDefaults);
    EXPECT_EQ(written(both), fromDefaults);

    // Values away from the defaults, Polish letters included.
    readEmisja({u"Kanal1=3"_s, u"Kanal3Nazwa=Wyjście ŻÓŁĆ"_s, u"PoziomStop=12"_s, u"CzasCross=4000"_s,
                u"TOfset=-250"_s, u"AutoStop=0"_s, u"AwariaStartJest=1"_s, u"SingleDyskiKopiowanie=F,G"_s,
                u"SingleKatAdres2=F:\\ŚWIĘTA"_s, u"SingleCzyKopiowanieZestawu2=1"_s, u"Poziom0=-7"_s,
                u"StolSterowanie=1"_s});
    readSatelita({u"IdStacji=Radio Ósemka"_s, u"UDPBroadcastPort=65535"_s, u"GPIPlayer1=GPI2,4,1"_s,
                  u"SatRLOfsLiczMS=-10000"_s});
    const QByteArray changed = written(both);
    EXPECT_NE(changed, fromDefaults);
    EXPECT_TRUE(changed.contains("PoziomStop=12\r\n"));
    EXPECT_TRUE(changed.contains("Poziom0SND=-7\r\n"));
    // Desk control read from the file is kept by a save; a key the file did
    // not have stays out.
    EXPECT_TRUE(changed.contains("\r\nStolSterowanie=1\r\n"));
    EXPECT_FALSE(changed.contains("CzyTestPRG="));
    readBack(changed);
    EXPECT_EQ(written(both), changed);
}

}  // namespace
