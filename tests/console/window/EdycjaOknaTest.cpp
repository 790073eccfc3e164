// The editing commands through the real main window offscreen while Automat
// plays on the stepped virtual device: keys and buttons of QTest, the folder
// browser and the database window answered as an operator would.
#include <gtest/gtest.h>

#include "common/TempFolder.h"
#include "common/WavWriter.h"
#include "console/support/KonsolaTestPomoc.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/TTolv.h"
#include "foundation/DialogiSkrypt.h"
#include "library/DBaza.h"
#include "library/DBazaOkno.h"
#include "library/DBazaWidok.h"
#include "library/DKatalog.h"
#include "library/OknoTestPomoc.h"
#include "mixeditor/EdycjaPL.h"
#include "mixeditor/NagrywarkaDJ.h"
#include "mixeditor/TEdycjaMiksow.h"
#include "audio/OpisNagrania.h"
#include "audio/Sygnaly2.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/InputDevice.h"
#include "platform/audio/VirtualDevice.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class EdycjaOkna : public StanowiskoOkna {
public:
    void TearDown() override {
        okno.reset();
        BazaCzyscWszystko();
        WyczyscPlayliste();
        UstawSkale(SzerokoscSiatki, WysokoscSiatki);
    }
    QString nagranie(const QString& nazwa, int ms) {
        folder.drive(u'C');
        folder.write(u"drives/c/MUZYKA/"_s + nazwa, fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, ms)));
        return u"C:\\MUZYKA\\"_s + nazwa;
    }
    void graj(int ms) {
        for (int t = 0; t < ms; t += 30) {
            if (auto d = platform::DeviceHub::instance().openVirtual(0)) d->stepMs(30);
            zegar.advance(30);
            okno->Silnik().Pliki.Oproznij();
            okno->Silnik().OproznijPrzygotowania();
            okno->Timer1Timer();
        }
        okno->TimerWyswietlaczTimer();
    }
    void klawisz(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(okno.get(), k, m); }
    void przycisk(int indeks) {
        const BUTTONType& b = okno->Przyciski().Pasek[size_t(indeks)];
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2));
    }
    SilnikEmisji& silnik() { return okno->Silnik(); }
    // Songs of 4 s from noon, the cursor and the next mark on the first.
    static void elementy(const QStringList& nazwy) {
        for (int i = 0; i < nazwy.size(); ++i) {
            TElemPListy& e = Playlista[i + 1];
            InitElemPListy(e);
            e.Typ = RodzajSND;
            e.Ide = nazwy[i];
            e.Adr = u"C:\\MUZYKA\\"_s + nazwy[i] + u".WAV"_s;
            e.Emi = 12 * 3'600'000 + i * 4000;
            e.Trw = e.NwK = e.FOu = 4000;
        }
        StanPlaylisty.Ilosc = qint32(nazwy.size());
        StanPlaylisty.Kursor = StanPlaylisty.DoGrania = 1;
    }
    // Plays on until a deck plays `plik`; that deck, 0 when none did. The
    // channels' refill threads feed the stepped card: waited on, bounded.
    quint8 grajDo(const QString& plik) {
        const auto dek = [&] {
            for (quint8 s = 1; s <= 3; ++s)
                if (silnik().SlotZajety(s) && silnik().Odtwarzacze().PlikOdtwarzacza(s) == plik) return s;
            return quint8(0);
        };
        CzekajNa([&] {
            graj(30);
            return dek() != 0;
        }, 20'000);
        return dek();
    }
    static QString kolejnosc() {
        QStringList l;
        for (qint32 i = 1; i <= StanPlaylisty.Ilosc; ++i) l << Playlista[i].Ide;
        return l.join(u' ');
    }
    // The element a deck carries is the one its player plays.
    void dekiZgodne() {
        for (quint8 s = 1; s <= 2; ++s) {
            const qint32 n = silnik().Odtwarzacz[s].Element;
            if (n == 0) continue;
            EXPECT_EQ(QString(Playlista[n].Adr), silnik().Odtwarzacze().PlikOdtwarzacza(s)) << "deck " << int(s);
        }
    }
};

