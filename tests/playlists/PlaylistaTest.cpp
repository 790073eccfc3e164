#include "playlists/PlaylistFixture.h"

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "playlists/D_Crossfade.h"

using namespace Qt::StringLiterals;

namespace {

TElemPListy elem(quint8 typ, const QString& tyt, qint32 trw = 0) {
    TElemPListy e;
    e.Typ = typ;
    e.Tyt = tyt;
    e.Trw = trw;
    return e;
}

}  // namespace

TEST_F(PlaylistTest, MarksAreBroughtIntoTheDuration) {
    TElemPListy e;
    e.Trw = 10'000;
    e.NwP = 4000;
    e.NwK = 4000;  // not after the new start
    e.FIn = 3000;  // before the new start
    e.FOu = 2000;  // before the fade-in
    e.Int = 12'000;
    e.Out = 0;
    PoprawCzasyElemPListy(e);
    EXPECT_EQ(e.NwP, 4000);
    EXPECT_EQ(e.NwK, 10'000);
    EXPECT_EQ(e.FIn, 4000);
    EXPECT_EQ(e.FOu, 10'000);
    EXPECT_EQ(e.Int, 0);
    EXPECT_EQ(e.Out, 10'000);

    // Each step uses what the one before left: a bad new start pulls the fade-in with it.
    TElemPListy f;
    f.Trw = 5000;
    f.NwP = -1;
    f.FIn = -1;
    f.NwK = 6000;
    f.FOu = 4000;
    f.Out = 4500;
    PoprawCzasyElemPListy(f);
    EXPECT_EQ(f.NwP, 0);
    EXPECT_EQ(f.FIn, 0);
    EXPECT_EQ(f.NwK, 5000);
    EXPECT_EQ(f.FOu, 4000);
    EXPECT_EQ(f.Out, 4500);
}

TEST_F(PlaylistTest, KindRules) {
    EXPECT_EQ(RodzajElemPListy(0x80 | 0x40 | RodzajJNG), RodzajJNG);

    // Breaks: the DJ test is case-sensitive, the ANIMACJA test upper-cased.
    EXPECT_TRUE(CzyBreakZDzwiekiem(elem(RodzajBRK, u"Przerwa"_s, 1000)));
    EXPECT_FALSE(CzyBreakZDzwiekiem(elem(RodzajBRK, u"Przerwa"_s, 0)));
    EXPECT_FALSE(CzyBreakZDzwiekiem(elem(RodzajBRK, u"DJ Marek"_s, 1000)));
    EXPECT_TRUE(CzyElemMowiony(elem(RodzajBRK, u"animacja nocna"_s, 1000)));
    EXPECT_FALSE(CzyElemMowiony(elem(RodzajBRK, u"dj marek"_s, 1000)));
    EXPECT_TRUE(CzyElemMowiony(elem(RodzajBRK, u"dj marek"_s, 0)));
    EXPECT_TRUE(CzyElemDzwiekowy(elem(RodzajBRK, u"dj marek"_s, 1000)));

    for (int k : {1, 5, 8, 9, 10, 11, 13, 14, 15}) EXPECT_TRUE(CzyElemDzwiekowy(elem(quint8(k), {}))) << k;
    for (int k : {2, 4, 6, 7, 12}) EXPECT_FALSE(CzyElemDzwiekowy(elem(quint8(k), {}))) << k;
    EXPECT_TRUE(CzyElemMowiony(elem(RodzajDJ_ | TypGrajO, {})));
    EXPECT_TRUE(CzyElemMowiony(elem(RodzajWHI, {})));
    EXPECT_FALSE(CzyElemMowiony(elem(RodzajSND, {})));

    EXPECT_TRUE(CzyElemReklama(elem(RodzajREK, {})));
    EXPECT_FALSE(CzyElemReklama(elem(RodzajPRO, {})));
    Emisja.CzyLista2LSTPromosy = true;
    EXPECT_FALSE(CzyElemReklama(elem(RodzajREK, {})));
    EXPECT_TRUE(CzyElemReklama(elem(RodzajPRO, {})));
}

TEST_F(PlaylistTest, TextFieldsAreCutToTheirWidthsOnEveryStore) {
    TElemPListy e;
    e.Tyt = QString(70, u'x');
    e.Rok = u"19999"_s;
    e.Adr = QString(300, u'a');
    e.Ide = QString(300, u'i');  // of free length
    EXPECT_EQ(e.Tyt.size(), 64);
    EXPECT_EQ(e.Rok.str(), u"1999"_s);
    EXPECT_EQ(e.Adr.size(), 250);
    EXPECT_EQ(e.Ide.size(), 300);

    InitElemPListy(e);
    EXPECT_EQ(e.Ide, u"--------"_s);
    EXPECT_EQ(e.Emi, -1);
    EXPECT_EQ(e.Mix, -1);
    EXPECT_TRUE(e.Tyt.isEmpty());
}

TEST_F(PlaylistTest, SwapExchangesWholeElements) {
    Playlista[1] = elem(RodzajSND, u"A"_s, 1000);
    Playlista[2] = elem(RodzajJNG, u"B"_s, 2000);
    Playlista[2].MID = u"m2"_s;
    ZamienElemPListy(1, 2);
    EXPECT_EQ(Playlista[1].Tyt.str(), u"B"_s);
    EXPECT_EQ(Playlista[1].MID, u"m2"_s);
    EXPECT_EQ(Playlista[2].Trw, 1000);
}

TEST_F(PlaylistTest, UndoRestoresTheWholePlaylistStateAndPlayerNumbers) {
    QList<qint32> gracze{3, 0, 0};
    UstawNumeryGraczyUndo({[&] { return gracze; }, [&](const QList<qint32>& n) { gracze = n; }});

    for (int i = 1; i <= 3; ++i) Playlista[i] = elem(RodzajSND, u"E"_s + QString::number(i), 1000 * i);
    StanPlaylisty.Ilosc = 3;
    StanPlaylisty.Kursor = 2;
    PlaylistaZbior = u"D:\\A.MIX"_s;
    PlaylistaNazwa = u"A"_s;

    ZapiszUndoPlaylisty(u"Usuń"_s);
    EXPECT_TRUE(UndoJest);

    // The edit: delete element 1; deck 1's element moves down with it, and
    // deck 3 starts E2 after the snapshot: each keeps its element.
    ZamienElemPListy(1, 2);
    ZamienElemPListy(2, 3);
    InitElemPListy(Playlista[3]);
    StanPlaylisty.Ilosc = 2;
    StanPlaylisty.Kursor = 1;
    PlaylistaZbior = u"D:\\B.MIX"_s;
    gracze = {2, 0, 1};

    // Asked and refused: nothing moves, the snapshot stays.
    dialogi.Odpowiedz(OdpowiedzNie);
    EXPECT_FALSE(PrzywrocUndoPlaylisty(true));
    EXPECT_EQ(Playlista[1].Tyt.str(), u"E2"_s);
    EXPECT_TRUE(UndoJest);
    const auto pytania = dialogi.Zapisy(RodzajDialogu::Decyzja);
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0].teksty, (QStringList{u"Ostatnia operacja:  Usuń"_s, u"Czy przywrócić playlistę?"_s}));

    dialogi.Odpowiedz(OdpowiedzTak);
    EXPECT_TRUE(PrzywrocUndoPlaylisty(true));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(Playlista[i].Tyt.str(), u"E"_s + QString::number(i));
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    EXPECT_EQ(PlaylistaZbior, u"D:\\A.MIX"_s);
    EXPECT_EQ(gracze, (QList<qint32>{3, 0, 2}));
    EXPECT_FALSE(UndoJest);
    EXPECT_TRUE(UndoOperacja.isEmpty());

    // One level only: a restore cannot be undone, and without ask nothing is asked.
    EXPECT_FALSE(PrzywrocUndoPlaylisty(false));
    ZapiszUndoPlaylisty(u"Wstaw"_s);
    Playlista[1].Tyt = u"x"_s;
    // An insert grows the list: what it added past the old count is no part
    // of the restored list and must not linger as a stale element.
    Playlista[4] = elem(RodzajJNG, u"added"_s, 500);
    StanPlaylisty.Ilosc = 4;
    EXPECT_TRUE(PrzywrocUndoPlaylisty(false));
    EXPECT_EQ(Playlista[1].Tyt.str(), u"E1"_s);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(Playlista[4].Typ, 0);
    EXPECT_TRUE(Playlista[4].Tyt.isEmpty());
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), 2);
}

