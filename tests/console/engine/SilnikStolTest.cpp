// Desk inputs, the semiautomatic hand-over and the announcement of the
// next elements.
#include "console/support/SilnikRig.h"

#include "foundation/KestWej.h"

namespace {

// Feeds the desk word: each call to the poll sees `slowa` in turn.
struct Stol {
    explicit Stol(SilnikRig& r) : r(r) {
        r.silnik->StolSterowanie = true;
        Emisja.StartStol = true;
        Emisja.StopStol = true;
        SlowoGPI = SlowoGPISpoczynek;
        r.silnik->SprawdzWejscia = [this] {
            if (nowe == SlowoGPI) return false;
            SlowoGPIPoprzednie = SlowoGPI;
            SlowoGPI = nowe;
            return true;
        };
        nowe = SlowoGPISpoczynek;
    }
    void ustaw(quint16 slowo) {
        nowe = slowo;
        r.tik();
    }
    SilnikRig& r;
    quint16 nowe;
};

}  // namespace

TEST(SilnikStol, FaderStartsAndStopsThePlayerOfItsChannel) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 20'000), H12, 20'000);
    r.dodaj(r.wav("b.wav", 20'000), H12 + 20'000, 20'000);
    r.dodaj(r.wav("c.wav", 20'000), H12 + 40'000, 20'000);  // left for Automat
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    Stol stol(r);

    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer1);  // fader 1 opens: its bit falls
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    EXPECT_TRUE(r.silnik->StartZeStolu);
    EXPECT_TRUE(r.silnik->StolStop2);
    EXPECT_EQ(r.logiZ("START").value(0).left(26), "1 0 0 0 P S S STOL START 1");
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);

    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer1 & ~BitGPIPlayer2);  // fader 2 opens
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2);

    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer2);  // fader 1 closes: player 1 ends
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
    EXPECT_EQ(r.stan.OdtwarzaczZajety[2], 1);

    // Input 7 (0x1000) toggles Automat; the tone bit falling hands the air
    // over: Automat off and fades requested (logged " TONE_Z" outside Automat).
    stol.ustaw((SlowoGPISpoczynek & ~BitGPIPlayer2) | 0x1000);
    EXPECT_TRUE(r.stan.TrybAutomat);
    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer2 & ~0x0020);
    EXPECT_FALSE(r.stan.TrybAutomat);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].FadeZadanie, 1);
    EXPECT_EQ(r.silnik->DecyzjaGPIStart, 1);
    EXPECT_TRUE(r.logiZ(" TONE_Z").isEmpty());
    // The hand-over switched SAT on: the desk's first block is closed now.
    EXPECT_TRUE(r.silnik->SatWlaczony);
    EXPECT_EQ(r.logiZ("SAT ON").size(), 1);
    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer2);
    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer2 & ~0x0020);
    EXPECT_TRUE(r.logiZ(" TONE_Z").isEmpty());
}

TEST(SilnikStol, NoDeskWithoutDeskControlAndAFaderOpenedInMoveModeStartsWhenItEnds) {
    SilnikRig r;
    r.dodaj(r.wav("a.wav", 20'000), H12, 20'000);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    Stol stol(r);
    r.silnik->StolSterowanie = false;
    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer1);
    EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
    r.silnik->StolSterowanie = true;
    stol.ustaw(SlowoGPISpoczynek);
    for (bool blok : {false, true}) {
        SCOPED_TRACE(blok ? "block" : "move");
        (blok ? r.stan.TrybBloku : r.stan.TrybPrzesuwania) = true;
        stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer1);  // fader 1 opens while moving
        r.tik(5);
        EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
        (blok ? r.stan.TrybBloku : r.stan.TrybPrzesuwania) = false;
        r.tik();  // the mode ended: the open fader is read now
        EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 1);
        stol.ustaw(SlowoGPISpoczynek);  // and it closes: player 1 ends
        EXPECT_EQ(r.stan.OdtwarzaczZajety[1], 0);
        StanPlaylisty.DoGrania = 1;
        Playlista[1].Typ &= ~TypZagrany;
    }
}

TEST(SilnikStol, AnIdleDecksStopDoesNothing) {
    SilnikRig r;
    Stol stol(r);
    r.gracze.UtworzOdtwarzacz(1);  // the deck has a player, idle
    r.silnik->PrzelaczSat();
    r.tik(30);  // the satellite feed is up
    ASSERT_FALSE(r.silnik->SatWejscie);
    const QStringList przed = r.logi();
    r.silnik->PrzyciskStop(1);  // a stray click on the idle deck's STOP
    r.tik();
    EXPECT_FALSE(r.silnik->SatWejscie);  // no second fade-in of the feed
    r.silnik->PrzelaczSat();
    stol.ustaw(SlowoGPISpoczynek & ~BitGPIPlayer1);
    stol.ustaw(SlowoGPISpoczynek);  // the desk's stop of player 1 (idle)
    const QStringList po = r.logi();
    EXPECT_EQ(po.mid(przed.size()), QStringList{"SAT OFF"});
}

