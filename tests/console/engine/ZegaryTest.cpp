// The clock display without a window: the deviation and its colours, the
// midnight rule, the hour-boundary variant, the clocks, the date and the
// mode labels, and the datagrams' copies of those texts.
#include <gtest/gtest.h>

#include "console/engine/ZegaryEmisji.h"
#include "console/links/DatagramySilnika.h"
#include "console/support/TrybyRig.h"
#include "foundation/KestSter2.h"

namespace {

constexpr qint64 H = 3'600'000;
constexpr qint64 S = 1000;

struct ZegaryTest : ::testing::Test, TrybyRig {
    // Element n on air at `emi` for `trw` ms, with the scheduler's `sel`.
    void element(qint32 n, qint64 emi, qint64 trw, const QString& sel = {}) {
        TElemPListy& e = Playlista[size_t(n)];
        e = TElemPListy{};
        e.Emi = qint32(emi);
        e.Trw = qint32(trw);
        e.NwK = qint32(trw);
        e.Sel = sel;
        StanPlaylisty.Ilosc = qMax(StanPlaylisty.Ilosc, n);
    }
    WskazaniaZegarow odswiez(qint64 teraz, QDate d = QDate(2024, 3, 5)) {
        return OdswiezZegary(*silnik, d, teraz);
    }
};

}  // namespace

