#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>

#include "foundation/KestGraf2.h"
#include "foundation/KestPanl2.h"
#include "foundation/Zdarzenie.h"

namespace {

// A screen as the program builds them: its handler turns the event into a
// button's command, visible buttons only.
class Ekran : public TRForm {
public:
    Ekran() {
        resize(648, 507);
        TRect r;
        Prostokat(r, 10, 10, 90, 34);
        BUTTON_Init(start, r, QStringLiteral("~Start"), 101);
        Prostokat(r, 100, 10, 180, 34);
        BUTTON_Init(ukryty, r, QStringLiteral("~Stop"), 102);  // same hot letter, hidden
        BUTTON_SetVisible(ukryty, false);
    }
    BUTTONType start, ukryty;
    ZdarzenieType ostatnie;  // the event as the form handed it over

protected:
    void ObsluzZdarzenie() override {
        ostatnie = Zdarzenie;
        if (!BUTTON_Selected(ukryty)) BUTTON_Selected(start);
    }
};

struct FormTest : ::testing::Test {
    void SetUp() override {
        Zdarzenie = {};
        ZdarzenieOczekujace = {};
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }
    void TearDown() override { UstawSkale(SzerokoscSiatki, WysokoscSiatki); }
};

}  // namespace

TEST_F(FormTest, ButtonOffAndOnFacesEdgesAndUnderlinedHotLetter) {
    Ekran f;
    BUTTONType b;
    TRect r;
    Prostokat(r, 20, 20, 119, 49);
    f.BUTTON_Init(b, r, QStringLiteral("~Start"), 7);
    EXPECT_EQ(b.Klawisz, 0x1F13);  // Ctrl+S
    EXPECT_EQ(b.Kolor, KolorSzary);

    f.BUTTON_Draw(b);
    EXPECT_EQ(f.KolorPiksela(21, 22), KolorSzary);
    EXPECT_EQ(f.KolorPiksela(20, 30), KolorBialy);    // top-left edge light
    EXPECT_EQ(f.KolorPiksela(119, 30), KolorCzarny);  // bottom-right edge dark
    EXPECT_EQ(f.KolorPiksela(50, 49), KolorCzarny);

    f.BUTTON_ON(b);
    EXPECT_EQ(b.Stan, 1);
    EXPECT_EQ(f.KolorPiksela(21, 22), KolorCzerwony);
    EXPECT_EQ(f.KolorPiksela(118, 48), KolorCzerwony);
    EXPECT_EQ(f.KolorPiksela(20, 30), KolorCzarny);  // pressed: edges swap
    EXPECT_EQ(f.KolorPiksela(119, 30), KolorBialy);

    // The hot letter "S" is underlined white with black below, under the letter only.
    const QString tytul = QStringLiteral("Start");
    const int wys = f.WysokoscTekstu();
    const int x = 20 + (100 - f.SzerokoscTekstu(tytul)) / 2 + 1;
    const int y = 20 + (30 - wys) / 2 - 1 + 1;
    const int szerS = f.SzerokoscTekstu(QStringLiteral("S"));
    for (int i = 0; i < szerS; ++i) {
        EXPECT_EQ(f.KolorPiksela(x + i, y + wys), KolorBialy) << i;
        EXPECT_EQ(f.KolorPiksela(x + i, y + wys + 1), KolorCzarny) << i;
    }
    EXPECT_EQ(f.KolorPiksela(x + szerS + 2, y + wys), KolorCzerwony);

    // Invisible buttons are not drawn.
    BUTTONType niewidoczny;
    Prostokat(r, 200, 200, 260, 230);
    f.BUTTON_Init(niewidoczny, r, QStringLiteral("X"), 8);
    f.BUTTON_SetVisible(niewidoczny, false);
    const TColor przed = f.KolorPiksela(200, 200);
    f.BUTTON_Draw(niewidoczny);
    EXPECT_EQ(f.KolorPiksela(200, 200), przed);
}

