// The operator's playlist edits on the engine with players on the manual
// clock: re-timing, refusals, renumbering of the decks and the next mark,
// move and block modes, and playing a time-list entry now.
#include <gtest/gtest.h>

#include "console/commands/KomendyEdycji.h"
#include "console/engine/EdycjaPlaylisty.h"
#include "console/engine/EmisjaTimelisty.h"
#include "console/support/SilnikRig.h"
#include "foundation/KestPods2.h"
#include "foundation/UslugaDialogow.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 H = 3'600'000;
constexpr qint32 S = 1000;

struct Edycja : SilnikRig {
    KomendyEdycji k{*silnik};
    QString wybrany;  // what the folder browser gives
    QString plik;     // the elements' recording

    Edycja() {
        k.Zrodla.NagranieZPrzegladarki = [this](KomendyEdycji::Wybor& w) {
            w.Plik = wybrany;
            w.Nazwa = u"NOWY"_s;
            return !wybrany.isEmpty();
        };
    }
    // n elements of 60 s, one a minute from 12:00, named E1..En.
    void lista(int n) {
        if (plik.isEmpty()) plik = wav(u"E.WAV"_s, 60 * S);
        for (int i = 1; i <= n; ++i) dodaj(plik, H12 + (i - 1) * 60 * S, 60 * S);
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    }
    // Deck `slot` carries element n as on air.
    void naDeku(quint8 slot, qint32 n) {
        stan.OdtwarzaczZajety[slot] = 1;
        silnik->Odtwarzacz[slot].Element = n;
    }
    static QStringList kolejnosc() {
        QStringList l;
        for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) l << Playlista[i].Ide;
        return l;
    }
    QStringList informacje() const {
        QStringList l;
        for (const ZapisDialogu& z : dialogi.Zapisy())
            if (z.rodzaj == RodzajDialogu::Info || z.rodzaj == RodzajDialogu::Blad) l << z.teksty.join(u" | "_s);
        return l;
    }
};

TEST(EdycjaKomend, AnInsertedSongPushesTheRestAndUndoAsksByName) {
    Edycja r;
    r.dodaj(QString(), 10 * H, 180 * S).Mix = 3000;
    r.dodaj(QString(), 10 * H + 177 * S, 180 * S);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 2;
    r.wybrany = r.wav(u"NOWY.WAV"_s, 120 * S);
    r.k.KomendaWstaw();
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(Playlista[2].Ide, u"NOWY"_s);
    // Put right before the next element, it is the next one, and says so at once.
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_EQ(r.logiZ(u"KLAW DO GRANIA NOWY 0 10:02:57.000"_s).size(), 1) << r.logi().join('\n').toStdString();
    EXPECT_TRUE(r.wyjscia.zdarzenia.contains(u"0 DO GRANIA 2"_s));
    EXPECT_EQ(Playlista[2].Emi, 10 * H + 177 * S);
    EXPECT_EQ(Playlista[3].Emi, 10 * H + 294 * S);  // 10:04:54
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    EXPECT_TRUE(r.logi().contains(u"WSTAW      Zakończenie playlisty o 10:07:54.000"_s)) << r.logi().join('\n').toStdString();

    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.CofnijOperacje();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Ostatnia operacja:  Wstaw element"_s);
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
    EXPECT_EQ(Playlista[2].Emi, 10 * H + 177 * S);

    // Into an empty playlist at air time 0, cursor and next mark on it.
    WyczyscPlayliste();
    r.k.KomendaWstaw();
    EXPECT_EQ(StanPlaylisty.Ilosc, 1);
    EXPECT_EQ(Playlista[1].Emi, 0);
    EXPECT_EQ(StanPlaylisty.DoGrania, 1);
}

struct Odmowa {
    const char* nazwa;
    std::function<void(Edycja&)> przygotuj;
    std::function<void(KomendyEdycji&)> komenda;
    const char* tekst;  // the dialog's lines joined by " | "
};

class Odmowy : public ::testing::TestWithParam<Odmowa> {};

