// The folder browser offscreen, driven with QTest while its modal loop
// runs: what a folder lists, moving, marks, delete and rename with the
// recording's companions, and the size texts.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <memory>

#include "OknoTestPomoc.h"
#include "common/TempFolder.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/KestSter2.h"
#include "library/DKatalog.h"
#include "library/DKatalogNastawy.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace {

QPoint Srodek(const BUTTONType& b) { return QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2); }

class OknoKatalogu : public ::testing::Test {
protected:
    void SetUp() override {
        KatalogStartowy = folder.path();
        KatalogNastawyDomyslne();
        KatalogZbiorWUzyciu = nullptr;
        for (QChar d : {u'c', u'd', u'e', u'h'})
            folder.drive(d);
        Katalogi.DyskOstatni = u"E"_s;
        stan.Tytul = u"Nagrania"_s;
        stan.Typy = u".WAV:.MP3"_s;
        stan.KasujZmien = true;
        stan.KatalogStart = u"C:\\MUZ"_s;
    }
    void TearDown() override {
        okno.reset();
        KatalogZbiorWUzyciu = nullptr;
        KatalogNastawyDomyslne();
    }
    void plik(const QString& rel, int bajty = 10) { folder.write(u"drives/c/"_s + rel, QByteArray(bajty, 'x')); }
    bool jest(const QString& rel) const { return QFile::exists(folder.path() + u"/drives/c/"_s + rel); }
    void otworz(const std::function<void(TKatalog&)>& krok) {
        if (!okno)
            okno = std::make_unique<TKatalog>();
        WModalnym<TKatalog>([this] { okno->PokazKatalog(stan); }, krok);
    }
    static QStringList nazwy(const TKatalog& o) {
        QStringList l;
        for (int i = 1; i <= o.Lista().Liczba; ++i)
            l << o.Lista().Pozycje[size_t(i)].Nazwa + o.Lista().Pozycje[size_t(i)].Rozszerzenie;
        return l;
    }
    static void klik(TKatalog& o, quint16 kod) {
        const BUTTONType* b = o.PrzyciskKomendy(kod);
        ASSERT_NE(b, nullptr) << kod;
        ASSERT_EQ(b->Widoczny, 1) << kod;
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, Srodek(*b));
    }
    static void klawisz(TKatalog& o, Qt::Key k) { QTest::keyClick(&o, k); }

    TempProgramFolder folder;
    DialogiSkrypt dialogi;
    KatStan stan;
    std::unique_ptr<TKatalog> okno;
};

TEST(RozmiarKatalogu, SizeTextsCarryIntoTheWholeCountAndAre64Bit) {
    const struct {
        qint64 bajty;
        const char* liczba;
        const char* jednostka;
    } przypadki[] = {
        {0, "       0", " B"},           {1023, "    1023", " B"},        {1536, "   1,500", " KB"},
        {2097151, "       2", " MB"},    {3LL << 30, "       3", " GB"}, {(5LL << 40) / 2, "   2,500", " TB"},
        {1048576 + 1024, "   1,001", " MB"},
    };
    for (const auto& p : przypadki) {
        QString l, j;
        TekstRozmiaru(p.bajty, l, j);
        EXPECT_EQ(l, QString::fromLatin1(p.liczba)) << p.bajty;
        EXPECT_EQ(j, QString::fromLatin1(p.jednostka)) << p.bajty;
    }
}

