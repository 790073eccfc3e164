// The sections "Baza nagran" and "Katalogi": written lines and reader rules.
#include "BazaFixture.h"

#include "foundation/KestDysk2.h"

using namespace Qt::StringLiterals;

namespace {

class NastawyBibliotekiTest : public BazaTest {
protected:
    QString settings(const QString& section, const QStringList& l) {
        const QString p = folder.file(u"TOLVANE.INI"_s);
        QFile::remove(p);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(lines(QStringList{u"["_s + section + u"]"_s} + l));
        return p;
    }
    QStringList written(void (*zapisz)(const QString&)) {
        const QString p = folder.file(u"OUT.INI"_s);
        QFile::remove(p);
        QFile(p).open(QIODevice::WriteOnly);
        zapisz(p);
        QStringList l;
        QFile f(p);
        f.open(QIODevice::ReadOnly);
        for (const QByteArray& b : f.readAll().split('\n'))
            l << platform::fromCp1250(b).remove(u'\r');
        l.removeLast();
        return l;
    }
};

TEST_F(NastawyBibliotekiTest, DatabaseSectionAsWritten) {
    const QStringList l = written(BazaNastawyZapisz);
    ASSERT_GE(l.size(), 4);
    EXPECT_EQ(l[0], QString());
    EXPECT_EQ(l[1], LiniaBanera(u"BAZA NAGRAŃ"_s));
    EXPECT_EQ(l[2], u"[Baza nagran]"_s);
    EXPECT_EQ(l.mid(3, 6), (QStringList{u"; Zbiór bazy nagrań - pełna ścieżka dostępu"_s, u"BazaZbior=D:\\RADIO\\BAZA.BAZ"_s,
                                        u"; Typy szukanych nagrań (format: .***:.***:.***)"_s, u"BazaTypy=.WAV:.MP2:.MP3"_s,
                                        u"; Przeszukiwane dyski (wymienione np. C,D,I,M)"_s, u"BazaDyski=C,D"_s}));
    // One comment above the ten search folders.
    const qsizetype k = l.indexOf(u"; Przeszukiwane katalogi (10 pełnych adresów):"_s);
    ASSERT_GT(k, 0);
    EXPECT_EQ(l[k + 1], u"BAZAKatalogSzukaj1="_s);
    EXPECT_EQ(l[k + 10], u"BAZAKatalogSzukaj10="_s);
    EXPECT_EQ(l[k + 11], u"; Czy kopiowanie z sieci bazy po uruchomieniu programu (0 - nie, 1 - tak) ?"_s);
    EXPECT_TRUE(l.contains(u"BazaLitera=A"_s));
    EXPECT_TRUE(l.contains(u"BazaUtworzJest=1"_s));
    EXPECT_EQ(l.last(), u"BazaPrzeslijZmienNazwe=0"_s);
    // 36 keys with their comments, the ten folders sharing one.
    EXPECT_EQ(l.size(), 3 + 2 * 36 + 9);
}

TEST_F(NastawyBibliotekiTest, DatabaseReaderRules) {
    auto& B = BazaNagran;
    put(u"D:\\BAZY\\MOJA.BAZ"_s, "x");
    BazaNastawyCzytaj(settings(u"Baza nagran"_s,
                               {u"BazaZbior=d:\\bazy\\moja.baz"_s, u"BazaTypy=wav"_s, u"BazaDyski="_s,
                                u"BAZAKatalogSzukaj2=d:\\muzyka"_s, u"BazaEdycjaJest=0"_s, u"BazaFiltr=x"_s,
                                u"BazaSort=7"_s, u"BazaLitera=b"_s, u"BazaPasmo1Poczatek=5"_s, u"BazaPasmo1Koniec=25"_s,
                                u"BazaPasmoDzien1=8"_s, u"BAZAKatalogSiec=PROGRAM"_s}));
    EXPECT_EQ(B.BazaZbior, u"D:\\BAZY\\MOJA.BAZ"_s);
    EXPECT_EQ(B.BazaTypy, u".WAV"_s);
    EXPECT_EQ(B.BazaDyski, u"C"_s);
    EXPECT_EQ(B.BAZAKatalogSzukaj[1], u"D:\\MUZYKA"_s);
    EXPECT_EQ(B.BAZAKatalogSzukaj[0], QString());
    EXPECT_FALSE(B.BazaUtworzJest) << "the older key";
    EXPECT_EQ(B.BazaFiltr, QString());
    EXPECT_EQ(B.BazaSort, 0);
    EXPECT_EQ(B.BazaLitera, 2);
    EXPECT_EQ(B.BazaPasmo1Koniec, 5) << "out of range: the band's start";
    EXPECT_EQ(B.BazaPasmoDzien1, 0);
    EXPECT_EQ(B.BAZAKatalogSiec, KatalogStartowy);
    EXPECT_TRUE(B.BazaAktualizujJest) << "a missing key keeps its value";

    BazaNastawyCzytaj(settings(u"Baza nagran"_s, {u"BazaEdycjaJest=0"_s, u"BazaUtworzJest=1"_s, u"BazaLitera=AB"_s,
                                                  u"BazaTypy=.mp3:.wav"_s}));
    EXPECT_TRUE(B.BazaUtworzJest);
    EXPECT_EQ(B.BazaLitera, 1);
    EXPECT_EQ(B.BazaTypy, u".MP3:.WAV"_s);
}

TEST_F(NastawyBibliotekiTest, FallbacksAreUsedButTheConfiguredValuesWrittenBack) {
    auto& B = BazaNagran;
    BazaNastawyCzytaj(settings(u"Baza nagran"_s, {u"BazaZbior=X:\\NIGDZIE\\BAZA.BAZ"_s,
                                                  u"BAZAKatalogSiec=H:\\SIEC"_s}));
    EXPECT_EQ(B.BazaZbior, u"NIE_MA"_s);
    EXPECT_EQ(B.BAZAKatalogSiec, KatalogStartowy);
    QStringList l = written(BazaNastawyZapisz);
    EXPECT_TRUE(l.contains(u"BazaZbior=X:\\NIGDZIE\\BAZA.BAZ"_s));
    EXPECT_TRUE(l.contains(u"BAZAKatalogSiec=H:\\SIEC"_s));

    // A value changed during the run is what is written.
    B.BAZAKatalogSiec = u"D:\\"_s;
    l = written(BazaNastawyZapisz);
    EXPECT_TRUE(l.contains(u"BAZAKatalogSiec=D:\\"_s));

    // A relative name lives in the program folder.
    QFile(folder.file(u"B.BAZ"_s)).open(QIODevice::WriteOnly);
    BazaNastawyCzytaj(settings(u"Baza nagran"_s, {u"BazaZbior=b.baz"_s}));
    EXPECT_EQ(B.BazaZbior, folder.path() + u"/B.BAZ"_s);

    // An absolute Linux path is kept as it is, and the database stays there.
    const QString linuksowa = folder.file(u"radio/Baza.baz"_s);
    QFile(linuksowa).open(QIODevice::WriteOnly);
    BazaNastawyCzytaj(settings(u"Baza nagran"_s, {u"BazaZbior="_s + linuksowa}));
    EXPECT_EQ(B.BazaZbior, linuksowa);
    EXPECT_EQ(BazaSciezka(), linuksowa);
    EXPECT_EQ(BazaSciezkaLicznikow(), folder.path() + u"/radio/Baza.LIC"_s);
    EXPECT_TRUE(written(BazaNastawyZapisz).contains(u"BazaZbior="_s + linuksowa));
}

TEST_F(NastawyBibliotekiTest, FolderSectionAsWritten) {
    const QStringList l = written(KatalogNastawyZapisz);
    EXPECT_EQ(l[1], LiniaBanera(u"OKIENKO DIALOGOWE KATALOG"_s));
    EXPECT_EQ(l[2], u"[Katalogi]"_s);
    EXPECT_EQ(l[3], u"; Czy widoczne 7 czy 14 przycisków katalogów (0 - 7, 1 - 14)?"_s);
    const qsizetype k = l.indexOf(u"; Katalogi przyciskowe (14 par: nazwa (do 8 liter), pełny adres)"_s);
    ASSERT_GT(k, 0);
    EXPECT_EQ(l[k + 1], u"KatOpis1=PROGRAM"_s);
    EXPECT_EQ(l[k + 2], u"KatAdres1=D:\\"_s) << "the first drive";
    EXPECT_EQ(l[k + 28], u"KatAdres14=D:\\"_s);
    EXPECT_EQ(l[k - 3], u"DyskOstatni=Z"_s);
    EXPECT_EQ(l[k - 1], u"KatSiecStart=H"_s);
    EXPECT_EQ(l.mid(l.size() - 3),
              (QStringList{u"; Czy kopiowanie katalogow sieciowych na dysk lokalny (0 - nie, 1 - tak)?"_s,
                           u"KatalogSiecNaLokalJest=0"_s, u"KatalogSiecNaLokal="_s + KatalogStartowy}));
    EXPECT_TRUE(l.contains(u"; Początkowy tryb wyświetlania (1 - nazwa, 2 - nazwa|ekst|rozmiar|data|godz., 3 - "
                           u"nazwa|ekst|opis|data, 4 - nazwa|ekst|param., 5 - wyk|tytuł)"_s));
}

TEST_F(NastawyBibliotekiTest, FolderReaderRules) {
    auto& K = Katalogi;
    QDir().mkpath(fs(u"D:\\MUZYKA"_s));
    KatalogNastawyCzytaj(settings(u"Katalogi"_s,
                                  {u"DyskOstatni=d"_s, u"KatSiecStart=JK"_s, u"Tryb=9"_s, u"KatalogFiltr=ąb"_s,
                                   u"KatOpis2=Muzyka"_s, u"KatAdres2=d:\\muzyka"_s, u"KatOpis3=Stare"_s,
                                   u"KatAdres3=D:\\NIE_MA_GO"_s}));
    EXPECT_EQ(K.DyskOstatni, u"D"_s);
    EXPECT_EQ(K.KatSiecStart, u"H"_s);
    EXPECT_EQ(K.Tryb, 1);
    EXPECT_EQ(K.KatalogFiltr, u"ĄB"_s);
    EXPECT_EQ(K.KatOpis[1], u"Muzyka"_s);
    EXPECT_EQ(K.KatAdres[1], u"D:\\MUZYKA"_s);
    EXPECT_EQ(K.KatOpis[2], u"PROGRAM"_s);
    EXPECT_EQ(K.KatAdres[2], KatalogStartowy);
    EXPECT_EQ(K.KatalogSiecNaLokal, QString()) << "a missing key gives an empty text";
    const QStringList l = written(KatalogNastawyZapisz);
    EXPECT_TRUE(l.contains(u"KatOpis3=Stare"_s));
    EXPECT_TRUE(l.contains(u"KatAdres3=D:\\NIE_MA_GO"_s));

    KatalogNastawyCzytaj(settings(u"Katalogi"_s, {u"DyskOstatni="_s}));
    EXPECT_EQ(K.DyskOstatni, u"C"_s);
}

TEST_F(NastawyBibliotekiTest, NetworkTwinByDriveLetter) {
    QString s;
    EXPECT_TRUE(SciezkaSieciowa(u"C:\\MUZYKA\\A.WAV"_s, s));
    EXPECT_EQ(s, u"H:\\MUZYKA\\A.WAV"_s);
    EXPECT_TRUE(SciezkaSieciowa(u"d:\\X"_s, s));
    EXPECT_EQ(s, u"I:\\X"_s);
    EXPECT_TRUE(SciezkaSieciowa(u"U:\\X"_s, s));
    EXPECT_EQ(s, u"Z:\\X"_s);
    EXPECT_FALSE(SciezkaSieciowa(u"V:\\X"_s, s)) << "would pass Z";
    EXPECT_TRUE(s.isEmpty());
    EXPECT_FALSE(SciezkaSieciowa(u"/srv/muzyka"_s, s));
    EXPECT_FALSE(SciezkaSieciowa(u"A:\\X"_s, s));
}

}  // namespace