TEST_F(EdycjaOkna, EditsGoThroughTheWindowWhileAutomatPlays) {
    BEZ_TSAN();
    const QStringList nazwy{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    QStringList pliki;
    for (const QString& n : nazwy) pliki << nagranie(n + u".WAV"_s, 4000);
    const QString x = nagranie(u"X.WAV"_s, 2000);
    const QString y = nagranie(u"Y.WAV"_s, 2000);
    OpiszNagranie(y, u"Abba"_s);
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s, u"LOGZbiorJest=1"_s,
                                u"LOGKatalog="_s + folder.path(), u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"CzyHST=0"_s,
                                u"KatMuzyka1=C:\\MUZYKA"_s, u"[Baza nagran]"_s, u"BazaZbior=C:\\BAZA.BAZ"_s,
                                u"BAZAKatalogSzukaj1=C:\\MUZYKA"_s});
    elementy(nazwy);
    // The database is built before the air starts (never under the decks).
    dialogi.Odpowiedz(OdpowiedzTak);  // "Czy utworzyć bazę nagrań?"
    WModalnym<TBaza>([] { Baza(); }, [](TBaza& o) { QTest::keyClick(&o, Qt::Key_Escape); });
    ASSERT_GE(BazaLiczba, 1);
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    silnik().PrzelaczAutomat();
    graj(300);
    ASSERT_EQ(silnik().Odtwarzacz[1].Element, 1);

    // Insert after B through the folder browser: the letter and Enter.
    silnik().Stan.TrybWstawiania = 1;
    StanPlaylisty.Kursor = 2;
    WModalnym<TKatalog>([&] { klawisz(Qt::Key_Insert); }, [](TKatalog& o) {
        QTest::keyClick(&o, Qt::Key_X);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_EQ(kolejnosc(), u"A B X C D"_s);
    EXPECT_EQ(QString(Playlista[3].Adr), x);
    EXPECT_FALSE(silnik().PlaylistaZmieniona);
    graj(300);

    // Insert after X from the database window: its row taken with Enter.
    silnik().Stan.TrybWstawiania = 2;
    WModalnym<TBaza>([&] { przycisk(PWstaw); }, [](TBaza& o) { QTest::keyClick(&o, Qt::Key_Return); });
    ASSERT_EQ(StanPlaylisty.Ilosc, 6);
    EXPECT_EQ(QString(Playlista[4].Adr), y);

    // What is on air is neither deleted nor moved.
    StanPlaylisty.Kursor = 1;
    klawisz(Qt::Key_Delete);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).last().teksty.value(0), u"Nie można usunąć elementu - obecnie odtwarzany"_s);
    klawisz(Qt::Key_M, Qt::ControlModifier);
    EXPECT_FALSE(silnik().Stan.TrybPrzesuwania);
    // Block mode waits for idle decks.
    przycisk(PBlok);
    EXPECT_FALSE(silnik().Stan.TrybBloku);

    // D moved up before B: Ctrl+M on D, the cursor up, Enter.
    StanPlaylisty.Kursor = 6;
    klawisz(Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(silnik().Stan.TrybPrzesuwania);
    EXPECT_EQ(okno->Status().StatusLabel->text(), u"Przesuwanie elementu"_s);
    for (int i = 0; i < 4; ++i) klawisz(Qt::Key_Up);
    dialogi.Odpowiedz(OdpowiedzTak);
    klawisz(Qt::Key_Return);
    const QString po = kolejnosc();
    EXPECT_TRUE(po.startsWith(u"A D B X "_s)) << po.toStdString();
    EXPECT_FALSE(silnik().Stan.TrybPrzesuwania);
    EXPECT_EQ(silnik().Odtwarzacz[1].Element, 1);
    dekiZgodne();

    // Delete X with Del and the question.
    StanPlaylisty.Kursor = 4;
    dialogi.Odpowiedz(OdpowiedzTak);
    klawisz(Qt::Key_Delete);
    EXPECT_FALSE(kolejnosc().contains(u'X'));

    // D, moved right after the element on air, is the next one: Automat
    // does not pass over it.
    const QString nastepny = Playlista[StanPlaylisty.DoGrania].Adr;
    EXPECT_EQ(nastepny, pliki[3]);
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    const quint8 dek = grajDo(nastepny);
    ASSERT_NE(dek, 0);
    EXPECT_EQ(silnik().Odtwarzacz[dek].Element, 2);
    dekiZgodne();

    // Undo asks by the last edit's name and brings X back; the decks follow.
    dialogi.Odpowiedz(OdpowiedzTak);
    przycisk(PUndo);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Ostatnia operacja:  Usuń element"_s);
    EXPECT_TRUE(kolejnosc().contains(u'X'));
    dekiZgodne();
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
}