TEST_P(Odmowy, LeaveThePlaylistAndTheUndoAsTheyWere) {
    const Odmowa& o = GetParam();
    Edycja r;
    r.lista(6);
    StanPlaylisty.Kursor = 3;
    if (o.przygotuj) o.przygotuj(r);
    const QStringList przed = Edycja::kolejnosc();
    UndoJest = false;
    o.komenda(r.k);
    EXPECT_EQ(r.informacje(), QStringList{QString::fromUtf8(o.tekst)});
    if (StanPlaylisty.Ilosc < 100) {
        EXPECT_EQ(Edycja::kolejnosc(), przed);
    }
    EXPECT_FALSE(UndoJest);
    EXPECT_FALSE(r.stan.TrybPrzesuwania);
}

const auto graPiaty = [](Edycja& r) { r.naDeku(1, 5); };
const auto graTrzeci = [](Edycja& r) { r.naDeku(2, 3); };
const auto nakladka = [](Edycja& r) {
    Playlista[4].Typ = RodzajDJ_;
    Playlista[4].Emi = Playlista[3].Emi + 10 * S;
};

INSTANTIATE_TEST_SUITE_P(
    EdycjaKomend, Odmowy,
    ::testing::Values(
        Odmowa{"InsertBeforePlayed", graPiaty, [](KomendyEdycji& k) { k.KomendaWstaw(); },
               "Nie można wstawiać elementu przed graną pozycją | "},
        Odmowa{"InsertUnplayable",  // format tag 3: float
               [](Edycja& r) {
                   r.dir.write(u"F.WAV"_s, fixtures::wavFile(8000, 1, 16, QByteArray(800, 0)).replace(20, 1, "\3"));
                   r.wybrany = r.dir.file(u"F.WAV"_s);
               },
               [](KomendyEdycji& k) { k.KomendaWstaw(); }, "Program obsługuje tylko zbiory w formacie PCM | "},
        Odmowa{"CodeBeforePlayed", graPiaty, [](KomendyEdycji& k) { k.WstawKod(); },
               "Nie można wstawiać elementu przed graną pozycją | "},
        Odmowa{"DeleteBeforePlayed", graPiaty, [](KomendyEdycji& k) { k.KomendaUsun(); },
               "Nie można usuwać elementu przed graną pozycją | "},
        Odmowa{"DeleteOnAir", graTrzeci, [](KomendyEdycji& k) { k.KomendaUsun(); },
               "Nie można usunąć elementu - obecnie odtwarzany | "},
        Odmowa{"DeleteOverlapped", nakladka, [](KomendyEdycji& k) { k.KomendaUsun(); },
               "Nie można usunąć elementu | (na nagraniu znajdują się inne dźwięki)"},
        Odmowa{"ChangeOnAir", graTrzeci, [](KomendyEdycji& k) { k.KomendaZmien(); },
               "Nie można zmienić elementu - obecnie odtwarzany | "},
        Odmowa{"ChangeFirst", [](Edycja&) { StanPlaylisty.Kursor = 1; }, [](KomendyEdycji& k) { k.KomendaZmien(); },
               "Nie można zmienić pierwszego elementu | "},
        Odmowa{"FullPlaylist", [](Edycja&) { StanPlaylisty.Ilosc = MaksPlaylisty; },
               [](KomendyEdycji& k) { k.WstawKod(); }, "Brak pamięci |  (Dopuszczalna liczba elementów: 10000)"},
        Odmowa{"SetStartWhilePlaying", graTrzeci, [](KomendyEdycji& k) { k.UstawGodzinePlaylisty(); },
               "Nie można ustawić godziny emisji playlisty | (obecnie odtwarzana pozycja z playlisty)"},
        Odmowa{"MoveDJ", [](Edycja&) { Playlista[3].Typ = RodzajDJ_; }, [](KomendyEdycji& k) { k.RozpocznijPrzesuwanie(); },
               "Nie można przesunąć elementu | (należy usunąć i wstawić ponownie)"},
        Odmowa{"MoveAdvert", [](Edycja&) { Playlista[3].Typ = RodzajREK; },
               [](KomendyEdycji& k) { k.RozpocznijPrzesuwanie(); }, "Nie można przesunąć reklamy | "},
        Odmowa{"LongSetPath",
               [](Edycja& r) {
                   r.dialogi.OdpowiedzKod(RodzajINF);
                   r.dialogi.OdpowiedzTekst(u"PALETA:"_s);
                   r.k.Zrodla.ZestawSingli = [] { return u"C:\\PALETY\\"_s + QString(60, u'A') + u".SIN"_s; };
               },
               [](KomendyEdycji& k) { k.WstawKod(); },
               "Za długa ścieżka palety (do 57 znaków) | C:\\PALETY\\AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA.SIN"},
        Odmowa{"MoveOnAir", graTrzeci, [](KomendyEdycji& k) { k.RozpocznijPrzesuwanie(); },
               "Nie można przesunąć elementu - obecnie odtwarzany | "}),
    [](const auto& info) { return std::string(info.param.nazwa); });

