#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/Fifo.h"
#include "common/TempFolder.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"
#include "platform/Paths.h"

namespace {

struct SettingsFile : ::testing::Test {
    TempProgramFolder home;
    QString ini;
    void SetUp() override {
        ini = home.file(QStringLiteral("TOLVANE.INI"));
        BladIO = 0;
    }
    void put(const char* text) { home.write(QStringLiteral("TOLVANE.INI"), QByteArray(text)); }
};

}  // namespace

TEST_F(SettingsFile, LastMatchAfterTheHeaderWinsEvenAcrossLaterSections) {
    put("[Nastawy programu]\r\nNumer=3\r\nNumer=5\r\n[Inna]\r\nNUMER=7\r\n");
    EXPECT_EQ(CzytajKlucz(ini, QStringLiteral("Nastawy programu"), QStringLiteral("Numer")), QStringLiteral("7"));
    // Lines before the header do not count; the header is matched in Polish upper case.
    put("Numer=1\r\n[NASTAWY PROGRAMU]\r\nnumer = 4  \r\n");
    EXPECT_EQ(CzytajKlucz(ini, QStringLiteral("Nastawy programu"), QStringLiteral("Numer")), QStringLiteral(" 4"));
    // An empty last value wins over an earlier one: the setting keeps its default.
    put("[S]\r\nNumer=4\r\nNumer=\r\n");
    qint32 n = 9;
    CzytajLiczbe(ini, QStringLiteral("S"), QStringLiteral("Numer"), n, 0, 100, 0);
    EXPECT_EQ(n, 9);
    // A header with a trailing blank, a key with a leading blank, comments: not matches.
    put("[S] \r\nNumer=4\r\n[T]\r\n Numer=5\r\n;Numer=6\r\n");
    EXPECT_EQ(CzytajKlucz(ini, QStringLiteral("S"), QStringLiteral("Numer")), QString());
    EXPECT_EQ(CzytajKlucz(ini, QStringLiteral("T"), QStringLiteral("Numer")), QString());
    // Polish letters in keys compare upper-cased; values keep their case.
    home.write(QStringLiteral("TOLVANE.INI"), platform::toCp1250(QStringLiteral("[Sekcja]\r\nżółć=Wartość\r\n")));
    EXPECT_EQ(CzytajKlucz(ini, QStringLiteral("SEKCJA"), QStringLiteral("ŻÓŁĆ")), QStringLiteral("Wartość"));
    // A missing file reads as missing keys.
    EXPECT_EQ(CzytajKlucz(home.path() + QStringLiteral("/nothing.ini"), QStringLiteral("S"), QStringLiteral("K")), QString());
}

TEST_F(SettingsFile, RangesFallbacksAndModulo) {
    put("[S]\r\nA=12\r\nB=abc\r\nC=65541\r\nD=5\r\nE=-13\r\nF=-12\r\nG=4294967297\r\nT1=1\r\nT2=01\r\nT3=0\r\nT4=x\r\nT5=65537\r\nT6=2\r\n");
    const QString s = QStringLiteral("S");
    quint8 b = 7;
    CzytajBajt(ini, s, QStringLiteral("A"), b, 1, 9, 0);
    EXPECT_EQ(b, 0);
    b = 7;
    CzytajBajt(ini, s, QStringLiteral("B"), b, 1, 9, 0);
    EXPECT_EQ(b, 0);
    b = 7;
    CzytajBajt(ini, s, QStringLiteral("C"), b, 1, 9, 0);
    EXPECT_EQ(b, 5);
    b = 7;
    CzytajBajt(ini, s, QStringLiteral("Missing"), b, 1, 9, 0);
    EXPECT_EQ(b, 7);
    qint32 n = 1;
    CzytajLiczbe(ini, s, QStringLiteral("E"), n, -12, 12, 0);
    EXPECT_EQ(n, 0);
    CzytajLiczbe(ini, s, QStringLiteral("F"), n, -12, 12, 0);
    EXPECT_EQ(n, -12);
    CzytajLiczbe(ini, s, QStringLiteral("G"), n, INT32_MIN, INT32_MAX, 3);
    EXPECT_EQ(n, 3);
    CzytajLiczbe(ini, s, QStringLiteral("D"), n, 5, 5, 0);
    EXPECT_EQ(n, 5);
    const std::pair<const char*, bool> flags[] = {{"T1", true}, {"T2", true}, {"T3", false}, {"T4", false}, {"T5", true}, {"T6", false}};
    for (const auto& [key, want] : flags) {
        bool f = !want;
        CzytajBool(ini, s, QString::fromLatin1(key), f);
        EXPECT_EQ(f, want) << key;
    }
    bool keep = true;
    CzytajBool(ini, s, QStringLiteral("Missing"), keep);
    EXPECT_TRUE(keep);
}