// Inserted at the element on air, an element is the next one; after it
// aired, a deleted song is undone while the one after it plays: the song
// comes back after that one, so nothing airs twice and nothing is skipped.
TEST_F(EdycjaOkna, AnUndoAfterAStartPlaysTheRestoredSongOnceAfterWhatAired) {
    BEZ_TSAN();
    for (const QString& n : {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"X"_s}) nagranie(n + u".WAV"_s, 4000);
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                u"OknoStanStart=0"_s, u"[Emisja MIX]"_s, u"CzyHST=0"_s, u"KatMuzyka1=C:\\MUZYKA"_s});
    elementy({u"A"_s, u"B"_s, u"C"_s, u"D"_s});
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    silnik().PrzelaczAutomat();
    graj(300);
    silnik().Stan.TrybWstawiania = 1;
    StanPlaylisty.Kursor = 1;
    WModalnym<TKatalog>([&] { klawisz(Qt::Key_Insert); }, [](TKatalog& o) {
        QTest::keyClick(&o, Qt::Key_X);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    ASSERT_EQ(kolejnosc(), u"A X B C D"_s);
    EXPECT_EQ(StanPlaylisty.DoGrania, 2);
    ASSERT_NE(grajDo(u"C:\\MUZYKA\\X.WAV"_s), 0);
    StanPlaylisty.Kursor = 3;
    dialogi.Odpowiedz(OdpowiedzTak);
    klawisz(Qt::Key_Delete);
    ASSERT_EQ(kolejnosc(), u"A X C D"_s);
    ASSERT_NE(grajDo(u"C:\\MUZYKA\\C.WAV"_s), 0);
    dialogi.Odpowiedz(OdpowiedzTak);
    przycisk(PUndo);
    EXPECT_EQ(kolejnosc(), u"A X C B D"_s);
    EXPECT_EQ(Playlista[StanPlaylisty.DoGrania].Ide, u"B"_s);
    dekiZgodne();
    ASSERT_NE(grajDo(u"C:\\MUZYKA\\B.WAV"_s), 0);
    EXPECT_EQ(Playlista[StanPlaylisty.DoGrania].Ide, u"D"_s);
    EXPECT_TRUE(dialogi.Bledy().isEmpty()) << dialogi.Bledy().join('\n').toStdString();
}

// The browser's "Akt." deletes what left the network, not a deck's song's.
TEST_F(EdycjaOkna, TheFolderUpdateKeepsTheDescriptionAndEnvelopeOfTheSongOnADeck) {
    BEZ_TSAN();
    const QString a = nagranie(u"A.WAV"_s, 4000), m = u"drives/c/MUZYKA/"_s;
    OpiszNagranie(a, u"Abba"_s), OpiszNagranie(nagranie(u"B.WAV"_s, 1000), u"B"_s);
    folder.write(m + u"A.OBW"_s, "envelope"), folder.write(u"drives/h/MUZYKA/C.MIX"_s, "x");
    const auto pliki = [&] { return folder.read(m + u"A.DAT"_s) + folder.read(m + u"A.OBW"_s) + folder.read(m + u"A.WAV"_s); };
    const QByteArray przed = pliki();
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Emisja MIX]"_s, u"KatMuzyka1=C:\\MUZYKA"_s,
                                u"[Katalogi]"_s, u"CzyAktUsun=1"_s});
    elementy({u"A"_s});
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    ASSERT_EQ(grajDo(a), 1);
    dialogi.Odpowiedz(OdpowiedzTak);  // "Czy aktualizować katalog?"
    WModalnym<TKatalog>([&] { klawisz(Qt::Key_Insert); }, [](TKatalog& o) {
        const TRect& r = o.PrzyciskKomendy(1513)->Rect;
        QTest::mouseClick(&o, Qt::LeftButton, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        QTest::keyClick(&o, Qt::Key_Escape);
    });
    EXPECT_EQ(QDir(folder.file(m)).entryList(QDir::Files), QStringList({u"A.DAT"_s, u"A.OBW"_s, u"A.WAV"_s, u"C.MIX"_s}));
    EXPECT_EQ(pliki(), przed);
}

// What aired or is on air stays so: "Usuń DJ" keeps the voice Automat started on player 3,
// and undoing an append while its copy of S2 is next does not take it for the day's S2.
TEST_F(EdycjaOkna, WhatAiredOrIsOnAirStaysSo) {
    BEZ_TSAN();
    for (const QString& n : {u"S1"_s, u"DJ"_s, u"S2"_s, u"D"_s}) nagranie(n + u".WAV"_s, 4000);
    okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Emisja MIX]"_s, u"KatAutomat=C:\\MUZYKA"_s});
    elementy({u"D"_s, u"S2"_s});
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\MUZYKA\\DOKLEJ.MIX"_s, 1, 2), WynikZapisuMIX::Zapisano);
    elementy({u"S1"_s, u"DJ"_s, u"S2"_s});
    Playlista[2].Typ = RodzajDJ_;
    Playlista[2].Emi -= 1500;  // over the second half of S1
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    silnik().PrzelaczAutomat();
    ASSERT_EQ(grajDo(u"C:\\MUZYKA\\DJ.WAV"_s), 3);
    StanPlaylisty.Kursor = 1;
    WModalnym<TEdycjaMiksow>([&] { przycisk(PMiksy); }, [](TEdycjaMiksow& o) {
        QTest::keyClick(&o, Qt::Key_Delete);
        EXPECT_TRUE(SladyMiksu[SladGlosu1].Uzyty && SladyMiksu[SladGlosu1].Element == 2);
        o.Komenda(KomendaOpusc);
        platform::DeviceHub::instance().openVirtualInput()->stepBlocks(NagrywarkaDJ::LiczbaBuforow);
    });
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Info).value(0).teksty.value(0), u"Nie można usunąć elementu - obecnie odtwarzany"_s);
    WModalnym<TKatalog>([&] { przycisk(PDoklej); }, [](TKatalog& o) {
        QTest::keyClick(&o, Qt::Key_D);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    ASSERT_NE(grajDo(u"C:\\MUZYKA\\D.WAV"_s), 0);
    dialogi.Odpowiedz(OdpowiedzTak);
    przycisk(PUndo);
    EXPECT_EQ(StanPlaylisty.DoGrania, 0) << "all of the day's list aired";
}

}  // namespace