// The dialogs keep the air going: what started meanwhile is checked again,
// and the cursor does not follow the next mark while the operator picks.
TEST(EdycjaKomend, TheAirGoingOnDuringAPickIsCheckedAgain) {
    Edycja r;
    r.lista(4);
    StanPlaylisty.Kursor = 2;
    const QString plik = r.wav(u"NOWY.WAV"_s, 5 * S);
    r.k.Zrodla.NagranieZPrzegladarki = [&](KomendyEdycji::Wybor& w) {
        EXPECT_FALSE(r.silnik->FlagaNastepnego);
        r.naDeku(1, 3);  // Automat started element 3 meanwhile
        w.Plik = plik;
        w.Nazwa = u"NOWY"_s;
        return true;
    };
    r.k.KomendaWstaw();
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(r.informacje(), QStringList{u"Nie można wstawiać elementu przed graną pozycją | "_s});
    EXPECT_FALSE(UndoJest);
    EXPECT_TRUE(r.silnik->FlagaNastepnego);
}

TEST(EdycjaKomend, DecksAndTheNextMarkFollowTheirElements) {
    Edycja r;
    r.lista(9);
    Emisja.MIXPLEdycjaPrzedGranaJest = true;
    r.naDeku(2, 7);
    StanPlaylisty.DoGrania = 8;
    StanPlaylisty.Kursor = 5;
    r.dialogi.OdpowiedzKod(RodzajINF);
    r.dialogi.OdpowiedzTekst(u"Uwaga"_s);
    r.k.WstawKod();
    EXPECT_EQ(Playlista[6].Tyt, u"Uwaga"_s);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 8);
    EXPECT_EQ(StanPlaylisty.DoGrania, 9);
    EXPECT_TRUE(r.logiZ(u"KOD        Zakończenie playlisty o "_s).size() == 1);

    WyczyscPlayliste();
    r.lista(9);
    r.naDeku(2, 7);
    StanPlaylisty.DoGrania = 8;
    StanPlaylisty.Kursor = 5;
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaUsun();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy usunąć element z playlisty ?"_s);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 6);
    EXPECT_EQ(Playlista[6].Ide, u"E7"_s);
    EXPECT_EQ(StanPlaylisty.DoGrania, 7);
    EXPECT_EQ(r.logiZ(u"USUŃ       Zakończenie playlisty o "_s).size(), 1);

    // Deleting the next element keeps the mark on the one that moved into
    // its place; whether its file is there is the presence worker's to find
    // out (the program's thread never looks).
    StanPlaylisty.Kursor = 7;
    Playlista[8].Adr = u"C:\\BRAK.WAV"_s;
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaUsun();
    EXPECT_EQ(Edycja::kolejnosc().join(' '), u"E1 E2 E3 E4 E6 E7 E9"_s);
    EXPECT_EQ(StanPlaylisty.DoGrania, 7);
    EXPECT_EQ(StanPlaylisty.Kursor, 7);
}

