// Writing a mix back into the playlist, the entry checks and stepping.
#include "mixeditor/MiksFixture.h"
#include "mixeditor/NagrywarkaDJ.h"

using namespace Qt::StringLiterals;

namespace {

const Elem A{u"SND"_s, EmiA, TrwA};
const Elem B{u"SND"_s, EmiB, TrwB};
const Elem C{u"SND"_s, 36'375'000, 200'000};
const Elem D{u"SND"_s, 36'575'000, 200'000};
Elem dj(qint32 emi, qint32 trw = 20'000, QStringList inne = {}) { return {u"DJ_"_s, emi, trw, inne}; }

// Song 2 with every one of its marks moved, as the window drags it.
void przesunPiosenke2(qint32 o) {
    SladMiksuTyp& s = SladyMiksu[2];
    for (qint32* t : {&s.Emisja, &s.Intro, &s.NowyPoczatek, &s.NowyKoniec, &s.KoniecFadeIn, &s.PoczatekFadeOut}) *t += o;
    ZmianyMiksu = true;
}

// A voice track placed as the recorder or "Wstaw DJ" places one.
void wstawGlos(int v, qint32 emi, const QString& adres, bool wlasny) {
    SladMiksuTyp& s = SladyMiksu[v];
    s.Uzyty = 1;
    s.Kolor = KolorSladuDJ;
    s.Adres = adres;
    s.WlasnyZbior = wlasny;
    s.Identyfikator = u"Wstawiony"_s;
    s.TytulEtykieta = u"Nowy głos"_s;
    s.Emisja = s.NowyPoczatek = emi;
    s.Czas = 20'000;
    s.NowyKoniec = emi + 20'000;
    s.KoniecKaczkiWe = emi + 500;
    s.PoczatekKaczkiWy = emi + 19'500;
    s.PoziomKaczki = -1'200;
    s.Wzmocnienie = -100;
    ZmianyMiksu = true;
}

QList<qint32> emisje() {
    QList<qint32> t;
    for (int i = 1; i <= StanPlaylisty.Ilosc; ++i) t << Playlista[i].Emi;
    return t;
}

}  // namespace

TEST_F(MiksTest, SongMarksAndMovesWrittenBack) {
    struct Przypadek {
        qint32 koniec1, poczatek2, mix;
    };
    // A 1 ms gap must not read as the kind's default crossfade (-1).
    for (const Przypadek& p : {Przypadek{36'198'000, 36'195'000, 3'000}, Przypadek{36'194'999, 36'195'000, 0},
                               Przypadek{36'190'000, 36'195'000, -5'000}}) {
        czytaj({A, B, C, D});
        UstawMiks();
        SladMiksuTyp& s1 = SladyMiksu[1];
        s1.PoczatekFadeOut = 36'190'000;
        s1.Outro = 36'185'000;
        s1.NowyKoniec = p.koniec1;
        s1.Wzmocnienie = -250;
        s1.KrzywaFadeOut = 1;
        SladyMiksu[2].NowyPoczatek = p.poczatek2;
        ZmianyMiksu = true;
        ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
        const TElemPListy& a = Playlista[1];
        EXPECT_EQ((QList<qint32>{a.Mix, a.NwK, a.FOu, a.Out, a.Wzm, a.FOT}),
                  (QList<qint32>{p.mix, p.koniec1 - EmiA, 190'000, 185'000, -250, 1}));
        EXPECT_EQ(Playlista[2].NwP, p.poczatek2 - EmiB);
        EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB, 36'375'000, 36'575'000}));
        EXPECT_FALSE(ZmianyMiksu);
    }

    // Song 2 moved by +5 000: every later element follows; undo restores.
    czytaj({A, B, C, D});
    UstawMiks();
    przesunPiosenke2(5'000);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB + 5'000, 36'380'000, 36'580'000}));
    EXPECT_EQ(Playlista[1].Mix, TrwA - 5'000 - (EmiB - EmiA));
    EXPECT_EQ(UndoOperacja, u"Miksy"_s);
    ASSERT_TRUE(PrzywrocUndoPlaylisty(false));
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB, 36'375'000, 36'575'000}));

    // Song 2 moved earlier, before or after an info element and the hour's break (a voice track): both go along.
    const Elem rek{u"REK"_s, EmiB, 0}, inf{u"INF"_s, EmiB, 0, {u"Adr="_s}};
    const Elem brk{u"BRK"_s, EmiB, 0, {u"Tyt=#GODZINA"_s, u"Adr="_s}};
    for (const std::vector<Elem>& l : {std::vector<Elem>{A, rek, inf, brk, B}, {A, inf, brk, rek, B}}) {
        czytaj(l);
        UstawMiks();
        przesunPiosenke2(-10'000);
        ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
        EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB - 10'000, EmiB - 10'000, EmiB - 10'000, EmiB - 10'000}));
    }
}