TEST_F(SettingsFile, FoldersProgramWordAndMissingFolders) {
    QDir().mkpath(home.path() + QStringLiteral("/logs"));
    KatalogStartowy = home.path();
    const QByteArray text = "[S]\r\nA=program\r\nB=" + home.path().toUtf8() + "/LOGS\r\nC=/no/such/folder\r\nD=" +
                            home.path().toUtf8() + "/logs\r\n";
    home.write(QStringLiteral("TOLVANE.INI"), text);
    QString k = QStringLiteral("old");
    CzytajKatalog(ini, QStringLiteral("S"), QStringLiteral("A"), KatalogStartowy, k);
    EXPECT_EQ(k, KatalogStartowy);
    CzytajKatalog(ini, QStringLiteral("S"), QStringLiteral("C"), KatalogStartowy, k);
    EXPECT_EQ(k, KatalogStartowy);
    // An existing Linux folder is kept as written (a drive-letter folder is
    // upper-cased: it is matched without case).
    CzytajKatalog(ini, QStringLiteral("S"), QStringLiteral("D"), KatalogStartowy, k);
    EXPECT_EQ(k, home.path() + QStringLiteral("/logs"));
    EXPECT_TRUE(JestKatalog(k));
    k = QStringLiteral("old");
    CzytajKatalog(ini, QStringLiteral("S"), QStringLiteral("Missing"), KatalogStartowy, k);
    EXPECT_EQ(k, QStringLiteral("old"));
}

TEST_F(SettingsFile, WritersBannerCommentsAndKeysInCp1250WithCrLf) {
    home.write(QStringLiteral("TOLVANE.INI"), QByteArray());
    PiszSekcje(ini, QString(70, QLatin1Char('T')), QStringLiteral("S"));
    PiszSekcje(ini, QString(75, QLatin1Char('U')), QStringLiteral("Ś"));
    PiszKluczZKomentarzem(ini, QStringLiteral("Wyjście"), QStringLiteral("Kanal1"), QStringLiteral("1"));
    PiszKluczBool(ini, QStringLiteral("c"), QStringLiteral("B"), false);
    DopiszLinie(ini, QStringLiteral("raw"));
    const QByteArray want = "\r\n; ###  " + QByteArray(70, 'T') + "  ##\r\n[S]\r\n" + "\r\n; ###  " + QByteArray(75, 'U') +
                            "  \r\n[\x8C]\r\n; Wyj\x9C" "cie\r\nKanal1=1\r\n; c\r\nB=0\r\nraw\r\n";
    EXPECT_EQ(home.read(QStringLiteral("TOLVANE.INI")), want);
    EXPECT_EQ(LiniaBanera(QStringLiteral("X")).size(), 81);
    EXPECT_EQ(BladIO, 0);
    // A writer that cannot write keeps the first failure for its caller.
    PiszKlucz(home.path() + QStringLiteral("/no/such/dir/x.ini"), QStringLiteral("K"), QStringLiteral("V"));
    EXPECT_NE(BladIO, 0);
}

TEST_F(SettingsFile, SequentialKeySearch) {
    put("WERSJA=2\r\nPOZYCJI=2\r\nTYP=SND\r\nEMPTY=\r\nKONIEC OPISU\r\nTYP=JNG\r\n");
    PlikTekstowy f;
    ASSERT_TRUE(f.Otworz(ini));
    EXPECT_EQ(SzukajKluczaDalej(f, QStringLiteral("TYP")), QStringLiteral("SND"));
    EXPECT_EQ(SzukajKluczaDalej(f, QStringLiteral("EMPTY")), QStringLiteral(" "));
    EXPECT_EQ(SzukajKluczaDalej(f, QStringLiteral("TYP")), QStringLiteral("JNG"));
    EXPECT_EQ(SzukajKluczaDalej(f, QStringLiteral("TYP")), QString());
    EXPECT_FALSE(f.Otworz(home.path() + QStringLiteral("/none.mix")));
    EXPECT_EQ(BladIO, 2);
}

TEST_F(SettingsFile, NameCheckAndCommandLine) {
    put("[Nazwa programu]\r\nNazwa=tolvane\r\n");
    QString name = ini;
    EXPECT_TRUE(SprawdzZbiorKonfig(name, QStringLiteral("Tolvane"), {}));
    EXPECT_EQ(name, ini);
    EXPECT_TRUE(SprawdzZbiorKonfig(name, QStringLiteral("Tolvane"), {QStringLiteral("a.in")}));  // 4 characters: ignored
    EXPECT_EQ(name, ini);
    home.write(QStringLiteral("OTHER.INI"), "[Nazwa]\r\nNazwa programu=Tolvane\r\n");
    const QString other = home.file(QStringLiteral("OTHER.INI"));
    EXPECT_FALSE(SprawdzZbiorKonfig(name, QStringLiteral("Tolvane"), {other}));
    EXPECT_EQ(name, other);
}

