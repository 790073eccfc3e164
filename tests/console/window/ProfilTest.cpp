// Operator profiles through the real main window offscreen: "Czyt." and
// "Zap." clicked, the folder browser answered with keys, the name and the
// questions scripted, the file checked byte by byte.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestDysk2.h"
#include "foundation/KestSter2.h"
#include "library/DKatalog.h"
#include "library/OknoTestPomoc.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playlists/NastawyEmisji.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class Profiles : public StanowiskoOkna {
public:
    void SetUp() override {
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"CzyHST=0"_s});
        okno->dyspozytor().UstawPanelDolny(PanelSingle);
    }
    void TearDown() override {
        okno.reset();
        Emisja.CzyDomyslneCzasySEL = false;
    }
    void klik(int indeks) {
        const BUTTONType& b = okno->Przyciski().Pasek[size_t(indeks)];
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2));
    }
    // A profile read from a file picked without the browser.
    void czytaj(const QString& plik) {
        okno->Profil().WybierzProfil = [plik] { return plik; };
        klik(PCzytajProfil);
    }
    bool autoStopNaObrazie() {
        const BUTTONType& b = okno->Przyciski().Pasek[size_t(PAutoStop)];
        return okno->KolorPiksela(b.Rect.Left + 3, b.Rect.Top + 3) == KolorCzerwony;
    }
    QString plikProfilu(const QString& nazwa) { return joinPath(KatalogStartowy, nazwa + u".PRO"_s); }
    QByteArray bajty(const QString& plik) {
        QFile f(platform::resolvePath(plik));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    SilnikEmisji& silnik() { return okno->Silnik(); }
    ScianaSingli& sc() { return okno->Sciana(); }
};

QString flaga(bool f) { return f ? u"1"_s : u"0"_s; }