// G8 inserted at the cursor, Automat starts G3 (the cursor goes to G8), Del
// + "Tak" 5.7 s into G3: G4, pulled earlier by the closed gap to a time
// already past, starts at G3's crossfade point (7 s of 10), not at once.
TEST(EdycjaKomend, DeletingTheNextElementStartsTheOneAfterAtTheCrossfadePointOfTheElementOnAir) {
    Edycja r;
    for (int i = 1; i <= 4; ++i) r.dodaj(r.wav(u"G.WAV"_s, 10 * S), H12 + (i - 1) * 7 * S, 10 * S);
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    r.stan.TrybAutomat = true;
    const auto gra = [&r](qint32 n) {
        return r.silnik->Odtwarzacz[1].Element == n ? 1 : r.silnik->Odtwarzacz[2].Element == n ? 2 : 0;
    };
    r.tikDo([&] { return gra(2) != 0; }, 1000);
    r.wybrany = r.wav(u"G8.WAV"_s, 10 * S);
    r.k.KomendaWstaw();
    r.tikDo([&] { return gra(3) != 0; }, 1000);
    const quint8 g3 = quint8(gra(3));
    ASSERT_EQ(StanPlaylisty.Kursor, 4);
    r.tikDo([&] { return r.gracze.PozycjaOdtwarzacza(g3) >= 5'700; }, 1000);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaUsun();
    ASSERT_EQ(Playlista[4].Ide, u"E4"_s);
    r.tikDo([&] { return gra(4) != 0; }, 1000);
    EXPECT_TRUE(r.gracze.PozycjaOdtwarzacza(g3) >= 7'000 && r.gracze.PozycjaOdtwarzacza(g3) < 7'030)
        << r.gracze.PozycjaOdtwarzacza(g3);
}

TEST(EdycjaKomend, TheGapAndTheShiftsTakeTheNearerWayRoundMidnight) {
    EXPECT_EQ(PrzesuniecieDoby(12 * H), 12 * H);
    EXPECT_EQ(PrzesuniecieDoby(-12 * H), 12 * H);
    EXPECT_EQ(PrzesuniecieDoby(-12 * H + 1), -12 * H + 1);
    EXPECT_EQ(PrzesuniecieDoby(23 * H), -H);
    EXPECT_EQ(PrzesuniecieDoby(-23 * H), H);

    Edycja r;
    // Element 1 at 23:59, element 2 at 00:01, element 3 at 00:02:30.
    r.dodaj(QString(), DobaMs - 60 * S, 120 * S);
    r.dodaj(QString(), 60 * S, 90 * S);
    r.dodaj(QString(), 150 * S, 60 * S);
    StanPlaylisty.Kursor = 1;
    UsunRekordPlaylisty(*r.silnik, true);
    // The gap at element 1 is the next one's time less its own: two minutes.
    EXPECT_EQ(Playlista[1].Emi, DobaMs - 60 * S);
    EXPECT_EQ(Playlista[2].Emi, 30 * S);

    r.dialogi.OdpowiedzTekst(u"00:30:00"_s);
    r.k.UstawGodzinePlaylisty();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Tekst).last().teksty,
              (QStringList{u"Godzinę rozpoczęcia playlisty (gg:mm:ss) "_s, u"23:59:00"_s}));
    EXPECT_EQ(Playlista[1].Emi, 30 * 60 * S);
    EXPECT_EQ(Playlista[2].Emi, 31 * 60 * S + 30 * S);
    EXPECT_EQ(UndoOperacja, u"Ustaw playlistę"_s);
}

TEST(EdycjaKomend, HourKeysAndTheClockPutTheCursor) {
    Edycja r;
    r.dodaj(QString(), 11 * H + 58 * 60 * S, 60 * S);
    r.dodaj(QString(), 12 * H + 59 * 60 * S + 30 * S, 60 * S);
    r.dodaj(QString(), 13 * H, 60 * S);
    StanPlaylisty.Kursor = 1;
    r.k.KursorNaGodzine(12);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    r.k.KursorNaGodzine(13);
    EXPECT_EQ(StanPlaylisty.Kursor, 3);
    r.k.KursorNaTeraz(12 * H);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
}

