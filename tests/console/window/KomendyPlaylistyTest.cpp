// Read, append and save of the playlist through the real window's buttons,
// the folder browser answered with keys, while a deck plays.
#include <gtest/gtest.h>

#include "audio/OpisNagrania.h"
#include "common/WavWriter.h"
#include "console/commands/KomendyPlaylisty.h"
#include "console/engine/PanelListy.h"
#include "console/engine/TestyPlaylisty.h"
#include "console/support/OknoTestPomoc.h"
#include "console/window/PanelPlaylisty.h"
#include "foundation/KestWej.h"
#include "foundation/Dialogi.h"
#include "foundation/DialogiSkrypt.h"
#include "foundation/UslugaDialogow.h"
#include "foundation/KestKopia.h"
#include "library/DKatalog.h"
#include "library/OknoTestPomoc.h"
#include "platform/Paths.h"
#include "playlists/D_Playlista.h"
#include "playlists/D_PlaylistaPlik.h"
#include "playlists/NastawyEmisji.h"
#include "library/DKatalogNastawy.h"
#include "platform/audio/DeviceHub.h"
#include "platform/audio/VirtualDevice.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class PlaylistCommands : public StanowiskoOkna {
public:
    void SetUp() override {
        for (int i = 1; i <= 4; ++i)
            folder.write(u"drives/c/MUZ/E%1.WAV"_s.arg(i),
                         fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 40'000)));
        QDir().mkpath(folder.path() + u"/drives/c/LISTY"_s);
        okno = OknoDoTestu(folder, {u"[Nazwa programu]"_s, u"Nazwa=Tolvane"_s, u"[Nastawy programu]"_s,
                                    u"OknoStanStart=0"_s, u"LOGZbiorJest=1"_s, u"LOGKatalog="_s + folder.path(),
                                    u"[Emisja MIX]"_s, u"KatAutomat=C:\\LISTY"_s,
                                    u"CzyHST=0"_s});
        // A.MIX: E1, E2 from 12:00; B.MIX: E3, E1, E4, its E1 at 12:00 too.
        lista(u"A"_s, {1, 2});
        lista(u"B"_s, {3, 1, 4}, 12 * 3'600'000 - 40'000);
        WyczyscPlayliste();
    }
    void TearDown() override {
        okno.reset();
        WyczyscPlayliste();
    }
    static void elementy(const QList<int>& numery, qint32 emi0 = 12 * 3'600'000) {
        for (int i = 1; i <= numery.size(); ++i) {
            TElemPListy& e = Playlista[size_t(i)];
            InitElemPListy(e);
            e.Typ = RodzajSND;
            e.Ide = u"E%1"_s.arg(numery[i - 1]);
            e.Adr = u"C:\\MUZ\\E%1.WAV"_s.arg(numery[i - 1]);
            e.Emi = emi0 + (i - 1) * 40'000;
            e.Trw = e.NwK = e.FOu = 40'000;
        }
        StanPlaylisty.Ilosc = qint32(numery.size());
    }
    void lista(const QString& nazwa, const QList<int>& numery, qint32 emi0 = 12 * 3'600'000) {
        elementy(numery, emi0);
        ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\"_s + nazwa + u".MIX"_s, 1, StanPlaylisty.Ilosc),
                  WynikZapisuMIX::Zapisano);
    }
    void klik(int indeks) {
        const BUTTONType& b = okno->Przyciski().Pasek[size_t(indeks)];
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2));
    }
    // The button opens the browser; the letter jump and Enter take the
    // file; the read worker is let finish.
    void wybierz(int indeks, Qt::Key litera, bool doKonca = true) {
        WModalnym<TKatalog>([&] { klik(indeks); }, [litera](TKatalog& o) {
            EXPECT_EQ(o.Lista().Katalog, u"C:\\LISTY"_s);
            QTest::keyClick(&o, litera);
            QTest::keyClick(&o, Qt::Key_Return);
        });
        if (doKonca) silnik().Odczyt.Oproznij();
    }
    QString bledy() const {
        QStringList l;
        for (const ZapisDialogu& z : dialogi.Zapisy(RodzajDialogu::Blad)) l << z.teksty.join(u" / "_s);
        return l.join(u"\n"_s);
    }
    SilnikEmisji& silnik() { return okno->Silnik(); }
};