TEST(SilnikStol, MicrophoneBitDucksAndReleases) {
    SilnikRig r;
    Wgrywanie.KaczkaPoziomdB = 6;
    Wgrywanie.KaczkaWejscieMS = 0;
    Wgrywanie.KaczkaWyjscieMS = 0;
    Stol stol(r);
    stol.ustaw(SlowoGPISpoczynek | 0x0002);
    r.tik();
    EXPECT_EQ(r.silnik->KaczkaPoziom, -600);
    stol.ustaw(SlowoGPISpoczynek);
    r.tik();
    EXPECT_EQ(r.silnik->KaczkaPoziom, 0);
}

TEST(SilnikStol, SemiautomaticElementStartsAtItsMixPointOutsideAutomat) {
    SilnikRig r;
    Emisja.CiszaGra = true;
    r.dodaj(r.wav("a.wav", 10'000), H12, 10'000);
    r.dodaj(r.wav("b.wav", 10'000), H12 + 9'000, 10'000).Aut = 1;
    r.dodaj(r.wav("c.wav", 10'000), H12 + 19'000, 10'000);
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    r.tik();
    EXPECT_TRUE(r.silnik->SemiAutomatJest);
    const int tiki = r.tikDo([&] { return r.silnik->Odtwarzacz[2].Element == 2; }, 1000);
    EXPECT_EQ(tiki, 300 - 1);
    r.tik();
    EXPECT_FALSE(r.silnik->SemiAutomatJest);  // element 3 is not marked
    EXPECT_FALSE(r.stan.TrybAutomat);
    // Element 3 is not semiautomatic: it waits for the operator.
    r.tik(400);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 0);
}

TEST(SilnikStol, TheNextElementIsAnnouncedWithTheFourAfterIt) {
    SilnikRig r;
    const QString w = r.wav("a.wav", 2'000);
    r.dodaj(w, H12, 2'000);
    r.dodaj(w, H12 + 2'000, 2'000).Aut = 1;
    r.dodaj(w, H12 + 4'000, 2'000, RodzajJNG);
    r.dodaj(w, H12 + 6'000, 2'000);
    r.dodaj(QString(), H12 + 8'000, 0, RodzajINF);
    r.dodaj(r.dir.file("brak.wav"), H12 + 8'000, 2'000);
    r.dodaj(w, H12 + 10'000, 2'000);
    r.dodaj(w, H12 + 12'000, 2'000);
    r.silnik->PrzesuniecieCzasu = 1'500;
    r.silnik->Pliki.Oproznij();  // what is missing is known from the presence worker
    StanPlaylisty.Kursor = 2;
    r.silnik->KursorNaNastepny();
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_EQ(r.wyjscia.zdarzenia, (QStringList{"0 DO GRANIA 2", "0 DO GRANIA2 3", "0 DO GRANIA3 4",
                                                "0 DO GRANIA4 7", "0 DO GRANIA5 8"}));
    EXPECT_EQ(r.logiZ("DO GRANIA"), QStringList{"0 0 0 0 S S S KLAW DO GRANIA E2 1 12:00:03.500"});
    // An element without a file cannot become the next one.
    StanPlaylisty.Kursor = 6;
    r.silnik->KursorNaNastepny();
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
}

TEST(SilnikStol, PaletteAndAdvertPlaceholdersTakeTheirOwnPaths) {
    SilnikRig r;
    r.dir.write("PALETA1.SIN", "x");
    r.dodaj(QString(), H12, 0, RodzajINF).Tyt = "PALETA:" + r.dir.file("PALETA1.SIN");
    r.dodaj(QString(), H12, 0, RodzajINF).Tyt = "PALETA:" + r.dir.file("BRAK.SIN");
    StanPlaylisty.Kursor = 1;
    r.graj(0, TrybKursor, ZrodloKlaw);
    StanPlaylisty.Kursor = 2;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_TRUE(r.logiZ("BRAK NAGRANIA").isEmpty());
    r.dialogi.Odpowiedz(OdpowiedzTak);
    struct Palety final : WyjsciaEmisji {
        void CzytajZestawSingli(const QString& p) override { plik = p; }
        QString plik;
    } palety;
    r.silnik->UstawWyjscia(&palety);
    r.silnik->PokazKomunikaty();
    EXPECT_EQ(palety.plik, r.dir.file("PALETA1.SIN"));
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Info).value(0).teksty,
              (QStringList{"Nie odnaleziono zbioru:", r.dir.file("BRAK.SIN")}));

    // An advert placeholder with its block in the time list plays the block.
    struct Bloki final : WyjsciaEmisji {
        void EmitujPozycjeTimelisty(quint8 o, int t) override { bloki << QString::number(o) + "/" + QString::number(t); }
        QStringList bloki;
    } bloki;
    r.silnik->UstawWyjscia(&bloki);
    Emisja.CzyReklamaJakoBelka = true;
    StanTimelisty.Ilosc = 2;
    Timelista[1].Czas = 9 * 3600;
    Timelista[2].Czas = 13 * 3600;
    r.dodaj(QString(), H12, 60'000, RodzajREK).Tyt = QStringLiteral("Reklama o 13:00");
    StanPlaylisty.Kursor = 3;
    r.graj(0, TrybKursor, ZrodloKlaw);
    EXPECT_EQ(bloki.bloki, QStringList{"0/0"});
    EXPECT_EQ(StanTimelisty.Kursor, 2);
    EXPECT_EQ(r.stan.ElementStartowany, 3);
}
