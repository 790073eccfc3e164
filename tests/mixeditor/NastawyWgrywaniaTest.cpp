#include "mixeditor/NastawyWgrywania.h"

#include "playlists/SettingsSectionCheck.h"

using namespace Qt::StringLiterals;

namespace {

const SettingsSection wgrywanie{SekcjaWgrywania(), WgrywanieDomyslne, WgrywanieCzytajINI, WgrywanieZapiszINI};

class NastawyWgrywaniaTest : public SettingsSectionTest {
protected:
    void SetUp() override
    {
        SettingsSectionTest::SetUp();
        WgrywanieDomyslne();
    }
    void read(QStringList lines)
    {
        lines.prepend(u"[Wgrywanie]"_s);
        WgrywanieCzytajINI(settingsFile(lines));
    }
};

TEST_F(NastawyWgrywaniaTest, WrittenDefaultsAreTheStationsBytes)
{
    const QByteArray bytes = written({WgrywanieZapiszINI});
    const QString banner = u"; ###  WGRYWANIE  "_s + QString(81 - 18, QLatin1Char('#'));
    // The first comment keeps its leading blank.
    EXPECT_TRUE(bytes.startsWith("\r\n" + platform::toCp1250(banner) +
                                 "\r\n[Wgrywanie]\r\n;  Pocz\xb9tkowy numer wej\x9c" "cia\r\nWgrajWejcieNr=1\r\n"));

    const QStringList lines = writtenLines({WgrywanieZapiszINI});
    EXPECT_EQ(lines.size(), 3 + 2 * 31);
    EXPECT_EQ(lines[lines.size() - 2],
              u"; Domyślna charakterystyka fadów (0-bez zmian, 1-\"wypukła\", 2-\"wklęsła\""_s);
    EXPECT_EQ(lines.last(), u"WgrajFadeTyp=0"_s);
    for (const QString& l : {u"WgrajProbkowanieHz=44100"_s, u"WgrajNazwaPrzedrostek=DJ_"_s,
                             u"WgrajKatalogSiec2=C:\\TOLVANE"_s, u"WgrajKompresujStrumien=256"_s,
                             u"WgrajDJPoziomdB=0"_s, u"KaczkaPoziomdB=0"_s, u"WgrajZderzaki=1"_s})
        EXPECT_TRUE(lines.contains(l)) << l.toStdString();
}

TEST_F(NastawyWgrywaniaTest, EveryKeyKeepsItsRangeFallbackAndDefault)
{
    checkNumberLimits(wgrywanie);
    checkBooleans(wgrywanie);
    checkFolders(wgrywanie);

    QStringList all{u"[Wgrywanie]"_s};
    for (const OpisKlucza& k : wgrywanie.table.klucze)
        all << k.klucz + u"=2"_s;
    WgrywanieDomyslne();
    const QStringList defaults = values(wgrywanie);
    WgrywanieCzytajINI(settingsFile(all));
    const QStringList changed = values(wgrywanie);
    EXPECT_NE(changed, defaults);
    read({});
    EXPECT_EQ(values(wgrywanie), changed) << "a missing key keeps the value";
}

TEST_F(NastawyWgrywaniaTest, NumbersKeptAsTextAndTheFadeCurve)
{
    read({u"WgrajKompresujStrumien=192"_s, u"WgrajDJPoziomdB=91"_s, u"WgrajFadeTyp=3"_s});
    EXPECT_EQ(Wgrywanie.WgrajKompresujStrumien, u"256"_s);
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, u"0"_s);
    EXPECT_EQ(Wgrywanie.WgrajFadeTyp, 3) << "its key table's range";

    read({u"WgrajKompresujStrumien=128"_s, u"WgrajDJPoziomdB=90"_s, u"WgrajFadeTyp=2"_s});
    EXPECT_EQ(Wgrywanie.WgrajKompresujStrumien, u"128"_s);
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, u"90"_s);
    EXPECT_EQ(Wgrywanie.WgrajFadeTyp, 2);

    read({u"WgrajKompresujStrumien=96"_s, u"WgrajDJPoziomdB=-1"_s});
    EXPECT_EQ(Wgrywanie.WgrajKompresujStrumien, u"256"_s);
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, u"0"_s);

    read({u"WgrajKompresujStrumien=64"_s, u"WgrajDJPoziomdB=12"_s, u"WgrajFadeTyp=4"_s});
    EXPECT_EQ(Wgrywanie.WgrajFadeTyp, 0);
    read({u"WgrajKompresujStrumien="_s, u"WgrajDJPoziomdB="_s});
    EXPECT_EQ(Wgrywanie.WgrajKompresujStrumien, u"64"_s) << "an empty value keeps what stands";
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, u"12"_s);
    read({u"WgrajKompresujStrumien=abc"_s, u"WgrajDJPoziomdB=dwa"_s});
    EXPECT_EQ(Wgrywanie.WgrajKompresujStrumien, u"256"_s);
    EXPECT_EQ(Wgrywanie.WgrajDJPoziomdB, u"0"_s);

    read({u"WgrajNazwaPrzedrostek=AUD_"_s});
    EXPECT_EQ(Wgrywanie.WgrajNazwaPrzedrostek, u"AUD_"_s);
    read({u"WgrajNazwaPrzedrostek="_s});
    EXPECT_EQ(Wgrywanie.WgrajNazwaPrzedrostek, u"DJ_"_s);
}

TEST_F(NastawyWgrywaniaTest, WriteReadWriteGivesIdenticalBytes)
{
    const QByteArray fromDefaults = written({WgrywanieZapiszINI});
    read({});
    WgrywanieDomyslne();
    const QString path = folder_.file(u"R.INI"_s);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(fromDefaults);
    }
    WgrywanieCzytajINI(path);
    EXPECT_EQ(written({WgrywanieZapiszINI}), fromDefaults);

    read({u"WgrajWejcieNr=3"_s, u"WgrajNazwaPrzedrostek=Poranek_"_s, u"WgrajKompresujStrumien=64"_s,
          u"KaczkaPoziomdB=12"_s, u"KaczkaWejscieMS=2000"_s, u"WgrajFadeTyp=1"_s, u"WgrajZderzaki=0"_s});
    const QByteArray changed = written({WgrywanieZapiszINI});
    EXPECT_NE(changed, fromDefaults);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(changed);
    }
    WgrywanieDomyslne();
    WgrywanieCzytajINI(path);
    EXPECT_EQ(written({WgrywanieZapiszINI}), changed);
}

}  // namespace
