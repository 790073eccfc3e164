// Scheduler playlists read by the engine's read worker: both formats, file
// resolution through the database and the music folders, and damaged files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <future>

#include "common/Fuzz.h"
#include "console/engine/OdczytPlaylisty.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/TrybyRig.h"
#include "foundation/Dialogi.h"
#include "foundation/KestDysk2.h"
#include "library/DBaza.h"
#include "library/DKatalogNastawy.h"
#include "mixeditor/NastawyWgrywania.h"

using namespace Qt::StringLiterals;

namespace {

struct OdczytTest : ::testing::Test, TrybyRig {
    OdczytTest() {
        KatalogNastawyDomyslne();
        Wgrywanie = NastawyWgrywania{};
        BazaCzyscWszystko();
        BazaWczytana = true;  // nothing to read unless a test says so
        Emisja.PlaylistaFormat = 1;
    }
    ~OdczytTest() override {
        BazaCzyscWszystko();
        KatalogNastawyDomyslne();
        Wgrywanie = NastawyWgrywania{};
    }
    // A scheduler file in the program folder; its stored path.
    QString lista(const QString& nazwa, const QStringList& linie) {
        const QString p = folder.file(nazwa);
        EXPECT_TRUE(platform::writeTextFileAtomic(p, linie));
        return p;
    }
    void czytaj(const QString& plik) {
        CzyscPlayliste(*silnik);
        CzytajPrzezWatek(*silnik, plik);
    }
    // An empty file at a path on drive `litera`; its stored form.
    QString plikNaDysku(QChar litera, const QString& sciezka) {
        const QString fs = folder.drive(litera) + u"/"_s + QString(sciezka).replace(u'\\', u'/');
        QDir().mkpath(QFileInfo(fs).absolutePath());
        QFile f(fs);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        return QString(litera.toUpper()) + u":\\"_s + sciezka;
    }
};

QStringList element1(const QString& typ, const QString& czas, const QStringList& reszta) {
    return QStringList{u"TYP="_s + typ, u"TEMISJA="_s + czas} + reszta;
}

}  // namespace

