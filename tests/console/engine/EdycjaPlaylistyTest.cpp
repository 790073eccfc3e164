// The shared insertion after the cursor: air time from the element before,
// the following elements moved by what the new one takes (earlier only for
// news and programmes), and the marks and decks renumbered.
#include <gtest/gtest.h>

#include "console/engine/EdycjaPlaylisty.h"
#include "console/support/SilnikRig.h"

namespace {

struct Wstawienie {
    const char* nazwa;
    const char* tytul;
    quint8 rodzaj;
    qint32 trw;
    qint32 pierwszyEmi;  // element 1, the cursor, 4 s long
    qint32 drugiEmi;     // element 2 before the insertion
    qint32 nowyEmi;      // the new element's air time
    qint32 przesuniety;  // element 2's air time after (now element 3)
};

class WstawRekord : public ::testing::TestWithParam<Wstawienie> {};

TEST_P(WstawRekord, RetimesAndRenumbers) {
    const Wstawienie& p = GetParam();
    SilnikRig r;
    Emisja.CzasCross = 1000;
    Emisja.CzasJCross = 0;
    r.dodaj(QString(), p.pierwszyEmi, 4000);
    r.dodaj(QString(), p.drugiEmi, 4000);
    r.dodaj(QString(), p.drugiEmi + 4000, 4000);
    StanPlaylisty.Kursor = 1;
    StanPlaylisty.DoGrania = 2;
    r.silnik->Odtwarzacz[2].Element = 3;
    r.silnik->Odtwarzacz[1].Element = 1;

    TElemPListy n;
    InitElemPListy(n);
    n.Typ = p.rodzaj;
    n.Tyt = QString::fromUtf8(p.tytul);
    n.Trw = n.NwK = n.FOu = p.trw;
    ASSERT_TRUE(WstawRekordPlaylisty(*r.silnik, n));
    EXPECT_EQ(StanPlaylisty.Ilosc, 4);
    EXPECT_EQ(StanPlaylisty.Kursor, 2);
    EXPECT_EQ(QString(Playlista[2].Tyt), QString::fromUtf8(p.tytul));
    EXPECT_EQ(Playlista[2].Emi, p.nowyEmi);
    EXPECT_EQ(Playlista[3].Emi, p.przesuniety);
    EXPECT_EQ(Playlista[4].Emi - Playlista[3].Emi, 4000);
    // Put right before the next one, it is the next one.
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 4);
    EXPECT_EQ(r.silnik->Odtwarzacz[1].Element, 1);
    EXPECT_FALSE(r.silnik->PlaylistaZmieniona);
}

INSTANTIATE_TEST_SUITE_P(
    EdycjaPlaylisty, WstawRekord,
    ::testing::Values(
        // A song after the cursor: starts at the end less the crossfade and
        // pushes the next by its length less the crossfades.
        Wstawienie{"SongPushes", "Piosenka", RodzajSND, 3000, H12, H12 + 4000, H12 + 3000, H12 + 5000},
        // A short song into a gap never pulls the next earlier.
        Wstawienie{"SongNeverPulls", "Krótka", RodzajSND, 1000, H12, H12 + 10'000, H12 + 3000, H12 + 10'000},
        // News do.
        Wstawienie{"NewsPulls", "#SERWIS O 12:00", RodzajJNG, 1000, H12, H12 + 10'000, H12 + 4000, H12 + 5000},
        // Across midnight the times wrap.
        Wstawienie{"AcrossMidnight", "Piosenka", RodzajSND, 3000, DobaMs - 4000, 0, DobaMs - 1000, 1000}),
    [](const auto& info) { return std::string(info.param.nazwa); });

TEST(EdycjaPlaylisty, TheFirstElementStartsAtZeroAndIsNextToPlay) {
    SilnikRig r;
    TElemPListy n;
    InitElemPListy(n);
    n.Typ = RodzajSND;
    ASSERT_TRUE(WstawRekordPlaylisty(*r.silnik, n));
    EXPECT_EQ(StanPlaylisty.Ilosc, 1);
    EXPECT_EQ(Playlista[1].Emi, 0);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_EQ(StanPlaylisty.DoGrania, 1);

    StanPlaylisty.Pojemnosc = 1;
    EXPECT_TRUE(PlaylistaPelna());
    EXPECT_FALSE(WstawRekordPlaylisty(*r.silnik, n));
    EXPECT_EQ(StanPlaylisty.Ilosc, 1);
    StanPlaylisty.Pojemnosc = 0;
}

}  // namespace