// Read, append and save by button while element E1 plays: nothing is cut,
// the deck finds its element in the new list, the appended file does not
// become the playlist, and the saved name is cut to 16 characters.
TEST_F(PlaylistCommands, ReadAppendAndSaveByButtonWhileADeckPlays) {
    BEZ_TSAN();
    wybierz(PCzytaj, Qt::Key_A);
    ASSERT_EQ(StanPlaylisty.Ilosc, 2) << bledy().toStdString();
    EXPECT_EQ(PlaylistaNazwa, u"A"_s);
    StanPlaylisty.Kursor = 1;
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    ASSERT_TRUE(silnik().SlotZajety(1));
    const QString naAntenie = silnik().Odtwarzacze().PlikOdtwarzacza(1);

    wybierz(PCzytaj, Qt::Key_B);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);  // another file: from the top
    EXPECT_TRUE(silnik().SlotZajety(1));
    EXPECT_EQ(silnik().Odtwarzacze().PlikOdtwarzacza(1), naAntenie);
    EXPECT_EQ(silnik().Odtwarzacz[1].Element, 2);  // E1 is the second element of B
    EXPECT_FALSE(silnik().Stan.CzytaniePlaylisty);
    EXPECT_FALSE(silnik().PlaylistaZmieniona);

    // Re-reading the same file keeps the cursor.
    StanPlaylisty.Kursor = 3;
    wybierz(PCzytaj, Qt::Key_B);
    EXPECT_EQ(StanPlaylisty.Kursor, 3);

    wybierz(PDoklej, Qt::Key_A);
    EXPECT_EQ(StanPlaylisty.Ilosc, 5);
    EXPECT_EQ(QString(Playlista[5].Ide), u"E2"_s);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
    EXPECT_EQ(Logi().filter(u"Doklejenie playlisty C:\\LISTY\\A.MIX"_s).size(), 1) << Logi().join(u"\n"_s).toStdString();
    EXPECT_EQ(silnik().Odtwarzacz[1].Element, 2);

    dialogi.OdpowiedzTekst(u"DWADZIESCIA_ZNAKOW_"_s + u"X"_s);
    klik(PZapisz);
    EXPECT_EQ(PlaylistaNazwa, u"DWADZIESCIA_ZNAK"_s);
    EXPECT_TRUE(QFileInfo(folder.path() + u"/drives/c/LISTY/DWADZIESCIA_ZNAK.MIX"_s).isFile());
    EXPECT_TRUE(silnik().SlotZajety(1));
    EXPECT_TRUE(bledy().isEmpty()) << bledy().toStdString();
}

// While the operator answers a read's question the old list stays on air:
// Automat starts its next element, and the new list comes in one step after.
TEST_F(PlaylistCommands, TheOldListStaysOnAirWhileTheReadAsks) {
    BEZ_TSAN();
    wybierz(PCzytaj, Qt::Key_A);
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    StanPlaylisty.DoGrania = 2;
    Emisja.CzyListaLST = Emisja.CzyPytanieOOdczytLST = true;
    Emisja.KatLista1 = u"C:\\LISTY"_s;
    struct Pytania final : DialogiCiche {
        std::function<void()> wTrakcie;
        quint16 Decyzja(const QString&, const QString&, int) override { return wTrakcie(), OdpowiedzNie; }
    } pytania;
    pytania.wTrakcie = [&] {
        EXPECT_EQ(StanPlaylisty.Ilosc, 2);
        EXPECT_EQ(PlaylistaNazwa, u"A"_s);
        silnik().GrajKolejny(0, TrybNastepny, ZrodloProg);
        StartPoPrzygotowaniu(silnik());
    };
    UstawDialogi(&pytania);
    wybierz(PCzytaj, Qt::Key_B);
    UstawDialogi(&dialogi);
    Emisja.CzyListaLST = Emisja.CzyPytanieOOdczytLST = false;
    EXPECT_TRUE(silnik().Odtwarzacze().PlikOdtwarzacza(2).endsWith(u"E2.WAV"_s));
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
    EXPECT_EQ(silnik().Odtwarzacz[1].Element, 2);
}