TEST_F(FormTest, HotKeysFromTitles) {
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("~Start")), 0x1F13);
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("Gr~aj")), 0x1E01);
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("Za~z")), 0x2C1A);
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("Start~")), 0);   // tilde at the end
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("~1 raz")), 0);   // not a letter
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("~Żółw")), 0);
    EXPECT_EQ(KlawiszTytulu(QStringLiteral("Start")), 0);
    EXPECT_EQ(TytulBezTyldy(QStringLiteral("Gr~aj")), QStringLiteral("Graj"));

    Ekran f;
    BUTTONType b;
    f.BUTTON_Init(b, {}, QStringLiteral("Bardzo dlugi ~tytul"), 1);
    EXPECT_EQ(b.Tytul, QStringLiteral("Bardzo dlug"));  // 11 characters; the hot letter was cut off
    EXPECT_EQ(b.Klawisz, 0);
}

TEST_F(FormTest, ScaledFormHitRectangleEqualsDrawnRectangle) {
    Ekran f;
    f.resize(1296, 1014);
    f.show();
    UstawSkale(f.width(), f.height());
    EXPECT_FLOAT_EQ(SkalaPozioma, 2.0f);
    EXPECT_FLOAT_EQ(SkalaPionowa, 2.0f);

    TRect r;
    ProstokatSkalaWH(r, 10, 20, 50, 15);
    EXPECT_EQ(r.Left, 20);
    EXPECT_EQ(r.Top, 40);
    EXPECT_EQ(r.Right, 120);
    EXPECT_EQ(r.Bottom, 70);
    f.BUTTON_Rect(f.start, r);
    f.BUTTON_Draw(f.start);
    EXPECT_EQ(f.KolorPiksela(r.Left, r.Top), KolorBialy);
    EXPECT_EQ(f.KolorPiksela(r.Right, r.Bottom), KolorCzarny);
    EXPECT_EQ(f.KolorPiksela(r.Right + 1, r.Bottom), KolorTlaPrzycisku);
    EXPECT_EQ(f.KolorPiksela(r.Right, r.Bottom + 1), KolorTlaPrzycisku);

    // A press on the drawn bottom-right corner selects it, one pixel out does not.
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, QPoint(r.Right, r.Bottom));
    EXPECT_EQ(f.ostatnie.Rodzaj, ZdarzenieMysz);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
    EXPECT_EQ(Zdarzenie.Kod, 101);
    KasujZdarzenie();
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, QPoint(r.Right + 1, r.Bottom));
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieMysz);
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, QPoint(r.Left, r.Top - 1));
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieMysz);

    // The canvas followed the resize and the screen shows it.
    EXPECT_EQ(f.Plotno().size(), QSize(1296, 1014));
    const QImage ekran = f.grab().toImage();
    EXPECT_EQ(ekran.pixelColor(r.Right, r.Bottom), KolorQt(KolorCzarny));
}

TEST_F(FormTest, QtKeysAndMouseBecomeTheEventRecord) {
    Ekran f;
    f.show();
    QTest::mouseClick(&f, Qt::RightButton, Qt::NoModifier, QPoint(300, 222));
    EXPECT_EQ(f.ostatnie.Rodzaj, ZdarzenieMysz);
    EXPECT_EQ(f.ostatnie.X, 300);
    EXPECT_EQ(f.ostatnie.Y, 222);
    EXPECT_EQ(MyszPunkt, QPoint(300, 222));
    EXPECT_EQ(MyszPrzycisk, 2);
    QTest::mouseClick(&f, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_EQ(MyszPrzycisk, 3);

    QTest::keyClick(&f, Qt::Key_Return);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKlawisz);
    EXPECT_EQ(Zdarzenie.Kod, 0x1C0D);
    QTest::keyClick(&f, Qt::Key_F11);
    EXPECT_EQ(Zdarzenie.Kod, 0x4500);

    // Ctrl+S: the hidden "~Stop" is passed over, the visible "~Start" answers.
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(f.ostatnie.Rodzaj, ZdarzenieKlawisz);
    EXPECT_EQ(f.ostatnie.Kod, 0x1F13);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
    EXPECT_EQ(Zdarzenie.Kod, 101);

    // With the visible one hidden too, nothing selects.
    f.BUTTON_SetVisible(f.start, false);
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKlawisz);

    // A key with no code leaves the record alone.
    KasujZdarzenie();
    QTest::keyClick(&f, Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieBrak);
}

