// The mix editor window: the preview's levels and cursor on the manual
// clock, the handles dragged with the mouse, keys, and showing and closing.
#include "mixeditor/OknoMiksuFixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QDir>
#include <QTest>

#include "foundation/DDecyzjaCzas.h"
#include "foundation/KestGraf2.h"
#include "foundation/KestPods2.h"
#include "foundation/KestWej.h"
#include "mixeditor/PodgladMiksu.h"

using namespace Qt::StringLiterals;

namespace {

const Elem A{u"SND"_s, EmiA, TrwA};
const Elem B{u"SND"_s, EmiB, TrwB};
Elem dj(qint32 emi, qint32 trw) { return {u"DJ_"_s, emi, trw}; }
// Two voice tracks on screen between the songs.
const std::vector<Elem> ZGlosami{A, dj(36'180'000, 5'000), dj(36'188'000, 5'000), B};

}  // namespace

TEST_F(OknoMiksuTest, PreviewLevelsFollowTheOnAirArithmetic) {
    struct Przypadek {
        const char* opis;
        qint32 trim, wzmocnienie, kaczka;
        int glosnosc;
    } przypadki[] = {
        {"the linear fade-out half way", 0, 0, 0, -2500},
        {"with the kind's trim and the track's gain", -2, -300, 0, -3000},
        {"with a voice 250 ms into its 500 ms duck-in", -2, -300, -1200, -3600},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        pokaz({A, dj(36'193'750, 20'000), B});
        Emisja.Poziom0SND = p.trim;
        auto& s1 = SladyMiksu[SladPiosenki1];
        s1.PoczatekFadeOut = 36'190'000;
        s1.NowyKoniec = 36'198'000;
        s1.Wzmocnienie = p.wzmocnienie;
        auto& g = SladyMiksu[SladGlosu1];
        ASSERT_TRUE(g.Uzyty);
        g.KoniecKaczkiWe = g.NowyPoczatek + 500;
        g.PoziomKaczki = p.kaczka;
        const auto przed = gracze[1].glosnosci.size();
        Zakresy.KursorPodgladu = 36'193'970;
        okno->StartPodgladu();
        tik();
        EXPECT_EQ(Zakresy.KursorPodgladu, 36'194'000);
        EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(1), 1);
        EXPECT_EQ(gracze[1].pozycje.back(), 194'000);
        // One volume per player and tick, set before it plays.
        EXPECT_EQ(std::vector<int>(gracze[1].glosnosci.begin() + przed, gracze[1].glosnosci.end()), std::vector<int>{p.glosnosc});
        EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(2), 0) << "song 2 starts later";
        okno.reset();
    }
}

TEST_F(OknoMiksuTest, LevelHelpersAtTheirLimits) {
    // A gain handle 20 px into a 91 px box, at the top, past the bottom.
    EXPECT_EQ(WzmocnienieUchwytu(20, 91), -659);
    EXPECT_EQ(WzmocnienieUchwytu(0, 91), 0);
    EXPECT_EQ(WzmocnienieUchwytu(400, 91), -9000);
    // The input meter: -20 dB, silence at the bottom of the scale.
    EXPECT_EQ(PoziomMiernika(3280), -20);
    EXPECT_EQ(PoziomMiernika(0), -60);
    EXPECT_EQ(PoziomMiernika(-32768), 0);
    // The bars shrink with the gain but never turn over.
    EXPECT_EQ(CzynnikWzmocnienia(0), 1.0);
    EXPECT_NEAR(CzynnikWzmocnienia(-1000), 0.4, 1e-9);
    EXPECT_EQ(CzynnikWzmocnienia(-9000), 0.0);
    // A duck ramps out again over its duck-out span; no spans, no duck.
    SladMiksuTyp g;
    g.NowyPoczatek = 1000;
    g.KoniecKaczkiWe = 1000;
    g.PoczatekKaczkiWy = 5000;
    g.NowyKoniec = 6000;
    g.PoziomKaczki = -1000;
    EXPECT_EQ(KaczkaSladu(g, 1000), -1000);
    EXPECT_EQ(KaczkaSladu(g, 5750), -250);
    EXPECT_EQ(KaczkaSladu(g, 7000), 0) << "past its end the voice lowers nothing";
}

TEST_F(OknoMiksuTest, CursorWalksToANewStartAndThatPlayerPlaysFromItsOffset) {
    gracze.dlugosci[u"D:\\N2.WAV"_s] = 700;  // the file ends before its track does
    pokaz({A, B});
    SladyMiksu[SladPiosenki1].NowyKoniec = 36'190'000;  // song 1 is over
    SladyMiksu[SladPiosenki2].NowyPoczatek = 36'195'500;
    Zakresy.KursorPodgladu = 36'195'410;
    okno->StartPodgladu();
    tik(2);
    EXPECT_EQ(Zakresy.KursorPodgladu, 36'195'470);
    EXPECT_TRUE(gracze[2].pozycje.empty());
    tik();
    EXPECT_EQ(gracze[2].pozycje, std::vector<qint64>{500});
    EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(2), 1);
    EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(1), 0);
    tik();
    EXPECT_EQ(Zakresy.KursorPodgladu, 36'195'530) << "the playing player leads the cursor";
    // The file ends; the cursor walks on and the player waits for the next run.
    tik(10);
    EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(2), 0);
    EXPECT_EQ(Zakresy.KursorPodgladu, 36'195'830);
    EXPECT_EQ(gracze[2].pozycje.size(), 1u);
    // A back-end that fails mid-run loses the track its file; the preview walks on.
    Zakresy.KursorPodgladu = 36'195'500;
    okno->RestartPodgladu();
    tik();
    ASSERT_EQ(odtwarzacze.EdStanOdtwarzacza(2), 1);
    gracze.rzucajPozycja.insert(2);
    tik();
    EXPECT_FALSE(okno->MaPlik(2));
    EXPECT_EQ(Zakresy.KursorPodgladu, 36'195'560);
    EXPECT_TRUE(okno->PodgladTrwa());
}