// A read runs on its worker, with its advert list and its presence test:
// meanwhile the loop ticks, the deck plays on, Automat starts the old list's
// next element and the program's thread never looks at the disk; the new
// list goes on air in one step.
TEST_F(PlaylistCommands, TheReadRunsOnItsWorkerWhileTheOldListPlaysOn) {
    BEZ_TSAN();
    wybierz(PCzytaj, Qt::Key_A);
    Playlista[1].NwK = Playlista[1].FOu = 3000;  // E2 follows within the read
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    silnik().PrzelaczAutomat();
    ASSERT_TRUE(silnik().Stan.TrybAutomat);

    Emisja.CzyTestMIX = Emisja.CzyListaLST = true;
    Emisja.CzyPytanieOOdczytLST = false;
    Emisja.KatLista1 = u"C:\\LISTY"_s;
    folder.write(u"drives/c/LISTY/B.LST"_s, QByteArray("12:00:00 Firma\r\nC:\\MUZ\\E2.WAV"));
    wybierz(PCzytaj, Qt::Key_B, false);
    ASSERT_TRUE(silnik().Odczyt.Trwa());
    const quint64 spojrzenia = platform::fileSystemLooks();
    bool drugi = false;
    for (int t = 0; t < 5000 && !drugi; t += 30) {
        if (auto d = platform::DeviceHub::instance().openVirtual(0)) d->stepMs(30);
        zegar.advance(30);
        silnik().Pliki.Oproznij();
        silnik().OproznijPrzygotowania();
        okno->Timer1Timer();
        ASSERT_EQ(StanPlaylisty.Ilosc, 2);
        ASSERT_EQ(PlaylistaNazwa, u"A"_s);
        // At E1's crossfade point, on the other deck.
        drugi = silnik().Odtwarzacze().PlikOdtwarzacza(2).endsWith(u"E2.WAV"_s);
    }
    EXPECT_TRUE(drugi);
    EXPECT_TRUE(okno->Przyciski().Pasek[size_t(PCzytaj)].Stan == 1);

    silnik().Odczyt.Oproznij();
    EXPECT_EQ(platform::fileSystemLooks(), spojrzenia);
    Emisja.CzyTestMIX = Emisja.CzyListaLST = false;
    EXPECT_EQ(LST1Adres, u"C:\\LISTY\\B.LST"_s);
    EXPECT_EQ(okno->Status().Tekst(), u"OK"_s);  // every recording found
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
    EXPECT_TRUE(silnik().SlotZajety(2));
    EXPECT_FALSE(okno->Przyciski().Pasek[size_t(PCzytaj)].Stan == 1);
    EXPECT_FALSE(silnik().Stan.CzytaniePlaylisty);
}

// A read goes on air from the loop of whatever window is open (the time
// list's browser, which keypad 0 opens during the read); an edit's question
// gives way to the next day's list instead of seeing it change under it; a
// load that began while the read's browser was open goes first.
TEST_F(PlaylistCommands, AReadGoesOnAirUnderAWindowAndAnEditsQuestionGivesWay) {
    BEZ_TSAN();
    const auto wyswietlacz = [&] {
        silnik().Odczyt.Czekaj();
        okno->TimerWyswietlaczTimer();
        QCoreApplication::processEvents();
    };
    wybierz(PCzytaj, Qt::Key_A);
    // A load that began while the browser was open goes first: the
    // operator's pick is refused and leaves that load its running flag.
    WModalnym<TKatalog>([&] { klik(PCzytaj); }, [&](TKatalog& o) {
        silnik().Stan.CzytaniePlaylisty = true;
        QTest::keyClick(&o, Qt::Key_B);
        QTest::keyClick(&o, Qt::Key_Return);
    });
    EXPECT_TRUE(silnik().Stan.CzytaniePlaylisty);
    EXPECT_EQ(PlaylistaNazwa, u"A"_s);
    EXPECT_TRUE(okno->Status().Tekst().startsWith(u"Trwa odczyt playlisty"_s));
    silnik().Stan.CzytaniePlaylisty = false;
    wybierz(PCzytaj, Qt::Key_B, false);
    const int w = std::max(1, SkalaY(WierszPlaylistyJ));  // the Auto box of row 1: refused
    QTest::mouseClick(okno.get(), Qt::LeftButton, {},
                      QPoint(StanPlaylisty.Lista.Right - SkalaX(14), GoraWiersza(StanPlaylisty, 1, w) + w / 2));
    EXPECT_EQ(Playlista[1].Aut, 0);
    EXPECT_TRUE(okno->Status().Tekst().startsWith(u"Trwa odczyt playlisty"_s));
    WModalnym<TKatalog>([&] { QTest::keyClick(okno.get(), Qt::Key_0, Qt::KeypadModifier); }, [&](TKatalog& o) {
        wyswietlacz();  // the file
        wyswietlacz();  // the descriptions
        EXPECT_EQ(PlaylistaNazwa, u"B"_s);
        o.close();
    });
    EXPECT_FALSE(silnik().Stan.CzytaniePlaylisty);

    QFile::copy(folder.path() + u"/drives/c/LISTY/A.MIX"_s, folder.path() + u"/drives/c/LISTY/261207.MIX"_s);
    Satelita.SatPListAutoJest = true;
    Satelita.SatPListAutoKat = u"C:\\LISTY"_s;
    Satelita.SatPListAutoTS = 120;
    zegar.advance((11 * 60 + 59) * 60'000);
    okno->Timery().AutomatTimerTimer();
    okno->AutomatTimer->stop();
    UstawDialogi(nullptr);
    WModalnym<OknoDialogu>([&] { klik(PUsun); }, [&](OknoDialogu&) { wyswietlacz(); });
    UstawDialogi(&dialogi);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);  // neither deleted nor replaced under the question
    wyswietlacz();
    EXPECT_EQ(PlaylistaNazwa, u"261207"_s);
    EXPECT_EQ(StanPlaylisty.Ilosc, 2);
    EXPECT_EQ(okno->Status().Tekst(), u"Okno zamknięte - wczytano nową playlistę"_s);
}