TEST(EdycjaKomend, AMovedElementLandsBesideTheTarget) {
    Edycja r;
    r.lista(8);
    // The source is the next to play: the mark passes to the element after
    // it, so that Automat neither skips what it jumped nor replays the past.
    for (const auto& [zrodlo, cel, wynik, nastepny] :
         {std::tuple{3, 6, "E1 E2 E4 E5 E6 E3 E7 E8", "E4"}, std::tuple{6, 3, "E1 E2 E6 E3 E4 E5 E7 E8", "E7"},
          std::tuple{3, 4, "E1 E2 E4 E3 E5 E6 E7 E8", "E4"}}) {
        WyczyscPlayliste();
        r.lista(8);
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = zrodlo;
        r.k.RozpocznijPrzesuwanie();
        ASSERT_TRUE(r.stan.TrybPrzesuwania);
        r.k.RozpocznijBlok();  // the modes exclude each other
        EXPECT_FALSE(r.stan.TrybBloku);
        StanPlaylisty.Kursor = cel;
        r.dialogi.Odpowiedz(OdpowiedzTak);
        r.k.PrzesunElement(true);
        EXPECT_EQ(Edycja::kolejnosc().join(' '), QString::fromUtf8(wynik));
        EXPECT_EQ(Playlista[StanPlaylisty.DoGrania].Ide, QString::fromUtf8(nastepny));
        EXPECT_FALSE(r.stan.TrybPrzesuwania);
        EXPECT_EQ(UndoOperacja, u"Przesuń element"_s);
        // Re-timed from its new predecessor.
        EXPECT_EQ(Playlista[cel].Emi, Playlista[cel - 1].Emi + 60 * S - Emisja.CzasCross);
    }
    EXPECT_EQ(r.logiZ(u"PRZESUŃ    Zakończenie playlisty o "_s).size(), 3);

    // A start while the operator walks to the target leaves the cursor
    // there; after the drop it follows the next mark again.
    WyczyscPlayliste();
    r.lista(8);
    StanPlaylisty.Kursor = 6;
    r.k.RozpocznijPrzesuwanie();
    StanPlaylisty.Kursor = 3;
    r.graj(0, TrybNastepny, ZrodloProg);
    ASSERT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_EQ(StanPlaylisty.Kursor, 3);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.PrzesunElement(true);
    EXPECT_EQ(Edycja::kolejnosc().join(' '), u"E1 E2 E6 E3 E4 E5 E7 E8"_s);
    r.graj(0, TrybNastepny, ZrodloProg);
    EXPECT_EQ(StanPlaylisty.Kursor, StanPlaylisty.DoGrania);
    r.silnik->StopWszystko();

    // The first place refuses and the mode stays on.
    StanPlaylisty.Kursor = 4;
    r.k.RozpocznijPrzesuwanie();
    StanPlaylisty.Kursor = 1;
    r.k.PrzesunElement(false);
    EXPECT_TRUE(r.stan.TrybPrzesuwania);
    r.k.Wyjdz();
    EXPECT_FALSE(r.stan.TrybPrzesuwania);
}

TEST(EdycjaKomend, ABlockKeepsOnlyTheMarkedElements) {
    Edycja r;
    r.lista(8);
    StanPlaylisty.DoGrania = 2;
    r.naDeku(3, 4);
    r.stan.OdtwarzaczZajety[3] = 0;  // carried, not playing
    StanPlaylisty.Kursor = 6;
    r.k.RozpocznijBlok();
    ASSERT_TRUE(r.stan.TrybBloku);
    StanPlaylisty.Kursor = 3;
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.UsunPozaBlokiem(true);
    EXPECT_EQ(Edycja::kolejnosc().join(' '), u"E3 E4 E5 E6"_s);
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    EXPECT_EQ(StanPlaylisty.DoGrania, 1);
    EXPECT_EQ(r.silnik->Odtwarzacz[3].Element, 2);
    EXPECT_EQ(UndoOperacja, u"Usuń elementy poza blokiem"_s);
    EXPECT_FALSE(r.stan.TrybBloku);
    EXPECT_EQ(r.logiZ(u"USUŃ POZA BLOKIEM    Zakończenie playlisty o 12:06:00.000"_s).size(), 1);

    // A block of one element deletes nothing.
    r.k.RozpocznijBlok();
    r.k.UsunPozaBlokiem(false);
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_FALSE(r.stan.TrybBloku);
    // Not while a main deck plays.
    r.naDeku(1, 1);
    r.k.RozpocznijBlok();
    EXPECT_FALSE(r.stan.TrybBloku);
}