// What a folder lists: drives at a root, ".." first, six types at most, the
// filter, and the four sorts whatever order the file system gives.
TEST_F(OknoKatalogu, ListsDrivesFoldersAndFilesInOrder) {
    BEZ_TSAN();
    plik(u"MUZ/b.wav"_s, 300);
    plik(u"MUZ/A.MP3"_s, 100);
    plik(u"MUZ/c.wav"_s, 200);
    plik(u"MUZ/skip.txt"_s);
    QDir().mkpath(folder.path() + u"/drives/c/MUZ/zeta"_s);
    QDir().mkpath(folder.path() + u"/drives/c/MUZ/Alfa"_s);
    otworz([&](TKatalog& o) {
        EXPECT_EQ(o.windowTitle(), u"Nagrania"_s);
        EXPECT_EQ(nazwy(o), (QStringList{u".."_s, u"Alfa"_s, u"zeta"_s, u"A.MP3"_s, u"b.wav"_s, u"c.wav"_s}));
        EXPECT_EQ(o.Lista().Dyski, 0);
        const struct {
            quint16 kod;
            QStringList pliki;
        } sorty[] = {{1412, {u"A.MP3"_s, u"b.wav"_s, u"c.wav"_s}},
                     {1414, {u"A.MP3"_s, u"c.wav"_s, u"b.wav"_s}},
                     {1411, {u"A.MP3"_s, u"b.wav"_s, u"c.wav"_s}}};
        for (const auto& s : sorty) {
            klik(o, s.kod);
            EXPECT_EQ(nazwy(o).mid(3), s.pliki) << s.kod;
        }
        // Up to the root: the other drives first, no "..".
        klik(o, 211);
        EXPECT_EQ(o.Lista().Katalog, u"C:"_s);
        EXPECT_EQ(nazwy(o).mid(0, 4), (QStringList{u"D:"_s, u"E:"_s, u"H:"_s, u"MUZ"_s}));
        EXPECT_EQ(o.Kursor(), 4) << "the cursor on the folder just left";
        klik(o, 211);
        klawisz(o, Qt::Key_Escape);
    });
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info)[0].teksty,
              (QStringList{u"Nie można wyjść z katalogu"_s, u"(katalog główny dysku)"_s}));
    EXPECT_TRUE(stan.WybranaSciezka.isEmpty());
    EXPECT_EQ(Katalogi.Sortowanie, 1);

    // Without ".." nor drives; seven types list six; the filter by name.
    Katalogi.CzyNadkatalog = false;
    Katalogi.CzyDyski = false;
    Katalogi.CzyKatalogFiltr = true;
    for (const char16_t* e : {u"A1", u"A2", u"A3", u"A4", u"A5", u"A6", u"A7"})
        plik(u"T/x."_s + QString::fromUtf16(e));
    plik(u"T/xaby.wav"_s);
    plik(u"T/ba.wav"_s);
    stan.KatalogStart = u"C:\\T"_s;
    stan.Typy = u".A1:.A2:.A3:.A4:.A5:.A6:.A7"_s;
    dialogi.OdpowiedzTekst(u"ab"_s);
    otworz([&](TKatalog& o) {
        EXPECT_EQ(nazwy(o), (QStringList{u"x.A1"_s, u"x.A2"_s, u"x.A3"_s, u"x.A4"_s, u"x.A5"_s, u"x.A6"_s}));
        o.Komenda(211);
        o.Komenda(214);  // the filter, asked for "AB"
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).last().teksty,
              (QStringList{u"Nie można wyjść z katalogu"_s, u"(nastawa w zbiorze INI)"_s}));
    stan.Typy = u".WAV"_s;
    otworz([&](TKatalog& o) {
        EXPECT_EQ(nazwy(o), QStringList{u"xaby.wav"_s});
        EXPECT_EQ(o.PrzyciskKomendy(214)->Tytul, u"AB"_s);
        klawisz(o, Qt::Key_Escape);
    });
}

