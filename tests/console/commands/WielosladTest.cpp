// The timeline without its picture: zoom limits, the searches, where the
// blocks lie (the cursor's x, the minimum width, midnight, lanes, fades).
#include <gtest/gtest.h>

#include "console/commands/Komendy.h"
#include "console/commands/Wieloslad.h"
#include "console/support/TrybyRig.h"

namespace {

constexpr qint64 H = 3'600'000;

struct WielosladTest : ::testing::Test, TrybyRig {
    OsCzasu os;
    // Elements of these kinds, one minute each from 12:00.
    void lista(std::initializer_list<quint8> rodzaje) {
        qint32 n = 0;
        for (quint8 r : rodzaje) {
            TElemPListy& e = Playlista[size_t(++n)];
            e = TElemPListy{};
            e.Typ = r;
            e.Emi = qint32(12 * H + (n - 1) * 60'000);
            e.Trw = e.NwK = 60'000;
        }
        StanPlaylisty.Ilosc = n;
        StanPlaylisty.Kursor = 1;
    }
    const BlokWielosladu* blok(qint32 n, const std::vector<BlokWielosladu>& b) {
        for (const auto& x : b)
            if (x.Element == n) return &x;
        return nullptr;
    }
};

}  // namespace

TEST_F(WielosladTest, ZoomStaysWithinItsLimits) {
    struct Wiersz {
        qint32 skala;
        quint16 id;
        qint32 potem;
    };
    const quint16 plus = KomWielosladOd, minus = KomWielosladOd + 1, norm = KomWielosladOd + 2;
    for (const Wiersz w : {Wiersz{1, plus, 1}, Wiersz{8000, minus, 8000}, Wiersz{2000, plus, 1000},
                           Wiersz{2000, minus, 4000}, Wiersz{3, plus, 1}, Wiersz{300, norm, 1000}}) {
        os.SkalaTimeline = w.skala;
        EXPECT_EQ(os.Komenda(w.id, *silnik), OsCzasu::Skutek::Wieloslad);
        EXPECT_EQ(os.SkalaTimeline, w.potem) << w.skala << " " << w.id;
    }
}

TEST_F(WielosladTest, SearchesMoveTheCursorOnlyWhenTheyFind) {
    lista({RodzajSND, RodzajBRK, RodzajSND, RodzajDJ_, RodzajSND});
    struct Wiersz {
        qint32 kursor;
        quint16 id;
        qint32 potem;
    };
    const Wiersz wiersze[] = {
        {1, KomWielosladOd + 3, 1},  // "<- Break" on element 1
        {3, KomWielosladOd + 3, 2}, {3, KomWielosladOd + 4, 3}, {1, KomWielosladOd + 6, 4},
        {5, KomWielosladOd + 5, 4}, {3, KomWielosladOd + 5, 3}, {1, KomWielosladOd + 7, 1},
        {2, KomWielosladOd + 7, 1}, {5, KomWielosladOd + 8, 5}, {4, KomWielosladOd + 8, 5},
    };
    for (const Wiersz& w : wiersze) {
        StanPlaylisty.Kursor = w.kursor;
        const auto skutek = os.Komenda(w.id, *silnik);
        EXPECT_EQ(StanPlaylisty.Kursor, w.potem) << w.kursor << " " << w.id;
        EXPECT_EQ(skutek, w.potem == w.kursor ? OsCzasu::Skutek::Nic : OsCzasu::Skutek::Playlista);
    }
}

TEST_F(WielosladTest, BlocksLieByTimeAndKindOnTheirLanes) {
    lista({RodzajSND, RodzajINF, RodzajSND, RodzajBRK, RodzajSND, RodzajSND});
    Playlista[2].Trw = Playlista[2].NwK = 1000;  // half a unit at 2 000 ms
    Playlista[6].Emi = -1;                        // untimed
    StanPlaylisty.Kursor = 3;
    const auto b = os.Bloki(3);
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(blok(6, b), nullptr);
    EXPECT_EQ(blok(3, b)->X1, 223);
    EXPECT_EQ(blok(3, b)->X2, 253);
    EXPECT_EQ(blok(2, b)->X2 - blok(2, b)->X1, 4);
    EXPECT_EQ(blok(1, b)->Gora, 319);
    EXPECT_EQ(blok(3, b)->Gora, 349);
    EXPECT_EQ(blok(5, b)->Gora, 319);
    EXPECT_EQ(blok(2, b)->Gora, 379);
    EXPECT_EQ(blok(4, b)->Gora, 409);
    EXPECT_EQ(GoraPasa(3), 349);
}

TEST_F(WielosladTest, MidnightFadesAndMarksOutOfOrder) {
    lista({RodzajSND, RodzajSND});
    Playlista[1].Emi = qint32(24 * H - 60'000);
    Playlista[2].Emi = 60'000;  // tomorrow
    TElemPListy& e = Playlista[1];
    e.NwP = 4000;
    e.FIn = 2000;   // before the new start: clamped to it
    e.FOu = 0;      // unset: the length
    e.Int = 10'000;
    e.Out = 0;
    const auto b = os.Bloki(1);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_GT(b[1].X1, 223);
    EXPECT_EQ(b[1].X1, 283);
    EXPECT_EQ(b[0].Wielokat[0].x(), 225);
    EXPECT_EQ(b[0].Wielokat[1].x(), 225);
    EXPECT_EQ(b[0].Wielokat[2].x(), 253);
    EXPECT_EQ(b[0].Wielokat[0].y(), 319 + 26);
    EXPECT_EQ(b[0].Wielokat[1].y(), 319 + 6);
    EXPECT_EQ(b[0].XInt, 228);
    EXPECT_EQ(b[0].XOut, -1);
    int x = 0;
    ASSERT_TRUE(os.XCzasu(1, 30'000, x));  // 00:00:30, just after midnight
    EXPECT_EQ(x, 268);
}
