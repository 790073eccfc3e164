// The on-air loop's levels: the envelope of players 1 and 2, ducking under
// player 3 and the microphone, the satellite input fade; the end of an
// element by state and by position; the deck refresh's times and colours.
#include "console/support/SilnikRig.h"

#include "playlists/D_Crossfade.h"

namespace {

// Starts element `n` by key on the first free player.
void graj(SilnikRig& r, int n) {
    StanPlaylisty.Kursor = n;
    // Prepared ahead, as the operator finds it: the start is made at once.
    r.silnik->OproznijPrzygotowania();
    r.graj(0, TrybKursor, ZrodloKlaw);
}

// Ticks until player `s`'s position (ms from its file start) reaches `ms`.
void doPozycji(SilnikRig& r, quint8 s, qint64 ms) {
    r.tikDo([&] { return r.silnik->Odtwarzacz[s].Pozycja - r.silnik->Odtwarzacz[s].Emi >= ms; });
}

// Moves the clock so that player `s` stands exactly at `ms` and runs one tick.
void naPozycji(SilnikRig& r, quint8 s, qint64 ms) {
    r.zegar.advance(ms - r.gracze.PozycjaOdtwarzacza(s));
    r.silnik->Pliki.Oproznij();
    r.silnik->OproznijPrzygotowania();
    r.silnik->Timer1Timer();
}

}  // namespace