TEST_F(OknoMiksuTest, PlayTogglesAndTheRightEdgeStops) {
    pokaz({A, B});
    auto* play = okno->findChild<QPushButton*>(u"PlaySpeedButton"_s);
    auto* wgraj = okno->findChild<QPushButton*>(u"WgrajDJSpeedButton"_s);
    okno->Komenda(KomendaPlay);
    EXPECT_TRUE(okno->PodgladTrwa());
    EXPECT_EQ(play->text(), u"S T O P"_s);
    EXPECT_FALSE(wgraj->isEnabled());
    nagr.uzbrojone = true;
    nagr.slad = SladGlosu1;
    okno->Komenda(KomendaWgrajDJ);  // ignored while the preview runs
    EXPECT_FALSE(nagr.komendy.contains(u"WgrajDJ"_s));
    play->click();
    EXPECT_FALSE(okno->PodgladTrwa());
    EXPECT_EQ(play->text(), u"Play"_s);
    EXPECT_TRUE(wgraj->isEnabled());
    EXPECT_EQ(nagr.komendy, QStringList{u"Koniec"_s}) << "the armed take goes too";

    // 20 pixels before the right edge the preview stops by itself.
    const qint32 granica = PoczatekWidoku + ZakresWidoku - ZoomMiksu * 200;
    Zakresy.KursorPodgladu = granica - 40;
    okno->StartPodgladu();
    tik();
    EXPECT_TRUE(okno->PodgladTrwa());
    tik();
    EXPECT_FALSE(okno->PodgladTrwa());
}