TEST(PathHelpers, SplittingAndFileTests) {
    QString k, n, r;
    RozbijSciezke(QStringLiteral("C:\\A\\B.C.WAV"), k, n, r);
    EXPECT_EQ(k + QLatin1Char('|') + n + QLatin1Char('|') + r, QStringLiteral("C:\\A|B.C|.WAV"));
    RozbijSciezke(QStringLiteral("C:\\X.WAV"), k, n, r);
    EXPECT_EQ(k + QLatin1Char('|') + n + QLatin1Char('|') + r, QStringLiteral("C:\\|X|.WAV"));
    RozbijSciezke(QStringLiteral("plik"), k, n, r);
    EXPECT_EQ(k + QLatin1Char('|') + n + QLatin1Char('|') + r, QStringLiteral("|plik|"));
    EXPECT_EQ(NazwaSciezki(QStringLiteral("d:\\m\\żaba.mp3")), QStringLiteral("ŻABA"));
    EXPECT_EQ(ZmienRozszerzenie(QStringLiteral("D:\\M\\A.WAV"), QStringLiteral(".DAT")), QStringLiteral("D:\\M\\A.DAT"));
    EXPECT_EQ(ZmienRozszerzenie(QStringLiteral("D:\\M\\A"), QStringLiteral(".DAT")), QStringLiteral("D:\\M\\A.DAT"));
    EXPECT_EQ(LiteraDysku(QStringLiteral("d:\\m\\a.wav")), QLatin1Char('D'));
    EXPECT_EQ(LiteraDysku(QString()), QLatin1Char('C'));
    EXPECT_EQ(LiteraDysku(QStringLiteral("a.wav")), QLatin1Char('C'));

    TempProgramFolder home;
    home.drive(QLatin1Char('d'));
    home.write(QStringLiteral("drives/d/a.wav"), "1234");
    home.write(QStringLiteral("drives/d/b.wav"), "abcd");
    home.write(QStringLiteral("drives/d/empty.wav"), "");
    EXPECT_TRUE(platform::fileExists(QStringLiteral("D:\\A.WAV")));
    EXPECT_FALSE(platform::fileExists(QStringLiteral("D:\\")));  // a folder is not a file
    EXPECT_FALSE(platform::fileExists(QStringLiteral("  ")));
    EXPECT_TRUE(JestNiepustyZbior(QStringLiteral("D:\\A.WAV")));
    EXPECT_FALSE(JestNiepustyZbior(QStringLiteral("D:\\EMPTY.WAV")));
    EXPECT_EQ(RozmiarZbioru(QStringLiteral("D:\\A.WAV")), 4);
    BladIO = 0;
    EXPECT_EQ(RozmiarZbioru(QStringLiteral("D:\\NONE.WAV")), -1);
    EXPECT_EQ(BladIO, 2);
    EXPECT_TRUE(TeSameRozmiary(QStringLiteral("D:\\A.WAV"), QStringLiteral("D:\\B.WAV")));
    EXPECT_FALSE(TeSameRozmiary(QStringLiteral("D:\\A.WAV"), QStringLiteral("D:\\NONE.WAV")));
    // A FIFO has no size: never opened, so nothing waits for a writer.
    FifoFeeder fifo(home.path() + QStringLiteral("/drives/d/fifo.wav"));
    EXPECT_FALSE(JestNiepustyZbior(QStringLiteral("D:\\FIFO.WAV")));
    EXPECT_EQ(RozmiarZbioru(QStringLiteral("D:\\FIFO.WAV")), -1);
    EXPECT_FALSE(TeSameRozmiary(QStringLiteral("D:\\FIFO.WAV"), QStringLiteral("D:\\EMPTY.WAV")));
    // Read-only is decided by the permission bits, so it holds for root too.
    const QString a = home.path() + QStringLiteral("/drives/d/a.wav");
    EXPECT_FALSE(JestTylkoDoOdczytu(QStringLiteral("D:\\A.WAV")));
    QFile::setPermissions(a, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    EXPECT_TRUE(JestTylkoDoOdczytu(QStringLiteral("D:\\A.WAV")));
    EXPECT_TRUE(JestTylkoDoOdczytu(QStringLiteral("D:\\NONE.WAV")));
    // File dates.
    QFile f(a);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)), QFileDevice::FileModificationTime);
    f.close();
    EXPECT_EQ(DataZbioruTekst(QStringLiteral("D:\\A.WAV")), QStringLiteral("2024.03.05_07:08:09"));
    EXPECT_EQ(DataZbioruTekst(QStringLiteral("D:\\NONE.WAV")), QString());
    EXPECT_TRUE(NowszyZbior(QStringLiteral("D:\\A.WAV"), QStringLiteral("D:\\B.WAV")));
    EXPECT_FALSE(NowszyZbior(QStringLiteral("D:\\B.WAV"), QStringLiteral("D:\\A.WAV")));
    EXPECT_FALSE(NowszyZbior(QStringLiteral("D:\\A.WAV"), QStringLiteral("D:\\NONE.WAV")));
}