TEST_F(FormTest, PendingEventAndPointInRect) {
    ZdarzenieOczekujace = {ZdarzenieKomenda, OdpowiedzTak, 3, 4};
    PobierzZdarzenie();
    EXPECT_EQ(Zdarzenie.Rodzaj, ZdarzenieKomenda);
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzTak);
    EXPECT_EQ(ZdarzenieOczekujace.Rodzaj, ZdarzenieBrak);
    Zdarzenie.Kod = 99;
    PobierzZdarzenie();  // nothing waiting: the current event stays
    EXPECT_EQ(Zdarzenie.Kod, 99);

    EXPECT_TRUE(ZdarzenieWProstokacie({3, 4, 10, 10}));
    EXPECT_TRUE(ZdarzenieWProstokacie({0, 0, 3, 4}));
    EXPECT_FALSE(ZdarzenieWProstokacie({0, 0, 2, 4}));
}

TEST_F(FormTest, XorDrawingTwiceRestoresThePicture) {
    Ekran f;
    f.BUTTON_Draw(f.start);
    f.CYFRAPisz(QStringLiteral("8"), 200, 100, 20, 40, 0x00FF00);
    const QImage przed = f.Plotno().copy();

    PasekType pasek;
    InicjujPasek(pasek, {10, 300, 210, 320}, 0, 0, 0);
    for (int raz = 0; raz < 2; ++raz) {
        f.g_xorput();
        f.UstawKolorPiora(0x00FFFF);
        f.linia(0, 0, 400, 250);
        f.g_solidln3();
        f.linia(5, 200, 300, 60);
        f.g_dottedln1();
        f.ProstokatKolorE({190, 90, 230, 150}, 0xFF00FF);
        f.g_solidln1();
        f.Prostokat2KolorE({15, 15, 60, 30}, KolorBialy, 0x123456);
        RysujPasek(f, pasek, 2, 30, 100, 2, 0x00FF00, 0xFF0000);
        if (raz == 0) {
            EXPECT_NE(f.Plotno(), przed);
        }
    }
    EXPECT_EQ(f.Plotno(), przed);
    EXPECT_FALSE(f.TrybXor());  // the bar leaves copy mode behind
}

TEST_F(FormTest, BarFillsByValueIn64BitsAndStaysInItsBounds) {
    Ekran f;
    PasekType pasek;
    InicjujPasek(pasek, {8, 8, 112, 22}, 0, 0, 0);  // inner 10..110: w = 100
    const TColor pelny = 0x00FF00, reszta = 0xFF0000;
    auto wypelnione = [&] {
        int n = 0;
        for (int x = 11; x <= 110; ++x)
            if (f.KolorPiksela(x, 15) == pelny) ++n;
        return n;
    };
    RysujPasek(f, pasek, 1, 0, 1000, 1, pelny, reszta);
    EXPECT_EQ(wypelnione(), 1);
    EXPECT_EQ(f.KolorPiksela(110, 15), reszta);
    RysujPasek(f, pasek, 1, 5000, 1000, 1, pelny, reszta);
    EXPECT_EQ(wypelnione(), 100);
    RysujPasek(f, pasek, 1, 3'000'000'000LL, 4'000'000'000LL, 1, pelny, reszta);
    EXPECT_EQ(wypelnione(), 75);
    RysujPasek(f, pasek, 1, 10, 0, 1, pelny, reszta);  // no maximum: an empty bar
    EXPECT_EQ(wypelnione(), 0);
    EXPECT_EQ(f.KolorPiksela(11, 15), reszta);
    EXPECT_NE(f.KolorPiksela(9, 15), reszta);  // nothing outside the inner rect
    EXPECT_NE(f.KolorPiksela(111, 15), reszta);
}