TEST_F(OknoMiksuTest, ATakeMayNotRunIntoTheOtherVoiceTrack) {
    // A take armed for track `slad` and window start `od`; the preview runs one tick from 10:02:50.
    auto uzbrojonePrzy = [&](int slad, qint32 od) {
        nagr.uzbrojone = true;
        nagr.slad = slad;
        Zakresy.PoczatekWgrania = od;
        Zakresy.KursorPodgladu = 36'170'000;
        okno->StartPodgladu();
        tik();
    };
    struct Przypadek {
        qint32 odstep;  // track 4's air time after track 3's end
        bool stop;
    } przypadki[] = {{400, true}, {600, false}};
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.odstep);
        pokaz(ZGlosami);
        auto& S = SladyMiksu;
        S[SladGlosu2].Emisja = S[SladGlosu1].Emisja + S[SladGlosu1].Czas + p.odstep;
        nagr = NagrywanieNaProbe{};
        uzbrojonePrzy(SladGlosu1, 36'230'000);
        EXPECT_EQ(okno->PodgladTrwa(), !p.stop);
        EXPECT_EQ(nagr.uzbrojone, !p.stop);
        okno.reset();
    }
    // The armed take starts when the cursor reaches its window.
    pokaz(ZGlosami);
    uzbrojonePrzy(SladGlosu2, 36'170'040);
    EXPECT_FALSE(nagr.pisze);
    tik();
    EXPECT_TRUE(nagr.pisze);
}