TEST_F(OdczytTest, Format1ElementsByTheirCodes) {
    Emisja.CzyNazwaLSTZPozycji = true;
    Emisja.CzyPorownanie8Znakow = true;
    Emisja.PlaylistaFormat = 3;
    Wgrywanie.KaczkaPoziomdB = 12;
    Wgrywanie.KaczkaWejscieMS = 500;
    Wgrywanie.KaczkaWyjscieMS = 800;
    QStringList l{u"WERSJA=1"_s, u"POZYCJI=9"_s};
    l << element1(u"SND"_s, u"12:30:00"_s,
                  {u"TTRWA=03:20.000"_s, u"ID=A123"_s, u"TYTUL=Song"_s, u"ARTYSTA=Band"_s, u"ADRES=c:\\muz\\a123 .mp3"_s});
    l << element1(u"REK_15"_s, u"08:00:00"_s, {u"TTRWA=01:00.000"_s, u"INFO=blok"_s});
    l << element1(u"REK"_s, u"14:00:00"_s, {u"TTRWA=00:30.000"_s, u"INFO=blok"_s});
    l << element1(u"SND"_s, u"--:--:--"_s,
                  {u"TTRWA=00:10.000"_s, u"ID=X"_s, u"TYTUL=$Reklama o 09:45"_s, u"ARTYSTA="_s, u"ADRES="_s});
    l << element1(u"SND"_s, u"09:00:00"_s, {u"TTRWA=00:10.000"_s, u"ID=X"_s, u"TYTUL=#Przerwa"_s, u"ARTYSTA="_s, u"ADRES="_s});
    l << element1(u"BRK"_s, u"10:00:00"_s, {u"TTRWA=00:10.000"_s, u"INFO=Promos 15"_s});
    l << element1(u"DJ_"_s, u"11:00:00"_s, {u"TTRWA=00:10.000"_s, u"ID=D1"_s, u"TYTUL=Zapowied"_s + platform::fromCp1250(QByteArray("\xBE")), u"ADRES=d:\\dj\\d1.wav"_s});
    l << element1(u"XYZ"_s, u"11:00:00"_s, {u"INFO=nieznany"_s});
    l << element1(u"PRO_30"_s, u"11:00:00"_s, {u"TTRWA=00:10.000"_s, u"INFO=p"_s});
    const QString plik = lista(u"PONIEDZIALEK.SEL"_s, l);
    czytaj(plik);
    EXPECT_EQ(BladIO, 0);
    ASSERT_EQ(StanPlaylisty.Ilosc, 8);
    EXPECT_EQ(Emisja.PlaylistaFormat, 3);  // the read's own format is gone

    const TElemPListy& s = Playlista[1];
    EXPECT_EQ(s.Typ, RodzajSND);
    EXPECT_EQ(s.Emi, 45'000'000);
    EXPECT_EQ(s.Sel, u"12:30:00"_s);
    EXPECT_EQ(s.Trw, 200'000);
    EXPECT_EQ(s.Ide, u"A123"_s);
    EXPECT_EQ(s.MID, u"A123"_s);
    EXPECT_EQ(s.Tyt, u"Song"_s);
    EXPECT_EQ(s.Wyk, u"Band"_s);
    EXPECT_EQ(s.Adr, u"C:\\MUZ\\A123.MP3"_s);

    const struct {
        int i;
        quint8 typ;
        const char16_t* tyt;
        qint32 emi;
    } oczekiwane[] = {
        {2, RodzajREK, u"Reklama o 08:15@PONIEDZI", 8 * 3'600'000},
        {3, RodzajREK, u"Reklama o 14:00", 14 * 3'600'000},
        {4, RodzajREK, u"Reklama o 09:45", -1},
        {5, RodzajBRK, u"#Przerwa", 9 * 3'600'000},
        {6, RodzajPRO, u"Promos o 10:15", 10 * 3'600'000},
        {7, RodzajDJ_, u"Zapowied\u017C", 11 * 3'600'000},  // code page 852 -> Windows-1250
        {8, RodzajPRO, u"Promos o 11:30@PONIEDZI", 11 * 3'600'000},
    };
    for (const auto& o : oczekiwane) {
        SCOPED_TRACE(o.i);
        EXPECT_EQ(Playlista[o.i].Typ, o.typ);
        EXPECT_EQ(Playlista[o.i].Tyt, QString::fromUtf16(o.tyt));
        EXPECT_EQ(Playlista[o.i].Emi, o.emi);
    }
    EXPECT_EQ(Playlista[7].Kac, -1200);
    EXPECT_EQ(Playlista[7].KFI, 500);
    EXPECT_EQ(Playlista[7].KFO, 9200);
    EXPECT_EQ(Playlista[7].Adr, u"D:\\DJ\\D1.WAV"_s);
    EXPECT_TRUE(wLogu(u"pozycja \"XYZ\" pominięta"_s));
}

TEST_F(OdczytTest, ALoneEmptyTypeKeyStillMeansFormat1) {
    czytaj(lista(u"A.SEL"_s, {u"TYP="_s, u"TEMISJA=06:00:00"_s, u"TTRWA=00:05.000"_s, u"ID=Q"_s, u"TYTUL=T"_s,
                              u"ARTYSTA=W"_s, u"ADRES=d:\\q.mp3"_s}));
    ASSERT_EQ(StanPlaylisty.Ilosc, 1);
    EXPECT_EQ(Playlista[1].Typ, RodzajSND);
    EXPECT_EQ(Playlista[1].Emi, 6 * 3'600'000);
}

TEST_F(OdczytTest, Format2TriesTheExtensionsInOrder) {
    const struct {
        QStringList pliki;
        QString adr;
    } przypadki[] = {
        {{}, {}},
        {{u"MUZ\\AB_12.WAV"_s}, u"C:\\MUZ\\AB_12.WAV"_s},
        {{u"MUZ\\AB_12.WAV"_s, u"MUZ\\AB_12.01"_s}, u"C:\\MUZ\\AB_12.01"_s},
        {{u"MUZ\\AB_12.WAV"_s, u"MUZ\\AB_12.MP2"_s}, u"C:\\MUZ\\AB_12.MP2"_s},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.adr.toStdString());
        QDir(folder.drive(u'c')).removeRecursively();
        for (const QString& f : p.pliki) plikNaDysku(u'c', f);
        czytaj(lista(u"B.TXT"_s, {u"ME=SND"_s, u"AH=07:00:00"_s, u"RT=03:00.000"_s, u"I3=15"_s, u"TI=Tytu\u0142"_s,
                                  u"AR=Wyk"_s, u"ID=C:\\MUZ\\AB-12"_s, u"ME=INF"_s, u"AH=--:--:--"_s, u"RX=uwaga"_s,
                                  u"ME=REK"_s, u"AH=08:00:00"_s, u"RT=00:30.000"_s, u"TI=Blok"_s, u"BL=15:00"_s, u"ID=X"_s}));
        ASSERT_EQ(StanPlaylisty.Ilosc, 3);
        EXPECT_EQ(Playlista[1].Adr, p.adr);
        EXPECT_EQ(Playlista[1].Int, 15'000);
        EXPECT_EQ(Playlista[1].Trw, 180'000);
        EXPECT_EQ(Playlista[2].Typ, RodzajINF);
        EXPECT_EQ(Playlista[2].Emi, -1);
        // The block's time completes the hour; a short ID leaves only the place.
        EXPECT_EQ(Playlista[3].Kom, u"08:15:00"_s);
        EXPECT_EQ(Playlista[3].Emi, 8 * 3'600'000 + 15 * 60'000);
        EXPECT_EQ(Playlista[3].Tyt, u"Miejsce na REKLAME"_s);
    }
}

TEST_F(OdczytTest, IdentifiersResolveThroughTheDatabaseAndMapTheDrive) {
    Emisja.CzySzukacNagran = true;
    Emisja.CzySzukacWBazie = true;
    Emisja.KatMuzyka1 = plikNaDysku(u'd', u"MUZ\\placeholder"_s).chopped(12);
    plikNaDysku(u'd', u"MUZ\\B7.MP3"_s);  // in a folder: not looked at with the database on
    Katalogi.KatSiecStart = u"H"_s;
    for (const char16_t* adr : {u"H:\\MUZ\\A123.MP3", u"D:\\INNE\\C5.MP3"}) {
        BAZARekordTyp r;
        r.Adr = QString::fromUtf16(adr);
        BazaRekordy.Dodaj(r);
    }
    QStringList l;
    for (const char16_t* id : {u"A123", u"C5", u"B7"})
        l << element1(u"SND"_s, u"10:00:00"_s,
                      {u"TTRWA=00:05.000"_s, u"ID="_s + QString::fromUtf16(id), u"TYTUL=t"_s, u"ARTYSTA=w"_s, u"ADRES="_s});
    czytaj(lista(u"C.SEL"_s, l));
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(Playlista[1].Adr, u"C:\\MUZ\\A123.MP3"_s);
    EXPECT_EQ(Playlista[2].Adr, u"D:\\INNE\\C5.MP3"_s);  // a local letter stays
    // Not in the database: the identifier's letter names the folder.
    EXPECT_EQ(Playlista[3].Adr, Emisja.KatKopiaProgram + u"\\B7.MP3"_s);
}

TEST(MapowanieSciezki, OnlyNetworkLettersMove) {
    KatalogNastawyDomyslne();
    Katalogi.KatSiecStart = u"H"_s;
    const struct {
        const char16_t* z;
        const char16_t* na;
        bool lokalnie;
    } przypadki[] = {
        {u"H:\\MUZ\\A.MP3", u"C:\\MUZ\\A.MP3", false},   {u"j:\\X\\B.MP3", u"E:\\X\\B.MP3", false},
        {u"D:\\MUZ\\A.MP3", u"D:\\MUZ\\A.MP3", false},   {u"\\\\SERWER\\MUZ\\A.MP3", u"\\\\SERWER\\MUZ\\A.MP3", false},
        {u"MUZ\\A.MP3", u"MUZ\\A.MP3", false},           {u"H:\\MUZ\\A.MP3", u"/kopia\\H\\MUZ\\A.MP3", true},
        {u"C:\\MUZ\\A.MP3", u"C:\\MUZ\\A.MP3", true},
    };
    for (const auto& p : przypadki) {
        Katalogi.KatalogSiecNaLokalJest = p.lokalnie;
        Katalogi.KatalogSiecNaLokal = u"/kopia"_s;
        EXPECT_EQ(MapujSciezkeSieciowa(QString::fromUtf16(p.z)), QString::fromUtf16(p.na));
    }
    KatalogNastawyDomyslne();
}

TEST_F(OdczytTest, FolderWalkKeepsTheLaterDirectFindAndSurvivesALinkLoop) {
    Emisja.CzySzukacNagran = true;
    Emisja.CzySzukacWPodkatalogach = true;
    Emisja.CzySzukacNadacKod = true;
    plikNaDysku(u'd', u"MUZ\\A\\DEEP\\S1.MP3"_s);
    plikNaDysku(u'd', u"MUZ\\A\\DEEP\\S2.MP3"_s);
    plikNaDysku(u'd', u"MUZ\\B\\S1.mp3"_s);
    plikNaDysku(u'd', u"JNG\\J\\S3.WAV"_s);
    // A link back to the top would walk for ever.
    QFile::link(folder.drive(u'd') + u"/MUZ"_s, folder.drive(u'd') + u"/MUZ/A/PETLA"_s);
    Emisja.KatMuzyka1 = u"D:\\MUZ"_s;
    Emisja.KatJingle = u"D:\\JNG"_s;
    const QString katalog = QDir::currentPath();
    QStringList l;
    for (const char16_t* id : {u"S1", u"S2", u"S3", u"S9"})
        l << element1(u"SND"_s, u"10:00:00"_s,
                      {u"TTRWA=00:05.000"_s, u"ID="_s + QString::fromUtf16(id), u"TYTUL=t"_s, u"ARTYSTA=w"_s, u"ADRES="_s});
    czytaj(lista(u"D.SEL"_s, l));
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[1].Adr, u"D:\\MUZ\\B\\S1.mp3"_s);  // found in A\DEEP first, replaced by B
    EXPECT_EQ(Playlista[2].Adr, u"D:\\MUZ\\A\\DEEP\\S2.MP3"_s);
    EXPECT_EQ(Playlista[3].Adr, u"D:\\JNG\\J\\S3.WAV"_s);
    EXPECT_EQ(Playlista[3].Typ, RodzajJNG);
    EXPECT_EQ(Playlista[4].Adr, Emisja.KatKopiaProgram + u"\\S9.MP3"_s);
    EXPECT_EQ(QDir::currentPath(), katalog);

    // The operator stops the search (a double click on the status field,
    // which the display's refresh hands the worker before it reaches the
    // walk): nothing more is looked for in the folders.
    std::promise<void> czeka;
    auto zaczeta = czeka.get_future();
    silnik->Odczyt.Zlec([&zaczeta] { zaczeta.wait(); }, {});
    CzyscPlayliste(*silnik);
    CzytajWTle(*silnik, folder.file(u"D.SEL"_s), 0,
               [this](OdczytanaLista& r) { ListaNaBoku(*silnik, r, false).Zatwierdz(); });
    StanPrzerwij = true;
    OdczytNaWyswietlaczu(*silnik);
    czeka.set_value();
    silnik->Odczyt.Oproznij();
    StanPrzerwij = false;
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(Playlista[i].Adr, Emisja.KatKopiaProgram + u"\\S%1.MP3"_s.arg(i));
}

TEST_F(OdczytTest, DamagedFilesLoadWhatIsValid) {
    const QStringList dobry = element1(u"SND"_s, u"10:00:00"_s,
                                       {u"TTRWA=00:05.000"_s, u"ID=A"_s, u"TYTUL=t"_s, u"ARTYSTA=w"_s, u"ADRES=d:\\a.mp3"_s});
    // The second element lacks its title: it is skipped, the third is read.
    QStringList l = dobry;
    l << element1(u"SND"_s, u"10:05:00"_s, {u"TTRWA=00:05.000"_s, u"ID=B"_s, u"ARTYSTA=w"_s, u"ADRES=d:\\b.mp3"_s});
    l << element1(u"SND"_s, u"xx:yy"_s, {u"TTRWA=zz"_s, u"ID=C"_s, u"TYTUL=t"_s, u"ARTYSTA=w"_s, u"ADRES=d:\\c.mp3"_s});
    czytaj(lista(u"E.SEL"_s, l));
    ASSERT_EQ(StanPlaylisty.Ilosc, 2);
    EXPECT_EQ(Playlista[1].Ide, u"A"_s);
    EXPECT_EQ(Playlista[2].Ide, u"C"_s);
    EXPECT_EQ(Playlista[2].Emi, -1);  // garbage times are no times
    EXPECT_EQ(Playlista[2].Trw, 0);
    EXPECT_TRUE(wLogu(u"pozycja \"SND\" pominięta (brak klucza TYTUL)"_s));

    // Binary junk is no playlist, and nothing breaks.
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk += char((i * 131 + 7) & 0xFF);
    folder.write(u"F.SEL"_s, junk);
    czytaj(folder.file(u"F.SEL"_s));
    EXPECT_GE(StanPlaylisty.Ilosc, 0);
}

TEST_F(OdczytTest, ReadingStopsAtTheLimit) {
    QStringList l;
    for (int i = 0; i <= MaksPlaylisty; ++i)
        l << u"TYP=INF"_s << u"TEMISJA=10:00:00"_s << u"INFO=i"_s + QString::number(i);
    czytaj(lista(u"G.SEL"_s, l));
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    EXPECT_EQ(Playlista[MaksPlaylisty].Tyt, u"i9999"_s);
    const auto info = dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty, (QStringList{u"Brak pamięci na wczytanie całej listy !"_s, u"(Maksymalnie 10000 pozycji)"_s}));
}

TEST_F(OdczytTest, SeededDamageNeverBreaksTheReader) {
    QStringList l1{u"WERSJA=1"_s, u"POZYCJI=3"_s};
    l1 << element1(u"SND"_s, u"10:00:00"_s,
                   {u"TTRWA=00:05.000"_s, u"TINTRO=00:07"_s, u"TMIX=05"_s, u"KONIEC=N"_s, u"ID=A"_s, u"TYTUL=t"_s,
                    u"ARTYSTA=w"_s, u"ADRES=d:\\a.mp3"_s})
       << element1(u"REK"_s, u"11:00:00"_s, {u"TTRWA=00:30.000"_s, u"ID=R"_s, u"TYTUL=r"_s, u"ADRES=d:\\r.mp3"_s})
       << element1(u"BRK"_s, u"12:00:00"_s, {u"TTRWA=00:10.000"_s, u"INFO=Reklama"_s});
    const QStringList l2{u"ME=REK"_s, u"AH=08:00:00"_s, u"RT=00:30.000"_s, u"TI=t"_s, u"BL=15"_s, u"ID=C:\\R-1"_s,
                         u"ME=SND"_s, u"AH=08:01:00"_s, u"RT=03:00.000"_s, u"I3=5"_s, u"TI=t"_s, u"AR=a"_s, u"ID=X.MP3"_s};
    auto bajty = [](const QStringList& l) { return platform::toCp1250(l.join(u"\r\n"_s)); };
    Emisja.CzyOpisyZListy = true;
    const QString plik = folder.file(u"FUZZ.SEL"_s);
    const fuzz::Wynik w = fuzz::run("scheduler playlist", plik, {bajty(l1), bajty(l2)}, [&] {
        StanPlaylisty.Ilosc = 0;
        CzytajPrzezWatek(*silnik, plik);
        ASSERT_GE(StanPlaylisty.Ilosc, 0);
        ASSERT_LE(StanPlaylisty.Ilosc, MaksPlaylisty);
        for (int i = 1; i <= StanPlaylisty.Ilosc; ++i) ASSERT_NE(RodzajElemPListy(Playlista[i].Typ), 0);
    }, 2000);
    EXPECT_GT(w.inputs, 0);
}
