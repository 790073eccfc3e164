// The clean-up passes over a loaded playlist: air times, removals past the
// hour, placeholders, advert lengths and descriptions from the recordings.
#include "playlists/PlaylistFixture.h"

#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "foundation/KestDysk2.h"
#include "playlists/D_PlaylistaPorzadki.h"
#include "playlists/NagraniaPrzebiegu.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint32 H = 3'600'000;
constexpr qint32 S = 1000;

TElemPListy elem(quint8 typ, qint32 emi, qint32 trw, const QString& tyt = u"x"_s, const QString& adr = {}) {
    TElemPListy e;
    e.Typ = typ;
    e.Emi = emi;
    e.Trw = trw;
    e.Tyt = tyt;
    e.Adr = adr;
    return e;
}

void lista(std::initializer_list<TElemPListy> elementy) {
    int n = 0;
    for (const TElemPListy& e : elementy) Playlista[++n] = e;
    StanPlaylisty.Ilosc = n;
}

QStringList tytuly() {
    QStringList t;
    for (int i = 1; i <= StanPlaylisty.Ilosc; ++i) t << Playlista[i].Tyt;
    return t;
}

}  // namespace

TEST_F(PlaylistTest, AirTimesFollowLengthsAndCrossfades) {
    Emisja.CzyListaPelneGodz = false;
    lista({elem(RodzajSND, 10 * H, 180 * S, u"a"_s), elem(RodzajJNG, 0, 10 * S, u"j"_s),
           elem(RodzajSND, 0, 200 * S, u"b"_s), elem(RodzajWHI, 0, 5 * S, u"w"_s), elem(RodzajREK, 0, 30 * S, u"r"_s)});
    Playlista[4].Mix = 0;  // a whisper of no crossfade of its own takes the defaults
    UsunPozaGodzine(StanPlaylisty);
    EXPECT_EQ(Playlista[1].Mix, 3000);
    EXPECT_EQ(Playlista[2].Emi, 10 * H + 177 * S);
    EXPECT_EQ(Playlista[3].Emi, 10 * H + 185 * S);
    // A whisper does not move the running time; the advert after it cuts
    // its crossfade to 0.
    EXPECT_EQ(Playlista[4].Emi, 10 * H + 382 * S);
    EXPECT_EQ(Playlista[5].Emi, 10 * H + 382 * S);
    EXPECT_EQ(Playlista[4].Mix, 0);  // cut before the advert
    EXPECT_TRUE(dialogi.Zapisy(RodzajDialogu::Decyzja).isEmpty());
}

TEST_F(PlaylistTest, SongsPastTheHourGoOnlyAfterYes) {
    Emisja.CzyListaPelneGodz = true;
    Emisja.CzyListaPozaGodzUsun = true;
    auto zestaw = [] {
        lista({elem(RodzajSND, 10 * H + 55 * 60 * S, 250 * S, u"a"_s), elem(RodzajSND, 10 * H + 58 * 60 * S, 200 * S, u"b"_s),
               elem(RodzajSND, 10 * H + 59 * 60 * S, 200 * S, u"c"_s), elem(RodzajSND, -1, 200 * S, u"bez"_s),
               elem(RodzajSND, 11 * H, 200 * S, u"pelna"_s), elem(RodzajJNG, 11 * H + 3 * S, 5 * S, u"j"_s)});
    };
    zestaw();
    dialogi.Odpowiedz(OdpowiedzTak);
    UsunPozaGodzine(StanPlaylisty);
    // a ends at 10:59:10 and b stays; b ends at 11:01:20, so c (10:59) goes,
    // and the element after it is looked at in its place: no air time, kept.
    EXPECT_EQ(tytuly(), (QStringList{u"a"_s, u"b"_s, u"bez"_s, u"pelna"_s, u"j"_s}));
    ASSERT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), 1);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja)[0].teksty[0], u"Czy usunąć nagrania wykraczające poza godzinę ?"_s);
    EXPECT_EQ(Playlista[StanPlaylisty.Ilosc + 1], TElemPListy{});

    zestaw();
    dialogi.Odpowiedz(OdpowiedzNie);
    UsunPozaGodzine(StanPlaylisty);
    EXPECT_EQ(StanPlaylisty.Ilosc, 6);
    // Without removal an element not at the full hour follows its predecessor in whole seconds.
    EXPECT_EQ(Playlista[2].Emi, 10 * H + 55 * 60 * S + 247 * S);
    EXPECT_EQ(Playlista[5].Emi, 11 * H);
}

