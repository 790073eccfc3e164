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

    // The 24-hour clock: white, red while Automat waits with players 1-3 idle, yellow while ducked.
    EXPECT_TRUE(okno->Czas24Label->styleSheet().contains(u"color: white"_s));
    SilnikEmisji& s = okno->Silnik();
    s.Stan.TrybAutomat = true;
    okno->Timer1Timer();
    okno->TimerWyswietlaczTimer();
    EXPECT_TRUE(okno->Czas24Label->styleSheet().contains(u"color: red"_s));
    EXPECT_EQ(s.CzasCiszy, SilnikEmisji::InterwalTimer1);
    s.Stan.TrybAutomat = false;
    s.KaczkaPoziom = -600;
    okno->Timer1Timer();
    okno->TimerWyswietlaczTimer();
    EXPECT_TRUE(okno->Czas24Label->styleSheet().contains(u"color: yellow"_s));
    EXPECT_EQ(s.CzasCiszy, 0);
}

// Every label of the clocks takes its own clicks and lies on no other, nor
// on the status field; a full gauge keeps the status colour; the name field
// shows the loaded playlist's name.
TEST_F(ZegaryOkna, EveryLabelShowsAndTakesItsClickTheStatusKeepsItsColour) {
    PoleStatusuOkna& st = okno->Status();
    const QList<QWidget*> pola = {okno->DataLabel,     okno->Czas24Label,  okno->DeltaTLabel, okno->Czas2Label,
                                  okno->APlistaLabel,  okno->ATlistaLabel, okno->AutoStopLabel, okno->SerwisLabel,
                                  st.StatusBevel,      okno->RDSLabel,     okno->RDSTALabel};
    for (int i = 0; i < pola.size(); ++i) {
        if (i < 8) EXPECT_EQ(okno->childAt(pola[i]->geometry().center()), pola[i]) << i;  // shown, on top
        for (int j = i + 1; j < pola.size(); ++j) EXPECT_FALSE(pola[i]->geometry().intersects(pola[j]->geometry())) << i << j;
    }
    WyjsciaEmisji& w = okno->Silnik().Wyjscia();
    for (const auto& [kolor, widac] : {std::pair{KolorStatusu::Zielony, QColor(0, 128, 0)}, {KolorStatusu::Czerwony, QColor(Qt::red)}}) {
        w.UstawStatus(u"Obecność nagrań"_s, kolor);
        w.UstawMaksimumStatusu(4);
        w.UstawPostepStatusu(4);
        EXPECT_EQ(st.StatusGauge->grab().toImage().pixelColor(2, 2), widac);
    }
    const TRect x = okno->Przyciski().Pasek[PUsunPlayliste].Rect;  // the field is right of the playlist's "x"
    const auto pole = [&] { return okno->Plotno().copy(x.Right + 1, x.Top, okno->width() - x.Right - 1, x.Bottom - x.Top + 1); };
    const QImage przed = pole();
    PlaylistaNazwa = u"PONIEDZIALEK"_s;
    w.OdswiezNazwe();
    EXPECT_NE(pole(), przed);
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