// Delete takes the description and envelope along; rename leaves them; a
// file a player holds, a folder and a name leading elsewhere are refused.
TEST_F(OknoKatalogu, DeleteAndRenameKeepToPlainLocalFilesNotInUse) {
    BEZ_TSAN();
    for (const char16_t* n : {u"X.WAV", u"X.DAT", u"X.OBW", u"Y.WAV", u"Y.DAT", u"Z.WAV"})
        plik(u"MUZ/"_s + QString::fromUtf16(n));
    QDir().mkpath(folder.path() + u"/drives/c/MUZ/SUB"_s);
    KatalogZbiorWUzyciu = [](const QString& s) { return s.endsWith(u"Z.WAV"_s); };
    dialogi.Odpowiedz(OdpowiedzTak);          // "Czy skasować zbiór?"
    dialogi.OdpowiedzTekst(u"a..b"_s);        // refused
    dialogi.OdpowiedzTekst(u"NOWA"_s);        // Y to NOWA
    otworz([&](TKatalog& o) {
        klawisz(o, Qt::Key_Delete);           // the cursor on ".."
        klawisz(o, Qt::Key_X);
        ASSERT_EQ(nazwy(o)[o.Kursor() - 1], u"X.WAV"_s);
        klawisz(o, Qt::Key_Delete);
        EXPECT_EQ(nazwy(o), (QStringList{u".."_s, u"SUB"_s, u"Y.WAV"_s, u"Z.WAV"_s}));
        klawisz(o, Qt::Key_Y);
        klawisz(o, Qt::Key_Insert);
        klawisz(o, Qt::Key_Insert);
        EXPECT_EQ(nazwy(o)[o.Kursor() - 1], u"NOWA.WAV"_s);
        klawisz(o, Qt::Key_Z);
        klawisz(o, Qt::Key_Delete);
        klawisz(o, Qt::Key_Insert);
        klawisz(o, Qt::Key_Escape);
    });
    EXPECT_FALSE(jest(u"MUZ/X.WAV"_s) || jest(u"MUZ/X.DAT"_s) || jest(u"MUZ/X.OBW"_s));
    EXPECT_TRUE(jest(u"MUZ/NOWA.WAV"_s) && jest(u"MUZ/Y.DAT"_s) && !jest(u"MUZ/Y.WAV"_s));
    EXPECT_TRUE(jest(u"MUZ/Z.WAV"_s));
    QStringList bledy;
    for (const auto& z : dialogi.Zapisy(RodzajDialogu::Blad))
        bledy << z.teksty.join(u'|');
    ASSERT_EQ(bledy.size(), 4) << bledy.join(u'\n').toStdString();
    EXPECT_TRUE(bledy[0].startsWith(TekstBleduIO(213)));
    EXPECT_TRUE(bledy[2].startsWith(TekstBleduIO(210)));
    EXPECT_TRUE(bledy[3].startsWith(TekstBleduIO(211)));
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join(u'\n').toStdString();
}

// PgDn, End, Home, the letter jump, marks with Space, folder buttons and
// accepting with three marked files.
TEST_F(OknoKatalogu, MovesMarksAndAcceptsAsTheOperatorDoes) {
    BEZ_TSAN();
    for (int i = 0; i < 45; ++i)
        plik(u"MUZ/%1%2.WAV"_s.arg(QChar(u'A' + i / 10)).arg(i % 10));
    plik(u"INNY/Q.WAV"_s);
    Katalogi.KatAdres[0] = u"C:\\INNY"_s;
    Katalogi.KatOpis[0] = u"Inny"_s;
    otworz([&](TKatalog& o) {
        const int strona = o.WierszyStrony();
        ASSERT_GT(strona, 5);
        EXPECT_EQ(o.Lista().Liczba, 46);
        klawisz(o, Qt::Key_PageDown);
        EXPECT_EQ(o.Pierwszy(), 1 + strona);
        EXPECT_EQ(o.Kursor(), 1 + strona);
        klawisz(o, Qt::Key_End);
        EXPECT_EQ(o.Kursor(), 46);
        EXPECT_EQ(o.Pierwszy(), (45 / strona) * strona + 1);
        klawisz(o, Qt::Key_Home);
        EXPECT_EQ(o.Kursor(), 1);
        klawisz(o, Qt::Key_C);
        EXPECT_EQ(nazwy(o)[o.Kursor() - 1], u"C0.WAV"_s);
        klawisz(o, Qt::Key_C);
        EXPECT_EQ(nazwy(o)[o.Kursor() - 1], u"C1.WAV"_s);
        klawisz(o, Qt::Key_Space);
        klawisz(o, Qt::Key_Down);
        klawisz(o, Qt::Key_Space);
        klawisz(o, Qt::Key_E);
        klawisz(o, Qt::Key_Space);
        klawisz(o, Qt::Key_Return);
    });
    EXPECT_EQ(stan.WybranaSciezka, u"C:\\MUZ\\E0.WAV"_s);
    EXPECT_EQ(stan.Wybrany, u"E0"_s);
    EXPECT_EQ(stan.KatalogStart, u"C:\\MUZ"_s);
    EXPECT_EQ(KatalogWynikLiczba, 3);
    EXPECT_EQ(KatalogWynikZbiory, (QStringList{u"C1"_s, u"C2"_s, u"E0"_s}));
    EXPECT_EQ(KatalogWynikTeksty[2], u"C:\\MUZ\\E0.WAV"_s);

    // F1 goes to the first folder button's folder; the browser reopens there.
    otworz([&](TKatalog& o) {
        EXPECT_EQ(o.Lista().Katalog, u"C:\\MUZ"_s);
        klawisz(o, Qt::Key_F1);
        EXPECT_EQ(o.Lista().Katalog, u"C:\\INNY"_s);
        klawisz(o, Qt::Key_Q);
        klawisz(o, Qt::Key_Return);
    });
    EXPECT_EQ(stan.WybranaSciezka, u"C:\\INNY\\Q.WAV"_s);
    EXPECT_EQ(KatalogWynikLiczba, 0);
}