TEST_F(PlaylistTest, WhisperPlannedWithASongMovesAfterIt) {
    Emisja.CzyListaPelneGodz = false;
    lista({elem(RodzajSND, 9 * H, 60 * S, u"a"_s), elem(RodzajWHI, 0, 4 * S, u"w"_s), elem(RodzajSND, 0, 60 * S, u"b"_s),
           elem(RodzajWHI, 0, 4 * S, u"w2"_s), elem(RodzajSND, 0, 60 * S, u"c"_s)});
    Playlista[2].Sel = u"09:01:00"_s;
    Playlista[3].Sel = u"09:01:00"_s;
    Playlista[3].NwP = 1500;
    // Empty planned times are no pair.
    UsunPozaGodzine(StanPlaylisty);
    EXPECT_EQ(tytuly(), (QStringList{u"a"_s, u"b"_s, u"w"_s, u"w2"_s, u"c"_s}));
    EXPECT_EQ(Playlista[3].Emi, Playlista[2].Emi + 1500);
}

TEST_F(PlaylistTest, EmptyPlaceholdersAreRemoved) {
    // Bar mode keeps a placeholder only when the time list has its hour.
    Timelista[1].Czas = 8 * 3600;
    Timelista[1].Tyt = u"spot"_s;
    StanTimelisty.Ilosc = 1;
    const struct {
        bool belka;
        quint8 rodzaj;
        QStringList zostaja;
    } przypadki[] = {
        {false, RodzajREK, {u"a"_s, u"Reklama o 09:00"_s, u"Promos o 08:00"_s, u"Promos o 09:00"_s, u"Reklama x"_s}},
        {true, RodzajREK, {u"a"_s, u"Reklama o 08:00"_s, u"Promos o 08:00"_s, u"Promos o 09:00"_s, u"Reklama x"_s}},
        {false, RodzajPRO, {u"a"_s, u"Reklama o 08:00"_s, u"Reklama o 09:00"_s, u"Promos o 09:00"_s, u"Reklama x"_s}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(int(p.rodzaj) * 10 + p.belka);
        Emisja.CzyReklamaJakoBelka = p.belka;
        lista({elem(RodzajSND, 0, 0, u"a"_s), elem(RodzajREK, 0, 0, u"Reklama o 08:00"_s, u" "_s),
               elem(RodzajREK, 0, 0, u"Reklama o 09:00"_s, u"D:\\R.WAV"_s), elem(RodzajPRO, 0, 0, u"Promos o 08:00"_s),
               elem(RodzajPRO, 0, 0, u"Promos o 09:00"_s, u"D:\\P.WAV"_s), elem(RodzajREK, 0, 0, u"Reklama x"_s)});
        UsunPusteZaslepki(Playlista, StanPlaylisty.Ilosc, 0, p.rodzaj, p.belka);
        EXPECT_EQ(tytuly(), p.zostaja);
    }
}

TEST_F(PlaylistTest, RunsOfLikePlaceholdersCollapse) {
    lista({elem(RodzajSND, 8 * H, 60 * S, u"a"_s), elem(RodzajREK, 8 * H + 60 * S, 30 * S, u"Reklama o 08:00"_s, u"D:\\1.WAV"_s),
           elem(RodzajREK, 8 * H + 90 * S, 30 * S, u"Reklama o 08:00"_s, u"D:\\2.WAV"_s),
           elem(RodzajSND, 8 * H + 120 * S, 60 * S, u"b"_s),
           // Real adverts with equal titles are never merged.
           elem(RodzajREK, 8 * H + 180 * S, 30 * S, u"Spot"_s, u"D:\\3.WAV"_s),
           elem(RodzajREK, 8 * H + 210 * S, 30 * S, u"Spot"_s, u"D:\\4.WAV"_s)});
    ScalPowtorzoneElementy(Playlista, StanPlaylisty.Ilosc, 0, RodzajREK);
    EXPECT_EQ(tytuly(), (QStringList{u"a"_s, u"Reklama o 08:00"_s, u"b"_s, u"Spot"_s, u"Spot"_s}));
    EXPECT_EQ(Playlista[2].Adr, u" "_s);
    EXPECT_EQ(Playlista[2].Trw, 0);
    EXPECT_EQ(Playlista[3].Emi, 8 * H + 60 * S);  // the next song starts at the placeholder's time
    EXPECT_EQ(Playlista[4].Emi, 8 * H + 120 * S);
    EXPECT_EQ(Playlista[5].Adr, u"D:\\4.WAV"_s);
}

TEST_F(PlaylistTest, AdvertLengthsOnlyForNativeLists) {
    const QString plik = wav(u"R1.WAV"_s, 20'000);
    for (const QString& zbior : {u"D:\\DZIS.SEL"_s, u"D:\\DZIS.MIX"_s}) {
        SCOPED_TRACE(zbior.toStdString());
        PlaylistaZbior = zbior;
        lista({elem(RodzajREK, 10 * H, 30 * S, u"Spot"_s, plik), elem(RodzajSND, 10 * H + 30 * S, 60 * S, u"a"_s),
               elem(RodzajSND, -1, 60 * S, u"b"_s)});
        Playlista[2].NwK = 90 * S;  // validated either way
        NagraniaPrzebiegu nagrania;
        SprawdzCzasyReklam(Playlista, StanPlaylisty.Ilosc, zbior.endsWith(u".MIX"_s), nagrania);
        const bool mix = zbior.endsWith(u".MIX"_s);
        EXPECT_EQ(Playlista[1].Trw, mix ? 20 * S : 30 * S);
        EXPECT_EQ(Playlista[2].Emi, mix ? 10 * H + 20 * S : 10 * H + 30 * S);
        EXPECT_EQ(Playlista[3].Emi, -1);
        EXPECT_EQ(Playlista[2].NwK, 60 * S);
    }
}

TEST_F(PlaylistTest, ImportedListsTakeDescriptionsAndCategories) {
    Emisja.CzyOpisyInneZListy = true;
    Emisja.CzyKategorieZNagran = true;
    const QString plik = wav(u"J1.WAV"_s, 7000);
    const QString brak = u"D:\\BRAK.WAV"_s;
    SygnalType s;
    s.Adres = plik;
    OtworzSygnal(s, false);
    OpisNagraniaTyp opis;
    KasujOpis(opis);
    opis.Tyt = u"Dżingiel poranny"_s;
    opis.Wyk = u"Ab"_s;  // too short to replace
    opis.Ktg = u"jingiel"_s;
    opis.Mix = u"x"_s;
    ZapiszDAT(s, opis);

    for (const QString& zbior : {u"D:\\DZIS.SEL"_s, u"D:\\DZIS.MIX"_s}) {
        SCOPED_TRACE(zbior.toStdString());
        PlaylistaZbior = zbior;
        lista({elem(RodzajSND, 0, 1, u"z listy"_s, plik), elem(RodzajSND, 0, 5000, u"bez pliku"_s, brak)});
        Playlista[1].Wyk = u"Zespół"_s;
        BladIO = 7;  // as a read left it
        PrzypiszOpisyNagraniom(StanPlaylisty);
        EXPECT_EQ(BladIO, 7);  // the read's own result stays for its caller
        const bool sel = zbior.endsWith(u".SEL"_s);
        EXPECT_EQ(RodzajElemPListy(Playlista[1].Typ), sel ? RodzajJNG : RodzajSND);
        EXPECT_EQ(Playlista[1].Tyt, sel ? u"Dżingiel poranny"_s : u"z listy"_s);
        EXPECT_EQ(Playlista[1].Wyk, u"Zespół"_s);
        EXPECT_EQ(Playlista[1].Trw, sel ? 7000 : 1);
        EXPECT_EQ(Playlista[1].Mix, sel ? -1 : -1);
        EXPECT_EQ(Playlista[2].Tyt, u"bez pliku"_s);
    }
    // An unknown category leaves the kind.
    opis.Ktg = u"rock"_s;
    ZapiszDAT(s, opis);
    PlaylistaZbior = u"X.PRG"_s;
    lista({elem(RodzajSND, 0, 1, u"z listy"_s, plik)});
    PrzypiszOpisyNagraniom(StanPlaylisty);
    EXPECT_EQ(RodzajElemPListy(Playlista[1].Typ), RodzajSND);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Stan).value(0).teksty.value(0), u"Przypisywanie opisów nagraniom"_s);
}
