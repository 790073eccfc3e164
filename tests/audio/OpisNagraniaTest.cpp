// The description record and its .DAT file.
#include <gtest/gtest.h>

#include <QFile>

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "platform/Clock.h"
#include "platform/Cp1250.h"

namespace {

class OpisTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    DialogiSkrypt dialogi;

    QByteArray cp(const QStringList& linie) { return platform::toCp1250(linie.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")); }
    SygnalType sygnal(const QString& rel) {
        SygnalType s;
        PustySygnal(s);
        s.Adres = dir.file(rel);
        return s;
    }
};

TEST_F(OpisTest, WrittenByteForByte) {
    SygnalType s = sygnal(QStringLiteral("Muzyka/utwór.wav"));
    s.Tot = 200000;
    s.NwP = 1500;
    s.Mix = 7500;
    OpisNagraniaTyp o;
    KasujOpis(o);
    o.Tyt = QStringLiteral("Żółty");
    o.Wyk = QStringLiteral("Zespół");
    o.Zak = QStringLiteral("F");
    o.Klu = QStringLiteral("a;b");
    o.SFT = QStringLiteral("Tolvane");
    o.Zaa = QStringLiteral("1");
    o.Tot = QStringLiteral("never written: the item's markers win");
    ZapiszDAT(s, o);
    EXPECT_EQ(BladIO, 0);

    QStringList linie = {QStringLiteral("Lit="), QStringLiteral("ENG="), QStringLiteral("CRD="),
                         QStringLiteral("Tyt=Żółty"), QStringLiteral("Pta="), QStringLiteral("Wyk=Zespół")};
    for (const char* k : {"Sol", "Kom", "Aut", "Pro", "Wyd", "Rok", "Inf", "Kod", "Ktg", "BPM"})
        linie << QLatin1String(k) + QLatin1Char('=');
    linie << QStringLiteral("Zak=F");
    for (const char* k : {"Tmc", "Tmi", "Tmo", "Gen", "Era", "Typ", "Nas", "Nar", "Jak"})
        linie << QLatin1String(k) + QLatin1Char('=');
    linie << QStringLiteral("Klu=a;b");
    for (const char* k : {"Fil", "PTY", "PS1", "PS2", "PS3", "PS4", "PS5", "PS6", "RTT"})
        linie << QLatin1String(k) + QLatin1Char('=');
    linie << QStringLiteral("PLK=UTWÓR") << QStringLiteral("OP1=") << QStringLiteral("OP2=") << QStringLiteral("OP3=")
          << QStringLiteral("Tot=03:20.000") << QStringLiteral("Int=") << QStringLiteral("Out=")
          << QStringLiteral("Mix=00:07.500") << QStringLiteral("Mik=") << QStringLiteral("NwP=00:01.500");
    for (const char* k : {"NwK", "FIn", "FOu", "LpP", "LpK", "FrP", "FrK"}) linie << QLatin1String(k) + QLatin1Char('=');
    linie << QStringLiteral("Zaa=1");
    EXPECT_EQ(dir.read(QStringLiteral("Muzyka/utwór.DAT")), cp(linie));
}

TEST_F(OpisTest, ReadsAnyOrderAndCase) {
    SygnalType s = sygnal(QStringLiteral("a.wav"));
    const QString tytul70 = QString(70, QLatin1Char('t'));
    dir.write(QStringLiteral("a.DAT"),
              cp({QStringLiteral("; komentarz"), QStringLiteral("zaa=1   "), QStringLiteral("KEY=stare"),
                  QStringLiteral("wyk=Zespół  "), QStringLiteral("Mix=00:07.500 C"), QStringLiteral("KLU=nowe"),
                  QStringLiteral("tyt=") + tytul70, QStringLiteral("PLK=INNY"), QStringLiteral("SFT=Inny program"),
                  QStringLiteral("nwp=00:01.000"), QStringLiteral("Rok=1999") + QChar(0), QStringLiteral("bez klucza"),
                  QStringLiteral("Ktg=") + QString(400, QLatin1Char('k'))}));
    OpisNagraniaTyp o;
    KasujOpis(o);
    CzytajDAT(s, o);
    EXPECT_EQ(BladIO, 0);
    EXPECT_EQ(o.Tyt, tytul70.left(64));
    EXPECT_EQ(o.Wyk, QStringLiteral("Zespół"));
    EXPECT_EQ(o.Klu, QStringLiteral("nowe"));  // KEY and KLU are one field; the later line wins
    EXPECT_EQ(o.Mix, QStringLiteral("00:07.500"));
    EXPECT_EQ(o.Zak, QStringLiteral("C"));
    EXPECT_EQ(o.Zaa, QStringLiteral("1"));
    EXPECT_EQ(o.Rok, QStringLiteral("1999"));
    EXPECT_EQ(o.SFT, QStringLiteral("Inny program"));
    EXPECT_EQ(o.Ktg, QString(9, QLatin1Char('k')));
    EXPECT_EQ(s.Mix, 7500);
    EXPECT_EQ(s.NwP, 1000);
    EXPECT_EQ(s.Tot, -1);

    // Written back: the end code has its own line, SFT is not written.
    ZapiszDAT(s, o);
    const QString zapis = platform::fromCp1250(dir.read(QStringLiteral("a.DAT")));
    EXPECT_TRUE(zapis.contains(QStringLiteral("\r\nMix=00:07.500\r\n")));
    EXPECT_TRUE(zapis.contains(QStringLiteral("\r\nZak=C\r\n")));
    EXPECT_FALSE(zapis.contains(QStringLiteral("SFT")));
    EXPECT_TRUE(zapis.contains(QStringLiteral("\r\nPLK=A\r\n")));

    // What the writer wrote reads back the same (SFT lives only in memory).
    OpisNagraniaTyp o2;
    KasujOpis(o2);
    SygnalType s2 = sygnal(QStringLiteral("a.wav"));
    CzytajDAT(s2, o2);
    o.SFT.clear();
    int n = 0;
    const PoleOpisu* pola = PolaOpisu(n);
    for (int i = 0; i < n; ++i) {
        const PoleOpisu& p = pola[i];
        EXPECT_EQ(o2.*p.Pole, o.*p.Pole) << p.Klucz;
    }
    EXPECT_EQ(s2.Mix, 7500);

    // The item's title is cut to its own width.
    dir.write(QStringLiteral("a.wav"), fixtures::wavFile(44100, 2, 16, QByteArray(400, '\0')));
    SygnalType s3 = sygnal(QStringLiteral("a.wav"));
    OtworzSygnal(s3, true);
    EXPECT_EQ(s3.Tytul, tytul70.left(62));
    EXPECT_EQ(OpisNagrania.Tyt, tytul70.left(64));
}

TEST_F(OpisTest, MixInWholeSeconds) {
    SygnalType s = sygnal(QStringLiteral("m.wav"));
    OpisNagraniaTyp o;
    for (auto [tekst, ms] : {std::pair{"7", 7000}, {"12", 12000}, {"", -1}, {"00:05.000 F", 5000}}) {
        dir.write(QStringLiteral("m.DAT"), QByteArray("Mix=") + tekst + "\r\n");
        KasujOpis(o);
        CzytajDAT(s, o);
        EXPECT_EQ(s.Mix, ms) << tekst;
    }
    EXPECT_EQ(o.Zak, QStringLiteral("F"));
}

TEST_F(OpisTest, FoundBesideItsFileWhateverTheCase) {
    const QString d = dir.drive(QLatin1Char('D'));
    dir.write(QStringLiteral("drives/d/Muzyka/Piosenka.wav"), fixtures::wavFile(44100, 2, 16, QByteArray(400, '\0')));
    dir.write(QStringLiteral("drives/d/Muzyka/piosenka.dat"), "Tyt=Znaleziony\r\n");
    SygnalType s;
    PustySygnal(s);
    s.Adres = QStringLiteral("D:\\MUZYKA\\PIOSENKA.WAV");
    OtworzSygnal(s, true);
    EXPECT_EQ(s.Tytul, QStringLiteral("Znaleziony"));

    // Saving replaces that same file rather than adding a second one.
    OpisNagrania.Tyt = QStringLiteral("Nowy");
    ZapiszDAT(s, OpisNagrania);
    EXPECT_EQ(BladIO, 0);
    EXPECT_FALSE(QFile::exists(d + QStringLiteral("/Muzyka/PIOSENKA.DAT")));
    EXPECT_TRUE(dir.read(QStringLiteral("drives/d/Muzyka/piosenka.dat")).contains("Tyt=Nowy\r\n"));
}

TEST_F(OpisTest, NewDescriptionAndWriteFailure) {
    platform::ManualClock zegar(QDate(2026, 3, 5));
    platform::ScopedClock z(&zegar);
    Nastawy.Id = QStringLiteral("operator-o-bardzo-dlugim-imieniu");
    OpisNagraniaTyp o;
    o.Pta = QStringLiteral("stara płyta");
    NowyOpis(o);
    EXPECT_EQ(o.Tyt, QStringLiteral("Bez opisu"));
    EXPECT_EQ(o.CRD, QStringLiteral("2026-03-05"));
    EXPECT_EQ(o.ENG, Nastawy.Id.left(20));
    EXPECT_EQ(o.SFT, NazwaProgramu.left(20));
    EXPECT_EQ(o.Pta, QString());

    SygnalType s = sygnal(QStringLiteral("a.wav"));
    s.Adres = dir.path() + QStringLiteral("/nie ma/a.wav");
    ZapiszDAT(s, o);
    EXPECT_EQ(BladIO, 3);
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(dialogi.Zapisy()[0].teksty.value(0), QStringLiteral("Nie odnaleziono scieżki"));
}

}  // namespace