TEST(SilnikPetla, EnvelopeFollowsTheFadeCurvesOfPlayersOneAndTwo) {
    SilnikRig r;
    TElemPListy& e = r.dodaj(r.wav("a.wav", 20'000), H12, 20'000);
    e.NwP = 1'000;
    e.FIn = 3'000;
    e.FOu = 16'000;
    e.NwK = 18'000;
    e.FIT = KrzywaSinus;
    e.FOT = KrzywaLiniowa;
    e.Wzm = -100;
    TElemPListy& f = r.dodaj(r.wav("b.wav", 20'000), H12, 20'000);
    f.FIn = 4'000;
    f.FIT = KrzywaKwadrat;
    Emisja.Poziom0SND = -1;

    // A fade-in starts from silence; the tick after the start takes it up.
    graj(r, 1);
    EXPECT_EQ(r.gracze[1].glosnosci.front(), -10'000);
    graj(r, 2);
    EXPECT_EQ(r.gracze[2].glosnosci.front(), -10'000);

    // Player 1 at 2 000: half of a 2 000 ms sine fade-in; player 2 at 1 000:
    // a quarter of a 4 000 ms quadratic one.
    naPozycji(r, 1, 2'000);
    EXPECT_EQ(r.gracze[1].glosnosc, 3535 - 5000 - 100 - 100);
    EXPECT_EQ(r.gracze[2].glosnosc, 5000 / 16 - 5000 - 100);

    doPozycji(r, 1, 10'000);
    EXPECT_EQ(r.gracze[1].glosnosc, -200);  // between the fades: trim and gain only
    naPozycji(r, 1, 16'500);
    EXPECT_EQ(r.gracze[1].glosnosc, 3750 - 5000 - 200);
    // The volume is written only when it changes.
    const auto& v = r.gracze[2].glosnosci;
    for (size_t i = 1; i < v.size(); ++i)
        EXPECT_NE(v[i], v[i - 1]);

    // At NwK the element is ended even though its file goes on.
    doPozycji(r, 1, 18'000);
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
    EXPECT_EQ(r.gracze.StanOdtwarzacza(1), 0);
}

TEST(SilnikPetla, PlayerThreeDucksTheDecks) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 30'000), H12, 30'000);
    TElemPListy& dj = r.dodaj(r.wav("dj.wav", 10'000), H12 + 5'000, 10'000, RodzajDJ_);
    dj.Kac = -1200;
    dj.KFI = 2'000;
    dj.KFO = 8'000;
    dj.FIn = 500;  // a fade-in on player 3 must not leave it silent
    graj(r, 1);
    ElemPListyRob = dj;
    r.graj(3, TrybRoboczy, ZrodloProg);
    EXPECT_EQ(r.gracze[3].glosnosc, 0);

    naPozycji(r, 3, 1'000);
    EXPECT_EQ(r.silnik->DuckingOdtwarzacza3, -600);
    EXPECT_EQ(r.gracze[1].glosnosc, -600);
    for (qint64 p : {2'000, 5'000, 8'000}) {
        naPozycji(r, 3, p);
        EXPECT_EQ(r.gracze[1].glosnosc, -1200) << p;
    }
    naPozycji(r, 3, 9'000);
    EXPECT_EQ(r.gracze[1].glosnosc, -600);
    r.tikDo([&] { return r.stan.OdtwarzaczZajety[3] == 0; });
    r.tik();
    EXPECT_EQ(r.gracze[1].glosnosc, 0);
}

TEST(SilnikPetla, MicrophoneDuckRampsAndColoursTheClock) {
    SilnikRig r;
    Wgrywanie.KaczkaPoziomdB = 10;
    Wgrywanie.KaczkaWejscieMS = 300;
    Wgrywanie.KaczkaWyjscieMS = 0;
    r.dodaj(r.wav("a.wav", 30'000), H12, 30'000);
    graj(r, 1);
    r.silnik->KaczkaWejscieStart = true;
    r.tik();
    EXPECT_EQ(r.silnik->KaczkaPoziom, -100);
    r.tik(9);
    EXPECT_EQ(r.silnik->KaczkaPoziom, -1000);
    EXPECT_FALSE(r.silnik->KaczkaWejscie);
    r.tik();
    EXPECT_EQ(r.gracze[1].glosnosc, -1000);
    EXPECT_EQ(r.silnik->KolorZegaraEmisji, KolorZegara::Zolty);
    r.silnik->KaczkaWyjscieStart = true;  // a time of 0: at once
    r.tik();
    EXPECT_EQ(r.silnik->KaczkaPoziom, 0);
    r.tik();
    EXPECT_EQ(r.silnik->KolorZegaraEmisji, KolorZegara::Bialy);
}

TEST(SilnikPetla, SatelliteFadeInOpensOnTheSixthTickAndIsFullOnTheTwentyThird) {
    SilnikRig r;
    ASSERT_EQ(Satelita.SatFadeInMS, 500);
    r.silnik->SatWejscieStart = true;
    for (int t = 1; t <= 5; ++t) {
        r.tik();
        EXPECT_TRUE(r.gracze.systemowe.empty()) << t;
    }
    r.tik();
    EXPECT_EQ(r.gracze.systemowe, std::vector<int>{0});
    r.tik(16);
    EXPECT_EQ(r.gracze.systemowe.back(), 16 * 3930);
    r.tik();
    EXPECT_EQ(r.gracze.systemowe.back(), 65'500);
    EXPECT_FALSE(r.silnik->SatWejscie);
    EXPECT_EQ(r.silnik->KolorZegaraEmisji, KolorZegara::Czerwony);

    // Fade-out with a time of 0 closes at once.
    Satelita.SatFadeOutMS = 0;
    r.silnik->SatWyjscieStart = true;
    r.tik();
    EXPECT_EQ(r.gracze.systemowe.back(), 0);
    EXPECT_EQ(r.silnik->SatPoziom, 0);
}

TEST(SilnikPetla, APlayerThatStopsByItselfIsEndedOnceAtTheNextTick) {
    struct Licznik final : SilnikEmisji {
        using SilnikEmisji::SilnikEmisji;
        void KoniecEmisji(quint8 slot, quint8 powod) override {
            konce << QString::number(slot) + "/" + QString::number(powod);
            SilnikEmisji::KoniecEmisji(slot, powod);
        }
        QStringList konce;
    };
    SilnikRig r;
    Licznik silnik(r.stan, r.gracze, &r.wyjscia);
    TElemPListy& e = r.dodaj(r.wav("a.wav", 1'000), H12, 1'000);
    e.NwK = 5'000;  // planned longer than the file: the player stops first
    StanPlaylisty.Kursor = 1;
    silnik.GrajKolejny(0, TrybKursor, ZrodloKlaw);
    for (int i = 0; i < 60; ++i) {
        r.zegar.advance(30);
        silnik.Pliki.Oproznij();
        silnik.OproznijPrzygotowania();
        silnik.Timer1Timer();
    }
    EXPECT_EQ(silnik.konce, QStringList{"1/0"});
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
}

TEST(SilnikPetla, DeckRefreshShowsIntroRemainingAndWarningTimes) {
    SilnikRig r;
    TElemPListy& e = r.dodaj(r.wav("a.wav", 60'000), H12, 60'000);
    e.NwP = 2'000;
    e.Int = 15'000;
    e.Out = 48'000;
    graj(r, 1);
    SilnikEmisji& s = *r.silnik;

    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Widok[1].Stan, StanCzasuOdtwarzacza::Intro);
    EXPECT_EQ(s.Widok[1].Czas, 13'000);
    r.tik(500);  // 15 s played
    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Widok[1].Stan, StanCzasuOdtwarzacza::Normalny);
    EXPECT_EQ(s.Widok[1].Czas, 43'000);
    EXPECT_EQ(s.Odtwarzacz[1].Udzial, 15'000 * 1000 / 58'000);

    // The warning is the outro with the switch on: red from 12 s before NwK.
    Emisja.CzyZnaczOutro = true;
    doPozycji(r, 1, 48'010);
    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Widok[1].Stan, StanCzasuOdtwarzacza::Ostrzezenie);
    doPozycji(r, 1, 59'600);
    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Widok[1].Stan, StanCzasuOdtwarzacza::Normalny);  // the last 500 ms

    // Seeking back never lowers the played share.
    const qint32 udzial = s.Odtwarzacz[1].Udzial;
    r.gracze.UstawPozycjeOdtwarzacza(1, 3'000);
    r.gracze.GrajOdtwarzacz(1);
    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Odtwarzacz[1].Udzial, udzial);

    // A stopped slot shows 0, stopped.
    s.PrzyciskStop(1);
    s.OdswiezOdtwarzacz(1);
    EXPECT_EQ(s.Widok[1].Stan, StanCzasuOdtwarzacza::Zatrzymany);
    EXPECT_EQ(s.Widok[1].Czas, 0);
}

TEST(SilnikPetla, InfoFileIsWrittenOnceAfterASecondOfPlay) {
    SilnikRig r;
    Emisja.CzyInfoZbiorJest = true;
    r.dodaj(r.wav("a.wav", 5'000), H12, 5'000);
    graj(r, 1);
    for (int i = 0; i < 60; ++i) {
        r.tik();
        r.silnik->OdswiezOdtwarzacze();
    }
    EXPECT_EQ(r.wyjscia.zdarzenia.filter("INFO"), QStringList{"INFO 1"});
}