TEST_F(FormTest, ListClickSelectsTheRowDrawnThere) {
    Ekran f;
    ListaType lista;
    lista.Tytul = QStringLiteral("Lista");
    lista.Rect = {10, 10, 300, 250};
    lista.RectListy = {20, 30, 290, 180};  // 150 high: 10 rows
    lista.RectLicznika = {200, 190, 290, 210};
    lista.Razem = 12;
    lista.Pierwszy = 5;
    lista.Wybrany = 5;
    RysujListe(f, lista);
    EXPECT_EQ(lista.Widocznych, 10);
    RysujWierszListy(f, lista, true);

    // The third visible row is row 7; click inside the rectangle drawn for it.
    const TRect wiersz3 = ProstokatWierszaListy(lista, 3);
    Zdarzenie = {ZdarzenieMysz, 0, wiersz3.Left, wiersz3.Bottom};
    EXPECT_TRUE(KlikListy(f, lista));
    EXPECT_EQ(lista.Wybrany, 7);
    EXPECT_EQ(f.KolorPiksela(lista.RectListy.Left + 4, wiersz3.Top), KolorCzarny);      // now framed
    const TRect wiersz1 = ProstokatWierszaListy(lista, 1);
    EXPECT_EQ(f.KolorPiksela(lista.RectListy.Left + 4, wiersz1.Top), KolorBialy);  // old frame gone

    // Rows past the total and points between rows are no hit.
    const TRect wiersz9 = ProstokatWierszaListy(lista, 9);  // row 13 of 12
    Zdarzenie = {ZdarzenieMysz, 0, wiersz9.Left + 5, wiersz9.Top + 2};
    EXPECT_FALSE(KlikListy(f, lista));
    Zdarzenie = {ZdarzenieMysz, 0, wiersz3.Left + 5, wiersz3.Bottom + 1};
    EXPECT_FALSE(KlikListy(f, lista));
    EXPECT_EQ(lista.Wybrany, 7);

    lista.Widocznych = 0;
    Zdarzenie = {ZdarzenieMysz, 0, wiersz3.Left, wiersz3.Top};
    EXPECT_FALSE(KlikListy(f, lista));
}

TEST_F(FormTest, NarrowFieldsEndTheirShorteningAndLongTextsKeepBothEnds) {
    Ekran f;
    const QString dlugi(200, QLatin1Char('W'));
    // Fields narrower than a letter: the shortening must come to an end.
    for (int szer : {1, 4, 9, 20}) {
        const TRect r{300, 300, 300 + szer - 1, 320};
        f.PiszPoleWklesleE(r, 0, dlugi, KolorCzarny, KolorBialy);
        f.PiszPoleWklesleKolorE(r, 0, KolorBialy, dlugi, KolorCzarny, KolorBialy);
        f.PiszPoleWklesle3KropkiE(r, 0, dlugi, KolorCzarny, KolorBialy);
        f.PiszPoleWklesleCentrE(r, 0, dlugi, KolorCzarny, KolorBialy);
    }
    // A 200-pixel field holds 24 characters: the three-dot field keeps 10 at each end.
    const TRect r{10, 400, 209, 420};
    Ekran skrocony, oczekiwany;
    skrocony.PiszPoleWklesle3KropkiE(r, 0, QStringLiteral("Abcdefghijklmnopqrstuvwxyz0123456789Zz"), KolorCzarny,
                                     KolorBialy);
    oczekiwany.PoleWklesleE(r, 0, KolorCzarny, KolorBialy);
    oczekiwany.PiszxyCienE(r.Left + 5, r.Top + (21 - oczekiwany.WysokoscTekstu()) / 2,
                           QStringLiteral("Abcdefghij...23456789Zz"));
    EXPECT_EQ(skrocony.Plotno(), oczekiwany.Plotno());
}

// The cut point of a text too wide for a sunken field is found by halving;
// it must be where taking off two letters at a time for a ">" stops.
TEST_F(FormTest, SunkenFieldCutsATooWideTextWhereLetterByLetterWould) {
    const TRect r{10, 10, 169, 30};
    for (const char* tekst : {"Wykonawca nagrania - Tytuł, który się nie mieści", "iiiiiiiiiiiiiiiiiiiiWWWWWWWWWWWW",
                              "WWWWWWWWWWWWiiiiiiiiiiiiiiiiiiiiiiiiiiii", "Krótki", "WW", "W"}) {
        const QString t = QString::fromUtf8(tekst);
        Ekran pole, wzor;
        pole.PiszPoleWklesleE(r, 0, t, KolorCzarny, KolorBialy);
        QString krotszy = t;
        while (krotszy.size() > 1 && wzor.SzerokoscTekstu(krotszy) >= 160 - 8)
            krotszy = krotszy.left(krotszy.size() - 2) + QLatin1Char('>');
        wzor.PoleWklesleE(r, 0, KolorCzarny, KolorBialy);
        wzor.PiszxyKolorE(r.Left + 5, r.Top + (21 - wzor.WysokoscTekstu()) / 2, krotszy, KolorBialy);
        EXPECT_EQ(pole.Plotno(), wzor.Plotno()) << tekst << " -> " << krotszy.toStdString();
    }
}