TEST_F(PlaylistTest, ElementIsFilledFromTheDescription) {
    OpisNagraniaTyp opis;
    opis.Tyt = QString(70, u'T');
    opis.Wyk = u"Wykonawca"_s;
    opis.Aut = u"Autor tekstu"_s;
    opis.PTY = u"10"_s;
    opis.Zaa = u"1"_s;
    opis.Mix = u"00:04.500"_s;
    SygnalType s;
    s.Tot = 200'000;
    s.NwP = 1000;
    s.NwK = 190'000;
    s.FIn = 2000;
    s.FOu = 185'000;
    s.Int = 15'000;
    s.Out = 180'000;

    TElemPListy e;
    e.Typ = RodzajSND | TypGrajO;
    e.Adr = u"D:\\A.WAV"_s;
    e.Emi = 5000;
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Tyt.size(), 64);
    EXPECT_EQ(e.Wyk.str(), u"Wykonawca"_s);
    EXPECT_EQ(e.Atr.str(), u"Autor tekstu"_s);
    EXPECT_EQ(e.PTY.str(), u"10"_s);
    EXPECT_EQ(e.ZAA.str(), u"1"_s);
    EXPECT_EQ(e.Trw, 200'000);
    EXPECT_EQ(e.NwK, 190'000);
    EXPECT_EQ(e.Out, 180'000);
    EXPECT_EQ(e.Mix, 4000) << "only the seconds of the Mix text count";
    EXPECT_EQ(e.Typ, RodzajSND | TypGrajO);
    EXPECT_EQ(e.Adr.str(), u"D:\\A.WAV"_s);
    EXPECT_EQ(e.Emi, 5000);

    s.Mik = 183'000;  // a mix point beats the description's text
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Mix, 7000);
    s.NwK = -1;
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Mix, 17'000);

    s.Mik = -1;
    opis.Mix = u"7"_s;  // the editor's bare seconds
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Mix, 7000);

    opis.Mix.clear();  // nothing at all: the kind's default
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Mix, 3000);
    e.Typ = RodzajREK;
    WypelnijElemZOpisu(e, opis, s);
    EXPECT_EQ(e.Mix, 0);
}