// "Info" re-reads the folder after an edit; the folder may have grown
// meanwhile (to thousands: read on a worker while the GUI thread's timers,
// the on-air tick, run on), and the cursor stays on the file it was on. The
// buttons answer their hot letters too.
TEST_F(OknoKatalogu, ExtraButtonsReReadAGrownFolder) {
    BEZ_TSAN();
    for (int i = 0; i < 3000; ++i)
        plik(u"MUZ/N%1.WAV"_s.arg(i), 1);
    plik(u"MUZ/B.WAV"_s);
    int razy = 0, tiki = 0;
    stan.Przycisk1 = u"~Info"_s;
    stan.Akcja1 = [&](const QString& nazwa, const QString&) {
        plik(u"MUZ/A%1.WAV"_s.arg(++razy));
        return nazwa == u"B"_s;
    };
    QTimer tik;
    QObject::connect(&tik, &QTimer::timeout, [&] { ++tiki; });
    otworz([&](TKatalog& o) {
        klawisz(o, Qt::Key_B);
        tik.start(0);
        o.Komenda(1511);
        EXPECT_GT(tiki, 0);
        EXPECT_EQ(nazwy(o)[o.Kursor() - 1], u"B.WAV"_s);
        QTest::keyClick(&o, Qt::Key_I, Qt::ControlModifier);
        EXPECT_EQ(o.Lista().Liczba, 3004);
        EXPECT_EQ(razy, 2);
        o.Komenda(10);
    });
}

// Picked files are stored portably: under a drive's folder as X:\..., even
// when reached as a Linux path; elsewhere "/" only. Without a start folder
// the browser opens on the first drive.
TEST_F(OknoKatalogu, PickedPathsAreStoredPortably) {
    BEZ_TSAN();
    folder.write(u"demo/audio/A.WAV"_s, "x");
    plik(u"MUZ/A.WAV"_s);
    for (const QString& start : {folder.path() + u"/demo/audio"_s, folder.path() + u"/drives/c/MUZ"_s, QString()}) {
        stan.KatalogStart = start;
        otworz([&](TKatalog& o) {
            if (start.isEmpty()) {
                EXPECT_EQ(o.Lista().Katalog, u"C:"_s);
                klawisz(o, Qt::Key_M);
                klawisz(o, Qt::Key_Return);
            }
            klawisz(o, Qt::Key_A);
            klawisz(o, Qt::Key_Return);
        });
        EXPECT_EQ(stan.WybranaSciezka, start.contains(u"demo"_s) ? start + u"/A.WAV"_s : u"C:\\MUZ\\A.WAV"_s);
    }
}