TEST_F(Profiles, ASavedProfileIsByteExactAndReadsBackWhole) {
    BEZ_TSAN();
    folder.write(u"DZWONEK.WAV"_s, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 1500)));
    const QString dzwonek = folder.file(u"DZWONEK.WAV"_s);
    silnik().AutostopJest = true;
    sc().SingleNazwa[1] = u"POP"_s;
    sc().SingleZestawFlaga[3] = true;
    sc().SingleKolejnoPaleta[5] = true;
    sc().Single[2][3] = {u"Żółta łąka"_s, dzwonek, 0, 0};
    sc().Single[6][12] = {u"Brak"_s, folder.file(u"BRAK.WAV"_s), 0, 0};

    dialogi.OdpowiedzTekst(u"RANO"_s);
    klik(PZapiszProfil);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).last().teksty, QStringList({u"Nazwę zbioru profilu"_s, u"BezNazwy"_s}));

    QStringList oczekiwane{u""_s, u"; ###  KONFIGURACJA PROGRAMU  "_s + QString(51, u'#'), u"[PROGRAM]"_s,
                           u"AutostopJest=1"_s, u""_s, u"; ###  KONFIGURACJA SINGLI  "_s + QString(53, u'#'),
                           u"[SINGLE]"_s, u"SingleAutostopJest=0"_s, u"SingleKaczkaJest=0"_s};
    for (int p = 1; p <= 6; ++p) {
        const QString z = u"Zestaw"_s + QString::number(p);
        oczekiwane << u"; Zestaw singli nr "_s + QString::number(p) << z + u"Tytul="_s + sc().SingleNazwa[size_t(p)]
                   << z + u"Zapytaj="_s + flaga(p == 3) << z + u"Kolejno="_s + flaga(p == 5);
        for (int s = 1; s <= 12; ++s) oczekiwane << z + u"SingielTytul%1="_s.arg(s) + sc().Single[size_t(p)][size_t(s)].Tyt;
        for (int s = 1; s <= 12; ++s) oczekiwane << z + u"SingielAdres%1="_s.arg(s) + sc().Single[size_t(p)][size_t(s)].Adr;
    }
    oczekiwane << u"CzyDomyslneCzasySEL=0"_s;
    ASSERT_EQ(oczekiwane.size(), 178);
    EXPECT_EQ(oczekiwane[12], u"Zestaw1Kolejno=0"_s);
    const QByteArray plik = bajty(plikProfilu(u"RANO"_s));
    QStringEncoder cp1250("windows-1250");
    EXPECT_EQ(plik, QByteArray(cp1250.encode(oczekiwane.join(u"\r\n"_s) + u"\r\n"_s)));
    EXPECT_TRUE(plik.contains("\xAF\xF3\xB3ta \xB3\xB9ka"));  // Windows-1250
    EXPECT_EQ(okno->Profil().Nazwa, u"RANO"_s);

    // The same name again asks before the old file goes.
    dialogi.OdpowiedzTekst(u"RANO"_s);
    dialogi.Odpowiedz(OdpowiedzTak);
    klik(PZapiszProfil);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty,
              QStringList({u"Zbiór o tej nazwie już istnieje!"_s, u"Czy go skasować?"_s}));
    EXPECT_EQ(dialogi.Pozostalo(), 0);

    // Into a fresh state through the folder browser.
    const auto zapisane = sc().Single;
    const auto nazwy = sc().SingleNazwa;
    sc().Start();
    silnik().AutostopJest = false;
    okno->PodswietlTryby();
    okno->RysujOkno();
    ASSERT_FALSE(autoStopNaObrazie());
    WModalnym<TKatalog>([&] { klik(PCzytajProfil); }, [](TKatalog& o) {
        EXPECT_EQ(o.windowTitle(), u"Profile"_s);
        QTest::keyClick(&o, Qt::Key_R);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_EQ(platform::resolvePath(okno->Profil().Sciezka), platform::resolvePath(plikProfilu(u"RANO"_s)));
    EXPECT_TRUE(silnik().AutostopJest);
    EXPECT_TRUE(autoStopNaObrazie());
    EXPECT_EQ(sc().SingleNazwa, nazwy);
    for (int p = 1; p <= 6; ++p) {
        EXPECT_EQ(sc().SingleZestawFlaga[size_t(p)], p == 3);
        EXPECT_EQ(sc().SingleKolejnoPaleta[size_t(p)], p == 5);
        for (int s = 1; s <= 12; ++s) {
            const TSingiel& g = sc().Single[size_t(p)][size_t(s)];
            EXPECT_EQ(g.Tyt, zapisane[size_t(p)][size_t(s)].Tyt) << p << '/' << s;
            EXPECT_EQ(g.Adr, zapisane[size_t(p)][size_t(s)].Adr) << p << '/' << s;
            EXPECT_EQ(g.Trw, g.Adr == dzwonek ? 1500 : 0) << p << '/' << s;
        }
    }
    QStringList postep;
    for (const ZapisDialogu& z : dialogi.Zapisy(RodzajDialogu::Stan)) postep << z.teksty.value(0);
    EXPECT_EQ(postep, QStringList({u"Zapis profilu"_s, u"Zapis profilu"_s, u"Odczyt profilu użytkownika"_s}));
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
}

// Each flag as the key reader takes it; a file that is no profile changes nothing.
TEST_F(Profiles, FlagsFollowTheKeyReaderAndAForeignFileChangesNothing) {
    struct Przypadek {
        const char* co;
        QByteArray tresc;
        bool kaczka, autostopSingli, zapytaj2, kolejno2, kolejno4, zegar;
        int bledow;
    };
    const QByteArray naglowek = "[PROGRAM]\r\nAutostopJest=1\r\n[SINGLE]\r\n";
    const Przypadek przypadki[] = {
        {"no duck key: the flag stays", naglowek + "SingleAutostopJest=1\r\n", true, true, false, false, false, false, 0},
        {"2 clears, the last line wins", naglowek + "SingleKaczkaJest=1\r\nSingleKaczkaJest=2\r\n", false, false, false, false, false, false, 0},
        {"sequence on two palettes: the first keeps it", naglowek + "Zestaw4Kolejno=1\r\nZestaw2Kolejno=1\r\nZestaw2Zapytaj=1\r\n",
         true, false, true, true, false, true, 0},
        {"a playlist is no profile", "[PLAYLISTA]\r\nAutostopJest=0\r\nSingleKaczkaJest=0\r\n", true, false, false, false, false, false, 1},
        {"a missing file", QByteArray(), true, false, false, false, false, false, 1},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.co);
        sc().Start();
        sc().Single[1][1] = {u"Na antenie"_s, u"C:\\A.WAV"_s, 0, 0};
        sc().SinglePaleta = 2;
        silnik().AutostopJest = false;
        silnik().SingleKaczkaJest = true;
        silnik().SingleAutostopJest = false;
        okno->SingleKolejnoTimer->stop();
        const QString plik = folder.file(u"P.MIX"_s);
        QFile::remove(plik);
        if (!p.tresc.isEmpty()) folder.write(u"P.MIX"_s, p.tresc);
        const qsizetype bledy = dialogi.Zapisy(RodzajDialogu::Blad).size();
        czytaj(plik);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size() - bledy, p.bledow);
        EXPECT_EQ(silnik().AutostopJest, p.bledow == 0);
        EXPECT_EQ(silnik().SingleKaczkaJest, p.kaczka);
        EXPECT_EQ(silnik().SingleAutostopJest, p.autostopSingli);
        EXPECT_EQ(sc().SingleZestawFlaga[2], p.zapytaj2);
        EXPECT_EQ(sc().SingleKolejnoPaleta[2], p.kolejno2);
        EXPECT_EQ(sc().SingleKolejnoPaleta[4], p.kolejno4);
        EXPECT_EQ(okno->SingleKolejnoTimer->isActive(), p.zegar);
        // An absent title is empty; a foreign file leaves the palettes on air.
        EXPECT_EQ(sc().Single[1][1].Tyt, p.bledow ? u"Na antenie"_s : QString());
        EXPECT_EQ(sc().SingleNazwa[1], p.bledow ? u"1"_s : QString());
    }
}

TEST_F(Profiles, SaveRefusesNieMaAndAFailedWriteKeepsTheOldFile) {
    okno->Profil().Nazwa = u"RANO"_s;
    dialogi.OdpowiedzTekst(u"Nie_ma"_s);
    klik(PZapiszProfil);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Tekst).last().teksty.value(1), u"RANO"_s);
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad)[0].teksty,
              QStringList({u"Należy podać nazwę zbioru"_s, u" ( Inną od \"Nie_ma\" ))"_s}));
    EXPECT_FALSE(platform::fileExists(plikProfilu(u"Nie_ma"_s)));

    // A name the file system will not take over: the old entry and the
    // current profile stay, the error is shown.
    // Profiles live in the program folder.
    folder.write(u"STARY.PRO/x"_s, "stary");
    dialogi.OdpowiedzTekst(u"STARY"_s);
    dialogi.Odpowiedz(OdpowiedzTak);  // "Zbiór o tej nazwie już istnieje!"
    klik(PZapiszProfil);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 2);
    EXPECT_EQ(folder.read(u"STARY.PRO/x"_s), QByteArray("stary"));
    EXPECT_EQ(okno->Profil().Nazwa, u"RANO"_s);
    EXPECT_EQ(okno->Profil().Sciezka, QString());
}

}  // namespace