TEST_F(MiksTest, MidnightAndTimelessElementsKeepTheirOrder) {
    // 23:58 and 00:02, an element without an air time after the first; song 2
    // moved and a voice inserted: the sort runs on continuous times and the
    // times come back within the day.
    czytaj({{u"SND"_s, 86'280'000, 240'000}, {u"INF"_s, -1, 0}, {u"SND"_s, 120'000, 200'000},
            {u"SND"_s, 320'000, 200'000}});
    UstawMiks();
    ASSERT_EQ(SladyMiksu[2].Element, 3);
    przesunPiosenke2(1'000);
    wstawGlos(3, 86'390'000, wav(u"G.WAV"_s), false);
    dialogi.Wyczysc();
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(emisje(), (QList<qint32>{86'280'000, -1, 86'390'000, 121'000, 321'000}));
    EXPECT_EQ(RodzajElemPListy(Playlista[2].Typ), RodzajINF);
    EXPECT_EQ(RodzajElemPListy(Playlista[3].Typ), RodzajDJ_);
    const auto stany = dialogi.Zapisy(RodzajDialogu::Stan);
    ASSERT_EQ(stany.size(), 1);
    EXPECT_EQ(stany[0].teksty.value(0), u"Sortowanie playlisty"_s);
    EXPECT_FALSE(dialogi.StanWidoczny());
}

TEST_F(MiksTest, VoiceTracksRemovedInsertedAndUpdated) {
    // Deleted: its element goes.
    czytaj({A, dj(36'150'000), B, C});
    UstawMiks();
    SladyMiksu[3].Uzyty = 0;
    ZmianyMiksu = true;
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB, 36'375'000}));
    EXPECT_EQ(Playlista[4].Ide, u"--------"_s) << "past the count nothing is left";

    // Inserted (a take recorded here): a new DJ element at its start time,
    // named after its file.
    UstawMiks();
    wstawGlos(3, 36'150'000, u"D:\\DJ\\DJ_30001.WAV"_s, true);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    const TElemPListy& n = Playlista[2];
    EXPECT_EQ(n.Typ, RodzajDJ_);
    EXPECT_EQ(n.Ide, u"DJ_30001"_s);
    EXPECT_EQ(QString(n.Tyt), u"Nowy głos"_s);
    // Emi, Trw, NwP, NwK, FIn, FOu, Int, Out, Mix, Wzm, Kac, KFI, KFO
    EXPECT_EQ((QList<qint32>{n.Emi, n.Trw, n.NwP, n.NwK, n.FIn, n.FOu, n.Int, n.Out, n.Mix, n.Wzm, n.Kac, n.KFI, n.KFO}),
              (QList<qint32>{36'150'000, 20'000, 0, 20'000, 0, 20'000, 0, 20'000, 0, -100, -1'200, 500, 19'500}));

    // An existing voice whose recording is missing, moved and lowered: only
    // its times and levels change; its title, texts and flags stay.
    czytaj({A, dj(36'150'000, 20'000, {u"Adr=D:\\BRAK.WAV"_s, u"Mod=Graj o"_s, u"Kom=Kompozytor"_s, u"MID=m7"_s}), B});
    UstawMiks();
    SladMiksuTyp& g = SladyMiksu[3];
    ASSERT_EQ(g.TytulEtykieta, TekstBrakNagrania);
    for (qint32* t : {&g.Emisja, &g.NowyPoczatek, &g.NowyKoniec, &g.KoniecKaczkiWe, &g.PoczatekKaczkiWy}) *t += 1'000;
    g.Wzmocnienie = -300;
    ZmianyMiksu = true;
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    const TElemPListy& e = Playlista[2];
    EXPECT_EQ(e.Typ, TypGrajO | RodzajDJ_);
    EXPECT_EQ((QStringList{e.Ide, e.Tyt, e.Kom, e.MID}), (QStringList{u"E2"_s, u"Tytuł 2"_s, u"Kompozytor"_s, u"m7"_s}));
    EXPECT_EQ(e.Emi, 36'151'000);
    EXPECT_EQ(e.Wzm, -300);

    // A new recording in that element replaces what described the old one.
    UstawMiks();
    wstawGlos(3, 36'151'000, u"D:\\INNY.WAV"_s, false);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(Playlista[2].Typ, TypGrajO | RodzajDJ_);
    EXPECT_EQ(Playlista[2].Ide, u"Wstawiony"_s);
    EXPECT_EQ(QString(Playlista[2].Kom), QString());
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
}

TEST_F(MiksTest, AcceptAsksAndKeepsThePlaylistSafe) {
    Wgrywanie.WgrajModyfikacjaPytaj = true;
    struct Przypadek {
        bool zmiany;
        int zestaw;
        quint16 odpowiedz;
        WynikAkceptacji wynik;
        int pytan;
    };
    for (const Przypadek& p : {Przypadek{false, 3, 0, WynikAkceptacji::BezZmian, 0},
                               Przypadek{true, 3, OdpowiedzTak, WynikAkceptacji::Zapisano, 1},
                               Przypadek{true, 2, OdpowiedzNie, WynikAkceptacji::Odrzucono, 1},
                               Przypadek{true, 3, OdpowiedzOpusc, WynikAkceptacji::Anulowano, 1}}) {
        SCOPED_TRACE(int(p.wynik));
        dialogi.Wyczysc();
        czytaj({A, B, C});
        UstawMiks();
        if (p.zmiany) przesunPiosenke2(5'000);
        if (p.odpowiedz) dialogi.Odpowiedz(p.odpowiedz);
        EXPECT_EQ(AkceptujMiks(p.zestaw), p.wynik);
        const auto pytania = dialogi.Zapisy(RodzajDialogu::Decyzja);
        ASSERT_EQ(pytania.size(), p.pytan);
        if (p.pytan) {
            EXPECT_EQ(pytania[0].teksty.value(0), u"Czy modyfikować playlistę?"_s);
            EXPECT_EQ(pytania[0].liczba, p.zestaw);
        }
        EXPECT_EQ(Playlista[2].Emi, p.wynik == WynikAkceptacji::Zapisano ? EmiB + 5'000 : EmiB);
    }
    Wgrywanie.WgrajModyfikacjaPytaj = false;

    // What the engine writes while the editor is open is kept.
    czytaj({A, B, C});
    UstawMiks();
    przesunPiosenke2(5'000);
    Playlista[1].Typ |= TypZagrany;
    Playlista[1].Wznow = 1'234;
    Playlista[3].BrakZbioru = 1;
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ((QList<qint32>{Playlista[1].Typ, Playlista[1].Wznow, Playlista[3].BrakZbioru, Playlista[3].Emi}),
              (QList<qint32>{TypZagrany | RodzajSND, 1'234, 1, 36'380'000}));

    // Anything else changed: nothing is written, the mix is built again on
    // the playlist as it is, around the same songs, with a take as far from song 2 as it was.
    czytaj({A, B, C});
    UstawMiks();
    przesunPiosenke2(5'000);
    wstawGlos(3, EmiB + 7'000, u"D:\\DJ_30001.WAV"_s, true);
    Playlista[2].Trw = 170'000;  // a length correction meanwhile moves song 2 and what follows
    for (int i : {2, 3}) Playlista[i].Emi -= 3'000;
    StanPlaylisty.Kursor = 2;  // the engine moved on
    dialogi.Wyczysc();
    UndoJest = false;
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Niezapisano);
    EXPECT_EQ(informacje(), QStringList{u"Nie zapisano miksów/"
                                        "(playlista zmieniła się w czasie edycji; wgrania DJ zostały w miksie)"_s});
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB - 3'000, 36'372'000}));
    EXPECT_EQ(Playlista[2].Trw, 170'000);
    EXPECT_EQ(SladyMiksu[2].Czas, 170'000);
    EXPECT_EQ(SladyMiksu[2].Emisja, EmiB - 3'000);
    EXPECT_FALSE(UndoJest);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, EmiB - 3'000, EmiB - 1'000, 36'372'000}));

    czytaj({A, B, C});
    UstawMiks();
    wstawGlos(3, EmiB - 5'000, u"D:\\DJ_30001.WAV"_s, true);
    czytaj({A, B, C});
    for (int p = 0; p < 2; ++p) ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Niezapisano) << "read anew: other elements";
    EXPECT_TRUE(SladyMiksu[3].Uzyty);
    EXPECT_EQ(informacje().last(), u"Nie zapisano miksów/(playlista zmieniła się w czasie edycji; nie ma w niej już tego miksu)"_s);
}

TEST_F(MiksTest, AFullPlaylistTakesNoNewVoice) {
    std::vector<Elem> el;
    for (int i = 0; i < MaksPlaylisty; ++i) el.push_back({u"SND"_s, (i * 200'000) % DobaMs, 200'000, {u"Adr=D:\\A.WAV"_s}});
    czytaj(el, 1);
    ASSERT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    UstawMiks();
    wstawGlos(3, 100'000, u"D:\\DJ.WAV"_s, false);
    przesunPiosenke2(1'000);
    dialogi.Wyczysc();
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(informacje(), QStringList{u"Brak pamięci/ (Dopuszczalna liczba elementów: 10000)"_s});
    EXPECT_EQ(StanPlaylisty.Ilosc, MaksPlaylisty);
    // Twenty-three days: each keeps its place, the first nine and the rest alike.
    for (qint32 i = 2; i <= MaksPlaylisty; ++i)
        ASSERT_EQ(Playlista[i].Emi, ((i - 1) * 200'000 + 1'000) % DobaMs) << i;
}

TEST_F(MiksTest, PlayersCursorAndNextFollowTheirElements) {
    // The players' numbers come through the playlist's undo seam.
    QList<qint32> numery{3, 4, 0, 0, 0};
    QList<qint32> ustawione;
    UstawNumeryGraczyUndo({[&] { return numery; }, [&](const QList<qint32>& n) { ustawione = n; }});

    // The voice before song 2 removed: everything after it moves down.
    czytaj({A, dj(36'150'000), B, C, D}, 1);
    StanPlaylisty.DoGrania = 5;
    UstawMiks();
    SladyMiksu[3].Uzyty = 0;
    ZmianyMiksu = true;
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(ustawione, (QList<qint32>{2, 3, 0, 0, 0}));
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);

    // A voice inserted before the next one to play is played next; the
    // cursor on a removed voice goes to what followed it.
    numery = {1, 0, 0, 0, 0};
    czytaj({A, dj(36'150'000), B, C}, 2);
    StanPlaylisty.DoGrania = 2;
    UstawMiks();
    SladyMiksu[3].Uzyty = 0;
    wstawGlos(4, 36'120'000, u"D:\\DJ.WAV"_s, false);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(emisje(), (QList<qint32>{EmiA, 36'120'000, EmiB, 36'375'000}));
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    EXPECT_EQ(ustawione, (QList<qint32>{1, 0, 0, 0, 0}));

    // A voice on a player is removed neither by "Usuń DJ" nor by accepting.
    numery = {1, 0, 2, 0, 0};
    czytaj({A, dj(36'150'000), B, C}, 1);
    UstawMiks();
    dialogi.Wyczysc();
    NagrywarkaDJ rec;
    rec.UsunDJ();
    EXPECT_TRUE(SladyMiksu[3].Uzyty);
    SladyMiksu[3].Uzyty = 0;
    ZmianyMiksu = true;
    EXPECT_EQ(AkceptujMiks(3), WynikAkceptacji::Anulowano);
    EXPECT_EQ(informacje(), QStringList(2, u"Nie można usunąć elementu - obecnie odtwarzany/(Tytuł 2)"_s));
    // The next to play passes breaks.
    numery = {};
    czytaj({A, B, {u"BRK"_s, 36'375'000, 0}, C}, 1);
    StanPlaylisty.DoGrania = 3;
    UstawMiks();
    przesunPiosenke2(1'000);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
}

TEST_F(MiksTest, DjTakesPlayFromTheNetworkFolder) {
    Emisja.CzyPlayListaZmienAdresDJ = true;
    Wgrywanie.WgrajKatalogLok = u"d:\\dj"_s;
    Wgrywanie.WgrajKatalogSiec2 = u"N:\\DJ"_s;
    czytaj({A, dj(36'150'000, 20'000, {u"Adr=D:\\DJ\\DJ_30001.A.MP3"_s}), B, dj(36'300'000, 20'000, {u"Adr=D:\\INNE\\X.WAV"_s}),
            {u"SND"_s, 36'400'000, 1'000, {u"Adr=D:\\DJ\\S.WAV"_s}}});
    UstawMiks();
    przesunPiosenke2(0);
    ASSERT_EQ(AkceptujMiks(), WynikAkceptacji::Zapisano);
    EXPECT_EQ(QString(Playlista[2].Adr), u"N:\\DJ\\DJ_30001.WAV"_s);
    EXPECT_EQ(QString(Playlista[4].Adr), u"D:\\INNE\\X.WAV"_s);
    EXPECT_EQ(QString(Playlista[5].Adr), u"D:\\DJ\\S.WAV"_s) << "only DJ elements";
}

TEST_F(MiksTest, EntryRefusesWithoutTwoSongs) {
    struct Przypadek {
        std::vector<Elem> elementy;
        qint32 kursor;
        QString powod;
    };
    const Elem inf{u"INF"_s, EmiA, 0};
    const Przypadek przypadki[] = {
        {{A}, 1, u"(wymagane co najmniej dwa elementy playlisty)"_s},
        {{A, B}, 2, u"(nie ma następnego nagrania)"_s},
        {{inf, B, C}, 1, u"(należy wybrać nagranie)"_s},
        {{A, B}, 0, u"(należy wybrać nagranie)"_s},
        {{dj(35'000'000), B}, 1, u"(należy wybrać nagranie)"_s},
        {{A, dj(36'150'000), inf}, 1, u"(nie ma następnego nagrania)"_s},
    };
    int okna = 0;
    PolaczeniaEdycji.PokazOkno = [&] { ++okna; };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.powod.toStdString());
        dialogi.Wyczysc();
        czytaj(p.elementy, p.kursor);
        EXPECT_FALSE(EdytujMiksy());
        EXPECT_EQ(informacje(), QStringList{u"Nie można ustawić miksów/"_s + p.powod});
    }
    EXPECT_EQ(okna, 0);

    // A whisper may be opened on; the recorder and the window in their order.
    QStringList kolejnosc;
    PolaczeniaEdycji.OtworzWejscie = [&] { kolejnosc << u"wejście"_s; };
    PolaczeniaEdycji.NastepnaNazwaWgrania = [&] { kolejnosc << u"nazwa"_s; };
    PolaczeniaEdycji.PokazOkno = [&] { kolejnosc << u"okno"_s; };
    PolaczeniaEdycji.WyczyscNazweWgrania = [&] { kolejnosc << u"koniec"_s; };
    czytaj({A, {u"WHI"_s, 36'150'000, 20'000}, B}, 2);
    EXPECT_TRUE(EdytujMiksy());
    EXPECT_EQ(kolejnosc, (QStringList{u"wejście"_s, u"nazwa"_s, u"okno"_s, u"koniec"_s}));
    EXPECT_EQ(SladyMiksu[3].Element, 2);
}

TEST_F(MiksTest, DefaultFadeCurvesAreWrittenUntouched) {
    Wgrywanie.WgrajFadeTyp = 2;
    czytaj({A, B});
    PolaczeniaEdycji.PokazOkno = [] { EXPECT_EQ(AkceptujMiks(3), WynikAkceptacji::Zapisano); };
    ASSERT_TRUE(EdytujMiksy());
    EXPECT_EQ(Playlista[1].FOT, 2);
    EXPECT_EQ(Playlista[2].FIT, 2);
    EXPECT_EQ(Playlista[1].FIT, 0) << "the fixed fade of song 1 is not written";
    Wgrywanie.WgrajFadeTyp = 3;  // names no curve: the songs keep their own
    UstawMiks();
    EXPECT_EQ(SladyMiksu[SladPiosenki1].KrzywaFadeOut, 2);
}

TEST_F(MiksTest, SteppingBetweenMixes) {
    const auto S = [](qint32 i) { return Elem{u"SND"_s, EmiA + i * 200'000, 200'000}; };
    const Elem whi{u"WHI"_s, EmiA + 250'000, 20'000};
    int zmiany = 0;
    PolaczeniaEdycji.MiksZmiana = [&] { ++zmiany; };
    czytaj({S(0), S(1), whi, S(2), S(3)}, 1);
    folder.write(u"drives/d/N4.OBW"_s, QByteArray(200, '\x20'));
    UstawMiks();

    // Changes are written before the step.
    przesunPiosenke2(1'000);
    ASSERT_TRUE(NastepnyMiks());
    EXPECT_EQ(Playlista[2].Emi, EmiA + 201'000);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    EXPECT_EQ(SladyMiksu[1].Element, 2);
    ASSERT_TRUE(NastepnyMiks());
    EXPECT_EQ(StanPlaylisty.Kursor, 4) << "past the whisper";
    EXPECT_EQ(SladyMiksu[1].ObwiedniaJest, 1) << "the final mix has its envelopes";
    EXPECT_EQ(SladyMiksuKopia[1].ObwiedniaJest, 1);
    EXPECT_EQ(zmiany, 3);

    // No further mix: refused, the old one built again.
    dialogi.Wyczysc();
    EXPECT_FALSE(NastepnyMiks());
    EXPECT_EQ(informacje(), QStringList{u"Nie można ustawić miksów/(element inny niż SND)"_s});
    EXPECT_EQ(StanPlaylisty.Kursor, 4);
    EXPECT_EQ(SladyMiksu[1].Element, 4);

    // Backward the whisper is passed over too.
    ASSERT_TRUE(PoprzedniMiks());
    EXPECT_EQ(StanPlaylisty.Kursor, 2);

    // A step to a mix without song 2 is refused.
    czytaj({S(0), S(1), dj(EmiA + 390'000)}, 1);
    UstawMiks();
    dialogi.Wyczysc();
    EXPECT_FALSE(NastepnyMiks());
    EXPECT_EQ(informacje(), QStringList{u"Nie można ustawić miksów/(nie ma następnego nagrania)"_s});
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_EQ(SladyMiksu[2].Element, 2);

    // The engine moved the playlist's cursor on while the mix was shown:
    // the steps go from the mix shown, with or without a change written.
    czytaj({S(0), S(1), S(2), S(3)}, 1);
    UstawMiks();
    StanPlaylisty.Kursor = 3;
    ASSERT_TRUE(NastepnyMiks());
    EXPECT_EQ(SladyMiksu[1].Element, 2);
    przesunPiosenke2(1'000);
    StanPlaylisty.Kursor = 4;
    ASSERT_TRUE(PoprzedniMiks());
    EXPECT_EQ(SladyMiksu[1].Element, 1);
    EXPECT_EQ(Playlista[3].Emi, EmiA + 401'000);

    // Not while the preview runs.
    PolaczeniaEdycji.PodgladTrwa = [] { return true; };
    EXPECT_FALSE(NastepnyMiks());
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
}