// Drawing a field repaints that field on the screen, not the whole window.
TEST_F(FormTest, AFrameRepaintsOnlyWhatItChanged) {
    class Malowany final : public Ekran {
    public:
        QRegion namalowane;

    protected:
        void paintEvent(QPaintEvent* e) override {
            namalowane += e->region();
            Ekran::paintEvent(e);
        }
    };
    Malowany f;
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    QCoreApplication::processEvents();
    f.namalowane = QRegion();

    f.PiszPoleWklesleE({100, 100, 199, 120}, 0, QStringLiteral("Tekst"), KolorCzarny, KolorBialy);
    f.PoleKolorE({400, 300, 409, 309}, KolorCzerwony);
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    EXPECT_TRUE(f.namalowane.contains(QRect(100, 100, 100, 21)));
    EXPECT_TRUE(f.namalowane.contains(QRect(400, 300, 10, 10)));
    EXPECT_FALSE(f.namalowane.contains(QPoint(300, 200)));
    EXPECT_FALSE(f.namalowane.contains(QPoint(10, 400)));
    EXPECT_EQ(f.KolorPiksela(405, 305), KolorCzerwony);
}

TEST_F(FormTest, SevenSegmentDigitsLitAndDark) {
    Ekran f;
    const TColor zielony = 0x00FF00;
    // Middle of each segment for a digit at (100, 100), 20 wide, 40 high.
    const QPoint gora(110, 101), lewyGorny(101, 110), prawyGorny(119, 110), srodek(110, 120),
        lewyDolny(101, 130), prawyDolny(119, 130), dol(110, 139);
    auto swieci = [&](QPoint p) { return f.KolorPiksela(p.x(), p.y()) == zielony; };
    f.CYFRAPisz(QStringLiteral("8"), 100, 100, 20, 40, zielony);
    for (QPoint p : {gora, lewyGorny, prawyGorny, srodek, lewyDolny, prawyDolny, dol}) EXPECT_TRUE(swieci(p));
    EXPECT_EQ(f.KolorPiora(), KolorBialy);

    f.CYFRAPisz(QStringLiteral("A"), 100, 100, 20, 40, zielony);
    for (QPoint p : {gora, lewyGorny, prawyGorny, srodek, lewyDolny, prawyDolny, dol}) {
        EXPECT_FALSE(swieci(p));
        EXPECT_EQ(f.KolorPiksela(p.x(), p.y()), KolorCzarny);
    }
    f.CYFRAPisz(QStringLiteral("7"), 100, 100, 20, 40, zielony);
    EXPECT_TRUE(swieci(gora));
    EXPECT_TRUE(swieci(prawyGorny));
    EXPECT_TRUE(swieci(prawyDolny));
    EXPECT_FALSE(swieci(srodek));
    EXPECT_FALSE(swieci(lewyGorny));
}

TEST_F(FormTest, GridTextLandsOnItsPixelPlace) {
    // Column 1 row 1 is pixel (0, 4); row 2 is y = 23 (19.2 + 4 truncated); row 6 is 100, not 99.
    const struct {
        double kolumna, wiersz;
        int x, y;
    } miejsca[] = {{1, 1, 0, 4}, {1, 2, 0, 23}, {3.5, 6, 20, 100}};
    for (const auto& m : miejsca) {
        Ekran siatka, piksele;
        siatka.Piszxy(QStringLiteral("Ag"), m.kolumna, m.wiersz);
        piksele.PiszxyE(m.x, m.y, QStringLiteral("Ag"));
        EXPECT_EQ(siatka.Plotno(), piksele.Plotno()) << m.wiersz;
        EXPECT_NE(siatka.Plotno(), Ekran().Plotno());
    }
}