// Modes 3 to 5 read files: only the rows drawn ask, once per read. The
// pictures of the normal and the enlarged window are kept for a look.
TEST_F(OknoKatalogu, ProvidersRunForDrawnRowsOnlyInBothSizes) {
    BEZ_TSAN();
    for (int i = 0; i < 200; ++i)
        plik(u"MUZ/P%1.WAV"_s.arg(i, 3, 10, QChar(u'0')), 1000 + i * 5000);
    int wywolania = 0;
    stan.Tryb3Tekst = u"Opis"_s;
    stan.Tryb3 = [&](const QString& s) {
        ++wywolania;
        return s.endsWith(u"P001.WAV"_s) ? QString() : u"Opis "_s + s.right(8);
    };
    stan.Przycisk2 = u"~Play"_s;
    otworz([&](TKatalog& o) {
        EXPECT_EQ(o.TrybWyswietlania(), 3);
        const int strona = o.WierszyStrony();
        EXPECT_EQ(wywolania, strona - 1) << "every file row but not \"..\"";
        o.Komenda(151);
        EXPECT_EQ(wywolania, strona - 1) << "a row drawn again asks nothing";
        o.Plotno().save(FolderArtefaktow() + u"/katalog.png"_s);
        o.Komenda(215);
        EXPECT_TRUE(o.Powiekszone());
        EXPECT_GE(o.width(), 1164);
        o.Plotno().save(FolderArtefaktow() + u"/katalog_powiekszony.png"_s);
        o.Komenda(1400);  // mode 4 is not offered: back to 1
        EXPECT_EQ(o.TrybWyswietlania(), 1);
        o.Komenda(10);
    });
    EXPECT_LE(wywolania, 200 / 8);
}

}  // namespace

namespace {

// The mouse: a click moves the cursor, a second left click accepts and a
// right click on the cursor row previews; the too-full warning of a local
// folder, and a network drive where nothing is checked nor deleted.
TEST_F(OknoKatalogu, MouseRulesTheTooFullWarningAndNetworkDrives) {
    BEZ_TSAN();
    for (const char16_t* n : {u"A.WAV", u"B.WAV", u"C.WAV"})
        plik(u"MUZ/"_s + QString::fromUtf16(n));
    Katalogi.MaxNum = 2;
    QString podgladany;
    stan.Przycisk2 = u"~Play"_s;
    stan.Akcja2 = [&](const QString&, const QString& s, const TRect& r) {
        podgladany = s;
        EXPECT_EQ(r.Bottom - r.Top, 100);
    };
    otworz([&](TKatalog& o) {
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, o.PunktWiersza(3));
        EXPECT_EQ(o.Kursor(), 3);
        QTest::mouseClick(&o, Qt::RightButton, Qt::NoModifier, o.PunktWiersza(3));
        EXPECT_EQ(podgladany, u"C:\\MUZ\\B.WAV"_s);
        QTest::mouseClick(&o, Qt::LeftButton, Qt::NoModifier, o.PunktWiersza(3));
    });
    EXPECT_EQ(stan.WybranaSciezka, u"C:\\MUZ\\B.WAV"_s);
    ASSERT_FALSE(dialogi.Zapisy(RodzajDialogu::Info).isEmpty());
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info)[0].teksty,
              (QStringList{u"Liczba zbiorów w katalogu (3)większa od założonej (2)"_s, u"Proszę uporządkować katalog"_s}));

    // On a network drive nothing is checked, and nothing deleted.
    Katalogi.DyskOstatni = u"C"_s;
    folder.write(u"drives/d/N/X.WAV"_s, QByteArray(10, 'x'));
    stan.KatalogStart = u"D:\\N"_s;
    dialogi.Wyczysc();
    otworz([&](TKatalog& o) {
        o.Komenda(104);
        o.Komenda(4);
        o.Komenda(1512);  // no preview from the network without CzyGranieSiec
        o.Komenda(10);
    });
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Info).size(), 2);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info)[0].teksty[0], u"Można kasować zbiory tylko z dysku lokalnego"_s);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info)[1].teksty[0], u"Można słuchać nagrań tylko z dysku lokalnego"_s);
    EXPECT_EQ(podgladany, u"C:\\MUZ\\B.WAV"_s);
    EXPECT_TRUE(QFile::exists(folder.path() + u"/drives/d/N/X.WAV"_s));
}

}  // namespace