TEST_F(OknoMiksuTest, GainHandlesAndTheDuckControl) {
    pokaz({ZGlosami[0], ZGlosami[1], ZGlosami[2], B, {u"SND"_s, EmiB + TrwB, 100'000}});
    const QRect box = wykres().Prostokat(u"WykresNagrania1PaintBox"_s);
    ASSERT_EQ(box.height(), 91);
    ZmianyMiksu = false;
    ciagnij(u"Wzmocnienie1Shape"_s, {0, 20});
    EXPECT_EQ(SladyMiksu[SladPiosenki1].Wzmocnienie, -659);
    EXPECT_TRUE(ZmianyMiksu);
    ciagnij(u"Wzmocnienie1Shape"_s, {0, -40});
    EXPECT_EQ(SladyMiksu[SladPiosenki1].Wzmocnienie, 0);
    // A voice track's player takes its gain at once.
    ciagnij(u"Wzmocnienie3Shape"_s, {0, 20});
    EXPECT_EQ(SladyMiksu[SladGlosu1].Wzmocnienie, -659);
    EXPECT_EQ(gracze[3].glosnosc, -659);

    // The duck control acts on the selected voice track only.
    mysz(QEvent::MouseButtonPress, wykres().Prostokat(u"WykresNagrania4PaintBox"_s).center());
    mysz(QEvent::MouseButtonRelease, wykres().Prostokat(u"WykresNagrania4PaintBox"_s).center());
    EXPECT_TRUE(SladyMiksu[SladGlosu2].Wybrany);
    EXPECT_FALSE(SladyMiksu[SladGlosu1].Wybrany);
    okno->findChild<QSlider*>(u"KaczkaTrackBar"_s)->setValue(12);
    EXPECT_EQ(SladyMiksu[SladGlosu2].PoziomKaczki, -1200);
    EXPECT_EQ(SladyMiksu[SladGlosu1].PoziomKaczki, 0);
    okno->Komenda(KomendaNastepnyMiks);  // a mix without a voice: the control shows none, moving it is no change
    EXPECT_EQ(okno->findChild<QSlider*>(u"KaczkaTrackBar"_s)->value(), 0);
    okno->findChild<QSlider*>(u"KaczkaTrackBar"_s)->setValue(5);
    EXPECT_FALSE(ZmianyMiksu);

    // A right press on song 1's fade-out handle cycles its curve.
    for (quint8 krzywa : {1, 2, 0}) {
        mysz(QEvent::MouseButtonPress, srodek(u"Nagranie1FadeOutShape"_s), Qt::RightButton);
        mysz(QEvent::MouseButtonRelease, srodek(u"Nagranie1FadeOutShape"_s), Qt::RightButton);
        EXPECT_EQ(SladyMiksu[SladPiosenki1].KrzywaFadeOut, krzywa);
    }

    // The meter reads the recorder's last peak.
    nagr.szczyt = 3280;
    okno->WykresTimerTick();
    EXPECT_EQ(okno->findChild<QProgressBar*>(u"WgrajProgressBar"_s)->value(), -20);
}

TEST_F(OknoMiksuTest, DraggedTracksStayInsideTheirLimits) {
    pokaz(ZGlosami);
    auto& S = SladyMiksu;
    const qint32 emi2 = S[SladPiosenki2].Emisja;
    const qint32 prawa = Zakresy.GranicaPrawa;
    const int msPx = 10 * ZoomMiksu;
    // Song 2 moved so far left that song 1's end passes the right limit: undone.
    ciagnij(u"WykresNagrania2PaintBox"_s, {-2500, 0});
    EXPECT_EQ(S[SladPiosenki2].Emisja, emi2);
    EXPECT_EQ(Zakresy.GranicaPrawa, prawa);
    ciagnij(u"WykresNagrania2PaintBox"_s, {10, 0});
    EXPECT_EQ(S[SladPiosenki2].Emisja, emi2 + 10 * msPx);
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, emi2 + 10 * msPx);
    EXPECT_EQ(Zakresy.GranicaPrawa, prawa + 10 * msPx);

    // A voice track stops at the other one and stays in the voice range.
    const qint32 dj4 = S[SladGlosu2].Emisja;
    ciagnij(u"WykresNagrania3PaintBox"_s, {200, 0});
    EXPECT_EQ(S[SladGlosu1].Emisja + S[SladGlosu1].Czas, dj4);
    EXPECT_EQ(S[SladGlosu1].NowyKoniec, dj4);
    ciagnij(u"WykresNagrania4PaintBox"_s, {5000, 0});
    EXPECT_EQ(S[SladGlosu2].Emisja + S[SladGlosu2].Czas, Zakresy.KoniecZakresuDJ);
    ciagnij(u"WykresNagrania3PaintBox"_s, {-5000, 0});
    EXPECT_EQ(S[SladGlosu1].Emisja, std::max(PikselNaCzas(1), Zakresy.PoczatekZakresuDJ));

    // Song 1's fade-out handle pushes its end; song 2's new start its fade-in.
    const qint32 koniec1 = S[SladPiosenki1].NowyKoniec;
    ciagnij(u"Nagranie1FadeOutShape"_s, {-5, 0});
    EXPECT_EQ(S[SladPiosenki1].PoczatekFadeOut, koniec1 - 5 * msPx);
    EXPECT_EQ(S[SladPiosenki1].NowyKoniec, koniec1);
    ciagnij(u"Nagranie1NowyKoniecShape"_s, {-10, 0});
    EXPECT_EQ(S[SladPiosenki1].NowyKoniec, koniec1 - 10 * msPx);
    EXPECT_EQ(S[SladPiosenki1].PoczatekFadeOut, koniec1 - 10 * msPx) << "the fade-out follows the end";
    const qint32 start2 = S[SladPiosenki2].NowyPoczatek;
    ciagnij(u"Nagranie2NowyPoczatekShape"_s, {20, 0});
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, start2 + 20 * msPx);
    EXPECT_EQ(S[SladPiosenki2].KoniecFadeIn, start2 + 20 * msPx);
    ciagnij(u"Nagranie2NowyPoczatekShape"_s, {-200, 0});
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, S[SladPiosenki2].Emisja) << "never before the air time";

    // Reset puts the build back.
    okno->findChild<QPushButton*>(u"ResetSpeedButton"_s)->click();
    EXPECT_EQ(S[SladPiosenki2].Emisja, emi2);
    EXPECT_EQ(S[SladGlosu2].Emisja, dj4);
    EXPECT_EQ(S[SladPiosenki1].NowyKoniec, koniec1);
    EXPECT_EQ(wykres().Prostokat(u"Nagranie1NowyKoniecShape"_s).right(), CzasNaPiksel(koniec1));
}