// Append with the elements before the cursor deleted: the deck playing the
// cursor element follows it to the top.
TEST_F(PlaylistCommands, AppendAfterDeletingTheEarlierElementsKeepsTheDeckOnItsElement) {
    BEZ_TSAN();
    Emisja.CzyPlayListaDoklejUsun = true;
    wybierz(PCzytaj, Qt::Key_B);
    ASSERT_EQ(StanPlaylisty.Ilosc, 3);
    StanPlaylisty.Kursor = 3;
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    ASSERT_TRUE(silnik().SlotZajety(1));
    ASSERT_EQ(silnik().Odtwarzacz[1].Element, 3);
    dialogi.Odpowiedz(OdpowiedzTak);
    wybierz(PDoklej, Qt::Key_A);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).last().teksty.value(0), u"Czy usunąć pozycje wcześniejsze"_s);
    EXPECT_EQ(StanPlaylisty.Ilosc, 3);
    EXPECT_EQ(QString(Playlista[1].Ide), u"E4"_s);
    EXPECT_EQ(StanPlaylisty.Kursor, 1);
    EXPECT_EQ(silnik().Odtwarzacz[1].Element, 1);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
    Emisja.CzyPlayListaDoklejUsun = false;
}

// What the commands refuse, each with its message, changing nothing.
TEST_F(PlaylistCommands, RefusalsLeaveThePlaylistAsItWas) {
    struct Przypadek {
        const char* nazwa;
        std::function<void(PlaylistCommands&)> przygotuj;
        int przycisk;
        RodzajDialogu rodzaj;
        QString tekst;
    };
    const QList<Przypadek> przypadki = {
        {"append to an empty playlist", [](PlaylistCommands&) { WyczyscPlayliste(); }, PDoklej, RodzajDialogu::Blad,
         u"Nie ma aktualnej playlisty"_s},
        {"save as Nie_ma", [](PlaylistCommands& t) { t.dialogi.OdpowiedzTekst(u"Nie_ma"_s); }, PZapisz,
         RodzajDialogu::Blad, TekstBledu2(302)},
        {"save with the lock on", [](PlaylistCommands&) { Emisja.CzyZapisKonfiguracji = false; }, PZapisz,
         RodzajDialogu::Info, u"Zapis konfiguracji zablokowany"_s},
        {"save with a missing recording, the last element",
         [](PlaylistCommands&) {
             Emisja.PlaylistaBlokadaZapisGdyBraki = true;
             Playlista[2].Adr = u"C:\\MUZ\\BRAK.WAV"_s;
         },
         PZapisz, RodzajDialogu::Info, u"Nie można zapisać playlisty"_s},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        Emisja.PlaylistaBlokadaZapisGdyBraki = false;
        Emisja.CzyZapisKonfiguracji = true;
        WyczyscPlayliste();
        elementy({1, 2});
        PlaylistaNazwa = u"Test"_s;
        StanPlaylisty.Kursor = 1;
        dialogi.Wyczysc();
        p.przygotuj(*this);
        const qint32 ile = StanPlaylisty.Ilosc;
        klik(p.przycisk);
        const auto zapisy = dialogi.Zapisy(p.rodzaj);
        ASSERT_FALSE(zapisy.isEmpty());
        EXPECT_EQ(zapisy.last().teksty.value(0), p.tekst);
        EXPECT_EQ(StanPlaylisty.Ilosc, ile);
        EXPECT_EQ(PlaylistaNazwa, ile == 0 ? u"Nie_ma"_s : u"Test"_s);
    }
    EXPECT_EQ(StanPlaylisty.Kursor, 2);  // the last case's missing recording
}

