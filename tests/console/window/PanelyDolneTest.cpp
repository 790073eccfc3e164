// The lower views of the real main window: the long playlist, the
// description of the cursor element and the timeline, switched by their bar
// buttons and drawn offscreen.
#include <gtest/gtest.h>

#include <QTest>

#include "common/WavWriter.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/TTolv.h"
#include "playlists/D_Playlista.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 H = 3'600'000;
constexpr TColor Niebieski = 0xFF0000;

QPoint srodek(const BUTTONType& b) { return QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2); }

class PanelyDolne : public StanowiskoOkna {
protected:
    void SetUp() override {
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=0"_s});
        WyczyscPlayliste();
        for (qint32 n = 1; n <= 40; ++n) {
            TElemPListy& e = Playlista[size_t(n)];
            e.Typ = n % 5 == 0 ? RodzajBRK : RodzajSND;
            e.Emi = qint32(12 * H + (n - 1) * 180'000);
            e.Trw = e.NwK = 180'000;
            e.Tyt = u"Tytuł %1"_s.arg(n);
            e.Pta = u"Płyta %1"_s.arg(n);
            e.Wyk = u"Wykonawca %1"_s.arg(n);
        }
        StanPlaylisty.Ilosc = 40;
        StanPlaylisty.Kursor = 2;
        okno->OdswiezPlayliste();
    }
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
    }
    void przycisk(int indeks) {
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          srodek(okno->Przyciski().Pasek[size_t(indeks)]));
    }
    // Pixels of a colour in a grid rectangle of the canvas.
    int piksele(int l, int t, int r, int b, TColor kolor) {
        TRect p;
        ProstokatSkala(p, l, t, r, b);
        int ile = 0;
        for (int y = p.Top; y <= p.Bottom; ++y)
            for (int x = p.Left; x <= p.Right; ++x) ile += okno->KolorPiksela(x, y) == kolor;
        return ile;
    }
};

TEST_F(PanelyDolne, LongPlaylistShowsTwelveRowsAndGivesTheAreaBack) {
    // At this scale the playlist's bottom edge and the wall's top edge leave
    // a pixel row between them, where a long playlist's row lay.
    okno->resize(1400, 1031);
    QCoreApplication::processEvents();
    const int zaPanelem = SkalaY(314) + 1;
    ASSERT_LT(zaPanelem, SkalaY(315));
    const qint32 zwykle = StanPlaylisty.Wierszy;
    przycisk(PDluga);
    EXPECT_EQ(okno->Silnik().Stan.PanelDolny, PanelDlugaPlaylista);
    EXPECT_EQ(StanPlaylisty.Wierszy, 12);
    TRect p;
    ProstokatSkalaWH(p, 0, 78, 453, 402);
    EXPECT_EQ(StanPlaylisty.Panel.Bottom, p.Bottom);
    // Element 12's row is drawn where the wall was.
    przycisk(PDluga);
    EXPECT_EQ(okno->Silnik().Stan.PanelDolny, PanelSingle);
    EXPECT_EQ(StanPlaylisty.Wierszy, zwykle);
    for (int x = SkalaX(10); x < SkalaX(440); x += 7)
        ASSERT_EQ(okno->KolorPiksela(x, zaPanelem), KolorTlaPrzycisku) << x;
}

TEST_F(PanelyDolne, DescriptionFollowsTheCursorForRecordingsOnly) {
    przycisk(POpis);
    EXPECT_GT(piksele(3, 355, 450, 378, KolorCzerwony), 20);  // "Płyta: " in red
    EXPECT_GT(piksele(3, 380, 450, 405, Niebieski), 20);       // "Wykonawca: " in blue
    // A break has no description: the box is empty.
    QTest::keyClick(okno.get(), Qt::Key_Down);
    QTest::keyClick(okno.get(), Qt::Key_Down);
    QTest::keyClick(okno.get(), Qt::Key_Down);
    ASSERT_EQ(StanPlaylisty.Kursor, 5);
    EXPECT_EQ(piksele(3, 355, 450, 378, KolorCzerwony), 0);
    EXPECT_EQ(piksele(3, 380, 450, 405, Niebieski), 0);
}

}  // namespace

namespace {

TEST_F(PanelyDolne, TimelineDrawsBlocksByKindAndItsClicksMoveTheCursor) {
    przycisk(PWieloslad);
    ASSERT_EQ(okno->Silnik().Stan.PanelDolny, PanelWieloslad);
    okno->TimerWyswietlaczTimer();
    // Cursor element 2 (a recording, second of its kind: lane 349) navy at
    // x 223 onwards; element 5 (a break) green on the lowest lane.
    const auto piksel = [&](int x, int y) { return okno->KolorPiksela(SkalaX(x), SkalaY(y)); };
    EXPECT_EQ(piksel(240, 349 + 20), TColor(0x800000));
    // The now-line: noon, three minutes (90 units) before the cursor's block.
    EXPECT_EQ(piksel(133, 330), KolorBialy);
    // An information element's block in the window colour, on its lane.
    Playlista[4].Typ = RodzajINF;
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(piksel(420, 379 + 14), KolorTlaPrzycisku);
    Playlista[4].Typ = RodzajSND;
    // "Zoom-": 4 000 ms a unit, element 5 (a break) green on the lowest lane.
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Wieloslad[0]));
    EXPECT_EQ(okno->Wieloslad().SkalaTimeline, 4000);
    EXPECT_EQ(piksel(223 + 3 * 45 + 20, 409 + 20), TColor(0x008000));
    // A click on element 3's block makes it the cursor.
    const int x3 = 223 + 45 + 20;
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, QPoint(SkalaX(x3), SkalaY(319 + 20)));
    EXPECT_EQ(StanPlaylisty.Kursor, 3);
    // "Nast." and "<- Break".
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Wieloslad[8]));
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Wieloslad[3]));
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Wieloslad[4]));
    EXPECT_EQ(StanPlaylisty.Kursor, 5);
    EXPECT_EQ(okno->Przyciski().Wieloslad[4].Stan, 0);

    // "Kolejny" cues the cursor element, as command 3120 does.
    folder.write(u"E.WAV"_s, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 5000)));
    Playlista[4].Adr = folder.file(u"E.WAV"_s);
    StanPlaylisty.Kursor = 4;
    StanPlaylisty.DoGrania = 1;
    QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier, srodek(okno->Przyciski().Wieloslad[9]));
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
}

}  // namespace