TEST_F(OknoMiksuTest, EveryKeyIsItsCommand) {
    struct Przypadek {
        int klawisz;
        Qt::KeyboardModifiers mod;
        quint16 komenda;
    } przypadki[] = {
        {Qt::Key_Escape, {}, KomendaOpusc},       {Qt::Key_Return, {}, KomendaAkceptuj},
        {Qt::Key_Space, {}, KomendaPlay},         {Qt::Key_Insert, {}, KomendaWgrajDJ},
        {Qt::Key_Delete, {}, KomendaUsunDJ},      {Qt::Key_Down, {}, KomendaKursorMinus10},
        {Qt::Key_Left, {}, KomendaKursorMinus1000}, {Qt::Key_Up, {}, KomendaKursorPlus10},
        {Qt::Key_Right, {}, KomendaKursorPlus1000}, {Qt::Key_PageUp, {}, KomendaZoomPlus},
        {Qt::Key_PageDown, {}, KomendaZoomMinus}, {Qt::Key_F1, {}, KomendaPoczatekWgrania},
        {Qt::Key_F2, {}, KomendaKoniecWgrania},   {Qt::Key_F5, {}, KomendaFOut},
        {Qt::Key_X, Qt::AltModifier, KomendaPocz}, {Qt::Key_QuoteLeft, {}, KomendaNastepnyMiks},
    };
    for (const Przypadek& p : przypadki)
        EXPECT_EQ(TEdycjaMiksow::KomendaKlawisza(KodBIOS(p.klawisz, p.mod)), p.komenda) << p.klawisz;

    pokaz({A, B});
    const qint32 k = Zakresy.KursorPodgladu;
    QTest::keyClick(okno.get(), Qt::Key_Right);
    QTest::keyClick(okno.get(), Qt::Key_Up);
    EXPECT_EQ(Zakresy.KursorPodgladu, k + 1010);
    // The arrows on the duck control move the cursor, not the slider.
    auto* kaczka = okno->findChild<QSlider*>(u"KaczkaTrackBar"_s);
    QTest::keyClick(kaczka, Qt::Key_Left);
    EXPECT_EQ(kaczka->value(), 0);
    EXPECT_EQ(Zakresy.KursorPodgladu, k + 10);
    QTest::keyClick(okno.get(), Qt::Key_PageDown);
    EXPECT_EQ(ZoomMiksu, 16);
    QTest::keyClick(okno.get(), Qt::Key_PageUp);
    QTest::keyClick(okno.get(), Qt::Key_PageUp);
    EXPECT_EQ(ZoomMiksu, 4);
    okno->findChild<QPushButton*>(u"Zoom1SpeedButton"_s)->click();
    EXPECT_EQ(ZoomMiksu, 8);
    // F5 at the cursor: song 1's fade-out starts at it.
    QTest::keyClick(okno.get(), Qt::Key_F5);
    EXPECT_EQ(SladyMiksu[SladPiosenki1].PoczatekFadeOut, k + 10);
    Zakresy.KursorPodgladu = SladyMiksu[1].Emisja - 1000;  // before the start: held after the fade-in, as a drag is
    QTest::keyClick(okno.get(), Qt::Key_F5);
    EXPECT_EQ(CzasNaPiksel(SladyMiksu[1].PoczatekFadeOut), CzasNaPiksel(SladyMiksu[1].KoniecFadeIn) + wykres().RozmiarUchwytu());
    // F1 and F2 take the time of the cursor's pixel; the start pulls the end.
    Zakresy.KursorPodgladu = Zakresy.KoniecWgrania + 5000;
    QTest::keyClick(okno.get(), Qt::Key_F1);
    EXPECT_EQ(Zakresy.PoczatekWgrania, PikselNaCzas(CzasNaPiksel(Zakresy.KursorPodgladu)));
    EXPECT_EQ(Zakresy.KoniecWgrania, Zakresy.PoczatekWgrania);
    // Escape leaves through the recorder, which has nothing queued.
    QTest::keyClick(okno.get(), Qt::Key_Escape);
    EXPECT_TRUE(nagr.komendy.contains(u"Zamknij"_s));
    EXPECT_FALSE(okno->isVisible());
}