// A read is refused while an advert plays, and the commands act again after.
TEST_F(PlaylistCommands, NoReadWhileAnAdvertPlaysAndEveryCommandActsAfter) {
    BEZ_TSAN();
    elementy({1, 2});
    Playlista[1].Typ = RodzajREK;
    PlaylistaNazwa = u"Test"_s;
    Emisja.CzyLista2LSTPromosy = true;  // an advert is an advert whatever the first list reads
    StanPlaylisty.Kursor = 1;
    silnik().GrajKolejny(0, TrybKursor, ZrodloKlaw);
    StartPoPrzygotowaniu(silnik());
    ASSERT_TRUE(silnik().SlotZajety(1));
    klik(PCzytaj);  // no browser opens
    EXPECT_EQ(PlaylistaNazwa, u"Test"_s);
    EXPECT_FALSE(silnik().Stan.CzytaniePlaylisty);
    EXPECT_FALSE(okno->Przyciski().Pasek[size_t(PCzytaj)].Stan == 1);
    Emisja.CzyLista2LSTPromosy = false;
    silnik().StopWszystko();
    wybierz(PCzytaj, Qt::Key_B);
    EXPECT_EQ(PlaylistaNazwa, u"B"_s);
}

// A click on the message field asks before clearing it; "no" keeps it.
TEST_F(PlaylistCommands, AClickOnTheMessageFieldClearsItAfterTheQuestion) {
    BEZ_TSAN();
    for (const quint16 odpowiedz : {OdpowiedzNie, OdpowiedzTak}) {
        silnik().Komunikat = u"Brak listy reklamowej: R1"_s;
        const TRect r = ProstokatPolaKomunikatu();
        dialogi.Odpowiedz(odpowiedz);
        const int przed = int(Logi().size());
        QTest::mouseClick(okno.get(), Qt::LeftButton, Qt::NoModifier,
                          QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
        const auto pytania = dialogi.Zapisy(RodzajDialogu::Decyzja);
        ASSERT_FALSE(pytania.isEmpty());
        EXPECT_EQ(pytania.last().teksty, (QStringList{u"Czy skasować pole statusu?"_s, u"Brak listy reklamowej: R1"_s}));
        const bool tak = odpowiedz == OdpowiedzTak;
        EXPECT_EQ(silnik().Komunikat.isEmpty(), tak);
        EXPECT_EQ(Logi().mid(przed).contains(u"Skasowanie statusu: Brak listy reklamowej: R1"_s), tak);
    }
}

// The status field: its own maximum, the centred label, the click that
// shows the check's report and the double click that stops the check.
TEST_F(PlaylistCommands, StatusFieldGaugeLabelAndClicks) {
    BEZ_TSAN();
    PoleStatusuOkna& p = okno->Status();
    WyjsciaEmisji& w = silnik().Wyjscia();
    struct Krok {
        qint64 maksimum, n;
        int procent;
    };
    for (const Krok& k : {Krok{200, 50, 25}, Krok{0, 50, 0}, Krok{10, 20, 100}, Krok{10, -3, 0}, Krok{3, 2, 66}}) {
        w.UstawMaksimumStatusu(k.maksimum);
        w.UstawPostepStatusu(k.n);
        EXPECT_EQ(p.Postep(), k.procent) << k.maksimum << " " << k.n;
    }
    // A text longer than the box stays inside it, centred, with the file
    // name and the reason; the whole text is the tool tip.
    const QString dlugi = u"Nie zagrano: D:\\MUZYKA\\ARCHIWUM ROZGŁOŚNI\\LATA OSIEMDZIESIĄTE\\A0123456.WAV - "
                          u"plik nie jest w formacie PCM (24 bity na próbkę)"_s;
    w.UstawStatus(dlugi, KolorStatusu::Zielony);
    const QRect b = p.StatusBevel->geometry(), l = p.StatusLabel->geometry();
    EXPECT_TRUE(b.contains(l));
    EXPECT_EQ(l.left(), b.left() + (b.width() - l.width()) / 2);
    const QRect tekst = QFontMetrics(p.StatusLabel->font())
                            .boundingRect(l, Qt::AlignCenter | Qt::TextWordWrap, p.StatusLabel->text());
    EXPECT_TRUE(l.contains(tekst)) << p.StatusLabel->text().toStdString();
    EXPECT_EQ(p.StatusLabel->text(), u"Nie zagrano: A0123456.WAV - plik nie jest w formacie PCM (24 bity na próbkę)"_s);
    EXPECT_EQ(p.StatusLabel->toolTip(), dlugi);
    EXPECT_EQ(p.Kolor(), KolorStatusu::Zielony);

    // No report: "OK". A report and no read: the viewer, gauge back to 0,
    // the text kept. A read running: "OK" again.
    struct Klik {
        bool raport, czytanie;
        bool pokazany;
    };
    folder.write(u"RAPORT.LOG"_s, QByteArray("   7;A123;D:\\MUZ\\A123.MP3\r\n"));
    for (const Klik& k : {Klik{false, false, false}, Klik{true, false, true}, Klik{true, true, false}}) {
        LogNazwa = k.raport ? folder.file(u"RAPORT.LOG"_s) : folder.file(u"BRAK.LOG"_s);
        silnik().Stan.CzytaniePlaylisty = k.czytanie;
        w.UstawStatus(u"Braki: 1"_s, KolorStatusu::Czerwony);
        w.UstawMaksimumStatusu(4);
        w.UstawPostepStatusu(2);
        dialogi.Wyczysc();
        QTest::mouseClick(p.StatusLabel, Qt::LeftButton);
        EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Raport).size(), k.pokazany ? 1 : 0);
        EXPECT_EQ(p.Tekst(), k.pokazany ? u"Braki: 1"_s : u"OK"_s);
        if (k.pokazany) EXPECT_EQ(p.Postep(), 0);
    }
    silnik().Stan.CzytaniePlaylisty = false;
    LogNazwa.clear();
    StanPrzerwij = false;
    QTest::mouseDClick(p.StatusLabel, Qt::LeftButton);
    EXPECT_TRUE(StanPrzerwij);
    StanPrzerwij = false;
    w.KasujPoleStatusu();
    EXPECT_EQ(p.Tekst(), u"OK"_s);
    EXPECT_EQ(p.Kolor(), KolorStatusu::Czarny);
}

