// The deck panel drawn offscreen from the engine in each of its colour
// states. Set TOLVANE_OBRAZY to a folder to keep the pictures.
#include "console/support/SilnikRig.h"

#include <QDir>

#include "console/window/PanelOdtwarzacza.h"

namespace {

bool zawieraKolor(const TRForm& f, const TRect& r, TColor kolor) {
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            if (f.KolorPiksela(x, y) == kolor) return true;
    return false;
}

void zachowaj(TRForm& f, const QString& nazwa) {
    const QString folder = qEnvironmentVariable("TOLVANE_OBRAZY");
    if (!folder.isEmpty()) f.Plotno().save(QDir(folder).filePath(nazwa + ".png"));
}

}  // namespace

TEST(SilnikPanel, DeckColoursFollowTheElementsTimes) {
    SilnikRig r;
    TElemPListy& e = r.dodaj(r.wav("a.wav", 30'000), H12, 30'000);
    e.Int = 5'000;
    e.Wyk = QStringLiteral("Wykonawca");
    TRForm f;
    f.resize(480, 240);
    PanelOdtwarzaczaType p;
    TRect rect;
    Prostokat(rect, 10, 10, 469, 229);
    UkladOdtwarzacza(f, p, rect, 1);
    EXPECT_EQ(p.Stop.Kod, 1001);
    EXPECT_EQ(p.FOut.Kod, 1002);
    EXPECT_LT(p.Stop.Rect.Right, p.FOut.Rect.Left);
    EXPECT_EQ(p.Stop.Rect.Right - p.Stop.Rect.Left, p.FOut.Rect.Right - p.FOut.Rect.Left);

    auto rysuj = [&](const QString& nazwa) {
        r.silnik->OdswiezOdtwarzacz(1);
        RysujOdtwarzacz(f, p, r.silnik->Odtwarzacz[1], r.silnik->Widok[1]);
        zachowaj(f, nazwa);
    };
    StanPlaylisty.Kursor = 1;
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    r.tik(50);
    rysuj("deck-intro");
    EXPECT_TRUE(zawieraKolor(f, p.PoleCzasu, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Intro)));
    EXPECT_TRUE(zawieraKolor(f, p.Pasek.Rect, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Intro)));

    r.tik(200);
    rysuj("deck-normal");
    EXPECT_EQ(r.silnik->Widok[1].Stan, StanCzasuOdtwarzacza::Normalny);
    EXPECT_TRUE(zawieraKolor(f, p.PoleCzasu, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Normalny)));
    EXPECT_FALSE(zawieraKolor(f, p.PoleCzasu, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Intro)));

    r.tik(400);  // 19.5 s played: within the 20 s warning
    rysuj("deck-warning");
    EXPECT_EQ(r.silnik->Widok[1].Stan, StanCzasuOdtwarzacza::Ostrzezenie);
    EXPECT_TRUE(zawieraKolor(f, p.PoleCzasu, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Ostrzezenie)));
    // Refreshes that changed only the time, its colour and the bar drew only
    // those: the picture is the one a whole panel drawn now would be.
    const QRect panel(rect.Left, rect.Top, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1);
    const QImage czesciami = f.Plotno().copy(panel);
    p.Narysowany.reset();
    RysujOdtwarzacz(f, p, r.silnik->Odtwarzacz[1], r.silnik->Widok[1]);
    EXPECT_EQ(f.Plotno().copy(panel), czesciami);

    r.silnik->Odtwarzacz[1].FadeTrwa = 1;
    rysuj("deck-fading");
    EXPECT_EQ(p.FOut.Stan, 1);

    r.silnik->PrzyciskStop(1);
    rysuj("deck-stopped");
    EXPECT_TRUE(zawieraKolor(f, p.PoleCzasu, KolorCzasuOdtwarzacza(StanCzasuOdtwarzacza::Zatrzymany)));
    EXPECT_EQ(p.FOut.Stan, 0);
    EXPECT_EQ(TekstCzasuOdtwarzacza(0), "00:00");
    Emisja.PlayerCzasFormat = 1;
    EXPECT_EQ(TekstCzasuOdtwarzacza(83'456), "01:23.4");
}

TEST(SilnikPanel, ButtonsStopAndFadeTheDeck) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 30'000), H12, 30'000);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    TRForm f;
    f.resize(480, 240);
    PanelOdtwarzaczaType p;
    TRect rect;
    Prostokat(rect, 10, 10, 469, 229);
    UkladOdtwarzacza(f, p, rect, 1);
    auto klik = [&](const BUTTONType& b) {
        Zdarzenie = ZdarzenieType{ZdarzenieMysz, 0, (b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2};
        MyszPunkt = QPoint(Zdarzenie.X, Zdarzenie.Y);
        MyszPrzycisk = 1;
        return ObsluzPrzyciskiOdtwarzacza(f, p, *r.silnik, 1);
    };
    EXPECT_TRUE(klik(p.FOut));
    EXPECT_EQ(r.silnik->Odtwarzacz[1].FadeZadanie, 1);
    r.silnik->SemiAutomatJest = true;
    EXPECT_TRUE(klik(p.Stop));
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
    EXPECT_FALSE(r.silnik->SemiAutomatJest);
    Zdarzenie = ZdarzenieType{ZdarzenieKlawisz, 0x011B, 0, 0};
    EXPECT_TRUE(ObsluzPrzyciskiOdtwarzacza(f, p, *r.silnik, 1));
    EXPECT_EQ(Zdarzenie.Kod, OdpowiedzOpusc);
}