TEST_F(OknoMiksuTest, SongTwoMovesToTheCursorAndToSongOnesMarks) {
    pokaz({A, B});
    auto& S = SladyMiksu;
    const qint32 d = S[SladPiosenki1].PoczatekFadeOut - 4000 - S[SladPiosenki2].NowyPoczatek;
    const qint32 intro = S[SladPiosenki2].Intro;
    Zakresy.KursorPodgladu = S[SladPiosenki1].PoczatekFadeOut - 4000;
    QTest::keyClick(okno.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, S[SladPiosenki1].PoczatekFadeOut - 4000);
    EXPECT_EQ(S[SladPiosenki2].Intro, intro + d);
    EXPECT_EQ(Zakresy.KursorPodgladu, S[SladPiosenki2].NowyPoczatek - 1000);
    EXPECT_TRUE(okno->PodgladTrwa());
    okno->findChild<QPushButton*>(u"PoczKonSpeedButton"_s)->click();
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, S[SladPiosenki1].NowyKoniec);
    okno->findChild<QPushButton*>(u"FoutNPoczSpeedButton"_s)->click();
    EXPECT_EQ(S[SladPiosenki2].NowyPoczatek, S[SladPiosenki1].PoczatekFadeOut);
    EXPECT_EQ(wykres().Prostokat(u"Nagranie2NowyPoczatekShape"_s).left(), CzasNaPiksel(S[SladPiosenki2].NowyPoczatek));
}