// The presence test's report: one line per missing element, or "OK"; the
// missing elements marked and the status red.
TEST_F(PlaylistCommands, PresenceTestReportsMissingElements) {
    BEZ_TSAN();
    Emisja.CzyTestRaport = true;
    Emisja.KatTestRaport = u"C:\\RAP"_s;
    QDir().mkpath(folder.path() + u"/drives/c/RAP"_s);
    struct Przypadek {
        const char* nazwa;
        std::function<void()> przygotuj;
        QStringList raport;
        QList<qint32> braki;
    };
    const QList<Przypadek> przypadki = {
        {"all present", [] {}, {u"OK"_s}, {}},
        {"element 7 missing",
         [] {
             Playlista[7].Ide = u"A123"_s;
             Playlista[7].Adr = u"D:\\MUZ\\A123.MP3"_s;
         },
         {u"   7;A123;D:\\MUZ\\A123.MP3"_s}, {7}},
        {"no address", [] { Playlista[2].Adr = u" "_s; }, {u"   2;E2;"_s}, {2}},
        // Its folder does not answer: not known missing, nothing marked.
        {"folder not answering", [] { Playlista[7].Adr = u"C:\\NIEMA\\A123.MP3"_s; }, {u"OK"_s}, {}},
    };
    Emisja.CzyTestMIX = true;
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        WyczyscPlayliste();
        elementy({1, 2, 3, 4, 1, 2, 3, 4});
        p.przygotuj();
        ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\DZIEN.MIX"_s, 1, StanPlaylisty.Ilosc), WynikZapisuMIX::Zapisano);
        WyczyscPlayliste();
        wybierz(PCzytaj, Qt::Key_D);
        ASSERT_EQ(StanPlaylisty.Ilosc, 8);
        const QStringList raport = QString::fromLatin1(folder.read(u"drives/c/RAP/DZIEN.TXT"_s))
                                       .split(QRegularExpression(u"\r?\n"_s), Qt::SkipEmptyParts);
        EXPECT_EQ(raport, p.raport);
        EXPECT_EQ(okno->Status().Kolor(), p.braki.isEmpty() ? KolorStatusu::Czarny : KolorStatusu::Czerwony);
        EXPECT_EQ(silnik().Komunikat, p.braki.isEmpty() ? QString() : u"Nie ma nagrań"_s);
        for (qint32 n = 1; n <= StanPlaylisty.Ilosc; ++n)
            EXPECT_EQ(Playlista[size_t(n)].BrakZbioru != 0, p.braki.contains(n)) << n;
    }
    Emisja.CzyTestRaport = Emisja.CzyTestMIX = false;
}