TEST(EdycjaKomend, AChangedElementKeepsItsPlaceAndItsAudibleStart) {
    Edycja r;
    r.lista(4);
    Playlista[4].Typ = RodzajINF;
    StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 4;
    r.dialogi.OdpowiedzTekst(u"Nowy tekst"_s);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaZmien();
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(Playlista[4].Tyt, u"Nowy tekst"_s);
    EXPECT_EQ(Playlista[4].Emi, H12 + 3 * 60 * S);
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
    EXPECT_EQ(r.logiZ(u"ZMIEŃ      Zakończenie playlisty o "_s).size(), 1);

    // A recording is swapped after the question.
    StanPlaylisty.Kursor = 2;
    r.wybrany = r.wav(u"INNY.WAV"_s, 30 * S);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaZmien();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty,
              (QStringList{u"Czy zamienić nagranie?"_s, u"E2 na NOWY"_s}));
    EXPECT_EQ(Playlista[2].Ide, u"NOWY"_s);
    EXPECT_EQ(Playlista[2].Emi, H12 + 60 * S);
    EXPECT_EQ(Playlista[3].Ide, u"E3"_s);
}

// The undo question, answered yes; Automat may go on while it is open.
struct PytanieCofnij final : DialogiCiche {
    std::function<void()> wTrakcie;
    UslugaDialogow& poprzednie = Dialogi();
    PytanieCofnij() { UstawDialogi(this); }
    ~PytanieCofnij() override { UstawDialogi(&poprzednie); }
    quint16 Decyzja(const QString&, const QString&, int) override {
        if (wTrakcie) wTrakcie();
        return OdpowiedzTak;
    }
};

TEST(EdycjaKomend, AnUndoPutsTheNextMarkOnWhatIsStillToCome) {
    Edycja r;
    const auto start = [&r] { r.graj(0, TrybNastepny, ZrodloKlaw); };
    const auto tak = [&r] { r.dialogi.Odpowiedz(OdpowiedzTak); };
    struct Przypadek {
        const char* nazwa;
        std::function<void()> edycja;  // on E1..E5, E1 on air and E2 next
        bool startWPytaniu;
        const char* nastepny;
    };
    const Przypadek przypadki[] = {
        // The air moves on to the changed element, which the undo takes away.
        {"change", [&] {
             StanPlaylisty.Kursor = 3;
             r.wybrany = r.wav(u"INNY.WAV"_s, 30 * S);
             tak();
             r.k.KomendaZmien();
             start();
         }, false, "E3"},
        // A song moved up, then the one before it went on air: the songs it
        // had jumped are to come again, not passed over.
        {"move", [&] {
             StanPlaylisty.Kursor = 5;
             r.k.RozpocznijPrzesuwanie();
             StanPlaylisty.Kursor = 3;
             r.k.PrzesunElement(false);
             start();
         }, false, "E3"},
        // Undone at once, a deleted next element is the next one again.
        {"delete next", [&] { StanPlaylisty.Kursor = 2; tak(); r.k.KomendaUsun(); }, false, "E2"},
        // The next element starts while the question is open: it has gone by.
        {"start meanwhile", [&] { StanPlaylisty.Kursor = 4; tak(); r.k.KomendaUsun(); }, true, "E3"},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        r.silnik->StopWszystko();
        WyczyscPlayliste();
        r.lista(5);
        start();
        ASSERT_EQ(StanPlaylisty.DoGrania, 2);
        p.edycja();
        ASSERT_TRUE(UndoJest);
        {
            PytanieCofnij pytanie;
            if (p.startWPytaniu) pytanie.wTrakcie = start;
            r.k.CofnijOperacje();
        }
        EXPECT_EQ(Edycja::kolejnosc().join(' '), u"E1 E2 E3 E4 E5"_s);
        EXPECT_EQ(Playlista[StanPlaylisty.DoGrania].Ide, QString::fromUtf8(p.nastepny));
        for (quint8 s = 1; s <= 2; ++s) {
            const MIXMagnetType& d = r.silnik->Odtwarzacz[s];
            if (d.Element != 0) EXPECT_EQ(Playlista[d.Element].Ide, d.SygnalSlotu.Nazwa) << int(s);
        }
    }
}