TEST_F(OknoMiksuTest, AcceptAskedYesNoOrCancel) {
    Wgrywanie.WgrajModyfikacjaPytaj = true;
    struct Przypadek {
        quint16 odpowiedz;
        bool otwarte, zapisane;
    } przypadki[] = {{OdpowiedzTak, false, true}, {OdpowiedzNie, false, false}, {OdpowiedzOpusc, true, false}};
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.odpowiedz);
        pokaz({A, B, {u"SND"_s, 36'375'000, 100'000}}, 1, false);
        okno->findChild<QPushButton*>(u"PoczKonSpeedButton"_s)->click();
        const qint32 nowy = SladyMiksu[SladPiosenki2].Emisja;
        dialogi.Odpowiedz(p.odpowiedz);
        okno->Komenda(KomendaAkceptuj);
        EXPECT_EQ(okno->isVisible(), p.otwarte);
        EXPECT_EQ(Playlista[2].Emi == nowy, p.zapisane);
        okno.reset();
    }
}

TEST_F(OknoMiksuTest, ShowingAndClosingKeepWhatIsNotTheirs) {
    // A recording the back-end refuses and one that is missing leave their tracks without files.
    gracze.rzucaj.insert(u"D:\\N1.WAV"_s);
    OknoGlowneAktywne = 0;
    pokaz({A, {u"SND"_s, EmiB, TrwB, {u"Adr=D:\\BRAK.WAV"_s}}}, 1, false);
    EXPECT_FALSE(okno->MaPlik(1));
    EXPECT_FALSE(okno->MaPlik(2));
    EXPECT_TRUE(okno->WykresTimer().isActive());
    EXPECT_EQ(okno->geometry(), QRect(220, 60, 645, 550));
    EXPECT_EQ(wykres().Etykieta(u"TytulNagrania2Label"_s)->text(), TekstBrakNagrania);
    okno->StartPodgladu();
    Zakresy.KursorPodgladu = EmiB + 1000;
    tik();
    EXPECT_EQ(odtwarzacze.EdStanOdtwarzacza(1), 0);
    // Closing stops everything, gives the console back its state and keeps the bounds.
    okno->setGeometry(100, 80, 900, 700);
    okno->Komenda(KomendaOpusc);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_FALSE(okno->PodgladTrwa());
    EXPECT_FALSE(okno->WykresTimer().isActive());
    EXPECT_EQ(OknoGlowneAktywne, 0);
    EXPECT_EQ(TEdycjaMiksow::Granice, (std::array<int, 4>{100, 80, 900, 700}));
    okno->show();
    EXPECT_EQ(okno->geometry(), QRect(100, 80, 900, 700));
    EXPECT_EQ(wykres().RozmiarUchwytu(), 32);
    EXPECT_EQ(wykres().Prostokat(u"LiniaWykres2Shape"_s).top(), 3 * ((700 - 156) / 6));
    okno.reset();
    OknoGlowneAktywne = 1;

    // With the recorder draining its input the window waits for it.
    pokaz({A, B});
    nagr.kolejka = true;
    okno->Komenda(KomendaOpusc);
    EXPECT_TRUE(okno->Zamykanie());
    EXPECT_TRUE(okno->isVisible());
    okno->ZakonczOkno();
    EXPECT_FALSE(okno->isVisible());
    EXPECT_EQ(OknoGlowneAktywne, 1);
    // While a take is written, cancel does nothing.
    okno->show();
    nagr.pisze = true;
    okno->Komenda(KomendaOpusc);
    EXPECT_FALSE(okno->Zamykanie());
}

TEST_F(OknoMiksuTest, DeskInputArmsAndStopsATake) {
    pokaz(ZGlosami);
    bool zmiana = true;
    okno->SprawdzWejscia = [&] { return zmiana; };
    Emisja.SterDJWgraj = true;
    GPIWlaczone = 1;
    SlowoGPIPoprzednie = 0;
    SlowoGPI = 0x80;
    okno->SterowanieTimerTick();
    EXPECT_EQ(nagr.komendy, QStringList{u"WgrajDJ"_s});
    // Nothing new from the poll: no edge.
    zmiana = false;
    okno->SterowanieTimerTick();
    EXPECT_EQ(nagr.komendy.size(), 1);
    zmiana = true;
    nagr.pisze = true;
    okno->StartPodgladu();
    SlowoGPIPoprzednie = 0x80;
    SlowoGPI = 0;
    okno->SterowanieTimerTick();
    EXPECT_FALSE(okno->PodgladTrwa());
    EXPECT_FALSE(nagr.pisze);
    GPIWlaczone = 0;
    Emisja.SterDJWgraj = false;
}

TEST_F(OknoMiksuTest, PicturesOfTheTimeLine) {
    // Envelopes for both songs and the first voice: a steady level, 100 of 128.
    for (const char* n : {"N1", "N2", "N3"})
        fixtures::writeFile(folder.path() + u"/drives/d/"_s + QLatin1String(n) + u".OBW"_s,
                            QByteArray(128, '\0') + QByteArray(40'000, char(100)));
    const QString katalog = FolderArtefaktow();
    for (const QSize rozmiar : {QSize(645, 550), QSize(1200, 800)}) {
        SCOPED_TRACE(rozmiar.width());
        TEdycjaMiksow::Granice = {220, 60, rozmiar.width(), rozmiar.height()};
        pokaz({A, dj(36'185'000, 5'000), {u"DJ_"_s, 36'190'000, 4'000, {u"Adr=D:\\BRAK.WAV"_s}}, B});
        ASSERT_TRUE(SladyMiksu[SladPiosenki1].ObwiedniaJest);
        SladyMiksu[SladPiosenki1].PoczatekFadeOut = 36'190'000;
        SladyMiksu[SladPiosenki2].KoniecFadeIn = 36'199'000;
        Zakresy.KursorPodgladu = 36'193'000;
        okno->RozmiescZnaczniki();
        okno->WykresTimerTick();
        const QImage obraz = okno->grab().toImage();
        ASSERT_TRUE(obraz.save(katalog + u"/edycja-miksow-%1x%2.png"_s.arg(rozmiar.width()).arg(rozmiar.height())));

        const QPoint o = wykres().pos();
        auto piksel = [&](int x, int y) { return QColor(obraz.pixel(o + QPoint(x, y))).rgb() & 0xFFFFFF; };
        const QRect kursor = wykres().Prostokat(u"KursorShape"_s);
        EXPECT_EQ(piksel(kursor.left(), 2), 0xFFFFFFu) << "the white cursor";
        // Song 1's bars: its colour inside its new end, silver past it.
        const QRect s1 = wykres().Prostokat(u"WykresNagrania1PaintBox"_s);
        const int srodek = s1.center().y();
        EXPECT_EQ(piksel(CzasNaPiksel(36'188'000), srodek), KolorQt(0x800000).rgb() & 0xFFFFFF);
        SladyMiksu[SladPiosenki1].NowyKoniec = 36'180'000;
        okno->RozmiescZnaczniki();
        EXPECT_EQ(QColor(okno->grab().toImage().pixel(o + QPoint(CzasNaPiksel(36'190'000), srodek))).rgb() & 0xFFFFFF,
                  0xC0C0C0u);
        // The selected voice track's outline is red; the one without a file is still drawn.
        EXPECT_TRUE(SladyMiksu[SladGlosu1].Wybrany);
        EXPECT_TRUE(wykres().Widoczny(u"WykresNagrania4PaintBox"_s));
        EXPECT_EQ(wykres().Etykieta(u"TytulNagrania4Label"_s)->text(), TekstBrakNagrania);
        EXPECT_FALSE(okno->MaPlik(4));
        EXPECT_EQ(piksel(wykres().Prostokat(u"Nagranie3NowyPoczatekShape"_s).center().x(),
                         wykres().Prostokat(u"Nagranie3NowyPoczatekShape"_s).center().y()),
                  0xFFFFFFu)
            << "a handle";
        EXPECT_EQ(piksel(wykres().Prostokat(u"WgrajPoczatekKursorShape"_s).left(), 1), 0xFFFF00u) << "the recording window";
        // The bars stay inside their box; the red outline is drawn over its frame.
        const QRect g3 = wykres().Prostokat(u"WykresNagrania3PaintBox"_s);
        EXPECT_EQ(piksel(g3.center().x(), g3.bottom() + 2), 0x606060u);
        int czerwone = 0;
        for (int y = g3.top(); y <= g3.bottom(); ++y) czerwone += piksel(g3.left(), y) == 0xFF0000u;
        EXPECT_GT(czerwone, g3.height() / 2) << "the selected voice's red outline";
        // The input meter's labels stand over their levels of its -60..0 dB bar.
        const QProgressBar* miernik = okno->findChild<QProgressBar*>(u"WgrajProgressBar"_s);
        for (const auto& [l, dB] : {std::pair{"Label2", -20}, {"Label3", -10}, {"Label1", 0}})
            EXPECT_NEAR(okno->findChild<QLabel*>(l)->geometry().center().x(),
                        miernik->x() + (dB + 60) * miernik->width() / 60, 1);
        okno.reset();
    }
}

TEST_F(OknoMiksuTest, TimeTextsWithTheConsolesCorrectionAndAcrossMidnight) {
    // 23:58 into 00:01: the list ends after midnight.
    const qint32 a = 86'280'000, b = 86'390'000;
    pokaz({{u"SND"_s, a, 120'000}, {u"SND"_s, b, 200'000}, {u"SND"_s, 190'000, 60'000}});
    auto tekst = [&](const char* n) { return okno->findChild<QLabel*>(QLatin1String(n))->text(); };
    okno->WykresTimerTick();
    EXPECT_EQ(tekst("KoniecPlaylistyLabel"), u"Koniec listy: 00:04:10.000"_s);
    EXPECT_EQ(tekst("CaloscCzasLabel"), u"Całość: 00:06:10.000"_s) << "a day added, never negative";
    EXPECT_EQ(wykres().Etykieta(u"GodzinaEmisji2Label"_s)->text(), u"23:59:50.000"_s);
    // The console's clock runs 2 s late: its air times are shown as it will play them.
    okno->Haki.KorektaCzasuJest = [] { return true; };
    okno->Haki.PrzesuniecieCzasu = [] { return 2000; };
    okno->WykresTimerTick();
    EXPECT_EQ(wykres().Etykieta(u"GodzinaEmisji2Label"_s)->text(), u"23:59:52.000"_s);
    EXPECT_EQ(tekst("KoniecPlaylistyLabel"), u"Koniec listy: 00:04:12.000"_s);
    EXPECT_EQ(tekst("CaloscCzasLabel"), u"Całość: 00:06:10.000"_s);
    EXPECT_TRUE(tekst("PoczatekWykresuLabel").startsWith(u"Pozycja: "_s));
}