// Copying to the local disk: C: comes from the first network letter, D:
// from the next; the description comes along; a local file of another size
// is replaced after the question, "yes to all" asking only once.
TEST_F(PlaylistCommands, RecordingsAreCopiedFromTheNetworkDrives) {
    BEZ_TSAN();
    Katalogi.KatSiecStart = u"M"_s;
    Emisja.CzyKopiowac = true;
    Emisja.CzyPytac = false;
    Emisja.CzyPytacKopia = true;
    const QByteArray dzwiek = fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 1000));
    folder.write(u"drives/m/SIEC/X1.WAV"_s, dzwiek);
    folder.write(u"drives/m/SIEC/X1.DAT"_s, QByteArray("opis"));
    folder.write(u"drives/n/SIEC/X2.WAV"_s, dzwiek);
    folder.write(u"drives/m/SIEC/X3.WAV"_s, dzwiek);
    folder.write(u"drives/c/SIEC/X3.WAV"_s, QByteArray("stary"));
    folder.write(u"drives/m/SIEC/X4.WAV"_s, dzwiek);
    folder.write(u"drives/c/SIEC/X4.WAV"_s, QByteArray("stary"));
    folder.write(u"drives/m/SIEC/X5.WAV"_s, dzwiek);
    // A copy keeps its source's date; a DJ item's copy is dated now.
    const QDateTime dawno(QDate(2020, 1, 1), QTime(12, 0));
    const auto data = [&](const QString& f) { return QFileInfo(folder.path() + u"/"_s + f).lastModified(); };
    for (const QString& f : {u"drives/m/SIEC/X1.WAV"_s, u"drives/m/SIEC/X5.WAV"_s}) {
        QFile plik(folder.path() + u"/"_s + f);
        ASSERT_TRUE(plik.open(QIODevice::ReadWrite));
        ASSERT_TRUE(plik.setFileTime(dawno, QFileDevice::FileModificationTime));
    }
    Emisja.CzyPlayListaZmienDateDJ = true;
    elementy({1, 2, 3, 4, 5});
    for (int i = 1; i <= 5; ++i) Playlista[size_t(i)].Adr = (i == 2 ? u"D:\\SIEC\\X%1.WAV"_s : u"C:\\SIEC\\X%1.WAV"_s).arg(i);
    Playlista[5].Typ = 6;
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\KOPIE.MIX"_s, 1, 5), WynikZapisuMIX::Zapisano);
    WyczyscPlayliste();
    dialogi.Odpowiedz(OdpowiedzTakWszystkie);
    wybierz(PCzytaj, Qt::Key_K);
    ASSERT_EQ(StanPlaylisty.Ilosc, 5);
    for (const QString& f : {u"drives/c/SIEC/X1.WAV"_s, u"drives/d/SIEC/X2.WAV"_s, u"drives/c/SIEC/X3.WAV"_s,
                             u"drives/c/SIEC/X4.WAV"_s, u"drives/c/SIEC/X5.WAV"_s})
        EXPECT_EQ(folder.read(f), dzwiek) << f.toStdString();
    EXPECT_EQ(data(u"drives/c/SIEC/X1.WAV"_s), dawno);
    EXPECT_GT(data(u"drives/c/SIEC/X5.WAV"_s), dawno.addYears(5));
    Emisja.CzyPlayListaZmienDateDJ = false;
    EXPECT_EQ(folder.read(u"drives/c/SIEC/X1.DAT"_s), QByteArray("opis"));
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Decyzja).size(), 1);
    EXPECT_EQ(okno->Status().Tekst(), u"OK"_s);
    QString zrodlo, cel;
    ASSERT_TRUE(ParaKopii(u"D:\\MUZ\\A.MP3"_s, zrodlo, cel));
    EXPECT_EQ(zrodlo, u"N:\\MUZ\\A.MP3"_s);
    EXPECT_EQ(cel, u"D:\\MUZ\\A.MP3"_s);
    Emisja.CzyKopiowac = Emisja.CzyPytacKopia = false;
    Katalogi.KatSiecStart = u"H"_s;
}

