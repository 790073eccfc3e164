// The mix editor's write while the day plays: the engine runs on the manual
// clock inside the (stand-in) editor window, with the console's own
// installation of the editor's flags.
#include "console/support/SilnikRig.h"

#include "console/engine/TrybyEmisji.h"
#include "console/window/PolaczeniaMiksow.h"
#include "mixeditor/EdycjaPL.h"

namespace {

struct MiksyRig : SilnikRig {
    MiksyRig() {
        PolaczMiksy(*silnik, timery);
        Wgrywanie.WgrajModyfikacjaPytaj = false;
        SzerokoscWidoku = 800;
        ZoomMiksu = 8;
        PrzesuniecieWidoku = 0;
    }
    ~MiksyRig() {
        OdlaczMiksy();
        PolaczeniaEdycji = {};
    }
    // The editor "window": what the operator and the air do while it is
    // open. The cursor stays where the editor was opened, as the console's
    // "Miksy" command keeps it.
    template <class F>
    bool edytuj(F okno) {
        PolaczeniaEdycji.PokazOkno = okno;
        silnik->FlagaNastepnego = false;
        const bool wynik = EdytujMiksy();
        silnik->FlagaNastepnego = true;
        return wynik;
    }
    QStringList tytuly() const {
        QStringList t;
        for (int i = 1; i <= StanPlaylisty.Ilosc; ++i) t << Playlista[i].Tyt;
        return t;
    }

    TimeryKonsoli timery{*silnik};
};

}  // namespace

TEST(EdycjaMiksow, WrittenWhileTheDayPlays) {
    MiksyRig r;
    Emisja.CiszaGra = true;
    Emisja.TOfset = 200;
    r.dodaj(r.wav("s1.wav", 10'000), H12, 10'000).Tyt = QStringLiteral("S1");
    r.dodaj(r.wav("dj.wav", 2'000), H12 + 6'000, 2'000, RodzajDJ_).Tyt = QStringLiteral("DJ");
    r.dodaj(r.wav("s2.wav", 10'000), H12 + 8'000, 10'000).Tyt = QStringLiteral("S2");
    r.dodaj(r.wav("s3.wav", 10'000), H12 + 16'000, 10'000).Tyt = QStringLiteral("S3");
    r.dodaj(r.wav("s4.wav", 10'000), H12 + 24'000, 10'000).Tyt = QStringLiteral("S4");
    StanPlaylisty.Kursor = 1;
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    r.stan.TrybAutomat = true;
    ASSERT_GT(r.tikDo([&] { return r.silnik->Odtwarzacz[2].Element == 3; }, 1000), 0);
    ASSERT_EQ(StanPlaylisty.DoGrania, 4);

    // The mix that just played, opened while S1 and S2 are on the decks: its
    // voice is deleted while S1 ends and S2 plays on.
    StanPlaylisty.Kursor = 1;
    const bool otwarty = r.edytuj([&] {
        ASSERT_EQ(SladyMiksu[3].Element, 2);
        r.tikDo([&] { return r.stan.OdtwarzaczZajety[1] == 0; }, 200);
        ASSERT_TRUE(Playlista[1].Typ & TypZagrany) << "S1 was marked played meanwhile";
        SladyMiksu[3].Uzyty = 0;
        ZmianyMiksu = true;
        EXPECT_EQ(AkceptujMiks(3), WynikAkceptacji::Zapisano);
    });
    ASSERT_TRUE(otwarty);
    EXPECT_EQ(r.tytuly(), (QStringList{"S1", "S2", "S3", "S4"}));
    EXPECT_TRUE(Playlista[1].Typ & TypZagrany);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2) << "S2's deck follows its element";
    EXPECT_EQ(StanPlaylisty.DoGrania, 3);
    EXPECT_TRUE(r.timery.MiksZmiana);
    EXPECT_FALSE(r.silnik->PlaylistaZmieniona);

    // Undo puts the voice and the numbers back.
    ASSERT_TRUE(PrzywrocUndoPlaylisty(false));
    EXPECT_EQ(r.tytuly(), (QStringList{"S1", "DJ", "S2", "S3", "S4"}));
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 3);
    EXPECT_EQ(StanPlaylisty.DoGrania, 4);
    EXPECT_TRUE(Playlista[1].Typ & TypZagrany);

    // The air goes on: S3 starts next, on the element the list has.
    ASSERT_GT(r.tikDo([&] { return r.silnik->Odtwarzacz[1].Element != 0; }, 1000), 0);
    EXPECT_EQ(Playlista[r.silnik->Odtwarzacz[1].Element].Tyt, QStringLiteral("S3"));
    ASSERT_GT(r.tikDo([&] { return r.stan.OdtwarzaczZajety[2] == 0; }, 1000), 0);
    EXPECT_TRUE(Playlista[3].Typ & TypZagrany) << "S2 ended as played";
}

TEST(EdycjaMiksow, AListChangedMeanwhileIsKept) {
    MiksyRig r;
    Emisja.CiszaGra = true;
    Emisja.TOfset = 200;
    r.dodaj(r.wav("s1.wav", 10'000), H12, 10'000).Tyt = QStringLiteral("S1");
    // A promo 2 000 ms longer than planned moves everything after it when it starts.
    r.dodaj(r.wav("pro.wav", 5'000), H12 + 10'000, 3'000, RodzajPRO).Tyt = QStringLiteral("PRO");
    r.dodaj(r.wav("s2.wav", 10'000), H12 + 13'000, 10'000).Tyt = QStringLiteral("S2");
    r.dodaj(r.wav("s3.wav", 10'000), H12 + 23'000, 10'000).Tyt = QStringLiteral("S3");
    StanPlaylisty.Kursor = 1;
    r.silnik->GrajKolejny(0, TrybKursor, ZrodloKlaw);
    r.stan.TrybAutomat = true;

    StanPlaylisty.Kursor = 3;
    r.dialogi.Wyczysc();
    r.edytuj([&] {
        for (qint32* t : {&SladyMiksu[2].Emisja, &SladyMiksu[2].NowyPoczatek, &SladyMiksu[2].NowyKoniec,
                          &SladyMiksu[2].PoczatekFadeOut, &SladyMiksu[2].Intro})
            *t += 1'000;
        ZmianyMiksu = true;
        ASSERT_GT(r.tikDo([&] { return r.silnik->Odtwarzacz[2].Element == 2; }, 1000), 0);
        EXPECT_EQ(AkceptujMiks(3), WynikAkceptacji::Niezapisano);
        // The editor now shows the mix on the playlist as it is.
        EXPECT_EQ(SladyMiksu[1].Emisja, H12 + 15'000);
    });
    EXPECT_EQ(Playlista[2].Trw, 5'000);
    EXPECT_EQ(Playlista[3].Emi, H12 + 15'000);
    EXPECT_EQ(Playlista[4].Emi, H12 + 25'000);
    EXPECT_EQ(r.silnik->Odtwarzacz[2].Element, 2);
    const auto info = r.dialogi.Zapisy(RodzajDialogu::Info);
    ASSERT_EQ(info.size(), 1);
    EXPECT_EQ(info[0].teksty, (QStringList{QStringLiteral("Nie zapisano miksów"),
                                           QStringLiteral("(playlista zmieniła się w czasie edycji)")}));
}
