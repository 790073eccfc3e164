#include "playlists/PlaylistFixture.h"

#include "foundation/KestDysk2.h"
#include "playlists/D_Crossfade.h"

using namespace Qt::StringLiterals;

namespace {

TElemPListy elem(quint8 typ, qint32 mix = -1, const QString& adr = {}) {
    TElemPListy e;
    e.Typ = typ;
    e.Mix = mix;
    e.Adr = adr;
    return e;
}

}  // namespace

TEST_F(PlaylistTest, DefaultCrossfadesFollowTheSettings) {
    EXPECT_EQ(DomyslnyCrossfade(RodzajSND), 3000);
    EXPECT_EQ(DomyslnyCrossfade(RodzajJNG | TypGrajO), 2000);
    EXPECT_EQ(DomyslnyCrossfade(RodzajEFE), 2000);
    EXPECT_EQ(DomyslnyCrossfade(RodzajREK), 0);
    for (int k : {int(RodzajINF), int(RodzajBRK), int(RodzajALR), 7, 0, 16})
        EXPECT_EQ(DomyslnyCrossfade(quint8(k)), 0) << k;
    Emisja.CzasJCross = 1500;
    EXPECT_EQ(DomyslnyCrossfade(RodzajEFE), 1500);
}

TEST_F(PlaylistTest, CrossfadeBetweenElements) {
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND), elem(RodzajJNG)), 2000);
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 6000), elem(RodzajJNG)), 6000) << "missing file: no cap";
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 6000), elem(RodzajREK)), 0) << "an advert keeps the default";
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 6000), elem(RodzajPRO)), 1000);
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 0), elem(RodzajJNG)), 0) << "a Mix of 0 is the element's own";

    const QString krotki = wav(u"JINGIEL.WAV"_s, 10'000);
    const QString dlugi = wav(u"DLUGI.WAV"_s, 14'000);
    BladIO = 77;
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 6000), elem(RodzajJNG, -1, krotki)), 5000);
    EXPECT_EQ(BladIO, 77) << "looking at the file leaves the caller's I/O result";
    EXPECT_EQ(CrossfadeMiedzy(elem(RodzajSND, 6000), elem(RodzajJNG, -1, dlugi)), 6000);
}

TEST_F(PlaylistTest, FadeLevels) {
    // Rising fades of level 5000 over 3000 ms.
    EXPECT_EQ(PoziomFade(1000, 3000, 5000, false, KrzywaLiniowa), 1666);
    EXPECT_EQ(PoziomFade(1500, 3000, 5000, false, KrzywaSinus), 3535);
    EXPECT_EQ(PoziomFade(1500, 3000, 5000, false, KrzywaKwadrat), 1250);
    for (quint8 c : {KrzywaLiniowa, KrzywaSinus, KrzywaKwadrat}) {
        EXPECT_EQ(PoziomFade(0, 3000, 5000, false, c), 0) << int(c);
        EXPECT_EQ(PoziomFade(3000, 3000, 5000, false, c), 5000) << int(c);
        EXPECT_EQ(PoziomFade(4000, 3000, 5000, false, c), 5000) << int(c);
        EXPECT_EQ(PoziomFade(0, 3000, 5000, true, c), 5000) << int(c);
        EXPECT_EQ(PoziomFade(3000, 3000, 5000, true, c), 0) << int(c);
        EXPECT_EQ(PoziomFade(1000, 0, 5000, false, c), 0) << "no length, no division";
        EXPECT_EQ(PoziomFade(1000, -5, 5000, true, c), 0);
    }
    // Sine's full level although sin of a single-precision quarter wave is below 1.
    EXPECT_EQ(PoziomFade(7, 7, 1'000'000'007, false, KrzywaSinus), 1'000'000'007);

    // Falling: the position counts from the end.
    EXPECT_EQ(PoziomFade(1000, 3000, 5000, true, KrzywaLiniowa), 3333);
    EXPECT_EQ(PoziomFade(2000, 3000, 5000, true, KrzywaKwadrat), 555);
    EXPECT_EQ(PoziomFade(2000, 3000, 5000, true, KrzywaSinus), 2500);

    // Negative levels (hundredths of a dB) truncate toward zero.
    EXPECT_EQ(PoziomFade(1000, 3000, -5000, false, KrzywaLiniowa), -1666);
    EXPECT_EQ(PoziomFade(1000, 3000, 5000, false, 3), 0);
    // The product is exact in 64 bits.
    EXPECT_EQ(PoziomFade(3'000'000, 4'000'000, 4'000'000'000LL, false, KrzywaLiniowa), 3'000'000'000LL);
}