// An append whose copies all fail on a full disk: each failure is logged,
// the operator sees one dialog, and the local files stay as they were.
TEST_F(PlaylistCommands, FailedCopiesOfAnAppendAreShownOnce) {
    BEZ_TSAN();
    Katalogi.KatSiecStart = u"M"_s;
    Emisja.CzyKopiowac = true;
    Emisja.CzyPytac = Emisja.CzyPytacKopia = false;
    for (int i : {1, 3, 4})
        folder.write(u"drives/m/MUZ/E%1.WAV"_s.arg(i), fixtures::wavFile(8000, 1, 16, fixtures::tone16(8000, 1, 440, 500)));
    const QByteArray lokalny = folder.read(u"drives/c/MUZ/E3.WAV"_s);
    elementy({1, 2});
    PlaylistaNazwa = u"Test"_s;
    StanPlaylisty.Kursor = 1;
    UstawZapisKopii([](int, const char*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    });
    const int przed = int(Logi().size());
    wybierz(PDoklej, Qt::Key_B);
    UstawZapisKopii({});
    EXPECT_EQ(StanPlaylisty.Ilosc, 5);
    EXPECT_EQ(dialogi.Zapisy(RodzajDialogu::Blad).size(), 1) << bledy().toStdString();
    EXPECT_TRUE(bledy().contains(u"C:\\MUZ\\E3.WAV"_s)) << bledy().toStdString();
    EXPECT_EQ(Logi().mid(przed).filter(u"Błąd kopiowania zbioru M:\\MUZ\\"_s).size(), 3);
    EXPECT_EQ(folder.read(u"drives/c/MUZ/E3.WAV"_s), lokalny);
    Emisja.CzyKopiowac = false;
    Katalogi.KatSiecStart = u"H"_s;
}

// With descriptions made from the playlist, a read gives each recording
// without a .DAT one from its element's texts; a DJ item, a missing file
// and a recording that has a description are left alone.
TEST_F(PlaylistCommands, ReadMakesMissingDescriptionsFromThePlaylist) {
    BEZ_TSAN();
    Emisja.CzyTestMIX = Emisja.CzyDATZPlayListy = true;
    elementy({1, 2, 3, 4});
    Playlista[1].Tyt = u"Tytuł pierwszy"_s;
    Playlista[1].Wyk = u"Wykonawca"_s;
    Playlista[1].Atr = u"Autor"_s;
    Playlista[1].Kom = u"Kompozytor"_s;
    Playlista[3].Typ = 6;
    Playlista[4].Adr = u"C:\\MUZ\\BRAK.WAV"_s;
    ASSERT_EQ(ZapiszPlaylisteMIX(u"C:\\LISTY\\C.MIX"_s, 1, 4), WynikZapisuMIX::Zapisano);
    WyczyscPlayliste();
    folder.write(u"drives/c/MUZ/E2.DAT"_s, QByteArray("Tyt=Stary\r\n"));
    wybierz(PCzytaj, Qt::Key_C);
    ASSERT_EQ(StanPlaylisty.Ilosc, 4);
    SygnalType s;
    PustySygnal(s);
    s.Adres = u"C:\\MUZ\\E1.WAV"_s;
    OpisNagraniaTyp opis;
    CzytajDAT(s, opis);
    EXPECT_EQ(opis.Tyt, u"Tytuł pierwszy"_s);
    EXPECT_EQ(opis.Wyk, u"Wykonawca"_s);
    EXPECT_EQ(opis.Aut, u"Autor"_s);
    EXPECT_EQ(opis.Kom, u"Kompozytor"_s);
    EXPECT_EQ(folder.read(u"drives/c/MUZ/E2.DAT"_s), QByteArray("Tyt=Stary\r\n"));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + u"/drives/c/MUZ/E3.DAT"_s));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + u"/drives/c/MUZ/BRAK.DAT"_s));
    Emisja.CzyTestMIX = Emisja.CzyDATZPlayListy = false;
}

// The order check after a read: a small step back is pulled up and shown,
// a step back over midnight is left.
TEST(OrderCheck, SmallStepBackIsPulledUpMidnightIsLeft) {
    struct Przypadek {
        qint32 pierwszy, drugi, oczekiwany;
        bool komunikat;
    };
    const qint32 h = 3'600'000, m = 60'000;
    for (const Przypadek& p : {Przypadek{10 * h + 5 * m, 10 * h, 10 * h + 5 * m, true},
                               Przypadek{23 * h + 50 * m, 5 * m, 5 * m, false},
                               Przypadek{10 * h, 10 * h + 5 * m, 10 * h + 5 * m, false}}) {
        DialogiSkrypt dialogi;
        WyczyscPlayliste();
        for (int i = 1; i <= 2; ++i) {
            InitElemPListy(Playlista[size_t(i)]);
            Playlista[size_t(i)].Trw = 60'000;
        }
        Playlista[1].Emi = p.pierwszy;
        Playlista[2].Emi = p.drugi;
        StanPlaylisty.Ilosc = 2;
        SprawdzKolejnosc();
        EXPECT_EQ(Playlista[2].Emi, p.oczekiwany);
        const auto info = dialogi.Zapisy(RodzajDialogu::Info);
        EXPECT_EQ(!info.isEmpty() && info.last().teksty.value(0) == u"Błędy kolejności nagrań w playliście"_s,
                  p.komunikat);
    }
    WyczyscPlayliste();
}

}  // namespace
