// Building a mix: which elements become which tracks, what a track holds,
// the ranges and the time line.
#include "mixeditor/MiksFixture.h"

#include <QFile>

#include <array>

using namespace Qt::StringLiterals;

namespace {

const Elem A{u"SND"_s, EmiA, TrwA};
const Elem B{u"SND"_s, EmiB, TrwB};
Elem dj(qint32 emi, qint32 trw = 20'000) { return {u"DJ_"_s, emi, trw}; }

struct PrzypadekSladow {
    const char* opis;
    std::vector<Elem> elementy;
    qint32 kursor;
    std::array<qint32, 9> slady;  // element of tracks 1..8 ([0] unused)
};

}  // namespace

TEST_F(MiksTest, TracksAroundTheCursor) {
    const PrzypadekSladow przypadki[] = {
        {"a voice after song 1's middle is this mix's", {A, dj(36'150'000), B}, 1, {0, 1, 3, 2, 0, 0, 0, 0, 0}},
        {"a short voice before the middle: the search goes on",
         {A, dj(36'060'000), dj(36'150'000), B}, 1, {0, 1, 4, 3, 0, 2, 0, 0, 0}},
        {"past song 2's middle the search stops", {A, dj(36'300'000), dj(36'150'000), B}, 1, {0, 1, 4, 0, 0, 0, 0, 0, 0}},
        {"a voice longer than half of song 1 belongs", {A, dj(36'010'000, 150'000), B}, 1, {0, 1, 3, 2, 0, 0, 0, 0, 0}},
        {"the cursor on the voice between the songs", {A, dj(36'150'000), B}, 2, {0, 1, 3, 2, 0, 0, 0, 0, 0}},
        {"a third voice is never loaded",
         {A, dj(36'120'000, 10'000), dj(36'150'000, 10'000), dj(36'170'000, 10'000), B}, 1, {0, 1, 5, 2, 3, 0, 0, 0, 0}},
        {"a voice without an air time is nobody's", {A, dj(-1), B}, 1, {0, 1, 3, 0, 0, 0, 0, 0, 0}},
        {"neighbours and their voices",
         {{u"SND"_s, 35'800'000, 200'000}, dj(35'950'000, 10'000), A, dj(36'150'000), B, dj(36'300'000, 10'000),
          {u"SND"_s, 36'375'000, 200'000}},
         3, {0, 3, 5, 4, 0, 2, 6, 1, 7}},
        {"two elements: no neighbours", {A, B}, 1, {0, 1, 2, 0, 0, 0, 0, 0, 0}},
    };
    for (const PrzypadekSladow& p : przypadki) {
        SCOPED_TRACE(p.opis);
        czytaj(p.elementy, p.kursor);
        UstawMiks();
        for (int t = 1; t <= LiczbaSladowMiksu; ++t) {
            EXPECT_EQ(SladyMiksu[t].Element, p.slady[t]) << "track " << t;
            EXPECT_EQ(SladyMiksu[t].Uzyty, p.slady[t] != 0) << "track " << t;
        }
    }
}

TEST_F(MiksTest, TrackHoldsTheElementAndItsLabels) {
    Timelista[1] = {u"Reklama o 10:00"_s, u"D:\\BLOK10.WAV"_s, 36'000, 60'000, 0};
    StanTimelisty.Ilosc = 1;
    // Song 2 (track 2) or a voice inside song 1 (track 3).
    struct Przypadek {
        const char* opis;
        int slad;
        Elem e;
        bool belka;
        qint32 czas;
        QString adres, tytul, autor;
        quint8 przerwa, wybrany;
        TColor kolor;
    };
    const qint32 G = 36'150'000;
    const Przypadek przypadki[] = {
        {"a song", 2, {u"SND"_s, EmiB, TrwB}, false, TrwB, u"D:\\N2.WAV"_s, u"Tytuł 2"_s, u"Wykonawca 2"_s, 0, 1, 0x800000},
        {"a sweeper", 2, {u"SWE"_s, EmiB, TrwB}, false, TrwB, u"D:\\N2.WAV"_s, u"Tytuł 2"_s, u" SWEEPER - Wykonawca 2"_s, 0,
         1, 0x0080B2},
        {"a loop", 2, {u"LOP"_s, EmiB, TrwB}, false, TrwB, u"D:\\N2.WAV"_s, u"Tytuł 2"_s, u" LOOP - Wykonawca 2"_s, 0, 1,
         0x1E69D2},
        {"a missing recording", 2, {u"SND"_s, EmiB, TrwB, {u"Adr=D:\\BRAK.WAV"_s}}, false, TrwB, u"D:\\BRAK.WAV"_s,
         TekstBrakNagrania, u"Wykonawca 2"_s, 1, 1, 0x800000},
        {"a break keeps its title", 2, {u"BRK"_s, EmiB, TrwB, {u"Adr=D:\\BRAK.WAV"_s}}, false, TrwB, u"D:\\BRAK.WAV"_s,
         u"Tytuł 2"_s, u"Wykonawca 2"_s, 1, 0, 0x008000},
        {"an advert block plays the time list's file", 2, {u"REK"_s, EmiB, TrwB, {u"Tyt=Reklama o 10:00"_s}}, true, TrwB,
         u"D:\\BLOK10.WAV"_s, TekstBrakNagrania, u"Wykonawca 2"_s, 1, 0, 0x0000FF},
        {"an hour not in the time list keeps the address", 2, {u"REK"_s, EmiB, TrwB, {u"Tyt=Reklama o 11:00"_s}}, true,
         TrwB, u"D:\\N2.WAV"_s, u"Reklama o 11:00"_s, u"Wykonawca 2"_s, 0, 0, 0x0000FF},
        {"a voice has no author label", 3, dj(G), false, 20'000, u"D:\\N2.WAV"_s, u"Tytuł 2"_s, QString(), 0, 1, 0xFF0000},
        {"an animation lasts as its title says", 3, {u"BRK"_s, G, 20'000, {u"Tyt=Animacja 01:30"_s}}, false, 90'000,
         u"D:\\N2.WAV"_s, u"Animacja 01:30"_s, QString(), 1, 0, 0x008000},
        {"a bad animation time keeps the duration", 3, {u"BRK"_s, G, 20'000, {u"Tyt=ANIMACJA xx:30"_s}}, false, 20'000,
         u"D:\\N2.WAV"_s, u"ANIMACJA xx:30"_s, QString(), 1, 0, 0x008000},
        {"a whisper", 3, {u"WHI"_s, G, 20'000}, false, 20'000, u"D:\\N2.WAV"_s, u"Tytuł 2"_s, QString(), 0, 1, 0x000080},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        Emisja.CzyReklamaJakoBelka = p.belka;
        czytaj(p.slad == 2 ? std::vector<Elem>{A, p.e} : std::vector<Elem>{A, p.e, B});
        UstawMiks();
        const SladMiksuTyp& s = SladyMiksu[p.slad];
        ASSERT_EQ(s.Element, 2);
        EXPECT_EQ(s.Czas, p.czas);
        EXPECT_EQ(QString(s.Adres), p.adres);
        EXPECT_EQ(s.TytulEtykieta, p.tytul);
        EXPECT_EQ(s.AutorEtykieta, p.autor);
        EXPECT_EQ(s.Przerwa, p.przerwa);
        EXPECT_EQ(s.Wybrany, p.wybrany);
        EXPECT_EQ(s.Kolor, p.kolor);
        EXPECT_EQ(s.Kolejny, CzyElemDzwiekowy(Playlista[2]) ? 2 : 1);
        EXPECT_EQ(s.PoczatekFadeOut, s.Emisja + p.czas) << "a 0 mark ends at the track's end";
    }
    // Marks are absolute; 0 marks stand at the air time or the end.
    EXPECT_EQ(SladyMiksu[1].NowyPoczatek, EmiA);
    EXPECT_EQ(SladyMiksu[1].NowyKoniec, EmiA + TrwA);
    czytaj({A, {u"SND"_s, EmiB, TrwB, {u"NwP=00:01.000"_s, u"FIn=00:02.000"_s, u"Int=00:10.000"_s}}});
    UstawMiks();
    EXPECT_EQ(SladyMiksu[2].NowyPoczatek, EmiB + 1'000);
    EXPECT_EQ(SladyMiksu[2].KoniecFadeIn, EmiB + 2'000);
    EXPECT_EQ(SladyMiksu[2].Intro, EmiB + 10'000);
}

TEST_F(MiksTest, EnvelopesAreReadBoundedAfterTheirHeader) {
    struct Przypadek {
        qint64 rozmiar;  // -1: no file
        quint8 jest;
        qint32 dlugosc;
        qint32 bajtow;
    };
    const Przypadek przypadki[] = {
        {-1, 0, 0, 0}, {100, 0, 0, 0}, {128, 1, 128, 0}, {1128, 1, 1128, 1000}, {700'000, 1, 600'000, 599'872}};
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.rozmiar);
        czytaj({A, B});
        QFile::remove(folder.path() + u"/drives/d/N1.OBW"_s);
        if (p.rozmiar >= 0) {
            QByteArray b(int(p.rozmiar), '\x10');
            for (int i = 0; i < 128 && i < b.size(); ++i) b[i] = 'H';  // the header is not a level
            folder.write(u"drives/d/N1.OBW"_s, b);
        }
        UstawMiks();
        const SladMiksuTyp& s = SladyMiksu[1];
        EXPECT_EQ(s.ObwiedniaJest, p.jest);
        EXPECT_EQ(s.DlugoscObwiedni, p.dlugosc);
        EXPECT_EQ(s.Obwiednia.size(), p.bajtow);
        EXPECT_FALSE(s.Obwiednia.contains('H'));
        EXPECT_EQ(SladyMiksu[2].ObwiedniaJest, 0) << "no .OBW beside song 2";
    }
    // Building without envelopes (stepping's candidates) reads none.
    UstawMiks(false);
    EXPECT_EQ(SladyMiksu[1].ObwiedniaJest, 0);
}

TEST_F(MiksTest, RangesOfTheBuild) {
    // Two elements: no neighbours, so the limits are the songs' own.
    czytaj({{u"SND"_s, EmiA, TrwA, {u"Out=03:05.000"_s}}, {u"SND"_s, EmiB, TrwB, {u"Int=00:10.000"_s}}});
    UstawMiks();
    EXPECT_EQ(Zakresy.KursorPodgladu, EmiB - 2'000);
    EXPECT_EQ(Zakresy.PoczatekWgrania, EmiA + 185'000);
    EXPECT_EQ(Zakresy.KoniecWgrania, EmiB + 10'000);
    EXPECT_EQ(Zakresy.GranicaLewa, EmiA);
    EXPECT_EQ(Zakresy.GranicaPrawa, EmiB + TrwB);
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, EmiA);
    EXPECT_EQ(Zakresy.KoniecZakresuDJ, EmiB + TrwB);

    // Without an outro the window starts at song 2's new start; an end before
    // the start swaps them.
    czytaj({A, {u"SND"_s, EmiB, TrwB, {u"NwP=00:03.000"_s}}});
    UstawMiks();
    EXPECT_EQ(Zakresy.PoczatekWgrania, EmiB);
    EXPECT_EQ(Zakresy.KoniecWgrania, EmiB + 3'000);

    // Neighbours bound song 2's moves and the voices.
    const Elem S0{u"SND"_s, 35'800'000, 200'000, {u"NwK=03:10.000"_s}};
    const Elem S3{u"SND"_s, 36'375'000, 200'000, {u"NwP=00:02.000"_s}};
    czytaj({S0, dj(35'950'000, 10'000), A, dj(36'150'000), B, dj(36'300'000, 10'000), S3}, 3);
    UstawMiks();
    EXPECT_EQ(Zakresy.GranicaLewa, 35'800'000 + 190'000);
    EXPECT_EQ(Zakresy.GranicaPrawa, 36'375'000 + 2'000);
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, 35'950'000 + 10'000) << "after the previous mix's voice";
    EXPECT_EQ(Zakresy.KoniecZakresuDJ, 36'300'000) << "before the next mix's voice";
    EXPECT_EQ(LiczGlosyMiksu(7, 1), 1);
    EXPECT_EQ(LiczGlosyMiksu(1, 2), 1);

    // The previous mix with two voices: this mix's voices start at song 1's middle.
    czytaj({S0, dj(35'910'000, 10'000), dj(35'950'000, 10'000), A, dj(36'150'000), B}, 4);
    UstawMiks();
    EXPECT_EQ(LiczGlosyMiksu(7, 1), 2);
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, EmiA + TrwA / 2);
    Wgrywanie.WgrajZderzaki = false;
    UstawMiks();
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, 35'950'000 + 10'000);

    // Once a voice was dragged before song 1's middle and the previous mix has
    // one voice, the range starts at the middle.
    Wgrywanie.WgrajZderzaki = true;
    czytaj({S0, dj(35'950'000, 10'000), A, dj(36'150'000), B}, 3);
    UstawMiks();
    SladyMiksu[3].Emisja = 36'050'000;
    PrzeliczZakresDJ();
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, EmiA + TrwA / 2);
    // Reset gives the build's tracks and ranges back.
    PrzywrocKopieMiksu();
    EXPECT_EQ(SladyMiksu[3].Emisja, 36'150'000);
    EXPECT_EQ(Zakresy.PoczatekZakresuDJ, 35'960'000);
}

TEST_F(MiksTest, TimeLineOfTheTransition) {
    czytaj({{u"SND"_s, EmiA, TrwA, {u"NwK=03:18.000"_s}}, B});
    UstawMiks();
    EXPECT_EQ(ZakresWidoku, 64'001);
    EXPECT_EQ(PoczatekWidoku, 36'164'500);
    EXPECT_EQ(CzasNaPiksel(36'195'000), 381);
    EXPECT_EQ(PikselNaCzas(381), 36'194'980);
    EXPECT_EQ(CzasNaPiksel(36'164'500 - 79), 0) << "toward zero";
    PrzesuniecieWidoku = -1'000;
    ZoomMiksu = 0;  // taken as 1
    CentrujWidok();
    EXPECT_EQ(ZakresWidoku, 8'001);
    EXPECT_EQ(PoczatekWidoku, 36'196'500 - 4'000 - 1'000);
}

TEST_F(MiksTest, DaysGrowThroughMidnight) {
    // 23:58 then 00:02: the second is on the next day while the mix is built.
    czytaj({{u"SND"_s, 86'280'000, 240'000}, {u"SND"_s, 120'000, 200'000}, {u"SND"_s, 320'000, 200'000}});
    UstawMiks();
    EXPECT_EQ(SladyMiksu[2].Emisja, DobaMs + 120'000);
    EXPECT_EQ(PlaylistaMiksu[3].Emi, DobaMs + 320'000);
    EXPECT_GT(CzasNaPiksel(SladyMiksu[2].Emisja), 0);

    // A start a little earlier than its predecessor's is the same day; an
    // element without an air time stays without one.
    czytaj({{u"SND"_s, 86'280'000, 240'000}, {u"SND"_s, 86'270'000, 200'000}, {u"INF"_s, -1, 0},
            {u"SND"_s, 120'000, 200'000}});
    UstawMiks();
    EXPECT_EQ(PlaylistaMiksu[2].Emi, 86'270'000);
    EXPECT_EQ(PlaylistaMiksu[3].Emi, -1);
    EXPECT_EQ(PlaylistaMiksu[4].Emi, DobaMs + 120'000);
}