TEST(EdycjaKomend, ADuplicateNearTheCursorIsAskedAbout) {
    Edycja r;
    r.lista(3);
    const QString plik = r.wav(u"NOWY.WAV"_s, 5 * S);
    Playlista[2].Adr = plik;
    for (int i = 1; i <= 3; ++i) Playlista[i].Emi -= 3 * H;  // the hour is written with two digits
    Emisja.MIXPLTestObecnosciMarginesH = 1;
    r.wybrany = plik;
    r.dialogi.Odpowiedz(OdpowiedzNie);
    r.k.KomendaWstaw();
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty,
              (QStringList{u"Nagranie już jest na playliście - czy wstawić?"_s, u"(pozycja nr 2, emisja o 09:01:00)"_s}));
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    r.dialogi.Odpowiedz(OdpowiedzTak);
    r.k.KomendaWstaw();
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
}

// ---- a time-list entry played now ----

struct Teraz : SilnikRig {
    Teraz() {
        for (int i = 1; i <= 3; ++i) {
            TElemTListy& e = Timelista[i];
            e = TElemTListy{};
            e.Tyt = u"R%1"_s.arg(i);
            e.Adr = wav(u"R%1.WAV"_s.arg(i), 1000);
            e.Czas = 14 * 3600;
            e.Trw = (i == 1 ? 30 : i == 2 ? 20 : 40) * S;
            e.Stan = StanDoklejony;
        }
        StanTimelisty.Ilosc = 3;
        StanTimelisty.Kursor = 2;
    }
};

TEST(EmisjaTeraz, TheSecondOfThreeAtOneTimeStartsNowWithinItsBlock) {
    Teraz r;
    const EmisjaTeraz b = BlokTimelisty(2);
    EXPECT_EQ(b.EmisjaTerazKorekta, 30'000);
    EXPECT_EQ(b.EmisjaTerazStart, 90'000);

    // Refused: units 2, hundreds kept; nothing starts.
    r.silnik->OproznijPrzygotowania();  // the entries at the cursor are read ahead
    r.dialogi.Odpowiedz(OdpowiedzNie);
    EmitujPozycjeTimelisty(*r.silnik, 0, ZrodloKlaw, true);
    EXPECT_EQ(Timelista[2].Stan, 102);
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::DecyzjaCzas).last().teksty.mid(0, 2),
              (QStringList{u"Czy wyemitować nagranie?"_s, u"R2"_s}));
    EXPECT_FALSE(r.silnik->SlotZajety(1));

    // Inside the tick it waits for the tick to end.
    r.silnik->Timer1Zajety = true;
    EmitujPozycjeTimelisty(*r.silnik, 0, ZrodloKlaw, false);
    EXPECT_FALSE(r.silnik->SlotZajety(1));
    r.silnik->Timer1Zajety = false;
    r.silnik->PoTiku();
    ASSERT_TRUE(r.silnik->SlotZajety(1));
    EXPECT_EQ(r.gracze[1].plik, Timelista[2].Adr);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Emi, 12 * H + 30 * S);  // now, within the block
    EXPECT_EQ(Timelista[2].Stan, 101);
    EXPECT_TRUE(r.stan.PauzaJest);
    EXPECT_EQ(r.silnik->BlokDlugosc, 90'000);
    EXPECT_EQ(StanTimelisty.Kursor, 3);
    EXPECT_TRUE(r.logiZ(u"KLAW START 1 "_s).size() == 1) << r.logi().join('\n').toStdString();

    // The block goes on on the same player without a question, its day
    // axis going on from where the second entry's ended; the entry was
    // prepared ahead, so its start looks at no file on this thread.
    r.zegar.advance(20 * S);
    r.silnik->KoniecEmisji(1, PowodProg);
    r.silnik->OproznijPrzygotowania();
    r.gracze.dlugoscStala = 1000;
    const quint64 przed = platform::fileSystemLooks();
    EmitujPozycjeTimelisty(*r.silnik, 0, ZrodloProg, true);
    EXPECT_EQ(platform::fileSystemLooks(), przed);
    EXPECT_EQ(r.gracze[1].plik, Timelista[3].Adr);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Emi, 12 * H + 50 * S);
    EXPECT_EQ(r.dialogi.Zapisy(RodzajDialogu::DecyzjaCzas).size(), 1);
}

}  // namespace
