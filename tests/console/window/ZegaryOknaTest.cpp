// The clock labels of the real main window: what the display tick writes,
// where they lie, and where their clicks go.
#include <gtest/gtest.h>

#include <QTest>

#include "console/engine/SilnikEmisji.h"
#include "console/support/OknoTestPomoc.h"
#include "console/commands/PrzyciskiKonsoli.h"
#include "console/window/EtykietaOkna.h"
#include "console/window/PoleStatusuOkna.h"
#include "console/window/TTolv.h"
#include "foundation/KestGrafTypy.h"
#include "playlists/D_Playlista.h"
#include "playlists/NastawyEmisji.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 H = 3'600'000;

class ZegaryOkna : public StanowiskoOkna {
protected:
    void SetUp() override {
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=0"_s, u"Panel2StrefaRoznicaH=-7"_s, u"[Emisja MIX]"_s,
                                    u"SERWISJest=1"_s});
        zegar.set(QDate(2024, 3, 5), 5 * H + 38 * 60'000 + 21'000 + 400);
    }
    void TearDown() override { okno.reset(); }
};

TEST_F(ZegaryOkna, TheTickWritesTheClocksDateAndDeviation) {
    WyczyscPlayliste();
    Playlista[1].Emi = qint32(5 * H + 37 * 60'000);
    Playlista[1].Trw = Playlista[1].NwK = 300'000;
    StanPlaylisty.Ilosc = 1;
    StanPlaylisty.DoGrania = 1;
    okno->TimerWyswietlaczTimer();
    EXPECT_EQ(okno->Czas24Label->text(), u"05:38:21"_s);
    EXPECT_EQ(okno->Czas2Label->text(), u"22:38:21"_s);
    EXPECT_EQ(okno->DataLabel->text(), u"2024-03-05"_s);
    EXPECT_EQ(okno->DeltaTLabel->text(), u"+01:21"_s);
    EXPECT_TRUE(okno->DeltaTLabel->styleSheet().contains(u"color: red"_s));
    EXPECT_FALSE(okno->Czas12Label->isVisible());
    EXPECT_FALSE(okno->AmPmLabel->isVisible());
    EXPECT_TRUE(okno->SerwisLabel->isVisible());

    // The date is red while a time-list block plays.
    okno->Silnik().Stan.PauzaJest = true;
    okno->TimerWyswietlaczTimer();
    EXPECT_TRUE(okno->DataLabel->styleSheet().contains(u"background: red"_s));
}

// Every label of the clocks and the status field shows whole, lies on no
// other and takes its own clicks; the status colour shows on a full gauge;
// the loaded playlist's name stands in its field.
TEST_F(ZegaryOkna, EveryLabelShowsAndTakesItsClickTheStatusKeepsItsColour) {
    PoleStatusuOkna& st = okno->Status();
    const QList<QWidget*> widoczne = {okno->DataLabel,    okno->Czas24Label,   okno->DeltaTLabel,
                                      okno->Czas2Label,   okno->APlistaLabel,  okno->ATlistaLabel,
                                      okno->AutoStopLabel, okno->SerwisLabel,  st.StatusLabel};
    for (QWidget* w : widoczne) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(okno->rect().contains(w->geometry()));
        QWidget* naWierzchu = okno->childAt(w->geometry().center());
        EXPECT_EQ(naWierzchu, w) << (naWierzchu ? naWierzchu->objectName().toStdString() : "the window");
    }
    QList<QWidget*> wszystkie = widoczne;
    wszystkie.removeLast();  // the status label lies over its own bevel
    wszystkie << okno->RDSLabel << okno->RDSTALabel << st.StatusBevel;
    for (int i = 0; i < wszystkie.size(); ++i)
        for (int j = i + 1; j < wszystkie.size(); ++j)
            EXPECT_FALSE(wszystkie[i]->geometry().intersects(wszystkie[j]->geometry()))
                << wszystkie[i]->objectName().toStdString() << " / " << wszystkie[j]->objectName().toStdString();

    struct Stan {
        KolorStatusu kolor;
        qint64 postep;
        QColor widac;
    };
    WyjsciaEmisji& w = okno->Silnik().Wyjscia();
    for (const Stan& s : {Stan{KolorStatusu::Zielony, 4, QColor(0, 128, 0)}, Stan{KolorStatusu::Czerwony, 4, Qt::red},
                          Stan{KolorStatusu::Zielony, 0, QColor(0, 64, 0)}}) {
        w.UstawStatus(u"Obecność nagrań"_s, s.kolor);
        w.UstawMaksimumStatusu(4);
        w.UstawPostepStatusu(s.postep);
        const QImage obraz = st.StatusGauge->grab().toImage();
        EXPECT_EQ(obraz.pixelColor(2, obraz.height() / 2), s.widac) << s.postep;
    }

    // The name field beside the playlist's "x": white text on black.
    const TRect x = okno->Przyciski().Pasek[PUsunPlayliste].Rect;
    const auto bialych = [&] {
        int ile = 0;
        for (int py = x.Top; py <= x.Bottom; ++py)
            for (int px = x.Right + 1; px < okno->width(); ++px) ile += okno->KolorPiksela(px, py) == KolorBialy;
        return ile;
    };
    PlaylistaNazwa = u"I"_s;
    w.OdswiezNazwe();
    const int krotka = bialych();
    PlaylistaNazwa = u"PONIEDZIALEK"_s;
    w.OdswiezNazwe();
    EXPECT_GT(bialych(), krotka + 20);
    PlaylistaNazwa = u"Nie_ma"_s;
}

TEST_F(ZegaryOkna, ModeLabelClicksSwitchTheirModesAndTurnRed) {
    struct Wiersz {
        QLabel* etykieta;
        std::function<bool()> tryb;
    };
    SilnikEmisji& s = okno->Silnik();
    const Wiersz wiersze[] = {
        {okno->APlistaLabel, [] { return Satelita.SatPLJest; }},
        {okno->ATlistaLabel, [] { return Satelita.SatTLJest; }},
        {okno->AutoStopLabel, [&s] { return s.EmisjaFlagaStartu; }},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.etykieta->objectName().toStdString());
        ASSERT_FALSE(w.tryb());
        dialogi.Odpowiedz(OdpowiedzTak);
        QTest::mouseClick(w.etykieta, Qt::LeftButton);
        EXPECT_TRUE(w.tryb());
        EXPECT_TRUE(w.etykieta->styleSheet().contains(u"background: red"_s));
    }
    // AP or AT runs the automatic loading; both off stop it.
    EXPECT_TRUE(okno->PListaAutoodczytTimer->isActive());
    for (QLabel* e : {okno->APlistaLabel, okno->ATlistaLabel}) {
        dialogi.Odpowiedz(OdpowiedzTak);
        QTest::mouseClick(e, Qt::LeftButton);
        EXPECT_FALSE(e->styleSheet().contains(u"background: red"_s));
    }
    EXPECT_FALSE(okno->PListaAutoodczytTimer->isActive());
}

TEST_F(ZegaryOkna, ClockClickPutsTheCursorAtThePresent) {
    WyczyscPlayliste();
    for (qint32 n = 1; n <= 3; ++n) Playlista[n].Emi = qint32((4 + n) * H);
    StanPlaylisty.Ilosc = 3;
    StanPlaylisty.Kursor = 1;
    okno->TimerWyswietlaczTimer();
    QTest::mouseClick(okno->Czas24Label, Qt::LeftButton);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
}

}  // namespace