TEST_F(ZegaryTest, DeviationTextAndColourFromTheNextElement) {
    struct Wiersz {
        qint64 planowany, teraz;
        const char* tekst;
        KolorOdchylenia kolor;
    };
    const Wiersz wiersze[] = {
        {12 * H, 12 * H, "00:00", KolorOdchylenia::Silver},
        {12 * H, 12 * H - 10'000, "-00:10", KolorOdchylenia::Silver},
        {12 * H, 12 * H - 10'001, "-00:10", KolorOdchylenia::Green},
        {12 * H, 12 * H - 60'001, "-01:00", KolorOdchylenia::Lime},
        {12 * H, 12 * H + 10'001, "+00:10", KolorOdchylenia::Maroon},
        {12 * H, 12 * H + 60'001, "+01:00", KolorOdchylenia::Red},
        {10 * H, 12 * H, "+> 1h ", KolorOdchylenia::Red},
        {14 * H, 12 * H, "-> 1h", KolorOdchylenia::Lime},
        // Midnight both ways: a quarter of a minute, not a day.
        {24 * H - 10 * S, 5 * S, "+00:15", KolorOdchylenia::Maroon},
        {5 * S, 24 * H - 10 * S, "-00:15", KolorOdchylenia::Green},
    };
    for (const Wiersz& w : wiersze) {
        SCOPED_TRACE(w.tekst);
        element(1, w.planowany, 60 * S);
        StanPlaylisty.DoGrania = 1;
        const WskazaniaZegarow z = odswiez(w.teraz);
        EXPECT_EQ(z.Odchylenie, QString::fromUtf8(w.tekst));
        EXPECT_EQ(z.Kolor, w.kolor);
        // The datagrams send what the label shows.
        EXPECT_EQ(TekstOdchylenia(silnik->OdchylenieWyswietlane), z.Odchylenie);
    }
}

TEST_F(ZegaryTest, ReferenceIsTheLatestPlayingElementAndNothingToMeasureKeepsTheValue) {
    element(1, 12 * H, 60 * S);
    element(2, 12 * H + 60 * S, 60 * S);
    element(3, 12 * H + 120 * S, 60 * S);
    StanPlaylisty.DoGrania = 2;
    // Deck 1 started element 1 at 12:00:20, deck 2 element 2 at 12:01:30;
    // an element past next-to-play (deck 3) is not the reference.
    silnik->SlotGra[1] = 1;
    silnik->Odtwarzacz[1].Element = 1;
    silnik->Odtwarzacz[1].StartMS = qint32(12 * H + 20 * S);
    silnik->SlotGra[2] = 1;
    silnik->Odtwarzacz[2].Element = 2;
    silnik->Odtwarzacz[2].StartMS = qint32(12 * H + 90 * S);
    silnik->SlotGra[3] = 1;
    silnik->Odtwarzacz[3].Element = 3;
    silnik->Odtwarzacz[3].StartMS = qint32(12 * H);
    odswiez(13 * H);
    EXPECT_EQ(silnik->PrzesuniecieCzasu, 30'000);

    // After a load next-to-play is 0 and nothing plays; an untimed next
    // element; the playlist being moved: the value stays.
    silnik->SlotGra = {};
    StanPlaylisty.DoGrania = 0;
    EXPECT_EQ(odswiez(13 * H).Odchylenie, QStringLiteral("+00:30"));
    StanPlaylisty.DoGrania = 3;
    Playlista[3].Emi = -1;
    odswiez(13 * H);
    EXPECT_EQ(silnik->PrzesuniecieCzasu, 30'000);
    Playlista[3].Emi = qint32(12 * H);
    silnik->PlaylistaZmieniona = true;
    odswiez(13 * H);
    EXPECT_EQ(silnik->PrzesuniecieCzasu, 30'000);
}

TEST_F(ZegaryTest, HourBoundaryVariantMeasuresAtTheMarkedElementOrTheEnd) {
    Emisja.CzyCzasPrzelGodz = true;
    element(1, 12 * H + 50 * 60 * S, 5 * 60 * S);
    element(2, 12 * H + 55 * 60 * S, 5 * 60 * S);
    element(3, 13 * H + 20 * S, 3 * 60 * S, QStringLiteral("13:00:00"));
    StanPlaylisty.DoGrania = 1;
    // The marked element airs 20 s after its hour.
    EXPECT_EQ(odswiez(12 * H + 50 * 60 * S).Odchylenie, QStringLiteral("+00:20"));
    // With the time correction the broadcast's own deviation adds.
    silnik->Stan.KorektaCzasuJest = true;
    EXPECT_EQ(odswiez(12 * H + 50 * 60 * S + 5 * S).Odchylenie, QStringLiteral("+00:25"));
    EXPECT_EQ(silnik->PrzesuniecieCzasu, 5000);
    silnik->Stan.KorektaCzasuJest = false;

    // No mark: the last element's end against the next full hour, across
    // midnight as well.
    Playlista[3].Sel = QString();
    element(3, 23 * H + 58 * 60 * S, 3 * 60 * S);
    EXPECT_EQ(odswiez(12 * H + 50 * 60 * S).Odchylenie, QStringLiteral("+01:00"));
}

TEST_F(ZegaryTest, ClocksDateAndModeLabels) {
    Nastawy.Panel2StrefaRoznicaH = -7;
    WskazaniaZegarow z = odswiez(5 * H + 38 * 60 * S + 21 * S);
    EXPECT_EQ(z.Czas24, QStringLiteral("05:38:21"));
    EXPECT_EQ(z.Czas2, QStringLiteral("22:38:21"));
    EXPECT_EQ(z.Czas12 + z.AmPm, QStringLiteral("5:38:21AM"));
    EXPECT_EQ(z.Data, QStringLiteral("2024-03-05"));
    EXPECT_EQ(odswiez(17 * H).Czas12 + odswiez(17 * H).AmPm, QStringLiteral("5:00:00PM"));
    Satelita.SatPLNazwaFormat = QStringLiteral("MMDDRRRR");
    EXPECT_EQ(odswiez(0).Data, QStringLiteral("03/05/2024"));

    struct Tryby {
        bool pl, tl, start, serwis;
    };
    for (const Tryby t : {Tryby{true, false, false, false}, Tryby{false, true, true, true}, Tryby{false, false, false, true},
                          Tryby{true, true, true, false}}) {
        Satelita.SatPLJest = t.pl;
        Satelita.SatTLJest = t.tl;
        silnik->EmisjaFlagaStartu = t.start;
        Emisja.SERWISJest = t.serwis;
        z = odswiez(12 * H);
        EXPECT_EQ(z.APCzerwona, t.pl);
        EXPECT_EQ(z.ATCzerwona, t.tl);
        EXPECT_EQ(z.ASCzerwona, t.start);
        EXPECT_EQ(z.SerwisWidoczny, t.serwis);
        EXPECT_EQ(zegary.Wlaczony(TimerKonsoli::PListaAutoodczyt), t.pl || t.tl);
    }
}

TEST_F(ZegaryTest, ClockClickPutsTheCursorOnTheFirstElementFromNow) {
    element(1, 11 * H, 60 * S);
    element(2, 12 * H, 60 * S);
    element(3, 13 * H, 60 * S);
    StanPlaylisty.Kursor = 1;
    EXPECT_TRUE(KursorNaTeraz(12 * H + S));
    EXPECT_EQ(StanPlaylisty.Kursor, 3);
    EXPECT_FALSE(KursorNaTeraz(14 * H));
    EXPECT_EQ(StanPlaylisty.Kursor, 3);
}
